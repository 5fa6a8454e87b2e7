// The arrow dialog driven as a user drives it: an arrow, its length, the
// destination and the scale chosen, the road and the tail picked, the
// description line drawn; the arrow and its description found in the
// drawing, and the faults that must leave nothing behind.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbCircle.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbObjectPointer.h"
#include "ZcUiImages.h"
#include "console/SettingsRecord.h"
#include "frame/CommandSettings.h"
#include "frame/ModuleResources.h"
#include "markings/ArrowInsertion.h"
#include "markings/Arrows_dlg.h"
#include "resource.h"
#include "services/Blocks.h"
#include "tests/support/DialogCommandTest.h"
#include "tests/support/DrawingContents.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"

namespace {

constexpr double kArrowsDialogTol = 1e-12;

std::string runArrows(const std::string& script)
{
    ScriptedInput input(script);
    testing::internal::CaptureStdout();
    InsertArrows();
    return testing::internal::GetCapturedStdout();
}

class Arrows : public DialogCommandTest {
protected:
    void SetUp() override
    {
        DialogCommandTest::SetUp();
        TheCommandSettings().scaleIndex = 0;
        TheCommandSettings().destination = 2;
        TheCommandSettings().lineIndex = 7;
    }
    void writeSettings(double markingScale, bool group)
    {
        SettingsRecord record;
        record.layerExisting = "ISTNIEJACE";
        record.markingScale = markingScale;
        record.groupObjects = group;
        ASSERT_EQ(writeSettingsRecord(drawing.db(), record), Zcad::eOk);
    }
};

// The dialog, with what the length list shows after each change of the
// arrow list.
class ProbedArrows : public Arrows_dlg {
public:
    std::vector<bool> lengthShown;

protected:
    BOOL OnNotify(int id, NMHDR* header, LRESULT* result) override
    {
        const BOOL handled = Arrows_dlg::OnNotify(id, header, result);
        if (id == IDC_ARROW_LIST)
            lengthShown.push_back(GetDlgItem(IDC_ARROW_LENGTH)->IsWindowVisible());
        return handled;
    }
};

}  // namespace

TEST_F(Arrows, AShortArrowWithItsDescriptionOnTheDestinationsLayer)
{
    writeSettings(1.0, true);
    const std::string out = runArrows("dlg select IDC_ARROW_LIST 0\n"
                                      "dlg select IDC_ARROW_LENGTH 1\n"
                                      "dlg select IDC_MARKING_SCALE 1\n"
                                      "dlg click IDC_ARROW_INSERT\n"
                                      "0,0\n0,10\n3,4\n"  // along +Y, the tail at 3,4
                                      "4,6\n8,6\n\n"      // the description line
                                      "dlg click 2\n");
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 2u) << out;
    EXPECT_EQ(refs[0].block, "P-8A_K");
    EXPECT_EQ(refs[0].position, ZcGePoint3d(3, 4, 0));
    EXPECT_NEAR(refs[0].rotation, M_PI / 2, kArrowsDialogTol);
    EXPECT_EQ(refs[0].scale, 1.0);
    EXPECT_EQ(refs[1].block, "S_Znaki_OpisPoz");
    EXPECT_EQ(refs[1].position, ZcGePoint3d(8, 6, 0)) << "at the description line's end";
    EXPECT_NEAR(refs[1].rotation, M_PI / 2, kArrowsDialogTol);
    EXPECT_EQ(refs[1].scale, 2.0) << "1:500";
    const std::map<std::string, std::string> expected = {{"Symbol", "P-8A"},
                                                         {"Powierzchnia", "1.21 m2"},
                                                         {"Długość", "Krótka"},
                                                         {"Przeznaczenie", "Istniejący"},
                                                         {"Powierzchnia_na_mb", ""}};
    EXPECT_EQ(refs[1].attributes, expected);
    for (const PlacedReference& r : refs)
        EXPECT_EQ(r.layer, "ISTNIEJACE");
    const auto groups = GroupsIn(drawing.db());
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].size(), 3u) << "arrow, description line, description";
    EXPECT_EQ(TheCommandSettings().scaleIndex, 1);
    EXPECT_EQ(TheCommandSettings().destination, 2);
    EXPECT_EQ(TheCommandSettings().lineIndex, 7) << "the arrow dialog keeps no line";
}

