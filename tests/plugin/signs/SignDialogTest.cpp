// The sign dialogs driven as a user drives them: the enabling rules of the
// scale list and the two check boxes, the choices kept for the next sign
// command, and the draw button building and placing signs.

#include <gtest/gtest.h>

#include <cmath>

#include "ZcDbExtents.h"
#include "ZcDbMText.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "console/SettingsRecord.h"
#include "frame/CommandSettings.h"
#include "frame/ModuleResources.h"
#include "resource.h"
#include "services/Blocks.h"
#include "signs/SignDialog.h"
#include "tests/support/DialogCommandTest.h"
#include "tests/support/DrawingContents.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

constexpr double kSignDialogTol = 1e-9;
constexpr const char* kOnPost = "0,0\n10,0\n5,-3\n5,5\n\n";

// The E-17a dialog, with the check boxes' states after each of its handlers.
class ProbedE17a : public D_E17a_dlg {
public:
    struct Boxes {
        bool asSign, asSignEnabled, description, descriptionEnabled;
        bool operator==(const Boxes&) const = default;
    };
    std::vector<Boxes> seen;

protected:
    BOOL OnCommand(int id, int code) override
    {
        const BOOL handled = D_E17a_dlg::OnCommand(id, code);
        if (id == IDC_SCALE || id == IDC_INSERT_AS_SIGN)
            seen.push_back({box(IDC_INSERT_AS_SIGN)->GetCheck() == BST_CHECKED,
                            box(IDC_INSERT_AS_SIGN)->IsWindowEnabled() != 0,
                            box(IDC_ADD_DESCRIPTION)->GetCheck() == BST_CHECKED,
                            box(IDC_ADD_DESCRIPTION)->IsWindowEnabled() != 0});
        return handled;
    }

private:
    CButton* box(int id) const { return dynamic_cast<CButton*>(GetDlgItem(id)); }
};

class SignDialogs : public DialogCommandTest {
protected:
    void SetUp() override
    {
        DialogCommandTest::SetUp();
        TheCommandSettings() = CommandSettings();
        TheCommandSettings().scaleIndex = 1;
        TheCommandSettings().insertAsBlock = TRUE;
        TheCommandSettings().addDescription = TRUE;
        SettingsRecord record;
        record.layerDesigned = "PROJ";
        record.layerRemoved = "USUW";
        record.groupObjects = true;
        ASSERT_EQ(writeSettingsRecord(drawing.db(), record), Zcad::eOk);
    }

    template <class Command>
    std::string run(Command command, const std::string& script)
    {
        ScriptedInput input(script);
        testing::internal::CaptureStdout();
        command();
        return testing::internal::GetCapturedStdout();
    }
};

}  // namespace

TEST_F(SignDialogs, AtOneToThousandOnlyAPlainReferenceCanBeDrawn)
{
    ScriptedInput input("dlg select IDC_SCALE \"1:1000\"\n"
                        "dlg set IDC_SIGN_TEXT Łódź\ndlg click 1\n3,4\n"
                        "dlg select IDC_SCALE \"1:500\"\n"
                        "dlg click IDC_INSERT_AS_SIGN\ndlg click IDC_ADD_DESCRIPTION\n"
                        "dlg click IDC_INSERT_AS_SIGN\n"
                        "dlg click 2\n");
    ProbedE17a dialog;
    dialog.settings() = TheCommandSettings();
    testing::internal::CaptureStdout();
    dialog.DoModal();
    testing::internal::GetCapturedStdout();
    using B = ProbedE17a::Boxes;
    EXPECT_EQ(dialog.seen, (std::vector<B>{
                               {false, false, false, false},  // 1:1000 clears and disables both
                               {false, true, false, true},    // 1:500 enables both, checks nothing
                               {true, true, false, true},     // on a post
                               {false, true, false, false},   // off the post: no description
                           }));
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 1u);
    EXPECT_EQ(refs[0].block, "E-17a_Łódź_ ");
    EXPECT_EQ(refs[0].position, ZcGePoint3d(3, 4, 0));
    EXPECT_NEAR(refs[0].scale, 2.0 * 0.002, kSignDialogTol);
}

struct Ending {
    const char* name;
    const char* script;
};

class SignDialogEndings : public SignDialogs, public testing::WithParamInterface<Ending> {};

TEST_P(SignDialogEndings, KeepEveryChoiceForTheNextSign)
{
    run(DrawE5Sign, std::string("dlg select IDC_SIGN_DIRECTION \"W lewo\"\ndlg select IDC_SIGN_SIZE \"Małe\"\n"
                                "dlg select IDC_DESTINATION 2\ndlg select IDC_SIGN_GENERATION 2\n"
                                "dlg select IDC_SCALE \"1:1\"\ndlg click IDC_ADD_DESCRIPTION\n") +
                        GetParam().script);
    const CommandSettings& kept = TheCommandSettings();
    EXPECT_EQ(kept.directionRight, FALSE);
    EXPECT_EQ(kept.sizeClass, 3);
    EXPECT_EQ(kept.destination, 2);
    EXPECT_EQ(kept.generation, 2);
    EXPECT_EQ(kept.scaleIndex, 2);
    EXPECT_EQ(kept.insertAsBlock, TRUE);
    EXPECT_EQ(kept.addDescription, FALSE);

    run(DrawE21Sign, GetParam().script);
    EXPECT_EQ(TheCommandSettings().directionRight, FALSE) << "E-21 has no direction to keep";
    EXPECT_EQ(TheCommandSettings().sizeClass, -1);
    EXPECT_EQ(TheCommandSettings().scaleIndex, 2);
}

