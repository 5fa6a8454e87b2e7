#pragma once

#include "ZcDbSymbolTable.h"
#include "ZrxExport.h"

// An application registered for extended data.
class ZRX_EXPORT ZcDbRegAppTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTableRecord)
};

extern template class ZcDbSymbolTableOf<ZcDbRegAppTableRecord>;

class ZRX_EXPORT ZcDbRegAppTable : public ZcDbSymbolTableOf<ZcDbRegAppTableRecord> {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTable)
};
