#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "engine/Random.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"

namespace {
Spark* SparkWaking(uint32_t wakeTime) { return new Spark(0, wakeTime, "", 0, 0, 0, 0, 0, 0, 0); }
}

TEST(SparkQueue, PopsInWakeOrderUnderRandomLoad)
{
    SeedRandom(2024);
    SparkQueue queue(500);
    std::multiset<uint32_t> pushed;
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 25; ++i) {
            uint32_t t = Rand() * 7u;
            if (queue.Push(SparkWaking(t))) pushed.insert(t);
        }
        for (int i = 0; i < 10; ++i) {
            std::unique_ptr<Spark> s(queue.PopMin());
            ASSERT_EQ(s->wakeTime, *pushed.begin());
            pushed.erase(pushed.begin());
        }
    }
}

TEST(Spark, ChildCopiesMotionAndLooksButNotTheLoop)
{
    Spark parent(100, 120, "abc", 1, 2, 3, 4, 5, 6, 0xFF);
    parent.big = 1;
    parent.loopCount = 7;
    parent.loopMark = parent.pc + 1;
    Spark child(parent, Spark::SpawnChild());
    EXPECT_EQ((std::vector<int64_t>{child.x, child.y, child.z, child.vx, child.vy, child.vz, child.colour, child.big}),
              (std::vector<int64_t>{1, 2, 3, 4, 5, 6, 0xFF, 1}));
    EXPECT_TRUE(child.loopCount == 0 && child.loopMark == nullptr);
}

TEST(ScriptTable, KeepsOwnedCopiesAndReadsResourceBlocks)
{
    ScriptTable table;
    char text[] = "gwm t";
    EXPECT_EQ(table.Add(text), 0u);
    text[0] = 'X';
    EXPECT_STREQ(table.Script(0), "gwm t");
    const char* first = table.Script(0);
    for (int i = 0; i < 100; ++i) table.Add("R");  // growing never moves a stored text
    EXPECT_EQ(table.Script(0), first);

    ScriptTable block;
    const char data[] = "ab\0cd\0\0ignored";
    EXPECT_EQ(block.AddBlock(data, sizeof data), 2u);
    EXPECT_STREQ(block.Script(1), "cd");
    const char unterminated[] = {'x', 'y'};
    EXPECT_EQ(block.AddBlock(unterminated, 2), 1u);
    EXPECT_STREQ(block.Script(2), "xy");
    EXPECT_EQ(block.Script(3), nullptr);
}
