// "D_InfoTab" end to end: a board with Polish text of several lines typed
// into the dialog through the console, the drawing read by ezdxf, whose
// plain text of the board's text is what was typed, and read and written
// again by the console to the same file and the same picture.

#include <gtest/gtest.h>

#include "tests/console/ConsoleRun.h"

namespace {

// The references of model space and, for each text in a block, its plain
// text as hex of its UTF-8 bytes (so that line breaks and backslashes
// compare exactly); then the audit's errors.
const char* const kReadBoards = R"(
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    print("entity", e.dxftype(), e.dxf.get("name", ""))
for block in doc.blocks:
    for e in block:
        if e.dxftype() == "MTEXT":
            print("text", block.name, e.plain_text().encode("utf-8").hex())
print("audit", len(doc.audit().errors))
)";

std::string hexOf(const std::string& text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : text)
        out += {kHex[c >> 4], kHex[c & 15]};
    return out;
}

}  // namespace

TEST(InfoBoardRun, WhatIsTypedIsWhatOtherProgramsReadAndASecondPassKeepsIt)
{
    ScratchDir dir;
    // A line that ends in a backslash, braces and a code's letters of its
    // own: each shows as typed.
    const std::string script = "D_InfoTab\n"
                               "dlg set IDC_BOARD_TEXT Zarząd Dróg Wojewódzkich w Łodzi, obwód drogowy C:\\\n"
                               "dlg line IDC_BOARD_TEXT {Żółć} \\P\n"
                               "dlg line IDC_BOARD_TEXT \n"
                               "dlg line IDC_BOARD_TEXT ŹRÓDŁO\n"
                               "dlg click IDC_TEXT_COLOUR\ndlg color 255,255,255\n"
                               "dlg click IDC_BOARD_COLOUR\ndlg color 0,112,60\n"
                               "dlg click 1\n"
                               "50,20\n";
    const std::string typed = "Zarząd Dróg Wojewódzkich w Łodzi, obwód drogowy C:\\\n{Żółć} \\P\n\nŹRÓDŁO";
    const std::string first = dir.path("tablica.dxf").string();
    const ConsoleResult r = runTarvo(
        {"run", "--script", dir.write("t.scr", script), "--out", first, "--png", dir.path("tablica.png").string()});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Wskaż punkt wstawienia"));

    const std::string listing = ezdxfListing(dir, kReadBoards, first);
    EXPECT_TRUE(Contains(listing, "entity INSERT *U"));
    EXPECT_TRUE(Contains(listing, " " + hexOf(typed) + "\n"));
    EXPECT_TRUE(Contains(listing, "audit 0"));

    const std::string second = dir.path("again.dxf").string();
    const ConsoleResult again = runTarvo({"run", "--in", first, "--script", dir.write("empty.scr", ""), "--out", second,
                                          "--png", dir.path("again.png").string()});
    ASSERT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_EQ(readFile(second), readFile(first)) << "read and written again, the same file";
    EXPECT_EQ(readFile(dir.path("again.png")), readFile(dir.path("tablica.png"))) << "and the same lines drawn";
}
