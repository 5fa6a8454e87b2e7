#pragma once

#include "ZcDbObjectId.h"
#include "ZcadErrorStatus.h"
#include "ZrxExport.h"
#include "resbuf.h"

// Entity names (ads_name) as the command line hands them out, and the
// object ids they stand for in the working drawing.
ZRX_EXPORT Zcad::ErrorStatus zcdbGetObjectId(ZcDbObjectId& id, const ads_name ent);
ZRX_EXPORT Zcad::ErrorStatus zcdbGetAdsName(ads_name ent, ZcDbObjectId id);
