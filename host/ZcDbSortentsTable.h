#pragma once

#include <utility>
#include <vector>

#include "ZcDbObject.h"
#include "ZrxExport.h"

// A block record's draw order: entities listed later are drawn on top. An
// entity not listed keeps its own handle as its sort key.
class ZRX_EXPORT ZcDbSortentsTable : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSortentsTable)

    ZcDbObjectId blockId() const { return ownerBlock(); }
    Zcad::ErrorStatus moveToTop(const ZcDbObjectIdArray& ids);
    Zcad::ErrorStatus moveToBottom(const ZcDbObjectIdArray& ids);
    // The block's entities from bottom to top.
    Zcad::ErrorStatus getFullDrawOrder(ZcDbObjectIdArray& ids) const;
    // (entity, sort handle) pairs that differ from the entity's own handle.
    const std::vector<std::pair<ZcDbObjectId, ZcDbHandle>>& entries() const { return m_entries; }

    ZcDbObjectId ownerBlock() const { return m_block; }

private:
    friend struct platform::ZcDbObjectAccess;
    ZcDbObjectId m_block;
    std::vector<std::pair<ZcDbObjectId, ZcDbHandle>> m_entries;
};
