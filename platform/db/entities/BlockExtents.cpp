#include "platform/db/entities/BlockExtents.h"

#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"

namespace platform {

namespace {
// Blocks nested deeper than this are not looked into: the stack stays
// bounded however a drawing made in memory chains its blocks (files are
// refused long before, see the reader's nesting check).
constexpr int kMaxBlockNesting = 500;
thread_local int g_depth = 0;
// Measurements started from outside any block, numbered from 1.
thread_local uint64_t g_measurement = 0;

ZcDbExtents measure(const ZcDbBlockTableRecord& block)
{
    ZcDbExtents result;
    for (const ZcDbObjectId& id : block.entityIds()) {
        const auto* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
        if (!entity || entity->isErased() || entity->visibility() == ZcDb::kInvisible ||
            ZcDbAttributeDefinition::cast(entity))
            continue;
        ZcDbExtents own;
        if (entity->getGeomExtents(own) == Zcad::eOk)
            result.addExt(own);
    }
    return result;
}
}  // namespace

ZcDbExtents blockContentExtents(const ZcDbBlockTableRecord& block)
{
    ZcDbDatabaseImpl* impl = block.database() ? block.database()->impl() : nullptr;
    ZcDbBlockExtents none;
    // Element references stay valid while the map grows.
    ZcDbBlockExtents& kept = impl ? impl->blockExtents[block.objectId().stub()] : none;
    // What was worked out with a block left out (inside itself, or too deep)
    // is kept all the same: such drawings have no true extents, and keeping
    // it bounds the work.
    if (kept.measuring || g_depth >= kMaxBlockNesting)
        return {};
    if (g_depth == 0)
        ++g_measurement;
    const bool keepable = impl && impl->openForWrite == 0;
    if (kept.known &&
        (keepable ? kept.measurement == 0 && kept.edits == impl->edits : kept.measurement == g_measurement))
        return kept.extents;
    kept.measuring = true;
    ++g_depth;
    const ZcDbExtents result = measure(block);
    --g_depth;
    kept.measuring = false;
    if (impl) {
        ++impl->blockExtentsMeasured;
        kept.known = true;
        kept.edits = impl->edits;
        kept.measurement = keepable ? 0 : g_measurement;
        kept.extents = result;
    }
    return result;
}

uint64_t blockExtentsMeasured(const ZcDbDatabase& db) { return db.impl()->blockExtentsMeasured; }

}  // namespace platform
