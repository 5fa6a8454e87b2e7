#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

struct ReplayCase {
    const char* name;
    const char* script;  // text, or a path under the source tree when it starts with '@'
};

std::string scriptText(const ReplayCase& c)
{
    if (c.script[0] == '@')
        return readFile(std::filesystem::path(testSourceDir()) / (c.script + 1));
    return c.script;
}

class WindowReplay : public testing::TestWithParam<ReplayCase> {};

}  // namespace

// The window replays a script through its widgets and ends with the same
// drawing, byte for byte, as the console's run of it.
TEST_P(WindowReplay, GivesTheSameDrawingAsRun)
{
    ScratchDir dir;
    const std::string script = dir.write("s.scr", scriptText(GetParam()));
    const std::string inWindow = dir.path("window.dxf").string(), inRun = dir.path("run.dxf").string();
    const ConsoleResult window = runTarvo({"window", "--script", script, "--out", inWindow});
    ASSERT_EQ(window.status, 0) << window.out << window.err;
    const ConsoleResult run = runTarvo({"run", "--script", script, "--out", inRun});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(readFile(inWindow) == readFile(inRun));
    EXPECT_TRUE(Contains(window.out, "Polecenie: "));
}

INSTANTIATE_TEST_SUITE_P(Scripts, WindowReplay,
                         testing::Values(ReplayCase{"kerb_curve",
                                                    "LAYER Projektowane\nD_Koszowa\n10\n-20,0\n0,0\n0,-20\n"},
                                         ReplayCase{"kerb_curve_in_a_turned_user_system",
                                                    "UCS 125.5,40 30\nD_Koszowa\n8\n-30,0\n0,0\n0,-30\nUCS W\n"},
                                         ReplayCase{"cancelled_command", "D_Koszowa\n10\n-20,0\n*cancel*\nLAYER A\n"},
                                         // The window closes with the dialog still open.
                                         ReplayCase{"script_ending_in_a_dialog", "E4\ndlg set IDC_SIGN_TEXT Kraków\n"},
                                         ReplayCase{"demo_with_its_dialogs", "@examples/demo.scr"}),
                         [](const auto& test) { return std::string(test.param.name); });

// Clicks in the view, through the pixel mapping of the window's zoom and a
// turned user system, give the points a script types.
TEST(WindowClicks, GiveTheSameDrawingAsTypedPoints)
{
    ScratchDir dir;
    const std::string typed = dir.write("typed.scr", "UCS 125.5,40 30\nD_Koszowa\n8\n-30,0\n0,0\n0,-30\n");
    const std::string clicked =
        dir.write("clicked.scr", "UCS 125.5,40 30\nD_Koszowa\n8\nclick -30,0\nclick 0,0\nclick 0,-30\n");
    const std::string byClicks = dir.path("clicked.dxf").string(), byTyping = dir.path("typed.dxf").string();
    const ConsoleResult window = runTarvo({"window", "--script", clicked, "--out", byClicks});
    ASSERT_EQ(window.status, 0) << window.out << window.err;
    const ConsoleResult run = runTarvo({"run", "--script", typed, "--out", byTyping});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(readFile(byClicks) == readFile(byTyping));
}

// A replayed line that does not fit its prompt ends the session as it ends
// a run: its line number, status 1, no drawing written.
TEST(WindowReplayFailure, MisfitLineStopsWithItsLineNumber)
{
    ScratchDir dir;
    const std::string script = dir.write("s.scr", "D_Koszowa\n10\nnot a point\n");
    const ConsoleResult window = runTarvo({"window", "--script", script, "--out", dir.path("o.dxf").string()});
    EXPECT_EQ(window.status, 1);
    EXPECT_TRUE(Contains(window.err, "s.scr:3"));
    EXPECT_FALSE(std::filesystem::exists(dir.path("o.dxf")));
}

// An unreadable drawing with an output asked for: status 3, nothing written
// in its place.
TEST(WindowReplayFailure, UnreadableDrawingWritesNothing)
{
    ScratchDir dir;
    const std::string bad = dir.write("bad.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nx\n");
    const std::string script = dir.write("s.scr", "LAYER A\n");
    const ConsoleResult window = runTarvo({"window", bad, "--script", script, "--out", dir.path("o.dxf").string()});
    EXPECT_EQ(window.status, 3);
    EXPECT_FALSE(std::filesystem::exists(dir.path("o.dxf")));
}

TEST(WindowDisplay, WithoutOneSaysSoInOneLineAndExitsTwo)
{
    struct Unset {
        std::string platform = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
        std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
        Unset()
        {
            ::unsetenv("QT_QPA_PLATFORM");
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
        }
        ~Unset()
        {
            ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
            if (!display.empty())
                ::setenv("DISPLAY", display.c_str(), 1);
        }
    } unset;
    const ConsoleResult window = runTarvo({"window"});
    EXPECT_EQ(window.status, 2);
    EXPECT_TRUE(Contains(window.err, "no display"));
    EXPECT_EQ(std::count(window.err.begin(), window.err.end(), '\n'), 1) << window.err;
}
