#include "ZcDbPolylineVertices.h"

#include <algorithm>
#include <limits>

namespace {
constexpr size_t kMaxVertices = std::numeric_limits<uint32_t>::max();
constexpr double kDefaultWidth = -1.0;
}  // namespace

ZcDbPolylineVertices::ZcDbPolylineVertices(const ZcDbPolylineVertices& other)
    : m_size(other.m_size), m_capacity(other.m_size)
{
    if (m_size) {
        m_points = std::make_unique<ZcGePoint2d[]>(m_size);
        std::copy(other.m_points.get(), other.m_points.get() + m_size, m_points.get());
    }
    if (other.m_rest)
        m_rest = std::make_unique<Rest>(*other.m_rest);
}

ZcDbPolylineVertices& ZcDbPolylineVertices::operator=(const ZcDbPolylineVertices& other)
{
    if (this != &other) {
        ZcDbPolylineVertices copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ZcDbPolylineVertices::Vertex ZcDbPolylineVertices::operator[](size_t i) const
{
    Vertex v;
    v.point = m_points[i];
    if (m_rest) {
        if (!m_rest->bulges.empty())
            v.bulge = m_rest->bulges[i];
        if (!m_rest->widths.empty()) {
            v.startWidth = m_rest->widths[i].first;
            v.endWidth = m_rest->widths[i].second;
        }
    }
    return v;
}

ZcDbPolylineVertices::Rest& ZcDbPolylineVertices::rest()
{
    if (!m_rest)
        m_rest = std::make_unique<Rest>();
    return *m_rest;
}

bool ZcDbPolylineVertices::reserve(size_t n)
{
    if (n <= m_capacity)
        return true;
    if (n > kMaxVertices)
        return false;
    auto points = std::make_unique<ZcGePoint2d[]>(n);
    std::copy(m_points.get(), m_points.get() + m_size, points.get());
    m_points = std::move(points);
    m_capacity = uint32_t(n);
    return true;
}

bool ZcDbPolylineVertices::insert(size_t index, const Vertex& v)
{
    if (index > m_size || m_size == kMaxVertices)
        return false;
    if (m_size == m_capacity && !reserve(std::min(kMaxVertices, std::max<size_t>(4, size_t(m_capacity) * 2))))
        return false;
    std::copy_backward(m_points.get() + index, m_points.get() + m_size, m_points.get() + m_size + 1);
    m_points[index] = v.point;
    if (m_rest && !m_rest->bulges.empty())
        m_rest->bulges.insert(m_rest->bulges.begin() + std::ptrdiff_t(index), 0.0);
    if (m_rest && !m_rest->widths.empty())
        m_rest->widths.insert(m_rest->widths.begin() + std::ptrdiff_t(index), {kDefaultWidth, kDefaultWidth});
    ++m_size;
    setBulge(index, v.bulge);
    setWidths(index, v.startWidth, v.endWidth);
    return true;
}

void ZcDbPolylineVertices::erase(size_t index)
{
    if (index >= m_size)
        return;
    std::copy(m_points.get() + index + 1, m_points.get() + m_size, m_points.get() + index);
    --m_size;
    if (m_rest && !m_rest->bulges.empty())
        m_rest->bulges.erase(m_rest->bulges.begin() + std::ptrdiff_t(index));
    if (m_rest && !m_rest->widths.empty())
        m_rest->widths.erase(m_rest->widths.begin() + std::ptrdiff_t(index));
}

void ZcDbPolylineVertices::setBulge(size_t i, double bulge)
{
    if (bulge == 0.0 && (!m_rest || m_rest->bulges.empty()))
        return;
    std::vector<double>& bulges = rest().bulges;
    if (bulges.empty()) {
        // Room for the points already reserved: a polyline built vertex by
        // vertex does not regrow its bulges at each one.
        bulges.reserve(m_capacity);
        bulges.assign(m_size, 0.0);
    }
    bulges[i] = bulge;
}

void ZcDbPolylineVertices::setWidths(size_t i, double startWidth, double endWidth)
{
    if (startWidth == kDefaultWidth && endWidth == kDefaultWidth && (!m_rest || m_rest->widths.empty()))
        return;
    auto& widths = rest().widths;
    if (widths.empty())
        widths.assign(m_size, {kDefaultWidth, kDefaultWidth});
    widths[i] = {startWidth, endWidth};
}

bool ZcDbPolylineVertices::assign(const std::vector<Vertex>& vertices)
{
    if (vertices.size() > kMaxVertices)
        return false;
    ZcDbPolylineVertices list;
    list.reserve(vertices.size());
    if (m_rest) {
        list.rest().constantWidth = m_rest->constantWidth;
        list.rest().elevation = m_rest->elevation;
    }
    for (const Vertex& v : vertices)
        list.insert(list.size(), v);
    *this = std::move(list);
    return true;
}

void ZcDbPolylineVertices::setConstantWidth(double width)
{
    if (width != 0.0 || m_rest)
        rest().constantWidth = width;
}

void ZcDbPolylineVertices::setElevation(double z)
{
    if (z != 0.0 || m_rest)
        rest().elevation = z;
}
