#include "tests/platform/render/RenderDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"

using namespace platform;

namespace {

template <class T>
struct ClosedAtEnd {
    T* object;
    ~ClosedAtEnd()
    {
        if (object)
            object->close();
    }
};

}  // namespace

ZcDbObjectId RenderDrawing::layer(const char* name, int colourIndex, bool off, bool frozen)
{
    ZcDbLayerTable* table = nullptr;
    db().getLayerTable(table, ZcDb::kForWrite);
    ClosedAtEnd<ZcDbLayerTable> t{table};
    auto* rec = new ZcDbLayerTableRecord;
    ClosedAtEnd<ZcDbLayerTableRecord> r{rec};
    rec->setName(name);
    ZcCmColor c;
    c.setColorIndex(colourIndex);
    rec->setColor(c);
    rec->setIsOff(off);
    rec->setIsFrozen(frozen);
    rec->setLinetypeObjectId(db().continuousLinetype());
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, rec), Zcad::eOk);
    return id;
}

ZcDbObjectId RenderDrawing::linetype(const char* name, std::initializer_list<double> dashes)
{
    ZcDbLinetypeTable* table = nullptr;
    db().getLinetypeTable(table, ZcDb::kForWrite);
    ClosedAtEnd<ZcDbLinetypeTable> t{table};
    auto* rec = new ZcDbLinetypeTableRecord;
    ClosedAtEnd<ZcDbLinetypeTableRecord> r{rec};
    rec->setName(name);
    rec->setNumDashes(int(dashes.size()));
    int i = 0;
    for (double d : dashes)
        rec->setDashLengthAt(i++, d);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, rec), Zcad::eOk);
    return id;
}

ZcDbObjectId RenderDrawing::block(const char* name, const ZcGePoint3d& origin)
{
    ZcDbBlockTable* table = nullptr;
    db().getBlockTable(table, ZcDb::kForWrite);
    ClosedAtEnd<ZcDbBlockTable> t{table};
    auto* rec = new ZcDbBlockTableRecord;
    ClosedAtEnd<ZcDbBlockTableRecord> r{rec};
    rec->setName(name);
    rec->setOrigin(origin);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, rec), Zcad::eOk);
    return id;
}

ZcDbObjectId RenderDrawing::appendTo(ZcDbObjectId blockId, ZcDbEntity* entity)
{
    ZcDbBlockTableRecord* rec = nullptr;
    EXPECT_EQ(zcdbOpenObject(rec, blockId, ZcDb::kForWrite), Zcad::eOk);
    ClosedAtEnd<ZcDbBlockTableRecord> r{rec};
    ClosedAtEnd<ZcDbEntity> e{entity};
    ZcDbObjectId id;
    if (rec) {
        EXPECT_EQ(rec->appendZcDbEntity(id, entity), Zcad::eOk);
    }
    return id;
}

ZcDbObjectId RenderDrawing::reference(ZcDbObjectId owner, ZcDbObjectId blockId, const ZcGePoint3d& at, double rotation,
                                      double sx, double sy)
{
    auto* ref = new ZcDbBlockReference(at, blockId);
    ref->setDatabaseDefaults(&db());
    ref->setRotation(rotation);
    ref->setScaleFactors(ZcGeScale3d(sx, sy, 1.0));
    return appendTo(owner, ref);
}

RasterPicture RenderDrawing::picture(double resolution, PictureSettings::Background background)
{
    PictureSettings settings;
    settings.resolution = resolution;
    settings.background = background;
    std::string error;
    std::optional<RasterPicture> p = rasterPicture(db(), settings, error);
    EXPECT_TRUE(p.has_value()) << error;
    return p ? *p : RasterPicture{};
}

ZcDbPolyline* polylineThrough(std::initializer_list<ZcGePoint2d> points, bool closed)
{
    auto* p = new ZcDbPolyline;
    p->setDatabaseDefaults();
    unsigned i = 0;
    for (const ZcGePoint2d& pt : points)
        p->addVertexAt(i++, pt);
    p->setClosed(closed);
    return p;
}

