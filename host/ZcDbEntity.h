#pragma once

#include <cstdint>

#include "ZcCmColor.h"
#include "ZcDbExtents.h"
#include "ZcDbObject.h"
#include "ZcGeArrays.h"
#include "ZcGeMatrix3d.h"
#include "ZrxExport.h"

// Base of everything drawn: layer, colour, linetype, linetype scale,
// lineweight and visibility, geometry queries and transformation.
class ZRX_EXPORT ZcDbEntity : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbEntity)

    ZcDbObjectId blockId() const { return ownerId(); }

    // Layer by name: the layer must exist in the drawing (eKeyNotFound).
    Zcad::ErrorStatus setLayer(const char* name, bool doSubents = true, bool allowHiddenLayer = false);
    Zcad::ErrorStatus setLayer(ZcDbObjectId layerId, bool doSubents = true, bool allowHiddenLayer = false);
    // The layer's name; "0" when none is set yet.
    std::string layer() const;
    ZcDbObjectId layerId() const { return m_layer; }

    Zcad::ErrorStatus setColor(const ZcCmColor& color, bool doSubents = true);
    // 0 by block, 256 by layer, 1..255 the palette.
    Zcad::ErrorStatus setColorIndex(int index, bool doSubents = true);
    ZcCmColor color() const { return m_color; }
    int colorIndex() const { return m_color.colorIndex(); }

    // Linetype by name: it must exist in the drawing (eKeyNotFound).
    Zcad::ErrorStatus setLinetype(const char* name, bool doSubents = true);
    Zcad::ErrorStatus setLinetype(ZcDbObjectId linetypeId, bool doSubents = true);
    // The linetype's name; "ByLayer" when none is set yet.
    std::string linetype() const;
    ZcDbObjectId linetypeId() const { return m_linetype; }

    Zcad::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);
    double linetypeScale() const { return m_linetypeScale; }
    Zcad::ErrorStatus setLineWeight(ZcDb::LineWeight weight, bool doSubents = true);
    ZcDb::LineWeight lineWeight() const { return static_cast<ZcDb::LineWeight>(m_lineWeight); }
    Zcad::ErrorStatus setVisibility(ZcDb::Visibility v, bool doSubents = true);
    ZcDb::Visibility visibility() const { return static_cast<ZcDb::Visibility>(m_visibility); }

    // Current layer, colour by layer, linetype by layer, scale 1, lineweight
    // by layer, from the given drawing or the working one.
    void setDatabaseDefaults(ZcDbDatabase* db = nullptr);
    // Layer, colour, linetype, linetype scale, lineweight and visibility of another entity.
    Zcad::ErrorStatus setPropertiesFrom(const ZcDbEntity* other, bool doSubents = true);

    virtual Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const;
    virtual Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform);
    // Points where the two entities meet, appended to points; the mode says
    // which of them may be extended (kOnBothOperands: neither).
    virtual Zcad::ErrorStatus intersectWith(const ZcDbEntity* other, ZcDb::Intersect mode,
                                            ZcGePoint3dArray& points) const;
    // Highlighting is a display matter; the console has no display.
    Zcad::ErrorStatus highlight() const { return Zcad::eOk; }
    Zcad::ErrorStatus unhighlight() const { return Zcad::eOk; }

    ZcDbObject* clone() const override;

protected:
    void copyEntityDataTo(ZcDbEntity* other) const;

private:
    friend struct platform::ZcDbObjectAccess;

    ZcDbObjectId m_layer;
    ZcDbObjectId m_linetype;
    ZcCmColor m_color;
    double m_linetypeScale = 1.0;
    // Narrow storage: a drawing holds many entities (the values fit).
    int16_t m_lineWeight = ZcDb::kLnWtByLayer;
    uint8_t m_visibility = ZcDb::kVisible;
};

ZRX_EXPORT Zcad::ErrorStatus zcdbOpenZcDbEntity(ZcDbEntity*& ent, ZcDbObjectId id, ZcDb::OpenMode mode,
                                                bool openErased = false);
