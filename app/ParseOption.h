// Reading the one command-line option that selects the run mode.
#pragma once
#include <cstdint>

struct ParsedOption {
    char option;       // the character after '-' or '/', or NUL for no option
    const char* rest;  // the text behind the option character (the whole text when there is none)
};

// Skips leading white space; a '-' or '/' introduces the option character. A lone '-' or '/' at the
// end of the text yields NUL, which counts as no option.
ParsedOption ParseOption(const char* commandLine);

// The window number behind the configure option, as Screen Saver Settings writes it ("/c:1234"):
// blanks and one colon skipped, then a decimal number (ParseDecimal).
int32_t ParseWindowNumber(const char* rest);

// What the program does for an option character (upper and lower case alike).
enum StartAction {
    ConfigureAndRun,       // no option: interactive settings, then the show after OK
    ConfigureScreenSaver,  // c: screen-saver settings only; exit code 1
    RunPreview,            // p: preview inside the window whose number follows
    RunScreenSaver,        // s: the full-screen screen saver
    RejectOption           // anything else: a message box, exit code -1
};
StartAction ActionFor(char option);
