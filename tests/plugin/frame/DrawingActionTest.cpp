// A drawing action abandoned after a failed registry read.

#include <gtest/gtest.h>

#include "ZcDbPolyline.h"
#include "frame/DrawingAction.h"
#include "frame/DrawingSettings.h"
#include "services/DatabaseServices.h"
#include "services/Linetype.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestDrawing.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TestRegistry.h"

using namespace platform;

namespace {

// What a line-marking action does: reads the drawing's settings, makes
// sure of its linetype and draws a polyline with it.
void drawMarking()
{
    const DrawingSettings settings = ReadDrawingSettings();
    EnsureLinetype("P-1A");
    auto* line = new ZcDbPolyline;
    line->addVertexAt(0, ZcGePoint2d(0, 0));
    line->addVertexAt(1, ZcGePoint2d(10, 0));
    line->setLinetype("P-1A");
    line->setLayer(settings.layerDesigned.c_str());
    AppendToModelSpace(line);
    line->close();
}

std::string installedResources() { return TestRegistry::installedAt(std::string(testSourceDir()) + "/resources"); }

}  // namespace

TEST(RunDrawingAction, AFailedReadOfTheFolderLeavesTheDrawingByteIdentical)
{
    TestDrawing drawing;
    TestRegistry registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n");
    const std::string before = dxfToString(drawing.db());
    testing::internal::CaptureStdout();
    EXPECT_FALSE(RunDrawingAction(FolderUse::Needed, drawMarking));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(dxfToString(drawing.db()), before);
    EXPECT_EQ(registry.boxes().size(), 1u) << "the missing value, shown once";
    EXPECT_NE(out.find("przerwano"), std::string::npos) << out;
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(RunDrawingAction, RunsTheActionWhenTheFolderCanBeRead)
{
    TestDrawing drawing;
    TestRegistry registry(installedResources());
    const std::string before = dxfToString(drawing.db());
    EXPECT_TRUE(RunDrawingAction(FolderUse::Needed, drawMarking));
    EXPECT_NE(dxfToString(drawing.db()), before);
    EXPECT_TRUE(registry.boxes().empty());
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(RunDrawingAction, AReadFailingInsideTheActionIsCaughtThere)
{
    TestDrawing drawing;
    TestRegistry registry;
    bool after = false;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(RunDrawingAction(FolderUse::NotNeeded, [&] {
        EnsureLinetype("P-6");
        after = true;
    }));
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(after) << "the rest of the action is abandoned";
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(RunDrawingAction, OtherErrorsAreNotItsToCatch)
{
    TestDrawing drawing;
    EXPECT_THROW(RunDrawingAction(FolderUse::NotNeeded, [] { throw std::logic_error("błąd programu"); }),
                 std::logic_error);
}
