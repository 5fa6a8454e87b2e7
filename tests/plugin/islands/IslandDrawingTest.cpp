// Both islands drawn into a drawing: the polylines as they land in model
// space, and the inputs that draw nothing.

#include <gtest/gtest.h>

#include "ZcDbPolyline.h"
#include "islands/ParallelIsland.h"
#include "islands/TriangularIsland.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestDrawing.h"

namespace {

// The drawn polylines are the built ones, in order, with unset widths.
void expectDrawn(TestDrawing& drawing, const ZcDbObjectIdArray& ids, const std::vector<IslandPolyline>& built)
{
    const auto found = drawing.polylines();
    ASSERT_EQ(found.size(), built.size());
    ASSERT_EQ(ids.length(), static_cast<int>(built.size()));
    for (size_t k = 0; k < built.size(); ++k) {
        EXPECT_EQ(found[k]->objectId(), ids[static_cast<int>(k)]);
        EXPECT_EQ(found[k]->isClosed(), built[k].closed) << k;
        ASSERT_EQ(found[k]->numVerts(), built[k].vertices.size()) << k;
        for (size_t v = 0; v < built[k].vertices.size(); ++v) {
            const ZcDbPolyline::Vertex& vertex = found[k]->vertices()[v];
            EXPECT_EQ(vertex.point, built[k].vertices[v].point);
            EXPECT_EQ(vertex.bulge, built[k].vertices[v].bulge);
            EXPECT_EQ(vertex.startWidth, -1.0);
            EXPECT_EQ(vertex.endWidth, -1.0);
        }
    }
}

}  // namespace

TEST(IslandDrawing, BothKindsAppendTheirPolylinesInOrderAndCloseThem)
{
    const ZcGePoint3d p1(100, 50, 3), p2(100, 80, -2);  // heights are not looked at
    {
        TestDrawing drawing;
        IslandParameters p;
        p.L1 = 2.5;
        p.L2 = 4.0;
        testing::internal::CaptureStdout();
        const ZcDbObjectIdArray ids = DrawTriangularIsland(p, p1, p2);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        expectDrawn(drawing, ids, BuildTriangularIsland(p, p1, p2).polylines);
        EXPECT_EQ(drawing.polylines().size(), 5u);
        EXPECT_EQ(drawing.openCount(), 0u);
    }
    {
        TestDrawing drawing;
        IslandParameters p;
        applyKindValues(p, IslandKind::kParallel);
        const ZcDbObjectIdArray ids = DrawParallelIsland(p, p1, p2);
        expectDrawn(drawing, ids, BuildParallelIsland(p, p1, p2).polylines);
        EXPECT_EQ(drawing.polylines().size(), 5u);
        EXPECT_EQ(drawing.openCount(), 0u);
    }
}

TEST(IslandDrawing, AFaultIsNamedInOneLineAndNothingIsDrawn)
{
    struct Case {
        const char* what;
        void (*change)(IslandParameters&);
        const char* message;
    };
    const Case cases[] = {
        {"negative R", [](IslandParameters& p) { p.R = -20.0; },
         "\nParametr R musi być liczbą nie mniejszą niż 0,0001 m; wyspy nie narysowano."},
        {"skew 0", [](IslandParameters& p) { p.A = "0:1"; },
         "\nSkos wyspy A musi dawać kąt większy od 0° i mniejszy od 90° (np. 1:10); wyspy nie narysowano."},
        {"outlet misses its circle", [](IslandParameters& p) { p.Su = 60.0; },
         "\nKrawędź wylotu odsunięta o Ru nie przecina w dwóch punktach okręgu o promieniu R + Ru; wyspy nie "
         "narysowano."},
        {"inlet break", [](IslandParameters& p) { p.Rw1 = 500.0; },
         "\nŁuk załamania krawędzi wlotu o promieniu Rw1 nie mieści się między jej odcinkami; wyspy nie narysowano."},
    };
    for (const Case& c : cases) {
        for (bool parallel : {false, true}) {
            TestDrawing drawing;
            IslandParameters p;
            if (parallel)
                applyKindValues(p, IslandKind::kParallel);
            c.change(p);
            testing::internal::CaptureStdout();
            const ZcDbObjectIdArray ids = parallel ? DrawParallelIsland(p, {0, 0, 0}, {10, 0, 0})
                                                   : DrawTriangularIsland(p, {0, 0, 0}, {10, 0, 0});
            // The command line starts a message's line only when it is not at one's start.
            std::string out = testing::internal::GetCapturedStdout();
            if (!out.empty() && out.front() != '\n')
                out.insert(out.begin(), '\n');
            EXPECT_EQ(out, c.message) << c.what;
            EXPECT_EQ(ids.length(), 0);
            EXPECT_EQ(drawing.entityCount(), 0u) << c.what;
            EXPECT_EQ(drawing.openCount(), 0u);
        }
    }
}

TEST(IslandDrawing, ASkewWithoutAUsableColonDrawsNothingQuietly)
{
    for (const char* skew : {"10", ":10", ""}) {
        for (bool parallel : {false, true}) {
            TestDrawing drawing;
            IslandParameters p;
            p.A = skew;
            p.R = -1.0;  // the skew is read before anything is checked
            testing::internal::CaptureStdout();
            if (parallel)
                DrawParallelIsland(p, {0, 0, 0}, {10, 0, 0});
            else
                DrawTriangularIsland(p, {0, 0, 0}, {10, 0, 0});
            EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << skew;
            EXPECT_EQ(drawing.entityCount(), 0u) << skew;
            EXPECT_EQ(drawing.openCount(), 0u);
        }
    }
}

TEST(IslandDrawing, WithoutAWorkingDrawingNothingIsDrawnAndNothingLeaks)
{
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    const ZcDbObjectIdArray ids = DrawTriangularIsland(IslandParameters{}, {0, 0, 0}, {10, 0, 0});
    EXPECT_EQ(ids.length(), 0);
}
