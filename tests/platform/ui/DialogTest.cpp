#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "WinColorDialog.h"
#include "ZcUiDialog.h"
#include "platform/editor/CommandLine.h"
#include "platform/ui/ColorChoice.h"
#include "platform/ui/DialogRunner.h"
#include "platform/win/MessageBoxes.h"
#include "tests/platform/ui/DialogTestTemplate.h"
#include "tests/support/ScriptedInput.h"

using namespace platform;

namespace {

// Three ranged numbers, a kind list and a check box; records what it is told.
class TestDialog : public CZcUiDialog {
public:
    TestDialog() : CZcUiDialog(kTestDialog) {}

    double r = 20.0, s = 4.0, l = 15.0;
    int note = 0;
    std::vector<std::pair<int, int>> notifications;
    int draws = 0;
    bool hiddenWhileDrawing = false;

protected:
    BOOL OnInitDialog() override
    {
        CZcUiDialog::OnInitDialog();
        auto* kind = static_cast<CComboBox*>(GetDlgItem(9104));
        kind->AddString("Trójkątna");
        kind->AddString("Równoległa");
        kind->SetCurSel(0);
        auto* size = static_cast<CComboBox*>(GetDlgItem(9105));
        for (const char* item : {"10", "20", "30"})
            size->AddString(item);
        size->SetCurSel(0);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 9101, r);
        DDV_MinMaxDouble(pDX, r, 0.0, 200.0);
        DDX_Text(pDX, 9102, s);
        DDV_MinMaxDouble(pDX, s, 0.0, 7.0);
        DDX_Text(pDX, 9103, l);
        DDX_Check(pDX, 9106, note);
    }
    BOOL OnCommand(int id, int code) override
    {
        notifications.emplace_back(id, code);
        if (id == IDOK && code == BN_CLICKED) {
            UpdateData(TRUE);
            BeginEditorCommand();
            hiddenWhileDrawing = !IsWindowVisible();
            ++draws;
            CompleteEditorCommand(TRUE);
            UpdateData(FALSE);
            return TRUE;
        }
        return CZcUiDialog::OnCommand(id, code);
    }
};

std::string text(const CZcUiDialog& dialog, int id)
{
    CString value;
    dialog.GetDlgItem(id)->GetWindowText(value);
    return value.str();
}

struct ModalRun {
    INT_PTR result;
    std::optional<RunFailure> failure;
};

ModalRun runScript(TestDialog& dialog, const std::string& script)
{
    ScriptedInput input(script);
    clearShownMessageBoxes();
    const INT_PTR result = dialog.DoModal();
    return {result, commandLine().failure()};
}

}  // namespace

TEST(DialogRun, InitialisationWritesValuesAndButtonsEndIt)
{
    ChainedTestResources resources;
    TestDialog dialog;
    const ModalRun run = runScript(dialog, "dlg click IDCANCEL\n");
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_FALSE(run.failure);
    EXPECT_EQ(text(dialog, 9101), "20");
    EXPECT_EQ(text(dialog, 9102), "4");
    EXPECT_EQ(text(dialog, 9104), "Trójkątna");
    EXPECT_FALSE(dialog.isRunning());
}

TEST(DialogRun, EscAndEndOfInputCancel)
{
    ChainedTestResources resources;
    {
        TestDialog dialog;
        EXPECT_EQ(runScript(dialog, "*cancel*\n").result, IDCANCEL);
        ASSERT_FALSE(dialog.notifications.empty());
        EXPECT_EQ(dialog.notifications.back(), std::make_pair(2, BN_CLICKED));
    }
    {
        TestDialog dialog;
        EXPECT_EQ(runScript(dialog, "dlg set IDC_R 5\n").result, IDCANCEL);
    }
}

TEST(DialogRun, EnterPressesTheDefaultButton)
{
    ChainedTestResources resources;
    TestDialog dialog;
    runScript(dialog, "\n\ndlg click 2\n");
    EXPECT_EQ(dialog.draws, 2);
    EXPECT_TRUE(dialog.hiddenWhileDrawing);
}

TEST(DialogRun, MissingTemplateFailsWithMessage)
{
    TestDialog dialog;  // resources not chained
    const ModalRun run = runScript(dialog, "dlg click 2\n");
    EXPECT_EQ(run.result, -1);
    ASSERT_TRUE(run.failure);
    EXPECT_NE(run.failure->message.find("9100"), std::string::npos);
}

