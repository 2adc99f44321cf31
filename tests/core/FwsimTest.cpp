#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/fwsim/Fwsim.h"
#include "tools/fwsim/SimOptions.h"

namespace {

const char* const BuiltIn = FW_SOURCE_DIR "/resources/scripts.txt";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Fwsim(const std::vector<std::string>& args)
{
    Outcome o;
    o.status = RunFwsim(args, BuiltIn, o.out, o.err);
    return o;
}

std::string WriteTemp(const char* name, const std::string& content)
{
    std::string path = ::testing::TempDir() + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return path;
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    return path;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(Fwsim, HelpExplainsEveryOption)
{
    Outcome o = Fwsim({"--help"});
    EXPECT_EQ(o.status, 0);
    for (const char* option : {"--script ", "--scripts", "--script-file", "--seed", "--fps", "--spark-limit",
                               "--gravity", "--wind", "--frames", "--check", "--help"})
        EXPECT_TRUE(Has(o.out, option)) << option;
}

TEST(Fwsim, BadOptionsFailWithOneLine)
{
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--seed"}, {"--fps", "0"}, {"--fps", "1001"}, {"--frames", "ten"}, {"--script", "-1"},
             {"--gravity", "70000"}, {"--spark-limit", "5x"}, {"--script", "10"}, {"--scripts", ""}, {"extra"}}) {
        Outcome o = Fwsim(args);
        EXPECT_EQ(o.status, 2) << args[0];
        EXPECT_TRUE(o.out.empty()) << args[0];
        EXPECT_EQ(o.err.find('\n'), std::string::npos) << o.err;
        EXPECT_EQ(o.err.compare(0, 7, "fwsim: "), 0) << o.err;
    }
}

TEST(Fwsim, UnreadableOrCrLfScriptFilesFail)
{
    Outcome missing = Fwsim({"--scripts", ::testing::TempDir() + "fw_absent.txt"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(Has(missing.err, "cannot read"));

    Outcome crlf = Fwsim({"--script-file", WriteTemp("fw_sim_crlf.txt", "p0 t\r\n")});
    EXPECT_EQ(crlf.status, 2);
    EXPECT_TRUE(Has(crlf.err, "carriage return"));

    Outcome check = Fwsim({"--check", ::testing::TempDir() + "fw_absent.txt"});
    EXPECT_EQ(check.status, 2);
}

TEST(Fwsim, ReportsTheWholeFireworkDeterministically)
{
    Outcome a = Fwsim({"--script", "0", "--seed", "1"});
    Outcome b = Fwsim({"--script", "0", "--seed", "1"});
    Outcome c = Fwsim({"--script", "0", "--seed", "2"});
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out, c.out);
    EXPECT_TRUE(Has(a.out, "script 0, seed 1, 50 frames/s (20 ms)"));
    EXPECT_TRUE(Has(a.out, "sound: frame 1, effect 0, pan "));
    EXPECT_TRUE(Has(a.out, ", effect 1, pan "));
    EXPECT_TRUE(Has(a.out, "frames until the last spark died: "));
    EXPECT_TRUE(Has(a.out, "sparks killed by errors: 0\n"));
    for (const char* line : {"peak live sparks: ", "sparks made: ", "sparks dropped at a full queue: ",
                             "commands executed: "})
        EXPECT_TRUE(Has(a.out, line)) << line;
}

TEST(Fwsim, OptionsShapeTheRun)
{
    Outcome cut = Fwsim({"--script", "4", "--frames", "10"});
    EXPECT_TRUE(Has(cut.out, "frames run: 10, sparks still alive: ")) << cut.out;

    Outcome none = Fwsim({"--spark-limit", "0"});
    EXPECT_TRUE(Has(none.out, "frames until the last spark died: 0\n")) << none.out;
    EXPECT_TRUE(Has(none.out, "sparks made: 1\n"));
    EXPECT_TRUE(Has(none.out, "sparks dropped at a full queue: 1\n"));

    Outcome small = Fwsim({"--script", "0", "--spark-limit", "50"});
    EXPECT_FALSE(Has(small.out, "sparks dropped at a full queue: 0\n")) << small.out;

    // The same firework with another frame rate, gravity and wind is a different run.
    Outcome base = Fwsim({"--script", "6"});
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--script", "6", "--fps", "30"}, {"--script", "6", "--gravity", "500"}, {"--script", "6", "--wind", "-300"}})
        EXPECT_NE(Fwsim(args).out, base.out) << args[2];

    Outcome own = Fwsim({"--scripts", WriteTemp("fw_sim_own.txt", "p2 T3 p3\nxx\n"), "--script", "1"});
    EXPECT_TRUE(Has(own.out, "frames until the last spark died: 1\n")) << own.out;
    EXPECT_TRUE(Has(own.out, "sparks killed by errors: 1\n"));

    Outcome sleepy = Fwsim({"--scripts", WriteTemp("fw_sim_own2.txt", "p2 T3 p3\n"), "--script", "0"});
    EXPECT_TRUE(Has(sleepy.out, "sound: frame 1, effect 2")) << sleepy.out;
    EXPECT_TRUE(Has(sleepy.out, "sound: frame 4, effect 3")) << sleepy.out;
    EXPECT_TRUE(Has(sleepy.out, "frames until the last spark died: 4\n")) << sleepy.out;

    // Without --script the show's random pick decides; a seed replays it.
    Outcome random = Fwsim({"--seed", "77"});
    EXPECT_EQ(random.out, Fwsim({"--seed", "77"}).out);
}

TEST(Fwsim, CheckReportsFindingsWithLineAndColumn)
{
    std::string path = WriteTemp("fw_check.txt", "gwm t\nR q t\r\nl2 l3 n\ns[t\n");
    Outcome o = Fwsim({"--check", path});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(Has(o.out, path + ":2:3: unknown command 'q'")) << o.out;
    EXPECT_TRUE(Has(o.out, path + ":2:6: unknown command carriage return")) << o.out;
    EXPECT_TRUE(Has(o.out, path + ":3:4: l inside an open l loop")) << o.out;
    EXPECT_TRUE(Has(o.out, path + ":4:2: [ is never closed")) << o.out;
    EXPECT_FALSE(Has(o.out, path + ":1:")) << o.out;

    Outcome clean = Fwsim({"--check", BuiltIn});
    EXPECT_EQ(clean.status, 0) << clean.out;
    EXPECT_TRUE(Has(clean.out, "10 scripts, no problems"));
}