INSTANTIATE_TEST_SUITE_P(Signs, SignDialogEndings,
                         testing::Values(Ending{"CloseButton", "dlg click 2\n"},
                                         Ending{"CloseBox", "dlg click IDCANCEL\n"}),
                         [](const testing::TestParamInfo<Ending>& param) { return std::string(param.param.name); });

TEST_F(SignDialogs, TheSameNameTwiceBuildsOneBlockPlacedTwiceEachGrouped)
{
    run(DrawE21Sign, std::string("dlg set IDC_SIGN_TEXT Gdańsk Główny\ndlg click 1\n") + kOnPost + "dlg click 1\n" +
                         kOnPost + "dlg click 2\n");
    int boards = 0;
    for (const PlacedReference& r : ReferencesIn(drawing.db()))
        if (r.block == "E-21_Gdańsk Główny_ ") {
            ++boards;
            EXPECT_EQ(r.layer, "PROJ");
        }
    EXPECT_EQ(boards, 2);
    const std::vector<std::vector<ZcDbObjectId>> groups = GroupsIn(drawing.db());
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].size(), 4u) << "post, leader, board, description";
}

TEST_F(SignDialogs, ARemovedSignIsCrossedOutOnItsPostAndPlain)
{
    run(DrawE4Sign, std::string("dlg set IDC_SIGN_TEXT Świnoujście\ndlg select IDC_DESTINATION 3\n"
                                "dlg click 1\n") +
                        kOnPost + "dlg select IDC_SCALE \"1:1000\"\ndlg click 1\n30,30\ndlg click 2\n");
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    std::vector<ZcDbObjectId> boards;
    for (const PlacedReference& r : refs)
        if (r.block.starts_with("E-4_"))
            boards.push_back(r.id);
    ASSERT_EQ(boards.size(), 2u);
    const std::vector<const ZcDbPolyline*> lines = drawing.polylines();
    ASSERT_EQ(lines.size(), 4u) << "two crosses of two lines";
    for (size_t i = 0; i < 2; ++i) {
        ZcDbExtents board;
        {
            ZcDbObjectPointer<ZcDbEntity> entity(boards[i], ZcDb::kForRead);
            ASSERT_EQ(entity->getGeomExtents(board), Zcad::eOk);
        }
        ZcGePoint3d from, to;
        lines[2 * i]->getPointAt(0, from);
        lines[2 * i]->getPointAt(1, to);
        EXPECT_NEAR(from.distanceTo(board.maxPoint()), 0.0, kSignDialogTol);
        EXPECT_NEAR(to.distanceTo(board.minPoint()), 0.0, kSignDialogTol);
        EXPECT_EQ(lines[2 * i]->colorIndex(), 1);
    }
    // The cross goes with its sign: on the removed layer, in the sign's group
    // (the plain board too, which no longer lands on the current layer).
    const std::vector<std::vector<ZcDbObjectId>> groups = GroupsIn(drawing.db());
    ASSERT_EQ(groups.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(ZcDbObjectPointer<ZcDbEntity>(boards[i], ZcDb::kForRead)->layer(), "USUW");
        EXPECT_EQ(std::count(groups[i].begin(), groups[i].end(), boards[i]), 1);
        for (const ZcDbPolyline* line : {lines[2 * i], lines[2 * i + 1]}) {
            EXPECT_EQ(line->layer(), "USUW");
            EXPECT_EQ(std::count(groups[i].begin(), groups[i].end(), line->objectId()), 1) << "sign " << i;
        }
    }
}

TEST_F(SignDialogs, ABlankNameDrawsNothingAndSaysNothing)
{
    const std::string out = run(DrawE17aSign, "dlg set IDC_SIGN_TEXT    \ndlg click 1\ndlg click 2\n");
    EXPECT_EQ(drawing.entityCount(), 0u);
    EXPECT_EQ(out.find("Wskaż"), std::string::npos) << out;
    EXPECT_EQ(out.find("Regenerowanie"), std::string::npos) << out;
}

// A place name shows as typed: the backslash and braces that start the
// multi-line text's codes show as themselves, on one line, at the sign's
// own height.
struct ShownName {
    const char* name;
    const char* typed;
};

class SignNameShown : public SignDialogs, public testing::WithParamInterface<ShownName> {};

