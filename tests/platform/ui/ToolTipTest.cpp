#include <gtest/gtest.h>

#include "ZcUiToolTip.h"
#include "tests/platform/ui/PartsDialog.h"

namespace {

// As the island dialog does: one text over a parameter's label and its edit,
// activated, and every message relayed before the dialog's own handling.
class TippedDialog : public PartsDialog {
public:
    CToolTipCtrl tip;
    bool created = false;
    std::vector<std::string> shownOnChange;

    TippedDialog()
    {
        onInit = [this](PartsDialog& d) {
            created = tip.Create(&d);
            if (!created)
                return;
            tip.AddTool(d.GetDlgItem(9205), UINT(9003));
            tip.AddTool(d.GetDlgItem(9206), "Wartość w metrach");
            tip.Activate(TRUE);
        };
        onCommand = [this](PartsDialog&, int id, int code) {
            if (id == 9205 && code == EN_CHANGE)
                shownOnChange.push_back(tip.shownText());
        };
        beforeMessage = [this](PartsDialog&, MSG& message) {
            tip.RelayEvent(&message);
            return FALSE;
        };
    }
};

}  // namespace

TEST(ToolTips, RelayedMessagesShowTheTextOfTheControlUnderThePointer)
{
    ChainedTestResources resources;
    TippedDialog dialog;
    std::string shown;
    dialog.onCommand = [&](PartsDialog& d, int id, int code) {
        if (id == 9205 && code == EN_CHANGE) {
            dialog.shownOnChange.push_back(dialog.tip.shownText());
            shown = d.describe();
        }
    };
    const PartsRun run = runParts(dialog, "dlg set IDC_VALUE 12\ndlg click 9209\ndlg set IDC_VALUE 13\n*cancel*\n");
    ASSERT_FALSE(run.failure) << run.failure->message;
    ASSERT_TRUE(dialog.created);
    EXPECT_EQ(dialog.shownOnChange, (std::vector<std::string>{"Wartość w metrach", "Wartość w metrach"}));
    EXPECT_EQ(dialog.tip.GetToolCount(), 0) << "the tooltip went with the dialog";
    EXPECT_NE(shown.find("9205 IDC_VALUE Edit: 13 podpowiedź „Wartość w metrach”\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("9206 IDC_LABEL Static: Wartość podpowiedź „Wartość w metrach”\n"), std::string::npos);
    EXPECT_NE(shown.find("9209 IDC_COLOR Button: ...\n"), std::string::npos);
}

TEST(ToolTips, NothingShowsUnlessActiveAndRelayed)
{
    ChainedTestResources resources;
    {
        TippedDialog inactive;
        auto init = inactive.onInit;
        inactive.onInit = [&](PartsDialog& d) {
            init(d);
            inactive.tip.Activate(FALSE);
        };
        runParts(inactive, "dlg set IDC_VALUE 12\n");
        EXPECT_EQ(inactive.shownOnChange, std::vector<std::string>{""});
        EXPECT_GT(inactive.tip.relayedCount(), 0);
    }
    {
        TippedDialog notRelayed;
        notRelayed.beforeMessage = nullptr;
        runParts(notRelayed, "dlg set IDC_VALUE 12\n");
        EXPECT_EQ(notRelayed.shownOnChange, std::vector<std::string>{""});
        EXPECT_EQ(notRelayed.tip.relayedCount(), 0);
    }
    CToolTipCtrl outside;
    PartsDialog notRunning;
    EXPECT_FALSE(outside.Create(&notRunning)) << "a tooltip needs its dialog's window";
}

TEST(ToolTips, EachRunCreatesItsTooltipAnew)
{
    ChainedTestResources resources;
    TippedDialog dialog;
    runParts(dialog, "dlg click 2\n");
    ASSERT_TRUE(dialog.created);
    runParts(dialog, "dlg set IDC_VALUE 1\ndlg click 2\n");
    EXPECT_TRUE(dialog.created);
    EXPECT_EQ(dialog.shownOnChange, std::vector<std::string>{"Wartość w metrach"});
}

TEST(PreTranslate, EveryActionsMessagesPassFirstAndAKeptOneStopsIt)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    std::vector<UINT> seen;
    HWND valueWindow = nullptr;
    dialog.onInit = [&](PartsDialog& d) { valueWindow = d.GetDlgItem(9205)->GetSafeHwnd(); };
    dialog.beforeMessage = [&](PartsDialog& d, MSG& message) {
        seen.push_back(message.message);
        // The dialog keeps the mouse from the value box, and Esc to itself.
        if (message.hwnd == valueWindow)
            return TRUE;
        return BOOL(message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && message.hwnd == d.GetSafeHwnd());
    };
    const PartsRun run = runParts(dialog, "dlg set IDC_VALUE 5\n*cancel*\ndlg click IDCANCEL\n");
    EXPECT_FALSE(run.failure);
    const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_KEYDOWN, WM_NCLBUTTONDOWN};
    EXPECT_EQ(seen, expected);
    CString value;
    dialog.GetDlgItem(9205)->GetWindowText(value);
    EXPECT_EQ(value.str(), "");
    // Esc was kept; the close box reached button 2.
    const std::vector<std::pair<int, int>> commands = {{2, BN_CLICKED}};
    EXPECT_EQ(dialog.commands, commands);
    EXPECT_EQ(run.result, IDCANCEL);
}

TEST(PreTranslate, EscAndTheCloseBoxReachButtonTwo)
{
    ChainedTestResources resources;
    for (const char* script : {"*cancel*\n", "dlg click IDCANCEL\n", "dlg click 2\n"}) {
        PartsDialog dialog;
        const PartsRun run = runParts(dialog, script);
        EXPECT_EQ(run.result, IDCANCEL) << script;
        EXPECT_EQ(dialog.commands, (std::vector<std::pair<int, int>>{{2, BN_CLICKED}})) << script;
    }
}
