#pragma once

#include <string>
#include <vector>

#include "ZcDbIdCursor.h"
#include "ZcDbObject.h"
#include "ZrxExport.h"

class ZcDbSymbolTableRecord;

// Walks a symbol table's records in the order they were added.
class ZRX_EXPORT ZcDbSymbolTableIterator {
public:
    ZcDbSymbolTableIterator(std::vector<ZcDbObjectId> ids, bool skipErased) : m_cursor(std::move(ids), skipErased) {}
    void start(bool atBeginning = true, bool skipErased = true) { m_cursor.start(atBeginning, skipErased); }
    bool done() const { return m_cursor.done(); }
    void step(bool forward = true, bool skipErased = true) { m_cursor.step(forward, skipErased); }
    Zcad::ErrorStatus getRecordId(ZcDbObjectId& id) const;
    Zcad::ErrorStatus getRecord(ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode, bool openErased = false) const;

private:
    ZcDbIdCursor m_cursor;
};

// A named record of a symbol table (layer, linetype, text style, block, application).
class ZRX_EXPORT ZcDbSymbolTableRecord : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSymbolTableRecord)

    Zcad::ErrorStatus getName(std::string& name) const;
    Zcad::ErrorStatus getName(const char*& name) const;
    const std::string& name() const { return m_name; }
    // Names are refused when empty or with characters the host forbids (<>/\":;?*|,=`).
    Zcad::ErrorStatus setName(const char* name);

private:
    friend struct platform::ZcDbObjectAccess;
    std::string m_name;
};

// A table of records looked up by name, case-insensitively.
class ZRX_EXPORT ZcDbSymbolTable : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSymbolTable)

    bool has(const char* name) const;
    bool has(ZcDbObjectId id) const;
    Zcad::ErrorStatus getAt(const char* name, ZcDbObjectId& id, bool getErased = false) const;
    Zcad::ErrorStatus getAt(const char* name, ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode,
                            bool openErased = false) const;
    // Takes a new record (open) into the table and the drawing; the caller
    // closes it. eDuplicateKey when the name is taken.
    Zcad::ErrorStatus add(ZcDbSymbolTableRecord* record);
    Zcad::ErrorStatus add(ZcDbObjectId& id, ZcDbSymbolTableRecord* record);
    Zcad::ErrorStatus newIterator(ZcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    const std::vector<ZcDbObjectId>& recordIds() const { return m_records; }

protected:
    // Whether a record of that class belongs in this table.
    virtual bool accepts(const ZcDbSymbolTableRecord* record) const = 0;
    // Turns a name into the one to store ("*U" becomes "*U<n>" in the block table).
    virtual std::string uniqueName(const std::string& name) const { return name; }

private:
    friend struct platform::ZcDbObjectAccess;
    std::vector<ZcDbObjectId> m_records;
};

// Typed look-up over a table of records of class REC.
template <class REC>
class ZRX_EXPORT ZcDbSymbolTableOf : public ZcDbSymbolTable {
public:
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const char* name, REC*& record, ZcDb::OpenMode mode, bool openErased = false) const
    {
        record = nullptr;
        ZcDbSymbolTableRecord* r = nullptr;
        const Zcad::ErrorStatus es = ZcDbSymbolTable::getAt(name, r, mode, openErased);
        if (es == Zcad::eOk)
            record = static_cast<REC*>(r);
        return es;
    }

protected:
    bool accepts(const ZcDbSymbolTableRecord* record) const override { return REC::cast(record) != nullptr; }
};
