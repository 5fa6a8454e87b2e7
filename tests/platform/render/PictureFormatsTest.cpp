// The files a picture is written as: SVG that other programs parse and that
// lists the drawing's shapes, the same bytes for the same drawing, sizes as
// asked, and failures reported rather than half-written files.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "bench/NestedBlocks.h"
#include "tests/platform/render/RenderDrawing.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPaths.h"

using namespace platform;

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The standard output of a command and its exit status.
std::pair<std::string, int> run(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {output, -1};
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    return {output, ::pclose(pipe)};
}

// A drawing of one of each kind of shape.
void fillDrawing(RenderDrawing& d)
{
    d.append(solidHatch(1, {box(0, 0, 10, 10), box(3, 3, 7, 7)}));
    auto* l = new ZcDbLine({0, 12, 0}, {10, 12, 0});
    l->setDatabaseDefaults();
    l->setColorIndex(3);
    d.append(l);
    ZcDbPolyline* p = polylineThrough({{0, 15}, {10, 15}});
    p->setConstantWidth(0.5);
    p->setColorIndex(5);
    d.append(p);
    auto* m = new ZcDbMText;
    m->setDatabaseDefaults();
    m->setLocation({0, 20, 0});
    m->setTextHeight(1.0);
    m->setContents("Ab c");
    d.append(m);
}

std::string bytesOf(const ZcDbDatabase& db, PictureFormat format, const PictureSettings& settings = {})
{
    std::string error;
    const std::optional<std::string> bytes = pictureBytes(db, format, settings, error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or("");
}

TEST(PictureSvg, IsWellFormedAndListsTheDrawingsShapes)
{
    RenderDrawing d;
    fillDrawing(d);
    TempDir dir("picture-svg");
    const std::string path = dir.file("rysunek.svg");
    std::string error;
    ASSERT_TRUE(writePicture(d.db(), path, {}, error)) << error;
    const auto [listing, status] =
        run("/usr/bin/python3 " + std::string(testSourceDir()) + "/tests/platform/render/svg_shapes.py " + path);
    ASSERT_EQ(status, 0) << listing;
    std::map<std::string, int> shapes;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);)
        ++shapes[line];
    const std::map<std::string, int> expected = {
        {"background #ffffff", 1},
        {"fill #ff0000", 1},    // the hatch, hole and all, in one path
        {"stroke #00ff00", 1},  // the line
        {"fill #0000ff", 1},    // the wide polyline
        {"stroke #0000ff", 1},  // and its centre line
        {"glyph #000000", 3},   // A, b, c
    };
    EXPECT_EQ(shapes, expected) << listing;
}

TEST(PictureBytes, SameDrawingGivesTheSameBytesEveryTime)
{
    RenderDrawing d;
    fillDrawing(d);
    for (PictureFormat format : {PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf}) {
        const std::string first = bytesOf(d.db(), format);
        // Pictures made in between must not change the next one.
        bytesOf(d.db(), PictureFormat::Svg);
        bytesOf(d.db(), PictureFormat::Pdf);
        const std::string second = bytesOf(d.db(), format);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, second) << "format " << int(format);
    }
}

TEST(PictureBytes, FilesStartAsTheirFormatSaysAndPdfCarriesNoDate)
{
    RenderDrawing d;
    fillDrawing(d);
    EXPECT_EQ(bytesOf(d.db(), PictureFormat::Png).substr(1, 3), "PNG");
    EXPECT_EQ(bytesOf(d.db(), PictureFormat::Svg).substr(0, 5), "<?xml");
    const std::string pdf = bytesOf(d.db(), PictureFormat::Pdf);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(pdf.find("CreationDate"), std::string::npos);
}

TEST(PictureSize, LongerSideOrResolutionAsAsked)
{
    RenderDrawing d;
    d.append(polylineThrough({{0, 0}, {200, 100}}));
    PictureSettings s;
    s.size = 500;
    std::string error;
    auto p = rasterPicture(d.db(), s, error);
    ASSERT_TRUE(p) << error;
    EXPECT_EQ(p->width, 500);
    // 200 x 100 with a margin of 4 % of 200 all round: 216 x 116.
    EXPECT_NEAR(p->height, 500.0 * 116 / 216, 1.0);

    s.resolution = 2.0;
    p = rasterPicture(d.db(), s, error);
    ASSERT_TRUE(p) << error;
    EXPECT_EQ(p->width, 432);
    EXPECT_EQ(p->height, 232);
    int x = 0, y = 0;
    ASSERT_TRUE(p->pixelOf(0.0, 0.0, x, y));
    EXPECT_EQ(x, 16);
    EXPECT_EQ(y, 232 - 16);
}

TEST(PictureSize, TooLargeOrSenselessSettingsAreRefused)
{
    RenderDrawing d;
    d.append(polylineThrough({{0, 0}, {1000, 0}}));
    PictureSettings s;
    s.resolution = 1000.0;
    std::string error;
    EXPECT_FALSE(rasterPicture(d.db(), s, error));
    EXPECT_NE(error.find("resolution"), std::string::npos) << error;
    s.resolution = 0.0;
    s.size = 0;
    EXPECT_FALSE(rasterPicture(d.db(), s, error));
    EXPECT_NE(error.find("size"), std::string::npos) << error;
}

TEST(PictureSize, EmptyDrawingGivesAnEmptyPicture)
{
    RenderDrawing d;
    PictureSettings s;
    s.size = 64;
    std::string error;
    const auto p = rasterPicture(d.db(), s, error);
    ASSERT_TRUE(p) << error;
    EXPECT_EQ(p->width, 64);
    EXPECT_EQ(p->height, 64);
    for (uint32_t px : p->pixels)
        ASSERT_EQ(px, 0xFFFFFFu);
}

