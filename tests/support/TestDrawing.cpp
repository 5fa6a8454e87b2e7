#include "tests/support/TestDrawing.h"

#include "ZcDbLayerTable.h"
#include "ZcDbPolyline.h"
#include "ZcDbSpline.h"
#include "platform/db/ObjectAccess.h"
#include "platform/dxf/DxfWriter.h"

using namespace platform;

bool TestDrawing::addLayer(const char* name)
{
    ZcDbLayerTable* table = nullptr;
    if (m_db->getLayerTable(table, ZcDb::kForWrite) != Zcad::eOk)
        return false;
    auto* record = new ZcDbLayerTableRecord;
    record->setName(name);
    const bool added = table->add(record) == Zcad::eOk;
    if (added)
        record->close();
    else
        delete record;
    table->close();
    return added;
}

ZcDbObjectId TestDrawing::append(ZcDbEntity* entity)
{
    ZcDbBlockTableRecord* ms = nullptr;
    ZcDbObjectId id;
    if (zcdbOpenObject(ms, m_db->modelSpaceId(), ZcDb::kForWrite) != Zcad::eOk)
        return id;
    if (ms->appendZcDbEntity(id, entity) == Zcad::eOk)
        entity->close();
    ms->close();
    return id;
}

size_t TestDrawing::openCount() const { return openObjects(m_db.get()).size(); }

std::vector<const ZcDbPolyline*> TestDrawing::polylines() const
{
    std::vector<const ZcDbPolyline*> found;
    const auto* ms = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_db->modelSpaceId());
    for (ZcDbObjectId id : ms->entityIds())
        if (const auto* p = ZcDbObjectAccess::peekAs<ZcDbPolyline>(id))
            found.push_back(p);
    return found;
}

size_t TestDrawing::entityCount() const
{
    return ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(m_db->modelSpaceId())->entityIds().size();
}

bool writeTemplateDrawing(const std::string& path, ZcDbEntity* entity, std::string& error)
{
    ZcDbDatabase source;
    ZcDbBlockTableRecord* ms = nullptr;
    if (zcdbOpenObject(ms, source.modelSpaceId(), ZcDb::kForWrite) != Zcad::eOk) {
        delete entity;
        error = "model space cannot be opened";
        return false;
    }
    if (ms->appendZcDbEntity(entity) == Zcad::eOk)
        entity->close();
    else
        delete entity;
    ms->close();
    return writeDxfFile(source, path, error);
}

ZcDbSpline* cubicArch(double x0)
{
    ZcGePoint3dArray points;
    for (const ZcGePoint3d& p :
         {ZcGePoint3d(x0, 0, 0), ZcGePoint3d(x0, 10, 0), ZcGePoint3d(x0 + 10, 10, 0), ZcGePoint3d(x0 + 10, 0, 0)})
        points.append(p);
    ZcGeDoubleArray knots;
    for (const double k : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0})
        knots.append(k);
    auto* spline = new ZcDbSpline;
    spline->setNurbsData(3, false, false, false, points, knots, {});
    return spline;
}

std::vector<const ZcDbEntity*> modelSpace(const ZcDbDatabase& db)
{
    std::vector<const ZcDbEntity*> out;
    for (const ZcDbObjectId& id : ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId())->entityIds())
        out.push_back(ZcDbObjectAccess::peekAs<ZcDbEntity>(id));
    return out;
}

resbuf* textItem(int code, const std::string& text)
{
    resbuf* rb = zcutNewRb(code);
    rb->resval.rstring = zcutNewString(text.c_str());
    return rb;
}
