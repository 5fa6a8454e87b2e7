#pragma once

#include "ZrxExport.h"

class ZRX_EXPORT ZcGeScale3d {
public:
    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;

    constexpr ZcGeScale3d() = default;
    constexpr explicit ZcGeScale3d(double s) : sx(s), sy(s), sz(s) {}
    constexpr ZcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

    static const ZcGeScale3d kIdentity;

    bool operator==(const ZcGeScale3d&) const = default;
};

inline const ZcGeScale3d ZcGeScale3d::kIdentity{1.0, 1.0, 1.0};
