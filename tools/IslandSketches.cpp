// Draws the island dialog's two sketches from the constructions themselves:
// each island kind drawn with a crossing, the roundabout's circle, and each
// parameter's name at the dimension it names, rendered as a 256-colour
// bitmap of 500 x 300 pixels. Usage: island_sketches TRIANGULAR.bmp PARALLEL.bmp

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ZcDbArc.h"
#include "ZcDbDatabase.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "islands/IslandParameters.h"
#include "islands/ParallelIsland.h"
#include "islands/TriangularIsland.h"
#include "platform/render/IndexedBitmap.h"
#include "platform/render/Picture.h"
#include "platform/render/PictureFile.h"
#include "services/DatabaseServices.h"

using platform::backgroundColour;
using platform::indexedBitmapFile;
using platform::PictureSettings;
using platform::RasterPicture;
using platform::rasterPicture;
using platform::writeFileWhole;

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 300;
constexpr double kLabelHeight = 1.1;  // drawing units: about 14 pixels in the sketch
constexpr double kTick = 0.35;        // half length of a dimension's end ticks

// Colour indexes: the island green, kerbs black, the circle grey,
// dimensions and names blue.
constexpr int kIslandColour = 3;
constexpr int kKerbColour = 7;
constexpr int kCircleColour = 8;
constexpr int kDimensionColour = 5;

void append(ZcDbEntity* entity, int colour)
{
    entity->setColorIndex(colour);
    if (AppendToModelSpace(entity))
        entity->close();
    else
        delete entity;
}

void addLine(ZcGePoint3d a, ZcGePoint3d b, int colour = kDimensionColour)
{
    append(new ZcDbLine(a, b), colour);
}

void addLabel(ZcGePoint3d at, const char* text, ZcDbMText::AttachmentPoint attachment = ZcDbMText::kMiddleCenter)
{
    auto* label = new ZcDbMText;
    label->setLocation(at);
    label->setTextHeight(kLabelHeight);
    label->setAttachment(attachment);
    label->setContents(text);
    append(label, kDimensionColour);
}

// A dimension between a and b drawn `offset` to their left (seen from a to
// b), with ticks at its ends and the name beside its middle.
void addDimension(ZcGePoint3d a, ZcGePoint3d b, double offset, const char* name)
{
    const ZcGeVector3d along = (b - a).normal();
    const ZcGeVector3d left(-along.y, along.x, 0.0);
    const ZcGePoint3d da = a + left * offset, db = b + left * offset;
    addLine(da, db);
    for (const ZcGePoint3d& end : {da, db})
        addLine(end - left * kTick, end + left * kTick);
    const double side = offset < 0.0 ? -1.0 : 1.0;
    addLabel(da + (db - da) * 0.5 + left * (side * 0.9), name);
}

// A radius: a line of length |shown| along the radius through a point on
// the arc, inside the arc (shown > 0) or outside it where the inside is
// crowded, named at its free end; far centres stay out of the sketch.
void addRadius(ZcGePoint3d centre, ZcGePoint3d onArc, double shown, const char* name)
{
    const ZcGeVector3d towards = (onArc - centre).normal();
    const ZcGePoint3d start = onArc - towards * shown;
    addLine(start, onArc);
    addLabel(start + (start - onArc).normal() * 0.8, name);
}

void drawPolylines(const std::vector<IslandPolyline>& polylines, const std::vector<int>& colours)
{
    for (size_t i = 0; i < polylines.size(); ++i) {
        auto* pline = new ZcDbPolyline;
        for (const IslandVertex& v : polylines[i].vertices)
            pline->addVertexAt(pline->numVerts(), v.point, v.bulge);
        pline->setClosed(polylines[i].closed);
        append(pline, colours[std::min(i, colours.size() - 1)]);
    }
}

// The roundabout's circle near the entry, and the road's axis.
void drawSurroundings(ZcGePoint3d centre, double radius, double axisEnd)
{
    append(new ZcDbArc(centre, radius, -0.75, 0.75), kCircleColour);
    addLine({-2.0, 0.0, 0.0}, {axisEnd, 0.0, 0.0}, kCircleColour);
}

