#include "app/SaverOptions.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/SettingFields.h"
#include "settings/Settings.h"

namespace {
// "N to M (default D)" for a numeric setting, from the table that Validate clamps by.
std::string Range(SettingId id)
{
    const SettingField& f = FieldOf(id);
    return std::to_string(f.low) + " to " + std::to_string(f.high) + " (default " + std::to_string(f.screenSaverDefault) + ")";
}
}  // namespace

std::string SaverUsage()
{
    return "usage: fireworks [options]\n"
           "  -root               draw on the root window\n"
           "  -window-id ID       draw into window ID (decimal or 0x hex); $XSCREENSAVER_WINDOW does the same\n"
           "  -display NAME       the X display to use (default $DISPLAY)\n"
           "  -gravity N          downward pull, " + Range(SettingId::Gravity) + "\n"
           "  -wind N             wind, left to right, " + Range(SettingId::Wind) + "\n"
           "  -stereo, -no-stereo red/blue picture for anaglyph glasses (default off)\n"
           "  -sparks N           most sparks at once, " + Range(SettingId::SparkLimit) + "\n"
           "  -fps N              frames per second, " + Range(SettingId::FrameRate) + "\n"
           "  -script-file FILE   your own fireworks, one per line\n"
           "  -scripts WHICH      builtin, mine or both (default both with -script-file, else builtin)\n"
           "  -fps-meter          show the measured frame rate in a corner\n"
           "  -help               this text\n"
           "Without -root or a window id the show opens a window of its own; a key closes it.\n";
}

bool ParseWindowId(const char* text, unsigned long& id)
{
    if (text == nullptr) return false;
    bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    if (*digits == '\0' || std::strspn(digits, hex ? "0123456789abcdefABCDEF" : "0123456789") != std::strlen(digits))
        return false;
    errno = 0;
    unsigned long long value = std::strtoull(digits, nullptr, hex ? 16 : 10);
    // X resource ids have 29 bits; anything wider names no window.
    if (errno != 0 || value == 0 || value > 0x1FFFFFFFull) return false;
    id = static_cast<unsigned long>(value);
    return true;
}

namespace {
// A whole decimal number, held at the ends of the 32-bit range (Validate does the real clamping).
bool ParseNumber(const char* text, int32_t& value)
{
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text, &end, 10);
    if (*end != '\0') return false;
    if (errno == ERANGE || v > INT32_MAX) v = v < 0 ? INT32_MIN : INT32_MAX;
    if (v < INT32_MIN) v = INT32_MIN;
    value = static_cast<int32_t>(v);
    return true;
}

// Counts and rates cannot be negative; a negative one means the least.
uint32_t Unsigned(int32_t v) { return v < 0 ? 0u : static_cast<uint32_t>(v); }

struct Parser {
    int argc;
    char** argv;
    int at;
    std::string& error;

    const char* Value(const char* option)
    {
        if (at + 1 >= argc) {
            error = std::string(option) + " needs a value";
            return nullptr;
        }
        return argv[++at];
    }
    bool Number(const char* option, int32_t& value)
    {
        const char* text = Value(option);
        if (text == nullptr) return false;
        if (ParseNumber(text, value)) return true;
        error = std::string(option) + ": not a whole number: " + text;
        return false;
    }
};
}  // namespace

SaverStart ParseSaverOptions(int argc, char** argv, const char* framedWindow, SaverOptions& options, Settings& settings,
                             std::string& error)
{
    Parser p{argc, argv, 0, error};
    bool root = false, givenId = false, scriptsGiven = false;
    for (p.at = 1; p.at < argc; ++p.at) {
        std::string option = argv[p.at];
        // Both one and two dashes, as X programs commonly accept.
        if (option.compare(0, 2, "--") == 0) option.erase(0, 1);
        int32_t n = 0;
        if (option == "-help" || option == "-h") return SaverStart::Help;
        if (option == "-root") {
            root = true;
        } else if (option == "-window-id") {
            const char* text = p.Value("-window-id");
            if (text == nullptr) return SaverStart::Bad;
            if (!ParseWindowId(text, options.windowId)) {
                error = std::string("-window-id: not a window id: ") + text;
                return SaverStart::Bad;
            }
            givenId = true;
        } else if (option == "-display") {
            const char* text = p.Value("-display");
            if (text == nullptr) return SaverStart::Bad;
            options.display = text;
        } else if (option == "-gravity" || option == "-wind" || option == "-sparks" || option == "-fps") {
            if (!p.Number(option.c_str(), n)) return SaverStart::Bad;
            if (option == "-gravity") settings.SetGravity(n);
            else if (option == "-wind") settings.SetWind(n);
            else if (option == "-sparks") settings.SetSparkLimit(Unsigned(n));
            else settings.SetFrameRate(Unsigned(n));
        } else if (option == "-stereo" || option == "-no-stereo") {
            settings.SetStereo(option == "-stereo" ? 1 : 0);
        } else if (option == "-fps-meter") {
            options.fpsMeter = true;
        } else if (option == "-script-file") {
            const char* text = p.Value("-script-file");
            if (text == nullptr) return SaverStart::Bad;
            settings.SetScriptFile(text);
        } else if (option == "-scripts") {
            const char* text = p.Value("-scripts");
            if (text == nullptr) return SaverStart::Bad;
            std::string which = text;
            if (which == "builtin") settings.SetScriptUse(Settings::BuiltInFireworks);
            else if (which == "mine") settings.SetScriptUse(Settings::OwnFireworks);
            else if (which == "both") settings.SetScriptUse(Settings::AllFireworks);
            else {
                error = "-scripts: builtin, mine or both, not " + which;
                return SaverStart::Bad;
            }
            scriptsGiven = true;
        } else {
            error = "unknown option " + std::string(argv[p.at]);
            return SaverStart::Bad;
        }
    }

    bool ownFile = settings.GetScriptFile() != nullptr && settings.GetScriptFile()[0] != '\0';
    if (ownFile && !scriptsGiven) settings.SetScriptUse(Settings::AllFireworks);
    if (!ownFile && settings.GetScriptUse() == Settings::OwnFireworks) {
        error = "-scripts mine needs -script-file FILE";
        return SaverStart::Bad;
    }
    settings.Validate();

    if (!givenId && framedWindow != nullptr && *framedWindow != '\0') {
        if (!ParseWindowId(framedWindow, options.windowId)) {
            error = std::string("XSCREENSAVER_WINDOW holds no window id: ") + framedWindow;
            return SaverStart::Bad;
        }
        givenId = true;
    }
    options.target = givenId ? SaverOptions::GivenWindow : root ? SaverOptions::RootWindow : SaverOptions::OwnWindow;
    return SaverStart::Run;
}
