// "D_Koszowa" at the command line: what it asks, what it draws, and when
// it draws nothing.

#include <gtest/gtest.h>

#include "ZcDbPolyline.h"
#include "markings/CompoundCurve.h"
#include "markings/CompoundCurveCommand.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"

namespace {

// Runs the command on the script's answers; what it printed.
std::string run(const std::string& answers)
{
    ScriptedInput input(answers);
    testing::internal::CaptureStdout();
    DrawCompoundCurve();
    return testing::internal::GetCapturedStdout();
}

const char* const kCorner = "-20,0\n0,0\n0,-20\n";

}  // namespace

TEST(CompoundCurveCommand, AsksForTheRadiusAndThreePointsAndDrawsOnePolyline)
{
    TestDrawing drawing;
    const std::string out = run(std::string("10\n") + kCorner);
    EXPECT_NE(out.find("Podaj środkowy promień krzywej koszowej"), std::string::npos) << out;
    EXPECT_NE(out.find("Wskaż punkt na krawędzi pierwszej drogi"), std::string::npos) << out;
    EXPECT_NE(out.find("Wskaż punkt na przecięciu krawędzi dróg"), std::string::npos) << out;
    EXPECT_NE(out.find("Wskaż punkt na krawędzi drugiej drogi"), std::string::npos) << out;
    const auto found = drawing.polylines();
    ASSERT_EQ(found.size(), 1u);
    const CompoundCurve expected = BuildCompoundCurve({-20, 0, 0}, {0, 0, 0}, {0, -20, 0}, 10).curve;
    ASSERT_EQ(found[0]->numVerts(), 4u);
    EXPECT_FALSE(found[0]->isClosed());
    for (unsigned i = 0; i < 4; ++i) {
        EXPECT_EQ(found[0]->vertices()[i].point, expected.vertices[i]) << i;
        EXPECT_EQ(found[0]->vertices()[i].bulge, expected.bulges[i]) << i;
    }
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(CompoundCurveCommand, ZeroAndNegativeRadiiAreAskedAgain)
{
    TestDrawing drawing;
    const std::string out = run(std::string("0\n-4\n10\n") + kCorner);
    EXPECT_NE(out.find("Wymagana wartość dodatnia różna od zera."), std::string::npos) << out;
    ASSERT_EQ(drawing.polylines().size(), 1u);
    EXPECT_NEAR(drawing.polylines()[0]->vertices()[0].point.x, -13.270, 5e-4) << "drawn with R = 10";
}

TEST(CompoundCurveCommand, EscOrEnterAtAnyQuestionDrawsNothing)
{
    const std::string answers[] = {
        "*cancel*\n", "\n", "10\n*cancel*\n", "10\n-20,0\n\n", "10\n-20,0\n0,0\n*cancel*\n", "10\n-20,0\n0,0\n",
    };
    for (const std::string& a : answers) {
        TestDrawing drawing;
        const std::string out = run(a);
        EXPECT_EQ(drawing.entityCount(), 0u) << a;
        EXPECT_EQ(out.find("krzywej nie narysowano"), std::string::npos) << "a cancel ends quietly: " << out;
        EXPECT_EQ(drawing.openCount(), 0u);
    }
}

TEST(CompoundCurveCommand, ParallelEdgesAreNamedAndNothingIsDrawn)
{
    TestDrawing drawing;
    const std::string out = run("10\n-20,0\n0,0\n35,0\n");
    EXPECT_NE(out.find("\nKrawędzie dróg są równoległe; krzywej nie narysowano."), std::string::npos) << out;
    EXPECT_EQ(drawing.entityCount(), 0u);
    EXPECT_EQ(drawing.openCount(), 0u);
}