TEST(PictureFile, FailuresLeaveNothingBehindAndSayWhy)
{
    RenderDrawing d;
    fillDrawing(d);
    TempDir dir("picture-file");
    std::string error;
    EXPECT_FALSE(writePicture(d.db(), dir.file("plan.jpg"), {}, error));
    EXPECT_NE(error.find(".png, .svg or .pdf"), std::string::npos) << error;
    EXPECT_FALSE(writePicture(d.db(), dir.file("missing/plan.png"), {}, error));
    EXPECT_NE(error.find("missing/plan.png"), std::string::npos) << error;

    // An existing picture stays as it was when the new one cannot be made.
    const std::string path = dir.file("plan.png");
    ASSERT_TRUE(writePicture(d.db(), path, {}, error)) << error;
    const std::string before = readFile(path);
    PictureSettings huge;
    huge.resolution = 1e6;
    EXPECT_FALSE(writePicture(d.db(), path, huge, error));
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace

namespace {

// Extents of drawings of every size and place, and whether a picture of
// them can be framed (else the words its refusal must hold).
struct FramingCase {
    const char* name;
    ZcGePoint3d lo, hi;
    const char* refusal;  // null: framed
};

const FramingCase kFramingCases[] = {
    {"Ordinary", {0, 0, 0}, {200, 100, 0}, nullptr},
    {"TinyAtTheOrigin", {0, 0, 0}, {1e-300, 1e-300, 0}, nullptr},
    {"TinyFarAway", {1e9, 1e9, 0}, {1e9 + 1e-7, 1e9, 0}, nullptr},
    {"PointAtTheEdgeOfTheRange", {1e100, -1e100, 0}, {1e100, -1e100, 0}, nullptr},
    {"AsWideAsTheRange", {-1e100, -1e100, 0}, {1e100, 1e100, 0}, nullptr},
    {"WiderThanNumbersHold", {-1e308, 0, 0}, {1e308, 1, 0}, "too large to picture"},
    {"Infinite", {0, 0, 0}, {HUGE_VAL, 1, 0}, "not finite"},
};

class FramingOfExtents : public ::testing::TestWithParam<FramingCase> {};

}  // namespace

// Tiny or huge, a drawing is framed with the whole of it in the picture, by
// a map cairo accepts, or refused with a message that says why.
TEST_P(FramingOfExtents, FramedSanelyOrRefusedTruly)
{
    const FramingCase& c = GetParam();
    for (const bool byResolution : {false, true}) {
        PictureSettings s;
        s.size = 800;
        s.resolution = byResolution ? 1e-3 : 0.0;
        std::string error;
        const std::optional<Framing> f = frameExtents(ZcDbExtents(c.lo, c.hi), s, error);
        if (c.refusal) {
            ASSERT_FALSE(f);
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
            continue;
        }
        if (byResolution && !f) {
            // Large drawings at a fixed resolution may be too large, and say so in numbers.
            EXPECT_NE(error.find("the picture would be"), std::string::npos) << error;
            EXPECT_EQ(error.find('-'), std::string::npos) << "no negative sizes: " << error;
            continue;
        }
        ASSERT_TRUE(f) << error;
        EXPECT_GE(f->width, 1);
        EXPECT_GE(f->height, 1);
        EXPECT_LE(std::max(f->width, f->height), kMaxPictureSide);
        const Affine2& m = f->worldToPicture;
        ASSERT_TRUE(m.isFinite());
        EXPECT_TRUE(std::isfinite(m.det()) && m.det() != 0.0) << "cairo inverts the map";
        for (const ZcGePoint3d& corner : {c.lo, c.hi}) {
            const ZcGePoint2d p = m.apply(ZcGePoint2d(corner.x, corner.y));
            EXPECT_GE(p.x, 0.0);
            EXPECT_LE(p.x, f->width);
            EXPECT_GE(p.y, 0.0);
            EXPECT_LE(p.y, f->height);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PictureSize, FramingOfExtents, ::testing::ValuesIn(kFramingCases),
                         [](const auto& named) { return std::string(named.param.name); });

// A drawing of a tiny curve, the size a kerb radius of 1e-300 gave: its
// picture once failed with "invalid matrix". Now it is framed as a point.
TEST(PictureSize, TinyDrawingGivesAPicture)
{
    RenderDrawing d;
    ZcDbPolyline* p = polylineThrough({{0, 0}, {1e-300, 0}, {1e-300, 1e-300}});
    p->setBulgeAt(0, 1.0);
    d.append(p);
    for (const PictureFormat format : {PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf})
        EXPECT_FALSE(bytesOf(d.db(), format).empty());
}

// Nested blocks that expand beyond the picture's work are drawn in part,
// but the picture still frames the whole drawing, not the corner drawn.
TEST(PictureSize, PictureCutShortFramesTheWholeDrawing)
{
    RenderDrawing d;
    constexpr unsigned kVertices = 1000;  // 10^8 vertices behind the references
    ASSERT_FALSE(bench::buildNestedBlocks(d.db(), kVertices).isNull());
    PictureSettings s;
    s.size = 200;
    std::string error;
    std::vector<std::string> notices;
    const auto p = rasterPicture(d.db(), s, error, &notices);
    ASSERT_TRUE(p) << error;
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("vertices"), std::string::npos) << notices[0];
    int x = 0, y = 0;
    EXPECT_TRUE(p->pixelOf(0.0, 0.0, x, y));
    EXPECT_TRUE(p->pixelOf(114.0, 154.0, x, y)) << "the far corner of the last copy";
}
