// The script format and the prompts, through the console.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST(ConsoleScript, ACommandIsFoundInAnyCaseByLocalOrGlobalName)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "t_punkt\n1,1\nT_PUNKT\n2,2\nt_lokalna\n_t_global\n_T_Lokalna\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 1.000,1.000,0.000"));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 2.000,2.000,0.000"));
    EXPECT_EQ(occurrences(r.out, "\nT_GLOBALNA"), 2u) << "by its local name, and by its global one after _";
    EXPECT_TRUE(Contains(r.out, "Nieznane polecenie \"T_Lokalna\".")) << "_ takes global names only";
}

TEST(ConsoleScript, AnUnknownCommandPrintsOneLineAndTheScriptGoesOn)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "NIEMA\nT_Punkt\n5,6\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Polecenie: NIEMA\nNieznane polecenie \"NIEMA\".\nPolecenie: T_Punkt\n"));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 5.000,6.000,0.000"));
}

TEST(ConsoleScript, ALineThatFitsNoPromptStopsTheScriptWithItsLineNumber)
{
    ScratchDir dir;
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTestScript(dir, "; a point is wanted\nT_Punkt\n12.5\nT_Punkt\n1,1\n", {"--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "test.scr:3: oczekiwano punktu"));
    EXPECT_TRUE(Contains(r.err, "\"12.5\""));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTCAN")) << "the command sees Esc until it unwinds";
    EXPECT_FALSE(Contains(r.out, "1.000,1.000")) << "nothing after the failing line runs";
    EXPECT_FALSE(std::filesystem::exists(out)) << "a failed run writes no drawing";
}

TEST(ConsoleScript, EnterAndEscAtAPointPrompt)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Punkt\n\nT_Punkt\n*cancel*\nT_Punkty\n1,1\n2,2\n\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNONE"));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTCAN"));
    EXPECT_TRUE(Contains(r.out, "T_PUNKTY 2 RTNONE"));
}

TEST(ConsoleScript, TheEndOfTheScriptInsideACommandIsEsc)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Punkty\n1,1\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKTY 1 RTCAN"));
}

TEST(ConsoleScript, ADialogLineWithoutADialogIsAnError)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Punkt\ndlg click 2\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "test.scr:2: żadne okno dialogowe nie jest otwarte"));
}

// The island dialog hides itself while its first button asks for points.
TEST(ConsoleScript, ADialogLineWhileTheDialogIsHiddenSaysSo)
{
    ScratchDir dir;
    const ConsoleResult r = runTarvo({"run", "--script", dir.write("w.scr", "D_Wyspy\ndlg click 1\ndlg click 2\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "w.scr:3: okno „"));
    EXPECT_TRUE(Contains(r.err, "” jest ukryte, dopóki polecenie pyta o dane; oczekiwano punktu"));
}

TEST(ConsoleScript, PointsAreInTheUserCoordinateSystem)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "UCS 10,5 90\nT_Punkt\n1,0\nUCS W\nT_Punkt\n1,0\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 10.000,6.000,0.000"));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 1.000,0.000,0.000"));
}

TEST(ConsoleScript, ARefusedDistanceIsAskedForAgain)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Dlugosc\n-1\n0\n2.5\nT_Dlugosc\n1,1\n4,5\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Wymagana wartość dodatnia różna od zera."));
    EXPECT_TRUE(Contains(r.out, "T_DLUGOSC RTNORM 2.500"));
    EXPECT_TRUE(Contains(r.out, "T_DLUGOSC RTNORM 5.000")) << "two points give their distance";
}

TEST(ConsoleScript, PickFindsTheNearestEntityWithinThePickBox)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Linia\n0,0\n10,0\nT_Linia\n0,0.6\n10,0.6\n"
                                               "T_Wskaz\npick 5,0.4\nT_Wskaz\npick 5,0.1\n"
                                               "T_Wskaz\npick 5,3\nT_Wskaz\n\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto handleAfter = [&](const std::string& label, size_t from) {
        const size_t at = r.out.find(label, from);
        return at == std::string::npos ? std::string() : r.out.substr(at + label.size(), r.out.find('\n', at) - at - label.size());
    };
    const std::string lower = handleAfter("T_LINIA ", 0);
    const std::string upper = handleAfter("T_LINIA ", r.out.find("T_LINIA ") + 1);
    ASSERT_FALSE(lower.empty());
    ASSERT_NE(lower, upper);
    const size_t firstPick = r.out.find("T_WSKAZ RTNORM ");
    EXPECT_EQ(handleAfter("T_WSKAZ RTNORM ", 0), upper) << "both lines are in the box; the nearer one wins";
    EXPECT_EQ(handleAfter("T_WSKAZ RTNORM ", firstPick + 1), lower);
    EXPECT_TRUE(Contains(r.out, "T_WSKAZ RTERROR\nPolecenie: T_Wskaz")) << "a miss";
    EXPECT_TRUE(Contains(r.out, "T_WSKAZ RTERROR\nPolecenie: \n")) << "Enter";
}

