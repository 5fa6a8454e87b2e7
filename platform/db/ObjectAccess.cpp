#include "platform/db/ObjectAccess.h"

#include <algorithm>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbSymbolTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ZcDbStub.h"

using namespace platform;

namespace platform {

ZcDbObject* ZcDbObjectAccess::peek(ZcDbObjectId id) { return id.stub() ? id.stub()->object : nullptr; }

Zcad::ErrorStatus ZcDbObjectAccess::addToDatabase(ZcDbDatabase* db, ZcDbObject* obj, ZcDbObjectId owner,
                                                  ZcDbObjectId& id)
{
    if (!db)
        return Zcad::eNotInDatabase;
    if (!obj)
        return Zcad::eNullObjectPointer;
    if (obj->m_stub)
        return Zcad::eAlreadyInDb;
    ZcDbDatabaseImpl* impl = db->impl();
    return attach(db, impl->newStub(impl->takeHandle()), obj, owner, id);
}

Zcad::ErrorStatus ZcDbObjectAccess::addToDatabaseWithHandle(ZcDbDatabase* db, ZcDbObject* obj, ZcDbObjectId owner,
                                                            ZcDbHandle handle, ZcDbObjectId& id)
{
    if (!db)
        return Zcad::eNotInDatabase;
    if (!obj)
        return Zcad::eNullObjectPointer;
    if (obj->m_stub)
        return Zcad::eAlreadyInDb;
    if (handle.isNull())
        return Zcad::eInvalidInput;
    ZcDbDatabaseImpl* impl = db->impl();
    ZcDbStub* stub = impl->findStub(handle.value());
    if (stub && stub->object)
        return Zcad::eDuplicateKey;
    if (!stub)
        stub = impl->newStub(handle.value());
    if (handle.value() >= impl->nextHandle)
        impl->nextHandle = handle.value() + 1;
    return attach(db, stub, obj, owner, id);
}

Zcad::ErrorStatus ZcDbObjectAccess::attach(ZcDbDatabase* db, ZcDbStub* stub, ZcDbObject* obj, ZcDbObjectId owner,
                                           ZcDbObjectId& id)
{
    ZcDbDatabaseImpl* impl = db->impl();
    stub->object = obj;
    obj->m_stub = stub;
    obj->m_owner = owner;
    if (isOpen(obj))
        ++impl->openCount;
    if (obj->m_writer)
        ++impl->openForWrite;
    impl->changed(stub);
    id = ZcDbObjectId(stub);
    obj->addedToDatabase();
    return Zcad::eOk;
}

void ZcDbObjectAccess::markOpened(ZcDbObject* obj, ZcDb::OpenMode mode)
{
    if (mode != ZcDb::kForWrite) {
        ++obj->m_readers;
        return;
    }
    if (obj->m_writer)
        return;
    obj->m_writer = true;
    if (ZcDbDatabase* db = obj->database())
        ++db->impl()->openForWrite;
}

void ZcDbObjectAccess::noteEdited(const ZcDbObject* obj)
{
    if (ZcDbDatabase* db = obj->database())
        db->impl()->changed(obj->m_stub);
}

void ZcDbObjectAccess::setName(ZcDbSymbolTableRecord* record, const std::string& name) { record->m_name = name; }

void ZcDbObjectAccess::setOwner(ZcDbObject* obj, ZcDbObjectId owner) { obj->m_owner = owner; }

uint64_t ZcDbObjectAccess::reserveHandle(ZcDbDatabase* db) { return db->impl()->takeHandle(); }

ZcDbObjectId ZcDbObjectAccess::registerApplication(ZcDbDatabase* db, const std::string& name)
{
    auto* table = peekAs<ZcDbRegAppTable>(db->regAppTableId());
    if (!table)
        return {};
    ZcDbObjectId id;
    if (table->getAt(name.c_str(), id) == Zcad::eOk)
        return id;
    auto* record = new ZcDbRegAppTableRecord;
    if (record->setName(name.c_str()) != Zcad::eOk) {
        delete record;
        return {};
    }
    // The table may be open elsewhere; registering is the drawing's own bookkeeping.
    if (addToDatabase(db, record, table->objectId(), id) != Zcad::eOk) {
        delete record;
        return {};
    }
    table->m_records.push_back(id);
    record->close();
    return id;
}

std::vector<ZcDbObjectId> openObjects(const ZcDbDatabase* db)
{
    std::vector<ZcDbObjectId> ids;
    ZcDbDatabaseImpl* impl = db->impl();
    if (impl->openCount == 0)
        return ids;
    for (ZcDbStub& stub : impl->stubs)
        if (stub.object && ZcDbObjectAccess::isOpen(stub.object))
            ids.emplace_back(&stub);
    return ids;
}

std::vector<ZcDbObjectId> allObjects(const ZcDbDatabase* db)
{
    std::vector<ZcDbObjectId> ids;
    ZcDbDatabaseImpl* impl = db->impl();
    ids.reserve(impl->stubs.size());
    for (ZcDbStub& stub : impl->stubs)
        if (stub.object)
            ids.emplace_back(&stub);
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace platform

Zcad::ErrorStatus ZcDbObject::createExtensionDictionary()
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!m_stub)
        return Zcad::eNotInDatabase;
    if (!extensionDictionary().isNull())
        return Zcad::eAlreadyInDb;
    auto* dict = new ZcDbDictionary;
    ZcDbObjectId id;
    if (Zcad::ErrorStatus es = ZcDbObjectAccess::addToDatabase(database(), dict, objectId(), id); es != Zcad::eOk) {
        delete dict;
        return es;
    }
    dict->close();
    extras().xdict = id;
    return Zcad::eOk;
}

