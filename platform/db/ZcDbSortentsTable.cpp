#include "ZcDbSortentsTable.h"

#include <algorithm>

#include "ZcDbBlockTable.h"
#include "platform/db/ObjectAccess.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbSortentsTable, ZcDbObject)

void ZcDbObjectAccess::setSortentsBlock(ZcDbSortentsTable* table, ZcDbObjectId block) { table->m_block = block; }

namespace {
ZcDbHandle sortKey(const std::vector<std::pair<ZcDbObjectId, ZcDbHandle>>& entries, ZcDbObjectId id)
{
    for (const auto& e : entries)
        if (e.first == id)
            return e.second;
    return id.handle();
}
}  // namespace

Zcad::ErrorStatus ZcDbSortentsTable::getFullDrawOrder(ZcDbObjectIdArray& ids) const
{
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_block);
    if (!block)
        return Zcad::eInvalidOwnerObject;
    std::vector<std::pair<ZcDbHandle, ZcDbObjectId>> order;
    for (const ZcDbObjectId& id : block->entityIds())
        if (!id.isErased())
            order.emplace_back(sortKey(m_entries, id), id);
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& e : order)
        ids.append(e.second);
    return Zcad::eOk;
}

namespace {
// Checks every id is a live entity of the table's block.
Zcad::ErrorStatus checkMembers(const ZcDbBlockTableRecord* block, const ZcDbObjectIdArray& ids)
{
    if (!block)
        return Zcad::eInvalidOwnerObject;
    for (const ZcDbObjectId& id : ids) {
        if (id.isNull())
            return Zcad::eNullObjectId;
        if (id.isErased())
            return Zcad::eWasErased;
        const auto& own = block->entityIds();
        if (std::find(own.begin(), own.end(), id) == own.end())
            return Zcad::eInvalidInput;
    }
    return Zcad::eOk;
}
}  // namespace

Zcad::ErrorStatus ZcDbSortentsTable::moveToTop(const ZcDbObjectIdArray& ids)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_block);
    if (Zcad::ErrorStatus es = checkMembers(block, ids); es != Zcad::eOk)
        return es;
    // A sort key above every handle of the drawing puts the entity on top;
    // the keys of later moves are higher still.
    for (const ZcDbObjectId& id : ids) {
        const ZcDbHandle key(ZcDbObjectAccess::reserveHandle(database()));
        auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& e) { return e.first == id; });
        if (it != m_entries.end())
            m_entries.erase(it);
        m_entries.emplace_back(id, key);
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSortentsTable::moveToBottom(const ZcDbObjectIdArray& ids)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_block);
    if (Zcad::ErrorStatus es = checkMembers(block, ids); es != Zcad::eOk)
        return es;
    // Every entity gets an explicit key: the moved ones first, the others
    // after them in their present order, each key taken from the present order's handles.
    ZcDbObjectIdArray order;
    getFullDrawOrder(order);
    std::vector<ZcDbHandle> keys;
    for (const ZcDbObjectId& id : order)
        keys.push_back(sortKey(m_entries, id));
    std::sort(keys.begin(), keys.end());
    std::vector<ZcDbObjectId> sequence(ids.begin(), ids.end());
    for (const ZcDbObjectId& id : order)
        if (!ids.contains(id))
            sequence.push_back(id);
    m_entries.clear();
    for (size_t i = 0; i < sequence.size() && i < keys.size(); ++i)
        if (keys[i] != sequence[i].handle())
            m_entries.emplace_back(sequence[i], keys[i]);
    return Zcad::eOk;
}
