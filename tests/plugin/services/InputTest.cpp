// The drawing routines' questions on the command line: coordinates in and
// out, what a missing answer gives, and entity picks.

#include <gtest/gtest.h>

#include <numbers>

#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "resource.h"
#include "services/Input.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"
#include "zced.h"

using namespace platform;

namespace {

// A quarter turn about (100, 50): the user's (3, 4) is the world's (96, 53).
const UserCoordinateSystem kTurned{{100.0, 50.0, 0.0}, std::numbers::pi / 2.0};

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST(GetPoint, AnswersComeBackInWorldCoordinatesAndAnythingElseIsRtError)
{
    ScriptedInput input("3,4\n3,4\n\n*cancel*\n");
    commandLine().ucs() = kTurned;
    ZcGePoint3d p;
    ASSERT_EQ(GetPoint(p, std::nullopt, "\nPunkt"), RTNORM);
    EXPECT_TRUE(p.isEqualTo({96, 53, 0}, 1e-12));
    ASSERT_EQ(GetPointById(p, ZcGePoint3d(90, 50, 0), IDS_PROMPT_NEXT_POINT), RTNORM);
    EXPECT_TRUE(p.isEqualTo({96, 53, 0}, 1e-12)) << "with a base point";
    p = {7, 8, 9};
    EXPECT_EQ(GetPointNoBase(p, "\nPunkt"), RTERROR) << "Enter";
    EXPECT_EQ(GetPointById(p, p, IDS_PROMPT_FIRST_POINT), RTERROR) << "Esc";
    EXPECT_EQ(GetPoint(p, std::nullopt, "\nPunkt"), RTERROR) << "end of input";
    EXPECT_EQ(p, ZcGePoint3d(7, 8, 9)) << "left alone";
}

TEST(PickPoint, ConvertsOnlyWhenAskedAndGivesNothingWithoutAPoint)
{
    ScriptedInput input("3,4\n3,4\n\n*cancel*\n");
    commandLine().ucs() = kTurned;
    EXPECT_TRUE(PickPoint(std::nullopt, "\nStrona", true)->isEqualTo({96, 53, 0}, 1e-12));
    EXPECT_TRUE(PickPoint(ZcGePoint3d(1, 1, 0), "\nStrona", false)->isEqualTo({3, 4, 0}, 1e-12));
    EXPECT_FALSE(PickPoint(std::nullopt, "\nStrona", true)) << "Enter is no point, not the origin";
    EXPECT_FALSE(PickPoint(std::nullopt, "\nStrona", false)) << "nor is Esc";
}

TEST(GetDistance, HonoursTheLimitsSetJustBeforeAndGivesNothingForEscOrEnter)
{
    ScriptedInput input("-1\n0\n2\n-3\n\n*cancel*\n");
    testing::internal::CaptureStdout();
    zcedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    EXPECT_EQ(GetDistance(IDS_PROMPT_MIDDLE_RADIUS), 2.0);
    EXPECT_EQ(GetDistance(IDS_PROMPT_MIDDLE_RADIUS), -3.0) << "the limits last for one question";
    EXPECT_EQ(GetDistance(IDS_PROMPT_MIDDLE_RADIUS), std::nullopt);
    EXPECT_EQ(GetDistance(IDS_PROMPT_MIDDLE_RADIUS), std::nullopt);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count(out, "Wymagana wartość"), 2u) << out;
    EXPECT_EQ(count(out, "Podaj środkowy promień krzywej koszowej"), 6u) << out;
}

TEST(SelectEntity, OpensThePickedEntityOrSaysWhyNot)
{
    TestDrawing drawing;
    drawing.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5.0));
    const ZcDbObjectId lineId = drawing.append(new ZcDbLine({20, 0, 0}, {30, 0, 0}));
    ScriptedInput input("pick 25,0.2\npick 0,100\n\n*cancel*\npick 25,0\n");
    ZcDbEntity* entity = nullptr;
    ASSERT_TRUE(SelectEntity(entity, ZcDb::kForWrite));
    EXPECT_EQ(entity->objectId(), lineId);
    EXPECT_TRUE(entity->isWriteEnabled());
    entity->close();

    testing::internal::CaptureStdout();
    for (const char* what : {"nothing there", "Enter", "Esc"})
        EXPECT_FALSE(SelectEntity(entity, ZcDb::kForRead)) << what;
    // Open for write elsewhere, the line cannot be opened again.
    ZcDbEntity* holder = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(holder, lineId, ZcDb::kForWrite), Zcad::eOk);
    EXPECT_FALSE(SelectEntity(entity, ZcDb::kForRead));
    EXPECT_EQ(entity, nullptr);
    holder->close();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count(out, "Wskaż objekt"), 4u) << out;
    EXPECT_EQ(count(out, "\nError selecting the entity!"), 3u) << out;
    EXPECT_EQ(count(out, "\nError opening the entity!"), 1u) << out;
    EXPECT_EQ(drawing.openCount(), 0u);
}
