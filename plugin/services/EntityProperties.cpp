#include "services/DatabaseServices.h"

#include "ZcDbDatabase.h"
#include "ZcDbLayerTable.h"
#include "ZcDbObjectPointer.h"
#include "zcut.h"

void CopyEntityProperties(const ZcDbEntity* source, ZcDbEntity* target)
{
    if (!source || !target)
        return;
    target->setLayer(source->layer().c_str(), true, false);
    target->setColor(source->color(), true);
    target->setLinetype(source->linetype().c_str(), true);
    target->setLinetypeScale(source->linetypeScale(), true);
    target->setLineWeight(source->lineWeight(), true);
}

bool IsOnLockedLayer(const ZcDbEntity* entity)
{
    if (!entity)
        return false;
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(entity->layerId(), ZcDb::kForRead);
    return layer && layer->isLocked();
}

bool RefuseLockedDestination(const std::string& layer, const char* notDrawn)
{
    ZcDbLayerTable* table = nullptr;
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (!db || db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return false;
    ZcDbLayerTableRecord* record = nullptr;
    const bool locked = table->getAt(layer.c_str(), record, ZcDb::kForRead) == Zcad::eOk && record->isLocked();
    if (record)
        record->close();
    table->close();
    if (locked)
        zcutPrintf("\nWarstwa docelowa „%s” jest zablokowana; %s", layer.c_str(), notDrawn);
    return locked;
}
