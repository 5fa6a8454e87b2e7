#include "geometry/EntityQueries.h"

#include "geometry/Tolerances.h"

bool CurveJoinsPoints(const ZcDbCurve* curve, ZcGePoint3d p, ZcGePoint3d q)
{
    ZcGePoint3d start, end;
    if (!curve || curve->getStartPoint(start) != Zcad::eOk || curve->getEndPoint(end) != Zcad::eOk)
        return false;
    const auto near = [](const ZcGePoint3d& x, const ZcGePoint3d& y) { return x.distanceTo(y) < kJoinTolerance; };
    return (near(p, end) && near(q, start)) || (near(q, end) && near(p, start));
}

ZcDbObjectIdArray MergeIdArrays(ZcDbObjectIdArray a, const ZcDbObjectIdArray& b)
{
    for (const ZcDbObjectId& id : b)
        if (!a.contains(id))
            a.append(id);
    return a;
}

double ExtentsWidth(const ZcDbEntity* entity)
{
    ZcDbExtents extents;
    if (entity)
        entity->getGeomExtents(extents);
    return extents.maxPoint().x - extents.minPoint().x;
}
