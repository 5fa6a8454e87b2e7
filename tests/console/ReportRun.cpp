// "tarvo report" end to end: a drawing with known signs, line markings,
// arrows and lights in all four destinations, drawn through the console
// (the sign boards and their descriptions made beside it with ezdxf), gives
// the exact tables; the workbook read back by openpyxl holds numbers whose
// totals agree; bad input gives its status and changes nothing.

#include <gtest/gtest.h>

#include <sstream>

#include "tests/console/ConsoleRun.h"

namespace {

// Layers of the destinations, curves for the markings (10, 25, 7.5 and
// 12.34 m long) and five sign boards: two E-5 "D" (one grouped with its
// description, one only beside it), an E-5 "M", an E-17a and an E-4
// without description.
constexpr const char* kBaseDrawing = R"PY(
import sys, ezdxf
doc = ezdxf.new("R2000")
msp = doc.modelspace()
for name in ("Projektowane", "Tymczasowe", "Istniejace", "Usuwane"):
    doc.layers.add(name)
# Curves for the markings: 10 m, 25 m, 7.5 m, 12.34 m along x at y = 0, 10, 20, 30.
for y, length in ((0, 10), (10, 25), (20, 7.5), (30, 12.34)):
    msp.add_line((0, y), (length, y))
desc = doc.blocks.new("S_Znaki_OpisPionowe")
for i, tag in enumerate(("Symbol", "Przeznaczenie", "Wielkość", "Odblaskowość")):
    desc.add_attdef(tag, (0, -i * 1.5), dxfattribs={"height": 1})
def board(name):
    if name not in doc.blocks:
        doc.blocks.new(name).add_lwpolyline([(-1, 0), (1, 0), (1, 1), (-1, 1)], close=True)
def sign(block, x, y, layer, symbol, dest, size, gen, group=False, described=True):
    board(block)
    b = msp.add_blockref(block, (x, y), dxfattribs={"layer": layer})
    members = [b]
    if described:
        d = msp.add_blockref("S_Znaki_OpisPionowe", (x + 2, y + 0.5), dxfattribs={"layer": layer})
        d.add_auto_attribs({"Symbol": symbol, "Przeznaczenie": dest, "Wielkość": size, "Odblaskowość": gen})
        members.append(d)
    if group:
        doc.groups.new().extend(members)
sign("E-5_Kraków_D", 100, 0, "Projektowane", "E-5", "Proj", "D", "I Generacja")
sign("E-5_Kraków_D_", 100, 5, "Projektowane", "E-5", "Proj", "D", "I Generacja", group=True)
sign("E-5_Gdańsk_M", 110, 0, "Usuwane", "E-5", "Usuw", "M", "II Generacja")
sign("E-17a_Warszawa_ ", 120, 0, "Tymczasowe", "E-17a", "Tymc", "", "I Generacja")
sign("E-4_Radom_ ", 130, 0, "Istniejace", "E-4", "Istn", " ", "I Generacja", described=False)
doc.saveas(sys.argv[1])
)PY";

// The markings, arrows and lights, each to a destination of its dialog.
std::string drawingScript()
{
    std::ostringstream s;
    s << "D_Linie\n";
    const struct {
        const char* symbol;
        int destination;
        int y;
        double length;
    } lines[] = {{"P-2A", 0, 0, 10}, {"P-1A", 1, 10, 25}, {"P-2A", 3, 20, 7.5}, {"P-4", 2, 30, 12.34}};
    for (const auto& l : lines)
        s << "dlg select IDC_LINE_LIST \"" << l.symbol << "\"\ndlg select IDC_MARKING_DESTINATION " << l.destination
          << "\ndlg click IDC_LINE_DRAW\npick 5," << l.y << "\n0," << l.y << "\n"
          << l.length << "," << l.y << "\n5," << l.y - 1 << "\n5," << l.y - 3 << "\n\n";
    s << "dlg click 2\nD_Strzalki\n";
    const struct {
        int row, length, destination, x;
    } arrows[] = {{0, 1, 2, 50}, {11, -1, 2, 55}, {0, 0, 0, 60}, {9, -1, 1, 65}, {2, -1, 3, 70}, {0, 1, 2, 75}};
    for (const auto& a : arrows) {
        s << "dlg select IDC_ARROW_LIST " << a.row << "\n";
        if (a.length >= 0)
            s << "dlg select IDC_ARROW_LENGTH " << a.length << "\n";
        s << "dlg select IDC_MARKING_DESTINATION " << a.destination << "\ndlg click IDC_ARROW_INSERT\n0,0\n0,1\n"
          << a.x << ",0\n"
          << a.x << ",-1\n"
          << a.x << ",-2\n\n";
    }
    s << "dlg click 2\nD_Swiatla\n";
    for (const auto& [name, x] : {std::pair{"s_a1", 80}, std::pair{"s_a1", 82}, std::pair{"s_d1", 84}})
        s << "dlg select IDC_LIGHT_LIST \"" << name << "\"\ndlg click 1\n" << x << ",0\n" << x << ",1\n";
    s << "dlg click 2\n";
    return s.str();
}

