#pragma once

#include "ZcDbObjectId.h"
#include "ZcadErrorStatus.h"
#include "resbuf.h"

// Entity names (ads_name) as the command line hands them out, and the
// object ids they stand for in the working drawing.
Zcad::ErrorStatus zcdbGetObjectId(ZcDbObjectId& id, const ads_name ent);
Zcad::ErrorStatus zcdbGetAdsName(ads_name ent, ZcDbObjectId id);
