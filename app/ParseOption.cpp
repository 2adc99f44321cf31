#include "app/ParseOption.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
}

ParsedOption ParseOption(const char* commandLine)
{
    ParsedOption result = {'\0', commandLine != nullptr ? commandLine : ""};
    const char* p = result.rest;
    while (IsBlank(*p)) ++p;
    if (*p == '-' || *p == '/') {
        result.option = p[1];
        result.rest = p[1] != '\0' ? p + 2 : p + 1;
    }
    return result;
}

int32_t ParseDecimal(const char* text)
{
    if (text == nullptr) return 0;
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + static_cast<uint32_t>(*p - '0');
        ++p;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t ParseWindowNumber(const char* rest)
{
    if (rest == nullptr) return 0;
    while (IsBlank(*rest)) ++rest;
    return ParseDecimal(*rest == ':' ? rest + 1 : rest);
}

StartAction ActionFor(char option)
{
    switch (option) {
    case '\0':
        return ConfigureAndRun;
    case 'c':
    case 'C':
        return ConfigureScreenSaver;
    case 'p':
    case 'P':
        return RunPreview;
    case 's':
    case 'S':
        return RunScreenSaver;
    default:
        return RejectOption;
    }
}
