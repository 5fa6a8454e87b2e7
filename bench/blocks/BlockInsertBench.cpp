// Defines a block with five attribute definitions, inserts many references
// of it with their attributes filled, and writes the drawing as DXF,
// printing the time of each step. Usage: bench_block_insert OUT.dxf [COUNT]
// (COUNT defaults to 10000). ezdxf_blocks.py does the same with ezdxf.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZcDbAttribute.h"
#include "ZcDbDatabase.h"
#include "ZcDbObjectPointer.h"
#include "bench/PolylineGrid.h"
#include "platform/dxf/DxfWriter.h"
#include "services/Blocks.h"
#include "services/DescriptionBlocks.h"

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
    const long count = argc > 2 ? std::atol(argv[2]) : 10000;

    ZcDbDatabase db;
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    auto start = Clock::now();
    double cpuStart = bench::processorSeconds();
    // The marking description: five fields, as every marking gets one.
    const std::string block = GetHorizontalDescBlock();
    for (long i = 0; i < count; ++i) {
        ZcDbObjectPointer<ZcDbBlockReference> reference;
        ZcDbBlockReference* inserted = InsertBlockReference(
            block.c_str(), ZcGePoint3d(double(i % 100) * 10.0, double(i / 100) * 10.0, 0.0), ZcGeScale3d(2.0), 0.5);
        if (!inserted) {
            std::fprintf(stderr, "inserting failed\n");
            return 1;
        }
        reference.acquire(inserted);
        for (ZcDbObjectId id : reference->attributeIds()) {
            ZcDbObjectPointer<ZcDbAttribute> attribute(id, ZcDb::kForWrite);
            attribute->setTextString(("P-" + std::to_string(i)).c_str());
        }
    }
    const double insert = secondsSince(start);
    const double insertCpu = bench::processorSeconds() - cpuStart;

    start = Clock::now();
    cpuStart = bench::processorSeconds();
    std::string error;
    if (!writeDxfFile(db, path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double write = secondsSince(start);
    const double writeCpu = bench::processorSeconds() - cpuStart;

    std::printf("references %ld\n", count);
    std::printf("insert_s %.4f\n", insert);
    std::printf("write_s %.4f\n", write);
    std::printf("insert_cpu_s %.4f\n", insertCpu);
    std::printf("write_cpu_s %.4f\n", writeCpu);
    std::printf("peak_mb %.1f\n", peakMegabytes());
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return 0;
}