TEST_P(SignNameShown, AsTypedOnOneLine)
{
    const ShownName& c = GetParam();
    const std::string out =
        run(DrawE4Sign, std::string("dlg set IDC_SIGN_TEXT ") + c.typed +
                            "\ndlg select IDC_SCALE \"1:500\"\ndlg click 1\n" + kOnPost + "dlg click 2\n");
    EXPECT_EQ(out.find("Nie ma bloku"), std::string::npos) << out;
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 3u) << out;
    ZcDbObjectPointer<ZcDbBlockTableRecord> board;
    ZcDbBlockTableRecord* found = FindBlock(refs[1].block.c_str(), ZcDb::kForRead);
    ASSERT_NE(found, nullptr) << refs[1].block;
    board.acquire(found);
    size_t texts = 0;
    for (const ZcDbObjectId id : board->entityIds()) {
        ZcDbObjectPointer<ZcDbMText> text(id, ZcDb::kForRead);
        if (!text)
            continue;
        ++texts;
        const std::vector<std::u32string> paragraphs = mtextParagraphs(text->contents());
        ASSERT_EQ(paragraphs.size(), 1u) << text->contents();
        EXPECT_EQ(utf8Of(paragraphs[0]), c.typed);
        TextLayout layout;
        ASSERT_EQ(layoutMText(*text.object(), layout), Zcad::eOk);
        EXPECT_EQ(layout.lines.size(), 1u);
        ZcDbExtents extents;
        ASSERT_EQ(text->getGeomExtents(extents), Zcad::eOk);
        EXPECT_LT(extents.maxPoint().y - extents.minPoint().y, 350.0) << "inside the E-4 board's height";
    }
    EXPECT_EQ(texts, 1u);
}

INSTANTIATE_TEST_SUITE_P(Names, SignNameShown,
                         testing::Values(ShownName{"ParagraphCode", "Nowa\\PWieś"},
                                         ShownName{"HeightCode", "\\H2x;Łódź"},
                                         ShownName{"FontCode", "\\fArial|b1;Kraków"}, ShownName{"OpeningBrace", "{"},
                                         ShownName{"ClosingBrace", "}"}),
                         [](const testing::TestParamInfo<ShownName>& c) { return std::string(c.param.name); });

namespace {

// The E-17a dialog whose controls cannot be read at one reading (a control
// the exchange does not find): the framework says so, which ends a script,
// and the handler that read them changes nothing.
class UnreadableE17a : public D_E17a_dlg {
public:
    int failingRead = 0;                                     // 1 for the first reading of the controls
    bool asSignEnabled = false, descriptionEnabled = false;  // after the last command

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        D_E17a_dlg::DoDataExchange(pDX);
        if (pDX->m_bSaveAndValidate && --failingRead == 0) {
            int missing = 0;
            DDX_Text(pDX, kMissingControl, missing);
        }
    }
    BOOL OnCommand(int id, int code) override
    {
        const BOOL handled = D_E17a_dlg::OnCommand(id, code);
        asSignEnabled = GetDlgItem(IDC_INSERT_AS_SIGN)->IsWindowEnabled() != 0;
        descriptionEnabled = GetDlgItem(IDC_ADD_DESCRIPTION)->IsWindowEnabled() != 0;
        return handled;
    }

private:
    static constexpr int kMissingControl = 9999;
};

struct Unreadable {
    const char* name;
    const char* script;
    int failingRead;
};

class SignDialogUnreadable : public SignDialogs, public testing::WithParamInterface<Unreadable> {};

}  // namespace

TEST_P(SignDialogUnreadable, TheHandlerChangesNothing)
{
    const Unreadable& u = GetParam();
    ScriptedInput input(std::string("dlg set IDC_SIGN_TEXT Łódź\n") + u.script);
    UnreadableE17a dialog;
    dialog.failingRead = u.failingRead;
    dialog.settings() = TheCommandSettings();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    dialog.DoModal();
    const std::string said = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("okno nie ma kontrolki 9999"), std::string::npos) << "the framework says what failed: " << said;
    EXPECT_EQ(drawing.entityCount(), 0u) << said;
    EXPECT_EQ(said.find("Wskaż"), std::string::npos) << said;
    EXPECT_TRUE(dialog.asSignEnabled) << "not disabled by a scale it did not read";
    EXPECT_TRUE(dialog.descriptionEnabled) << "not disabled by a box it did not read";
    EXPECT_EQ(dialog.settings().scaleIndex, 1) << "no choice stored";
    EXPECT_EQ(dialog.settings().insertAsBlock, TRUE);
}

INSTANTIATE_TEST_SUITE_P(Handlers, SignDialogUnreadable,
                         testing::Values(Unreadable{"Draw", "dlg click 1\n", 1},
                                         Unreadable{"ScaleChange", "dlg select IDC_SCALE \"1:1000\"\n", 1},
                                         Unreadable{"InsertAsSign", "dlg click IDC_INSERT_AS_SIGN\n", 1},
                                         Unreadable{"Close", "dlg select IDC_SCALE \"1:1\"\ndlg click 2\n", 2}),
                         [](const testing::TestParamInfo<Unreadable>& c) { return std::string(c.param.name); });
