#include "support/TestDrawing.h"

#include "platform/db/ObjectAccess.h"

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
