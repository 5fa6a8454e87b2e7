#pragma once

#include "ZcCmColor.h"
#include "ZcDbSymbolTable.h"
#include "ZrxExport.h"

class ZRX_EXPORT ZcDbLayerTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayerTableRecord)

    ZcDbLayerTableRecord() { m_color.setColorIndex(7); }

    ZcCmColor color() const { return m_color; }
    Zcad::ErrorStatus setColor(const ZcCmColor& c);
    ZcDbObjectId linetypeObjectId() const { return m_linetype; }
    Zcad::ErrorStatus setLinetypeObjectId(ZcDbObjectId id);
    ZcDb::LineWeight lineWeight() const { return m_lineWeight; }
    Zcad::ErrorStatus setLineWeight(ZcDb::LineWeight w);
    bool isOff() const { return m_off; }
    Zcad::ErrorStatus setIsOff(bool on);
    bool isFrozen() const { return m_frozen; }
    Zcad::ErrorStatus setIsFrozen(bool on);
    bool isLocked() const { return m_locked; }
    Zcad::ErrorStatus setIsLocked(bool on);
    bool isPlottable() const { return m_plottable; }
    Zcad::ErrorStatus setIsPlottable(bool on);

private:
    ZcCmColor m_color;
    ZcDbObjectId m_linetype;
    ZcDb::LineWeight m_lineWeight = ZcDb::kLnWtByLwDefault;
    bool m_off = false;
    bool m_frozen = false;
    bool m_locked = false;
    bool m_plottable = true;
};

extern template class ZcDbSymbolTableOf<ZcDbLayerTableRecord>;

class ZRX_EXPORT ZcDbLayerTable : public ZcDbSymbolTableOf<ZcDbLayerTableRecord> {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayerTable)
};
