// Script files for the tools and tests: plain text, one script per line, LF line ends. The built-in
// scripts live in such a file (resources/scripts.txt), from which the build also makes the resource.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class ScriptTable;

// Reads every line of a file as it is (a final line end does not start another line; CR and other
// bytes are kept so that a checker can point at them). False when the file cannot be read.
bool ReadScriptLines(const char* path, std::vector<std::string>& lines);

// Adds every line of a file to a table, in order. Refuses (false, with `problem` saying why, and
// nothing added) a file that cannot be read, or a line holding a carriage return or a NUL byte: in a
// script those are not line ends but commands that kill the spark, which is never what the author meant.
bool LoadScriptFile(const char* path, ScriptTable& table, std::string& problem);
