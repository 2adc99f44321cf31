#include "engine/DrawTarget.h"

void CopyBlockByPixels(DrawTarget& target, int32_t x, int32_t y, int32_t width, int32_t height,
                       const DrawTarget& source, int32_t sourceX, int32_t sourceY)
{
    for (int64_t row = 0; row < height; ++row) {
        for (int64_t column = 0; column < width; ++column) {
            int64_t fromX = sourceX + column, fromY = sourceY + row;
            int64_t toX = x + column, toY = y + row;
            if (fromX < INT32_MIN || fromX > INT32_MAX || fromY < INT32_MIN || fromY > INT32_MAX) continue;
            if (toX < INT32_MIN || toX > INT32_MAX || toY < INT32_MIN || toY > INT32_MAX) continue;
            ColorRef colour = source.GetPixel(static_cast<int32_t>(fromX), static_cast<int32_t>(fromY));
            if (colour == InvalidColor) continue;
            target.SetPixel(static_cast<int32_t>(toX), static_cast<int32_t>(toY), colour);
        }
    }
}
