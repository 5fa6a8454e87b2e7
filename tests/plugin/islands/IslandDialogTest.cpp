// The island dialog driven as a user drives it: dialog lines and picks on
// the command line, with the plug-in's own template, strings and sketches.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ZcDbPolyline.h"
#include "frame/ModuleResources.h"
#include "islands/D_Ron_wyspy.h"
#include "islands/ParallelIsland.h"
#include "islands/TriangularIsland.h"
#include "resource.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

// What the dialog shows at one moment.
struct Shown {
    std::map<int, std::string> edits;
    std::string kind;
    HBITMAP sketch = nullptr;
    std::string caption, closeButton;
};

// The dialog, with a look at its controls after each draw and change of kind.
class WatchedDialog : public D_Ron_wyspy {
public:
    std::vector<Shown> seen;
    Shown opened;

    Shown look() const
    {
        Shown s;
        for (int id : {IDC_R, IDC_S, IDC_L, IDC_A, IDC_SW, IDC_SU, IDC_SD, IDC_R1, IDC_RU, IDC_RW, IDC_RU1, IDC_RW1,
                       IDC_L1, IDC_L2})
            s.edits[id] = text(id);
        s.kind = text(IDC_ISLAND_KIND);
        s.sketch = dynamic_cast<CStatic*>(GetDlgItem(IDC_ISLAND_SKETCH))->GetBitmap();
        CString caption;
        GetWindowText(caption);
        s.caption = caption.str();
        s.closeButton = text(IDCANCEL);
        return s;
    }

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = D_Ron_wyspy::OnInitDialog();
        opened = look();
        return result;
    }
    BOOL OnCommand(int id, int code) override
    {
        const BOOL handled = D_Ron_wyspy::OnCommand(id, code);
        if (id == IDOK || id == IDC_ISLAND_KIND)
            seen.push_back(look());
        return handled;
    }

private:
    std::string text(int id) const
    {
        CString value;
        GetDlgItem(id)->GetWindowText(value);
        return value.str();
    }
};

class IslandDialog : public testing::Test {
protected:
    void SetUp() override { clearShownMessageBoxes(); }

    // Runs the dialog on the script; the dialog stays for a look afterwards.
    void run(const std::string& script)
    {
        ScriptedInput input(script);
        dialog.DoModal();
    }

    std::vector<const ZcDbPolyline*> polylines() const { return drawing.polylines(); }

    ModuleResourceChain resources;
    TestDrawing drawing;
    WatchedDialog dialog;
};

// Vertex of a drawn polyline against a built one.
void expectSameOutline(const ZcDbPolyline* drawn, const IslandPolyline& built)
{
    ASSERT_EQ(drawn->numVerts(), built.vertices.size());
    for (size_t i = 0; i < built.vertices.size(); ++i) {
        EXPECT_NEAR(drawn->vertices()[i].point.x, built.vertices[i].point.x, 1e-9) << i;
        EXPECT_NEAR(drawn->vertices()[i].point.y, built.vertices[i].point.y, 1e-9) << i;
        EXPECT_NEAR(drawn->vertices()[i].bulge, built.vertices[i].bulge, 1e-12) << i;
    }
}

}  // namespace

