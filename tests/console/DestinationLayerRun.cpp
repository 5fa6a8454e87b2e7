// Where a sign's entities land: every one of them, the attributes of its
// description and the cross of a removed sign on the destination's layer;
// and what a drawing whose settings record holds values no sign can be
// drawn with is drawn with instead.

#include <gtest/gtest.h>

#include "tests/console/ConsoleRun.h"

namespace {

// One line per model-space entity: references with their layer, scale and
// the layers of their attributes; the red cross lines with their layer;
// then each group's members and the audit.
constexpr const char* kReadLayers = R"PY(
import sys, ezdxf
sys.stdout.reconfigure(encoding="utf-8")
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    if e.dxftype() == "INSERT":
        print("insert", e.dxf.name, e.dxf.layer, "%.9g" % e.dxf.xscale,
              "attribs", *sorted(set(a.dxf.layer for a in e.attribs)))
    elif e.dxftype() == "LWPOLYLINE" and e.dxf.color == 1:
        print("cross", e.dxf.layer)
for name, group in doc.groups:
    print("group", *sorted(e.dxftype() + ":" + e.dxf.layer for e in group))
print("audit", len(doc.audit().errors))
)PY";

// A removed sign on a post with its description, then a designed plain
// board at 1:1000.
constexpr const char* kTwoSigns = R"(E17a
dlg set IDC_SIGN_TEXT Łódź
dlg select IDC_DESTINATION 3
dlg check IDC_INSERT_AS_SIGN on
dlg check IDC_ADD_DESCRIPTION on
dlg click 1
0,0
10,0
0,-3
0,5

dlg click 2
E17a
dlg set IDC_SIGN_TEXT Kraków
dlg select IDC_DESTINATION 0
dlg check IDC_INSERT_AS_SIGN off
dlg click 1
30,0
dlg click 2
)";

// Draws the two signs into a copy of the drawing and lists the result.
std::string drawTwoSigns(const ScratchDir& dir, const std::string& drawing, ConsoleResult& run)
{
    const std::string out = dir.path("out.dxf").string();
    run = runTarvo({"run", "--in", drawing, "--script", dir.write("s.scr", kTwoSigns), "--out", out});
    return ezdxfListing(dir, kReadLayers, out);
}

std::string emptyDrawing(const ScratchDir& dir)
{
    const std::string path = dir.path("empty.dxf").string();
    EXPECT_EQ(runTarvo({"run", "--script", "-", "--out", path}, "").status, 0);
    return path;
}

}  // namespace

TEST(DestinationLayerRun, EveryEntityOfASignAndItsCrossLandOnTheDestinationsLayerAndGroup)
{
    ScratchDir dir;
    const std::string drawing = dir.path("plan.dxf").string();
    ASSERT_EQ(runTarvo({"settings", emptyDrawing(dir), "--out", drawing, "--layer-designed", "Projektowane",
                        "--layer-removed", "Usuwane", "--group", "on"})
                  .status,
              0);
    ConsoleResult run;
    const std::string listing = drawTwoSigns(dir, drawing, run);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(listing, "insert Slupek1 Usuwane 0.04 attribs\n"
                       "insert E-17a_Łódź_  Usuwane 0.01 attribs\n"
                       "insert S_Znaki_OpisPionowe Usuwane 0.02 attribs Usuwane\n"
                       "cross Usuwane\n"
                       "cross Usuwane\n"
                       "insert E-17a_Kraków_  Projektowane 0.004 attribs\n"
                       "group INSERT:Usuwane INSERT:Usuwane INSERT:Usuwane LEADER:Usuwane LWPOLYLINE:Usuwane "
                       "LWPOLYLINE:Usuwane\n"
                       "group INSERT:Projektowane\n"
                       "audit 0\n");
}

// A record value that would hide or mirror the signs, or put them on no
// layer of the designer's, is refused: the drawing is drawn as with the
// default, and the user is told once, with the field.
struct BadRecord {
    const char* field;
    int position;       // of the item in the record, from 1
    const char* value;  // as ezdxf stores it: a real when it reads as one
};

void PrintTo(const BadRecord& bad, std::ostream* os) { *os << bad.field << " \"" << bad.value << '"'; }

// Stores a record of defaults whose item at a position holds a value: a
// real when it reads as a number, else a text.
constexpr const char* kWriteRecord = R"PY(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
doc.appids.add("Tarvo")
record = doc.rootdict.get_required_dict("S_Znaki").add_xrecord("Przeznaczenie")
items = [(1000, "0")] * 4 + [(1040, 1.0), (1000, "0"), (1040, 1.0), (1000, "False"), (1040, 0.001)]
position, value = int(sys.argv[3]) - 1, sys.argv[4]
try:
    items[position] = (1040, float(value))
