// The window on a drawing of polylines: from reading the file to the first
// painted frame (and the scene built on the way), a pan or zoom frame
// (median of 100), a pick and an object snap in the fitted view (medians;
// the first snap also gathers the lines to snap to), for 1,000 to 100,000
// polylines. Offscreen; run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_window [COUNT...]

#include <QApplication>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ZcDbDatabase.h"
#include "bench/PolylineGrid.h"
#include "console/window/DrawingView.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "platform/editor/EntityPick.h"

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(long count)
{
    const std::string path = "/tmp/bench_window_" + std::to_string(count) + ".dxf";
    {
        ZcDbDatabase grid(true);
        std::string error;
        if (!bench::buildPolylineGrid(grid, count) || !platform::writeDxfFile(grid, path, error)) {
            std::fprintf(stderr, "cannot make the drawing: %s\n", error.c_str());
            std::exit(1);
        }
    }
    const auto start = bench::Clock::now();
    ZcDbDatabase db(false);
    std::string error;
    if (!platform::readDxfFile(path, db, error)) {
        std::fprintf(stderr, "cannot read %s: %s\n", path.c_str(), error.c_str());
        std::exit(1);
    }
    const double read = bench::secondsSince(start);
    DrawingView view;
    view.resize(1280, 800);
    view.showDrawing(db);
    const double scene = bench::secondsSince(start);
    view.zoomExtents();
    (void)view.grab();
    const double firstFrame = bench::secondsSince(start);

    std::vector<double> frames, pans, zooms;
    for (int i = 0; i < 100; ++i) {
        const auto frameStart = bench::Clock::now();
        const QPointF cursor(300 + i * 5, 200 + i * 3);
        // Zooms in and back out, so the frames show the whole drawing's worth.
        const double zoom = (i / 2) % 2 ? 0.8 : 1.25;
        view.setMapping(i % 2 ? view.mapping().zoomedAbout(cursor, zoom) : view.mapping().panned({7, -4}));
        (void)view.grab();
        frames.push_back(bench::secondsSince(frameStart));
        (i % 2 ? zooms : pans).push_back(frames.back());
    }

    // Zoomed in five times, where the squares are three pixels wide and are
    // drawn as lines, not dots: every frame draws the view anew.
    view.zoomExtents();
    const ViewMapping closer = view.mapping().zoomedAbout(QPointF(640, 400), 5.0);
    std::vector<double> closeFrames;
    for (int i = 0; i < 20; ++i) {
        const auto frameStart = bench::Clock::now();
        view.setMapping(closer.zoomedAbout(QPointF(640, 400), i % 2 ? 1.01 : 0.99));
        (void)view.grab();
        closeFrames.push_back(bench::secondsSince(frameStart));
    }

    // Picks and snaps in the fitted view, through the index of entity boxes.
    view.zoomExtents();
    std::vector<double> picks, snaps;
    const ViewMapping fitted = view.mapping();
    const auto pixelOf = [](int i) { return QPointF(7.0 * (i % 180), 4.0 * (i % 200)); };
    for (int i = 0; i < 200; ++i) {
        const ZcGePoint2d at = fitted.toWorld(pixelOf(i));
        const auto pickStart = bench::Clock::now();
        (void)platform::pickEntity(db, {at.x, at.y, 0.0}, kPickBoxPixels / fitted.scale);
        picks.push_back(bench::secondsSince(pickStart));
    }
    view.setSnapping(true);
    const auto firstSnapStart = bench::Clock::now();
    (void)view.snapAt(pixelOf(0));
    const double firstSnap = bench::secondsSince(firstSnapStart);
    for (int i = 0; i < 200; ++i) {
        const auto snapStart = bench::Clock::now();
        (void)view.snapAt(pixelOf(i));
        snaps.push_back(bench::secondsSince(snapStart));
    }
    std::printf("%8ld polylines: read %.3f s, scene %.3f s, first frame %.3f s\n"
                "         pan/zoom frame %.1f ms (pans %.1f, zooms %.1f), zoomed in 5x %.1f ms\n"
                "         pick %.3f ms, first snap %.3f s, snap %.3f ms\n",
                count, read, scene, firstFrame, median(frames) * 1e3, median(pans) * 1e3, median(zooms) * 1e3,
                median(closeFrames) * 1e3, median(picks) * 1e3, firstSnap, median(snaps) * 1e3);
    std::remove(path.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::vector<long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atol(argv[i]));
    if (counts.empty())
        counts = {1000, 10000, 100000};
    for (const long count : counts)
        measure(count);
}
