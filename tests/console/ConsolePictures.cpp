// Pictures from the console: of the drawing at the end of a run, and of a
// saved drawing with tarvo render.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "tests/console/ConsoleRun.h"

namespace {

// Width and height from a PNG's header chunk; zeros when it is no PNG.
std::pair<uint32_t, uint32_t> pngSize(const std::string& bytes)
{
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto word = [&](size_t at) {
        uint32_t v = 0;
        for (size_t i = 0; i < 4; ++i)
            v = (v << 8) | uint8_t(bytes[at + i]);
        return v;
    };
    return {word(16), word(20)};
}

const char* kTwoLines = "T_Linia\n0,0\n100,50\nT_Linia\n0,50\n100,0\n";

TEST(ConsolePictures, RunWritesThePicturesOfTheDrawingItEndsWith)
{
    ScratchDir dir;
    const std::string png = dir.path("plan.png").string();
    const std::string svg = dir.path("plan.svg").string();
    const std::string pdf = dir.path("plan.pdf").string();
    const ConsoleResult r =
        runTestScript(dir, kTwoLines, {"--png", png, "--svg", svg, "--pdf=" + pdf, "--size", "400", "--dark"});
    ASSERT_EQ(r.status, 0) << r.err;
    // 100 x 50 and a margin of 4 units all round.
    EXPECT_EQ(pngSize(readFile(png)), (std::pair<uint32_t, uint32_t>{400, 215}));
    EXPECT_TRUE(Contains(readFile(svg), "width=\"400pt\""));
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");
}

TEST(ConsolePictures, NoPictureAfterAFailedRun)
{
    ScratchDir dir;
    const std::string png = dir.path("plan.png").string();
    const ConsoleResult r = runTestScript(dir, "T_Linia\n0,0\nnot a point\n", {"--png", png});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST(ConsolePictures, PictureOptionsAreChecked)
{
    EXPECT_EQ(runTarvo({"run", "--png", "plan.svg"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--svg"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--size", "0"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--size", "12x"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--resolution", "-1"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--size", "100", "--resolution", "2"}).status, 2);
    EXPECT_EQ(runTarvo({"shell", "--png", "plan.png"}).status, 2);
}

TEST(ConsolePictures, PictureThatCannotBeWrittenIsStatusThree)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, kTwoLines, {"--png", dir.path("no-such-folder/p.png").string()});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(Contains(r.err, "no-such-folder"));
}

TEST(ConsolePictures, RenderOfTheSavedDrawingMatchesThePictureOfTheRun)
{
    ScratchDir dir;
    const std::string dxf = dir.path("plan.dxf").string();
    const std::string fromRun = dir.path("run.png").string();
    ASSERT_EQ(runTestScript(dir, kTwoLines, {"--out", dxf, "--png", fromRun}).status, 0);
    const std::string fromFile = dir.path("render.png").string();
    const ConsoleResult r = runTarvo({"render", dxf, fromFile});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(fromFile), readFile(fromRun));
}

TEST(ConsolePictures, RenderUsageAndUnreadableDrawings)
{
    ScratchDir dir;
    EXPECT_EQ(runTarvo({"render"}).status, 2);
    EXPECT_EQ(runTarvo({"render", "plan.dxf"}).status, 2) << "no picture";
    EXPECT_EQ(runTarvo({"render", "plan.dxf", "plan.jpg"}).status, 2);
    EXPECT_EQ(runTarvo({"render", "plan.dxf", "--png", "plan.png"}).status, 2);
    const ConsoleResult help = runTarvo({"render", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "tarvo render DRAWING.dxf"));

    const ConsoleResult missing = runTarvo({"render", dir.path("missing.dxf").string(), dir.path("p.png").string()});
    EXPECT_EQ(missing.status, 3);
    EXPECT_TRUE(Contains(missing.err, "missing.dxf"));
    EXPECT_FALSE(std::filesystem::exists(dir.path("p.png")));
}

}  // namespace
