#pragma once

#include <vector>

#include "ZcDbObject.h"
#include "ZrxExport.h"

// A record of data in a dictionary; its own data is a result-buffer list,
// and like any object it may carry extended data.
class ZRX_EXPORT ZcDbXrecord : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbXrecord)

    // A copy of the data list; the caller releases it with zcutRelRb.
    Zcad::ErrorStatus rbChain(resbuf** chain) const;
    Zcad::ErrorStatus setFromRbChain(const resbuf* chain);
    const std::vector<ZcDbXDataItem>& items() const { return m_items; }

    ZcDbObject* clone() const override;

private:
    std::vector<ZcDbXDataItem> m_items;
};
