#include <gtest/gtest.h>

#include "TempFiles.h"

#include <string>
#include <vector>

#include "app/ParseOption.h"
#include "app/ScriptsInUse.h"
#include "engine/ScriptTable.h"
#include "settings/Settings.h"

TEST(ScriptsInUse, TheSettingsChooseAndANoUsableFileFallsBackToTheBuiltInOnes)
{
    const char builtIn[] = "R t\0p0 t\0";  // two built-in fireworks, ended by an empty text
    std::string own = WriteTemp("fw_own.txt", "c00FF00 t\nq\n\nRp1 t\n");
    std::string bad = WriteTemp("fw_own_bad.bin", std::string("\0\x89\xff", 3));
    std::string missing = ::testing::TempDir() + "fw_own_missing.txt";
    struct Case {
        uint32_t use;
        std::string file;
        std::vector<std::string> scripts;
    } cases[] = {
        {Settings::BuiltInFireworks, own, {"R t", "p0 t"}},
        {Settings::OwnFireworks, own, {"c00FF00 t", "Rp1 t"}},
        {Settings::AllFireworks, own, {"R t", "p0 t", "c00FF00 t", "Rp1 t"}},
        {Settings::OwnFireworks, missing, {"R t", "p0 t"}},
        {Settings::OwnFireworks, bad, {"R t", "p0 t"}},
        {Settings::OwnFireworks, "", {"R t", "p0 t"}},
        {Settings::AllFireworks, bad, {"R t", "p0 t"}},
    };
    for (const Case& c : cases) {
        Settings settings(nullptr, ScreenSaver, nullptr, nullptr);
        settings.SetScriptUse(c.use);
        settings.SetScriptFile(c.file.c_str());
        ScriptTable table;
        uint32_t fromFile = AddScriptsInUse(table, settings, builtIn, sizeof(builtIn));
        std::vector<std::string> scripts;
        for (uint32_t i = 0; i < table.Count(); ++i) scripts.push_back(table.Script(i));
        EXPECT_EQ(scripts, c.scripts) << c.use << " " << c.file;
        EXPECT_EQ(fromFile, c.use != Settings::BuiltInFireworks && c.file == own ? 2u : 0u) << c.use << " " << c.file;
    }
}
