// Scripts the reader must bound: files that are not scripts, lines too long
// to be lines, texts in other encodings, and messages that quote a long line.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

constexpr size_t kMegabyte = size_t(1) << 20;

// An ASCII text as UTF-16, in either byte order.
std::string utf16(std::string_view ascii, bool bigEndian)
{
    std::string out;
    for (const char c : ascii)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

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
    // Other encodings stop the run before its first line, as wrong usage.
    {"Windows1250",
     [](const ScratchDir& dir) {
         return dir.write("s.scr", "T_Punkt\n1,1\nLAYER \xA3\xF3"
                                   "d\x9F\n");
     },
     2, "s.scr:3: wiersz nie jest w UTF-8 (wygląda na Windows-1250)"},
    {"InvalidUtf8", [](const ScratchDir& dir) { return dir.write("s.scr", "T_Punkt\n1,1\n; x\x81\xC3\n"); }, 2,
     "s.scr:3: wiersz nie jest poprawnym tekstem UTF-8"},
    {"Utf16WithByteOrderMark",
     [](const ScratchDir& dir) { return dir.write("s.scr", "\xFF\xFE" + utf16("T_Punkt\r\n1,1\r\n", false)); }, 2,
     "s.scr:1: skrypt jest w UTF-16 (ze znacznikiem kolejności bajtów)"},
    {"Utf16LittleEndian", [](const ScratchDir& dir) { return dir.write("s.scr", utf16("T_Punkt\n1,1\n", false)); }, 2,
     "s.scr:1: skrypt jest w UTF-16LE"},
    {"Utf16BigEndian", [](const ScratchDir& dir) { return dir.write("s.scr", utf16("T_Punkt\n1,1\n", true)); }, 2,
     "s.scr:1: skrypt jest w UTF-16BE"},
    {"CarriageReturnsOnly", [](const ScratchDir& dir) { return dir.write("s.scr", "T_Punkt\r1,1\r"); }, 2,
     "s.scr:1: wiersze kończą się samym znakiem CR"},
    {"ZeroBytes",
     [](const ScratchDir& dir) { return dir.write("s.scr", std::string("T_Punkt\n1,1\n\x01\0\0\x02\0\n", 16)); }, 2,
     "s.scr:3: wiersz zawiera bajty zerowe"},
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
    if (bad.status == 2) {
        EXPECT_FALSE(Contains(r.out, "T_PUNKT")) << "nothing of a script in another encoding runs";
    }
}

// What editors commonly add to a UTF-8 script is read as it is meant.
TEST(ConsoleScriptBound, AByteOrderMarkAndCrLfLineEndsAreUtf8)
{
    for (const char* script : {"\xEF\xBB\xBFT_Punkt\n1,1\n", "T_Punkt\r\n1,1\r\n", "\xEF\xBB\xBFT_Punkt\r\n1,1",
                               "T_Punkt\n\xC5\x81\xC3\xB3"
                               "d\xC5\xBA,1\n"}) {
        ScratchDir dir;
        const ConsoleResult r = runTestScript(dir, script);
        const bool polishLine = std::string_view(script).find('\xC5') != std::string_view::npos;
        EXPECT_EQ(r.status, polishLine ? 1 : 0) << script << r.err;
        EXPECT_TRUE(Contains(polishLine ? r.err : r.out, polishLine ? "oczekiwano punktu" : "T_PUNKT RTNORM"));
    }
}

// Standard input cannot be looked through first: it stops at the line.
TEST(ConsoleScriptBound, StandardInputInAnotherEncodingStopsAtItsLine)
{
    ScratchDir dir;
    const ConsoleResult r =
        runTarvo({"run", "--app", testApplication(), "--script", "-"}, "T_Punkt\n1,1\nLAYER \xA3\xF3"
                                                                       "d\x9F\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "-:3: wiersz nie jest w UTF-8 (wygląda na Windows-1250)"));
    EXPECT_TRUE(Contains(r.out, "T_PUNKT RTNORM"));
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
