// Clumsy input end to end: an arrow insertion cancelled at any of its three
// points leaves the saved drawing byte for byte as it was, and a line
// marking picked on what it cannot follow, read from another program's
// drawing, is refused with the command's own sentence.

#include <gtest/gtest.h>

#include <string>

#include "tests/console/ConsoleRun.h"

namespace {

// Writes, with ezdxf, the drawing named by its argument: one edge of each
// kind a marking cannot follow, side by side, and a line on a locked layer.
constexpr const char* kWriteOtherKinds = R"PY(
import sys, ezdxf
doc = ezdxf.new("R2000")
msp = doc.modelspace()
msp.add_polyline2d([(0, 0), (10, 0), (10, 5)])
msp.add_polyline3d([(0, 20, 0), (10, 20, 1), (20, 20, 0)])
msp.add_spline(fit_points=[(0, 40), (5, 45), (10, 40), (15, 45)])
msp.add_ellipse((5, 60), major_axis=(5, 0), ratio=0.5)
doc.layers.add("ZAMKNIETA").lock()
msp.add_line((0, 80), (10, 80), dxfattribs={"layer": "ZAMKNIETA"})
doc.saveas(sys.argv[1])
)PY";

// Each entity of model space as "TYPE LAYER".
constexpr const char* kListEntities = R"PY(
import sys, ezdxf
for e in ezdxf.readfile(sys.argv[1]).modelspace():
    print(e.dxftype(), e.dxf.layer)
)PY";

}  // namespace

TEST(EdgeInputRun, ACancelledArrowLeavesTheDrawingAsItWas)
{
    ScratchDir dir;
    const std::string base = dir.path("base.dxf").string();
    ASSERT_EQ(runTarvo({"run", "--script", dir.write("base.scr", "LAYER Projektowane\n"), "--out", base}).status, 0);
    const auto saved = [&](const std::string& name, const std::string& script) {
        const std::string out = dir.path(name + ".dxf").string();
        const ConsoleResult r =
            runTarvo({"run", "--in", base, "--script", dir.write(name + ".scr", script), "--out", out});
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        return readFile(out);
    };
    const std::string untouched = saved("untouched", "D_Strzalki\ndlg click 2\n");
    ASSERT_FALSE(untouched.empty());
    for (const char* picks : {"*cancel*\n", "0,0\n*cancel*\n", "0,0\n10,0\n*cancel*\n"}) {
        const std::string cancelled =
            saved("cancelled", std::string("D_Strzalki\ndlg select IDC_ARROW_LIST 0\ndlg click IDC_ARROW_INSERT\n") +
                                   picks + "dlg click 2\n");
        EXPECT_TRUE(cancelled == untouched) << "cancelled after: " << picks;
    }
}

TEST(EdgeInputRun, AMarkingOnAnEdgeItCannotFollowSaysWhy)
{
    ScratchDir dir;
    const std::string in = dir.path("inne.dxf").string();
    ezdxfListing(dir, kWriteOtherKinds, in);
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTarvo({"run", "--in", in, "--out", out, "--script",
                                      dir.write("s.scr", "D_Linie\n"
                                                         "dlg click IDC_LINE_DRAW\npick 5,0\n"
                                                         "dlg click IDC_LINE_DRAW\npick 5,20.5\n"
                                                         "dlg click IDC_LINE_DRAW\npick 0,40\n"
                                                         "dlg click IDC_LINE_DRAW\npick 10,60\n"
                                                         "dlg click IDC_LINE_DRAW\npick 5,80\n"
                                                         "dlg click 2\n")});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string refusal = "Wskazany obiekt nie jest linią, łukiem, okręgiem ani polilinią.";
    size_t said = 0;
    for (size_t at = r.out.find(refusal); at != std::string::npos; at = r.out.find(refusal, at + 1))
        ++said;
    EXPECT_EQ(said, 4u) << r.out;
    EXPECT_TRUE(Contains(r.out, "Obiekt leży na warstwie zablokowanej; oznaczenia nie narysowano."));
    EXPECT_FALSE(Contains(r.out, "Error selecting the entity!"));
    EXPECT_EQ(ezdxfListing(dir, kListEntities, out), "POLYLINE 0\nPOLYLINE 0\nSPLINE 0\nELLIPSE 0\nLINE ZAMKNIETA\n")
        << "nothing drawn, the locked line as it was";
}
