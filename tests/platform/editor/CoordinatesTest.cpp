// The user coordinate system, zcedTrans and the small utilities.

#include <gtest/gtest.h>

#include <numbers>

#include "platform/editor/HostCommands.h"
#include "tests/support/ScriptedInput.h"
#include "zced.h"
#include "zcut.h"

using namespace platform;

namespace {

resbuf systemCode(short code)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = code;
    return rb;
}

}  // namespace

TEST(Trans, BetweenWorldAndTheUcsSetByTheHostCommand)
{
    ScriptedInput input("");
    ASSERT_TRUE(runHostCommand("UCS", "10,5 90"));
    const resbuf world = systemCode(0), user = systemCode(1);
    const ads_point p = {1, 0, 0};
    ads_point out;
    ASSERT_EQ(zcedTrans(p, &user, &world, 0, out), RTNORM);
    EXPECT_NEAR(out[0], 10, 1e-12);
    EXPECT_NEAR(out[1], 6, 1e-12);
    ads_point back;
    ASSERT_EQ(zcedTrans(out, &world, &user, 0, back), RTNORM);
    EXPECT_NEAR(back[0], 1, 1e-12);
    EXPECT_NEAR(back[1], 0, 1e-12);
    ASSERT_EQ(zcedTrans(p, &user, &world, 1, out), RTNORM);
    EXPECT_NEAR(out[0], 0, 1e-12) << "a displacement is only turned";
    EXPECT_NEAR(out[1], 1, 1e-12);

    ASSERT_TRUE(runHostCommand("UCS", "W"));
    ASSERT_EQ(zcedTrans(p, &user, &world, 0, out), RTNORM);
    EXPECT_DOUBLE_EQ(out[0], 1);
}

TEST(Trans, RefusesUnknownSystems)
{
    const resbuf world = systemCode(0), odd = systemCode(7);
    resbuf notShort = systemCode(0);
    notShort.restype = RTREAL;
    const ads_point p = {1, 2, 3};
    ads_point out;
    EXPECT_EQ(zcedTrans(p, &world, &odd, 0, out), RTERROR);
    EXPECT_EQ(zcedTrans(p, &notShort, &world, 0, out), RTERROR);
    EXPECT_EQ(zcedTrans(p, nullptr, &world, 0, out), RTERROR);
}

TEST(HostCommands, WrongArgumentsStopAScript)
{
    ScriptedInput input("");
    EXPECT_FALSE(runHostCommand("UCS", "10,5 ninety"));
    ASSERT_TRUE(commandLine().failure());
    EXPECT_TRUE(commandLine().ucs().isWorld()) << "the user system is unchanged";
}

TEST(HostCommands, AnApplicationMayNotUnloadOrQuitFromInsideACommand)
{
    ScriptedInput input("");
    EXPECT_EQ(zcedCommand(RTSTR, "ARX", RTSTR, "U", RTNONE), RTERROR);
    EXPECT_EQ(zcedCommand(RTSTR, "QUIT", 0), RTERROR);
    EXPECT_FALSE(commandLine().quitRequested());
    EXPECT_EQ(zcedCommand(RTSTR, "_.REGEN", RTNONE), RTNORM);
    EXPECT_EQ(zcedCommand(RTSTR, "NOSUCH", RTNONE), RTERROR);
    const ads_point origin = {2, 3, 0};
    EXPECT_EQ(zcedCommand(RTSTR, "UCS", RTPOINT, origin, RTREAL, 0.0, RTNONE), RTNORM);
    EXPECT_TRUE(commandLine().ucs().origin.isEqualTo({2, 3, 0}));
}

TEST(Utilities, AngleIsCounterClockwiseFromXInZeroToTwoPi)
{
    const ads_point o = {1, 1, 5};
    const ads_point east = {2, 1, 0}, north = {1, 2, 0}, south = {1, 0, 0};
    EXPECT_DOUBLE_EQ(zcutAngle(o, east), 0.0);
    EXPECT_DOUBLE_EQ(zcutAngle(o, north), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(zcutAngle(o, south), 1.5 * std::numbers::pi);
}

TEST(Utilities, PaletteColoursInTheHostsByteOrder)
{
    EXPECT_EQ(zcedGetRGB(1), 0x0000FF) << "red in the low byte";
    EXPECT_EQ(zcedGetRGB(5), 0xFF0000) << "blue in the third byte";
    EXPECT_EQ(zcedGetRGB(7), 0xFFFFFF);
    EXPECT_EQ(zcedGetRGB(-1), -1);
    EXPECT_EQ(zcedGetRGB(256), -1);
}
