#include "console/window/WindowScreenshot.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

// The title bar and frame drawn around a dialog, in pixels.
constexpr int kTitleHeight = 24;
constexpr int kFrameWidth = 1;
constexpr int kTitleIndent = 8;

bool owns(const QWidget* owner, const QWidget* widget)
{
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (up == owner)
            return true;
    return false;
}

// The dialogs and boxes shown, each after the one that opened it.
std::vector<QWidget*> openDialogs(const QWidget& window)
{
    std::vector<QWidget*> dialogs;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != &window && widget->isVisible() && qobject_cast<QDialog*>(widget))
            dialogs.push_back(widget);
    std::stable_sort(dialogs.begin(), dialogs.end(), [](const QWidget* a, const QWidget* b) { return owns(a, b); });
    return dialogs;
}

void drawDialog(QPainter& painter, QWidget& dialog, const QRect& window)
{
    QRect place(dialog.geometry().topLeft() - window.topLeft(), dialog.size());
    // Where the screen put it off the window, it goes to the window's middle, as a dialog opens.
    if (!QRect(QPoint(), window.size()).contains(place))
        place.moveCenter(QRect(QPoint(), window.size()).center());
    const QRect frame = place.adjusted(-kFrameWidth, -kTitleHeight - kFrameWidth, kFrameWidth, kFrameWidth);
    const QPalette& colours = dialog.palette();
    painter.fillRect(frame.adjusted(2, 2, 2, 2), QColor(0, 0, 0, 60));  // its shadow
    painter.fillRect(frame, colours.color(QPalette::Highlight).darker(130));
    painter.setPen(colours.color(QPalette::HighlightedText));
    QFont font = dialog.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(frame.left() + kTitleIndent, frame.top(), frame.width() - 2 * kTitleIndent, kTitleHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, dialog.windowTitle());
    painter.drawPixmap(place.topLeft(), dialog.grab());
}

}  // namespace

QImage screenPicture(QWidget& window)
{
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    for (QWidget* dialog : openDialogs(window))
        drawDialog(painter, *dialog, window.geometry());
    return picture;
}
