#include "services/EntityBuilders.h"

#include <memory>

#include "ZcDbLeader.h"
#include "ZcDbPolyline.h"
#include "geometry/Points.h"
#include "resource.h"
#include "services/DatabaseServices.h"
#include "services/Input.h"
#include "zced.h"

ZcDbHatch* MakeSolidHatch(const ZcDbObjectIdArray& outerIds, const ZcDbObjectIdArray& innerIds)
{
    auto hatch = std::make_unique<ZcDbHatch>();
    hatch->setDatabaseDefaults();
    if (outerIds.isEmpty() || hatch->appendLoop(ZcDbHatch::kExternal, outerIds) != Zcad::eOk)
        return nullptr;
    if (!innerIds.isEmpty() && hatch->appendLoop(ZcDbHatch::kDerived, innerIds) != Zcad::eOk)
        return nullptr;
    if (hatch->setPattern(ZcDbHatch::kPreDefined, "SOLID") != Zcad::eOk || hatch->setAssociative(true) != Zcad::eOk ||
        hatch->evaluateHatch() != Zcad::eOk)
        return nullptr;
    return hatch.release();
}

ZcDbMText* MakeMText(const char* contents, ZcGePoint3d location, double height)
{
    ZcDbMText* text = new ZcDbMText;
    text->setLocation(location);
    text->setContents(contents);
    text->setAttachment(ZcDbMText::kMiddleCenter);
    text->setTextHeight(height);
    text->setLayer("0");
    return text;
}

bool TrimLineToEntity(ZcDbLine* line, const ZcDbEntity* other)
{
    if (!line || !other)
        return false;
    // Asked of the line, the points come in order along it.
    ZcGePoint3dArray points;
    if (line->intersectWith(other, ZcDb::kOnBothOperands, points) != Zcad::eOk || points.length() < 2)
        return false;
    return line->setStartPoint(points[0]) == Zcad::eOk && line->setEndPoint(points[1]) == Zcad::eOk;
}

namespace {

// Opens an entity of the drawing for write, hands it to add, closes it.
template <class Entity, class Add>
void extend(ZcDbObjectId id, Add add)
{
    Entity* entity = nullptr;
    if (zcdbOpenObject(entity, id, ZcDb::kForWrite) != Zcad::eOk)
        return;
    add(*entity);
    entity->close();
}

}  // namespace

ZcDbObjectId DrawLeader(ZcGePoint3d start)
{
    ZcDbLeader* leader = new ZcDbLeader;
    leader->appendVertex(start);
    ZcGePoint3d next;
    if (GetNextPointById(next, start, IDS_PROMPT_NEXT_POINT) != RTNORM || !AppendToModelSpace(leader)) {
        leader->close();  // not in the drawing: closing discards it
        return {};
    }
    const ZcDbObjectId id = leader->objectId();
    leader->close();
    do {
        extend<ZcDbLeader>(id, [&](ZcDbLeader& l) { l.appendVertex(next); });
    } while (GetNextPointById(next, next, IDS_PROMPT_NEXT_POINT) == RTNORM);
    return id;
}

ZcDbObjectId DrawDescriptionLine()
{
    ZcGePoint3d first;
    if (GetPointById(first, std::nullopt, IDS_PROMPT_DESCRIPTION_LINE) != RTNORM)
        return {};
    ZcDbPolyline* polyline = new ZcDbPolyline;
    polyline->addVertexAt(0, MakePoint2d(first), 0.0, -1.0, -1.0);
    ZcGePoint3d next;
    if (GetNextPointById(next, first, IDS_PROMPT_NEXT_POINT) != RTNORM || !AppendToModelSpace(polyline)) {
        polyline->close();
        return {};
    }
    const ZcDbObjectId id = polyline->objectId();
    polyline->close();
    do {
        extend<ZcDbPolyline>(id, [&](ZcDbPolyline& p) { p.addVertexAt(p.numVerts(), MakePoint2d(next), 0.0, -1.0, -1.0); });
    } while (GetNextPointById(next, next, IDS_PROMPT_NEXT_POINT) == RTNORM);
    return id;
}
