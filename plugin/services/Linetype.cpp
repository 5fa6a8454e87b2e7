#include "services/Linetype.h"

#include <string>

#include "ZcDbDatabase.h"
#include "ZcDbLinetypeTable.h"
#include "services/RegistryString.h"

Zcad::ErrorStatus EnsureLinetype(const char* name)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (!db || !name)
        return Zcad::eInvalidInput;
    ZcDbLinetypeTable* table = nullptr;
    if (Zcad::ErrorStatus es = db->getLinetypeTable(table, ZcDb::kForRead); es != Zcad::eOk)
        return es;
    if (!table->has(name)) {
        std::string file;
        try {
            file = InstallationFolder() + kLinetypeFileName;
        } catch (...) {
            // The error ends the caller's action; the table must not stay open behind it.
            table->close();
            throw;
        }
        db->loadLineTypeFile(name, file.c_str());
    }
    return table->close();
}
