#include "ZcDbCurve.h"

ZCRX_DEFINE_MEMBERS(ZcDbCurve, ZcDbEntity)

Zcad::ErrorStatus ZcDbCurve::getStartPoint(ZcGePoint3d& point) const
{
    double param = 0.0;
    if (Zcad::ErrorStatus es = getStartParam(param); es != Zcad::eOk)
        return es;
    return getPointAtParam(param, point);
}

Zcad::ErrorStatus ZcDbCurve::getEndPoint(ZcGePoint3d& point) const
{
    double param = 0.0;
    if (Zcad::ErrorStatus es = getEndParam(param); es != Zcad::eOk)
        return es;
    return getPointAtParam(param, point);
}

Zcad::ErrorStatus ZcDbCurve::getDistAtPoint(const ZcGePoint3d& point, double& dist) const
{
    double param = 0.0;
    if (Zcad::ErrorStatus es = getParamAtPoint(point, param); es != Zcad::eOk)
        return es;
    return getDistAtParam(param, dist);
}
