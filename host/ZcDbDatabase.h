#pragma once

#include <memory>

#include "ZcDbObject.h"
#include "ZrxExport.h"

class ZcDbBlockTable;
class ZcDbLayerTable;
class ZcDbLinetypeTable;
class ZcDbTextStyleTable;
class ZcDbRegAppTable;
class ZcDbDictionary;
namespace platform {
struct ZcDbDatabaseImpl;
}  // namespace platform

// A drawing: its tables, dictionaries and every object, found by id or handle.
class ZRX_EXPORT ZcDbDatabase : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDatabase)

    // With buildDefaultDrawing a new drawing gets layer "0", linetypes
    // ByBlock, ByLayer and Continuous, text style "Standard", model and
    // paper space and the named-object dictionary with the group dictionary.
    // Without it the drawing is empty, ready to be read into.
    explicit ZcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ZcDbDatabase(const ZcDbDatabase&) = delete;
    ZcDbDatabase& operator=(const ZcDbDatabase&) = delete;
    ~ZcDbDatabase() override;

    Zcad::ErrorStatus getBlockTable(ZcDbBlockTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getLayerTable(ZcDbLayerTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getLinetypeTable(ZcDbLinetypeTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getTextStyleTable(ZcDbTextStyleTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getRegAppTable(ZcDbRegAppTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getNamedObjectsDictionary(ZcDbDictionary*& dict, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getGroupDictionary(ZcDbDictionary*& dict, ZcDb::OpenMode mode);

    ZcDbObjectId blockTableId() const;
    ZcDbObjectId layerTableId() const;
    ZcDbObjectId linetypeTableId() const;
    ZcDbObjectId textStyleTableId() const;
    ZcDbObjectId regAppTableId() const;
    ZcDbObjectId namedObjectsDictionaryId() const;
    ZcDbObjectId groupDictionaryId() const;
    ZcDbObjectId modelSpaceId() const;
    ZcDbObjectId paperSpaceId() const;

    // Current layer, linetype and text style of new entities.
    ZcDbObjectId clayer() const;
    Zcad::ErrorStatus setClayer(ZcDbObjectId layer);
    ZcDbObjectId celtype() const;
    ZcDbObjectId textstyle() const;
    ZcDbObjectId byLayerLinetype() const;
    ZcDbObjectId byBlockLinetype() const;
    ZcDbObjectId continuousLinetype() const;
    double ltscale() const;
    Zcad::ErrorStatus setLtscale(double scale);

    // The object of a handle; with createIfNotFound false an unknown handle
    // gives eKeyNotFound.
    Zcad::ErrorStatus getZcDbObjectId(ZcDbObjectId& id, bool createIfNotFound, const ZcDbHandle& handle) const;
    // The next handle to be given out.
    ZcDbHandle handseed() const;

    // Adds an object that belongs to no table, block or dictionary yet
    // (the owner is set by whoever takes it in); it stays open.
    Zcad::ErrorStatus addZcDbObject(ZcDbObjectId& id, ZcDbObject* obj);

    // Loads the linetypes named ltname ('*' and '?' match as wildcards)
    // from a .lin file (a Windows path is taken too). eFileNotFound without
    // the file, eKeyNotFound when it defines no such linetype, eDuplicateKey
    // when the drawing already has the one named (it is kept), eInvalidInput
    // for a definition that cannot be loaded (the reason is printed).
    Zcad::ErrorStatus loadLineTypeFile(const char* ltname, const char* filename);

    // Reads a drawing file into this drawing, made empty for it
    // (buildDefaultDrawing false). DWG is a closed format: a .dwg path that
    // is not there is read from the .dxf beside it (a Windows path is taken
    // too). eFileNotFound when neither is there, eInvalidDwgVersion for a
    // DWG file itself, eFileAccessErr when it may not be read,
    // eDwgNotRecoverable when it cannot be read; the drawing stays empty on
    // failure. Sharing, code-page conversion and password are the host's
    // concern on Windows and change nothing here.
    Zcad::ErrorStatus readDwgFile(const char* fileName, int shmode = 0x20, bool allowCPConversion = false,
                                  const char* password = nullptr);
    // Copies the source drawing's model space into this drawing as a new
    // block definition named blockName (based at the source's insertion
    // base), with the layers, linetypes, text styles and nested blocks the
    // copy needs; those of the same name already here are kept and used.
    // eDuplicateKey when this drawing has a block of that name (it is kept),
    // eSelfReference when the copy would bring a nested block of that name
    // (the new block would hold itself), eInvalidInput for a source without
    // model space; on failure nothing changes. The source stays as it was.
    Zcad::ErrorStatus insert(ZcDbObjectId& blockId, const char* blockName, ZcDbDatabase* source,
                             bool preserveSourceDatabase = true);

    platform::ZcDbDatabaseImpl* impl() const { return m_impl.get(); }

private:
    friend struct platform::ZcDbDatabaseImpl;
    std::unique_ptr<platform::ZcDbDatabaseImpl> m_impl;
};

// The host's services: which drawing is the working one.
class ZRX_EXPORT ZcDbHostApplicationServices {
public:
    ZcDbDatabase* workingDatabase() const { return m_working; }
    void setWorkingDatabase(ZcDbDatabase* db) { m_working = db; }

private:
    ZcDbDatabase* m_working = nullptr;
};

ZRX_EXPORT ZcDbHostApplicationServices* zcdbHostApplicationServices();
