#include <gtest/gtest.h>

#include "TempFiles.h"

#include <string>
#include <vector>

#include "tools/fwsim/Fwsim.h"

namespace {
typedef std::vector<std::string> Args;

std::string Fwsim(const Args& args)
{
    std::string out, err;
    RunFwsim(args, FW_SOURCE_DIR "/resources/scripts.txt", out, err);
    return out;
}
}  // namespace

TEST(Fwsim, OptionsShapeTheRun)
{
    // Own scripts: sounds are reported in the frame they play in, errors are counted.
    std::string own = WriteTemp("fw_sim_own.txt", "p2 T3 p3\nxx\n");
    const struct {
        Args args;
        const char* says;
    } runs[] = {
        {{"--script", "4", "--frames", "10"}, "frames run: 10, sparks still alive: "},
        {{"--spark-limit", "0"}, "died: 0\npeak live sparks: 0\nsparks made: 1\nsparks dropped at a full queue: 1\n"},
        {{"--scripts", own, "--script", "0"}, "frame 1, effect 2, pan -7300\nsound: frame 4, effect 3, pan -7300\n"
                                              "frames until the last spark died: 4\n"},
        {{"--scripts", own, "--script", "1"}, "died: 1\npeak live sparks: 1\nsparks made: 1\n"
                                              "sparks dropped at a full queue: 0\nsparks killed by errors: 1\n"},
    };
    for (const auto& run : runs) EXPECT_NE(Fwsim(run.args).find(run.says), std::string::npos) << run.says;
}
