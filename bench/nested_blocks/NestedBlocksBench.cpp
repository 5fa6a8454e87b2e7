// Writes the drawing of nested blocks (bench/NestedBlocks.h) and, beside it,
// the reference drawing of its one polyline inserted once, as DXF files for
// run.sh, and prints the in-process time of writing, reading and picturing
// each.
// Usage: bench_nested_blocks OUT_DIR
// writes OUT_DIR/nested.dxf and OUT_DIR/flat.dxf.

#include <cstdio>
#include <string>

#include "ZcDbDatabase.h"
#include "bench/NestedBlocks.h"
#include "bench/PolylineGrid.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/render/Picture.h"

using namespace platform;

namespace {

// Writes, reads back and pictures a drawing, printing each step's time.
bool timeSteps(ZcDbDatabase& db, const std::string& dir, const std::string& name)
{
    std::string error;
    const std::string dxf = dir + "/" + name + ".dxf";
    auto start = bench::Clock::now();
    if (!writeDxfFile(db, dxf, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    std::printf("%s_write_s %.4f\n", name.c_str(), bench::secondsSince(start));
    ZcDbDatabase read(false);
    start = bench::Clock::now();
    if (!readDxfFile(dxf, read, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    std::printf("%s_read_s %.4f\n", name.c_str(), bench::secondsSince(start));
    std::vector<std::string> notices;
    start = bench::Clock::now();
    if (!writePicture(read, dir + "/" + name + ".png", PictureSettings{}, error, &notices)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    std::printf("%s_render_png_s %.4f\n", name.c_str(), bench::secondsSince(start));
    for (const std::string& n : notices)
        std::printf("# %s: %s\n", name.c_str(), n.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    {
        ZcDbDatabase db;
        zcdbHostApplicationServices()->setWorkingDatabase(&db);
        ok = !bench::buildNestedBlocks(db).isNull() && timeSteps(db, dir, "nested");
        zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
    if (ok) {
        ZcDbDatabase db;
        zcdbHostApplicationServices()->setWorkingDatabase(&db);
        ZcDbBlockTableRecord* space = nullptr;
        ok = zcdbOpenObject(space, db.modelSpaceId(), ZcDb::kForWrite) == Zcad::eOk;
        if (ok) {
            ZcDbPolyline* p = bench::zigzag(bench::kNestedPolylineVertices);
            p->setDatabaseDefaults(&db);
            ok = space->appendZcDbEntity(p) == Zcad::eOk;
            p->close();
            space->close();
        }
        ok = ok && timeSteps(db, dir, "flat");
        zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
    if (!ok)
        std::fprintf(stderr, "building or timing a drawing failed\n");
    std::printf("peak_mb %.1f\n", bench::peakMegabytes());
    return ok ? 0 : 1;
}
