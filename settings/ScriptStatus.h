// The status line of the Fireworks page: what the show makes of a file of fireworks, in words.
#pragma once
#include <string>

// Reads and checks the file as the show does (the same checker as fwsim --check) and says how many of
// its fireworks are usable and where the first problem is, by line and column; or why none can be
// read. None or an empty path means no file is chosen.
std::string DescribeScriptFile(const char* path);