TEST_F(Arrows, ASingleSizeArrowIgnoresTheLengthAndTheRoadsOrderTurnsIt)
{
    writeSettings(1.5, false);
    TheCommandSettings().scaleIndex = 5;  // no scale in this dialog's list
    TheCommandSettings().destination = 0;
    runArrows("dlg select IDC_ARROW_LIST 0\ndlg select IDC_ARROW_LENGTH 1\n"
              "dlg select IDC_ARROW_LIST 2\n"  // P-8C, the length list now hidden
              "dlg click IDC_ARROW_INSERT\n0,0\n10,0\n0,0\n1,1\n2,1\n\n"
              "dlg click IDC_ARROW_INSERT\n10,0\n0,0\n0,5\n1,6\n2,6\n\n"
              "dlg click IDCANCEL\n");
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 4u);
    EXPECT_EQ(refs[0].block, "P-8C");
    EXPECT_EQ(refs[1].attributes.at("Długość"), "");
    EXPECT_EQ(refs[1].attributes.at("Powierzchnia"), "2.87 m2");
    EXPECT_EQ(refs[1].attributes.at("Przeznaczenie"), "Projektowany");
    EXPECT_NEAR(refs[1].scale, 15.0, kArrowsDialogTol) << "no scale chosen: 10 times the marking scale";
    EXPECT_NEAR(refs[0].rotation, 0.0, kArrowsDialogTol);
    EXPECT_NEAR(refs[2].rotation, M_PI, kArrowsDialogTol) << "the road picked the other way round";
    EXPECT_TRUE(GroupsIn(drawing.db()).empty()) << "the drawing does not ask for groups";
    EXPECT_EQ(TheCommandSettings().scaleIndex, -1);
}

TEST_F(Arrows, ABlockOfTheArrowsNameInTheDrawingIsInsertedAsItIs)
{
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> own;
        ZcDbBlockTableRecord* made = GetOrCreateBlock("P-8A_D", ZcDb::kForWrite);
        ASSERT_NE(made, nullptr);
        own.acquire(made);
        ZcDbObjectPointer<ZcDbCircle> circle;
        ZcDbCircle* c = new ZcDbCircle(ZcGePoint3d::kOrigin, ZcGeVector3d::kZAxis, 1.0);
        circle.acquire(c);
        ASSERT_EQ(own->appendZcDbEntity(circle.object()), Zcad::eOk);
    }
    runArrows("dlg select IDC_ARROW_LIST 0\ndlg click IDC_ARROW_INSERT\n0,0\n1,0\n5,5\n\ndlg click 2\n");
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 1u) << "no description line, no description";
    EXPECT_EQ(refs[0].block, "P-8A_D");
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    ZcDbBlockTableRecord* found = FindBlock("P-8A_D", ZcDb::kForRead);
    block.acquire(found);
    ASSERT_EQ(block->entityIds().size(), 1u);
    ZcDbObjectPointer<ZcDbCircle> circle(block->entityIds()[0], ZcDb::kForRead);
    EXPECT_TRUE(circle) << "the drawing's own content stays";
}

TEST_F(Arrows, TheLengthListShowsForTwoSizeArrowsOnly)
{
    ScriptedInput input("dlg select IDC_ARROW_LIST 9\ndlg select IDC_ARROW_LIST 6\n"
                        "dlg select IDC_ARROW_LIST 11\ndlg select IDC_ARROW_LIST 3\ndlg click 2\n");
    ProbedArrows dialog;
    dialog.DoModal();
    // Each change of selection tells of the row left and the row chosen;
    // only a row that becomes selected decides.
    std::vector<bool> decided;
    for (size_t i = 0; i < dialog.lengthShown.size(); ++i)
        if (i == 0 || dialog.lengthShown[i] != dialog.lengthShown[i - 1])
            decided.push_back(dialog.lengthShown[i]);
    EXPECT_EQ(decided, (std::vector<bool>{false, true, false, true})) << "P-9A, P-8G, P-6A, P-8D";
}

TEST_F(Arrows, NoArrowChosenAsksNothingAndLeavesNothing)
{
    writeSettings(1.0, true);
    // Were a point asked for, the next line would not fit and the script stop.
    const std::string out = runArrows("dlg click IDC_ARROW_INSERT\ndlg click 2\n");
    EXPECT_EQ(out.find("Wskaż"), std::string::npos) << out;
    EXPECT_NE(out.find("Regenerowanie modelu."), std::string::npos) << "the drawing is regenerated all the same";
    EXPECT_EQ(drawing.entityCount(), 0u) << out;
    EXPECT_TRUE(GroupsIn(drawing.db()).empty());
}

