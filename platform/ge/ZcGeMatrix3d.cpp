#include "ZcGeMatrix3d.h"

#include <cmath>

ZcGeMatrix3d ZcGeMatrix3d::translation(const ZcGeVector3d& v)
{
    ZcGeMatrix3d m;
    m.entry[0][3] = v.x;
    m.entry[1][3] = v.y;
    m.entry[2][3] = v.z;
    return m;
}

ZcGeMatrix3d ZcGeMatrix3d::rotation(double angle, const ZcGeVector3d& axis, const ZcGePoint3d& centre)
{
    const ZcGeVector3d u = axis.normal();
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    ZcGeMatrix3d r;
    r.entry[0][0] = t * u.x * u.x + c;
    r.entry[0][1] = t * u.x * u.y - s * u.z;
    r.entry[0][2] = t * u.x * u.z + s * u.y;
    r.entry[1][0] = t * u.x * u.y + s * u.z;
    r.entry[1][1] = t * u.y * u.y + c;
    r.entry[1][2] = t * u.y * u.z - s * u.x;
    r.entry[2][0] = t * u.x * u.z - s * u.y;
    r.entry[2][1] = t * u.y * u.z + s * u.x;
    r.entry[2][2] = t * u.z * u.z + c;
    const ZcGeVector3d o = centre.asVector();
    return translation(o) * r * translation(-o);
}

ZcGeMatrix3d ZcGeMatrix3d::scaling(double scale, const ZcGePoint3d& centre)
{
    ZcGeMatrix3d m;
    for (int i = 0; i < 3; ++i)
        m.entry[i][i] = scale;
    const ZcGeVector3d o = centre.asVector();
    return translation(o) * m * translation(-o);
}

ZcGeMatrix3d ZcGeMatrix3d::mirroring(const ZcGePoint3d& point, const ZcGeVector3d& normal)
{
    const ZcGeVector3d n = normal.normal();
    const double nv[3] = {n.x, n.y, n.z};
    ZcGeMatrix3d m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m.entry[i][j] = (i == j ? 1.0 : 0.0) - 2.0 * nv[i] * nv[j];
    const ZcGeVector3d o = point.asVector();
    return translation(o) * m * translation(-o);
}

ZcGeMatrix3d ZcGeMatrix3d::operator*(const ZcGeMatrix3d& m) const
{
    ZcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = sum;
        }
    return r;
}

ZcGePoint3d ZcGeMatrix3d::apply(const ZcGePoint3d& p) const
{
    const double* e0 = entry[0];
    const double* e1 = entry[1];
    const double* e2 = entry[2];
    return {e0[0] * p.x + e0[1] * p.y + e0[2] * p.z + e0[3],
            e1[0] * p.x + e1[1] * p.y + e1[2] * p.z + e1[3],
            e2[0] * p.x + e2[1] * p.y + e2[2] * p.z + e2[3]};
}

ZcGeVector3d ZcGeMatrix3d::apply(const ZcGeVector3d& v) const
{
    return {entry[0][0] * v.x + entry[0][1] * v.y + entry[0][2] * v.z,
            entry[1][0] * v.x + entry[1][1] * v.y + entry[1][2] * v.z,
            entry[2][0] * v.x + entry[2][1] * v.y + entry[2][2] * v.z};
}

double ZcGeMatrix3d::det() const
{
    const auto& e = entry;
    return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) -
           e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
           e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

double ZcGeMatrix3d::scale() const
{
    return std::cbrt(std::fabs(det()));
}

bool ZcGeMatrix3d::isUniScaledOrtho(double tol) const
{
    const ZcGeVector3d cx = apply(ZcGeVector3d::kXAxis);
    const ZcGeVector3d cy = apply(ZcGeVector3d::kYAxis);
    const ZcGeVector3d cz = apply(ZcGeVector3d::kZAxis);
    const double l = cx.length();
    return l > tol && std::fabs(cy.length() - l) <= tol * l && std::fabs(cz.length() - l) <= tol * l &&
           std::fabs(cx.dotProduct(cy)) <= tol * l * l && std::fabs(cy.dotProduct(cz)) <= tol * l * l &&
           std::fabs(cx.dotProduct(cz)) <= tol * l * l;
}

bool ZcGeMatrix3d::isEqualTo(const ZcGeMatrix3d& m, double tol) const
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (std::fabs(entry[i][j] - m.entry[i][j]) > tol)
                return false;
    return true;
}

ZcGeVector3d ZcGeVector3d::perpVector() const
{
    // Z x v for directions in the XY plane; otherwise any perpendicular.
    if (std::fabs(x) > kZcGeEqualPoint || std::fabs(y) > kZcGeEqualPoint)
        return {-y, x, 0.0};
    return {0.0, -z, y};
}

ZcGeVector3d& ZcGeVector3d::rotateBy(double angle, const ZcGeVector3d& axis)
{
    return *this = ZcGeMatrix3d::rotation(angle, axis).apply(*this);
}

ZcGeVector3d& ZcGeVector3d::transformBy(const ZcGeMatrix3d& m)
{
    return *this = m.apply(*this);
}

ZcGePoint3d& ZcGePoint3d::rotateBy(double angle, const ZcGeVector3d& axis, const ZcGePoint3d& centre)
{
    return *this = ZcGeMatrix3d::rotation(angle, axis, centre).apply(*this);
}

ZcGePoint3d& ZcGePoint3d::transformBy(const ZcGeMatrix3d& m)
{
    return *this = m.apply(*this);
}
