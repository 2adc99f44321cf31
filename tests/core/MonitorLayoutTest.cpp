#include <gtest/gtest.h>

#include <string>

#include "app/MonitorLayout.h"

TEST(MonitorLayout, EveryMonitorButThePrimaryOneIsBlackedOut)
{
    const ScreenRect primary = {0, 0, 1920, 1080}, left = {-1280, -200, 0, 824}, right = {1920, 300, 4480, 1740};
    const struct {
        const char* situation;
        std::vector<Monitor> monitors;
        const char* black;
    } cases[] = {
        {"one monitor", {{primary, true}}, ""},
        {"none reported", {}, ""},
        {"three of different sizes, the primary listed second", {{right, false}, {primary, true}, {left, false}},
         "1920,300-4480,1740 -1280,-200-0,824"},
        {"none flagged: the one at the origin plays", {{left, false}, {primary, false}}, "-1280,-200-0,824"},
        {"none flagged, none at the origin: the first plays", {{right, false}, {left, false}}, "-1280,-200-0,824"},
        {"mirrored, empty or inside the primary",
         {{primary, true}, {right, false}, {right, false}, {{5000, 0, 5000, 500}, false}, {{5, 5, 99, 99}, false}},
         "1920,300-4480,1740"},
    };
    for (const auto& c : cases) {
        std::string black;
        for (const ScreenRect& r : BlackedOutMonitors(c.monitors)) {
            black += (black.empty() ? "" : " ") + std::to_string(r.left) + "," + std::to_string(r.top) + "-" +
                     std::to_string(r.right) + "," + std::to_string(r.bottom);
        }
        EXPECT_EQ(black, c.black) << c.situation;
    }
}
