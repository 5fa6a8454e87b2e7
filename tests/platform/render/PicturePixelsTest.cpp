// Pictures checked pixel by pixel at world points whose colour the drawing
// decides: inside fills and holes, on dashes and in gaps, either side of a
// wide line's edge, where a turned block puts its content.

#include <gtest/gtest.h>

#include <numbers>

#include "ZcDbArc.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCircle.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"
#include "ZcDbSortentsTable.h"
#include "tests/platform/render/RenderDrawing.h"

using namespace platform;

namespace {

constexpr double kPi = std::numbers::pi;

// Ten pixels per drawing unit: a point a few tenths of a unit inside or
// outside an edge is a few pixels from it, clear of its anti-aliasing.
constexpr double kRes = 10.0;

ZcDbLine* lineOf(ZcGePoint3d a, ZcGePoint3d b, int colourIndex)
{
    auto* l = new ZcDbLine(a, b);
    l->setDatabaseDefaults();
    l->setColorIndex(colourIndex);
    return l;
}

// A thin line of that colour passes within a pixel of the point.
bool line(const RasterPicture& p, double x, double y, Rgb colour) { return showsInk(p, x, y, colour, kWhite); }
bool blank(const RasterPicture& p, double x, double y) { return blankAround(p, x, y, kWhite); }

TEST(PictureHatch, HoleShowsBackgroundAndIslandIsFilledAgain)
{
    RenderDrawing d;
    addFrame(d, -5, -5, 35, 15);
    // Outer square, a hole, and an island inside the hole.
    d.append(solidHatch(1, {box(0, 0, 10, 10), box(2, 2, 8, 8), box(4, 4, 6, 6)}));
    const RasterPicture p = d.picture(kRes);
    EXPECT_EQ(colourAt(p, 1, 1), kRed);
    EXPECT_EQ(colourAt(p, 3, 5), kWhite) << "inside the hole";
    EXPECT_EQ(colourAt(p, 5, 5), kRed) << "the island in the hole";
    EXPECT_EQ(colourAt(p, 12, 5), kWhite) << "outside";
}

TEST(PictureHatch, OuterAndIgnoreStylesFillAsTheirNestingSays)
{
    RenderDrawing d;
    addFrame(d, -5, -5, 35, 15);
    const std::vector<std::vector<ZcGePoint2d>> loops = {box(0, 0, 10, 10), box(2, 2, 8, 8), box(4, 4, 6, 6)};
    d.append(solidHatch(3, loops, ZcDbHatch::kOuter));
    std::vector<std::vector<ZcGePoint2d>> moved;
    for (auto loop : loops) {
        for (auto& pt : loop)
            pt.x += 20;
        moved.push_back(loop);
    }
    d.append(solidHatch(5, moved, ZcDbHatch::kIgnore));
    const RasterPicture p = d.picture(kRes);
    // Outer: the ring only; the island stays empty.
    EXPECT_EQ(colourAt(p, 1, 1), kGreen);
    EXPECT_EQ(colourAt(p, 3, 5), kWhite);
    EXPECT_EQ(colourAt(p, 5, 5), kWhite);
    // Ignore: the outermost loop whole.
    EXPECT_EQ(colourAt(p, 21, 1), kBlue);
    EXPECT_EQ(colourAt(p, 23, 5), kBlue);
    EXPECT_EQ(colourAt(p, 25, 5), kBlue);
}

TEST(PictureLinetype, DashedPolylineHasGapsWhereItsPatternSays)
{
    RenderDrawing d;
    // Dash 2, gap 1 at scale 1; the entity's scale 4 and the drawing's 0.25 cancel.
    d.linetype("Kreski", {2.0, -1.0});
    d.db().setLtscale(0.25);
    ZcDbPolyline* p = polylineThrough({{0, 0}, {30, 0}});
    p->setLinetype("Kreski");
    p->setLinetypeScale(4.0);
    d.append(p);
    addFrame(d, -2, -5, 32, 5);
    const RasterPicture pic = d.picture(kRes);
    for (double x : {1.0, 4.0, 7.0, 28.0})
        EXPECT_TRUE(line(pic, x, 0, kBlack)) << "dash at " << x;
    for (double x : {2.5, 5.5, 8.5, 29.5})
        EXPECT_TRUE(blank(pic, x, 0)) << "gap at " << x;
}

TEST(PictureLinetype, GenerationAcrossVerticesOrAgainAtEach)
{
    RenderDrawing d;
    d.linetype("Kreski", {2.0, -1.0});
    // Vertices at 0, 4 and 30: across the vertex the pattern goes on (gap
    // at 5.5); started again at 4 it has a dash there.
    ZcDbPolyline* across = polylineThrough({{0, 0}, {4, 0}, {30, 0}});
    across->setLinetype("Kreski");
    across->setPlinegen(true);
    d.append(across);
    ZcDbPolyline* each = polylineThrough({{0, 5}, {4, 5}, {30, 5}});
    each->setLinetype("Kreski");
    d.append(each);
    addFrame(d, -2, -5, 32, 10);
    const RasterPicture pic = d.picture(kRes);
    EXPECT_TRUE(blank(pic, 5.5, 0));
    EXPECT_TRUE(line(pic, 5.5, 5, kBlack));
    // Segment 0..4 alone: dash 0..2, gap 2..3, dash 3..4.
    EXPECT_TRUE(blank(pic, 2.5, 5));
    EXPECT_TRUE(line(pic, 3.5, 5, kBlack));
}

TEST(PictureLinetype, LinetypeByLayerAndByBlock)
{
    RenderDrawing d;
    const ZcDbObjectId dashed = d.linetype("Kreski", {2.0, -1.0});
    d.layer("Przerywana", 7);
    {
        ZcDbLayerTableRecord* rec = nullptr;
        ZcDbLayerTable* table = nullptr;
        d.db().getLayerTable(table, ZcDb::kForRead);
        table->getAt("Przerywana", rec, ZcDb::kForWrite);
        table->close();
        rec->setLinetypeObjectId(dashed);
        rec->close();
    }
    auto* byLayer = lineOf({0, 0, 0}, {30, 0, 0}, 256);
    byLayer->setLayer("Przerywana");
    d.append(byLayer);
    // A block whose line takes the reference's linetype.
    const ZcDbObjectId blk = d.block("Kreska");
    auto* inner = lineOf({0, 0, 0}, {30, 0, 0}, 256);
    inner->setLinetype("ByBlock");
    d.appendTo(blk, inner);
    auto* ref = new ZcDbBlockReference({0, 5, 0}, blk);
    ref->setDatabaseDefaults();
    ref->setLinetype("Kreski");
    d.append(ref);
    addFrame(d, -2, -5, 32, 10);
    const RasterPicture pic = d.picture(kRes);
    EXPECT_TRUE(line(pic, 1.0, 0, kBlack));
    EXPECT_TRUE(blank(pic, 2.5, 0));
    EXPECT_TRUE(line(pic, 1.0, 5, kBlack));
    EXPECT_TRUE(blank(pic, 2.5, 5));
}

TEST(PictureBlock, ReferenceTurnedByNinetyDegreesPutsItsContentWhereTheTurnSays)
{
    RenderDrawing d;
    // A filled square to the right of the block's origin (5..7, 0..2),
    // the block's origin itself at (1, 0).
    const ZcDbObjectId blk = d.block("Kwadrat", {1, 0, 0});
    d.appendTo(blk, solidHatch(1, {box(6, 0, 8, 2)}));
    d.reference(d.db().modelSpaceId(), blk, {100, 100, 0}, kPi / 2);
    addFrame(d, 90, 90, 110, 110);
    const RasterPicture p = d.picture(kRes);
    // Local (x, y) relative to the origin goes to (100 - y, 100 + x).
    EXPECT_EQ(colourAt(p, 99, 106), kRed);
    EXPECT_EQ(colourAt(p, 106, 101), kWhite) << "where the unturned square would be";
}

TEST(PictureBlock, NestedScaledAndMirroredReferences)
{
    RenderDrawing d;
    const ZcDbObjectId inner = d.block("Wewnetrzny");
    d.appendTo(inner, solidHatch(3, {box(1, 1, 2, 2)}));
    const ZcDbObjectId outer = d.block("Zewnetrzny");
    // Inner block scaled by 2 at (1, 0): its square at (3..5, 2..4).
    d.reference(outer, inner, {1, 0, 0}, 0.0, 2.0, 2.0);
    // Mirrored in X at (50, 0): the square lands at (45..47, 2..4).
    d.reference(d.db().modelSpaceId(), outer, {50, 0, 0}, 0.0, -1.0, 1.0);
    // And unmirrored at (60, 0): at (63..65, 2..4).
    d.reference(d.db().modelSpaceId(), outer, {60, 0, 0});
    addFrame(d, 40, -5, 70, 10);
    const RasterPicture p = d.picture(kRes);
    EXPECT_EQ(colourAt(p, 46, 3), kGreen);
    EXPECT_EQ(colourAt(p, 54, 3), kWhite);
    EXPECT_EQ(colourAt(p, 64, 3), kGreen);
}

TEST(PictureBlock, MirroredArcKeepsItsPlace)
{
    RenderDrawing d;
    const ZcDbObjectId blk = d.block("Luk");
    // A quarter arc from (5, 0) round to (0, 5), radius 5 about the origin.
    auto* arc = new ZcDbArc({0, 0, 0}, 5.0, 0.0, kPi / 2);
    arc->setDatabaseDefaults();
    arc->setColorIndex(1);
    d.appendTo(blk, arc);
    d.reference(d.db().modelSpaceId(), blk, {20, 0, 0}, 0.0, -1.0, 1.0);
    addFrame(d, 10, -2, 30, 8);
    const RasterPicture p = d.picture(kRes);
    const double c = 5.0 / std::numbers::sqrt2;
    // Mirrored, the arc runs through (20 - c, c), not (20 + c, c).
    EXPECT_TRUE(line(p, 20 - c, c, kRed));
    EXPECT_TRUE(blank(p, 20 + c, c));
}

TEST(PictureBlock, ReferenceToItselfIsCutOff)
{
    RenderDrawing d;
    const ZcDbObjectId blk = d.block("Petla");
    d.appendTo(blk, lineOf({0, 0, 0}, {1, 0, 0}, 1));
    d.reference(blk, blk, {0, 1, 0});
    d.reference(d.db().modelSpaceId(), blk, {0, 0, 0});
    PictureSettings s;
    std::string error;
    std::vector<std::string> notices;
    ASSERT_TRUE(rasterPicture(d.db(), s, error, &notices)) << error;
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("Petla"), std::string::npos);
}

