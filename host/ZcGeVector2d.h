#pragma once

#include <cmath>

#include "ZcGeTol.h"
#include "ZrxExport.h"

class ZRX_EXPORT ZcGeVector2d {
public:
    double x = 0.0;
    double y = 0.0;

    constexpr ZcGeVector2d() = default;
    constexpr ZcGeVector2d(double ax, double ay) : x(ax), y(ay) {}

    static const ZcGeVector2d kXAxis;
    static const ZcGeVector2d kYAxis;

    double length() const { return std::hypot(x, y); }
    double angle() const { return std::atan2(y, x); }
    double dotProduct(const ZcGeVector2d& v) const { return x * v.x + y * v.y; }
    // The z component of the 3D cross product.
    double crossProduct(const ZcGeVector2d& v) const { return x * v.y - y * v.x; }
    ZcGeVector2d normal() const
    {
        const double l = length();
        return l > 0.0 ? ZcGeVector2d(x / l, y / l) : *this;
    }
    ZcGeVector2d& normalize() { return *this = normal(); }
    ZcGeVector2d perpVector() const { return {-y, x}; }
    ZcGeVector2d& rotateBy(double a)
    {
        const double c = std::cos(a), s = std::sin(a);
        return *this = {x * c - y * s, x * s + y * c};
    }
    bool isEqualTo(const ZcGeVector2d& v, double tol = kZcGeEqualPoint) const
    {
        return std::fabs(x - v.x) <= tol && std::fabs(y - v.y) <= tol;
    }

    ZcGeVector2d operator+(const ZcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    ZcGeVector2d operator-(const ZcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    ZcGeVector2d operator-() const { return {-x, -y}; }
    ZcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    ZcGeVector2d operator/(double s) const { return {x / s, y / s}; }
    ZcGeVector2d& operator+=(const ZcGeVector2d& v) { return *this = *this + v; }
    ZcGeVector2d& operator-=(const ZcGeVector2d& v) { return *this = *this - v; }
    ZcGeVector2d& operator*=(double s) { return *this = *this * s; }
    ZcGeVector2d& operator/=(double s) { return *this = *this / s; }
    bool operator==(const ZcGeVector2d& v) const { return isEqualTo(v); }
};

inline ZcGeVector2d operator*(double s, const ZcGeVector2d& v) { return v * s; }

inline const ZcGeVector2d ZcGeVector2d::kXAxis{1.0, 0.0};
inline const ZcGeVector2d ZcGeVector2d::kYAxis{0.0, 1.0};
