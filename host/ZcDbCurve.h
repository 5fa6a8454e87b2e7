#pragma once

#include "ZcDbEntity.h"
#include "ZrxExport.h"

using ZcDbVoidPtrArray = ZcArray<void*>;

// A curve with a parameter running from start to end.
class ZRX_EXPORT ZcDbCurve : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbCurve)

    virtual bool isClosed() const { return false; }
    virtual Zcad::ErrorStatus getStartParam(double& param) const = 0;
    virtual Zcad::ErrorStatus getEndParam(double& param) const = 0;
    virtual Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const = 0;
    virtual Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const = 0;
    virtual Zcad::ErrorStatus getDistAtParam(double param, double& dist) const = 0;
    Zcad::ErrorStatus getStartPoint(ZcGePoint3d& point) const;
    Zcad::ErrorStatus getEndPoint(ZcGePoint3d& point) const;
    // The curve's length from its start to a point on it (eInvalidInput when off it).
    Zcad::ErrorStatus getDistAtPoint(const ZcGePoint3d& point, double& dist) const;
    // The curve's point nearest to a given one (within the curve; extend is
    // honoured for lines).
    virtual Zcad::ErrorStatus getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest,
                                                bool extend = false) const = 0;
    // New curves (not in any drawing) at a signed distance: positive to the
    // right of the direction of travel for open curves, outwards for
    // counter-clockwise closed ones. The caller owns and closes them.
    virtual Zcad::ErrorStatus getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const = 0;
};
