#include "engine/World.h"

#include "engine/SoundSink.h"

World::World(uint32_t startTime, uint32_t frameRate, SparkQueue& queue_, Fixed gravity_, Fixed wind_, uint32_t width_,
             uint32_t height_, SoundSink* sounds_)
    : now(startTime), framePeriod(1000u / (frameRate == 0 ? 1u : frameRate)), queue(queue_), gravity(gravity_),
      wind(wind_), width(width_), height(height_), halfWidth(width_ >> 1), halfHeight(height_ >> 1), sounds(sounds_),
      stats(nullptr), commandLimit(DefaultCommandLimit), frameBudget(DefaultFrameBudget), passCommands(0)
{
}

void World::Resize(uint32_t width_, uint32_t height_)
{
    width = width_;
    height = height_;
    halfWidth = width >> 1;
    halfHeight = height >> 1;
}

bool World::Project(Fixed x, Fixed y, Fixed z, int32_t* sx, int32_t* sy, int32_t* sx2) const
{
    if (z <= screenZ) return false;
    double k = width * ((static_cast<double>(screenZ) - eyeZ) / 32768.0) / ((static_cast<double>(z) - eyeZ) / 32768.0) / 3.5;
    int32_t column = TruncToInt32((static_cast<double>(x) - eyeX) / 32768.0 * k) + static_cast<int32_t>(halfWidth);
    int32_t row = static_cast<int32_t>(halfHeight) - TruncToInt32((static_cast<double>(y) - eyeY) / 32768.0 * k);
    *sx = column;
    *sy = row;
    if (sx2 != nullptr) {
        double right = static_cast<double>(x) - eyeX - FixedFromInt(256);
        *sx2 = TruncToInt32(right / 32768.0 * k) + static_cast<int32_t>(halfWidth);
    }
    return column >= 0 && column < static_cast<int32_t>(width) && row >= 0 && row < static_cast<int32_t>(height);
}

int32_t World::PanOf(Fixed x, Fixed y, Fixed z) const
{
    int32_t sx = 0, sy = 0;
    if (z <= screenZ) return 0;
    if (Project(x, y, z, &sx, &sy)) {
        if (halfWidth == 0) return 0;
        return WrapToInt32((static_cast<int64_t>(sx) - static_cast<int64_t>(halfWidth)) * 10000 / static_cast<int64_t>(halfWidth));
    }
    return sx > 0 ? 10000 : -10000;
}

void World::PlaySoundAt(int32_t n, Fixed x, Fixed y, Fixed z)
{
    if (sounds == nullptr) return;
    sounds->PlayEffect(n, 0, 10000, PanOf(x, y, z));
}
