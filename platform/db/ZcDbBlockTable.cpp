#include "ZcDbBlockTable.h"

#include <cctype>
#include <cmath>
#include <string>

#include "ZcDbAttributeDefinition.h"
#include "ZcDbDictionary.h"
#include "ZcDbEntity.h"
#include "ZcDbSortentsTable.h"
#include "platform/core/Utf8.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/db/entities/Finite.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbBlockTableRecord, ZcDbSymbolTableRecord)
ZCRX_DEFINE_MEMBERS(ZcDbBlockTable, ZcDbSymbolTable)
template class ZcDbSymbolTableOf<ZcDbBlockTableRecord>;

namespace {
// "*U", "*D", … : a star and one letter asks for a new anonymous name.
bool isAnonymousRequest(const std::string& name)
{
    return name.size() == 2 && name[0] == '*' && std::isalpha(static_cast<unsigned char>(name[1]));
}
}  // namespace

std::string ZcDbBlockTable::uniqueName(const std::string& name) const
{
    if (!isAnonymousRequest(name))
        return name;
    const char letter = char(std::toupper(static_cast<unsigned char>(name[1])));
    long highest = 0;
    for (const ZcDbObjectId& id : recordIds()) {
        const auto* rec = ZcDbObjectAccess::peekAs<ZcDbSymbolTableRecord>(id);
        if (!rec)
            continue;
        const std::string& n = rec->name();
        if (n.size() > 2 && n[0] == '*' && std::toupper(static_cast<unsigned char>(n[1])) == letter) {
            char* end = nullptr;
            const long number = std::strtol(n.c_str() + 2, &end, 10);
            if (end && *end == '\0' && number > highest)
                highest = number;
        }
    }
    return std::string("*") + letter + std::to_string(highest + 1);
}

// ---- iterator --------------------------------------------------------------

Zcad::ErrorStatus ZcDbBlockTableRecordIterator::getEntityId(ZcDbObjectId& id) const
{
    if (done())
        return Zcad::eInvalidIndex;
    id = m_cursor.current();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecordIterator::getEntity(ZcDbEntity*& entity, ZcDb::OpenMode mode,
                                                          bool openErased) const
{
    entity = nullptr;
    if (done())
        return Zcad::eInvalidIndex;
    return zcdbOpenObject(entity, m_cursor.current(), mode, openErased);
}

// ---- record ----------------------------------------------------------------

void ZcDbBlockTableRecord::addedToDatabase()
{
    // BLOCK and ENDBLK of the file get their handles now, so that writing
    // a drawing never changes its handles.
    ZcDbDatabaseImpl* impl = database()->impl();
    const uint64_t begin = impl->takeHandle();
    impl->blockEnds[objectId().stub()] = {begin, impl->takeHandle()};
}

Zcad::ErrorStatus ZcDbBlockTableRecord::appendZcDbEntity(ZcDbEntity* entity)
{
    ZcDbObjectId id;
    return appendZcDbEntity(id, entity);
}

Zcad::ErrorStatus ZcDbBlockTableRecord::appendZcDbEntity(ZcDbObjectId& id, ZcDbEntity* entity)
{
    id.setNull();
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!entity)
        return Zcad::eNullEntityPointer;
    if (!database())
        return Zcad::eNotInDatabase;
    if (!entity->isNewObject())
        return Zcad::eAlreadyInDb;
    if (entity->layerId().isNull() || entity->linetypeId().isNull())
        ZcDbObjectAccess::fillUnsetDefaults(entity, database());
    if (Zcad::ErrorStatus es = ZcDbObjectAccess::addToDatabase(database(), entity, objectId(), id); es != Zcad::eOk)
        return es;
    m_entities.push_back(id);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::newIterator(ZcDbBlockTableRecordIterator*& iterator, bool atBeginning,
                                                    bool skipDeleted) const
{
    iterator = new ZcDbBlockTableRecordIterator(m_entities, skipDeleted);
    iterator->start(atBeginning, skipDeleted);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setOrigin(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isDrawingNumber(p.x) || !isDrawingNumber(p.y) || !isDrawingNumber(p.z))
        return Zcad::eInvalidInput;
    m_origin = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setComments(const char* text)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (text && !isWellFormedUtf8(text))
        return Zcad::eInvalidInput;
    m_comments = text ? text : "";
    return Zcad::eOk;
}

bool ZcDbBlockTableRecord::hasAttributeDefinitions() const
{
    for (const ZcDbObjectId& id : m_entities) {
        const auto* def = ZcDbObjectAccess::peekAs<ZcDbAttributeDefinition>(id);
        if (def && !def->isErased())
            return true;
    }
    return false;
}

bool ZcDbBlockTableRecord::isAnonymous() const { return name().size() > 1 && name()[0] == '*' && !isLayout(); }

bool ZcDbBlockTableRecord::isLayout() const
{
    return sameSymbolName(name(), ZCDB_MODEL_SPACE) || sameSymbolName(name(), ZCDB_PAPER_SPACE);
}

Zcad::ErrorStatus ZcDbBlockTableRecord::getSortentsTable(ZcDbSortentsTable*& table, ZcDb::OpenMode mode,
                                                         bool createIfNecessary)
{
    table = nullptr;
    if (!database())
        return Zcad::eNotInDatabase;
    if (auto* dict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(extensionDictionary())) {
        ZcDbObjectId id;
        if (dict->getAt("ACAD_SORTENTS", id) == Zcad::eOk)
            return zcdbOpenObject(table, id, mode);
    }
    if (!createIfNecessary)
        return Zcad::eKeyNotFound;
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (extensionDictionary().isNull())
        if (Zcad::ErrorStatus es = createExtensionDictionary(); es != Zcad::eOk)
            return es;
    auto* dict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(extensionDictionary());
    auto* created = new ZcDbSortentsTable;
    ZcDbObjectAccess::setSortentsBlock(created, objectId());
    ZcDbObjectId id;
    if (Zcad::ErrorStatus es = ZcDbObjectAccess::addEntry(dict, "ACAD_SORTENTS", created, id); es != Zcad::eOk) {
        delete created;
        return es;
    }
    if (mode == ZcDb::kForRead)
        created->downgradeOpen();
    table = created;
    return Zcad::eOk;
}
