#include "ZcDbDatabase.h"
#include "services/DatabaseServices.h"

ZcDbDictionary* GetOrCreateNamedDictionary(const char* name)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (!db || !name)
        return nullptr;
    ZcDbDictionary* namedObjects = nullptr;
    if (db->getNamedObjectsDictionary(namedObjects, ZcDb::kForRead) != Zcad::eOk)
        return nullptr;

    ZcDbObject* entry = nullptr;
    const Zcad::ErrorStatus es = namedObjects->getAt(name, entry, ZcDb::kForRead);
    if (es == Zcad::eKeyNotFound) {
        ZcDbDictionary* created = new ZcDbDictionary;
        ZcDbObjectId id;
        if (namedObjects->upgradeOpen() != Zcad::eOk || namedObjects->setAt(name, created, id) != Zcad::eOk) {
            created->close();  // never added: close deletes it
            created = nullptr;
        }
        namedObjects->close();
        return created;
    }
    namedObjects->close();
    if (es != Zcad::eOk)
        return nullptr;
    ZcDbDictionary* found = ZcDbDictionary::cast(entry);
    if (!found)
        entry->close();
    return found;
}

ZcDbObject* GetDictionaryEntry(ZcDbDictionary* dictionary, const char* key)
{
    if (!dictionary || !key)
        return nullptr;
    ZcDbObject* entry = nullptr;
    if (dictionary->getAt(key, entry, ZcDb::kForWrite) != Zcad::eOk)
        return nullptr;
    return entry;
}

resbuf* GetExtendedData(const ZcDbObject* object, const char* regappName)
{
    if (!object || !regappName)
        return nullptr;
    return object->xData(regappName);
}
