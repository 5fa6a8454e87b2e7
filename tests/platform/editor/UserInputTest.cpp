// The input functions reading a script: answers, refusals, keywords, and
// how a run that cannot go on unwinds.

#include <gtest/gtest.h>

#include "ZcDbLine.h"
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
