#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <fstream>

#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "ZcDbObjectPointer.h"
#include "console/window/CommandLineWidget.h"
#include "console/window/DrawingView.h"
#include "console/window/DrawingWindow.h"
#include "console/window/LayersPanel.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/CommandLoop.h"
#include "tests/support/TestPaths.h"
#include "tests/window/WindowDrawing.h"
#include "zced.h"

using platform::commandLine;

namespace {

// A window that is the command line's input, over a drawing of its own.
class WindowPrompts : public testing::Test {
protected:
    void SetUp() override
    {
        window.newDrawing();
        window.show();
        commandLine().reset();
        commandLine().setInput(&window.input());
        commandLine().ucs() = {};
    }
    void TearDown() override
    {
        commandLine().setInput(nullptr);
        commandLine().ucs() = {};
    }
    // Does what a user would once the next prompt waits.
    void then(std::function<void()> action) { QTimer::singleShot(0, &window, std::move(action)); }
    void setView(double scale, ZcGePoint2d centre)
    {
        ViewMapping view;
        view.scale = scale;
        view.centre = centre;
        window.view()->setMapping(view);
    }

    DrawingWindow window;
};

struct ClickCase {
    const char* name;
    double scale;
    ZcGePoint2d centre;
    double ucsDegrees;
    ZcGePoint3d ucsOrigin;
    ZcGePoint3d point;  // clicked, in the user system
};

class ClickAtPointPrompt : public WindowPrompts, public testing::WithParamInterface<ClickCase> {};

}  // namespace

// A left click in the view at a point prompt answers with the point under
// the cursor, in the user system, at any zoom.
TEST_P(ClickAtPointPrompt, GivesThePointUnderTheCursor)
{
    const ClickCase& c = GetParam();
    setView(c.scale, c.centre);
    commandLine().ucs() = {c.ucsOrigin, c.ucsDegrees * M_PI / 180.0};
    const std::string click = "click " + std::to_string(c.point.x) + "," + std::to_string(c.point.y);
    then([&] { window.replay(QString::fromStdString(click)); });
    ads_point p = {0, 0, 0};
    ASSERT_EQ(zcedGetPoint(nullptr, "\nWskaż punkt", p), RTNORM);
    EXPECT_EQ(p[0], c.point.x);
    EXPECT_EQ(p[1], c.point.y);
}

INSTANTIATE_TEST_SUITE_P(ZoomsAndUserSystems, ClickAtPointPrompt,
                         testing::Values(ClickCase{"world", 1.0, {0, 0}, 0.0, {0, 0, 0}, {12.5, -3, 0}},
                                         ClickCase{"zoomed_in", 400.0, {12, -3}, 0.0, {0, 0, 0}, {12.5, -3.25, 0}},
                                         ClickCase{"zoomed_out", 0.05, {0, 0}, 0.0, {0, 0, 0}, {-2000, 1500, 0}},
                                         ClickCase{"turned", 8.0, {125.5, 40}, 30.0, {125.5, 40, 0}, {-30, 0, 0}},
                                         ClickCase{
                                             "moved_off_screen", 2.0, {0, 0}, -45.0, {1000, 0, 0}, {-1000, -1000, 0}}),
                         [](const auto& test) { return std::string(test.param.name); });

struct PickCase {
    const char* name;
    double scale;   // pixels per drawing unit
    double offset;  // of the click from the line, in drawing units
    bool picked;
};

class ClickAtEntityPrompt : public WindowPrompts, public testing::WithParamInterface<PickCase> {};

