// Traffic-light templates whose blocks clash with the symbol's name or with
// the drawing's own blocks, through the console: the drawing written never
// holds a block nested in itself, and keeps its own definitions.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/console/ConsoleRun.h"

namespace {

// Writes the template drawing (argv[1]) named by argv[2]: "s_a1" defines a
// block of the symbol's own name and inserts it in its model space; "s_b1"
// holds a lamp and a nested post block of the drawing's own name.
constexpr const char* kMakeTemplate = R"PY(
import sys, ezdxf
doc = ezdxf.new("R2000")
msp = doc.modelspace()
if sys.argv[1].endswith("s_a1.dxf"):
    doc.blocks.new("S_A1").add_circle((0, 0), 50)
    msp.add_blockref("S_A1", (0, 0))
else:
    doc.blocks.new("Slupek1").add_line((0, 0), (300, 300))
    msp.add_circle((0, 0), 50)
    msp.add_blockref("Slupek1", (0, 0))
doc.saveas(sys.argv[1])
)PY";

// The entity kinds of the blocks that matter, one block a line.
constexpr const char* kReadBlocks = R"PY(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for name in ("s_a1", "s_b1", "Slupek1"):
    block = doc.blocks.get(name)
    print(name, "-" if block is None else " ".join(e.dxftype() for e in block))
)PY";

constexpr const char* kSign =
    "E5\ndlg set IDC_SIGN_TEXT Łódź\ndlg select IDC_SCALE \"1:500\"\ndlg check IDC_INSERT_AS_SIGN on\n"
    "dlg click 1\n0,0\n10,0\n0,-3\n0,5\n\ndlg click 2\n";

std::string lightScript(const char* symbol)
{
    return std::string("D_Swiatla\ndlg select IDC_LIGHT_LIST \"") + symbol +
           "\"\ndlg click 1\n10,20\n10,30\ndlg click 2\n";
}

// An installation folder that holds the two templates, and the registry
// that names it.
std::string installation(const ScratchDir& dir)
{
    const std::filesystem::path lights = dir.path("Tarvo") / "Wzory" / "Swiatla";
    std::filesystem::create_directories(lights);
    for (const char* name : {"s_a1.dxf", "s_b1.dxf"})
        EXPECT_EQ(ezdxfListing(dir, kMakeTemplate, (lights / name).string()), "");
    return dir.write("tarvo.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n\"Path\"=\"" +
                                      dir.path("Tarvo").string() + "\"\r\n");
}

struct Clash {
    const char* name;
    std::string script;
    const char* message;  // what the run says, or nothing
    const char* blocks;   // kReadBlocks' listing
};

class TemplateClash : public testing::TestWithParam<Clash> {};

}  // namespace

TEST_P(TemplateClash, LeavesNoBlockInItselfAndTheDrawingsOwnBlocks)
{
    const Clash& c = GetParam();
    ScratchDir dir;
    const std::string registry = installation(dir), out = dir.path("out.dxf").string();
    const ConsoleResult r =
        runTarvo({"run", "--registry", registry, "--script", dir.write("s.scr", c.script), "--out", out});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    if (*c.message) {
        EXPECT_TRUE(Contains(r.out, c.message));
    }
    EXPECT_EQ(ezdxfListing(dir, kReadBlocks, out), c.blocks);
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateClash,
                         testing::Values(Clash{"OwnNameIsRefused", lightScript("s_a1"), "wstawia blok o własnej nazwie",
                                               "s_a1 -\ns_b1 -\nSlupek1 -\n"},
                                         Clash{"ThePostDrawnFirstIsKept", std::string(kSign) + lightScript("s_b1"), "",
                                               "s_a1 -\ns_b1 CIRCLE INSERT\nSlupek1 CIRCLE LWPOLYLINE HATCH\n"}),
                         [](const testing::TestParamInfo<Clash>& p) { return p.param.name; });