IslandParameters sketchParameters(IslandKind kind)
{
    IslandParameters p;
    applyKindValues(p, kind);
    p.L1 = 2.5;  // a crossing, so that L1 and L2 have something to name
    p.L2 = 4.0;
    return p;
}

bool drawTriangular()
{
    const IslandParameters p = sketchParameters(IslandKind::kTriangular);
    const TriangularIslandResult r = BuildTriangularIsland(p, {0, 0, 0}, {10, 0, 0});
    if (r.polylines.empty())
        return false;
    const TriangularIsland& t = r.island;
    drawSurroundings(t.mainRondCenter, p.R, t.inlet.op1.x + 2.0);
    // Island parts, the triangle, the two kerbs.
    drawPolylines(r.polylines, {kIslandColour, kIslandColour, kCircleColour, kKerbColour, kKerbColour});

    addDimension(t.sup, t.swp, 3.0, "S");
    addDimension({0, 0, 0}, t.konCen, -(p.S / 2.0 + p.Su + 1.5), "L");
    addDimension(t.przejP1, t.przejP3, 1.4, "L2");
    addDimension(t.przejP3, t.swKp, 1.4, "L1");
    addLabel(t.swKp + (t.s3 - t.swKp) * 0.5 + ZcGeVector3d(0.0, 1.0, 0.0), "A", ZcDbMText::kBottomCenter);
    addDimension(t.swR1p2 + (t.swKp - t.swR1p2) * 0.45, ProjectToLine(t.swR1p2 + (t.swKp - t.swR1p2) * 0.45,
                                                                        t.inlet.kerbLine[0], t.inlet.kerbLine[1]),
                 0.0, "Sw");
    addDimension(ProjectToLine(t.suR1p2 + (t.suKp - t.suR1p2) * 0.45, t.outlet.kerbLine[0], t.outlet.kerbLine[1]),
                 t.suR1p2 + (t.suKp - t.suR1p2) * 0.45, 0.0, "Su");
    const double edgeX = t.inlet.op1.x + 1.0;
    addDimension({edgeX, -p.Sd / 2.0, 0}, {edgeX, p.Sd / 2.0, 0}, -1.0, "Sd");
    addRadius(t.swR1Cen, t.swR1p1 + (t.swR1p2 - t.swR1p1) * 0.5, -1.5, "R1");
    addRadius(t.inlet.arc.centre, t.inlet.arc.onKerb + (t.inlet.arc.onCircle - t.inlet.arc.onKerb) * 0.5, 3.0, "Rw");
    addRadius(t.outlet.arc.centre, t.outlet.arc.onKerb + (t.outlet.arc.onCircle - t.outlet.arc.onKerb) * 0.5, 3.0,
              "Ru");
    addRadius(t.inlet.breakCentre, t.inlet.op1 + (t.inlet.op2 - t.inlet.op1) * 0.5, 3.0, "Rw1");
    addRadius(t.outlet.breakCentre, t.outlet.op1 + (t.outlet.op2 - t.outlet.op1) * 0.5, 3.0, "Ru1");
    addRadius(t.mainRondCenter, PolarPoint(t.mainRondCenter, p.R, 0.5), 4.0, "R");
    return true;
}

