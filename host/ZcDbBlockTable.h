#pragma once

#include <vector>

#include "ZcDbIdCursor.h"
#include "ZcDbSymbolTable.h"
#include "ZcGePoint3d.h"
#include "ZrxExport.h"

class ZcDbEntity;
class ZcDbSortentsTable;

// Walks a block record's entities in the order they were appended.
class ZRX_EXPORT ZcDbBlockTableRecordIterator {
public:
    ZcDbBlockTableRecordIterator(std::vector<ZcDbObjectId> ids, bool skipErased) : m_cursor(std::move(ids), skipErased) {}
    void start(bool atBeginning = true, bool skipDeleted = true) { m_cursor.start(atBeginning, skipDeleted); }
    bool done() const { return m_cursor.done(); }
    void step(bool forward = true, bool skipDeleted = true) { m_cursor.step(forward, skipDeleted); }
    Zcad::ErrorStatus getEntityId(ZcDbObjectId& id) const;
    Zcad::ErrorStatus getEntity(ZcDbEntity*& entity, ZcDb::OpenMode mode, bool openErased = false) const;

private:
    ZcDbIdCursor m_cursor;
};

// A block: model space, paper space, or a named or anonymous definition.
class ZRX_EXPORT ZcDbBlockTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockTableRecord)

    // Takes a new entity (open) into the block and the drawing; it stays
    // open for its creator to close. The record must be open for write.
    Zcad::ErrorStatus appendZcDbEntity(ZcDbEntity* entity);
    Zcad::ErrorStatus appendZcDbEntity(ZcDbObjectId& id, ZcDbEntity* entity);
    Zcad::ErrorStatus newIterator(ZcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    const std::vector<ZcDbObjectId>& entityIds() const { return m_entities; }

    ZcGePoint3d origin() const { return m_origin; }
    Zcad::ErrorStatus setOrigin(const ZcGePoint3d& p);
    std::string comments() const { return m_comments; }
    Zcad::ErrorStatus setComments(const char* text);
    bool hasAttributeDefinitions() const;
    bool isAnonymous() const;
    bool isLayout() const;

    // The record's draw-order table, opened in the mode; created on request.
    Zcad::ErrorStatus getSortentsTable(ZcDbSortentsTable*& table, ZcDb::OpenMode mode,
                                       bool createIfNecessary = false);

protected:
    void addedToDatabase() override;

private:
    friend struct platform::ZcDbObjectAccess;
    std::vector<ZcDbObjectId> m_entities;
    ZcGePoint3d m_origin;
    std::string m_comments;
};

extern template class ZcDbSymbolTableOf<ZcDbBlockTableRecord>;

class ZRX_EXPORT ZcDbBlockTable : public ZcDbSymbolTableOf<ZcDbBlockTableRecord> {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockTable)

protected:
    std::string uniqueName(const std::string& name) const override;
};

#define ZCDB_MODEL_SPACE "*Model_Space"
#define ZCDB_PAPER_SPACE "*Paper_Space"
