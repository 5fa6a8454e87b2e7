#pragma once

#include <vector>

#include "ZcDbCurve.h"
#include "ZcDbPolylineVertices.h"
#include "ZrxExport.h"

// The lightweight polyline: 2D vertices in the plane at its elevation, each
// with the bulge and the start and end widths of the segment that starts there.
class ZRX_EXPORT ZcDbPolyline : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPolyline)

    using Vertex = ZcDbPolylineVertex;

    explicit ZcDbPolyline(unsigned int numVerts = 0);

    // Inserts before index (index == numVerts() appends). Widths below 0 mean
    // the polyline's constant width.
    Zcad::ErrorStatus addVertexAt(unsigned int index, const ZcGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Zcad::ErrorStatus removeVertexAt(unsigned int index);
    unsigned int numVerts() const { return static_cast<unsigned int>(m_vertices.size()); }

    Zcad::ErrorStatus getPointAt(unsigned int index, ZcGePoint2d& pt) const;
    Zcad::ErrorStatus getPointAt(unsigned int index, ZcGePoint3d& pt) const;
    Zcad::ErrorStatus setPointAt(unsigned int index, const ZcGePoint2d& pt);
    Zcad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Zcad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    // The widths in effect (a default width reads as the constant width).
    Zcad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Zcad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    const ZcDbPolylineVertices& vertices() const { return m_vertices; }

    Zcad::ErrorStatus setClosed(bool closed);
    bool isClosed() const override { return m_closed; }
    Zcad::ErrorStatus setPlinegen(bool on);
    bool hasPlinegen() const { return m_plinegen; }
    // Sets every segment to one width.
    Zcad::ErrorStatus setConstantWidth(double width);
    // eOk with the width when all segments have one width, eInvalidInput otherwise.
    Zcad::ErrorStatus getConstantWidth(double& width) const;
    double elevation() const { return m_vertices.elevation(); }
    Zcad::ErrorStatus setElevation(double z);
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }
    bool isOnlyLines() const;

    Zcad::ErrorStatus getStartParam(double& param) const override;
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest,
                                        bool extend = false) const override;
    Zcad::ErrorStatus getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const override;
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

private:
    // The flags first: they fit in the entity's tail padding.
    bool m_closed = false;
    bool m_plinegen = false;
    ZcDbPolylineVertices m_vertices;
};
