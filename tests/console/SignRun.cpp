// The five sign commands end to end: boards with Polish place names on
// posts, each with its description, drawn through the console and read
// back by ezdxf: the board blocks with their outlines, fills and text, the
// references and descriptions, and an audit without errors.

#include <gtest/gtest.h>

#include "tests/console/ConsoleRun.h"

namespace {

// For each board block: "block NAME TYPES... | TEXT"; for each description:
// "description TAG=VALUE..."; then "audit ERRORS".
constexpr const char* kReadSigns = R"PY(
import sys, ezdxf
sys.stdout.reconfigure(encoding="utf-8")
doc = ezdxf.readfile(sys.argv[1])
for b in doc.blocks:
    if b.name.startswith("E-"):
        types = sorted(e.dxftype() for e in b)
        text = [e.plain_text() for e in b if e.dxftype() == "MTEXT"]
        print("block", repr(b.name), *types, "|", *text)
for e in doc.modelspace().query("INSERT"):
    if e.dxf.name == "S_Znaki_OpisPionowe":
        print("description", *[a.dxf.tag + "=" + a.dxf.text for a in e.attribs])
print("audit", len(doc.audit().errors))
)PY";

// Each dialog starts from the last one's choices: the generation and the
// destination chosen once hold for the signs after.
struct Sign {
    const char* command;
    const char* text;
    const char* options;  // dialog lines before the draw
    const char* block;    // as Python's repr prints it
    const char* contents;
    const char* description;
};

const Sign kSigns[] = {
    {"E17a", "Łódź", "", "'E-17a_Łódź_ '", "HATCH HATCH HATCH LWPOLYLINE LWPOLYLINE LWPOLYLINE MTEXT | Łódź",
     "Symbol=E-17a Przeznaczenie=Proj Wielkość= Odblaskowość=I Generacja"},
    {"E18a", "Świnoujście", "dlg select IDC_SIGN_GENERATION 2\n", "'E-18a_Świnoujście_ '",
     "HATCH HATCH HATCH HATCH LWPOLYLINE LWPOLYLINE LWPOLYLINE LWPOLYLINE MTEXT | Świnoujście",
     "Symbol=E-18a Przeznaczenie=Proj Wielkość= Odblaskowość=III Generacja"},
    {"E21", "Gdańsk Główny", "dlg select IDC_DESTINATION 2\n", "'E-21_Gdańsk Główny_ '",
     "HATCH HATCH LWPOLYLINE LWPOLYLINE MTEXT | Gdańsk Główny",
     "Symbol=E-21 Przeznaczenie=Istn Wielkość= Odblaskowość=III Generacja"},
    {"E4", "Świnoujście", "dlg select IDC_SIGN_DIRECTION \"W lewo\"\n", "'E-4_Świnoujście_ _'",
     "HATCH HATCH HATCH LWPOLYLINE LWPOLYLINE LWPOLYLINE MTEXT | Świnoujście",
     "Symbol=E-4 Przeznaczenie=Istn Wielkość=  Odblaskowość=III Generacja"},
    {"E5", "Łódź", "dlg select IDC_SIGN_DIRECTION \"W prawo\"\ndlg select IDC_SIGN_SIZE \"Duże\"\n", "'E-5_Łódź_D'",
     "HATCH HATCH LWPOLYLINE LWPOLYLINE MTEXT | Łódź",
     "Symbol=E-5 Przeznaczenie=Istn Wielkość=D Odblaskowość=III Generacja"},
};

std::string allSigns()
{
    std::string script;
    int x = 0;
    for (const Sign& s : kSigns) {
        const std::string at = std::to_string(x);
        script += std::string(s.command) + "\ndlg set IDC_SIGN_TEXT " + s.text + "\n" + s.options +
                  "dlg select IDC_SCALE \"1:500\"\ndlg check IDC_INSERT_AS_SIGN on\n"
                  "dlg check IDC_ADD_DESCRIPTION on\ndlg click 1\n0,0\n10,0\n" +
                  at + ",-3\n" + at + ",5\n\ndlg click 2\n";
        x += 20;
    }
    return script;
}

}  // namespace

TEST(SignRun, FiveBoardsWithPolishNamesAreReadBackByEzdxf)
{
    ScratchDir dir;
    const std::string out = dir.path("znaki.dxf").string();
    const ConsoleResult r = runTarvo(
        {"run", "--script", dir.write("s.scr", allSigns()), "--out", out, "--png", dir.path("znaki.png").string()});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string listing = ezdxfListing(dir, kReadSigns, out);
    for (const Sign& s : kSigns) {
        EXPECT_TRUE(Contains(listing, std::string("block ") + s.block + " " + s.contents + "\n"));
        EXPECT_TRUE(Contains(listing, std::string("description ") + s.description + "\n"));
    }
    EXPECT_TRUE(Contains(listing, "audit 0\n"));
}
