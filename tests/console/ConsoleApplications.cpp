// Loading and unloading applications through the console, as the host does.

#include <gtest/gtest.h>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

TEST(ConsoleApplications, LoadUnloadAndLoadAgainReregistersTheCommands)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Punkt\n1,2\nARX U\nT_Punkt\nARX L\nT_Punkt\n3,4\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 1.000,2.000,0.000"));
    EXPECT_TRUE(Contains(r.out, "Wyładowano \"tarvo_test.zrx\"."));
    EXPECT_TRUE(Contains(r.out, "Nieznane polecenie \"T_Punkt\"."));
    EXPECT_TRUE(Contains(r.out, "Załadowano \"tarvo_test.zrx\"."));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 3.000,4.000,0.000"));
}

TEST(ConsoleApplications, ATakenNameIsRefusedWithoutStoppingTheOthers)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Dup\nT_Po\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "odmowa t_dup: eDuplicateKey"));
    EXPECT_TRUE(Contains(r.out, "T_DUP pierwsze"));
    EXPECT_FALSE(Contains(r.out, "T_DUP drugie"));
    EXPECT_TRUE(Contains(r.out, "T_PO"));
}

TEST(ConsoleApplications, CommandsLeftBehindAtUnloadAreTakenOut)
{
    // The handler's code is gone after unloading; running it would crash.
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Obca\nARX U\nT_Obca\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_OBCA"));
    EXPECT_TRUE(Contains(r.out, "Usunięto polecenie TarvoObce/T_Obca"));
    EXPECT_TRUE(Contains(r.out, "Nieznane polecenie \"T_Obca\"."));
}

TEST(ConsoleApplications, TheSystemPluginLoadsUnloadsAndEnsuresItsTextStyleOnce)
{
    ScratchDir dir;
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r =
        runTarvo({"run", "--script", dir.write("s.scr", "ARX U\nARX L\n"), "--out", out});
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_TRUE(Contains(r.out, "Wyładowano \"tarvo.zrx\"."));
    EXPECT_TRUE(Contains(r.out, "Załadowano \"tarvo.zrx\"."));
    const std::string dxf = readFile(out);
    const size_t style = dxf.find("\nTarvowy\n");
    ASSERT_NE(style, std::string::npos);
    EXPECT_EQ(dxf.find("\nTarvowy\n", style + 1), std::string::npos) << "the style is added once";
    EXPECT_TRUE(Contains(dxf, "\nTarvowa.ttf\n"));
}

// What the plug-in made stays in the drawing once it is unloaded: its text
// style on any drawing, a kerb curve drawn before. The drawing is written,
// and the plug-in loads again.
struct UnloadCase {
    const char* name;
    const char* script;  // SAVE's path follows the last line
    int polylines;
};

class ConsoleUnloading : public testing::TestWithParam<UnloadCase> {};

TEST_P(ConsoleUnloading, TheDrawingOutlivesThePlugin)
{
    ScratchDir dir;
    const std::string out = dir.path("p.dxf").string();
    const ConsoleResult r = runTarvo({"run", "--script", "-"}, std::string(GetParam().script) + out + "\n");
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_TRUE(Contains(r.out, "Wyładowano \"tarvo.zrx\"."));
    EXPECT_TRUE(Contains(readFile(out), "\nTarvowy\n"));
    const std::string listing = ezdxfPolylineListing(dir, out);
    size_t polylines = 0;
    for (size_t at = listing.find("polyline "); at != std::string::npos; at = listing.find("polyline ", at + 1))
        ++polylines;
    EXPECT_EQ(polylines, size_t(GetParam().polylines)) << listing;
    EXPECT_TRUE(Contains(listing, "audit 0"));
}

INSTANTIATE_TEST_SUITE_P(ArxUnload, ConsoleUnloading,
                         testing::Values(UnloadCase{"Unloaded", "ARX U\nSAVE ", 0},
                                         UnloadCase{"KerbCurveThenUnloaded",
                                                    "D_Koszowa\n10\n-20,0\n0,0\n0,-20\nARX U\nSAVE ", 1},
                                         UnloadCase{"UnloadedLoadedAndUsed",
                                                    "ARX U\nARX L\nD_Koszowa\n10\n-20,0\n0,0\n0,-20\nARX U\nSAVE ", 1}),
                         [](const testing::TestParamInfo<UnloadCase>& c) { return std::string(c.param.name); });

// A second copy of the plug-in next to the first: a link to the same file
// is the application already loaded; a copied file loads, its commands are
// refused as taken, and unloading it leaves the first copy's commands.
struct SecondCopyCase {
    const char* name;
    bool link;
    const char* answer;  // of loading the copy
};

class ConsoleSecondCopy : public testing::TestWithParam<SecondCopyCase> {};

TEST_P(ConsoleSecondCopy, UnloadingItKeepsTheFirstCopysCommands)
{
    ScratchDir dir;
    const std::filesystem::path copy = dir.path("kopia.zrx");
    if (GetParam().link)
        std::filesystem::create_symlink(testPlugin(), copy);
    else
        std::filesystem::copy_file(testPlugin(), copy);
    const std::string out = dir.path("k.dxf").string();
    const std::string script = "ARX L " + copy.string() + "\nARX U kopia.zrx\nD_Koszowa\n10\n-20,0\n0,0\n0,-20\n";
    const ConsoleResult r = runTarvo({"run", "--script", "-", "--out", out}, script);
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_TRUE(Contains(r.out, GetParam().answer));
    EXPECT_TRUE(Contains(r.out, "Podaj środkowy promień krzywej koszowej"));
    EXPECT_TRUE(Contains(ezdxfPolylineListing(dir, out), "polyline 0 4"));
}

INSTANTIATE_TEST_SUITE_P(ArxLoad, ConsoleSecondCopy,
                         testing::Values(SecondCopyCase{"LinkToTheSameFile", true,
                                                        "Aplikacja \"tarvo.zrx\" jest już załadowana."},
                                         SecondCopyCase{"CopiedFile", false, "Wyładowano \"kopia.zrx\"."}),
                         [](const testing::TestParamInfo<SecondCopyCase>& c) { return std::string(c.param.name); });

TEST(ConsoleApplications, AMissingPluginFailsTheRun)
{
    ScratchDir dir;
    const ConsoleResult r = runTarvo({"run", "--app", dir.path("nie-ma.zrx").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.out, "Nie można załadować"));
}
