#include "app/SaverOptions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "settings/RunMode.h"
#include "settings/Settings.h"

namespace {
struct Case {
    const char* args;         // blank-separated, after the program name
    const char* framed;       // $XSCREENSAVER_WINDOW, or none
    SaverStart start;
    const char* outcome;      // target, window, gravity, wind, stereo, sparks, fps, scripts; or the error
};

std::string Parse(const Case& c)
{
    std::vector<std::string> words{"fireworks"};
    std::istringstream in(c.args);
    for (std::string w; in >> w;) words.push_back(w);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(&w[0]);
    Settings settings(nullptr, ScreenSaver, nullptr, nullptr);
    SaverOptions options;
    std::string error;
    SaverStart start = ParseSaverOptions(static_cast<int>(argv.size()), argv.data(), c.framed, options, settings, error);
    EXPECT_EQ(start, c.start) << c.args;
    if (start != SaverStart::Run) return error;
    std::ostringstream out;
    out << "abc"[options.target] << " " << options.windowId << " " << settings.GetGravity() << " " << settings.GetWind() << " "
        << settings.GetStereo() << " " << settings.GetSparkLimit() << " " << settings.GetFrameRate() << " " << settings.GetScriptUse()
        << (options.fpsMeter ? " meter" : "");
    return out.str();
}
}  // namespace

TEST(SaverOptions, ReadsWhereToDrawAndClampsTheShowsSettingsLikeWindows)
{
    const Case cases[] = {
        {"", nullptr, SaverStart::Run, "a 0 980 100 0 5000 50 0"},
        {"-root -fps-meter", nullptr, SaverStart::Run, "b 0 980 100 0 5000 50 0 meter"},
        {"-root", "0x400008", SaverStart::Run, "c 4194312 980 100 0 5000 50 0"},
        {"-window-id 77 -root", "0x400008", SaverStart::Run, "c 77 980 100 0 5000 50 0"},
        {"--window-id 0X1fffffff", nullptr, SaverStart::Run, "c 536870911 980 100 0 5000 50 0"},
        {"-gravity -5 -wind 900 -sparks 100 -fps 5 -stereo", nullptr, SaverStart::Run, "a 0 0 500 1 500 10 0"},
        {"-gravity 99999999999 -wind -99999999999 -sparks -1 -fps 1000 -stereo -no-stereo", nullptr, SaverStart::Run,
         "a 0 1500 -500 0 500 100 0"},
        {"-script-file my.txt", nullptr, SaverStart::Run, "a 0 980 100 0 5000 50 2"},
        {"-scripts mine -script-file my.txt", nullptr, SaverStart::Run, "a 0 980 100 0 5000 50 1"},
        {"-help", nullptr, SaverStart::Help, ""},
        {"-scripts mine", nullptr, SaverStart::Bad, "-scripts mine needs -script-file FILE"},
        {"-scripts all", nullptr, SaverStart::Bad, "-scripts: builtin, mine or both, not all"},
        {"-window-id 0", nullptr, SaverStart::Bad, "-window-id: not a window id: 0"},
        {"-window-id 0x20000000", nullptr, SaverStart::Bad, "-window-id: not a window id: 0x20000000"},
        {"", "root", SaverStart::Bad, "XSCREENSAVER_WINDOW holds no window id: root"},
        {"-gravity 9.8", nullptr, SaverStart::Bad, "-gravity: not a whole number: 9.8"},
        {"-fps", nullptr, SaverStart::Bad, "-fps needs a value"},
        {"-fps50", nullptr, SaverStart::Bad, "unknown option -fps50"},
    };
    for (const Case& c : cases) EXPECT_EQ(Parse(c), c.outcome) << c.args;
}
