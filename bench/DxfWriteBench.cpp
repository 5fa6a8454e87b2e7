// Builds a drawing of many four-vertex polylines and writes it as DXF,
// printing the time of each step (writing includes flushing to disk). Usage: bench_dxf_write OUT.dxf [COUNT]
// (COUNT defaults to 100000). ezdxf_write.py does the same with ezdxf.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZcDbDatabase.h"
#include "bench/PolylineGrid.h"
#include "platform/dxf/DxfWriter.h"

using namespace platform;

using bench::Clock;
using bench::peakMegabytes;
using bench::secondsSince;

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
    if (!bench::buildPolylineGrid(db, count)) {
        std::fprintf(stderr, "building the polylines failed\n");
        return 1;
    }
    const double build = secondsSince(start);
    const double peakAfterBuild = peakMegabytes();

    start = Clock::now();
    const double cpuStart = bench::processorSeconds();
    std::string error;
    if (!writeDxfFile(db, path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double write = secondsSince(start);
    const double writeCpu = bench::processorSeconds() - cpuStart;

    std::printf("polylines %ld\n", count);
    std::printf("build_s %.4f\n", build);
    std::printf("write_s %.4f\n", write);
    std::printf("write_cpu_s %.4f\n", writeCpu);
    std::printf("peak_after_build_mb %.1f\n", peakAfterBuild);
    std::printf("peak_after_write_mb %.1f\n", peakMegabytes());
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return 0;
}
