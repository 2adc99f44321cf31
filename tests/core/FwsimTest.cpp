#include <gtest/gtest.h>

#include "TempFiles.h"

#include <cstdio>
#include <string>
#include <vector>

#include "tools/fwsim/Fwsim.h"
#include "tools/fwsim/SimOptions.h"

namespace {

const char* const BuiltIn = FW_SOURCE_DIR "/resources/scripts.txt";

struct Outcome {
    int status;
    std::string out, err;
    bool Says(const std::string& part) const { return out.find(part) != std::string::npos; }
};

Outcome Fwsim(const std::vector<std::string>& args)
{
    Outcome o;
    o.status = RunFwsim(args, BuiltIn, o.out, o.err);
    return o;
}
}  // namespace

TEST(Fwsim, OptionsShapeTheRun)
{
    EXPECT_TRUE(Fwsim({"--script", "4", "--frames", "10"}).Says("frames run: 10, sparks still alive: "));

    Outcome none = Fwsim({"--spark-limit", "0"});
    EXPECT_TRUE(none.Says("frames until the last spark died: 0\n")) << none.out;
    EXPECT_TRUE(none.Says("sparks made: 1\n"));
    EXPECT_TRUE(none.Says("sparks dropped at a full queue: 1\n"));
    EXPECT_FALSE(Fwsim({"--script", "0", "--spark-limit", "50"}).Says("sparks dropped at a full queue: 0\n"));

    // The same firework with another frame rate, gravity or wind is a different run.
    Outcome base = Fwsim({"--script", "6"});
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--script", "6", "--fps", "30"}, {"--script", "6", "--gravity", "500"}, {"--script", "6", "--wind", "-300"}})
        EXPECT_NE(Fwsim(args).out, base.out) << args[2];

    // Own scripts: sounds are reported in the frame they play in, errors are counted.
    std::string own = WriteTemp("fw_sim_own.txt", "p2 T3 p3\nxx\n");
    Outcome sleepy = Fwsim({"--scripts", own, "--script", "0"});
    EXPECT_TRUE(sleepy.Says("sound: frame 1, effect 2")) << sleepy.out;
    EXPECT_TRUE(sleepy.Says("sound: frame 4, effect 3")) << sleepy.out;
    EXPECT_TRUE(sleepy.Says("frames until the last spark died: 4\n")) << sleepy.out;
    Outcome bad = Fwsim({"--scripts", own, "--script", "1"});
    EXPECT_TRUE(bad.Says("frames until the last spark died: 1\n")) << bad.out;
    EXPECT_TRUE(bad.Says("sparks killed by errors: 1\n"));
}
