// Builds the drawing of many four-vertex polylines (the same grid as
// bench_dxf_write and ezdxf_write.py), writes it as DXF for the programs it
// is compared with, and renders it to PNG, printing the time of each step.
// Usage: bench_render OUT_DIR [COUNT] [SIZE] (COUNT 100000, SIZE 1600 by default);
// writes OUT_DIR/polylines.dxf and OUT_DIR/polylines.png.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZcDbDatabase.h"
#include "bench/PolylineGrid.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/render/Picture.h"

using namespace platform;

using bench::Clock;
using bench::peakMegabytes;
using bench::secondsSince;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT_DIR [COUNT] [SIZE]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const long count = argc > 2 ? std::atol(argv[2]) : 100000;
    PictureSettings settings;
    settings.size = argc > 3 ? std::atoi(argv[3]) : 1600;

    ZcDbDatabase db;
    zcdbHostApplicationServices()->setWorkingDatabase(&db);
    if (!bench::buildPolylineGrid(db, count)) {
        std::fprintf(stderr, "building the polylines failed\n");
        return 1;
    }
    std::string error;
    if (!writeDxfFile(db, dir + "/polylines.dxf", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double beforeRender = peakMegabytes();
    const auto start = Clock::now();
    if (!writePicture(db, dir + "/polylines.png", settings, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double render = secondsSince(start);
    std::printf("polylines %ld\n", count);
    std::printf("render_png_s %.4f\n", render);
    std::printf("peak_before_render_mb %.1f\n", beforeRender);
    std::printf("peak_after_render_mb %.1f\n", peakMegabytes());
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return 0;
}
