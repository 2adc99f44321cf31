#include "engine/ScriptFile.h"

#include <cstdio>

#include "engine/ScriptTable.h"

bool ReadScriptLines(const char* path, std::vector<std::string>& lines)
{
    lines.clear();
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::string content;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return false;

    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

bool LoadScriptFile(const char* path, ScriptTable& table, std::string& problem)
{
    std::vector<std::string> lines;
    if (!ReadScriptLines(path, lines)) {
        problem = std::string("cannot read ") + path;
        return false;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const char* bad = nullptr;
        if (lines[i].find('\r') != std::string::npos) bad = "a carriage return (CR LF line ends?)";
        else if (lines[i].find('\0') != std::string::npos) bad = "a NUL byte";
        if (bad != nullptr) {
            problem = std::string(path) + ":" + std::to_string(i + 1) + ": line holds " + bad;
            return false;
        }
    }
    for (const std::string& line : lines) table.Add(line.c_str());
    return true;
}