// ---- for readers of files ----------------------------------------------------

namespace platform {

ZcDbObjectId ZcDbObjectAccess::newId(ZcDbDatabase* db, ZcDbHandle handle)
{
    ZcDbDatabaseImpl* impl = db->impl();
    if (handle.value() >= impl->nextHandle)
        impl->nextHandle = handle.value() + 1;
    return ZcDbObjectId(impl->newStub(handle.value()));
}

Zcad::ErrorStatus ZcDbObjectAccess::attachToId(ZcDbObject* obj, ZcDbObjectId id, ZcDbObjectId owner)
{
    if (!obj)
        return Zcad::eNullObjectPointer;
    if (obj->m_stub)
        return Zcad::eAlreadyInDb;
    ZcDbStub* stub = id.stub();
    if (!stub || !stub->database)
        return Zcad::eNullObjectId;
    if (stub->object)
        return Zcad::eDuplicateKey;
    ZcDbObjectId attached;
    return attach(stub->database, stub, obj, owner, attached);
}

void ZcDbObjectAccess::appendEntity(ZcDbBlockTableRecord* block, ZcDbObjectId entity)
{
    block->m_entities.push_back(entity);
    noteEdited(block);
}
void ZcDbObjectAccess::appendRecord(ZcDbSymbolTable* table, ZcDbObjectId record) { table->m_records.push_back(record); }
void ZcDbObjectAccess::appendEntry(ZcDbDictionary* dict, const std::string& key, ZcDbObjectId id)
{
    dict->m_entries.emplace_back(key, id);
}
void ZcDbObjectAccess::appendAttribute(ZcDbBlockReference* reference, ZcDbObjectId attribute)
{
    reference->m_attributes.push_back(attribute);
    noteEdited(reference);
}

std::vector<ZcDbObjectId>& ZcDbObjectAccess::entityList(ZcDbBlockTableRecord* block)
{
    noteEdited(block);
    return block->m_entities;
}
std::vector<ZcDbObjectId>& ZcDbObjectAccess::recordList(ZcDbSymbolTable* table) { return table->m_records; }
std::vector<std::pair<std::string, ZcDbObjectId>>& ZcDbObjectAccess::entryList(ZcDbDictionary* dict)
{
    return dict->m_entries;
}
std::vector<ZcDbObjectId>& ZcDbObjectAccess::attributeList(ZcDbBlockReference* reference)
{
    noteEdited(reference);
    return reference->m_attributes;
}
std::vector<ZcDbObjectId>& ZcDbObjectAccess::reactorList(ZcDbObject* obj) { return obj->extras().reactors; }
std::vector<ZcDbHatch::Loop>& ZcDbObjectAccess::hatchLoops(ZcDbHatch* hatch)
{
    noteEdited(hatch);
    return hatch->m_loops;
}
std::vector<ZcDbHatch::PatternLine>& ZcDbObjectAccess::hatchPatternLines(ZcDbHatch* hatch)
{
    noteEdited(hatch);
    return hatch->m_patternLines;
}
std::vector<std::pair<ZcDbObjectId, ZcDbHandle>>& ZcDbObjectAccess::sortentsEntries(ZcDbSortentsTable* table)
{
    return table->m_entries;
}

void ZcDbObjectAccess::setXData(ZcDbObject* obj, std::vector<std::pair<std::string, std::vector<ZcDbXDataItem>>> xdata)
{
    if (xdata.empty() && !obj->m_extras)
        return;
    obj->extras().xdata = std::move(xdata);
}

}  // namespace platform
