// The fwsim tool as a function, so that tests can run it without a process: parses the arguments,
// checks or simulates, and returns the exit status with everything it would print.
#pragma once
#include <string>
#include <vector>

// `args` excludes the program name; `builtInScripts` is the path of resources/scripts.txt. Standard
// output goes to `out`, the one-line error of a failure to `err`. Returns 0, 1 (check findings) or 2.
int RunFwsim(const std::vector<std::string>& args, const std::string& builtInScripts, std::string& out,
             std::string& err);
