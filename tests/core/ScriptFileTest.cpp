#include <gtest/gtest.h>

#include "TempFiles.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "settings/ScriptStatus.h"

TEST(ScriptFile, SplitsLinesKeepingEmptyOnesAndEveryByte)
{
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadScriptLines(WriteTemp("fw_lines1.txt", "a t\n\nb\r\nc").c_str(), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"a t", "", "b\r", "c"}));
    ASSERT_TRUE(ReadScriptLines(WriteTemp("fw_lines2.txt", "one\ntwo\n").c_str(), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"})) << "no empty line after the last newline";
    ASSERT_TRUE(ReadScriptLines(WriteTemp("fw_lines3.txt", "").c_str(), lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(ReadScriptLines((::testing::TempDir() + "fw_no_such_file.txt").c_str(), lines));
}

TEST(ScriptFile, LoadsLinesInOrderOrRefusesTheFileNamingTheBadLine)
{
    ScriptTable table;
    std::string problem;
    ASSERT_TRUE(LoadScriptFile(WriteTemp("fw_load.txt", "R t\ngwm t\n").c_str(), table, problem)) << problem;
    ASSERT_EQ(table.Count(), 2u);
    EXPECT_STREQ(table.Script(0), "R t");
    EXPECT_STREQ(table.Script(1), "gwm t");

    // A bad line refuses the whole file.
    EXPECT_FALSE(LoadScriptFile(WriteTemp("fw_crlf.txt", "R t\r\ngwm t\r\n").c_str(), table, problem));
    EXPECT_NE(problem.find(":1: line holds a carriage return"), std::string::npos) << problem;
    EXPECT_FALSE(LoadScriptFile(WriteTemp("fw_nul.txt", std::string("t\nR\0t\n", 6)).c_str(), table, problem));
    EXPECT_NE(problem.find(":2: line holds a NUL"), std::string::npos) << problem;
    EXPECT_EQ(table.Count(), 2u) << "nothing added from the refused files";
    EXPECT_FALSE(LoadScriptFile((::testing::TempDir() + "fw_missing.txt").c_str(), table, problem));
    EXPECT_NE(problem.find("cannot read"), std::string::npos);
}

TEST(ScriptFile, ChecksAFileAsTheShowReadsItAndSaysWhatItFound)
{
    std::string binary = "\x89PNG";  // and every other byte but the line end, twice
    for (int i = 0; i < 512; ++i)
        if (i % 256 != '\n') binary += static_cast<char>(i);
    struct Case {
        const char* name;
        std::string content;
        uint32_t fireworks;
        size_t usable;
        const char* first;   // line:column of the first finding, or none
        const char* status;  // part of what the Fireworks page says
    } cases[] = {
        {"fw_mixed.txt", "R t\n\n \t \ngwm x t\r\np0 t\n", 3, 2, "4:5", "2 of 3 fireworks usable. First problem: line 4, column 5: unknown command 'x'."},
        {"fw_good.txt", "R t", 1, 1, nullptr, "1 firework, all usable."},
        {"fw_binary.bin", binary, 1, 0, "1:1", "No usable firework among 1 firework: the show plays the built-in fireworks. First problem: line 1, column 1: unknown command character 0x89."},
        {"fw_nuls.txt", std::string(300, '\0'), 1, 0, "1:1", "line 1, column 1: NUL byte"},
        {"fw_long.txt", "l3 " + std::string(60000, ' ') + "gwm t n\nt c12", 2, 1, "2:3", "1 of 2 fireworks usable"},
        {"fw_full.txt", std::string(ScriptFileLimit - 2, ' ') + "t\n", 1, 1, nullptr, "all usable"},
        {"fw_blank.txt", "\n \n\t\n", 0, 0, nullptr, "The file holds no firework: the show plays the built-in fireworks."},
        {"fw_large.txt", std::string(ScriptFileLimit + 1, 't'), 0, 0, nullptr, "larger than 64 KB"},
    };
    for (const Case& c : cases) {
        std::string path = WriteTemp(c.name, c.content);
        ScriptFileCheck check = CheckScriptFile(path.c_str());
        EXPECT_EQ(check.outcome, c.content.size() > ScriptFileLimit ? ScriptFileCheck::TooLarge : ScriptFileCheck::Checked);
        EXPECT_EQ(check.fireworks, c.fireworks) << c.name;
        EXPECT_EQ(check.usable.size(), c.usable) << c.name;
        ASSERT_EQ(check.findings.empty(), c.first == nullptr) << c.name;
        if (c.first != nullptr) {
            EXPECT_EQ(std::to_string(check.findings[0].line) + ":" + std::to_string(check.findings[0].column), c.first);
        }
        EXPECT_NE(DescribeScriptFile(path.c_str()).find(c.status), std::string::npos) << DescribeScriptFile(path.c_str());
    }
    EXPECT_EQ(CheckScriptFile("R t\n.txt").outcome, ScriptFileCheck::CannotRead);
    EXPECT_EQ(DescribeScriptFile((::testing::TempDir() + "fw_not_there.txt").c_str()),
              "The file cannot be opened or read: the show plays the built-in fireworks.");
    EXPECT_EQ(DescribeScriptFile(""), "No file chosen: the show plays the built-in fireworks.");
}
