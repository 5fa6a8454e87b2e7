#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ZcDbDatabase.h"
#include "ZcDbHatch.h"
#include "ZcDbObject.h"

class ZcDbEntity;
class ZcDbSymbolTable;
class ZcDbSymbolTableRecord;
class ZcDbBlockTableRecord;
class ZcDbEntity;
class ZcDbSortentsTable;
class ZcDbDictionary;
class ZcDbHatch;
class ZcDbBlockReference;

namespace platform {

// The platform's way into objects beyond what the host's API offers:
// reading objects without opening them (for writers, renderers and
// geometry that only looks), and adding objects under an owner.
struct ZcDbObjectAccess {
    // The object of an id, not opened; null for a null id. Erased objects
    // are returned too (check isErased()).
    static ZcDbObject* peek(ZcDbObjectId id);
    template <class T>
    static T* peekAs(ZcDbObjectId id)
    {
        return T::cast(peek(id));
    }

    // Makes a new object part of a drawing under an owner: gives it the
    // next handle and an id. The object keeps its open state.
    [[nodiscard]] static Zcad::ErrorStatus addToDatabase(ZcDbDatabase* db, ZcDbObject* obj, ZcDbObjectId owner,
                                                         ZcDbObjectId& id);
    // The same with the handle a file gives the object: a handle announced
    // earlier by a reference (getZcDbObjectId with createIfNotFound) takes the
    // object; a handle that already has one is refused (eDuplicateKey).
    [[nodiscard]] static Zcad::ErrorStatus
    addToDatabaseWithHandle(ZcDbDatabase* db, ZcDbObject* obj, ZcDbObjectId owner, ZcDbHandle handle, ZcDbObjectId& id);
    static void setOwner(ZcDbObject* obj, ZcDbObjectId owner);
    // A handle given out without an object (for the structure a file needs).
    static uint64_t reserveHandle(ZcDbDatabase* db);

private:
    [[nodiscard]] static Zcad::ErrorStatus attach(ZcDbDatabase* db, ZcDbStub* stub, ZcDbObject* obj, ZcDbObjectId owner,
                                                  ZcDbObjectId& id);

public:
    // Open-state bookkeeping.
    static bool isOpen(const ZcDbObject* obj) { return obj->m_readers > 0 || obj->m_writer; }
    static void markOpened(ZcDbObject* obj, ZcDb::OpenMode mode);
    // The object changed, or may have, without being opened for write (a
    // reader of files setting it up, a repair): what was worked out from the
    // drawing is worked out again.
    static void noteEdited(const ZcDbObject* obj);
    // Adds the application to the drawing's registered applications when missing.
    static ZcDbObjectId registerApplication(ZcDbDatabase* db, const std::string& name);
    // Sets an object's erased flag without the open rules (for readers of files).
    static void setErased(ZcDbObject* obj, bool erased)
    {
        obj->m_erased = erased;
        noteEdited(obj);
    }
    // Stores a record's name as given (the table has checked it).
    static void setName(ZcDbSymbolTableRecord* record, const std::string& name);
    // Layer and linetype of an entity that has none yet, from the drawing.
    static void fillUnsetDefaults(ZcDbEntity* entity, ZcDbDatabase* db);
    static void setSortentsBlock(ZcDbSortentsTable* table, ZcDbObjectId block);
    // Adds an entry to a dictionary whatever its open state (the drawing's own bookkeeping).
    [[nodiscard]] static Zcad::ErrorStatus addEntry(ZcDbDictionary* dict, const std::string& key, ZcDbObject* obj,
                                                    ZcDbObjectId& id);
    static void setExtensionDictionary(ZcDbObject* obj, ZcDbObjectId id) { obj->extras().xdict = id; }

    // ---- for readers of files: the objects of a file arrive with their
    // handles and links, which may point to objects that come later.
    // A new id for a handle the drawing does not have yet (the caller knows
    // it is new: no look-up is made).
    static ZcDbObjectId newId(ZcDbDatabase* db, ZcDbHandle handle);
    // Puts a new object on an id made by newId (or a forward reference)
    // that has none; eDuplicateKey when the id has an object already.
    [[nodiscard]] static Zcad::ErrorStatus attachToId(ZcDbObject* obj, ZcDbObjectId id, ZcDbObjectId owner);
    // Appends ids to the lists of their owners, whatever their open state.
    static void appendEntity(ZcDbBlockTableRecord* block, ZcDbObjectId entity);
    static void appendRecord(ZcDbSymbolTable* table, ZcDbObjectId record);
    static void appendEntry(ZcDbDictionary* dict, const std::string& key, ZcDbObjectId id);
    static void appendAttribute(ZcDbBlockReference* reference, ZcDbObjectId attribute);
    // The lists themselves, for repairs and copies.
    static std::vector<ZcDbObjectId>& entityList(ZcDbBlockTableRecord* block);
    static std::vector<ZcDbObjectId>& recordList(ZcDbSymbolTable* table);
    static std::vector<std::pair<std::string, ZcDbObjectId>>& entryList(ZcDbDictionary* dict);
    static std::vector<ZcDbObjectId>& attributeList(ZcDbBlockReference* reference);
    static std::vector<ZcDbObjectId>& reactorList(ZcDbObject* obj);
    // A hatch's loops as a file gives them: outlines and boundary links,
    // without evaluating anything.
    static std::vector<ZcDbHatch::Loop>& hatchLoops(ZcDbHatch* hatch);
    // A hatch's pattern lines as a file gives them (already turned and scaled).
    static std::vector<ZcDbHatch::PatternLine>& hatchPatternLines(ZcDbHatch* hatch);
    static std::vector<std::pair<ZcDbObjectId, ZcDbHandle>>& sortentsEntries(ZcDbSortentsTable* table);
    // Replaces an object's extended data, application by application.
    static void setXData(ZcDbObject* obj, std::vector<std::pair<std::string, std::vector<ZcDbXDataItem>>> xdata);
};

// Objects of a drawing that are still open, in handle order.
std::vector<ZcDbObjectId> openObjects(const ZcDbDatabase* db);
// Every object of a drawing in handle order, erased ones included.
std::vector<ZcDbObjectId> allObjects(const ZcDbDatabase* db);

}  // namespace platform
