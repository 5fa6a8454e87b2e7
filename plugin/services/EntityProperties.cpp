#include "services/DatabaseServices.h"

#include "ZcDbLayerTable.h"
#include "ZcDbObjectPointer.h"

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