// The pick box is five pixels whatever the zoom: far beyond the console's
// half metre when zoomed out, well within it zoomed in.
TEST_P(ClickAtEntityPrompt, PicksWithinThePickBoxInPixels)
{
    const PickCase& c = GetParam();
    WindowDrawing::appendTo(*window.drawing(), new ZcDbLine({0, 0, 0}, {100, 0, 0}));
    window.view()->showDrawing(*window.drawing());
    setView(c.scale, {50, 0});
    const std::string click = "click 50," + std::to_string(c.offset);
    then([&] { window.replay(QString::fromStdString(click)); });
    ads_name ent;
    ads_point p = {0, 0, 0};
    ASSERT_EQ(zcedEntSel("\nWskaż obiekt", ent, p), c.picked ? RTNORM : RTERROR);
    if (c.picked) {
        // The point given is the one clicked, as a script's pick gives it.
        EXPECT_EQ(p[0], 50.0);
        EXPECT_EQ(p[1], c.offset);
    }
    // Typed picks find within the same box in pixels.
    then([&] { window.replay(QString::fromStdString("pick 50," + std::to_string(c.offset))); });
    EXPECT_EQ(zcedEntSel("\nWskaż obiekt", ent, p), c.picked ? RTNORM : RTERROR);
}

INSTANTIATE_TEST_SUITE_P(PickBox, ClickAtEntityPrompt,
                         testing::Values(PickCase{"near_at_1px", 1.0, 3.0, true},
                                         PickCase{"far_at_1px", 1.0, 8.0, false},
                                         PickCase{"zoomed_out_beyond_half_a_metre", 0.1, 30.0, true},
                                         PickCase{"zoomed_in_near", 100.0, 0.03, true},
                                         PickCase{"zoomed_in_within_half_a_metre_but_8px", 100.0, 0.08, false}),
                         [](const auto& test) { return std::string(test.param.name); });

struct BandCase {
    const char* name;
    bool base;  // the prompt has a base point
    double scale;
    double ucsDegrees;
};

class RubberBand : public WindowPrompts, public testing::WithParamInterface<BandCase> {};