TEST(ConsoleScript, CommentsAnswerNothingAndQuitEndsTheScript)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Punkt\n; not an answer\n7,7\nQUIT\nthis line is never read 1,2\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 7.000,7.000,0.000"));
    EXPECT_FALSE(Contains(r.out, "never"));
}

TEST(ConsoleScript, AnApplicationRunsRegen)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Regen\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Regenerowanie modelu.\nT_REGEN RTNORM"));
}

TEST(ConsoleScript, TheScriptMayComeFromStandardInput)
{
    const ConsoleResult r = runTarvo({"run", "--app", testApplication(), "--script", "-"}, "T_Punkt\n3,3\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM 3.000,3.000,0.000"));
}

TEST(ConsoleScript, ALongTranscriptComesWholeAndBeforeTheErrorInOneStream)
{
    // A script's transcript to a pipe is written in large pieces: more than
    // one piece here, and the error on the same stream must still follow it.
    ScratchDir dir;
    std::string script;
    constexpr int kPoints = 3000;
    for (int i = 0; i < kPoints; ++i)
        script += "T_Punkt\n" + std::to_string(i) + ",1\n";
    script += "T_Punkt\nnot a point\n";
    const std::string command = std::string(testTarvoProgram()) + " run --app '" + testApplication() + "' --script '" +
                                dir.write("long.scr", script) + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string both;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        both.append(chunk, n);
    EXPECT_EQ(WEXITSTATUS(::pclose(pipe)), 1);
    EXPECT_GT(both.size(), size_t(1) << 17);
    EXPECT_EQ(occurrences(both, "T_PUNKT RTNORM"), size_t(kPoints));
    const size_t last = both.rfind("T_PUNKT RTNORM 2999.000,1.000,0.000");
    const size_t error = both.find("long.scr:" + std::to_string(2 * kPoints + 2) + ":");
    ASSERT_NE(last, std::string::npos);
    ASSERT_NE(error, std::string::npos) << both.substr(both.size() - 500);
    EXPECT_LT(last, error);
}

// A script written with "click" lines draws what the same script with
// points draws, byte for byte: a click at a point prompt is the point.
TEST(ConsoleScript, AClickAtAPointPromptIsThePoint)
{
    ScratchDir dir;
    const std::string points = "UCS 125.5,40 30\nD_Koszowa\n10\n-20,0\n0,0\n0,-20\n";
    const std::string clicks = "UCS 125.5,40 30\nD_Koszowa\n10\nclick -20,0\nCLICK 0,0\nclick 0,-20\n";
    const ConsoleResult a =
        runTarvo({"run", "--script", dir.write("a.scr", points), "--out", dir.path("a.dxf").string()});
    const ConsoleResult b =
        runTarvo({"run", "--script", dir.write("b.scr", clicks), "--out", dir.path("b.dxf").string()});
    ASSERT_EQ(a.status, 0) << a.out << a.err;
    ASSERT_EQ(b.status, 0) << b.out << b.err;
    EXPECT_EQ(readFile(dir.path("a.dxf")), readFile(dir.path("b.dxf")));
}

// At an entity prompt a click picks as "pick" does; at the command prompt it
// fits nothing and stops the script with its line.
TEST(ConsoleScript, AClickAtAnEntityPromptPicks)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, "T_Linia\nclick 0,0\nclick 10,0\nT_Wskaz\nclick 5,0.3\n"
                                               "T_Wskaz\nclick 5,3\nclick 1,1\n");
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    const size_t drawn = r.out.find("T_LINIA ");
    ASSERT_NE(drawn, std::string::npos) << r.out;
    const std::string handle = r.out.substr(drawn + 8, r.out.find('\n', drawn) - drawn - 8);
    EXPECT_TRUE(Contains(r.out, "T_WSKAZ RTNORM " + handle));
    EXPECT_TRUE(Contains(r.out, "T_WSKAZ RTERROR")) << "a click on nothing picks nothing";
    EXPECT_TRUE(Contains(r.err, "test.scr:8: oczekiwano nazwy polecenia"));
}
