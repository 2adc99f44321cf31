#include "engine/ScriptFile.h"

#include <cstdio>

#include "engine/ScriptTable.h"

namespace {
// Reads the whole file, or, with a limit, at most limit + 1 bytes (so that a larger file shows).
bool ReadContent(const char* path, size_t limit, std::string& content)
{
    content.clear();
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    char buffer[4096];
    size_t got;
    while ((limit == 0 || content.size() <= limit) && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

std::vector<std::string> SplitLines(const std::string& content)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool IsBlank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }
}  // namespace

ScriptFileCheck CheckScriptFile(const char* path)
{
    ScriptFileCheck check;
    std::string content;
    if (path == nullptr || !ReadContent(path, ScriptFileLimit, content)) return check;
    if (content.size() > ScriptFileLimit) {
        check.outcome = ScriptFileCheck::TooLarge;
        return check;
    }
    check.outcome = ScriptFileCheck::Checked;
    std::vector<std::string> lines = SplitLines(content);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsBlank(lines[i])) continue;
        ++check.fireworks;
        size_t before = check.findings.size();
        CheckScript(lines[i], static_cast<uint32_t>(i + 1), check.findings);
        if (check.findings.size() == before) check.usable.push_back(lines[i]);
    }
    return check;
}

bool LoadScriptFile(const char* path, ScriptTable& table, std::string& problem)
{
    std::string content;
    if (!ReadContent(path, 0, content)) {
        problem = std::string("cannot read ") + path;
        return false;
    }
    std::vector<std::string> lines = SplitLines(content);
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
