// fwsim: headless simulator and checker for firework scripts (see --help).
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/fwsim/Fwsim.h"

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Byte-identical reports on every platform: no CR added before each line end.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    std::string out, err;
    int status = RunFwsim(args, FW_SOURCE_DIR "/resources/scripts.txt", out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    if (!err.empty()) std::fprintf(stderr, "%s\n", err.c_str());
    return status;
}
