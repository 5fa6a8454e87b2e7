// "D_Strzalki" end to end: all nineteen arrows inserted in a row through the
// console, each with its description, and the drawing read back by ezdxf:
// nineteen filled blocks, each arrow's reference and description in place,
// and an audit without errors.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

// For each arrow block: "block NAME TYPES..."; for each reference:
// "insert NAME X Y ROTATION TAG=VALUE..."; then "audit ERRORS".
constexpr const char* kReadArrows = R"PY(
import re, sys, ezdxf
sys.stdout.reconfigure(encoding="utf-8")
# ezdxf leaves the writer's "\U+XXXX" escapes in tags and values.
def text(s):
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), s).replace(" ", "_")
doc = ezdxf.readfile(sys.argv[1])
for b in doc.blocks:
    if b.name.startswith("P-"):
        print("block", b.name, *[e.dxftype() + ("/0" if e.dxf.color == 0 and e.dxf.layer == "0" else "/?") for e in b])
for e in doc.modelspace().query("INSERT"):
    print("insert", e.dxf.name, *[f"{round(v, 6) + 0:g}" for v in (e.dxf.insert.x, e.dxf.insert.y, e.dxf.rotation)],
          *[text(a.dxf.tag) + "=" + text(a.dxf.text) for a in e.attribs])
auditor = doc.audit()
print("audit", len(auditor.errors))
)PY";

struct Arrow {
    int row;
    int length;  // -1: a single-size arrow
    const char* block;
    const char* area;
};

// Every block once: each row, the two-size ones long and then short.
const Arrow kArrows[] = {
    {0, 0, "P-8A_D", "1.59_m2"}, {0, 1, "P-8A_K", "1.21_m2"}, {1, 0, "P-8B_D", "1.94_m2"},  {1, 1, "P-8B_K", "1.49_m2"},
    {2, -1, "P-8C", "2.87_m2"},  {3, 0, "P-8D_D", "1.94_m2"}, {3, 1, "P-8D_K", "1.49_m2"},  {4, 0, "P-8E_D", "2.72_m2"},
    {4, 1, "P-8E_K", "2.19_m2"}, {5, 0, "P-8F_D", "2.72_m2"}, {5, 1, "P-8F_K", "2.19_m2"},  {6, 0, "P-8G_D", "3.07_m2"},
    {6, 1, "P-8G_K", "2.47_m2"}, {7, 0, "P-8H_D", "3.85_m2"}, {7, 1, "P-8H_K", "3.16_m2"},  {8, -1, "P-8I", "3.75_m2"},
    {9, -1, "P-9A", "4.15_m2"},  {10, -1, "P-9B", "4.15_m2"}, {11, -1, "P-6A", "1.568_m2"},
};

// The arrows side by side, 4 m apart, pointing up the drawing, each with a
// description line going down to its description.
std::string rowOfArrows()
{
    std::ostringstream script;
    script << "LAYER Projektowane\nD_Strzalki\ndlg select IDC_MARKING_SCALE \"1:1000\"\n";
    int x = 0;
    for (const Arrow& a : kArrows) {
        script << "dlg select IDC_ARROW_LIST " << a.row << "\n";
        if (a.length >= 0)
            script << "dlg select IDC_ARROW_LENGTH " << a.length << "\n";
        script << "dlg click IDC_ARROW_INSERT\n0,0\n0,1\n" << x << ",0\n" << x << ",-0.5\n" << x << ",-2\n\n";
        x += 4;
    }
    script << "dlg click 2\n";
    return script.str();
}

}  // namespace

TEST(ArrowRun, NineteenArrowsWithTheirDescriptionsAreReadBackByEzdxf)
{
    ScratchDir dir;
    const std::string out = dir.path("strzalki.dxf").string();
    const ConsoleResult r = runTarvo({"run", "--script", dir.write("s.scr", rowOfArrows()), "--out", out});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Wskaż pierwszy punkt na linii równoległej do drogi"));

    const std::string listing = ezdxfListing(dir, kReadArrows, out);
    int x = 0;
    for (const Arrow& a : kArrows) {
        EXPECT_TRUE(Contains(listing, std::string("block ") + a.block + " LWPOLYLINE/0 HATCH/0\n"));
        std::ostringstream arrow, description;
        arrow << "insert " << a.block << " " << x << " 0 90\n";
        description << "insert S_Znaki_OpisPoz " << x << " -2 90 Symbol=" << std::string(a.block).substr(0, 4)
                    << " Powierzchnia=" << a.area << " Długość="
                    << (a.length == 0   ? "Długa"
                        : a.length == 1 ? "Krótka"
                                        : "")
                    << " Przeznaczenie=Projektowany Powierzchnia_na_mb=\n";
        EXPECT_TRUE(Contains(listing, arrow.str()));
        EXPECT_TRUE(Contains(listing, description.str()));
        x += 4;
    }
    EXPECT_TRUE(Contains(listing, "audit 0\n"));
}
