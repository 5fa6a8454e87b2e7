#pragma once

// The drawing of blocks nested in blocks: P0 holds one polyline of many
// vertices, each of P1 to P5 inserts the block below it ten times in a row,
// and model space inserts P5: 100,000 instances of the polyline.

#include <string>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbPolyline.h"

namespace bench {

inline constexpr int kNestedLevels = 5;
inline constexpr int kNestedCopies = 10;
inline constexpr unsigned kNestedPolylineVertices = 50'000;

// Where the copies of each level go: in turn up and across, each a little
// more than the block below is high or wide, so that the copies stand apart.
inline ZcGePoint3d nestedCopyAt(int level, int copy)
{
    static constexpr double kStep[kNestedLevels + 1] = {0.0, 0.15, 1.1, 1.5, 11.5, 15.5};
    const double d = kStep[level] * copy;
    return level % 2 ? ZcGePoint3d(0.0, d, 0.0) : ZcGePoint3d(d, 0.0, 0.0);
}

// A zigzag one unit wide and a tenth of a unit high per vertex.
inline ZcDbPolyline* zigzag(unsigned vertices)
{
    auto* p = new ZcDbPolyline;
    for (unsigned i = 0; i < vertices; ++i)
        p->addVertexAt(i, {double(i) / double(vertices), i % 2 ? 0.1 : 0.0});
    return p;
}

// Adds the blocks and the model-space reference; the id of that reference,
// or null when something was refused.
inline ZcDbObjectId buildNestedBlocks(ZcDbDatabase& db, unsigned vertices = kNestedPolylineVertices)
{
    ZcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table, ZcDb::kForWrite) != Zcad::eOk)
        return {};
    bool ok = true;
    const auto append = [&](ZcDbBlockTableRecord* owner, ZcDbEntity* e) {
        e->setDatabaseDefaults(&db);
        ok = ok && owner->appendZcDbEntity(e) == Zcad::eOk;
        e->close();
    };
    ZcDbObjectId below;
    for (int level = 0; level <= kNestedLevels && ok; ++level) {
        auto* record = new ZcDbBlockTableRecord;
        record->setName(("P" + std::to_string(level)).c_str());
        ZcDbObjectId id;
        ok = table->add(id, record) == Zcad::eOk;
        if (level == 0)
            append(record, zigzag(vertices));
        else
            for (int k = 0; k < kNestedCopies; ++k)
                append(record, new ZcDbBlockReference(nestedCopyAt(level, k), below));
        record->close();
        below = id;
    }
    table->close();
    ZcDbBlockTableRecord* space = nullptr;
    if (!ok || zcdbOpenObject(space, db.modelSpaceId(), ZcDb::kForWrite) != Zcad::eOk)
        return {};
    ZcDbObjectId ref;
    auto* top = new ZcDbBlockReference(ZcGePoint3d::kOrigin, below);
    top->setDatabaseDefaults(&db);
    ok = space->appendZcDbEntity(ref, top) == Zcad::eOk;
    top->close();
    space->close();
    return ok ? ref : ZcDbObjectId();
}

}  // namespace bench
