// Test helpers for drawing: a world with the show's viewing geometry, sparks placed at a chosen
// screen pixel, and a 32-bit surface with a guard band around it that catches writes outside.
#pragma once
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/Fixed.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/SurfaceView.h"
#include "engine/World.h"

inline World ShowWorld(SparkQueue& queue, uint32_t width, uint32_t height)
{
    return World(0, 50, queue, FixedFromInt(-980), FixedFromInt(100), width, height);
}

// A new spark at depth z whose left eye sees it at (column, row). `placed` is false when the world
// cannot show that pixel at that depth. The world coordinate aims at the middle of the pixel, so
// the projection's truncation lands on it.
inline std::unique_ptr<Spark> SparkAt(const World& world, int32_t column, int32_t row, Fixed z, Pixel colour, bool big,
                                      bool* placed)
{
    double k = world.width * ((static_cast<double>(world.screenZ) - world.eyeZ) / 32768.0) /
               ((static_cast<double>(z) - world.eyeZ) / 32768.0) / 3.5;
    auto toward = [k](double eye, int32_t offset) {
        return eye + (offset + (offset > 0 ? 0.5 : offset < 0 ? -0.5 : 0.0)) / k;
    };
    double x = toward(world.eyeX / 32768.0, column - static_cast<int32_t>(world.halfWidth));
    double y = toward(world.eyeY / 32768.0, static_cast<int32_t>(world.halfHeight) - row);
    std::unique_ptr<Spark> spark(new Spark(0, 0, nullptr, FixedFromReal(x), FixedFromReal(y), z, 0, 0, 0, colour));
    spark->big = big ? 1 : 0;
    int32_t sx = -1, sy = -1;
    *placed = world.Project(spark->x, spark->y, spark->z, &sx, &sy) && sx == column && sy == row;
    return spark;
}

inline int32_t RightEyeColumn(const World& world, const Spark& spark)
{
    int32_t sx, sy, sx2 = INT32_MIN;
    world.Project(spark.x, spark.y, spark.z, &sx, &sy, &sx2);
    return sx2;
}

// width x height words inside a one-word guard band on every side (and one spare word per row, so
// the pitch is not simply the width).
class GuardedSurface {
public:
    static constexpr uint32_t Guard = 0x00A5A5A5u;

    GuardedSurface(uint32_t width_, uint32_t height_, uint32_t fill = 0)
        : width(width_), height(height_), stride(width_ + 3), words(static_cast<size_t>(stride) * (height_ + 2), Guard)
    {
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < width; ++x) At(x, y) = fill;
        }
    }

    SurfaceView View() { return SurfaceView{height, width, static_cast<int32_t>(stride * 4), &words[stride + 1]}; }
    uint32_t& At(uint32_t x, uint32_t y) { return words[static_cast<size_t>(y + 1) * stride + x + 1]; }

    // True when no word outside the visible area has changed.
    bool GuardIntact() const
    {
        for (size_t i = 0; i < words.size(); ++i) {
            size_t row = i / stride, column = i % stride;
            bool inside = row >= 1 && row <= height && column >= 1 && column <= width;
            if (!inside && words[i] != Guard) return false;
        }
        return true;
    }

    // Pixels inside that differ from `fill`, as (x, y) pairs.
    std::vector<std::pair<uint32_t, uint32_t>> Changed(uint32_t fill)
    {
        std::vector<std::pair<uint32_t, uint32_t>> changed;
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < width; ++x) {
                if (At(x, y) != fill) changed.push_back(std::make_pair(x, y));
            }
        }
        return changed;
    }

    uint32_t width, height, stride;
    std::vector<uint32_t> words;
};
