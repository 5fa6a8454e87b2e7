#pragma once

#include <vector>

#include "ZcDbEntity.h"
#include "ZcGeScale3d.h"
#include "ZrxExport.h"

class ZcDbAttribute;

// Walks the ids of a block reference's attributes; the caller opens them.
class ZRX_EXPORT ZcDbObjectIterator {
public:
    explicit ZcDbObjectIterator(std::vector<ZcDbObjectId> ids) : m_ids(std::move(ids)) {}
    void start() { m_index = 0; }
    bool done() const { return m_index >= m_ids.size(); }
    void step() { ++m_index; }
    ZcDbObjectId objectId() const { return done() ? ZcDbObjectId() : m_ids[m_index]; }

private:
    std::vector<ZcDbObjectId> m_ids;
    size_t m_index = 0;
};

// An insertion of a block: position, scale, rotation about the normal, and
// its own attributes.
class ZRX_EXPORT ZcDbBlockReference : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockReference)

    ZcDbBlockReference() = default;
    ZcDbBlockReference(const ZcGePoint3d& position, ZcDbObjectId blockTableRecord);
    ~ZcDbBlockReference() override;

    ZcDbObjectId blockTableRecord() const { return m_block; }
    Zcad::ErrorStatus setBlockTableRecord(ZcDbObjectId id);
    ZcGePoint3d position() const { return m_position; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& p);
    ZcGeScale3d scaleFactors() const { return m_scale; }
    // Zero or non-finite factors are refused.
    Zcad::ErrorStatus setScaleFactors(const ZcGeScale3d& s);
    double rotation() const { return m_rotation; }
    Zcad::ErrorStatus setRotation(double angle);
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }
    // Block coordinates (relative to the block's origin) to world.
    ZcGeMatrix3d blockTransform() const;

    // Takes an attribute (new, open) into the reference; the caller closes
    // it. The reference must be in a drawing.
    Zcad::ErrorStatus appendAttribute(ZcDbAttribute* attribute);
    Zcad::ErrorStatus appendAttribute(ZcDbObjectId& id, ZcDbAttribute* attribute);
    // A new iterator over the attributes' ids; the caller deletes it.
    ZcDbObjectIterator* attributeIterator() const;
    const std::vector<ZcDbObjectId>& attributeIds() const { return m_attributes; }

    // Includes the attributes and the block's content.
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    // Moves the attributes along.
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    // A copy without attributes.
    ZcDbObject* clone() const override;

private:
    friend struct platform::ZcDbObjectAccess;
    ZcDbObjectId m_block;
    ZcGePoint3d m_position;
    ZcGeScale3d m_scale;
    double m_rotation = 0.0;
    std::vector<ZcDbObjectId> m_attributes;
};
