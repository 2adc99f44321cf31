#include "render/Plot.h"

#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/Spark.h"
#include "engine/World.h"

namespace {
bool OnSurface(const SurfaceView& surface, int32_t column, int32_t row)
{
    return column >= 0 && row >= 0 && static_cast<uint32_t>(column) < surface.width &&
           static_cast<uint32_t>(row) < surface.height;
}

void Store(const SurfaceView& surface, int32_t column, int32_t row, Pixel colour)
{
    SurfaceRow(surface, row)[column] = colour;
}

void Add(const SurfaceView& surface, int32_t column, int32_t row, Pixel colour, const PixelFormat& format)
{
    uint32_t* word = SurfaceRow(surface, row) + column;
    *word = format.AddSaturated(*word, colour);
}

// The four neighbours of a big spark that lie on the surface; (column, row) is on it already.
template <class Write>
void ForNeighbours(const SurfaceView& surface, int32_t column, int32_t row, Write write)
{
    if (column > 0) write(column - 1, row);
    if (static_cast<uint32_t>(column) + 1 < surface.width) write(column + 1, row);
    if (row > 0) write(column, row - 1);
    if (static_cast<uint32_t>(row) + 1 < surface.height) write(column, row + 1);
}

// The reflection of a big spark on the ground. The row is drawn from a triangular spread over the
// bottom 32 rows (weighted towards the top of the band), the column within five of the spark's. The
// draws happen in the order a, b, d every time so that the random sequence never depends on where
// the glint lands; a glint outside the surface (near the side edges, or anywhere on a surface shorter
// than 32 rows) is dropped rather than wrapped into a neighbouring row.
void Glint(const SurfaceView& surface, int32_t column, Pixel colour)
{
    uint32_t a = Rand() % 30;
    uint32_t b = Rand() % (a + 1);
    uint32_t d = Rand() % 11;
    int64_t row = static_cast<int64_t>(surface.height) - 32 + b;
    int64_t glintColumn = static_cast<int64_t>(column) - 5 + d;
    if (row < 0 || row >= surface.height || glintColumn < 0 || glintColumn >= surface.width) return;
    Store(surface, static_cast<int32_t>(glintColumn), static_cast<int32_t>(row), colour);
}

void PlotSurfaceMono(const Spark& spark, const SurfaceView& surface, const World& world)
{
    int32_t column, row;
    if (!world.Project(spark.x, spark.y, spark.z, &column, &row)) return;
    // The world and the surface always have the same size in the show; a mismatch draws nothing.
    if (!OnSurface(surface, column, row)) return;
    Pixel colour = spark.colour;
    Store(surface, column, row, colour);
    if (spark.big == 0) return;
    ForNeighbours(surface, column, row, [&](int32_t c, int32_t r) { Store(surface, c, r, colour); });
    Glint(surface, column, colour);
}

void AddEye(const SurfaceView& surface, int32_t column, int32_t row, bool big, Pixel colour, const PixelFormat& format)
{
    Add(surface, column, row, colour, format);
    if (big) ForNeighbours(surface, column, row, [&](int32_t c, int32_t r) { Add(surface, c, r, colour, format); });
}

void PlotSurfaceStereo(const Spark& spark, const SurfaceView& surface, const World& world)
{
    int32_t left, row, right;
    if (!world.Project(spark.x, spark.y, spark.z, &left, &row, &right)) return;
    if (!OnSurface(surface, left, row)) return;
    const PixelFormat& format = GlobalPixelFormat();
    bool big = spark.big != 0;
    AddEye(surface, left, row, big, format.colorRed, format);
    if (OnSurface(surface, right, row)) AddEye(surface, right, row, big, format.colorBlue, format);
}

void PaintPlus(DrawTarget& target, int32_t column, int32_t row, ColorRef colour)
{
    target.SetPixel(column + 1, row, colour);
    target.SetPixel(column - 1, row, colour);
    target.SetPixel(column, row + 1, colour);
    target.SetPixel(column, row - 1, colour);
}

void PlotDcMono(const Spark& spark, DrawTarget& target, const World& world)
{
    int32_t column, row;
    if (!world.Project(spark.x, spark.y, spark.z, &column, &row)) return;
    ColorRef colour = GlobalPixelFormat().ToColorRef(spark.colour);
    target.SetPixel(column, row, colour);
    if (spark.big != 0) PaintPlus(target, column, row, colour);
}

void PlotDcStereo(const Spark& spark, DrawTarget& target, const World& world)
{
    int32_t left, row, right;
    if (!world.Project(spark.x, spark.y, spark.z, &left, &row, &right)) return;
    const PixelFormat& format = GlobalPixelFormat();
    bool big = spark.big != 0;
    if (left == right) {
        target.SetPixel(left, row, format.ToColorRef(format.colorWhite));
        if (big) PaintPlus(target, left, row, format.ToColorRef(format.Half(format.colorWhite)));
        return;
    }
    target.SetPixel(left, row, format.ToColorRef(format.colorRed));
    target.SetPixel(right, row, format.ToColorRef(format.colorCyan));
    if (big) {
        PaintPlus(target, left, row, format.ToColorRef(format.Half(format.colorRed)));
        PaintPlus(target, right, row, format.ToColorRef(format.Half(format.colorCyan)));
    }
}

// A point outside the backdrop has no colour to restore; the target is left alone there.
void RestorePixel(DrawTarget& target, const DrawTarget& backdrop, int32_t column, int32_t row)
{
    ColorRef colour = backdrop.GetPixel(column, row);
    if (colour != InvalidColor) target.SetPixel(column, row, colour);
}

void Restore(DrawTarget& target, const DrawTarget& backdrop, int32_t column, int32_t row, bool big)
{
    if (big) {
        target.CopyBlock(column - 1, row - 1, 3, 3, backdrop, column - 1, row - 1);
    } else {
        RestorePixel(target, backdrop, column, row);
    }
}
}  // namespace

void PlotSurface(const Spark& spark, const SurfaceView& surface, const World& world, uint32_t stereo)
{
    if (stereo == 0) {
        PlotSurfaceMono(spark, surface, world);
    } else if (stereo == 1) {
        PlotSurfaceStereo(spark, surface, world);
    }
}

void PlotDc(const Spark& spark, DrawTarget& target, const World& world, uint32_t stereo)
{
    if (stereo == 0) {
        PlotDcMono(spark, target, world);
    } else if (stereo == 1) {
        PlotDcStereo(spark, target, world);
    }
}

void EraseDc(const Spark& spark, DrawTarget& target, const DrawTarget& backdrop, const World& world, uint32_t stereo)
{
    bool big = spark.big != 0;
    if (stereo == 0) {
        int32_t column, row;
        if (!world.Project(spark.x, spark.y, spark.z, &column, &row)) return;
        Restore(target, backdrop, column, row, big);
    } else if (stereo == 1) {
        int32_t left, row, right;
        if (!world.Project(spark.x, spark.y, spark.z, &left, &row, &right)) return;
        Restore(target, backdrop, left, row, big);
        Restore(target, backdrop, right, row, big);
    }
}
