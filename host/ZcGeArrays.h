#pragma once

#include "ZcArray.h"
#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"

using ZcGePoint2dArray = ZcArray<ZcGePoint2d>;
using ZcGePoint3dArray = ZcArray<ZcGePoint3d>;
using ZcGeDoubleArray = ZcArray<double>;
using ZcGeIntArray = ZcArray<int>;
