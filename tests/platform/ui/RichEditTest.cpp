#include <gtest/gtest.h>

#include "ZcUiRichEdit.h"
#include "platform/ui/RichEditClass.h"
#include "tests/platform/ui/PartsDialog.h"

using namespace platform;

TEST(RichEdit, TypingIsCutAtTheLimitInCharactersAndTellsOnlyWhenAsked)
{
    ChainedTestResources resources;
    {
        PartsDialog dialog;
        dialog.onInit = [](PartsDialog& d) { d.text().LimitText(5); };
        runParts(dialog, "dlg set IDC_TEXT Zażółć gęślą\ndlg click 2\n");
        CString text;
        dialog.text().GetWindowText(text);
        EXPECT_EQ(text.str(), "Zażół") << "five characters, not five bytes";
        EXPECT_EQ(dialog.text().GetTextLength(), 5);
        EXPECT_EQ(dialog.commands, (std::vector<std::pair<int, int>>{{2, BN_CLICKED}})) << "no change event asked for";
    }
    {
        PartsDialog dialog;
        dialog.onInit = [](PartsDialog& d) { d.text().SetEventMask(d.text().GetEventMask() | ENM_CHANGE); };
        runParts(dialog, "dlg set IDC_TEXT Tablica\ndlg click 2\n");
        EXPECT_EQ(dialog.commands.front(), std::make_pair(9203, EN_CHANGE));
    }
}

TEST(RichEdit, SelectionsAndReplacementsCountCharacters)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    dialog.onInit = [](PartsDialog& d) {
        CRichEditCtrl& text = d.text();
        text.SetWindowText("Łódź 1");
        text.SetSel(0, 4);
        text.ReplaceSel("Gdańsk");
        long start = -1, end = -1;
        text.GetSel(start, end);
        EXPECT_EQ(start, 6);
        EXPECT_EQ(end, 6);
        text.SetSel(-1, -1);
        text.ReplaceSel("0");
        text.SetSel(0, -1);
        text.GetSel(start, end);
        EXPECT_EQ(end, 9);
        text.SetSel(20, 30);  // past the end: the caret at the end
        text.GetSel(start, end);
        EXPECT_EQ(start, 9);
        text.LimitText(10);
        text.ReplaceSel("ąbc");
    };
    runParts(dialog, "dlg click 2\n");
    CString text;
    dialog.text().GetWindowText(text);
    EXPECT_EQ(text.str(), "Gdańsk 10ą");
}

TEST(RichEdit, FormatAndBackgroundShowInTheDescription)
{
    ChainedTestResources resources;
    PartsDialog dialog;
    dialog.onInit = [](PartsDialog& d) {
        CHARFORMAT format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_COLOR | CFM_SIZE;
        format.crTextColor = RGB(255, 0, 0);
        format.yHeight = 3 * 102;
        EXPECT_TRUE(d.text().SetDefaultCharFormat(format));
        format.cbSize = 3;
        EXPECT_FALSE(d.text().SetDefaultCharFormat(format));
        EXPECT_EQ(d.text().SetBackgroundColor(FALSE, RGB(0, 0, 255)), RGB(255, 255, 255));
        d.text().SetWindowText("Napis");
        d.text().SetReadOnly(TRUE);
    };
    const PartsRun run = runParts(dialog, "dlg set IDC_TEXT inny\n");
    ASSERT_TRUE(run.failure);
    EXPECT_NE(run.failure->message.find("IDC_TEXT (9203) jest tylko do odczytu"), std::string::npos);
    EXPECT_NE(dialog.describe().find(
                  "9203 IDC_TEXT RichEdit20A: \"Napis\" (tekst 255,0,0, tło 0,0,255, wysokość 306) tylko do odczytu\n"),
              std::string::npos)
        << dialog.describe();
}

TEST(RichEdit, ADialogWithARichEditNeedsTheRichEditSupportFirst)
{
    ChainedTestResources resources;
    setRichEditClassRegistered(false);
    struct WithoutSupport : PartsDialog {
        int OnCreate(LPCREATESTRUCT create) override { return CZcUiDialog::OnCreate(create); }
    } without;
    const PartsRun run = runParts(without, "dlg click 2\n");
    EXPECT_EQ(run.result, -1);
    ASSERT_TRUE(run.failure);
    EXPECT_NE(run.failure->message.find("RichEdit20A nie jest zarejestrowana"), std::string::npos);
    // Initialised at creation, as the system's dialog does, it opens.
    PartsDialog with;
    EXPECT_EQ(runParts(with, "dlg click 2\n").result, IDCANCEL);
}

TEST(EditBoxes, ReadOnlyRefusesTypingAndTheLimitCutsIt)
{
    ChainedTestResources resources;
    const PartsRun refused = [] {
        PartsDialog dialog;
        return runParts(dialog, "dlg set IDC_READONLY 4\n");
    }();
    ASSERT_TRUE(refused.failure);
    EXPECT_NE(refused.failure->message.find("IDC_READONLY (9207) jest tylko do odczytu"), std::string::npos);
    PartsDialog dialog;
    dialog.onInit = [](PartsDialog& d) { static_cast<CEdit*>(d.GetDlgItem(9205))->SetLimitText(3); };
    runParts(dialog, "dlg set IDC_VALUE 12345\ndlg click 2\n");
    CString value;
    dialog.GetDlgItem(9205)->GetWindowText(value);
    EXPECT_EQ(value.str(), "123");
}
