#include <gtest/gtest.h>

#include "TempFiles.h"

#include <string>
#include <vector>

#include "app/ScriptsInUse.h"
#include "engine/ScriptTable.h"
#include "settings/RunMode.h"
#include "settings/Settings.h"

TEST(ScriptsInUse, TheSettingsChooseAndANoUsableFileFallsBackToTheBuiltInOnes)
{
    const char builtIn[] = "R t\0p0 t\0";  // two built-in fireworks, ended by an empty text
    const std::vector<std::string> builtIns = {"R t", "p0 t"}, own = {"c00FF00 t", "Rp1 t"};
    const std::string file = WriteTemp("fw_own.txt", "c00FF00 t\nq\n\nRp1 t\n");
    const std::string junk = WriteTemp("fw_own_junk.bin", std::string("\0\x89\xff", 3));
    const std::string missing = ::testing::TempDir() + "fw_own_missing.txt";
    struct Case {
        uint32_t use;
        std::string path;
        std::vector<std::string> scripts;
        uint32_t fromFile;
    } cases[] = {
        {Settings::BuiltInFireworks, file, builtIns, 0}, {Settings::OwnFireworks, file, own, 2},
        {Settings::AllFireworks, file, {"R t", "p0 t", "c00FF00 t", "Rp1 t"}, 2},
        {Settings::OwnFireworks, missing, builtIns, 0},  {Settings::OwnFireworks, junk, builtIns, 0},
        {Settings::OwnFireworks, "", builtIns, 0},       {Settings::AllFireworks, junk, builtIns, 0},
    };
    for (const Case& c : cases) {
        Settings settings(nullptr, ScreenSaver, nullptr, nullptr);
        settings.SetScriptUse(c.use);
        settings.SetScriptFile(c.path.c_str());
        ScriptTable table;
        uint32_t fromFile = AddScriptsInUse(table, settings, builtIn, sizeof(builtIn));
        std::vector<std::string> scripts;
        for (uint32_t i = 0; i < table.Count(); ++i) scripts.push_back(table.Script(i));
        EXPECT_EQ(scripts, c.scripts) << c.use << " " << c.path;
        EXPECT_EQ(fromFile, c.fromFile) << c.use << " " << c.path;
    }
}
