// The files a picture is written as: SVG that other programs parse and that
// lists the drawing's shapes, the same bytes for the same drawing, sizes as
// asked, and failures reported rather than half-written files.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "../dxf/TempDir.h"
#include "RenderDrawing.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"

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
        run("/usr/bin/python3 " + std::string(TARVO_SOURCE_DIR) + "/tests/platform/render/svg_shapes.py " + path);
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
