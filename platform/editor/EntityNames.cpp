// Entity names stand for objects of the working drawing by handle, so a
// stale or made-up name finds nothing instead of pointing anywhere.

#include "ZcDbDatabase.h"
#include "zcdbAdsName.h"

Zcad::ErrorStatus zcdbGetObjectId(ZcDbObjectId& id, const ads_name ent)
{
    id.setNull();
    if (!ent)
        return Zcad::eInvalidInput;
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (!db)
        return Zcad::eNotInDatabase;
    if (ent[0] <= 0 || ent[1] != 0)
        return Zcad::eInvalidInput;
    return db->getZcDbObjectId(id, false, ZcDbHandle(uint64_t(ent[0])));
}

Zcad::ErrorStatus zcdbGetAdsName(ads_name ent, ZcDbObjectId id)
{
    if (!ent)
        return Zcad::eInvalidInput;
    ent[0] = ent[1] = 0;
    if (id.isNull())
        return Zcad::eNullObjectId;
    if (id.database() != zcdbHostApplicationServices()->workingDatabase())
        return Zcad::eWrongDatabase;
    ent[0] = int64_t(id.handle().value());
    return Zcad::eOk;
}
