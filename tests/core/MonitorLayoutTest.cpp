#include <gtest/gtest.h>

#include <string>

#include "app/MonitorLayout.h"

namespace {
std::string Describe(const std::vector<ScreenRect>& areas)
{
    std::string text;
    for (const ScreenRect& r : areas) {
        text += (text.empty() ? "" : " ") + std::to_string(r.left) + "," + std::to_string(r.top) + "-" +
                std::to_string(r.right) + "," + std::to_string(r.bottom);
    }
    return text;
}
}  // namespace

TEST(MonitorLayout, EveryMonitorButThePrimaryOneIsBlackedOut)
{
    const ScreenRect primary = {0, 0, 1920, 1080};
    const ScreenRect left = {-1280, -200, 0, 824};      // smaller, to the left and higher
    const ScreenRect right = {1920, 300, 4480, 1740};   // larger, to the right and lower
    const ScreenRect above = {0, -768, 1024, 0};
    const struct {
        const char* situation;
        std::vector<Monitor> monitors;
        const char* black;
    } cases[] = {
        {"one monitor", {{primary, true}}, ""},
        {"no monitor reported", {}, ""},
        {"two, the primary listed second", {{left, false}, {primary, true}}, "-1280,-200-0,824"},
        {"three of different sizes", {{primary, true}, {right, false}, {left, false}}, "1920,300-4480,1740 -1280,-200-0,824"},
        {"primary above a secondary at the origin", {{above, true}, {primary, false}}, "0,0-1920,1080"},
        {"none flagged: the one at the origin plays", {{left, false}, {primary, false}, {above, false}}, "-1280,-200-0,824 0,-768-1024,0"},
        {"none flagged, none at the origin: the first plays", {{right, false}, {left, false}}, "-1280,-200-0,824"},
        {"a mirrored monitor", {{primary, true}, {primary, false}, {right, false}, {right, false}}, "1920,300-4480,1740"},
        {"empty areas are no monitors", {{{5, 5, 5, 900}, true}, {primary, false}, {{10, 10, 0, 0}, false}}, ""},
        {"a monitor inside the primary one", {{primary, true}, {{100, 100, 900, 700}, false}}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Describe(BlackedOutMonitors(c.monitors)), c.black) << c.situation;
}
