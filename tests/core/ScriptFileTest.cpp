#include <gtest/gtest.h>

#include "TempFiles.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"

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