bool drawParallel()
{
    const IslandParameters p = sketchParameters(IslandKind::kParallel);
    const ParallelIslandResult r = BuildParallelIsland(p, {0, 0, 0}, {10, 0, 0});
    if (r.polylines.empty())
        return false;
    const ParallelIsland& t = r.island;
    drawSurroundings(t.mainRondCenter, p.R, t.inlet.edgeBreak[2].x + 2.0);
    // The taper, the two kerbs, the island parts.
    drawPolylines(r.polylines, {kCircleColour, kKerbColour, kKerbColour, kIslandColour, kIslandColour});

    addDimension(t.suSP, t.swSP, 3.0, "S");
    addDimension(t.suSP, t.suEP, -(p.Su + 1.5), "L");
    addDimension(t.swCrossNear, t.swCrossFar, 1.2, "L2");
    addDimension(t.swCrossFar, t.swEP, 1.2, "L1");
    addLabel(t.swEP + (t.s3 - t.swEP) * 0.5 + ZcGeVector3d(0.0, 0.6, 0.0), "A", ZcDbMText::kBottomCenter);
    const ZcGePoint3d inletFoot = t.swSP + (t.swEP - t.swSP) * 0.3;
    addDimension(inletFoot, ProjectToLine(inletFoot, t.inlet.alongIsland[0], t.inlet.alongIsland[1]), 0.0, "Sw");
    const ZcGePoint3d outletFoot = t.suSP + (t.suEP - t.suSP) * 0.3;
    addDimension(ProjectToLine(outletFoot, t.outlet.alongIsland[0], t.outlet.alongIsland[1]), outletFoot, 0.0, "Su");
    const double edgeX = t.inlet.edgeBreak[2].x + 1.0;
    addDimension({edgeX, -p.Sd / 2.0, 0}, {edgeX, p.Sd / 2.0, 0}, -1.0, "Sd");
    addRadius(t.sRwCen, t.swSP1 + (t.swSP2 - t.swSP1) * 0.5, -1.5, "R1");
    addRadius(t.inlet.arc.centre, t.inlet.arc.onKerb + (t.inlet.arc.onCircle - t.inlet.arc.onKerb) * 0.5, 3.0, "Rw");
    addRadius(t.outlet.arc.centre, t.outlet.arc.onKerb + (t.outlet.arc.onCircle - t.outlet.arc.onKerb) * 0.5, 3.0,
              "Ru");
    addRadius(t.inlet.taperBreak[0], t.inlet.taperBreak[1] + (t.inlet.taperBreak[2] - t.inlet.taperBreak[1]) * 0.5,
              -2.5, "Rw1");
    addRadius(t.outlet.taperBreak[0],
              t.outlet.taperBreak[1] + (t.outlet.taperBreak[2] - t.outlet.taperBreak[1]) * 0.5, -2.5, "Ru1");
    addRadius(t.mainRondCenter, PolarPoint(t.mainRondCenter, p.R, 0.5), 4.0, "R");
    return true;
}

// The drawing's picture at the largest size that fits, centred on a
// 500 x 300 canvas of the background colour.
bool writeSketch(const ZcDbDatabase& db, const std::string& path)
{
    PictureSettings settings;
    std::string error;
    std::optional<RasterPicture> picture;
    for (int size = kWidth; size > 0; size -= 10) {
        settings.size = size;
        picture = rasterPicture(db, settings, error);
        if (!picture) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
            return false;
        }
        if (picture->width <= kWidth && picture->height <= kHeight)
            break;
    }
    RasterPicture canvas;
    canvas.width = kWidth;
    canvas.height = kHeight;
    canvas.pixels.assign(size_t(kWidth) * kHeight, backgroundColour(settings.background).packed());
    const int left = (kWidth - picture->width) / 2, top = (kHeight - picture->height) / 2;
    for (int y = 0; y < picture->height; ++y)
        std::copy_n(picture->pixels.begin() + std::ptrdiff_t(y) * picture->width, picture->width,
                    canvas.pixels.begin() + std::ptrdiff_t(y + top) * kWidth + left);
    if (!writeFileWhole(path, indexedBitmapFile(canvas), error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

bool makeSketch(bool (*draw)(), const std::string& path)
{
    ZcDbDatabase db;
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    const bool drawn = draw();
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    if (!drawn) {
        std::fprintf(stderr, "%s: the island of the sketch cannot be built\n", path.c_str());
        return false;
    }
    return writeSketch(db, path);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TRIANGULAR.bmp PARALLEL.bmp\n", argv[0]);
        return 2;
    }
    return makeSketch(drawTriangular, argv[1]) && makeSketch(drawParallel, argv[2]) ? 0 : 1;
}
