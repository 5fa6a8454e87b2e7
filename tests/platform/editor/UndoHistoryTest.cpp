// Undo and redo of whole commands: the drawing comes back byte for byte as
// it was written before (or after) each command, and ids kept from before
// an undo point at nothing.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ZcDbCircle.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "ZcGeMatrix3d.h"
#include "platform/db/Opened.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/editor/HostCommands.h"
#include "platform/editor/UndoHistory.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

// The history on, and empty, for one test.
struct History {
    History()
    {
        undoHistory().setEnabled(true);
        undoHistory().clear();
    }
    ~History() { undoHistory().setEnabled(false); }
};

std::vector<ZcDbObjectId> modelSpaceIds(ZcDbDatabase& db)
{
    Opened<ZcDbBlockTableRecord> ms(db.modelSpaceId(), ZcDb::kForRead);
    std::vector<ZcDbObjectId> live;
    for (const ZcDbObjectId id : ms->entityIds())
        if (!id.isErased())
            live.push_back(id);
    return live;
}

// One random command: draws, erases, moves or adds and sets a layer.
void randomEdit(TestDrawing& drawing, std::mt19937& random, int step)
{
    const std::vector<ZcDbObjectId> live = modelSpaceIds(drawing.db());
    const double x = double(random() % 1000) / 10.0, y = double(random() % 1000) / 10.0;
    switch (live.empty() ? 0 : random() % 5) {
    case 0: drawing.append(new ZcDbLine({x, y, 0}, {x + 3, y + 1, 0})); break;
    case 1: drawing.append(new ZcDbCircle({x, y, 0}, {0, 0, 1}, 1.0 + double(random() % 5))); break;
    case 2: {
        Opened<ZcDbEntity> e(live[random() % live.size()], ZcDb::kForWrite);
        e->erase();
        break;
    }
    case 3: {
        Opened<ZcDbEntity> e(live[random() % live.size()], ZcDb::kForWrite);
        e->transformBy(ZcGeMatrix3d::translation({x, -y, 0}));
        break;
    }
    default: runHostCommand("LAYER", "Warstwa" + std::to_string(step % 7)); break;
    }
}

}  // namespace

TEST(UndoHistory, RandomCommandsUndoneAndRedoneGiveTheDrawingsWrittenAtEachStep)
{
    TestDrawing drawing;
    ScriptedInput input("");
    History history;
    std::mt19937 random(28);
    // The drawings a user would expect: the ones behind and ahead of now.
    std::vector<std::string> behind, ahead;
    std::string now = dxfToString(drawing.db());
    for (int step = 0; step < 400; ++step) {
        const unsigned roll = random() % 10;
        std::string done, error;
        if (roll < 5) {
            undoHistory().beforeCommand(drawing.db());
            randomEdit(drawing, random, step);
            undoHistory().afterCommand(drawing.db(), "T", true);
            behind.push_back(std::exchange(now, dxfToString(drawing.db())));
            if (behind.size() > UndoHistory::kMaxSteps)
                behind.erase(behind.begin());
            ahead.clear();
            continue;
        } else if (roll < 8) {
            ASSERT_EQ(undoHistory().undo(drawing.db(), done, error), !behind.empty()) << error;
            if (!behind.empty()) {
                ahead.push_back(now);
                now = behind.back();
                behind.pop_back();
            }
        } else {
            ASSERT_EQ(undoHistory().redo(drawing.db(), done, error), !ahead.empty()) << error;
            if (!ahead.empty()) {
                behind.push_back(now);
                now = ahead.back();
                ahead.pop_back();
            }
        }
        ASSERT_EQ(dxfToString(drawing.db()), now) << "step " << step << ", roll " << roll;
        ASSERT_EQ(drawing.openCount(), 0u);
    }
}

TEST(UndoHistory, IdsKeptFromBeforeAnUndoPointAtNothing)
{
    TestDrawing drawing;
    History history;
    undoHistory().beforeCommand(drawing.db());
    const ZcDbObjectId line = drawing.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    undoHistory().afterCommand(drawing.db(), "T");
    const ZcDbObjectId modelSpace = drawing.db().modelSpaceId();
    std::string done, error;
    ASSERT_TRUE(undoHistory().undo(drawing.db(), done, error)) << error;
    EXPECT_EQ(done, "T");
    ZcDbObject* obj = nullptr;
    EXPECT_EQ(zcdbOpenZcDbObject(obj, line, ZcDb::kForRead), Zcad::eKeyNotFound);
    EXPECT_EQ(line.database(), nullptr);
    EXPECT_TRUE(modelSpaceIds(drawing.db()).empty());
    EXPECT_EQ(drawing.db().modelSpaceId().handle().value(), modelSpace.handle().value())
        << "the same objects by handle";
    ASSERT_TRUE(undoHistory().redo(drawing.db(), done, error)) << error;
    ASSERT_EQ(modelSpaceIds(drawing.db()).size(), 1u);
    EXPECT_EQ(modelSpaceIds(drawing.db())[0].handle().value(), line.handle().value());
    EXPECT_FALSE(undoHistory().redo(drawing.db(), done, error)) << "nothing more ahead";
    EXPECT_TRUE(error.empty());
}

TEST(UndoHistory, ACommandThatChangesNothingIsNoStep)
{
    TestDrawing drawing;
    History history;
    undoHistory().beforeCommand(drawing.db());
    undoHistory().afterCommand(drawing.db(), "T");
    EXPECT_EQ(undoHistory().undoSteps(), 0u);
    undoHistory().setEnabled(false);
    undoHistory().beforeCommand(drawing.db());
    drawing.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    undoHistory().afterCommand(drawing.db(), "T");
    EXPECT_EQ(undoHistory().undoSteps(), 0u) << "switched off, nothing is kept";
}
