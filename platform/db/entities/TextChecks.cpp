#include "platform/db/entities/TextChecks.h"

#include "ZcDbTextStyleTable.h"
#include "platform/db/ObjectAccess.h"

namespace platform {

Zcad::ErrorStatus checkTextStyle(ZcDbObjectId style, const ZcDbDatabase* db)
{
    if (style.isNull())
        return Zcad::eOk;
    const auto* record = ZcDbObjectAccess::peekAs<ZcDbTextStyleTableRecord>(style);
    if (!record)
        return Zcad::eWrongObjectType;
    if (record->isErased())
        return Zcad::eWasErased;
    if (db && style.database() != db)
        return Zcad::eWrongDatabase;
    return Zcad::eOk;
}

}  // namespace platform
