// "D_Wyspy" end to end: the island dialog driven by a script through the
// console, the drawing read back by ezdxf, and the worked islands found in
// it to four decimals.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/console/ConsoleRun.h"

namespace {

struct Vertex {
    double x, y, bulge;
};

struct Polyline {
    bool closed = false;
    std::vector<Vertex> vertices;
};

// The polylines of the listing, in order; false when anything else is there
// or ezdxf's audit finds errors.
bool parseListing(const std::string& listing, std::vector<Polyline>& out)
{
    std::istringstream in(listing);
    std::string word;
    while (in >> word) {
        if (word == "audit") {
            int errors = -1;
            in >> errors;
            return errors == 0;
        }
        if (word != "polyline")
            return false;
        int closed = 0, count = 0;
        in >> closed >> count;
        Polyline p;
        p.closed = closed != 0;
        for (int i = 0; i < count; ++i) {
            Vertex v{};
            in >> v.x >> v.y >> v.bulge;
            p.vertices.push_back(v);
        }
        out.push_back(p);
    }
    return false;
}

constexpr double kFourDecimals = 5e-5;

void expectVertices(const Polyline& p, const std::vector<Vertex>& expected, const char* what)
{
    ASSERT_EQ(p.vertices.size(), expected.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(p.vertices[i].x, expected[i].x, kFourDecimals) << what << " vertex " << i;
        EXPECT_NEAR(p.vertices[i].y, expected[i].y, kFourDecimals) << what << " vertex " << i;
        EXPECT_NEAR(p.vertices[i].bulge, expected[i].bulge, kFourDecimals) << what << " vertex " << i;
    }
}

std::vector<Polyline> drawIslands(const std::string& script)
{
    ScratchDir dir;
    const std::string out = dir.path("wyspy.dxf").string();
    const ConsoleResult r = runTarvo({"run", "--script", dir.write("w.scr", script), "--out", out});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Wskaż pierwszy punkt"));
    EXPECT_TRUE(Contains(r.out, "Wskaż kierunek"));
    const std::string listing = ezdxfPolylineListing(dir, out);
    std::vector<Polyline> found;
    EXPECT_TRUE(parseListing(listing, found)) << listing;
    return found;
}

}  // namespace

TEST(IslandRun, TheTriangularIslandOfTheDefaultsIsInTheDrawing)
{
    const auto found = drawIslands("D_Wyspy\ndlg click 1\n0,0\n10,0\ndlg click 2\n");
    ASSERT_EQ(found.size(), 4u) << "island, triangle, inlet and outlet kerbs";
    const double corner = -0.4437, nose = -0.9050;
    expectVertices(found[0],
                   {{0.0, 1.4475, corner},
                    {0.5498, 1.9450, 0.0},
                    {15.0495, 0.4950, nose},
                    {15.0495, -0.4950, 0.0},
                    {0.5498, -1.9450, corner},
                    {0.0, -1.4475, 0.0}},
                   "island");
    EXPECT_TRUE(found[0].closed);
    expectVertices(found[1], {{0, 2, 0}, {20, 0, 0}, {0, -2, 0}}, "triangle");
    EXPECT_TRUE(found[1].closed);
    expectVertices(found[2],
                   {{25.1808, 3.5, -0.0249}, {20.2056, 3.7481, 0.0}, {5.8378, 5.1849, -0.2306}, {-3.1051, 10.7034, 0.0}},
                   "inlet kerb");
    EXPECT_FALSE(found[2].closed);
    EXPECT_EQ(found[3].vertices.size(), 4u) << "outlet kerb";
}

TEST(IslandRun, TheParallelIslandWithItsCrossingIsInTheDrawing)
{
    const auto found =
        drawIslands("D_Wyspy\ndlg select IDC_ISLAND_KIND \"Równoległa\"\ndlg click 1\n0,0\n10,0\ndlg click 2\n");
    ASSERT_EQ(found.size(), 5u) << "taper, two kerbs, two island parts";
    expectVertices(found[0], {{14.5, -1.25, 0}, {27.5, 0, 0}, {14.5, 1.25, 0}}, "taper");
    expectVertices(found[1],
                   {{-2.1938, 9.1071, 0.2816},
                    {4.9286, 4.75, 0.0},
                    {12.6808, 4.75, -0.0249},
                    {17.6560, 4.5019, 0.0},
                    {25.1932, 3.7481, 0.0249},
                    {30.1683, 3.5, 0.0}},
                   "inlet kerb");
    ASSERT_EQ(found[3].vertices.size(), 6u) << "the island before the crossing";
    EXPECT_TRUE(found[3].closed);
    EXPECT_NEAR(found[3].vertices[2].x, 8.5, kFourDecimals) << "the crossing's near edge";
    ASSERT_EQ(found[4].vertices.size(), 6u) << "the nose beyond it";
    EXPECT_NEAR(found[4].vertices[0].x, 12.5, kFourDecimals) << "the crossing's far edge";
}
