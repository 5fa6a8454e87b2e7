// tarvo run --in and tarvo shell open a drawing: the commands work on what
// it holds, and a drawing that cannot be read stops the run at once.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

// A road edge as an older program writes it: R12, no subclass markers, a
// line with handle 2A on its own layer, and a point the project keeps as read.
constexpr const char* kRoadEdge =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  9\n$HANDSEED\n  5\n100\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n"
    "  0\nLAYER\n  2\nKrawedz\n 70\n0\n 62\n1\n  6\nCONTINUOUS\n  0\nENDTAB\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  5\n2A\n  8\nKrawedz\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n10.0\n 21\n0.0\n 31\n0.0\n"
    "  0\nPOINT\n  5\n2B\n  8\nKrawedz\n 10\n3.0\n 20\n4.0\n 30\n0.0\n"
    "  0\nENDSEC\n  0\nEOF\n";

size_t lines(const std::string& text) { return size_t(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

TEST(ConsoleOpenDrawing, CommandsWorkOnTheDrawingRead)
{
    ScratchDir dir;
    const std::string in = dir.write("droga.dxf", kRoadEdge);
    const std::string out = dir.path("wynik.dxf").string();
    const ConsoleResult r = runTestScript(dir, "T_Wskaz\npick 5,0.2\nT_Linia\n0,5\n10,5\n", {"--in", in, "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_WSKAZ RTNORM 2A"));
    // What the command added comes after every handle of the file.
    EXPECT_TRUE(Contains(r.out, "T_LINIA 1"));
    const std::string written = readFile(out);
    EXPECT_TRUE(Contains(written, "LINE\n  5\n2A\n"));
    EXPECT_TRUE(Contains(written, "POINT\n  5\n2B\n"));
    EXPECT_TRUE(Contains(written, "Krawedz"));
}

TEST(ConsoleOpenDrawing, ADrawingPassesThroughUnchangedOnceWritten)
{
    ScratchDir dir;
    const std::string first = dir.path("first.dxf").string();
    const std::string second = dir.path("second.dxf").string();
    ASSERT_EQ(runTarvo({"run", "--in", dir.write("droga.dxf", kRoadEdge), "--out", first}).status, 0);
    const ConsoleResult r = runTarvo({"run", "--in", first, "--out", second});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(second), readFile(first));
}

TEST(ConsoleOpenDrawing, AnUnreadableDrawingIsOneMessageStatusThreeAndNothingWritten)
{
    ScratchDir dir;
    const std::string out = dir.path("wynik.dxf").string();
    const std::string broken =
        dir.write("zly.dxf", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nnan\n 20\n0.0\n  0\nENDSEC\n  0\nEOF\n");
    const ConsoleResult r = runTestScript(dir, "T_Linia\n0,0\n1,1\nSAVE " + out + "\n", {"--in", broken, "--out", out});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(lines(r.err), 1u) << r.err;
    EXPECT_TRUE(Contains(r.err, "zly.dxf"));
    EXPECT_TRUE(Contains(r.err, "line 8"));
    EXPECT_TRUE(Contains(r.err, "not a finite number"));
    EXPECT_FALSE(Contains(r.out, "T_LINIA")) << "no command runs";
    EXPECT_FALSE(std::filesystem::exists(out));

    const ConsoleResult missing = runTarvo({"run", "--in", dir.path("brak.dxf").string(), "--out", out});
    EXPECT_EQ(missing.status, 3);
    EXPECT_TRUE(Contains(missing.err, "brak.dxf"));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ConsoleOpenDrawing, TheShellOpensTheDrawingOnItsLine)
{
    ScratchDir dir;
    const ConsoleResult r =
        runTarvo({"shell", dir.write("droga.dxf", kRoadEdge), "--app", testApplication()}, "T_Wskaz\npick 5,0\nQUIT\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_WSKAZ RTNORM 2A"));
}