TEST(PictureWidth, WidePolylineIsAsWideAsItsWidth)
{
    RenderDrawing d;
    ZcDbPolyline* p = polylineThrough({{0, 0}, {20, 0}, {20, 20}});
    p->setConstantWidth(2.0);
    p->setColorIndex(1);
    d.append(p);
    addFrame(d, -5, -5, 25, 25);
    const RasterPicture pic = d.picture(kRes);
    EXPECT_EQ(colourAt(pic, 10, 0.8), kRed);
    EXPECT_EQ(colourAt(pic, 10, -0.8), kRed);
    EXPECT_EQ(colourAt(pic, 10, 1.2), kWhite);
    EXPECT_EQ(colourAt(pic, 10, -1.2), kWhite);
    // Square ends and a mitred corner.
    EXPECT_EQ(colourAt(pic, -0.2, 0), kWhite);
    EXPECT_EQ(colourAt(pic, 20.8, -0.8), kRed);
    EXPECT_EQ(colourAt(pic, 20, 20.2), kWhite);
}

TEST(PictureWidth, TaperedSegmentsWidenAlongTheirLength)
{
    RenderDrawing d;
    auto* p = new ZcDbPolyline;
    p->setDatabaseDefaults();
    p->addVertexAt(0, {0, 0}, 0.0, 0.0, 4.0);
    p->addVertexAt(1, {20, 0});
    p->setColorIndex(5);
    d.append(p);
    addFrame(d, -5, -5, 25, 5);
    const RasterPicture pic = d.picture(kRes);
    // Half-width 1 at x = 10, 1.5 at x = 15.
    EXPECT_EQ(colourAt(pic, 10, 0.8), kBlue);
    EXPECT_EQ(colourAt(pic, 10, 1.2), kWhite);
    EXPECT_EQ(colourAt(pic, 15, -1.3), kBlue);
    EXPECT_EQ(colourAt(pic, 15, -1.7), kWhite);
}