TEST(DialogActions, ControlsByNameOrNumberNotifyAsAUsersWould)
{
    ChainedTestResources resources;
    TestDialog dialog;
    const ModalRun run = runScript(dialog,
                              "dlg set IDC_L 12.5\n"
                              "dlg select IDC_KIND 1\n"
                              "dlg select 9104 \"Trójkątna\"\n"
                              "dlg set IDC_SIZE 25abc\n"
                              "dlg check IDC_NOTE on\n"
                              "dlg check IDC_NOTE on\n"
                              "dlg click 1\n"
                              "dlg click 2\n");
    EXPECT_FALSE(run.failure);
    const std::vector<std::pair<int, int>> expected = {
        {9103, EN_CHANGE},      {9104, CBN_SELCHANGE}, {9104, CBN_SELCHANGE}, {9105, CBN_EDITCHANGE},
        {9106, BN_CLICKED},     {1, BN_CLICKED},       {2, BN_CLICKED},
    };
    EXPECT_EQ(dialog.notifications, expected);
    EXPECT_DOUBLE_EQ(dialog.l, 12.5);
    EXPECT_EQ(dialog.note, 1);
    EXPECT_EQ(text(dialog, 9105), "25abc");
    EXPECT_EQ(static_cast<CComboBox*>(dialog.GetDlgItem(9105))->GetCurSel(), -1);
}

TEST(DialogActions, RefusedActionsNameTheControl)
{
    ChainedTestResources resources;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"dlg set IDC_HIDDEN 3\n", "IDC_HIDDEN (9107) jest ukryta"},
        {"dlg set IDC_NOPE 3\n", "nie ma kontrolki IDC_NOPE"},
        {"dlg select IDC_KIND 5\n", "IDC_KIND (9104) ma 2 pozycji"},
        {"dlg select IDC_KIND \"Owalna\"\n", "nie ma pozycji „Owalna”"},
        {"dlg set IDC_KIND x\n", "IDC_KIND (9104) nie przyjmuje tekstu"},
        {"dlg click IDC_R\n", "IDC_R (9101) nie jest przyciskiem"},
        {"dlg line IDC_R 3\n", "IDC_R (9101) nie jest wielowierszowym polem tekstu"},
        {"dlg color 1,2,3\n", "koloru"},
    };
    for (const auto& [script, message] : cases) {
        TestDialog dialog;
        const ModalRun run = runScript(dialog, script);
        ASSERT_TRUE(run.failure) << script;
        EXPECT_NE(run.failure->message.find(message), std::string::npos) << run.failure->message;
        EXPECT_NE(run.failure->message.find("test.scr:1"), std::string::npos);
        EXPECT_EQ(run.result, IDCANCEL);
    }
}

TEST(DialogActions, DisabledControlRefused)
{
    ChainedTestResources resources;
    ScriptedInput input("dlg check IDC_NOTE on\n");
    // Disabled at start-up, as a template or a handler may leave a control.
    struct Disabling : TestDialog {
        BOOL OnInitDialog() override
        {
            TestDialog::OnInitDialog();
            GetDlgItem(9106)->EnableWindow(FALSE);
            return TRUE;
        }
    } disabled;
    disabled.DoModal();
    ASSERT_TRUE(commandLine().failure());
    EXPECT_NE(commandLine().failure()->message.find("IDC_NOTE (9106) jest wyłączona"), std::string::npos);
    EXPECT_EQ(disabled.note, 0);
}

TEST(DataExchange, OutOfRangeValueIsStoredBeforeItsMessage)
{
    ChainedTestResources resources;
    TestDialog dialog;
    runScript(dialog, "dlg set IDC_R 250\ndlg set IDC_S 6\ndlg click 1\ndlg click 2\n");
    EXPECT_DOUBLE_EQ(dialog.r, 250.0);
    EXPECT_DOUBLE_EQ(dialog.s, 4.0) << "reading stops at the failing field";
    ASSERT_EQ(shownMessageBoxes().size(), 1u);
    EXPECT_EQ(shownMessageBoxes()[0].text, "Wprowadź liczbę z zakresu od 0 do 200.");
    EXPECT_EQ(shownMessageBoxes()[0].caption, "Próba");
    EXPECT_EQ(dialog.draws, 1) << "the caller goes on with the stored values";
}

TEST(DataExchange, TextThatIsNotANumberIsNotStored)
{
    ChainedTestResources resources;
    for (const char* bad : {"abc", "4x", "", "nan", "inf"}) {
        TestDialog dialog;
        runScript(dialog, std::string("dlg set IDC_R 30\ndlg set IDC_S ") + bad +
                              "\ndlg set IDC_L 9\ndlg click 1\ndlg click 2\n");
        EXPECT_DOUBLE_EQ(dialog.r, 30.0) << bad;
        EXPECT_DOUBLE_EQ(dialog.s, 4.0) << bad;
        EXPECT_DOUBLE_EQ(dialog.l, 15.0) << bad;
        ASSERT_EQ(shownMessageBoxes().size(), 1u) << bad;
        EXPECT_EQ(shownMessageBoxes()[0].text, "Wprowadź liczbę.");
    }
}

