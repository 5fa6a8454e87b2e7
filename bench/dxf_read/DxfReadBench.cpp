// Reads a DXF file with this project's reader and prints the time it took
// and the peak memory, for the comparison in run.sh.
// Usage: bench_dxf_read FILE.dxf

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbPolyline.h"
#include "platform/db/ObjectAccess.h"
#include "platform/dxf/DxfReader.h"

using namespace platform;

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.dxf\n", argv[0]);
        return 2;
    }
    ZcDbDatabase db(false);
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    if (!readDxfFile(argv[1], db, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double cpu = cpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    size_t polylines = 0, vertices = 0;
    for (const ZcDbObjectId& id : ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId())->entityIds())
        if (const auto* p = ZcDbObjectAccess::peekAs<ZcDbPolyline>(id)) {
            ++polylines;
            vertices += p->numVerts();
        }
    std::printf("polylines %zu\nvertices %zu\nread_s %.4f\nread_cpu_s %.4f\npeak_mb %.1f\n", polylines, vertices, wall,
                cpu, peakMegabytes());
    return 0;
}
