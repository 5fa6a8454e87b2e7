#include "ZcDbEntity.h"

#include <cmath>

#include "ZcDbDatabase.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/entities/Finite.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbEntity, ZcDbObject)

namespace {
// A record of the drawing's table by name; null when missing or erased.
template <class RECORD>
ZcDbObjectId findRecord(ZcDbObjectId tableId, const char* name)
{
    auto* table = ZcDbObjectAccess::peekAs<ZcDbSymbolTable>(tableId);
    ZcDbObjectId id;
    if (!table || !name || table->getAt(name, id) != Zcad::eOk || !ZcDbObjectAccess::peekAs<RECORD>(id))
        return {};
    return id;
}
}  // namespace

Zcad::ErrorStatus ZcDbEntity::setLayer(const char* name, bool, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    ZcDbDatabase* db = databaseOrWorking();
    if (!db)
        return Zcad::eNotInDatabase;
    const ZcDbObjectId id = findRecord<ZcDbLayerTableRecord>(db->layerTableId(), name);
    if (id.isNull())
        return Zcad::eKeyNotFound;
    m_layer = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLayer(ZcDbObjectId layerId, bool, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (layerId.isNull())
        return Zcad::eNullObjectId;
    const auto* layer = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(layerId);
    if (!layer)
        return Zcad::eWrongObjectType;
    if (layer->isErased())
        return Zcad::eWasErased;
    if (database() && layerId.database() != database())
        return Zcad::eWrongDatabase;
    m_layer = layerId;
    return Zcad::eOk;
}

std::string ZcDbEntity::layer() const
{
    const auto* layer = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(m_layer);
    return layer ? layer->name() : std::string("0");
}

Zcad::ErrorStatus ZcDbEntity::setColor(const ZcCmColor& color, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_color = color;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setColorIndex(int index, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    ZcCmColor c;
    if (!c.setColorIndex(index))
        return Zcad::eInvalidInput;
    m_color = c;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLinetype(const char* name, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    ZcDbDatabase* db = databaseOrWorking();
    if (!db)
        return Zcad::eNotInDatabase;
    const ZcDbObjectId id = findRecord<ZcDbLinetypeTableRecord>(db->linetypeTableId(), name);
    if (id.isNull())
        return Zcad::eKeyNotFound;
    m_linetype = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLinetype(ZcDbObjectId linetypeId, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (linetypeId.isNull())
        return Zcad::eNullObjectId;
    const auto* lt = ZcDbObjectAccess::peekAs<ZcDbLinetypeTableRecord>(linetypeId);
    if (!lt)
        return Zcad::eWrongObjectType;
    if (lt->isErased())
        return Zcad::eWasErased;
    if (database() && linetypeId.database() != database())
        return Zcad::eWrongDatabase;
    m_linetype = linetypeId;
    return Zcad::eOk;
}

std::string ZcDbEntity::linetype() const
{
    const auto* lt = ZcDbObjectAccess::peekAs<ZcDbLinetypeTableRecord>(m_linetype);
    return lt ? lt->name() : std::string("ByLayer");
}

Zcad::ErrorStatus ZcDbEntity::setLinetypeScale(double scale, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isDrawingNumber(scale) || scale <= 0.0)
        return Zcad::eInvalidInput;
    m_linetypeScale = scale;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLineWeight(ZcDb::LineWeight weight, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    const int w = int(weight);
    if (w < -3 || w > 211)
        return Zcad::eInvalidInput;
    m_lineWeight = int16_t(w);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setVisibility(ZcDb::Visibility v, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (v != ZcDb::kVisible && v != ZcDb::kInvisible)
        return Zcad::eInvalidInput;
    m_visibility = uint8_t(v);
    return Zcad::eOk;
}

void ZcDbEntity::setDatabaseDefaults(ZcDbDatabase* db)
{
    if (!db)
        db = databaseOrWorking();
    if (!db || !isWriteEnabled())
        return;
    m_layer = db->clayer();
    m_linetype = db->celtype();
    m_color = ZcCmColor();
    m_linetypeScale = 1.0;
    m_lineWeight = ZcDb::kLnWtByLayer;
}

namespace platform {

void ZcDbObjectAccess::fillUnsetDefaults(ZcDbEntity* entity, ZcDbDatabase* db)
{
    if (entity->m_layer.isNull())
        entity->m_layer = db->clayer();
    if (entity->m_linetype.isNull())
        entity->m_linetype = db->celtype();
}

}  // namespace platform

Zcad::ErrorStatus ZcDbEntity::setPropertiesFrom(const ZcDbEntity* other, bool)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!other)
        return Zcad::eNullEntityPointer;
    m_layer = other->m_layer;
    m_linetype = other->m_linetype;
    m_color = other->m_color;
    m_linetypeScale = other->m_linetypeScale;
    m_lineWeight = other->m_lineWeight;
    m_visibility = other->m_visibility;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::getGeomExtents(ZcDbExtents&) const { return Zcad::eInvalidExtents; }
Zcad::ErrorStatus ZcDbEntity::transformBy(const ZcGeMatrix3d&) { return Zcad::eNotApplicable; }

void ZcDbEntity::copyEntityDataTo(ZcDbEntity* other) const
{
    copyObjectDataTo(other);
    other->m_layer = m_layer;
    other->m_linetype = m_linetype;
    other->m_color = m_color;
    other->m_linetypeScale = m_linetypeScale;
    other->m_lineWeight = m_lineWeight;
    other->m_visibility = m_visibility;
}

ZcDbObject* ZcDbEntity::clone() const { return nullptr; }

Zcad::ErrorStatus zcdbOpenZcDbEntity(ZcDbEntity*& ent, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased)
{
    return zcdbOpenObject(ent, id, mode, openErased);
}