TEST(DataExchange, BlanksAroundANumberAreAccepted)
{
    ChainedTestResources resources;
    TestDialog dialog;
    runScript(dialog, "dlg set IDC_S   6.5  \ndlg click 1\ndlg click 2\n");
    EXPECT_DOUBLE_EQ(dialog.s, 6.5);
    EXPECT_TRUE(shownMessageBoxes().empty());
}

TEST(DialogText, DescribesTitleAndEachControl)
{
    ChainedTestResources resources;
    TestDialog dialog;
    runScript(dialog, "dlg check IDC_NOTE on\ndlg click 2\n");
    const std::string shown = dialog.describe();
    EXPECT_EQ(shown.rfind("Okno 9100 „Próba”\n", 0), 0u);
    EXPECT_NE(shown.find("  9104 IDC_KIND ComboBox: \"Trójkątna\" z [Trójkątna, Równoległa]\n"), std::string::npos);
    EXPECT_NE(shown.find("  9106 IDC_NOTE Button: Dodaj opis [x]\n"), std::string::npos);
    EXPECT_NE(shown.find("  9107 IDC_HIDDEN Edit ukryta wyłączona: \n"), std::string::npos);
    EXPECT_NE(shown.find("  - - Static: Promień\n"), std::string::npos);
}

TEST(ResourceChain, StringsOfChainedModulesOnly)
{
    CString text;
    EXPECT_FALSE(text.LoadString(9002));
    {
        ChainedTestResources resources;
        EXPECT_TRUE(text.LoadString(9002));
        EXPECT_EQ(text.str(), "Wyspy");
    }
    EXPECT_FALSE(text.LoadString(9002));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringText, FormatSplitAndCompare)
{
    CString value;
    value.Format("%.2f", 3.14159);
    EXPECT_EQ(value.str(), "3.14");
    const CString skew("1:10");
    const int colon = skew.Find(':');
    EXPECT_EQ(colon, 1);
    EXPECT_EQ(skew.Left(colon).str(), "1");
    EXPECT_EQ(skew.Mid(colon + 1).str(), "10");
    EXPECT_EQ(skew.Mid(10).str(), "");
    EXPECT_EQ(CString("TRUE").CompareNoCase("True"), 0);
    EXPECT_LT(CString("a").CompareNoCase("b"), 0);
}

namespace {

// Lines of a script, noting at each what a screen would be told is open.
class WatchingInput : public StreamInput {
public:
    using StreamInput::StreamInput;
    std::optional<std::string_view> readLine(std::string_view prompt) override
    {
        seen.push_back({ZcUiDialogRunner::current(), ZcUiDialogRunner::currentRun(), shownColorChoice()});
        return StreamInput::readLine(prompt);
    }
    struct Seen {
        CZcUiDialog* dialog;
        unsigned long run;
        std::optional<COLORREF> colour;
    };
    std::vector<Seen> seen;
};

// OK opens a colour dialog, then a second test dialog over this one.
class OpeningDialog : public TestDialog {
protected:
    BOOL OnCommand(int id, int code) override
    {
        if (id == IDOK && code == BN_CLICKED) {
            CColorDialog colour(RGB(1, 2, 3));
            colour.DoModal();
            TestDialog inner;
            inner.DoModal();
            return TRUE;
        }
        return TestDialog::OnCommand(id, code);
    }
};

}  // namespace

TEST(DialogRun, AScreenKnowsTheDialogWaitingAndEachRunApart)
{
    ChainedTestResources resources;
    std::istringstream script("dlg click 1\ndlg color cancel\ndlg click 2\ndlg click 2\n");
    WatchingInput input(script, "test.scr");
    commandLine().reset();
    commandLine().setInput(&input);
    OpeningDialog outer;
    outer.DoModal();
    commandLine().setInput(nullptr);
    commandLine().reset();

    ASSERT_EQ(input.seen.size(), 4u);
    EXPECT_EQ(input.seen[0].dialog, &outer);
    EXPECT_FALSE(input.seen[0].colour);
    // The colour dialog over it, then the inner dialog, then the outer again.
    EXPECT_EQ(input.seen[1].dialog, &outer);
    EXPECT_EQ(input.seen[1].colour, RGB(1, 2, 3));
    EXPECT_NE(input.seen[2].dialog, &outer);
    EXPECT_NE(input.seen[2].run, input.seen[0].run);
    EXPECT_FALSE(input.seen[2].colour);
    EXPECT_EQ(input.seen[3].dialog, &outer);
    EXPECT_EQ(input.seen[3].run, input.seen[0].run);
    EXPECT_FALSE(ZcUiDialogRunner::isRunning(input.seen[0].run));
    EXPECT_EQ(ZcUiDialogRunner::current(), nullptr);
    EXPECT_FALSE(shownColorChoice());
}
