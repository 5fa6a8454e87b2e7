#pragma once

#include <vector>

#include "ZcDbEntity.h"
#include "ZrxExport.h"

// A leader line through its vertices, with an arrowhead at the first.
class ZRX_EXPORT ZcDbLeader : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLeader)

    // False (nothing added) for a non-finite point.
    bool appendVertex(const ZcGePoint3d& p);
    void removeLastVertex();
    int numVertices() const { return static_cast<int>(m_vertices.size()); }
    ZcGePoint3d vertexAt(int index) const;
    bool setVertexAt(int index, const ZcGePoint3d& p);
    ZcGePoint3d firstVertex() const { return vertexAt(0); }
    ZcGePoint3d lastVertex() const { return vertexAt(numVertices() - 1); }
    bool hasArrowHead() const { return m_arrowHead; }
    void enableArrowHead() { m_arrowHead = true; }
    void disableArrowHead() { m_arrowHead = false; }
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }

    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

private:
    std::vector<ZcGePoint3d> m_vertices;
    bool m_arrowHead = true;
};
