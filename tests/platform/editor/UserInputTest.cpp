// The input functions reading a script: answers, refusals, keywords, and
// how a run that cannot go on unwinds.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ZcDbLine.h"
#include "platform/editor/EntityPick.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"
#include "zcdbAdsName.h"
#include "zced.h"

using namespace platform;

TEST(GetPoint, AnswersPointEnterAndEsc)
{
    ScriptedInput input("1,2\n\n*cancel*\n");
    ads_point p = {9, 9, 9};
    EXPECT_EQ(zcedGetPoint(nullptr, "\nPunkt", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 1);
    EXPECT_DOUBLE_EQ(p[1], 2);
    EXPECT_DOUBLE_EQ(p[2], 0);
    const ads_point base = {0, 0, 0};
    EXPECT_EQ(zcedGetPoint(base, "\nPunkt", p), RTNONE);
    EXPECT_EQ(zcedGetPoint(nullptr, "\nPunkt", p), RTCAN);
    EXPECT_DOUBLE_EQ(p[0], 1) << "the result is left alone without a point";
    EXPECT_FALSE(commandLine().failure());
}

TEST(GetPoint, ALineThatDoesNotFitFailsTheRunAndEverythingAfterSeesEsc)
{
    ScriptedInput input("; first a comment\nD_Linie\n5,5\n");
    ads_point p;
    EXPECT_EQ(zcedGetPoint(nullptr, "\nPunkt", p), RTCAN);
    ASSERT_TRUE(commandLine().failure());
    EXPECT_EQ(commandLine().failure()->exitStatus, 1);
    EXPECT_NE(commandLine().failure()->message.find("test.scr:2:"), std::string::npos)
        << commandLine().failure()->message;
    EXPECT_EQ(zcedGetPoint(nullptr, "\nPunkt", p), RTCAN);
    EXPECT_EQ(input.lineNumber(), 2) << "nothing more is read";
}

TEST(GetPoint, TheEndOfTheInputIsEscUntilTheCommandUnwinds)
{
    ScriptedInput input("1,1\n");
    ads_point p;
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTNORM);
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTCAN);
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTCAN);
    EXPECT_TRUE(commandLine().inputEnded());
    EXPECT_FALSE(commandLine().failure()) << "running out of input is Esc, not a failure";
}

TEST(GetPoint, InitGetRefusesEnterOnceAndOffersKeywords)
{
    ScriptedInput input("\n3,3\nwy\nWyjdź\nPo\n\n");
    ads_point p;
    zcedInitGet(RSG_NONULL, nullptr);
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTNORM) << "Enter refused, asked again";
    EXPECT_DOUBLE_EQ(p[0], 3);

    char keyword[64];
    zcedInitGet(0, "Wyjdź Ponów");
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTKWORD) << "a unique start of a keyword";
    ASSERT_EQ(zcedGetInput(keyword), RTNORM);
    EXPECT_STREQ(keyword, "Wyjdź");
    zcedInitGet(0, "Wyjdź Ponów");
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTKWORD);
    zcedInitGet(0, "Wyjdź Ponów");
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTKWORD);
    zcedGetInput(keyword);
    EXPECT_STREQ(keyword, "Ponów");
    EXPECT_EQ(zcedGetPoint(nullptr, "", p), RTNONE) << "the limits last for one call";
}

