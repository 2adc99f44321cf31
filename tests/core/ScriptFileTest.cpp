#include <gtest/gtest.h>

#include "TempFiles.h"

#include <string>
#include <vector>

#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "settings/ScriptStatus.h"

TEST(ScriptFile, LoadsLinesInOrderOrRefusesTheFileNamingTheBadLine)
{
    ScriptTable table;
    std::string problem;
    ASSERT_TRUE(LoadScriptFile(WriteTemp("fw_load.txt", "R t\n\ngwm t\n").c_str(), table, problem)) << problem;
    ASSERT_EQ(table.Count(), 3u) << "no line after the last line end";
    EXPECT_STREQ(table.Script(2), "gwm t");

    // A bad line refuses the whole file.
    EXPECT_FALSE(LoadScriptFile(WriteTemp("fw_crlf.txt", "R t\r\ngwm t\r\n").c_str(), table, problem));
    EXPECT_NE(problem.find(":1: line holds a carriage return"), std::string::npos) << problem;
    EXPECT_FALSE(LoadScriptFile(WriteTemp("fw_nul.txt", std::string("t\nR\0t\n", 6)).c_str(), table, problem));
    EXPECT_NE(problem.find(":2: line holds a NUL"), std::string::npos) << problem;
    EXPECT_EQ(table.Count(), 3u) << "nothing added from the refused files";
}

TEST(ScriptFile, ChecksAFileAsTheShowReadsItAndSaysWhatItFound)
{
    std::string binary = "\x89PNG";  // and every other byte but the line end, twice
    for (int i = 0; i < 512; ++i)
        if (i % 256 != '\n') binary += static_cast<char>(i);
    struct Case {
        std::string content;
        const char* status;  // what the Fireworks page says, or the start of it
    } cases[] = {
        {"R t\n\n \t \ngwm x t\r\np0 t\n", "2 of 3 fireworks usable. First problem: line 4, column 5: unknown command 'x'."},
        {binary, "No usable firework among 1 firework: the show plays the built-in fireworks. First problem: line 1, column 1: unknown command character 0x89."},
        {std::string(300, '\0'), "No usable firework among 1 firework: the show plays the built-in fireworks. First problem: line 1, column 1: NUL byte"},
        {"l3 " + std::string(60000, ' ') + "gwm t n\nt c12", "1 of 2 fireworks usable. First problem: line 2, column 3"},
        {std::string(ScriptFileLimit - 2, ' ') + "t\n", "1 firework, all usable."},
        {"\n \n\t\n", "The file holds no firework: the show plays the built-in fireworks."},
        {std::string(ScriptFileLimit + 1, 't'), "The file is larger than 64 KB, more than the show reads: the show plays"},
    };
    for (const Case& c : cases) {
        std::string path = WriteTemp("fw_checked.txt", c.content);
        EXPECT_EQ(DescribeScriptFile(path.c_str()).find(c.status), 0u) << DescribeScriptFile(path.c_str());
    }
    EXPECT_EQ(DescribeScriptFile((::testing::TempDir() + "fw_not_there.txt").c_str()),
              "The file cannot be opened or read: the show plays the built-in fireworks.");
    EXPECT_EQ(DescribeScriptFile(""), "No file chosen: the show plays the built-in fireworks.");
}