constexpr const char* kExpectedTables = R"(
Znaki pionowe
=============
Symbol  Tekst     Wielkość  Wymiary [mm]  Odblaskowość  Projektowany [szt.]  Tymczasowy [szt.]  Istniejący [szt.]  Usuwany [szt.]  Razem [szt.]
E-4     Radom               2 × 1                                         0                  0                  1               0             1
E-5     Kraków    D         2 × 1         I Generacja                     2                  0                  0               0             2
E-5     Gdańsk    M         2 × 1         II Generacja                    0                  0                  0               1             1
E-17a   Warszawa            2 × 1         I Generacja                     0                  1                  0               0             1
Razem                                                                     2                  1                  1               1             5

Oznakowanie poziome – linie
===========================
Symbol  Projektowany długość [m]  Projektowany powierzchnia [m²]  Tymczasowy długość [m]  Tymczasowy powierzchnia [m²]  Istniejący długość [m]  Istniejący powierzchnia [m²]  Usuwany długość [m]  Usuwany powierzchnia [m²]  Razem długość [m]  Razem powierzchnia [m²]
P-1A                        0,00                            0,00                   25,00                          1,00                    0,00                          0,00                 0,00                       0,00              25,00                     1,00
P-2A                       10,00                            1,20                    0,00                          0,00                    0,00                          0,00                 7,50                       0,90              17,50                     2,10
P-4                         0,00                            0,00                    0,00                          0,00                   12,34                          2,96                 0,00                       0,00              12,34                     2,96
Razem                      10,00                            1,20                   25,00                          1,00                   12,34                          2,96                 7,50                       0,90              54,84                     6,06

Oznakowanie poziome – strzałki
==============================
Symbol  Długość  Projektowany [szt.]  Projektowany powierzchnia [m²]  Tymczasowy [szt.]  Tymczasowy powierzchnia [m²]  Istniejący [szt.]  Istniejący powierzchnia [m²]  Usuwany [szt.]  Usuwany powierzchnia [m²]  Razem [szt.]  Razem powierzchnia [m²]
P-8A    Długa                      1                            1,59                  0                          0,00                  0                          0,00               0                       0,00             1                     1,59
P-8A    Krótka                     0                            0,00                  0                          0,00                  2                          2,42               0                       0,00             2                     2,42
P-8C                               0                            0,00                  0                          0,00                  0                          0,00               1                       2,87             1                     2,87
P-9A                               0                            0,00                  1                          4,15                  0                          0,00               0                       0,00             1                     4,15
P-6A                               0                            0,00                  0                          0,00                  1                         1,568               0                       0,00             1                    1,568
Razem                              1                            1,59                  1                          4,15                  3                         3,988               1                       2,87             6                   12,598

Sygnalizacja świetlna
=====================
Symbol  Liczba [szt.]
s_a1                2
s_d1                1
Razem               3

Tablice informacyjne
====================
Tekst  Wymiary [mm]  Kolor tablicy  Kolor tekstu  Powierzchnia [m²]  Projektowany [szt.]  Tymczasowy [szt.]  Istniejący [szt.]  Usuwany [szt.]  Razem [szt.]  Razem powierzchnia [m²]
Razem                                                                                  0                  0                  0               0             0                     0,00

Ostrzeżenia: brak
)";

// Every sheet: whether the cells after the text columns are numbers, and
// whether each totals cell is the sum of its column; then the totals row.
constexpr const char* kReadWorkbook = R"PY(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
print(*book.sheetnames)
for sheet, texts in (("Znaki pionowe", 5), ("Linie", 1), ("Strzałki", 2), ("Światła", 1)):
    rows = list(book[sheet].iter_rows(values_only=True))
    body, totals = rows[1:-1], rows[-1]
    numbers = all(isinstance(v, (int, float)) for row in rows[1:] for v in row[texts:])
    agree = all(abs(sum(row[c] for row in body) - totals[c]) < 1e-9 for c in range(texts, len(totals)))
    print(sheet, "numbers" if numbers else "TEXTS", "agree" if agree else "DISAGREE", *totals)