TEST(GetDist, NumbersPointsAndRefusedValues)
{
    ScriptedInput input("2.5\n3,4\n1,1\n4,5\n-2\n0\n0.5\n-1\n");
    ads_real d = 0;
    EXPECT_EQ(zcedGetDist(nullptr, "", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 2.5);
    const ads_point base = {0, 0, 0};
    EXPECT_EQ(zcedGetDist(base, "", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 5.0) << "from the base point";
    EXPECT_EQ(zcedGetDist(nullptr, "", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 5.0) << "between two points";
    zcedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    EXPECT_EQ(zcedGetDist(nullptr, "", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 0.5) << "-2 and 0 refused";
    EXPECT_EQ(zcedGetDist(nullptr, "", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, -1.0) << "no limits any more";
}

TEST(EntSel, PicksTheNearestEntityAndNamesIt)
{
    TestDrawing drawing;
    const ZcDbObjectId near = drawing.append(new ZcDbLine({0, 0.3, 0}, {10, 0.3, 0}));
    drawing.append(new ZcDbLine({0, 0.0, 0}, {10, 0.0, 0}));
    ScriptedInput input("pick 5,0.2\npick 5,5\n\n10,0\n");
    ads_name ent;
    ads_point p;
    ASSERT_EQ(zcedEntSel("", ent, p), RTNORM);
    ZcDbObjectId id;
    ASSERT_EQ(zcdbGetObjectId(id, ent), Zcad::eOk);
    EXPECT_EQ(id, near);
    EXPECT_DOUBLE_EQ(p[1], 0.2) << "the picked point";
    EXPECT_EQ(zcedEntSel("", ent, p), RTERROR) << "nothing there";
    EXPECT_EQ(zcedEntSel("", ent, p), RTERROR) << "Enter";
    EXPECT_EQ(zcedEntSel("", ent, p), RTCAN) << "a bare point is not a pick: the run fails";
    EXPECT_TRUE(commandLine().failure());
}

TEST(EntityNames, OnlyNamesOfTheWorkingDrawingResolve)
{
    TestDrawing drawing;
    const ZcDbObjectId id = drawing.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    ads_name ent;
    ASSERT_EQ(zcdbGetAdsName(ent, id), Zcad::eOk);
    ZcDbObjectId back;
    EXPECT_EQ(zcdbGetObjectId(back, ent), Zcad::eOk);
    EXPECT_EQ(back, id);

    const ads_name madeUp = {0x7FFFFF, 0};
    EXPECT_NE(zcdbGetObjectId(back, madeUp), Zcad::eOk);
    EXPECT_TRUE(back.isNull());
    const ads_name negative = {-4, 0};
    EXPECT_NE(zcdbGetObjectId(back, negative), Zcad::eOk);
    EXPECT_NE(zcdbGetAdsName(ent, ZcDbObjectId()), Zcad::eOk);

    TestDrawing other;  // now the working drawing
    EXPECT_EQ(zcdbGetAdsName(ent, id), Zcad::eWrongDatabase);
}

// A "click" line is what the prompt waiting for it takes: the point itself
// where a point fits, a pick where an entity is asked for, and no fit at
// the command prompt or for a number.
struct ClickCase {
    const char* name;
    const char* line;
    enum Prompt { Point, Distance, Pick, Command } prompt;
    int rc;             // of the input function; RTCAN with failure for a misfit
    double value;       // x of the point, the distance, or 1 when the line was picked
    const char* fault;  // part of the run's failure, or null when it goes on
};

class ClickLine : public testing::TestWithParam<ClickCase> {};

TEST_P(ClickLine, IsWhatThePromptTakes)
{
    const ClickCase& c = GetParam();
    TestDrawing drawing;
    const ZcDbObjectId line = drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    ScriptedInput input(std::string(c.line) + "\n");
    commandLine().ucs() = {{100, 0, 0}, 0.0};  // a click is in the user system, as a point is
    int rc = RTNORM;
    double value = 0;
    ads_point p;
    const ads_point base = {0, 0, 0};
    switch (c.prompt) {
    case ClickCase::Point:
        rc = zcedGetPoint(nullptr, "", p);
        value = p[0];
        break;
    case ClickCase::Distance: rc = zcedGetDist(base, "", &value); break;
    case ClickCase::Pick: {
        ads_name ent;
        rc = zcedEntSel("", ent, p);
        ZcDbObjectId id;
        value = rc == RTNORM && zcdbGetObjectId(id, ent) == Zcad::eOk && id == line;
        break;
    }
    case ClickCase::Command:
        rc = commandLine().ask("Polecenie", kAcceptText, "nazwy polecenia") ? RTNORM : RTCAN;
        break;
    }
    EXPECT_EQ(rc, c.rc);
    if (rc == RTNORM) {
        EXPECT_DOUBLE_EQ(value, c.value);
    }
    if (c.fault) {
        ASSERT_TRUE(commandLine().failure());
        EXPECT_NE(commandLine().failure()->message.find(c.fault), std::string::npos)
            << commandLine().failure()->message;
    } else {
        EXPECT_FALSE(commandLine().failure());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Prompts, ClickLine,
    testing::Values(ClickCase{"Point", "click 3,4", ClickCase::Point, RTNORM, 3, nullptr},
                    ClickCase{"PointAnyCase", "CLICK 3,4,0", ClickCase::Point, RTNORM, 3, nullptr},
                    ClickCase{"DistanceFromBase", "click 3,4", ClickCase::Distance, RTNORM, 5, nullptr},
                    ClickCase{"PickInUserSystem", "click -95,0.2", ClickCase::Pick, RTNORM, 1, nullptr},
                    ClickCase{"PickMisses", "click 5,0.2", ClickCase::Pick, RTERROR, 0, nullptr},
                    ClickCase{"CommandPrompt", "click 3,4", ClickCase::Command, RTCAN, 0, "oczekiwano nazwy polecenia"},
                    ClickCase{"WithoutPoint", "click here", ClickCase::Point, RTCAN, 0, "click: oczekiwano punktu"},
                    ClickCase{"PointNotPick", "1,2", ClickCase::Pick, RTCAN, 0, "pick x,y albo click x,y"}),
    [](const testing::TestParamInfo<ClickCase>& param) { return std::string(param.param.name); });

TEST(EntSel, ThePickBoxIsSetInDrawingUnits)
{
    TestDrawing drawing;
    drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    ScriptedInput input("pick 5,2\npick 5,2\npick 5,2\n");
    struct Restore {
        ~Restore() { commandLine().setPickBox(kPickAperture); }
    } restore;
    ads_name ent;
    ads_point p;
    EXPECT_EQ(zcedEntSel("", ent, p), RTERROR) << "2 units away: beyond the default box";
    EXPECT_TRUE(commandLine().setPickBox(2.5));
    EXPECT_EQ(zcedEntSel("", ent, p), RTNORM);
    for (const double bad : {0.0, -1.0, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(commandLine().setPickBox(bad)) << bad;
    EXPECT_EQ(commandLine().pickBox(), 2.5) << "a refused box changes nothing";
    EXPECT_TRUE(commandLine().setPickBox(1.5));
    EXPECT_EQ(zcedEntSel("", ent, p), RTERROR);
}

namespace {

// Answers each prompt with the next line, noting what the command line said
// it waits for at that moment.
class WatchingInput : public InputSource {
public:
    explicit WatchingInput(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
    std::optional<std::string_view> readLine(std::string_view) override
    {
        seen.push_back(commandLine().pending());
        if (m_next == m_lines.size())
            return std::nullopt;
        return m_lines[m_next++];
    }
    bool typed() const override { return false; }
    std::string where() const override { return "watch"; }

    std::vector<std::optional<PendingPrompt>> seen;

private:
    std::vector<std::string> m_lines;
    size_t m_next = 0;
};

}  // namespace

TEST(PendingPrompt, SaysWhatTheCommandLineWaitsForWhileItReads)
{
    TestDrawing drawing;
    WatchingInput input({"1,2", "click 4,6", "7", "pick 0,0"});
    commandLine().reset();
    commandLine().setInput(&input);
    ads_point p;
    ads_real d;
    ads_name ent;
    EXPECT_FALSE(commandLine().pending()) << "nothing is asked yet";
    zcedGetPoint(nullptr, "\nPierwszy punkt", p);
    const ads_point base = {1, 2, 0};
    zcedGetPoint(base, "\nDrugi punkt", p);
    zcedGetDist(nullptr, "\nOdległość", &d);
    zcedEntSel("\nWskaż obiekt", ent, p);
    EXPECT_FALSE(commandLine().pending()) << "nothing is asked after the answer";
    commandLine().setInput(nullptr);
    commandLine().reset();

    ASSERT_EQ(input.seen.size(), 4u);
    for (const auto& s : input.seen)
        ASSERT_TRUE(s);
    EXPECT_EQ(input.seen[0]->accepted, unsigned(kAcceptPoint));
    EXPECT_EQ(input.seen[0]->prompt, "\nPierwszy punkt");
    EXPECT_FALSE(input.seen[0]->base);
    EXPECT_EQ(input.seen[1]->base, ZcGePoint3d(1, 2, 0)) << "the rubber band's start";
    EXPECT_EQ(input.seen[2]->accepted, unsigned(kAcceptPoint | kAcceptNumber));
    EXPECT_EQ(input.seen[3]->accepted, unsigned(kAcceptPick));
}
