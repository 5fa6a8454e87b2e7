#pragma once

#include "ZcGePoint2d.h"
#include "ZcGeVector3d.h"
#include "ZrxExport.h"

class ZcGeMatrix3d;

class ZRX_EXPORT ZcGePoint3d {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr ZcGePoint3d() = default;
    constexpr ZcGePoint3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    static const ZcGePoint3d kOrigin;

    double distanceTo(const ZcGePoint3d& p) const { return (*this - p).length(); }
    ZcGeVector3d asVector() const { return {x, y, z}; }
    ZcGePoint2d convert2d() const { return {x, y}; }
    bool isEqualTo(const ZcGePoint3d& p, double tol = kZcGeEqualPoint) const
    {
        return std::fabs(x - p.x) <= tol && std::fabs(y - p.y) <= tol && std::fabs(z - p.z) <= tol;
    }

    // Turns the point by an angle about the axis through a centre (right-hand rule).
    ZcGePoint3d& rotateBy(double angle, const ZcGeVector3d& axis, const ZcGePoint3d& centre = kOrigin);
    ZcGePoint3d& transformBy(const ZcGeMatrix3d& m);

    ZcGePoint3d operator+(const ZcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    ZcGePoint3d operator-(const ZcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    ZcGeVector3d operator-(const ZcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    ZcGePoint3d& operator+=(const ZcGeVector3d& v) { return *this = *this + v; }
    ZcGePoint3d& operator-=(const ZcGeVector3d& v) { return *this = *this - v; }
    bool operator==(const ZcGePoint3d& p) const { return isEqualTo(p); }
};

inline const ZcGePoint3d ZcGePoint3d::kOrigin{0.0, 0.0, 0.0};