print("widths", all(book[s].column_dimensions["A"].width >= 8 for s in book.sheetnames))
)PY";

class ReportRun : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string base = dir.path("base.dxf").string();
        ASSERT_EQ(ezdxfListing(dir, kBaseDrawing, base), "");
        const ConsoleResult settings =
            runTarvo({"settings", base, "--layer-designed", "Projektowane", "--layer-temporary", "Tymczasowe",
                      "--layer-existing", "Istniejace", "--layer-removed", "Usuwane"});
        ASSERT_EQ(settings.status, 0) << settings.err;
        const ConsoleResult run =
            runTarvo({"run", "--in", base, "--script", dir.write("s.scr", drawingScript()), "--out", drawing});
        ASSERT_EQ(run.status, 0) << run.out << run.err;
    }

    ScratchDir dir;
    const std::string drawing = dir.path("drawn.dxf").string();
};

TEST_F(ReportRun, KnownSignsMarkingsArrowsAndLightsGiveTheExactTables)
{
    const ConsoleResult r = runTarvo({"report", drawing});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ("\n" + r.out, kExpectedTables);
}

TEST_F(ReportRun, TheWorkbookHoldsNumbersWhoseTotalsAgree)
{
    const std::string xlsx = dir.path("zestawienie.xlsx").string();
    const ConsoleResult r = runTarvo({"report", drawing, "--xlsx", xlsx});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ezdxfListing(dir, kReadWorkbook, xlsx),
              "Znaki pionowe Linie Strzałki Światła Tablice informacyjne Ostrzeżenia\n"
              "Znaki pionowe numbers agree Razem None None None None 2 1 1 1 5\n"
              "Linie numbers agree Razem 10 1.2 25 1 12.34 2.96 7.5 0.9 54.84 6.06\n"
              "Strzałki numbers agree Razem None 1 1.59 1 4.15 3 3.988 1 2.87 6 12.598\n"
              "Światła numbers agree Razem 3\n"
              "widths True\n");
    // The same drawing gives the same file.
    const std::string again = dir.path("again.xlsx").string();
    ASSERT_EQ(runTarvo({"report", drawing, "--xlsx", again}).status, 0);
    EXPECT_EQ(readFile(xlsx), readFile(again));
}

TEST_F(ReportRun, ARunWritesTheSameWorkbookAtItsEnd)
{
    const std::string afterRun = dir.path("run.xlsx").string(), fromFile = dir.path("file.xlsx").string();
    const ConsoleResult r = runTarvo(
        {"run", "--in", dir.path("base.dxf").string(), "--script", dir.path("s.scr").string(), "--report", afterRun});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(runTarvo({"report", drawing, "--xlsx", fromFile}).status, 0);
    EXPECT_EQ(ezdxfListing(dir, kReadWorkbook, afterRun), ezdxfListing(dir, kReadWorkbook, fromFile));
    // A workbook that cannot be written is refused before the script runs.
    const ConsoleResult refused =
        runTarvo({"run", "--script", dir.path("s.scr").string(), "--report", dir.path("").string()});
    EXPECT_EQ(refused.status, 3);
    EXPECT_FALSE(Contains(refused.out, "D_Linie"));
}