ZcDbHatch* solidHatch(int colourIndex, const std::vector<std::vector<ZcGePoint2d>>& loops,
                      ZcDbHatch::HatchStyle style)
{
    auto* h = new ZcDbHatch;
    h->setDatabaseDefaults();
    h->setPattern(ZcDbHatch::kPreDefined, "SOLID");
    h->setHatchStyle(style);
    h->setColorIndex(colourIndex);
    bool first = true;
    for (const auto& corners : loops) {
        ZcGePoint2dArray vertices;
        ZcGeDoubleArray bulges;
        for (const ZcGePoint2d& p : corners) {
            vertices.append(p);
            bulges.append(0.0);
        }
        EXPECT_EQ(h->appendLoop(first ? ZcDbHatch::kExternal : ZcDbHatch::kDefault, vertices, bulges), Zcad::eOk);
        first = false;
    }
    return h;
}

std::vector<ZcGePoint2d> box(double x0, double y0, double x1, double y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

Rgb colourAt(const RasterPicture& picture, double x, double y)
{
    int px = 0, py = 0;
    if (!picture.pixelOf(x, y, px, py))
        return {1, 2, 3};
    return picture.at(px, py);
}

double inkShare(Rgb pixel, Rgb ink, Rgb background)
{
    // A mix of ink and background is the same share along every channel
    // where they differ (up to rounding).
    double share = -1.0;
    const int px[] = {pixel.red, pixel.green, pixel.blue};
    const int in[] = {ink.red, ink.green, ink.blue};
    const int bg[] = {background.red, background.green, background.blue};
    for (int c = 0; c < 3; ++c) {
        if (in[c] == bg[c]) {
            if (std::abs(px[c] - bg[c]) > 3)
                return -1.0;
            continue;
        }
        const double s = double(px[c] - bg[c]) / double(in[c] - bg[c]);
        if (share >= 0.0 && std::fabs(s - share) > 0.05)
            return -1.0;
        share = s;
    }
    return share;
}

bool showsInk(const RasterPicture& picture, double x, double y, Rgb ink, Rgb background, double share)
{
    int px = 0, py = 0;
    if (!picture.pixelOf(x, y, px, py))
        return false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int qx = px + dx, qy = py + dy;
            if (qx >= 0 && qy >= 0 && qx < picture.width && qy < picture.height &&
                inkShare(picture.at(qx, qy), ink, background) >= share)
                return true;
        }
    return false;
}

bool blankAround(const RasterPicture& picture, double x, double y, Rgb background)
{
    int px = 0, py = 0;
    if (!picture.pixelOf(x, y, px, py))
        return false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int qx = px + dx, qy = py + dy;
            if (qx >= 0 && qy >= 0 && qx < picture.width && qy < picture.height &&
                !(picture.at(qx, qy) == background))
                return false;
        }
    return true;
}

ZcDbExtents inkBox(const RasterPicture& picture, Rgb background, double x0, double y0, double x1, double y1)
{
    const Affine2& m = picture.framing.worldToPicture;
    // Pixel columns and rows of the world box (y runs down in the picture).
    const int c0 = std::max(0, int(std::floor(m.xx * x0 + m.x0)));
    const int c1 = std::min(picture.width - 1, int(std::floor(m.xx * x1 + m.x0)));
    const int r0 = std::max(0, int(std::floor(m.yy * y1 + m.y0)));
    const int r1 = std::min(picture.height - 1, int(std::floor(m.yy * y0 + m.y0)));
    ZcDbExtents box;
    for (int y = r0; y <= r1; ++y)
        for (int x = c0; x <= c1; ++x)
            if (!(picture.at(x, y) == background)) {
                // The pixel's square, in world units.
                box.addPoint({(x - m.x0) / m.xx, (y + 1 - m.y0) / m.yy, 0.0});
                box.addPoint({(x + 1 - m.x0) / m.xx, (y - m.y0) / m.yy, 0.0});
            }
    return box;
}

ZcDbExtents inkBox(const RasterPicture& picture, Rgb background)
{
    const Affine2& m = picture.framing.worldToPicture;
    return inkBox(picture, background, -m.x0 / m.xx, (picture.height - m.y0) / m.yy, (picture.width - m.x0) / m.xx,
                  -m.y0 / m.yy);
}
