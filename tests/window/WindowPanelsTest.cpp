// The window's toolbar, layers panel and screenshot as a user meets them.

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QToolBar>

#include "ZcDbLayerTable.h"
#include "ZcDbObjectPointer.h"
#include "console/window/DrawingWindow.h"
#include "console/window/LayersPanel.h"
#include "console/window/TarvoCommands.h"
#include "console/window/WindowScreenshot.h"
#include "platform/editor/Transcript.h"
#include "tests/window/WindowDrawing.h"

namespace {

// Every command on the toolbar and menu shows its own picture, not a blank,
// and says in Polish what it draws.
TEST(TarvoToolbar, EveryCommandHasItsIconAndTooltip)
{
    DrawingWindow window;
    auto* bar = window.findChild<QToolBar*>("tarvo");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), qsizetype(tarvoCommands().size()));
    QImage first;
    for (size_t i = 0; i < tarvoCommands().size(); ++i) {
        const TarvoCommand& command = tarvoCommands()[i];
        const QAction* action = bar->actions()[qsizetype(i)];
        SCOPED_TRACE(command.name);
        EXPECT_EQ(action->text(), command.name);
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(command.tooltip));
        const QImage image = action->icon().pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull());
        // Drawn, not transparent through; and each unlike the first.
        EXPECT_GT(image.pixelColor(12, 12).alpha(), 0);
        if (i == 0)
            first = image;
        else
            EXPECT_NE(image, first);
    }
}

// Lines the host prints while the test runs.
struct Printed {
    std::string text;
    Printed()
    {
        platform::transcript().setListener([this](std::string_view line) { text += line; });
    }
    ~Printed() { platform::transcript().setListener({}); }
    Printed(const Printed&) = delete;
    Printed& operator=(const Printed&) = delete;
};

enum Column { kName, kColour, kOn, kFrozen, kCurrent };

struct LayerClickCase {
    const char* name;
    bool otherFrozen;  // the second layer frozen before the click
    int row, column;
    const char* refusal;  // what the host prints, "" when the click is carried out
    bool currentIsZero;   // after the click
    bool zeroFrozen, otherFrozenAfter;
};

std::ostream& operator<<(std::ostream& out, const LayerClickCase& c) { return out << c.name; }

class LayerClicks : public testing::TestWithParam<LayerClickCase> {
protected:
    // Layer "0", current, and layer "Osie" of colour 7.
    LayerClicks()
    {
        auto* axes = new ZcDbLayerTableRecord;
        axes->setName("Osie");
        ZcCmColor white;
        white.setColorIndex(7);
        axes->setColor(white);
        axes->setIsFrozen(GetParam().otherFrozen);
        ZcDbObjectPointer<ZcDbLayerTable> table(drawing.db().layerTableId(), ZcDb::kForWrite);
        table->add(other, axes);
        axes->close();
    }
    bool frozen(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(id, ZcDb::kForRead);
        return layer->isFrozen();
    }

    WindowDrawing drawing;
    ZcDbObjectId other;
};

}  // namespace

// The current layer is never frozen from the panel: freezing it, or making
// a frozen layer current, is refused with the host's message and changes
// nothing. Other clicks are carried out and said to the window.
TEST_P(LayerClicks, KeepTheCurrentLayerShown)
{
    const LayerClickCase& c = GetParam();
    LayersPanel panel;
    panel.resize(400, 200);
    panel.show();
    panel.showDrawing(&drawing.db());
    ASSERT_EQ(panel.rowCount(), 2);
    const ZcDbObjectId zero = drawing.db().clayer();
    int changes = 0;
    QObject::connect(&panel, &LayersPanel::layersChanged, [&changes] { ++changes; });
    Printed printed;
    QTest::mouseClick(panel.viewport(), Qt::LeftButton, Qt::NoModifier,
                      panel.visualItemRect(panel.item(c.row, c.column)).center());
    if (*c.refusal)
        EXPECT_NE(printed.text.find(c.refusal), std::string::npos) << printed.text;
    else
        EXPECT_EQ(printed.text, "");
    EXPECT_EQ(changes, *c.refusal ? 0 : 1);
    EXPECT_EQ(drawing.db().clayer() == zero, c.currentIsZero);
    EXPECT_EQ(frozen(zero), c.zeroFrozen);
    EXPECT_EQ(frozen(other), c.otherFrozenAfter);
    EXPECT_EQ(panel.item(0, kFrozen)->text().isEmpty(), !c.zeroFrozen);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, LayerClicks,
    testing::Values(LayerClickCase{"freeze_current", false, 0, kFrozen, "Nie można zamrozić warstwy bieżącej.", true,
                                   false, false},
                    LayerClickCase{"frozen_made_current", true, 1, kCurrent,
                                   "Nie można ustawić warstwy zamrożonej jako bieżącej.", true, false, true},
                    LayerClickCase{"freeze_other", false, 1, kFrozen, "", true, false, true},
                    LayerClickCase{"thaw_other", true, 1, kFrozen, "", true, false, false},
                    LayerClickCase{"thawed_made_current", false, 1, kCurrent, "", false, false, false}),
    [](const auto& test) { return std::string(test.param.name); });

// Colour 7 is drawn white on a dark background and black on a light one;
// its swatch does the same against the panel, so it is never lost in it.
TEST(LayersPanelSwatch, ColourSevenStandsOutOnLightAndDarkPanels)
{
    WindowDrawing drawing;
    for (const QColor& background : {QColor(Qt::white), QColor(40, 40, 40)}) {
        LayersPanel panel;
        QPalette colours = panel.palette();
        colours.setColor(QPalette::Base, background);
        panel.setPalette(colours);
        panel.showDrawing(&drawing.db());
        ASSERT_EQ(panel.rowCount(), 1);
        const QColor swatch = panel.item(0, kColour)->background().color();
        EXPECT_GT(std::abs(swatch.lightness() - background.lightness()), 128) << background.name().toStdString();
    }
}

// The screenshot is what the user sees: a dialog open over the window is in
// it where it stands, under its title bar, and the window around it.
TEST(ScreenPicture, ShowsTheOpenDialogOverTheWindow)
{
    DrawingWindow window;
    window.resize(800, 600);
    window.show();
    QDialog dialog(&window);
    dialog.setWindowTitle("E-4");
    dialog.setAutoFillBackground(true);
    QPalette colours = dialog.palette();
    colours.setColor(QPalette::Window, QColor(255, 0, 255));
    dialog.setPalette(colours);
    dialog.resize(200, 100);
    dialog.show();
    const QImage picture = screenPicture(window);
    ASSERT_EQ(picture.size(), window.grab().size());
    QRect place(dialog.geometry().topLeft() - window.geometry().topLeft(), dialog.size());
    if (!picture.rect().contains(place))
        place.moveCenter(picture.rect().center());
    EXPECT_EQ(picture.pixelColor(place.center()), QColor(255, 0, 255));
    EXPECT_NE(picture.pixelColor(place.center().x(), place.top() - 10), QColor(255, 0, 255)) << "its title bar";
    EXPECT_NE(picture.pixelColor(place.right() + 20, place.center().y()), QColor(255, 0, 255)) << "the window";
    dialog.hide();
    EXPECT_NE(screenPicture(window).pixelColor(place.center()), QColor(255, 0, 255));
}
