#include "ZcDbGroup.h"

#include <algorithm>

#include "ZcDbDictionary.h"
#include "ZcDbEntity.h"
#include "platform/core/Utf8.h"
#include "platform/db/ObjectAccess.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbGroup, ZcDbObject)

// A constructor cannot refuse: a description that is not UTF-8 is left empty.
ZcDbGroup::ZcDbGroup(const char* description, bool selectable)
    : m_description(description && isWellFormedUtf8(description) ? description : ""), m_selectable(selectable)
{
}

std::string ZcDbGroup::name() const
{
    std::string n;
    if (const auto* dict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(ownerId()))
        dict->nameAt(objectId(), n);
    return n;
}

bool ZcDbGroup::isAnonymous() const
{
    const std::string n = name();
    return !n.empty() && n[0] == '*';
}

Zcad::ErrorStatus ZcDbGroup::setDescription(const char* text)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (text && !isWellFormedUtf8(text))
        return Zcad::eInvalidInput;
    m_description = text ? text : "";
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbGroup::setSelectable(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_selectable = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbGroup::append(ZcDbObjectId id)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (id.isNull())
        return Zcad::eNullObjectId;
    ZcDbObject* member = ZcDbObjectAccess::peek(id);
    if (!member)
        return Zcad::eKeyNotFound;
    if (member->isErased())
        return Zcad::eWasErased;
    if (!ZcDbEntity::cast(member))
        return Zcad::eNotThatKindOfClass;
    if (!database())
        return Zcad::eNotInDatabase;
    if (id.database() != database())
        return Zcad::eWrongDatabase;
    if (has(id))
        return Zcad::eDuplicateKey;
    m_members.push_back(id);
    // A member knows its groups, as the host keeps them (written as reactors).
    member->addPersistentReactor(objectId());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbGroup::remove(ZcDbObjectId id)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    auto it = std::find(m_members.begin(), m_members.end(), id);
    if (it == m_members.end())
        return Zcad::eKeyNotFound;
    m_members.erase(it);
    if (ZcDbObject* member = ZcDbObjectAccess::peek(id))
        member->removePersistentReactor(objectId());
    return Zcad::eOk;
}

bool ZcDbGroup::has(ZcDbObjectId id) const { return std::find(m_members.begin(), m_members.end(), id) != m_members.end(); }

int ZcDbGroup::allEntityIds(ZcDbObjectIdArray& ids) const
{
    for (const ZcDbObjectId& id : m_members)
        if (!id.isErased())
            ids.append(id);
    return ids.length();
}

ZcDbObject* ZcDbGroup::clone() const
{
    auto* copy = new ZcDbGroup(m_description.c_str(), m_selectable);
    copyObjectDataTo(copy);
    return copy;
}
