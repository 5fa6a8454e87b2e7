#include "ZcDbDictionary.h"

#include <string>

#include "platform/core/Utf8.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbDictionary, ZcDbObject)

Zcad::ErrorStatus ZcDbDictionaryIterator::getObject(ZcDbObject*& obj, ZcDb::OpenMode mode) const
{
    obj = nullptr;
    if (done())
        return Zcad::eInvalidIndex;
    return zcdbOpenZcDbObject(obj, m_entries[m_index].second, mode);
}

Zcad::ErrorStatus ZcDbDictionary::getAt(const char* key, ZcDbObjectId& id) const
{
    id.setNull();
    if (!key)
        return Zcad::eInvalidInput;
    for (const auto& [name, entry] : m_entries)
        if (!entry.isErased() && sameSymbolName(name, key)) {
            id = entry;
            return Zcad::eOk;
        }
    return Zcad::eKeyNotFound;
}

Zcad::ErrorStatus ZcDbDictionary::getAt(const char* key, ZcDbObject*& obj, ZcDb::OpenMode mode) const
{
    obj = nullptr;
    ZcDbObjectId id;
    if (Zcad::ErrorStatus es = getAt(key, id); es != Zcad::eOk)
        return es;
    return zcdbOpenZcDbObject(obj, id, mode);
}

bool ZcDbDictionary::has(const char* key) const
{
    ZcDbObjectId id;
    return getAt(key, id) == Zcad::eOk;
}

bool ZcDbDictionary::has(ZcDbObjectId id) const
{
    for (const auto& e : m_entries)
        if (e.second == id)
            return !id.isErased();
    return false;
}

Zcad::ErrorStatus ZcDbDictionary::setAt(const char* key, ZcDbObject* newValue, ZcDbObjectId& id)
{
    id.setNull();
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!key || !newValue)
        return Zcad::eInvalidInput;
    return ZcDbObjectAccess::addEntry(this, key, newValue, id);
}

namespace platform {

Zcad::ErrorStatus ZcDbObjectAccess::addEntry(ZcDbDictionary* dict, const std::string& key, ZcDbObject* obj,
                                             ZcDbObjectId& id)
{
    if (!dict->database())
        return Zcad::eNotInDatabase;
    if (key.empty() || key.size() > 255 || !isWellFormedUtf8(key))
        return Zcad::eInvalidInput;
    std::string name = key;
    if (name == "*") {
        // An anonymous entry gets the next free "*A<n>".
        do
            name = "*A" + std::to_string(++dict->m_lastAnonymous);
        while (dict->has(name.c_str()));
    } else if (dict->has(name.c_str())) {
        return Zcad::eDuplicateKey;
    }
    if (obj->isNewObject()) {
        if (Zcad::ErrorStatus es = addToDatabase(dict->database(), obj, dict->objectId(), id); es != Zcad::eOk)
            return es;
    } else {
        if (obj->database() != dict->database())
            return Zcad::eWrongDatabase;
        if (obj->objectId() == dict->objectId())
            return Zcad::eSelfReference;
        id = obj->objectId();
        setOwner(obj, dict->objectId());
    }
    dict->m_entries.emplace_back(name, id);
    return Zcad::eOk;
}

}  // namespace platform

Zcad::ErrorStatus ZcDbDictionary::remove(const char* key)
{
    ZcDbObjectId id;
    return remove(key, id);
}

Zcad::ErrorStatus ZcDbDictionary::remove(const char* key, ZcDbObjectId& returnId)
{
    returnId.setNull();
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!key)
        return Zcad::eInvalidInput;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        if (sameSymbolName(it->first, key)) {
            returnId = it->second;
            if (ZcDbObject* obj = ZcDbObjectAccess::peek(returnId))
                ZcDbObjectAccess::setOwner(obj, {});
            m_entries.erase(it);
            return Zcad::eOk;
        }
    return Zcad::eKeyNotFound;
}

Zcad::ErrorStatus ZcDbDictionary::nameAt(ZcDbObjectId id, std::string& name) const
{
    for (const auto& e : m_entries)
        if (e.second == id) {
            name = e.first;
            return Zcad::eOk;
        }
    return Zcad::eKeyNotFound;
}

ZcDbDictionaryIterator* ZcDbDictionary::newIterator() const
{
    std::vector<std::pair<std::string, ZcDbObjectId>> live;
    for (const auto& e : m_entries)
        if (!e.second.isErased())
            live.push_back(e);
    return new ZcDbDictionaryIterator(std::move(live));
}
