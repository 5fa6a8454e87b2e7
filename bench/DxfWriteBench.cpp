// Builds a drawing of many four-vertex polylines and writes it as DXF,
// printing the time of each step (writing includes flushing to disk). Usage: bench_dxf_write OUT.dxf [COUNT]
// (COUNT defaults to 100000). ezdxf_write.py does the same with ezdxf.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbPolyline.h"
#include "platform/dxf/DxfWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

// Peak resident memory of the process so far, in MB.
double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The same polylines as ezdxf_write.py: a 1000-wide grid of open squares.
bool buildPolylines(ZcDbDatabase& db, long count)
{
    ZcDbBlockTableRecord* space = nullptr;
    if (zcdbOpenObject(space, db.modelSpaceId(), ZcDb::kForWrite) != Zcad::eOk)
        return false;
    bool ok = true;
    for (long i = 0; i < count && ok; ++i) {
        const double x = double(i % 1000) * 10.0;
        const double y = double(i / 1000) * 10.0;
        auto* p = new ZcDbPolyline;
        p->setDatabaseDefaults(&db);
        p->addVertexAt(0, {x, y});
        p->addVertexAt(1, {x + 5.0, y});
        p->addVertexAt(2, {x + 5.0, y + 5.0});
        p->addVertexAt(3, {x, y + 5.0});
        ok = space->appendZcDbEntity(p) == Zcad::eOk;
        p->close();
    }
    space->close();
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.dxf [COUNT]\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    const long count = argc > 2 ? std::atol(argv[2]) : 100000;

    ZcDbDatabase db;
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    auto start = Clock::now();
    if (!buildPolylines(db, count)) {
        std::fprintf(stderr, "building the polylines failed\n");
        return 1;
    }
    const double build = secondsSince(start);
    const double peakAfterBuild = peakMegabytes();

    start = Clock::now();
    std::string error;
    if (!writeDxfFile(db, path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double write = secondsSince(start);

    std::printf("polylines %ld\n", count);
    std::printf("build_s %.4f\n", build);
    std::printf("write_s %.4f\n", write);
    std::printf("peak_after_build_mb %.1f\n", peakAfterBuild);
    std::printf("peak_after_write_mb %.1f\n", peakMegabytes());
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return 0;
}
