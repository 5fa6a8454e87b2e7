#include <gtest/gtest.h>

#include "WinColorDialog.h"
#include "tests/platform/ui/PartsDialog.h"

using namespace platform;

namespace {

struct ColorAnswer {
    INT_PTR result;
    COLORREF color;
    std::optional<RunFailure> failure;
};

// The information board's way: a colour dialog starting at black, its
// colour taken whatever the answer.
ColorAnswer chooseFromBlack(const std::string& script)
{
    ScriptedInput input(script);
    CColorDialog dialog(RGB(0, 0, 0));
    const INT_PTR result = dialog.DoModal();
    return {result, dialog.GetColor(), commandLine().failure()};
}

}  // namespace

TEST(ColorDialog, TheAnswerOrTheStartingColourAfterACancel)
{
    EXPECT_EQ(chooseFromBlack("dlg color 10,20,30\n").result, IDOK);
    EXPECT_EQ(chooseFromBlack("dlg color 10,20,30\n").color, RGB(10, 20, 30));
    for (const char* cancelled : {"dlg color cancel\n", "*cancel*\n", ""}) {
        const ColorAnswer answer = chooseFromBlack(cancelled);
        EXPECT_EQ(answer.result, IDCANCEL) << cancelled;
        EXPECT_EQ(answer.color, RGB(0, 0, 0)) << "black after a cancel";
        EXPECT_FALSE(answer.failure);
    }
    // Enter takes the colour it shows.
    ScriptedInput input("\n");
    CColorDialog startsRed(RGB(200, 0, 0));
    EXPECT_EQ(startsRed.DoModal(), IDOK);
    EXPECT_EQ(startsRed.GetColor(), RGB(200, 0, 0));
}

TEST(ColorDialog, ChooseColorKeepsTheResultOnCancelAndChecksItsStructure)
{
    ScriptedInput input("dlg color cancel\ndlg color 1,2,3\n");
    COLORREF custom[16] = {};
    CHOOSECOLOR choice{sizeof choice, nullptr, nullptr, RGB(9, 9, 9), custom, 0, 0, nullptr, nullptr};
    EXPECT_FALSE(ChooseColor(&choice));
    EXPECT_EQ(choice.rgbResult, RGB(9, 9, 9));
    choice.lStructSize = 4;
    EXPECT_FALSE(ChooseColor(&choice)) << "a wrong size reads no answer";
    EXPECT_FALSE(ChooseColor(nullptr));
    choice.lStructSize = sizeof choice;
    EXPECT_TRUE(ChooseColor(&choice));
    EXPECT_EQ(choice.rgbResult, RGB(1, 2, 3));
}

TEST(ColorDialog, OpenedFromADialogItTakesTheNextLineAndOnlyAColour)
{
    ChainedTestResources resources;
    {
        PartsDialog dialog;
        std::vector<COLORREF> chosen;
        dialog.onCommand = [&](PartsDialog&, int id, int) {
            if (id != 9209)
                return;
            CColorDialog colors(RGB(0, 0, 0));
            colors.DoModal();
            chosen.push_back(colors.GetColor());
        };
        const PartsRun run =
            runParts(dialog, "dlg click IDC_COLOR\ndlg color 255,128,0\ndlg click IDC_COLOR\ndlg color cancel\ndlg click 2\n");
        EXPECT_FALSE(run.failure);
        EXPECT_EQ(chosen, (std::vector<COLORREF>{RGB(255, 128, 0), RGB(0, 0, 0)}));
        EXPECT_EQ(run.result, IDCANCEL);
    }
    {
        PartsDialog dialog;
        dialog.onCommand = [&](PartsDialog&, int id, int) {
            if (id == 9209) {
                CColorDialog colors;
                EXPECT_EQ(colors.DoModal(), IDCANCEL);
            }
        };
        const PartsRun run = runParts(dialog, "dlg click IDC_COLOR\ndlg click 2\n");
        ASSERT_TRUE(run.failure);
        EXPECT_NE(run.failure->message.find("otwarte jest okno wyboru koloru"), std::string::npos);
        EXPECT_NE(run.failure->message.find("test.scr:2"), std::string::npos);
    }
}
