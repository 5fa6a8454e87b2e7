#include "services/DatabaseServices.h"

#include "ZcDbDatabase.h"
#include "ZcDbSortentsTable.h"

bool AppendToModelSpace(ZcDbEntity* entity, ZcDbBlockTableRecord* owner)
{
    if (!entity)
        return false;
    ZcDbBlockTableRecord* record = owner;
    if (!record) {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        if (!db)
            return false;
        ZcDbBlockTable* blockTable = nullptr;
        if (db->getBlockTable(blockTable, ZcDb::kForRead) != Zcad::eOk)
            return false;
        if (blockTable->getAt(ZCDB_MODEL_SPACE, record, ZcDb::kForWrite) != Zcad::eOk) {
            blockTable->close();
            return false;
        }
        blockTable->close();
    }
    const Zcad::ErrorStatus es = record->appendZcDbEntity(entity);
    if (record != owner)
        record->close();
    return es == Zcad::eOk;
}

void MoveToTop(ZcDbBlockTableRecord* owner, ZcDbObjectId entityId)
{
    if (!owner)
        return;
    ZcDbSortentsTable* sortents = nullptr;
    if (owner->getSortentsTable(sortents, ZcDb::kForWrite, true) != Zcad::eOk)
        return;
    ZcDbObjectIdArray ids;
    ids.append(entityId);
    sortents->moveToTop(ids);
    sortents->close();
}
