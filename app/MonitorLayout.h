// Where the full-screen screen saver goes when the desktop spans several monitors: the show plays on
// the primary monitor (a display mode of its own with DirectDraw, a window of the monitor's size with
// GDI), and every other monitor is covered in black, so that no monitor keeps showing the desktop.
#pragma once
#include <cstdint>
#include <vector>

// A rectangle of the virtual screen; right and bottom are exclusive. Monitors left of or above the
// primary one have negative coordinates.
struct ScreenRect {
    int32_t left, top, right, bottom;
    bool operator==(const ScreenRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

struct Monitor {
    ScreenRect area;
    bool primary;
};

// The areas to cover in black: every monitor but the primary one, each area once (mirrored monitors
// report the same one), leaving out empty areas and those that lie within the primary monitor. The
// primary monitor is the one so flagged, else the one at the origin, else the first.
std::vector<ScreenRect> BlackedOutMonitors(const std::vector<Monitor>& monitors);
