// tarvo settings: the drawing-settings record shown and written.

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

// A drawing written by the console from an empty script.
std::string emptyDrawing(const ScratchDir& dir, const std::string& name)
{
    const std::string path = dir.path(name).string();
    const ConsoleResult made = runTarvo({"run", "--script", "-", "--out", path}, "");
    EXPECT_EQ(made.status, 0) << made.err;
    return path;
}

}  // namespace

TEST(SettingsCommand, WrongUsageIsStatusTwo)
{
    EXPECT_EQ(runTarvo({"settings"}).status, 2);
    ScratchDir dir;
    const std::string drawing = dir.path("x.dxf").string();
    const ConsoleResult scale = runTarvo({"settings", drawing, "--drawing-scale", "-1"});
    EXPECT_EQ(scale.status, 2);
    EXPECT_TRUE(Contains(scale.err, "positive number"));
    // Scales that would hide, shrink out of sight or blow up every sign.
    for (const char* bad : {"0", "1e-300", "9.9e-7", "1.1e6", "nan"})
        EXPECT_EQ(runTarvo({"settings", drawing, "--symbol-scale", bad}).status, 2) << bad;
    EXPECT_EQ(runTarvo({"settings", drawing, "--group", "maybe"}).status, 2);
    EXPECT_EQ(runTarvo({"settings", drawing, "--layer-designed", "a/b"}).status, 2);
    // "Istniejące" from a terminal in code page 1250: refused, never stored as question marks.
    const ConsoleResult cp1250 = runTarvo({"settings", drawing, "--layer-existing",
                                           "Istniej\xB9"
                                           "ce"});
    EXPECT_EQ(cp1250.status, 2);
    EXPECT_TRUE(Contains(cp1250.err, "not UTF-8")) << cp1250.err;
    EXPECT_EQ(runTarvo({"settings", drawing, "--spare-name", "\xFF"}).status, 2);
    EXPECT_EQ(runTarvo({"settings", drawing, "--symbol-scale"}).status, 2);
    EXPECT_EQ(runTarvo({"settings", drawing, "--bogus", "1"}).status, 2);
    const ConsoleResult help = runTarvo({"settings", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "--drawing-scale"));
}

struct BadLayerName {
    const char* name;
    std::string value;
    const char* message;
};

class SettingsBadLayerName : public testing::TestWithParam<BadLayerName> {};

// Refused before the drawing is touched, in a sentence: never stored, never
// an internal status code.
TEST_P(SettingsBadLayerName, IsWrongUsageWithASentence)
{
    const BadLayerName& bad = GetParam();
    ScratchDir dir;
    const std::string drawing = emptyDrawing(dir, "plan.dxf");
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTarvo({"settings", drawing, "--out", out, "--layer-designed", bad.value});
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_TRUE(Contains(r.err, bad.message));
    EXPECT_FALSE(Contains(r.err, "(e")) << "no status code";
    EXPECT_FALSE(std::filesystem::exists(out));
}

INSTANTIATE_TEST_SUITE_P(EachFault, SettingsBadLayerName,
                         testing::Values(BadLayerName{"Empty", "", "cannot be empty or only spaces"},
                                         BadLayerName{"Blank", "   ", "cannot be empty or only spaces"},
                                         BadLayerName{"Reserved", "a*b", "may not hold any of"},
                                         BadLayerName{"Tab", "a\tb", "control character"},
                                         BadLayerName{"LineEnd", "a\nb", "control character"},
                                         BadLayerName{"TooLong", std::string(256, 'x'), "at most 255 bytes"}),
                         [](const testing::TestParamInfo<BadLayerName>& p) { return std::string(p.param.name); });

TEST(SettingsCommand, WritesARecordThatReadsBackFieldForField)
{
    ScratchDir dir;
    const std::string drawing = emptyDrawing(dir, "plan.dxf");
    const ConsoleResult shown = runTarvo({"settings", drawing});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_TRUE(Contains(shown.out, "no record"));
    EXPECT_TRUE(Contains(shown.out, "drawing-scale    0.001"));

    const std::string out = dir.path("ustawiony.dxf").string();
    const ConsoleResult set = runTarvo({"settings", drawing, "--out", out, "--layer-designed", "Projektowane",
                                        "--layer-removed=Usunięte", "--symbol-scale", "2", "--group", "on",
                                        "--drawing-scale", "0.002"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_TRUE(Contains(set.out, "Layers added: Projektowane, Usunięte"));

    const ConsoleResult read = runTarvo({"settings", out});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, "Drawing settings of " + out +
                            " (dictionary S_Znaki, record Przeznaczenie, application Tarvo):\n"
                            "  layer-designed   Projektowane\n"
                            "  layer-temporary  0\n"
                            "  layer-removed    Usunięte\n"
                            "  layer-existing   0\n"
                            "  symbol-scale     2\n"
                            "  spare-name       0\n"
                            "  marking-scale    1\n"
                            "  group            on\n"
                            "  drawing-scale    0.002\n");
    EXPECT_TRUE(Contains(runTarvo({"settings", drawing}).out, "no record")) << "--out leaves the drawing as it was";

    EXPECT_EQ(ezdxfListing(dir, R"(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
record = doc.rootdict["S_Znaki"]["Przeznaczenie"]
print(" ".join(str(code) for code, value in record.get_xdata("Tarvo")))
)",
                           out),
              "1000 1000 1000 1000 1040 1000 1040 1000 1040\n");
}