TEST_F(ReportRun, TheOtherFormatsHoldTheSameFigures)
{
    const ConsoleResult r =
        runTarvo({"report", drawing, "--csv", dir.path("csv").string(), "--md", dir.path("z.md").string(), "--html",
                  dir.path("z.html").string(), "--pdf", dir.path("z.pdf").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir.path("csv/linie.csv")),
              "\xEF\xBB\xBFSymbol;Projektowany długość [m];Projektowany powierzchnia [m²];Tymczasowy długość [m];"
              "Tymczasowy powierzchnia [m²];Istniejący długość [m];Istniejący powierzchnia [m²];Usuwany długość [m];"
              "Usuwany powierzchnia [m²];Razem długość [m];Razem powierzchnia [m²]\r\n"
              "P-1A;0,00;0,00;25,00;1,00;0,00;0,00;0,00;0,00;25,00;1,00\r\n"
              "P-2A;10,00;1,20;0,00;0,00;0,00;0,00;7,50;0,90;17,50;2,10\r\n"
              "P-4;0,00;0,00;0,00;0,00;12,34;2,96;0,00;0,00;12,34;2,96\r\n"
              "Razem;10,00;1,20;25,00;1,00;12,34;2,96;7,50;0,90;54,84;6,06\r\n");
    EXPECT_EQ(readFile(dir.path("csv/ostrzezenia.csv")), "\xEF\xBB\xBFOstrzeżenie\r\n");
    EXPECT_TRUE(Contains(readFile(dir.path("z.md")), "| **Razem** | **10,00** | **1,20** | **25,00** |"));
    const std::string html = readFile(dir.path("z.html"));
    EXPECT_TRUE(Contains(html, "<td>s_d1</td><td class=\"n\">1</td></tr>"));
    EXPECT_EQ(html.find("href="), std::string::npos);  // nothing outside the page
    // A picture beside each row of boards, arrows and lights, each an SVG
    // drawing embedded in the page, upright and framed to its board or
    // symbol: the E-5 boards, with the margin, about twice as wide as high.
    EXPECT_EQ(ezdxfListing(dir, R"PY(
import base64, re, sys, xml.etree.ElementTree as ET
page = open(sys.argv[1], encoding="utf-8").read()
sources = re.findall(r'src="([^"]*)"', page)
print(len(sources), all(s.startswith("data:image/svg+xml;base64,") for s in sources))
for s in sources[:2]:
    svg = ET.fromstring(base64.b64decode(s.split(",", 1)[1]))
    print(svg.tag.endswith("svg"), 1.5 < float(svg.get("width")[:-2]) / float(svg.get("height")[:-2]) < 2.5)
)PY",
                           dir.path("z.html").string()),
              "11 True\nTrue True\nTrue True\n");
    // The printable pages: A4 across, the same bytes from the same drawing.
    const std::string pdf = readFile(dir.path("z.pdf"));
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_TRUE(Contains(pdf, "/MediaBox [ 0 0 841.89 595.28 ]")) << pdf.substr(0, 2000);
    ASSERT_EQ(runTarvo({"report", drawing, "--pdf", dir.path("again.pdf").string()}).status, 0);
    EXPECT_EQ(readFile(dir.path("again.pdf")), pdf);
}

// With default settings every destination is on layer "0": each arrow is
// counted on the destination chosen in its dialog, which its description
// holds, not on the first destination of the layer.
TEST(ReportDestinations, ArrowsOnASharedLayerCountWhereTheDesignerPutThem)
{
    ScratchDir dir;
    std::ostringstream script;
    script << "D_Strzalki\n";
    for (const auto& [destination, x] : {std::pair{1, 50}, std::pair{3, 60}, std::pair{3, 70}})
        script << "dlg select IDC_ARROW_LIST 9\ndlg select IDC_MARKING_DESTINATION " << destination
               << "\ndlg click IDC_ARROW_INSERT\n0,0\n0,1\n"
               << x << ",0\n"
               << x << ",-1\n"
               << x << ",-2\n\n";
    script << "dlg click 2\n";
    const std::string drawing = dir.path("d.dxf").string();
    const ConsoleResult run = runTarvo({"run", "--script", dir.write("s.scr", script.str()), "--out", drawing});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const ConsoleResult r = runTarvo({"report", drawing});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out,
                         "\nP-9A                               0                            0,00                  "
                         "1                          4,15                  0                          0,00       "
                         "        2                       8,30             3                    12,45\n"))
        << r.out;
    EXPECT_TRUE(Contains(r.out, "Ostrzeżenia: brak")) << r.out;
}

