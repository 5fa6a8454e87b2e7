#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Model space's entity boxes in a uniform grid, so that a pick measures
// only the entities near the picked point. Entries follow the order of model
// space's entity list (an entity's rank there is its stub's pickSlot - 1),
// which is the order ties are decided in. Kept by the entity pick from the
// drawing's log of changed objects (ZcDbDatabaseImpl::changeLog).
struct PickIndex {
    enum class Place : uint8_t {
        Grid,        // in the cells its box covers
        Runs,        // a long polyline: its runs of segments in the run cells their boxes cover
        Wide,        // a box over many cells: its box is looked at every pick
        Everywhere,  // no box: measured at every pick
        Nowhere,     // erased: never found
    };
    // A plan box widened outwards to floats: a smaller entry, still never
    // nearer to a point than its entity.
    struct Entry {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        Place place = Place::Everywhere;
        uint32_t runs = 0;  // its runs of segments: runPool's slot + 1; 0 for none
    };
    std::vector<Entry> entries;
    // Runs of a few consecutive segments of long polylines: each lies within
    // `reach` of the chord from its first vertex to its last, so that a pick
    // passes over a polyline, or measures only the runs that come near, by
    // these alone, however many long polylines lie over the picked point.
    struct Run {
        double x0, y0, x1, y1;
        float reach;
    };
    struct SegmentRuns {
        uint32_t perRun = 0;  // segments in each run but perhaps the last
        std::vector<Run> runs;
    };
    std::vector<SegmentRuns> runPool;
    std::vector<uint32_t> freeRuns;  // slots of runPool no entry holds
    double originX = 0, originY = 0, cellSize = 1;
    int columns = 1, rows = 1;
    std::vector<std::vector<uint32_t>> cells;  // ranks, row by row
    // A run of segments where it is placed: its chord from the grid's origin
    // in floats, its reach grown by their rounding, so that a pick passes
    // over most runs near it by the cells alone.
    struct RunPlace {
        uint32_t rank, run;
        float x0, y0, x1, y1, reach;
    };
    std::vector<std::vector<RunPlace>> runCells;  // in the same layout as cells; none until a run is placed
    std::vector<uint32_t> everywhere;             // ranks of the wide and the boxless
    size_t builtFor = 0;                          // entities when the grid was laid out
};

}  // namespace platform
