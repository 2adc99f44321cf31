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

// Decimal number of a command-line text: leading white space skipped, an optional sign, digits up to
// the first other character (32-bit wrapping); no digits give 0.
int32_t ParseDecimal(const char* text);

// The window number behind the configure option, as Screen Saver Settings writes it ("/c:1234"):
// blanks and one colon skipped, then a decimal number as above.
int32_t ParseWindowNumber(const char* rest);

// The run modes and show states shared by the application.
enum RunMode { Interactive = 1, ScreenSaver = 2 };
enum RunState { NotStarted = 0, Running = 1, Paused = 2 };

// What the program does for an option character (upper and lower case alike).
enum StartAction {
    ConfigureAndRun,       // no option: interactive settings, then the show after OK
    ConfigureScreenSaver,  // c: screen-saver settings only; exit code 1
    RunPreview,            // p: preview inside the window whose number follows
    RunScreenSaver,        // s: the full-screen screen saver
    RejectOption           // anything else: a message box, exit code -1
};
StartAction ActionFor(char option);
