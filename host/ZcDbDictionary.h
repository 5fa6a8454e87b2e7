#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ZcDbObject.h"
#include "ZrxExport.h"

// Walks a dictionary's entries in the order they were added.
class ZRX_EXPORT ZcDbDictionaryIterator {
public:
    explicit ZcDbDictionaryIterator(std::vector<std::pair<std::string, ZcDbObjectId>> entries)
        : m_entries(std::move(entries)) {}
    bool done() const { return m_index >= m_entries.size(); }
    bool next() { return ++m_index < m_entries.size(); }
    const char* name() const { return done() ? nullptr : m_entries[m_index].first.c_str(); }
    ZcDbObjectId objectId() const { return done() ? ZcDbObjectId() : m_entries[m_index].second; }
    Zcad::ErrorStatus getObject(ZcDbObject*& obj, ZcDb::OpenMode mode) const;

private:
    std::vector<std::pair<std::string, ZcDbObjectId>> m_entries;
    size_t m_index = 0;
};

// Objects kept under names (case-insensitive); the dictionary owns them.
class ZRX_EXPORT ZcDbDictionary : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDictionary)

    // eKeyNotFound when the name is absent.
    Zcad::ErrorStatus getAt(const char* key, ZcDbObject*& obj, ZcDb::OpenMode mode) const;
    Zcad::ErrorStatus getAt(const char* key, ZcDbObjectId& id) const;
    bool has(const char* key) const;
    bool has(ZcDbObjectId id) const;
    // Takes a new object into the dictionary and the drawing (it stays open).
    // The key "*" becomes a new unique name ("*A1", "*A2", ...); a key already
    // taken is refused (eDuplicateKey).
    Zcad::ErrorStatus setAt(const char* key, ZcDbObject* newValue, ZcDbObjectId& id);
    // Takes the entry out; the object stays in the drawing, without owner.
    Zcad::ErrorStatus remove(const char* key);
    Zcad::ErrorStatus remove(const char* key, ZcDbObjectId& returnId);
    Zcad::ErrorStatus nameAt(ZcDbObjectId id, std::string& name) const;
    int numEntries() const { return static_cast<int>(m_entries.size()); }
    ZcDbDictionaryIterator* newIterator() const;
    const std::vector<std::pair<std::string, ZcDbObjectId>>& entries() const { return m_entries; }

private:
    friend struct platform::ZcDbObjectAccess;
    std::vector<std::pair<std::string, ZcDbObjectId>> m_entries;
    int m_lastAnonymous = 0;
};