TEST(PictureWidth, WideArcSegmentIsARing)
{
    RenderDrawing d;
    auto* p = new ZcDbPolyline;
    p->setDatabaseDefaults();
    // A half circle of radius 5 about (5, 0), bulging below the chord.
    p->addVertexAt(0, {0, 0}, 1.0);
    p->addVertexAt(1, {10, 0});
    p->setConstantWidth(1.0);
    p->setColorIndex(1);
    d.append(p);
    addFrame(d, -3, -8, 13, 6);
    const RasterPicture pic = d.picture(kRes);
    EXPECT_EQ(colourAt(pic, 5, -5.3), kRed);
    EXPECT_EQ(colourAt(pic, 5, -4.7), kRed);
    EXPECT_EQ(colourAt(pic, 5, -5.7), kWhite);
    EXPECT_EQ(colourAt(pic, 5, -4.3), kWhite);
    EXPECT_EQ(colourAt(pic, 5, 5), kWhite) << "the other half of the circle";
}

TEST(PictureWidth, DashedWidePolylineHasWideDashes)
{
    RenderDrawing d;
    d.linetype("Kreski", {2.0, -1.0});
    ZcDbPolyline* p = polylineThrough({{0, 0}, {30, 0}});
    p->setConstantWidth(1.0);
    p->setLinetype("Kreski");
    d.append(p);
    addFrame(d, -2, -5, 32, 5);
    const RasterPicture pic = d.picture(kRes);
    EXPECT_EQ(colourAt(pic, 1.0, 0.3), kBlack);
    EXPECT_EQ(colourAt(pic, 2.5, 0.3), kWhite);
    EXPECT_EQ(colourAt(pic, 2.5, 0.0), kWhite);
}

