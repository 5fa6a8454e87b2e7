#pragma once

#include "ZcGePoint3d.h"
#include "ZcGeVector3d.h"
#include "ZrxExport.h"

// An affine transform of 3D space as a 4x4 matrix acting on column vectors:
// (A * B) applied to p is A applied to (B applied to p).
class ZRX_EXPORT ZcGeMatrix3d {
public:
    double entry[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    static const ZcGeMatrix3d kIdentity;

    static ZcGeMatrix3d translation(const ZcGeVector3d& v);
    // Rotation by an angle about the axis through a centre (right-hand rule).
    static ZcGeMatrix3d rotation(double angle, const ZcGeVector3d& axis,
                                 const ZcGePoint3d& centre = ZcGePoint3d::kOrigin);
    static ZcGeMatrix3d scaling(double scale, const ZcGePoint3d& centre = ZcGePoint3d::kOrigin);
    // Mirror in the plane through a point with the given normal.
    static ZcGeMatrix3d mirroring(const ZcGePoint3d& point, const ZcGeVector3d& normal);

    ZcGeMatrix3d& setToTranslation(const ZcGeVector3d& v) { return *this = translation(v); }
    ZcGeMatrix3d& setToRotation(double a, const ZcGeVector3d& axis,
                                const ZcGePoint3d& c = ZcGePoint3d::kOrigin)
    {
        return *this = rotation(a, axis, c);
    }
    ZcGeMatrix3d& setToScaling(double s, const ZcGePoint3d& c = ZcGePoint3d::kOrigin)
    {
        return *this = scaling(s, c);
    }
    // this = m * this (m applied after).
    ZcGeMatrix3d& preMultBy(const ZcGeMatrix3d& m) { return *this = m * *this; }
    // this = this * m (m applied first).
    ZcGeMatrix3d& postMultBy(const ZcGeMatrix3d& m) { return *this = *this * m; }

    ZcGeMatrix3d operator*(const ZcGeMatrix3d& m) const;
    ZcGeMatrix3d& operator*=(const ZcGeMatrix3d& m) { return *this = *this * m; }

    ZcGePoint3d apply(const ZcGePoint3d& p) const;
    ZcGeVector3d apply(const ZcGeVector3d& v) const;
    // Uniform scale of the linear part (cube root of the determinant's magnitude).
    double scale() const;
    double det() const;
    bool isUniScaledOrtho(double tol = 1e-9) const;
    bool isEqualTo(const ZcGeMatrix3d& m, double tol = kZcGeEqualPoint) const;
};

inline ZcGePoint3d operator*(const ZcGeMatrix3d& m, const ZcGePoint3d& p) { return m.apply(p); }
inline ZcGeVector3d operator*(const ZcGeMatrix3d& m, const ZcGeVector3d& v) { return m.apply(v); }
inline const ZcGeMatrix3d ZcGeMatrix3d::kIdentity{};