// Information boards drawn through their dialog are items of the bill: the
// same text, size and colours twice make one row of two.
TEST(ReportInfoBoards, DrawnBoardsAreCountedByTextSizeAndColours)
{
    ScratchDir dir;
    std::string script;
    for (const auto& [text, x] : {std::pair{"Parking", 0}, std::pair{"Parking", 2000}, std::pair{"Zakaz {x}", 4000}})
        script += std::string("D_InfoTab\ndlg set IDC_BOARD_TEXT ") + text +
                  "\ndlg click IDC_TEXT_COLOUR\ndlg color 255,255,255\ndlg click IDC_BOARD_COLOUR\ndlg color 0,0,255\n"
                  "dlg click 1\n" +
                  std::to_string(x) + ",0\n";
    const std::string drawing = dir.path("d.dxf").string();
    const ConsoleResult run = runTarvo({"run", "--script", dir.write("s.scr", script), "--out", drawing});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const ConsoleResult r = runTarvo({"report", drawing});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string tables = r.out.substr(r.out.find("Tablice informacyjne"));
    EXPECT_TRUE(Contains(tables, "\nParking    ")) << tables;
    EXPECT_TRUE(Contains(tables, "RGB 0,0,255    RGB 255,255,255")) << tables;
    EXPECT_TRUE(Contains(tables, "\nZakaz {x}  ")) << tables;
    EXPECT_TRUE(Contains(tables, "\nRazem ")) << tables;
    // Default settings put every destination on layer "0": counted on the
    // first, and said so.
    EXPECT_TRUE(Contains(r.out, "odpowiada kilku przeznaczeniom")) << r.out;
}

// A text beyond a cell's limit reaches the workbook shortened, and every
// warning the console counts is on its warnings sheet.
TEST(ReportFiles, AHugeTextIsShortenedAndEveryWarningReachesTheWorkbook)
{
    ScratchDir dir;
    const std::string drawing = dir.path("huge.dxf").string();
    ASSERT_EQ(ezdxfListing(dir, R"PY(
import sys, ezdxf
doc = ezdxf.new("R2000")
desc = doc.blocks.new("S_Znaki_OpisPoz")
for i, tag in enumerate(("Symbol", "Powierzchnia", "Długość", "Przeznaczenie", "Powierzchnia_na_mb")):
    desc.add_attdef(tag, (0, -i * 1.5), dxfattribs={"height": 1})
d = doc.modelspace().add_blockref("S_Znaki_OpisPoz", (0, 0))
d.add_auto_attribs({"Symbol": "Q" * 40000, "Powierzchnia": "1.20", "Długość": "10.00", "Przeznaczenie": "Projektowany",
                    "Powierzchnia_na_mb": "0.12"})
doc.saveas(sys.argv[1])
)PY",
                           drawing),
              "");
    const std::string xlsx = dir.path("z.xlsx").string();
    const ConsoleResult r = runTarvo({"report", drawing, "--xlsx", xlsx});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Warnings: 2")) << r.out;
    EXPECT_EQ(ezdxfListing(dir, R"PY(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
symbol = book["Linie"]["A2"].value
print(len(symbol), symbol.endswith(" […]"), book["Ostrzeżenia"].max_row - 1)
)PY",
                           xlsx),
              "32765 True 2\n");
}

struct BadInput {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the scratch folder
    int status;
    const char* message;
};

class ReportBadInput : public testing::TestWithParam<BadInput> {};

TEST_P(ReportBadInput, GivesItsStatusAndOneMessage)
{
    ScratchDir dir;
    dir.write("damaged.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nkeine Zahl\n");
    ASSERT_EQ(runTarvo({"run", "--out", dir.path("empty.dxf").string()}).status, 0);
    std::vector<std::string> args;
    for (const std::string& a : GetParam().args)
        args.push_back(a.starts_with("@") ? dir.path(a.substr(1)).string() : a);
    const ConsoleResult r = runTarvo(args);
    EXPECT_EQ(r.status, GetParam().status) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out + r.err, GetParam().message));
    EXPECT_FALSE(std::filesystem::exists(dir.path("out.xlsx")) && GetParam().status != 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportBadInput,
    testing::Values(BadInput{"NoDescriptions", {"report", "@empty.dxf"}, 0, "0,00\n\nOstrzeżenia: brak\n"},
                    BadInput{"Damaged", {"report", "@damaged.dxf", "--xlsx", "@out.xlsx"}, 3, "damaged.dxf"},
                    BadInput{"Missing", {"report", "@missing.dxf", "--xlsx", "@out.xlsx"}, 3, "missing.dxf"},
                    BadInput{"WorkbookIntoAFolder", {"report", "@empty.dxf", "--xlsx", "@"}, 3, "cannot write"},
                    BadInput{"NoDrawing", {"report", "--md", "@out.md"}, 2, "no drawing given"},
                    BadInput{"TwoWorkbooks",
                             {"report", "@empty.dxf", "--xlsx", "@a.xlsx", "--xlsx=@b.xlsx"},
                             2,
                             "--xlsx needs one value"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