TEST(PictureWidth, WidthNarrowerThanAPixelStillShows)
{
    RenderDrawing d;
    ZcDbPolyline* p = polylineThrough({{0, 0}, {100, 0}});
    p->setConstantWidth(0.01);
    d.append(p);
    addFrame(d, -5, -50, 105, 50);
    const RasterPicture pic = d.picture(1.0);
    EXPECT_TRUE(line(pic, 50.5, 0.0, kBlack));
}

TEST(PictureColour, ByLayerByBlockTrueColourAndIndexSeven)
{
    RenderDrawing d;
    d.layer("Zielona", 3);
    auto* byLayer = lineOf({0, 0, 0}, {10, 0, 0}, 256);
    byLayer->setLayer("Zielona");
    d.append(byLayer);
    // Block content by block, in a reference coloured red.
    const ZcDbObjectId blk = d.block("PoBloku");
    d.appendTo(blk, lineOf({0, 0, 0}, {10, 0, 0}, 0));
    const ZcDbObjectId ref = d.reference(d.db().modelSpaceId(), blk, {0, 2, 0});
    {
        ZcDbEntity* e = nullptr;
        zcdbOpenObject(e, ref, ZcDb::kForWrite);
        e->setColorIndex(1);
        e->close();
    }
    auto* trueColour = lineOf({0, 4, 0}, {10, 4, 0}, 256);
    ZcCmColor c;
    c.setRGB(10, 120, 230);
    trueColour->setColor(c);
    d.append(trueColour);
    d.append(lineOf({0, 6, 0}, {10, 6, 0}, 7));
    // By block at the top level draws as index 7.
    d.append(lineOf({0, 8, 0}, {10, 8, 0}, 0));
    addFrame(d, -2, -2, 12, 10);

    const RasterPicture light = d.picture(kRes);
    EXPECT_TRUE(line(light, 5, 0, kGreen));
    EXPECT_TRUE(line(light, 5, 2, kRed));
    EXPECT_TRUE(line(light, 5, 4, Rgb{10, 120, 230}));
    EXPECT_TRUE(line(light, 5, 6, kBlack));
    EXPECT_TRUE(line(light, 5, 8, kBlack));
    EXPECT_TRUE(blank(light, 5, 5));

    const Rgb darkGround = backgroundColour(PictureSettings::Background::Dark);
    const RasterPicture dark = d.picture(kRes, PictureSettings::Background::Dark);
    EXPECT_TRUE(showsInk(dark, 5, 6, kWhite, darkGround));
    EXPECT_TRUE(showsInk(dark, 5, 8, kWhite, darkGround));
    EXPECT_TRUE(showsInk(dark, 5, 0, kGreen, darkGround));
    EXPECT_TRUE(blankAround(dark, 5, 5, darkGround));
}

TEST(PictureLayers, SwitchedOffOrFrozenLayersAreNotDrawn)
{
    RenderDrawing d;
    d.layer("Wylaczona", 1, true, false);
    d.layer("Zamrozona", 1, false, true);
    d.layer("Widoczna", 1);
    for (auto [name, y] : {std::pair{"Wylaczona", 0.0}, {"Zamrozona", 2.0}, {"Widoczna", 4.0}}) {
        auto* l = lineOf({0, y, 0}, {10, y, 0}, 256);
        l->setLayer(name);
        d.append(l);
    }
    addFrame(d, -2, -2, 12, 6);
    const RasterPicture p = d.picture(kRes);
    EXPECT_TRUE(blank(p, 5, 0));
    EXPECT_TRUE(blank(p, 5, 2));
    EXPECT_TRUE(line(p, 5, 4, kRed));
}

