#include "platform/db/ZcDbRawObject.h"

namespace platform {

ZCRX_DEFINE_MEMBERS(ZcDbRawObject, ZcDbObject)
ZCRX_DEFINE_MEMBERS(ZcDbRawRecord, ZcDbObject)
ZCRX_DEFINE_MEMBERS(ZcDbRawEntity, ZcDbEntity)

ZcDbObject* ZcDbRawObject::clone() const
{
    auto* copy = new ZcDbRawObject(m_kind, m_tags);
    copyObjectDataTo(copy);
    return copy;
}

std::string ZcDbRawRecord::name() const
{
    for (const ZcDbRawTag& tag : m_tags)
        if (tag.code == 2)
            return tag.value;
    return {};
}

ZcDbObject* ZcDbRawEntity::clone() const
{
    auto* copy = new ZcDbRawEntity(m_kind, m_tags);
    copyEntityDataTo(copy);
    return copy;
}

}  // namespace platform
