#include "signs/BoardBand.h"

#include <cmath>

#include "ZcDbLine.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "geometry/Angles.h"
#include "geometry/Points.h"
#include "services/DatabaseServices.h"
#include "services/EntityBuilders.h"

namespace {

// Half the band's width, either side of the diagonal.
constexpr double kBandHalfWidth = 25.0;
constexpr int kRed = 1;

// The line parallel to a..b at the distance along the unit normal, cut to
// the outline; false when it does not cross it twice.
bool cutParallel(ZcGePoint3d a, ZcGePoint3d b, ZcGeVector3d offset, const ZcDbEntity* outline, ZcGePoint3d& start,
                 ZcGePoint3d& end)
{
    ZcDbLine* made = new ZcDbLine(a + offset, b + offset);
    ZcDbObjectPointer<ZcDbLine> line;  // never in the drawing: closing deletes it
    line.acquire(made);
    if (!TrimLineToEntity(line.object(), outline))
        return false;
    start = line->startPoint();
    end = line->endPoint();
    return true;
}

// The cut line's ends, the one nearer to the corner first (the end point
// on a tie).
void nearerFirst(ZcGePoint3d corner, ZcGePoint3d& start, ZcGePoint3d& end)
{
    if (start.distanceTo(corner) < end.distanceTo(corner))
        return;
    std::swap(start, end);
}

}  // namespace

bool DrawDiagonalBand(const ZcGePoint3d& corner1, const ZcGePoint3d& corner2, ZcDbObjectId innerOutline,
                      ZcDbBlockTableRecord* block)
{
    ZcDbObjectPointer<ZcDbPolyline> field(innerOutline, ZcDb::kForRead);
    if (!field || field->numVerts() != 8)
        return false;
    const ZcGeVector3d normal = PerpUnitVector(corner1, corner2) * kBandHalfWidth;  // towards the upper left
    ZcGePoint3d upperStart, upperEnd, lowerStart, lowerEnd;
    if (!cutParallel(corner1, corner2, normal, field.object(), upperStart, upperEnd) ||
        !cutParallel(corner1, corner2, -normal, field.object(), lowerStart, lowerEnd))
        return false;
    nearerFirst(corner1, upperStart, upperEnd);
    nearerFirst(corner2, lowerStart, lowerEnd);

    ZcGePoint2d fieldCorner[8];
    for (unsigned i = 0; i < 8; ++i)
        field->getPointAt(i, fieldCorner[i]);
    field.close();

    const double b = -std::tan(DegToRad(90.0) / 4.0);
    auto* band = new ZcDbPolyline;
    const struct {
        ZcGePoint2d point;
        double bulge;
    } vertices[] = {
        {fieldCorner[0], b},
        {fieldCorner[1], 0.0},  // the field's lower-left corner
        {MakePoint2d(upperStart), 0.0},
        {MakePoint2d(upperEnd), 0.0},
        {fieldCorner[4], b},
        {fieldCorner[5], 0.0},  // its upper-right corner
        {MakePoint2d(lowerStart), 0.0},
        {MakePoint2d(lowerEnd), 0.0},
    };
    for (const auto& v : vertices)
        band->addVertexAt(band->numVerts(), v.point, v.bulge, -1.0, -1.0);
    band->setClosed(true);
    band->setLayer("0");
    band->setColorIndex(kRed);
    ZcDbObjectPointer<ZcDbPolyline> outline;
    outline.acquire(band);
    if (!AppendToModelSpace(outline.object(), block))
        return false;
    ZcDbObjectIdArray loop;
    loop.append(outline->objectId());
    outline.close();

    ZcDbHatch* hatch = MakeSolidHatch(loop, {});
    if (!hatch)
        return false;
    ZcDbObjectPointer<ZcDbHatch> fill;
    fill.acquire(hatch);
    fill->setColorIndex(kRed);
    fill->setLayer("0");
    return AppendToModelSpace(fill.object(), block);
}