TEST(PictureLayers, ReferenceOnALayerOffHidesOnlyWhatTakesItsLayer)
{
    RenderDrawing d;
    d.layer("Wylaczona", 1, true, false);
    d.layer("Zamrozona", 1, false, true);
    d.layer("Wlasna", 3);
    const ZcDbObjectId blk = d.block("Dwie");
    d.appendTo(blk, lineOf({0, 0, 0}, {10, 0, 0}, 256));  // on layer 0: takes the reference's
    auto* own = lineOf({0, 1, 0}, {10, 1, 0}, 256);
    own->setLayer("Wlasna");
    d.appendTo(blk, own);
    for (auto [name, y] : {std::pair{"Wylaczona", 0.0}, {"Zamrozona", 5.0}}) {
        const ZcDbObjectId ref = d.reference(d.db().modelSpaceId(), blk, {0, y, 0});
        ZcDbEntity* e = nullptr;
        zcdbOpenObject(e, ref, ZcDb::kForWrite);
        e->setLayer(name);
        e->close();
    }
    addFrame(d, -2, -2, 12, 8);
    const RasterPicture p = d.picture(kRes);
    EXPECT_TRUE(blank(p, 5, 0));
    EXPECT_TRUE(line(p, 5, 1, kGreen)) << "its own layer is on";
    EXPECT_TRUE(blank(p, 5, 5));
    EXPECT_TRUE(blank(p, 5, 6)) << "a frozen reference shows nothing";
}

TEST(PictureOrder, DrawOrderTablePutsEntitiesOnTop)
{
    RenderDrawing d;
    const ZcDbObjectId red = d.append(solidHatch(1, {box(0, 0, 10, 10)}));
    d.append(solidHatch(3, {box(5, 0, 15, 10)}));
    addFrame(d, -2, -2, 17, 12);
    EXPECT_EQ(colourAt(d.picture(kRes), 7, 5), kGreen) << "later on top";
    {
        ZcDbBlockTableRecord* ms = nullptr;
        zcdbOpenObject(ms, d.db().modelSpaceId(), ZcDb::kForWrite);
        ZcDbSortentsTable* order = nullptr;
        ASSERT_EQ(ms->getSortentsTable(order, ZcDb::kForWrite, true), Zcad::eOk);
        ZcDbObjectIdArray ids;
        ids.append(red);
        order->moveToTop(ids);
        order->close();
        ms->close();
    }
    EXPECT_EQ(colourAt(d.picture(kRes), 7, 5), kRed);
}

TEST(PictureLeader, ArrowheadAtTheFirstVertex)
{
    RenderDrawing d;
    auto* l = new ZcDbLeader;
    l->setDatabaseDefaults();
    l->setColorIndex(1);
    l->appendVertex({0, 0, 0});
    l->appendVertex({20, 0, 0});
    l->appendVertex({20, 10, 0});
    d.append(l);
    addFrame(d, -5, -5, 25, 15);
    const RasterPicture p = d.picture(kRes);
    // The arrow: tip at the origin, kLeaderArrowSize long, a third as wide at its base.
    EXPECT_EQ(colourAt(p, 2.0, 0.25), kRed);
    EXPECT_EQ(colourAt(p, 2.0, -0.25), kRed);
    EXPECT_EQ(colourAt(p, 2.0, 0.6), kWhite);
    EXPECT_TRUE(blank(p, 10.0, 0.3)) << "past the arrow only the line";
    EXPECT_TRUE(line(p, 10.0, 0.0, kRed));
    EXPECT_TRUE(line(p, 20.0, 5.0, kRed));
}

TEST(PictureCurves, CircleAndArcOnTheirRadius)
{
    RenderDrawing d;
    auto* c = new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5.0);
    c->setDatabaseDefaults();
    c->setColorIndex(1);
    d.append(c);
    auto* a = new ZcDbArc({20, 0, 0}, 5.0, 0.0, kPi);
    a->setDatabaseDefaults();
    a->setColorIndex(5);
    d.append(a);
    const RasterPicture p = d.picture(kRes);
    EXPECT_TRUE(line(p, 0, -5, kRed));
    EXPECT_TRUE(blank(p, 0, 0));
    EXPECT_TRUE(line(p, 20, 5, kBlue));
    EXPECT_TRUE(blank(p, 20, -5)) << "the arc runs counter-clockwise from 0 to 180 degrees";
}

}  // namespace