// While a point prompt with a base point waits, a line runs on screen from
// the base point to the cursor, wherever the user system puts the base.
TEST_P(RubberBand, RunsFromTheBasePointToTheCursor)
{
    const BandCase& c = GetParam();
    setView(c.scale, {0, 0});
    commandLine().ucs() = {{10, 5, 0}, c.ucsDegrees * M_PI / 180.0};
    const ads_point base = {-10, 3, 0};
    const QPoint cursor(60, 50);
    QImage grabbed;
    QPointF from;
    then([&] {
        DrawingView* view = window.view();
        from = pixelOfUserPoint(view->mapping(), commandLine().ucs(), {base[0], base[1], base[2]});
        QMouseEvent move(QEvent::MouseMove, QPointF(cursor), view->mapToGlobal(QPointF(cursor)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        grabbed = view->grab().toImage();
        QTest::keyClick(window.commandLineWidget()->edit(), Qt::Key_Escape);
    });
    ads_point p = {0, 0, 0};
    ASSERT_EQ(zcedGetPoint(c.base ? base : nullptr, "\nWskaż punkt", p), RTCAN);
    ASSERT_FALSE(grabbed.isNull());
    const QColor background = grabbed.pixelColor(grabbed.width() - 2, grabbed.height() - 2);
    // Points along the band, away from its ends, are lit on an empty drawing.
    int lit = 0;
    const int samples = 20;
    for (int i = 2; i < samples - 2; ++i) {
        const QPointF at = from + (QPointF(cursor) - from) * (double(i) / samples);
        bool near = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                near = near || grabbed.pixelColor(int(at.x()) + dx, int(at.y()) + dy) != background;
        lit += near;
    }
    EXPECT_EQ(lit, c.base ? samples - 4 : 0) << "from " << from.x() << "," << from.y();
}

INSTANTIATE_TEST_SUITE_P(BasePoints, RubberBand,
                         testing::Values(BandCase{"world", true, 10.0, 0.0}, BandCase{"turned_ucs", true, 6.0, 40.0},
                                         BandCase{"no_base", false, 10.0, 0.0}),
                         [](const auto& test) { return std::string(test.param.name); });

// Keys and the right button end and cancel prompts as CAD users expect.
TEST_F(WindowPrompts, EnterSpaceRightClickEndAPointSequenceAndEscCancels)
{
    QLineEdit* edit = window.commandLineWidget()->edit();
    ads_point p = {0, 0, 0};
    then([&] { QTest::keyClick(edit, Qt::Key_Space); });
    EXPECT_EQ(zcedGetPoint(nullptr, "\nWskaż kolejny punkt", p), RTNONE);
    then([&] { QTest::mouseClick(window.view(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20)); });
    EXPECT_EQ(zcedGetPoint(nullptr, "\nWskaż kolejny punkt", p), RTNONE);
    then([&] { QTest::keyClick(edit, Qt::Key_Return); });
    EXPECT_EQ(zcedGetPoint(nullptr, "\nWskaż kolejny punkt", p), RTNONE);
    then([&] { QTest::keyClick(edit, Qt::Key_Escape); });
    EXPECT_EQ(zcedGetPoint(nullptr, "\nWskaż kolejny punkt", p), RTCAN);
    // Typed coordinates with Space to end them.
    then([&] {
        QTest::keyClicks(edit, "3.5,-2");
        QTest::keyClick(edit, Qt::Key_Space);
    });
    ASSERT_EQ(zcedGetPoint(nullptr, "\nWskaż kolejny punkt", p), RTNORM);
    EXPECT_EQ(p[0], 3.5);
    EXPECT_EQ(p[1], -2.0);
}

// Closing the window while a command waits answers it as Esc, and every
// later prompt too, so the command unwinds with nothing left open.
TEST_F(WindowPrompts, ClosingDuringACommandCancelsIt)
{
    ads_point p = {0, 0, 0};
    then([&] { window.close(); });
    EXPECT_EQ(zcedGetPoint(nullptr, "\nWskaż punkt", p), RTCAN);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(zcedGetPoint(nullptr, "\nWskaż kolejny punkt", p), RTCAN);
    EXPECT_TRUE(commandLine().inputEnded());
}

// Clicks in the layers panel change the drawing's layers: on and off,
// frozen, current.
TEST_F(WindowPrompts, LayersPanelChangesTheDrawing)
{
    then([&] {
        QTest::keyClicks(window.commandLineWidget()->edit(), "LAYER Projektowane");
        QTest::keyClick(window.commandLineWidget()->edit(), Qt::Key_Return);
        QTimer::singleShot(0, &window, [&] { window.input().close(); });
    });
    platform::runCommandLoop();
    LayersPanel* panel = window.layers();
    panel->showDrawing(window.drawing());
    ASSERT_EQ(panel->rowCount(), 2);
    ASSERT_EQ(panel->item(0, 0)->text(), "0");
    const auto click = [&](int row, int column) {
        QTest::mouseClick(panel->viewport(), Qt::LeftButton, Qt::NoModifier,
                          panel->visualItemRect(panel->item(row, column)).center());
    };
    const auto layerNamed = [&](const char* name) {
        ZcDbObjectId id;
        ZcDbObjectPointer<ZcDbLayerTable> table(window.drawing()->layerTableId(), ZcDb::kForRead);
        table->getAt(name, id);
        return id;
    };
    click(0, 4);  // layer 0 current
    click(1, 2);  // the other off
    click(1, 3);  // and frozen
    EXPECT_EQ(window.drawing()->clayer(), layerNamed("0"));
    ZcDbObjectPointer<ZcDbLayerTableRecord> designed(layerNamed("Projektowane"), ZcDb::kForRead);
    ASSERT_EQ(designed.openStatus(), Zcad::eOk);
    EXPECT_TRUE(designed->isOff());
    EXPECT_TRUE(designed->isFrozen());
    EXPECT_TRUE(window.modified());
}

TEST_F(WindowPrompts, UpAndDownRecallTypedLines)
{
    CommandLineWidget* line = window.commandLineWidget();
    QSignalSpy entered(line, &CommandLineWidget::lineEntered);
    for (const char* typed : {"LAYER A", "UCS W", "REGEN"}) {
        QTest::keyClicks(line->edit(), typed);
        QTest::keyClick(line->edit(), Qt::Key_Return);
    }
    ASSERT_EQ(entered.count(), 3);
    QTest::keyClick(line->edit(), Qt::Key_Up);
    EXPECT_EQ(line->edit()->text(), "REGEN");
    QTest::keyClick(line->edit(), Qt::Key_Up);
    QTest::keyClick(line->edit(), Qt::Key_Up);
    QTest::keyClick(line->edit(), Qt::Key_Up);  // stays at the oldest
    EXPECT_EQ(line->edit()->text(), "LAYER A");
    QTest::keyClick(line->edit(), Qt::Key_Down);
    EXPECT_EQ(line->edit()->text(), "UCS W");
    QTest::keyClick(line->edit(), Qt::Key_Down);
    QTest::keyClick(line->edit(), Qt::Key_Down);
    EXPECT_EQ(line->edit()->text(), "");
}

// A drawing that cannot be read says why in a box and on the command line;
// the drawing there was stays, and commands still run in it.
TEST_F(WindowPrompts, UnreadableDrawingShowsItsMessageAndTheWindowStaysUsable)
{
    const std::string bad = std::string(testTmpDir()) + "/window-unreadable.dxf";
    std::filesystem::create_directories(testTmpDir());
    std::ofstream(bad) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n";
    ZcDbDatabase* before = window.drawing();
    EXPECT_FALSE(window.openDrawing(QString::fromStdString(bad)));
    auto* box = window.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains("Nie można odczytać rysunku")) << box->text().toStdString();
    EXPECT_TRUE(window.commandLineWidget()->transcript().contains("window-unreadable.dxf"));
    EXPECT_EQ(window.drawing(), before);
    box->accept();

    then([&] {
        QTest::keyClicks(window.commandLineWidget()->edit(), "LAYER Nowa");
        QTest::keyClick(window.commandLineWidget()->edit(), Qt::Key_Return);
        QTimer::singleShot(0, &window, [&] { window.input().close(); });
    });
    platform::runCommandLoop();
    EXPECT_FALSE(commandLine().failure());
    ZcDbObjectPointer<ZcDbLayerTableRecord> current(window.drawing()->clayer(), ZcDb::kForRead);
    ASSERT_EQ(current.openStatus(), Zcad::eOk);
    std::string name;
    current->getName(name);
    EXPECT_EQ(name, "Nowa");
}

// The view's own gestures: the wheel keeps the point under the cursor, a
// middle drag moves the drawing with the cursor, Home shows everything.
TEST_F(WindowPrompts, WheelZoomsAboutTheCursorDragPansHomeShowsAll)
{
    WindowDrawing::appendTo(*window.drawing(), new ZcDbLine({0, 0, 0}, {100, 50, 0}));
    DrawingView* view = window.view();
    view->showDrawing(*window.drawing());
    view->zoomExtents();
    const ViewMapping fitted = view->mapping();
    const QPointF cursor(100, 80);
    const ZcGePoint2d under = view->mapping().toWorld(cursor);
    QWheelEvent wheel(cursor, view->mapToGlobal(cursor), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_GT(view->mapping().scale, fitted.scale);
    EXPECT_NEAR(view->mapping().toWorld(cursor).x, under.x, 1e-9);
    EXPECT_NEAR(view->mapping().toWorld(cursor).y, under.y, 1e-9);

    const ZcGePoint2d grabbed = view->mapping().toWorld(QPointF(200, 200));
    QTest::mousePress(view, Qt::MiddleButton, Qt::NoModifier, QPoint(200, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(260, 170), view->mapToGlobal(QPointF(260, 170)), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::MiddleButton, Qt::NoModifier, QPoint(260, 170));
    EXPECT_NEAR(view->mapping().toWorld(QPointF(260, 170)).x, grabbed.x, 1e-9);
    EXPECT_NEAR(view->mapping().toWorld(QPointF(260, 170)).y, grabbed.y, 1e-9);

    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(view->mapping().scale, fitted.scale);
}
