#include "app/ParseOption.h"

#include "settings/DecimalText.h"

ParsedOption ParseOption(const char* commandLine)
{
    ParsedOption result = {'\0', commandLine != nullptr ? commandLine : ""};
    const char* p = result.rest;
    while (IsWhiteSpace(*p)) ++p;
    if (*p == '-' || *p == '/') {
        result.option = p[1];
        result.rest = p[1] != '\0' ? p + 2 : p + 1;
    }
    return result;
}

int32_t ParseWindowNumber(const char* rest)
{
    if (rest == nullptr) return 0;
    while (IsWhiteSpace(*rest)) ++rest;
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