// Nothing is made before the three points are given: not the arrow's block,
// nor the description's.
TEST_F(Arrows, ACancelledPickLeavesNoReferenceLineGroupOrBlock)
{
    writeSettings(1.0, true);
    for (const char* picks : {"*cancel*\n", "0,0\n*cancel*\n", "0,0\n1,0\n\n"}) {
        runArrows(std::string("dlg select IDC_ARROW_LIST 1\ndlg click IDC_ARROW_INSERT\n") + picks + "dlg click 2\n");
        EXPECT_EQ(drawing.entityCount(), 0u) << picks;
        EXPECT_TRUE(GroupsIn(drawing.db()).empty()) << picks;
        for (const char* block : {"P-8B_D", "S_Znaki_OpisPoz"}) {
            ZcDbBlockTableRecord* found = FindBlock(block, ZcDb::kForRead);
            EXPECT_EQ(found, nullptr) << block << " after " << picks;
            if (found)
                found->close();
        }
    }
}

// The arrow points along the road as picked; its description turns half
// round where it would read upside down, as a line marking's does.
struct Road {
    const char* name;
    const char* picks;  // first and second point along the road
    double arrow, description;
};

class ArrowRoad : public Arrows, public testing::WithParamInterface<Road> {};

TEST_P(ArrowRoad, TheDescriptionReadsUpright)
{
    const Road& r = GetParam();
    runArrows(std::string("dlg select IDC_ARROW_LIST 2\ndlg click IDC_ARROW_INSERT\n") + r.picks +
              "5,5\n6,6\n8,6\n\ndlg click 2\n");
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_NEAR(refs[0].rotation, r.arrow, kArrowsDialogTol);
    EXPECT_NEAR(std::remainder(refs[1].rotation - r.description, 2 * M_PI), 0.0, kArrowsDialogTol);
}

INSTANTIATE_TEST_SUITE_P(Roads, ArrowRoad,
                         testing::Values(Road{"LeftToRight", "0,0\n10,0\n", 0.0, 0.0},
                                         Road{"RightToLeft", "10,0\n0,0\n", M_PI, 0.0},
                                         Road{"Upwards", "0,0\n0,10\n", M_PI / 2, M_PI / 2},
                                         Road{"Downwards", "0,10\n0,0\n", 3 * M_PI / 2, M_PI / 2},
                                         Road{"UpAndLeft", "10,0\n0,10\n", 3 * M_PI / 4, -M_PI / 4},
                                         Road{"DownAndRight", "0,10\n10,0\n", 7 * M_PI / 4, -M_PI / 4},
                                         // A double click gives no direction: asked again.
                                         Road{"SecondPointRepeated", "10,0\n10,0\n0,0\n", M_PI, 0.0}),
                         [](const testing::TestParamInfo<Road>& c) { return std::string(c.param.name); });

TEST_F(Arrows, ABlockNameNoArrowHasIsSaidInOneLineAndMakesNothing)
{
    writeSettings(1.0, true);
    // A two-size arrow with no length chosen keeps the bare symbol.
    const ArrowChoice choice = ChooseArrow("P-8A", "1.59 m2", "1.21 m2", -1);
    ASSERT_EQ(choice.blockName, "P-8A");
    ScriptedInput input("");  // nothing to answer: nothing may be asked
    testing::internal::CaptureStdout();
    InsertArrow(choice, ArrowTarget{0, "Projektowany", 0});
    const std::string out = testing::internal::GetCapturedStdout();
    // One line; the command line begins the first line of its own.
    EXPECT_EQ(out, "Nie ma strzałki \"P-8A\"; nic nie wstawiono.");
    ZcDbBlockTableRecord* found = FindBlock("P-8A", ZcDb::kForRead);
    EXPECT_EQ(found, nullptr) << "no empty block";
    if (found)
        found->close();
    EXPECT_EQ(drawing.entityCount(), 0u);
    EXPECT_TRUE(GroupsIn(drawing.db()).empty());
}

TEST(ArrowCatalogue, EveryRowHasItsIcon)
{
    ModuleResourceChain resources;
    for (const ArrowRow& row : ArrowCatalogue()) {
        HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(row.icon));
        EXPECT_NE(icon, nullptr) << row.symbol;
        if (icon)
            DestroyIcon(icon);
    }
}
