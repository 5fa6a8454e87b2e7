// Reads, writes and renders each DXF file named on standard input (one
// path a line), for bench/corpus.sh. For file number i it writes
// OUTDIR/i.dxf and OUTDIR/i.png and prints tab-separated lines:
//   file  i  ok|failed  message
//   kept  i  KIND  count        entities kept as read, by kind
//   notice  i  text            what the picture leaves out
// and at the end the seconds spent reading, writing and rendering.
// Usage: bench_corpus OUTDIR < list

#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/ZcDbRawObject.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/render/Picture.h"
#include "platform/render/PictureFile.h"

using namespace platform;

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Entities kept as read in every block (model and paper space included),
// with those that follow them.
std::map<std::string, long> keptAsRead(const ZcDbDatabase& db)
{
    std::map<std::string, long> kinds;
    const auto* table = ZcDbObjectAccess::peekAs<ZcDbBlockTable>(db.blockTableId());
    if (!table)
        return kinds;
    for (const ZcDbObjectId& blockId : table->recordIds()) {
        const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId);
        if (!block)
            continue;
        for (const ZcDbObjectId& id : block->entityIds())
            if (const auto* raw = ZcDbObjectAccess::peekAs<ZcDbRawEntity>(id))
                if (!raw->isErased())
                    ++kinds[raw->kind()];
    }
    return kinds;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR < list\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    double readSeconds = 0.0, writeSeconds = 0.0, renderSeconds = 0.0;
    std::string path;
    for (int i = 0; std::getline(std::cin, path); ++i) {
        if (path.empty())
            continue;
        std::string error;
        ZcDbDatabase db(false);
        Clock::time_point start = Clock::now();
        const bool read = readDxfFile(path, db, error);
        readSeconds += since(start);
        if (!read) {
            std::printf("file\t%d\tfailed\treading: %s\n", i, error.c_str());
            continue;
        }
        // Timed in memory, as ezdxf's writing is: the file's own safe
        // replacement (a temporary file synced and renamed) is a disk's time.
        start = Clock::now();
        const std::string text = dxfToString(db, &error);
        writeSeconds += since(start);
        if (!error.empty() || !writeFileWhole(out + "/" + std::to_string(i) + ".dxf", text, error)) {
            std::printf("file\t%d\tfailed\twriting: %s\n", i, error.c_str());
            continue;
        }
        for (const auto& [kind, count] : keptAsRead(db))
            std::printf("kept\t%d\t%s\t%ld\n", i, kind.c_str(), count);
        PictureSettings settings;
        settings.size = 400;
        std::vector<std::string> notices;
        start = Clock::now();
        const bool pictured = writePicture(db, out + "/" + std::to_string(i) + ".png", settings, error, &notices);
        renderSeconds += since(start);
        for (const std::string& n : notices)
            std::printf("notice\t%d\t%s\n", i, n.c_str());
        std::printf("file\t%d\t%s\t%s\n", i, pictured ? "ok" : "failed", pictured ? "" : ("picture: " + error).c_str());
    }
    std::printf("seconds\tread\t%.3f\nseconds\twrite\t%.3f\nseconds\trender\t%.3f\n", readSeconds, writeSeconds,
                renderSeconds);
    return 0;
}
