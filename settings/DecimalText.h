// Whole numbers typed by a person: the track box of the settings sheet and the window number of the
// command line.
#pragma once
#include <cstdint>

// Space, tab, line feed, vertical tab, form feed and carriage return.
inline bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Leading white space skipped, an optional sign, then digits up to the first other character (32-bit
// wrapping); no digits give 0.
int32_t ParseDecimal(const char* text);
