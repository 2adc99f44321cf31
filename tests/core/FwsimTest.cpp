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

TEST(Fwsim, HelpExplainsEveryOptionAndBadOptionsFailWithOneLine)
{
    Outcome help = Fwsim({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--script ", "--scripts", "--script-file", "--seed", "--fps", "--spark-limit",
                               "--gravity", "--wind", "--frames", "--check", "--help"})
        EXPECT_TRUE(help.Says(option)) << option;

    std::string absent = ::testing::TempDir() + "fw_absent.txt";
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--seed"}, {"--fps", "0"}, {"--fps", "1001"}, {"--frames", "ten"}, {"--script", "-1"},
             {"--gravity", "70000"}, {"--spark-limit", "5x"}, {"--script", "10"}, {"--scripts", ""}, {"extra"},
             {"--scripts", absent}, {"--check", absent}, {"--script-file", WriteTemp("fw_sim_crlf.txt", "p0 t\r\n")}}) {
        Outcome o = Fwsim(args);
        EXPECT_EQ(o.status, 2) << args[0];
        EXPECT_TRUE(o.out.empty()) << args[0];
        EXPECT_EQ(o.err.find('\n'), std::string::npos) << o.err;
        EXPECT_EQ(o.err.compare(0, 7, "fwsim: "), 0) << o.err;
    }
    EXPECT_NE(Fwsim({"--scripts", absent}).err.find("cannot read"), std::string::npos);
}

TEST(Fwsim, ReportsTheWholeFireworkDeterministically)
{
    Outcome a = Fwsim({"--script", "0", "--seed", "1"});
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, Fwsim({"--script", "0", "--seed", "1"}).out);
    EXPECT_NE(a.out, Fwsim({"--script", "0", "--seed", "2"}).out);
    for (const char* line : {"script 0, seed 1, 50 frames/s (20 ms)", "sound: frame 1, effect 0, pan ",
                             ", effect 1, pan ", "frames until the last spark died: ", "sparks killed by errors: 0\n",
                             "peak live sparks: ", "sparks made: ", "sparks dropped at a full queue: ",
                             "commands executed: "})
        EXPECT_TRUE(a.Says(line)) << line;

    // Without --script the show's random pick decides; a seed replays it.
    EXPECT_EQ(Fwsim({"--seed", "77"}).out, Fwsim({"--seed", "77"}).out);
}

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

TEST(Fwsim, CheckReportsFindingsWithLineAndColumn)
{
    std::string path = WriteTemp("fw_check.txt", "gwm t\nR q t\r\nl2 l3 n\ns[t\n");
    Outcome o = Fwsim({"--check", path});
    EXPECT_EQ(o.status, 1);
    for (const char* finding : {":2:3: unknown command 'q'", ":2:6: unknown command carriage return",
                                ":3:4: l inside an open l loop", ":4:2: [ is never closed"})
        EXPECT_TRUE(o.Says(path + finding)) << o.out;
    EXPECT_FALSE(o.Says(path + ":1:")) << o.out;

    Outcome clean = Fwsim({"--check", BuiltIn});
    EXPECT_EQ(clean.status, 0) << clean.out;
    EXPECT_TRUE(clean.Says("10 fireworks, 10 usable, no problems"));
}
