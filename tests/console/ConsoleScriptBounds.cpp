// Scripts the reader must bound: files that are not scripts, lines too long
// to be lines, and messages that quote a long line.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

constexpr size_t kMegabyte = size_t(1) << 20;

struct BadScript {
    const char* name;
    // Gives the path to pass as --script.
    std::function<std::string(const ScratchDir&)> make;
    int status;
    const char* message;  // in standard error
};

const std::vector<BadScript> kBadScripts = {
    {"Folder", [](const ScratchDir& dir) { return dir.path("").string(); }, 2, "Is a directory"},
    {"MissingFile", [](const ScratchDir& dir) { return dir.path("none.scr").string(); }, 2,
     "No such file or directory"},
    {"LineOverAMegabyte",
     [](const ScratchDir& dir) {
         return dir.write("s.scr", "T_Punkt\n1,1\n" + std::string(kMegabyte + 1, 'x') + "\n");
     },
     1, "s.scr:3: wiersz dłuższy niż 1 MB"},
    {"LastLineOverAMegabyteWithoutLineEnd",
     [](const ScratchDir& dir) { return dir.write("s.scr", std::string(kMegabyte + 1, 'x')); }, 1,
     "s.scr:1: wiersz dłuższy niż 1 MB"},
    {"EndlessDevice", [](const ScratchDir&) { return std::string("/dev/zero"); }, 1,
     "/dev/zero:1: wiersz dłuższy niż 1 MB"},
};

class ConsoleScriptBounds : public testing::TestWithParam<BadScript> {};

}  // namespace

TEST_P(ConsoleScriptBounds, StopsWithOneMessage)
{
    const BadScript& bad = GetParam();
    ScratchDir dir;
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTarvo({"run", "--app", testApplication(), "--script", bad.make(dir), "--out", out});
    EXPECT_EQ(r.status, bad.status) << r.err;
    EXPECT_TRUE(Contains(r.err, bad.message));
    EXPECT_LT(r.err.size(), 1000u) << "no line is quoted whole";
    EXPECT_FALSE(std::filesystem::exists(out));
}

INSTANTIATE_TEST_SUITE_P(EachKind, ConsoleScriptBounds, testing::ValuesIn(kBadScripts),
                         [](const testing::TestParamInfo<BadScript>& p) { return std::string(p.param.name); });

TEST(ConsoleScriptBound, ALineOfAMegabyteIsStillALine)
{
    ScratchDir dir;
    const ConsoleResult r = runTestScript(dir, std::string(kMegabyte, 'x') + "\nT_Punkt\n1,1\n");
    EXPECT_EQ(r.status, 0) << r.err.substr(0, 500);
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM"));
}

TEST(ConsoleScriptBound, AnUnreadableScriptIsWrongUsage)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads any file";
    ScratchDir dir;
    const std::string script = dir.write("s.scr", "T_Punkt\n1,1\n");
    ::chmod(script.c_str(), 0);
    const ConsoleResult r = runTarvo({"run", "--app", testApplication(), "--script", script});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "Permission denied"));
}

// A message about a line quotes its first 200 characters (whole UTF-8
// characters), then "…".
TEST(ConsoleScriptBound, AMessageQuotesTheStartOfALongLine)
{
    ScratchDir dir;
    std::string line;
    for (int i = 0; i < 1000; ++i)
        line += "ż";
    const ConsoleResult r = runTestScript(dir, "T_Punkt\n" + line + "\n");
    EXPECT_EQ(r.status, 1);
    std::string quoted;
    for (int i = 0; i < 200; ++i)
        quoted += "ż";
    EXPECT_TRUE(Contains(r.err, "test.scr:2: oczekiwano punktu"));
    EXPECT_TRUE(Contains(r.err, "(wiersz \"" + quoted + "…\")"));
    EXPECT_FALSE(Contains(r.err, quoted + "ż"));
}
