// "D_Koszowa" end to end: a script through the console, the drawing read
// back by ezdxf.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "tests/console/ConsoleRun.h"

namespace {

struct Vertex {
    double x, y, bulge;
};

// The worked right-angle corner: R = 10, edges along -X and -Y from the origin.
const Vertex kExpected[] = {
    {-13.269674, 0.0, -0.0655435},
    {-8.093293, -0.681483, -0.2679492},
    {-1.022225, -7.752551, -0.0655435},
    {0.0, -15.517123, 0.0},
};

}  // namespace

TEST(CompoundCurveRun, TheDrawingHoldsOneOpenPolylineWithTheCurvesVerticesAndBulges)
{
    ScratchDir dir;
    const std::string out = dir.path("koszowa.dxf").string();
    // Picks in a user system turned 30 degrees about (125.5, 40).
    const std::string script =
        "; a kerb curve at a right-angle junction\n"
        "UCS 125.5,40 30\n"
        "D_Koszowa\n"
        "10\n"
        "-20,0\n"
        "0,0\n"
        "0,-20\n"
        "UCS W\n";
    const ConsoleResult r = runTarvo({"run", "--script", dir.write("k.scr", script), "--out", out});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Podaj środkowy promień krzywej koszowej"));

    std::istringstream read(ezdxfPolylineListing(dir, out));
    std::string word;
    int closed = -1, count = 0;
    read >> word >> closed >> count;
    ASSERT_EQ(word, "polyline") << read.str();
    EXPECT_EQ(closed, 0) << "an open polyline";
    ASSERT_EQ(count, 4);
    const double turn = 30.0 * std::numbers::pi / 180.0, c = std::cos(turn), s = std::sin(turn);
    for (const Vertex& e : kExpected) {
        Vertex v{};
        read >> v.x >> v.y >> v.bulge;
        EXPECT_NEAR(v.x, 125.5 + c * e.x - s * e.y, 1e-5);
        EXPECT_NEAR(v.y, 40.0 + s * e.x + c * e.y, 1e-5);
        EXPECT_NEAR(v.bulge, e.bulge, 1e-6);
    }
    int errors = -1;
    read >> word >> errors;
    EXPECT_EQ(word, "audit") << "nothing but the polyline in model space: " << read.str();
    EXPECT_EQ(errors, 0);
}

// Picks or radii that admit no curve print one line, draw nothing and leave
// a drawing that is written and pictured (a radius of 1e-300 once gave a
// curve whose picture failed).
TEST(CompoundCurveRun, RefusalsPrintOneLineAndDrawNothing)
{
    const struct {
        const char* answers;
        const char* message;
    } cases[] = {
        {"5\n0,0\n10,0\n30,0\n", "\nKrawędzie dróg są równoległe; krzywej nie narysowano.\n"},
        {"1e-300\n20,0\n0,0\n0,20\n", "\nPromień musi być liczbą nie mniejszą niż 0,0001 m; krzywej nie narysowano.\n"},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        const std::string out = dir.path("nic.dxf").string();
        const ConsoleResult r = runTarvo({"run", "--script", dir.write("p.scr", std::string("D_Koszowa\n") + c.answers),
                                          "--out", out, "--png", dir.path("nic.png").string()});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_TRUE(Contains(r.out, c.message));
        EXPECT_TRUE(std::filesystem::exists(dir.path("nic.png")));
        const std::string seen = ezdxfPolylineListing(dir, out);
        EXPECT_EQ(seen, "audit 0\n");
    }
}
