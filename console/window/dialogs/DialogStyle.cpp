#include "console/window/dialogs/DialogStyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOptionComboBox>

namespace {

// The host's scroll-bar width, which its drop-down arrows take, and the
// frame its list's text starts after, in pixels.
constexpr int kArrowWidth = 15;
constexpr int kFrame = 2;

}  // namespace

QRect DialogStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                  const QWidget* widget) const
{
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control != CC_ComboBox || !combo || combo->editable)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const QRect box = option->rect;
    const QRect arrow(box.right() - kFrame - kArrowWidth + 1, box.top() + kFrame, kArrowWidth,
                      box.height() - 2 * kFrame);
    switch (part) {
    case SC_ComboBoxArrow: return visualRect(option->direction, box, arrow);
    case SC_ComboBoxEditField:
        return visualRect(option->direction, box,
                          QRect(box.left() + kFrame, box.top() + kFrame, arrow.left() - box.left() - kFrame,
                                box.height() - 2 * kFrame));
    default: return QProxyStyle::subControlRect(control, option, part, widget);
    }
}

DialogStyle* dialogStyle()
{
    static QPointer<DialogStyle> style;
    if (!style) {
        style = new DialogStyle;
        style->setParent(qApp);
    }
    return style;
}
