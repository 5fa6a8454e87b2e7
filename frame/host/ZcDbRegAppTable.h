#pragma once

#include "ZcDbSymbolTable.h"

// An application registered for extended data.
class ZcDbRegAppTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTableRecord)
};

extern template class ZcDbSymbolTableOf<ZcDbRegAppTableRecord>;

class ZcDbRegAppTable : public ZcDbSymbolTableOf<ZcDbRegAppTableRecord> {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTable)
};
