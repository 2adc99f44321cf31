#include "app/ScriptsInUse.h"

#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "settings/Settings.h"

uint32_t AddScriptsInUse(ScriptTable& table, const Settings& settings, const char* builtIn, uint32_t size)
{
    bool builtInChosen = settings.GetScriptUse() != Settings::OwnFireworks;
    if (builtInChosen && builtIn != nullptr) table.AddBlock(builtIn, size);
    uint32_t own = 0;
    const char* file = settings.GetScriptFile();
    if (settings.GetScriptUse() != Settings::BuiltInFireworks && file != nullptr && file[0] != '\0') {
        ScriptFileCheck check = CheckScriptFile(file);
        for (const std::string& line : check.usable) table.Add(line.c_str());
        own = static_cast<uint32_t>(check.usable.size());
    }
    if (!builtInChosen && table.Count() == 0 && builtIn != nullptr) table.AddBlock(builtIn, size);
    return own;
}
