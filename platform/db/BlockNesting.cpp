#include "platform/db/BlockNesting.h"

#include <unordered_set>
#include <vector>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "platform/db/ObjectAccess.h"

namespace platform {

bool blockHolds(ZcDbObjectId outer, ZcDbObjectId inner)
{
    std::unordered_set<ZcDbObjectId> seen{outer};
    std::vector<ZcDbObjectId> pending{outer};
    while (!pending.empty()) {
        const ZcDbObjectId id = pending.back();
        pending.pop_back();
        if (id == inner)
            return true;
        const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(id);
        if (!block)
            continue;
        for (const ZcDbObjectId& entity : block->entityIds())
            if (const auto* reference = ZcDbObjectAccess::peekAs<ZcDbBlockReference>(entity);
                reference && !reference->isErased() && seen.insert(reference->blockTableRecord()).second)
                pending.push_back(reference->blockTableRecord());
    }
    return false;
}

}  // namespace platform
