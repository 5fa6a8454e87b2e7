// The tarvo program's arguments, exit statuses and the drawing it writes.

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

TEST(ConsoleProgram, HelpDescribesBothCommands)
{
    const ConsoleResult r = runTarvo({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Contains(r.out, "tarvo run [--in DRAWING.dxf] [--script FILE|-] [--out OUT.dxf]"));
    EXPECT_TRUE(Contains(r.out, "tarvo shell [DRAWING.dxf]"));
}

TEST(ConsoleProgram, WrongUsageIsStatusTwo)
{
    EXPECT_EQ(runTarvo({}).status, 2);
    EXPECT_EQ(runTarvo({"draw"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--bogus"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--script"}).status, 2);
    EXPECT_EQ(runTarvo({"run", "--out", "a.dxf", "--out", "b.dxf"}).status, 2);
    ScratchDir dir;
    const ConsoleResult r = runTarvo({"run", "--script", dir.path("missing.scr").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "missing.scr"));
}

TEST(ConsoleProgram, ADrawingThatCannotBeReadOrWrittenIsStatusThree)
{
    ScratchDir dir;
    const ConsoleResult in = runTarvo({"run", "--in", dir.write("a.dxf", "0\nEOF\n")});
    EXPECT_EQ(in.status, 3);
    EXPECT_TRUE(Contains(in.err, "a.dxf"));

    const ConsoleResult out = runTarvo({"run", "--out", dir.path("no-such-folder/out.dxf").string()});
    EXPECT_EQ(out.status, 3);
    EXPECT_TRUE(Contains(out.err, "no-such-folder"));

    const ConsoleResult save = runTestScript(dir, "SAVE " + dir.path("no-such-folder/s.dxf").string() + "\n");
    EXPECT_EQ(save.status, 3);
}

TEST(ConsoleProgram, AnObjectLeftOpenIsNamedAndFailsTheRun)
{
    ScratchDir dir;
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTestScript(dir, "T_Otwarty\nT_Punkt\n1,1\n", {"--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Po poleceniu T_Otwarty pozostały otwarte obiekty"));
    EXPECT_TRUE(Contains(r.err, "ZcDbLine "));
    EXPECT_FALSE(Contains(r.out, "T_PUNKT")) << "the run ends there";
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ConsoleProgram, AnExceptionOutOfACommandFailsTheRun)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Wyjatek\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Registry read failed"));
}

TEST(ConsoleProgram, ARegisteredCommandTakesNoArgumentsOnItsLine)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Punkt 1,1\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "test.scr:1:"));
}

TEST(ConsoleProgram, HostCommandsShapeTheWrittenDrawing)
{
    ScratchDir dir;
    const std::string saved = dir.path("saved.dxf").string();
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTestScript(
        dir, "LAYER OZN\nUCS 100,0 0\nT_Linia\n0,0\n5,0\nSAVE " + saved + "\nLAYER 0\nREGEN\n", {"--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Zapisano rysunek: " + saved));
    const std::string first = readFile(saved);
    EXPECT_TRUE(Contains(first, "$CLAYER\n  8\nOZN\n"));
    EXPECT_TRUE(Contains(first, "\n 10\n100.0\n")) << "the line starts at the user origin, in world coordinates";
    EXPECT_TRUE(Contains(readFile(out), "$CLAYER\n  8\n0\n"));
}

TEST(ConsoleProgram, AWrongHostCommandArgumentStopsTheScript)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "UCS here\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "test.scr:1: UCS:"));
}

TEST(ConsoleProgram, TheWrittenDrawingPassesTheAudit)
{
    if (!std::filesystem::exists(testPython()))
        GTEST_SKIP() << "no " << testPython();
    ScratchDir dir;
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTestScript(dir, "LAYER OZN\nT_Linia\n0,0\n5,5\n", {"--app", testPlugin(), "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string check = dir.write("check.py",
                                        "import sys, ezdxf\n"
                                        "doc = ezdxf.readfile(sys.argv[1])\n"
                                        "auditor = doc.audit()\n"
                                        "styles = [s.dxf.name for s in doc.styles]\n"
                                        "lines = doc.modelspace().query('LINE')\n"
                                        "ok = not auditor.has_errors and 'Tarvowy' in styles and len(lines) == 1 "
                                        "and lines[0].dxf.layer == 'OZN'\n"
                                        "sys.exit(0 if ok else 1)\n");
    EXPECT_EQ(std::system((std::string(testPython()) + " " + check + " " + out).c_str()), 0);
}
