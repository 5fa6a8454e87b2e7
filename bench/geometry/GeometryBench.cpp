// Time per operation of the geometry toolkit, and of one compound kerb
// curve built from given picks (no input, no drawing).
// Run: bench_geometry [--benchmark_filter=REGEX]

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <random>

#include "geometry/Arcs.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "markings/CompoundCurve.h"

namespace {

// Picks of a survey-sized drawing; the operations cycle through them so
// that no result is known in advance.
constexpr size_t kCount = 1024;

struct Picks {
    std::array<ZcGePoint3d, kCount> points;
    std::array<double, kCount> values;
};

const Picks& picks()
{
    static const Picks data = [] {
        Picks p;
        std::mt19937 random(1);
        std::uniform_real_distribution<double> coord(-500.0, 500.0), value(0.5, 50.0);
        for (size_t i = 0; i < kCount; ++i) {
            p.points[i] = {7500000.0 + coord(random), 5500000.0 + coord(random), 0.0};
            p.values[i] = value(random);
        }
        return p;
    }();
    return data;
}

const ZcGePoint3d& point(size_t i) { return picks().points[i % kCount]; }
ZcGePoint2d point2d(size_t i) { return MakePoint2d(point(i)); }
double value(size_t i) { return picks().values[i % kCount]; }

template <class Op>
void loop(benchmark::State& state, Op op)
{
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(op(i));
        ++i;
    }
}

void BM_PolarPoint(benchmark::State& s) { loop(s, [](size_t i) { return PolarPoint(point(i), value(i), value(i + 1)); }); }
void BM_PointAngle(benchmark::State& s) { loop(s, [](size_t i) { return PointAngle(point(i), point(i + 1)); }); }
void BM_PointAlong(benchmark::State& s) { loop(s, [](size_t i) { return PointAlong(point(i), point(i + 1), value(i)); }); }
void BM_UnitVector(benchmark::State& s) { loop(s, [](size_t i) { return UnitVector(point(i), point(i + 1)); }); }
void BM_PerpUnitVector(benchmark::State& s) { loop(s, [](size_t i) { return PerpUnitVector(point(i), point(i + 1)); }); }
void BM_DistanceToLine(benchmark::State& s)
{
    loop(s, [](size_t i) { return DistanceToLine(point(i), point(i + 1), point(i + 2)); });
}
void BM_DistanceToLine2d(benchmark::State& s)
{
    loop(s, [](size_t i) { return DistanceToLine(point2d(i), point2d(i + 1), point2d(i + 2)); });
}
void BM_ProjectToLine(benchmark::State& s)
{
    loop(s, [](size_t i) { return ProjectToLine(point(i), point(i + 1), point(i + 2)); });
}
void BM_LineAngleDeg(benchmark::State& s)
{
    loop(s, [](size_t i) { return LineAngleDeg(point(i), point(i + 1), point(i + 2), point(i + 3)); });
}
void BM_OffsetLine(benchmark::State& s)
{
    loop(s, [](size_t i) { return OffsetLine(point(i), point(i + 1), point(i + 2), value(i)); });
}
void BM_IntersectLines(benchmark::State& s)
{
    loop(s, [](size_t i) { return IntersectLines(point(i), point(i + 1), point(i + 2), point(i + 3)); });
}
void BM_IntersectLineCircle(benchmark::State& s)
{
    // Radii large enough that most lines meet the circle.
    loop(s, [](size_t i) { return IntersectLineCircle(point(i), 20.0 * value(i), point(i + 1), point(i + 2)); });
}
void BM_FilletLines(benchmark::State& s)
{
    loop(s, [](size_t i) {
        return FilletLines(point(i), point(i + 1), point(i + 2), point(i + 3), value(i), point(i + 4));
    });
}
void BM_ClockwiseBulge(benchmark::State& s)
{
    loop(s, [](size_t i) { return ClockwiseBulge(point(i), point(i + 1), point(i + 2)); });
}
void BM_ArcRadius(benchmark::State& s) { loop(s, [](size_t i) { return ArcRadius(point(i), point(i + 1), 0.3); }); }
void BM_ArcCentre(benchmark::State& s) { loop(s, [](size_t i) { return ArcCentre(point(i), point(i + 1), -0.4); }); }
void BM_ArcCentre2d(benchmark::State& s)
{
    loop(s, [](size_t i) { return ArcCentre(point2d(i), point2d(i + 1), -0.4); });
}

// One "D_Koszowa" construction from picks at a corner of 20 to 140 degrees.
void BM_CompoundCurve(benchmark::State& s)
{
    loop(s, [](size_t i) {
        const ZcGePoint3d& corner = point(i);
        const double a = 0.05 * double(i % 97), turn = (20.0 + double(i % 120)) * 3.141592653589793 / 180.0;
        const ZcGePoint3d first = corner + ZcGeVector3d(std::cos(a), std::sin(a), 0) * 30.0;
        const ZcGePoint3d second = corner + ZcGeVector3d(std::cos(a + turn), std::sin(a + turn), 0) * 40.0;
        return BuildCompoundCurve(first, corner, second, value(i));
    });
}

}  // namespace

BENCHMARK(BM_PolarPoint);
BENCHMARK(BM_PointAngle);
BENCHMARK(BM_PointAlong);
BENCHMARK(BM_UnitVector);
BENCHMARK(BM_PerpUnitVector);
BENCHMARK(BM_DistanceToLine);
BENCHMARK(BM_DistanceToLine2d);
BENCHMARK(BM_ProjectToLine);
BENCHMARK(BM_LineAngleDeg);
BENCHMARK(BM_OffsetLine);
BENCHMARK(BM_IntersectLines);
BENCHMARK(BM_IntersectLineCircle);
BENCHMARK(BM_FilletLines);
BENCHMARK(BM_ClockwiseBulge);
BENCHMARK(BM_ArcRadius);
BENCHMARK(BM_ArcCentre);
BENCHMARK(BM_ArcCentre2d);
BENCHMARK(BM_CompoundCurve);

BENCHMARK_MAIN();
