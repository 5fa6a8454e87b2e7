#pragma once

#include "ZcGeVector2d.h"
#include "ZrxExport.h"

class ZRX_EXPORT ZcGePoint2d {
public:
    double x = 0.0;
    double y = 0.0;

    constexpr ZcGePoint2d() = default;
    constexpr ZcGePoint2d(double ax, double ay) : x(ax), y(ay) {}

    static const ZcGePoint2d kOrigin;

    double distanceTo(const ZcGePoint2d& p) const { return std::hypot(x - p.x, y - p.y); }
    ZcGeVector2d asVector() const { return {x, y}; }
    bool isEqualTo(const ZcGePoint2d& p, double tol = kZcGeEqualPoint) const
    {
        return std::fabs(x - p.x) <= tol && std::fabs(y - p.y) <= tol;
    }

    ZcGePoint2d operator+(const ZcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    ZcGePoint2d operator-(const ZcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    ZcGeVector2d operator-(const ZcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    ZcGePoint2d& operator+=(const ZcGeVector2d& v) { return *this = *this + v; }
    ZcGePoint2d& operator-=(const ZcGeVector2d& v) { return *this = *this - v; }
    bool operator==(const ZcGePoint2d& p) const { return isEqualTo(p); }
};

inline const ZcGePoint2d ZcGePoint2d::kOrigin{0.0, 0.0};
