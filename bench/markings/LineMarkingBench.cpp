// Line markings along a long road edge, as the command draws them: the edge
// picked, two points, the split, the double marking's offsets and the
// description with its attributes. Prints the time per marking at 500,
// 1,000, 2,000 and 4,000 markings, each in a fresh drawing (the pick must
// not slow down as the drawing grows: 4,000 within 1.2 times of 500), and
// the time of one cut of a 500- and a 5,000-vertex edge in drawings of the
// same number of entities, which must grow no faster than the edge.
// Processor time throughout: the machine may be shared.
// Usage: bench_line_markings [COUNT...] (500 1000 2000 4000).

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "ZcDbDatabase.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "bench/PolylineGrid.h"
#include "markings/LineCatalogue.h"
#include "markings/LineMarking.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/InputSource.h"
#include "services/CurveSplitting.h"
#include "services/DatabaseServices.h"

using namespace platform;

namespace {

// A road edge along X with a gentle wave of arcs, n vertices, 2 m apart.
ZcDbObjectId appendEdge(unsigned n)
{
    auto* edge = new ZcDbPolyline;
    for (unsigned i = 0; i < n; ++i)
        edge->addVertexAt(i, ZcGePoint2d(2.0 * i, 5.0 * std::sin(i / 20.0)), i % 2 ? 0.02 : -0.02);
    ZcDbObjectPointer<ZcDbPolyline> closer;
    AppendToModelSpace(edge);
    const ZcDbObjectId id = edge->objectId();
    closer.acquire(edge);
    return id;
}

ZcGePoint3d pointAt(ZcDbObjectId id, double param)
{
    ZcDbObjectPointer<ZcDbPolyline> edge(id, ZcDb::kForRead);
    ZcGePoint3d p;
    edge->getPointAtParam(param, p);
    return p;
}

// Both cut sizes make this many copies, so that their drawings hold as many
// entities and only the edge's length differs.
constexpr int kCutRounds = 400;

// Seconds per cut of a fresh copy of an n-vertex edge in its middle.
double secondsPerCut(unsigned n)
{
    ZcDbDatabase db;
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    const ZcDbObjectId edge = appendEdge(n);
    const ZcGePoint3d middle = pointAt(edge, n / 2.0 + 0.37);
    const int rounds = kCutRounds;
    const double start = bench::processorSeconds();
    for (int r = 0; r < rounds; ++r) {
        ZcDbObjectId copyId;
        {
            ZcDbObjectPointer<ZcDbPolyline> source(edge, ZcDb::kForRead);
            auto* copy = static_cast<ZcDbPolyline*>(source->clone());
            ZcDbObjectPointer<ZcDbPolyline> closer;
            AppendToModelSpace(copy);
            copyId = copy->objectId();
            closer.acquire(copy);
        }
        SplitPolylineAt(copyId, middle);
    }
    const double seconds = (bench::processorSeconds() - start) / rounds;
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return seconds;
}

std::string point(const ZcGePoint3d& p)
{
    std::ostringstream s;
    s.precision(17);
    s << p.x << ',' << p.y;
    return s.str();
}

// Seconds per marking of `count` P-4 markings along a fresh n-vertex edge.
double secondsPerMarking(long count, unsigned n)
{
    ZcDbDatabase db;
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    const ZcDbObjectId edge = appendEdge(n);
    // Each marking: the edge picked at a vertex, two points 20 to 120 m
    // apart, a description line of two points.
    std::ostringstream script;
    for (long i = 0; i < count; ++i) {
        const double a = double((i * 37) % 380) + 0.25;
        const double b = a + 10.0 + double((i * 11) % 50);
        script << "pick " << point(pointAt(edge, std::floor(a))) << '\n'
               << point(pointAt(edge, a)) << '\n'
               << point(pointAt(edge, b)) << '\n'
               << "0," << (20 + i) << "\n5," << (20 + i) << "\n\n";
    }
    std::istringstream in(script.str());
    StreamInput input(in, "bench.scr");
    commandLine().setInput(&input);
    LineMarkingChoice choice;
    for (const D_Linetype& entry : LineCatalogue())
        if (entry.symbol == "P-4")
            choice.entry = entry;
    choice.destinationName = "Projektowany";
    const double start = bench::processorSeconds();
    for (long i = 0; i < count; ++i)
        DrawLineMarking(choice);
    const double total = bench::processorSeconds() - start;
    commandLine().setInput(nullptr);
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return total / double(count);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atol(argv[i]));
    if (counts.empty())
        counts = {500, 1000, 2000, 4000};
    const unsigned n = 500;
    // The command's prompts go to stdout; the figures to stderr.
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    std::vector<double> perMarking;
    for (long count : counts)
        perMarking.push_back(secondsPerMarking(count, n));
    if (quiet)
        std::fclose(quiet);
    for (size_t i = 0; i < counts.size(); ++i)
        std::fprintf(stderr, "%ld P-4 markings along a %u-vertex edge: %.1f us of processor time per marking\n",
                     counts[i], n, perMarking[i] * 1e6);
    if (counts.size() > 1) {
        const double growth = perMarking.back() / perMarking.front();
        std::fprintf(stderr, "per marking at %ld over at %ld: %.2f× (goal at most 1.2×: %s)\n", counts.back(),
                     counts.front(), growth, growth <= 1.2 ? "met" : "not met");
    }

    const double cut500 = secondsPerCut(500), cut5000 = secondsPerCut(5000);
    std::fprintf(stderr,
                 "one cut, %d copies in each drawing: 500 vertices %.2f us, 5000 vertices %.2f us "
                 "(%.1f× for 10× the vertices)\n",
                 kCutRounds, cut500 * 1e6, cut5000 * 1e6, cut5000 / cut500);
    return 0;
}
