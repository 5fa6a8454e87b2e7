#include "ZcDbDatabase.h"
#include "services/DatabaseServices.h"

ZcDbGroup* CreateGroup(const char* name, ZcDb::OpenMode dictionaryMode)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (!db || !name)
        return nullptr;
    ZcDbDictionary* groups = nullptr;
    if (db->getGroupDictionary(groups, dictionaryMode) != Zcad::eOk)
        return nullptr;
    ZcDbGroup* group = new ZcDbGroup(name, true);
    ZcDbObjectId id;
    if (groups->setAt(name, group, id) != Zcad::eOk) {
        // A group outside the drawing would take members and then vanish
        // at close; say so instead.
        group->close();
        group = nullptr;
    }
    groups->close();
    return group;
}
