#pragma once

// The benchmarks' drawing: a 1000-wide grid of open four-vertex squares,
// the same as ezdxf_write.py makes, and the process's peak memory.

#include <sys/resource.h>

#include <chrono>
#include <ctime>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbPolyline.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's processor time so far, in seconds: on a shared machine
// the figure to compare, where the wall clock also holds the waiting.
inline double processorSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Peak resident memory of the process so far, in MB.
inline double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

inline bool buildPolylineGrid(ZcDbDatabase& db, long count)
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

}  // namespace bench
