// "D_Swiatla" end to end: symbols inserted from the shipped templates by a
// script through the console, the drawing read back by ezdxf.

#include <gtest/gtest.h>

#include <sstream>

#include "tests/console/ConsoleRun.h"

namespace {

constexpr const char* kReadInserts = R"(
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace().query("INSERT"):
    turn = round(e.dxf.rotation, 9) % 360
    print("insert", e.dxf.name, "%g %g %g %g" % (e.dxf.insert.x, e.dxf.insert.y, turn, e.dxf.xscale))
print("blocks", sum(1 for b in doc.blocks if b.name.startswith("s_")))
print("entities", len(doc.blocks.get("s_a1")))
print("audit", len(doc.audit().errors))
)";

}  // namespace

TEST(TrafficLightsRun, SymbolsFromTheirTemplatesTurnedAndScaled)
{
    ScratchDir dir;
    const std::string out = dir.path("swiatla.dxf").string();
    const ConsoleResult r = runTarvo({"run", "--script",
                                      dir.write("s.scr", "D_Swiatla\n"
                                                         "dlg select IDC_LIGHT_LIST \"s_a1\"\n"
                                                         "dlg click 1\n10,20\n10,30\n"
                                                         "dlg click 1\n40,20\n50,20\n"
                                                         "dlg select IDC_LIGHT_LIST \"s_d1\"\n"
                                                         "dlg select IDC_SCALE \"1:500\"\n"
                                                         "dlg click 1\n0,0\n0,-5\n"
                                                         "dlg click 2\n"
                                                         "D_Swiatla\n"  // starts at 1:500
                                                         "dlg select IDC_LIGHT_LIST 0\n"
                                                         "dlg click 1\n5,5\n5,6\n"
                                                         "dlg click IDCANCEL\n"),
                                      "--out", out});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_FALSE(Contains(r.out, "Error"));
    std::istringstream listing(ezdxfListing(dir, kReadInserts, out));
    std::ostringstream expected;
    expected << "insert s_a1 10 20 180 0.01\n"
             << "insert s_a1 40 20 90 0.01\n"
             << "insert s_d1 0 0 0 0.005\n"
             << "insert s_a1 5 5 180 0.005\n"
             << "blocks 2\n";
    std::string text = listing.str();
    EXPECT_EQ(text.substr(0, expected.str().size()), expected.str()) << text;
    EXPECT_TRUE(Contains(text, "audit 0"));
    EXPECT_FALSE(Contains(text, "entities 0")) << "the block holds the template's drawing";
}