TEST_F(IslandDialog, OpensOnTheTriangularKindWithItsDefaults)
{
    run("dlg click 2\n");
    const Shown& s = dialog.opened;
    EXPECT_EQ(s.caption, "Wyspy");
    EXPECT_EQ(s.closeButton, "Zamknij");
    EXPECT_EQ(s.kind, "Trójkątna");
    ASSERT_NE(s.sketch, nullptr);
    const std::map<int, std::string> defaults = {
        {IDC_R, "20"},  {IDC_S, "4"},  {IDC_L, "15"},   {IDC_A, "1:10"},  {IDC_SW, "3.75"},
        {IDC_SU, "4.5"}, {IDC_SD, "7"}, {IDC_R1, "0.5"}, {IDC_RU, "15"},  {IDC_RW, "12"},
        {IDC_RU1, "80"}, {IDC_RW1, "50"}, {IDC_L1, "0"}, {IDC_L2, "0"},
    };
    for (const auto& [id, value] : defaults)
        EXPECT_EQ(s.edits.at(id), value) << id;
    EXPECT_TRUE(polylines().empty());
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST_F(IslandDialog, SwitchingKindsWritesTheKindsValuesAndSketch)
{
    run("dlg select IDC_ISLAND_KIND 1\n"
        "dlg select IDC_ISLAND_KIND 0\n"
        "dlg click 2\n");
    ASSERT_EQ(dialog.seen.size(), 2u);
    const Shown& parallel = dialog.seen[0];
    EXPECT_EQ(parallel.kind, "Równoległa");
    EXPECT_EQ(parallel.edits.at(IDC_S), "2.5");
    EXPECT_EQ(parallel.edits.at(IDC_L1), "2.5");
    EXPECT_EQ(parallel.edits.at(IDC_L2), "4");
    EXPECT_EQ(parallel.edits.at(IDC_RU1), "50");
    EXPECT_NE(parallel.sketch, dialog.opened.sketch);

    const Shown& triangular = dialog.seen[1];
    EXPECT_EQ(triangular.edits.at(IDC_S), "4");
    EXPECT_EQ(triangular.edits.at(IDC_L1), "0");
    EXPECT_EQ(triangular.edits.at(IDC_L2), "0");
    EXPECT_EQ(triangular.edits.at(IDC_RU1), "50") << "the triangular kind leaves the break radii alone";
    EXPECT_EQ(triangular.edits.at(IDC_RW1), "50");
}

TEST_F(IslandDialog, DrawsThePickedIslandAndComesBackWithItsValues)
{
    run("dlg set IDC_L 12\n"
        "dlg click 1\n"
        "0,0\n"
        "10,0\n"
        "dlg select IDC_ISLAND_KIND \"Równoległa\"\n"
        "dlg click 1\n"
        "0,40\n"
        "10,40\n"
        "dlg click 2\n");
    IslandParameters triangular;
    triangular.L = 12;
    const TriangularIslandResult first = BuildTriangularIsland(triangular, {0, 0, 0}, {10, 0, 0});
    IslandParameters parallel = triangular;
    applyKindValues(parallel, IslandKind::kParallel);
    const ParallelIslandResult second = BuildParallelIsland(parallel, {0, 40, 0}, {10, 40, 0});

    const auto found = polylines();
    ASSERT_EQ(found.size(), first.polylines.size() + second.polylines.size());
    for (size_t i = 0; i < first.polylines.size(); ++i)
        expectSameOutline(found[i], first.polylines[i]);
    for (size_t i = 0; i < second.polylines.size(); ++i)
        expectSameOutline(found[first.polylines.size() + i], second.polylines[i]);
    EXPECT_EQ(dialog.seen.front().edits.at(IDC_L), "12") << "values come back after a draw";
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST_F(IslandDialog, AValueOutOfRangeIsToldAndUsedATextIsNot)
{
    // R 250 is out of range: stored, told, and the island drawn with it. In
    // the next draw "abc" in S stops the reading: S keeps its value and so
    // do the fields after it, whatever they were set to.
    run("dlg set IDC_R 250\n"
        "dlg click 1\n"
        "0,0\n"
        "10,0\n"
        "dlg set IDC_R 30\n"
        "dlg set IDC_S abc\n"
        "dlg set IDC_L 9\n"
        "dlg click 1\n"
        "0,100\n"
        "10,100\n"
        "dlg click 2\n");
    ASSERT_GE(shownMessageBoxes().size(), 2u);
    EXPECT_NE(shownMessageBoxes()[0].text.find("200"), std::string::npos) << shownMessageBoxes()[0].text;
    EXPECT_EQ(shownMessageBoxes()[1].text, "Wprowadź liczbę.");

    IslandParameters wide;
    wide.R = 250;
    const TriangularIslandResult first = BuildTriangularIsland(wide, {0, 0, 0}, {10, 0, 0});
    IslandParameters second = wide;
    second.R = 30;
    const TriangularIslandResult then = BuildTriangularIsland(second, {0, 100, 0}, {10, 100, 0});
    const auto found = polylines();
    ASSERT_EQ(found.size(), first.polylines.size() + then.polylines.size());
    for (size_t i = 0; i < first.polylines.size(); ++i)
        expectSameOutline(found[i], first.polylines[i]);
    for (size_t i = 0; i < then.polylines.size(); ++i)
        expectSameOutline(found[first.polylines.size() + i], then.polylines[i]);
    const Shown& after = dialog.seen.back();
    EXPECT_EQ(after.edits.at(IDC_S), "4");
    EXPECT_EQ(after.edits.at(IDC_L), "15");
}

TEST_F(IslandDialog, ACancelledPickDrawsNothingAndChangesNothing)
{
    run("dlg set IDC_S 3\n"
        "dlg click 1\n"
        "0,0\n"
        "*cancel*\n"
        "dlg click 1\n"
        "*cancel*\n"
        "dlg click 2\n");
    EXPECT_TRUE(polylines().empty());
    ASSERT_EQ(dialog.seen.size(), 2u);
    EXPECT_EQ(dialog.seen[1].edits.at(IDC_S), "3");
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST_F(IslandDialog, EveryRunStartsFromTheDefaults)
{
    run("dlg set IDC_S 3\n"
        "dlg select IDC_ISLAND_KIND 1\n"
        "dlg click 2\n");
    WatchedDialog next;
    {
        ScriptedInput input("dlg click 2\n");
        next.DoModal();
    }
    EXPECT_EQ(next.opened.edits.at(IDC_S), "4");
    EXPECT_EQ(next.opened.kind, "Trójkątna");
}
