// Reading script lines and dialog actions.

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>

#include "platform/editor/ScriptLine.h"

using namespace platform;

using Kind = ScriptLine::Kind;

TEST(ScriptLine, EachKindOfLine)
{
    EXPECT_EQ(parseScriptLine("").kind, Kind::Enter);
    EXPECT_EQ(parseScriptLine("  \t ").kind, Kind::Enter);
    EXPECT_EQ(parseScriptLine("; comment, 1,2").kind, Kind::Comment);
    EXPECT_EQ(parseScriptLine("  *Cancel* ").kind, Kind::Cancel);
    EXPECT_EQ(parseScriptLine("D_Koszowa").kind, Kind::Text);
    EXPECT_EQ(parseScriptLine("SAVE out.dxf").kind, Kind::Text);

    const ScriptLine number = parseScriptLine(" 12.5 ");
    EXPECT_EQ(number.kind, Kind::Number);
    EXPECT_DOUBLE_EQ(number.number, 12.5);
    EXPECT_EQ(number.text, "12.5");

    const ScriptLine point = parseScriptLine("10,-2.5");
    ASSERT_EQ(point.kind, Kind::Point);
    EXPECT_EQ(point.point, ZcGePoint3d(10, -2.5, 0));
    EXPECT_EQ(parseScriptLine("1e1, 2 ,+3").point, ZcGePoint3d(10, 2, 3));

    const ScriptLine pick = parseScriptLine("PICK 3,4");
    ASSERT_EQ(pick.kind, Kind::Pick);
    EXPECT_EQ(pick.point, ZcGePoint3d(3, 4, 0));
}

TEST(ScriptLine, NumbersAreFinitePlainDecimals)
{
    for (const char* bad : {"nan", "inf", "-inf", "1e999", "0x10", "1.2.3", "--1", "+-1", "1,", ",1", "1,2,3,4", "12 m"})
        EXPECT_NE(parseScriptLine(bad).kind, Kind::Number) << bad;
    for (const char* bad : {"nan,1", "1,inf", "1,,2"})
        EXPECT_NE(parseScriptLine(bad).kind, Kind::Point) << bad;
    EXPECT_EQ(parseNumber("-.5"), -0.5);
    EXPECT_EQ(parseNumber("+2"), 2.0);
}

// Short decimals take a quicker way than long ones; both must give the
// double a full decimal reading gives, to the bit.
TEST(ScriptLine, NumbersReadExactlyAsAFullDecimalReading)
{
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 200000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int digits = 1 + int(random() % 18);
        const int point = int(random() % (digits + 1));  // digits before the point; all of them: none
        for (int d = 0; d < digits; ++d) {
            if (d == point && d > 0)
                text += '.';
            text += char('0' + random() % 10);
        }
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const auto read = parseNumber(text);
        ASSERT_TRUE(read) << text;
        ASSERT_EQ(std::memcmp(&*read, &expected, sizeof expected), 0) << text << " read as " << *read;
    }
}

TEST(ScriptLine, APickOrDialogLineThatIsWrongSaysWhy)
{
    const ScriptLine pick = parseScriptLine("pick here");
    EXPECT_EQ(pick.kind, Kind::Malformed);
    EXPECT_FALSE(pick.error.empty());
    const ScriptLine dlg = parseScriptLine("dlg press 1");
    EXPECT_EQ(dlg.kind, Kind::Malformed);
    EXPECT_NE(dlg.error.find("press"), std::string::npos);
}

TEST(DialogAction, SetKeepsTheTextAsTyped)
{
    const ScriptLine line = parseScriptLine("dlg set IDC_TEKST  Wiśniowa Góra  ");
    ASSERT_EQ(line.kind, Kind::Dialog) << line.error;
    EXPECT_EQ(line.dialog->verb, DialogAction::Verb::Set);
    EXPECT_EQ(line.dialog->control, "IDC_TEKST");
    EXPECT_EQ(line.dialog->controlId, -1);
    EXPECT_EQ(line.dialog->text, " Wiśniowa Góra  ");
    EXPECT_EQ(parseScriptLine("dlg set 8037").dialog->text, "");
}

TEST(DialogAction, SelectCheckClickAndColor)
{
    const DialogAction byIndex = *parseScriptLine("dlg select 8036 2").dialog;
    EXPECT_EQ(byIndex.verb, DialogAction::Verb::Select);
    EXPECT_EQ(byIndex.controlId, 8036);
    EXPECT_EQ(byIndex.index, 2);

    const DialogAction byText = *parseScriptLine("dlg select 8036 \"1:500\"").dialog;
    EXPECT_EQ(byText.index, -1);
    EXPECT_EQ(byText.text, "1:500");

    const DialogAction check = *parseScriptLine("dlg check 8040 ON").dialog;
    EXPECT_EQ(check.verb, DialogAction::Verb::Check);
    EXPECT_TRUE(check.checked);
    EXPECT_FALSE(parseScriptLine("dlg check 8040 off").dialog->checked);

    const DialogAction click = *parseScriptLine("dlg click IDCANCEL").dialog;
    EXPECT_EQ(click.verb, DialogAction::Verb::Click);
    EXPECT_EQ(click.control, "IDCANCEL");

    const DialogAction color = *parseScriptLine("dlg color 255, 128,0").dialog;
    EXPECT_EQ(color.verb, DialogAction::Verb::Color);
    EXPECT_FALSE(color.colorCancelled);
    EXPECT_EQ(color.red, 255);
    EXPECT_EQ(color.green, 128);
    EXPECT_EQ(color.blue, 0);
    EXPECT_TRUE(parseScriptLine("dlg color cancel").dialog->colorCancelled);
}

TEST(DialogAction, WrongActionsAreRefused)
{
    for (const char* bad : {"dlg", "dlg click", "dlg click 1 2", "dlg check 8040 maybe", "dlg select 8036 -1",
                            "dlg select 8036 \"open", "dlg color 1,2", "dlg color 1,2,256", "dlg set 12ab x",
                            "dlg click 99999"})
        EXPECT_EQ(parseScriptLine(bad).kind, Kind::Malformed) << bad;
}
