#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "console/window/DrawingView.h"
#include "tests/window/WindowDrawing.h"

namespace {

// A difference of colour channels that is a shade, not a line missing.
constexpr int kShade = 8;
// Pixels that may differ by more: a few line ends rounded the other way.
constexpr int kRoundedPixels = 60;

// Pixels whose colour differs between two pictures by more than a little:
// rounding may move a line's edge by a shade here and there, a picture put
// together wrongly differs along every line.
int pixelsDiffering(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return x.width() * x.height();
    int count = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            count += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                               std::abs(qBlue(p) - qBlue(q))}) > kShade;
        }
    return count;
}

// The picture a view shows at a mapping when it draws it all at once.
QImage drawnAnew(const ZcDbDatabase& db, const ViewMapping& mapping, QSize size)
{
    DrawingView fresh;
    fresh.resize(size);
    fresh.showDrawing(db);
    fresh.setMapping(mapping);
    return fresh.grab().toImage();
}

}  // namespace

// The view keeps what it drew and, for a pan by whole pixels, shifts it and
// draws only the strips that came into view. Whatever the moves, the view
// shows what drawing it all at the same mapping shows: lines and circles,
// and shapes smaller than a pixel drawn as dots.
TEST(ScenePicture, PansAndZoomsShowWhatDrawingAnewShows)
{
    WindowDrawing drawing;
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> coordinate(-500.0, 500.0), size(0.05, 40.0);
    for (int i = 0; i < 400; ++i) {
        const ZcGePoint3d at(coordinate(random), coordinate(random), 0.0);
        if (i % 4 == 0)
            drawing.append(new ZcDbCircle(at, {0, 0, 1}, size(random)));
        else
            drawing.append(new ZcDbLine(at, at + ZcGeVector3d(size(random), size(random) - 20.0, 0.0)));
    }
    DrawingView view;
    view.resize(320, 240);
    view.showDrawing(drawing.db());
    view.zoomExtents();
    std::uniform_int_distribution<int> step(-90, 90);
    for (int move = 0; move < 24; ++move) {
        ViewMapping next = view.mapping();
        switch (move % 6) {
        case 0: next = next.zoomedAbout({100, 80}, 1.6); break;
        case 3: next = next.panned({0.5, 0.25}); break;  // not whole pixels: drawn anew
        case 5: next = next.panned({400, 10}); break;    // all of it new
        default: next = next.panned({double(step(random)), double(step(random))}); break;
        }
        view.setMapping(next);
        const QImage shown = view.grab().toImage();
        const int differing = pixelsDiffering(shown, drawnAnew(drawing.db(), view.mapping(), view.size()));
        EXPECT_LE(differing, kRoundedPixels) << "after move " << move;
    }
}
