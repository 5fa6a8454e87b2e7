#include "services/TextStyle.h"

#include "ZcDbDatabase.h"
#include "ZcDbTextStyleTable.h"

ZcDbObjectId EnsureTextStyle(const char* name)
{
    ZcDbObjectId id;
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (!db || !name)
        return id;
    ZcDbTextStyleTable* table = nullptr;
    if (db->getTextStyleTable(table, ZcDb::kForWrite) != Zcad::eOk)
        return id;
    if (table->getAt(name, id) == Zcad::eOk) {
        table->close();
        return id;
    }
    ZcDbTextStyleTableRecord* record = new ZcDbTextStyleTableRecord;
    record->setName(name);
    record->setFileName(kTarvoFontFile);
    record->setTextSize(kTarvoTextSize);
    if (table->add(id, record) != Zcad::eOk)
        id.setNull();
    record->close();
    table->close();
    return id;
}
