#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "ZcGePoint2d.h"
#include "ZrxExport.h"

// One vertex of a lightweight polyline with the segment that starts there.
struct ZRX_EXPORT ZcDbPolylineVertex {
    ZcGePoint2d point;
    double bulge = 0.0;
    double startWidth = -1.0;  // negative: the polyline's constant width
    double endWidth = -1.0;
};

// A polyline's vertices, kept compact because a drawing holds many
// polylines and most are straight and without width: the points are one
// array, and bulges and widths (with the constant width and the elevation)
// are allocated only once one of them leaves its default. Reading gives
// whole vertices by value, as a vector of them would.
class ZRX_EXPORT ZcDbPolylineVertices {
public:
    using Vertex = ZcDbPolylineVertex;

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Vertex;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Vertex;

        const_iterator() = default;
        const_iterator(const ZcDbPolylineVertices* list, size_t at) : m_list(list), m_at(at) {}
        Vertex operator*() const { return (*m_list)[m_at]; }
        const_iterator& operator++()
        {
            ++m_at;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++m_at;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_at == other.m_at; }
        bool operator!=(const const_iterator& other) const { return m_at != other.m_at; }

    private:
        const ZcDbPolylineVertices* m_list = nullptr;
        size_t m_at = 0;
    };

    ZcDbPolylineVertices() = default;
    ZcDbPolylineVertices(const ZcDbPolylineVertices& other);
    ZcDbPolylineVertices& operator=(const ZcDbPolylineVertices& other);
    ZcDbPolylineVertices(ZcDbPolylineVertices&& other) noexcept = default;
    ZcDbPolylineVertices& operator=(ZcDbPolylineVertices&& other) noexcept = default;
    ~ZcDbPolylineVertices() = default;

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    Vertex operator[](size_t i) const;
    Vertex front() const { return (*this)[0]; }
    Vertex back() const { return (*this)[m_size - 1]; }
    const ZcGePoint2d& point(size_t i) const { return m_points[i]; }
    double bulge(size_t i) const { return m_rest && !m_rest->bulges.empty() ? m_rest->bulges[i] : 0.0; }
    // Whether any vertex has a bulge, or a width of its own, stored.
    bool hasBulges() const { return m_rest && !m_rest->bulges.empty(); }
    bool hasWidths() const { return m_rest && !m_rest->widths.empty(); }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_size}; }

    // False, with nothing changed, when the list cannot grow any more.
    bool reserve(size_t n);
    bool insert(size_t index, const Vertex& v);
    void erase(size_t index);
    void setPoint(size_t i, const ZcGePoint2d& p) { m_points[i] = p; }
    void setBulge(size_t i, double bulge);
    void setWidths(size_t i, double startWidth, double endWidth);
    bool assign(const std::vector<Vertex>& vertices);

    double constantWidth() const { return m_rest ? m_rest->constantWidth : 0.0; }
    void setConstantWidth(double width);
    double elevation() const { return m_rest ? m_rest->elevation : 0.0; }
    void setElevation(double z);

private:
    struct Rest {
        std::vector<double> bulges;                     // empty: all 0
        std::vector<std::pair<double, double>> widths;  // empty: all -1
        double constantWidth = 0.0;
        double elevation = 0.0;
    };
    Rest& rest();

    std::unique_ptr<ZcGePoint2d[]> m_points;
    uint32_t m_size = 0;
    uint32_t m_capacity = 0;
    std::unique_ptr<Rest> m_rest;
};