except ValueError:
    items[position] = (1000, value)
record.set_xdata("Tarvo", items)
doc.saveas(sys.argv[2])
)PY";

class RefusedRecordValue : public testing::TestWithParam<BadRecord> {};

TEST_P(RefusedRecordValue, DrawsAsTheDefaultAndTellsOnce)
{
    const BadRecord bad = GetParam();
    ScratchDir dir;
    const std::string plain = emptyDrawing(dir);
    const std::string drawing = dir.path("zly.dxf").string();
    const std::string writer = dir.write("bad.py", kWriteRecord);
    const ConsoleResult written =
        runProgram("/usr/bin/python3", {writer, plain, drawing, std::to_string(bad.position), bad.value});
    ASSERT_EQ(written.status, 0) << written.err;

    ConsoleResult expected, got;
    const std::string asDefault = drawTwoSigns(dir, plain, expected);
    const std::string asBad = drawTwoSigns(dir, drawing, got);
    ASSERT_EQ(got.status, 0) << got.out << got.err;
    EXPECT_EQ(asBad, asDefault);
    const std::string notice = std::string("Drawing settings of the working drawing: ") + bad.field + " \"";
    const size_t first = got.out.find(notice);
    EXPECT_NE(first, std::string::npos) << got.out;
    EXPECT_EQ(got.out.find(notice, first + 1), std::string::npos) << "told once for two signs\n" << got.out;

    // The console's own view of the record agrees, and says so too.
    const ConsoleResult shown = runTarvo({"settings", drawing});
    EXPECT_EQ(shown.status, 0);
    EXPECT_TRUE(Contains(shown.err, "Drawing settings of " + drawing + ": " + bad.field + " \""));
}

INSTANTIATE_TEST_SUITE_P(Settings, RefusedRecordValue,
                         testing::Values(BadRecord{"symbol-scale", 5, "0"}, BadRecord{"symbol-scale", 5, "1e-300"},
                                         BadRecord{"drawing-scale", 9, "0"}, BadRecord{"marking-scale", 7, "-1"},
                                         BadRecord{"layer-designed", 1, "a<b>"}, BadRecord{"layer-removed", 3, ""},
                                         BadRecord{"layer-removed", 3, "   "}, BadRecord{"layer-designed", 1, "a\tb"},
                                         BadRecord{"group", 8, "Tak"}));

// A command whose destination layer is locked draws nothing: what it put
// there it could not open again to finish.
struct LockedDestination {
    const char* name;
    const char* script;
    const char* notDrawn;
};

void PrintTo(const LockedDestination& c, std::ostream* os) { *os << c.name; }

class LockedDestinationLayer : public testing::TestWithParam<LockedDestination> {};

constexpr const char* kWriteLockedZero = R"PY(
import sys, ezdxf
doc = ezdxf.new("R2000")
doc.layers.add("KRAWEDZ")
doc.header["$CLAYER"] = "KRAWEDZ"
doc.layers.get("0").lock()
doc.modelspace().add_line((0, 0), (100, 0), dxfattribs={"layer": "KRAWEDZ"})
doc.saveas(sys.argv[1])
)PY";

constexpr const char* kListModelSpace = R"PY(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    print(e.dxftype(), e.dxf.layer)
print("blocks", len([b for b in doc.blocks if not b.name.startswith("*")]))
)PY";

TEST_P(LockedDestinationLayer, IsRefusedBeforeAnythingIsDrawn)
{
    const LockedDestination c = GetParam();
    ScratchDir dir;
    const std::string in = dir.path("zamknieta.dxf").string();
    ezdxfListing(dir, kWriteLockedZero, in);
    const std::string out = dir.path("out.dxf").string();
    const ConsoleResult r = runTarvo({"run", "--in", in, "--out", out, "--script", dir.write("s.scr", c.script)});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, std::string("Warstwa docelowa „0” jest zablokowana; ") + c.notDrawn)) << r.out;
    EXPECT_EQ(ezdxfListing(dir, kListModelSpace, out), ezdxfListing(dir, kListModelSpace, in));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LockedDestinationLayer,
    testing::Values(LockedDestination{"LineMarking", "D_Linie\ndlg click IDC_LINE_DRAW\ndlg click 2\n",
                                      "oznaczenia nie narysowano."},
                    LockedDestination{
                        "Arrow", "D_Strzalki\ndlg select IDC_ARROW_LIST 0\ndlg click IDC_ARROW_INSERT\ndlg click 2\n",
                        "strzałki nie wstawiono."},
                    LockedDestination{"Sign", "E17a\ndlg set IDC_SIGN_TEXT Łódź\ndlg click 1\ndlg click 2\n",
                                      "znaku nie narysowano."}));
