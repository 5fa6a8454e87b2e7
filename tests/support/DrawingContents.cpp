#include "tests/support/DrawingContents.h"

#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbObjectPointer.h"
#include "services/Blocks.h"

std::vector<PlacedReference> ReferencesIn(ZcDbDatabase& db)
{
    std::vector<PlacedReference> found;
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(db.modelSpaceId(), ZcDb::kForRead);
    for (ZcDbObjectId id : space->entityIds()) {
        ZcDbObjectPointer<ZcDbBlockReference> reference(id, ZcDb::kForRead);
        if (!reference)
            continue;
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(reference->blockTableRecord(), ZcDb::kForRead);
        PlacedReference r{id,
                          block->name(),
                          reference->layer(),
                          reference->position(),
                          reference->scaleFactors().sx,
                          reference->rotation(),
                          {}};
        for (ZcDbObjectId a : reference->attributeIds()) {
            ZcDbObjectPointer<ZcDbAttribute> attribute(a, ZcDb::kForRead);
            r.attributes[attribute->tag()] = attribute->textString();
        }
        found.push_back(r);
    }
    return found;
}

std::vector<std::vector<ZcDbObjectId>> GroupsIn(ZcDbDatabase& db)
{
    std::vector<std::vector<ZcDbObjectId>> groups;
    ZcDbObjectPointer<ZcDbDictionary> dictionary(db.groupDictionaryId(), ZcDb::kForRead);
    for (const auto& [name, id] : dictionary->entries()) {
        ZcDbObjectPointer<ZcDbGroup> group(id, ZcDb::kForRead);
        ZcDbObjectIdArray ids;
        group->allEntityIds(ids);
        groups.emplace_back(ids.begin(), ids.end());
    }
    return groups;
}

std::vector<ZcDbObjectId> BlockContents(const char* name)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    if (ZcDbBlockTableRecord* found = FindBlock(name, ZcDb::kForRead))
        block.acquire(found);
    return block ? block->entityIds() : std::vector<ZcDbObjectId>{};
}
