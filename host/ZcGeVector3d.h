#pragma once

#include <cmath>

#include "ZcGeTol.h"
#include "ZrxExport.h"

class ZcGeMatrix3d;

class ZRX_EXPORT ZcGeVector3d {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr ZcGeVector3d() = default;
    constexpr ZcGeVector3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    static const ZcGeVector3d kIdentity;
    static const ZcGeVector3d kXAxis;
    static const ZcGeVector3d kYAxis;
    static const ZcGeVector3d kZAxis;

    double length() const { return std::sqrt(x * x + y * y + z * z); }
    double dotProduct(const ZcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    ZcGeVector3d crossProduct(const ZcGeVector3d& v) const
    {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    ZcGeVector3d normal() const
    {
        const double l = length();
        return l > 0.0 ? ZcGeVector3d(x / l, y / l, z / l) : *this;
    }
    ZcGeVector3d& normalize() { return *this = normal(); }
    bool isZeroLength(double tol = kZcGeEqualPoint) const { return length() <= tol; }
    bool isEqualTo(const ZcGeVector3d& v, double tol = kZcGeEqualPoint) const
    {
        return std::fabs(x - v.x) <= tol && std::fabs(y - v.y) <= tol && std::fabs(z - v.z) <= tol;
    }

    // A vector perpendicular to this one; for a direction in the XY plane it
    // is the direction turned by +90 degrees: (-y, x, 0).
    ZcGeVector3d perpVector() const;
    // Turns the vector by an angle about an axis through the origin (right-hand rule).
    ZcGeVector3d& rotateBy(double angle, const ZcGeVector3d& axis);
    // Applies the matrix's linear part; translation does not move a vector.
    ZcGeVector3d& transformBy(const ZcGeMatrix3d& m);

    ZcGeVector3d operator+(const ZcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    ZcGeVector3d operator-(const ZcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    ZcGeVector3d operator-() const { return {-x, -y, -z}; }
    ZcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    ZcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    ZcGeVector3d& operator+=(const ZcGeVector3d& v) { return *this = *this + v; }
    ZcGeVector3d& operator-=(const ZcGeVector3d& v) { return *this = *this - v; }
    ZcGeVector3d& operator*=(double s) { return *this = *this * s; }
    ZcGeVector3d& operator/=(double s) { return *this = *this / s; }
    bool operator==(const ZcGeVector3d& v) const { return isEqualTo(v); }
};

inline ZcGeVector3d operator*(double s, const ZcGeVector3d& v) { return v * s; }

inline const ZcGeVector3d ZcGeVector3d::kIdentity{0.0, 0.0, 0.0};
inline const ZcGeVector3d ZcGeVector3d::kXAxis{1.0, 0.0, 0.0};
inline const ZcGeVector3d ZcGeVector3d::kYAxis{0.0, 1.0, 0.0};
inline const ZcGeVector3d ZcGeVector3d::kZAxis{0.0, 0.0, 1.0};
