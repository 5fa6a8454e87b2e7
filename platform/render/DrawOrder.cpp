#include "platform/render/DrawOrder.h"

#include <algorithm>
#include <unordered_map>

#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbSortentsTable.h"
#include "platform/db/ObjectAccess.h"

namespace platform {

namespace {

const ZcDbSortentsTable* sortentsOf(const ZcDbBlockTableRecord& block)
{
    const auto* dict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(block.extensionDictionary());
    if (!dict || dict->isErased())
        return nullptr;
    ZcDbObjectId id;
    if (dict->getAt("ACAD_SORTENTS", id) != Zcad::eOk)
        return nullptr;
    const auto* table = ZcDbObjectAccess::peekAs<ZcDbSortentsTable>(id);
    return table && !table->isErased() ? table : nullptr;
}

}  // namespace

std::vector<ZcDbObjectId> drawOrder(const ZcDbBlockTableRecord& block)
{
    std::vector<ZcDbObjectId> ids;
    ids.reserve(block.entityIds().size());
    for (const ZcDbObjectId& id : block.entityIds())
        if (!id.isErased())
            ids.push_back(id);
    const ZcDbSortentsTable* table = sortentsOf(block);
    if (!table || table->entries().empty())
        return ids;
    // An entity not listed sorts by its own handle; ties keep appended order.
    std::unordered_map<ZcDbObjectId, ZcDbHandle> keys;
    for (const auto& [id, key] : table->entries())
        keys[id] = key;
    std::vector<std::pair<ZcDbHandle, ZcDbObjectId>> order;
    order.reserve(ids.size());
    for (const ZcDbObjectId& id : ids) {
        const auto it = keys.find(id);
        order.emplace_back(it == keys.end() ? id.handle() : it->second, id);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < order.size(); ++i)
        ids[i] = order[i].second;
    return ids;
}

}  // namespace platform
