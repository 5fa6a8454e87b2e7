#pragma once

#include <QCheckBox>

// A check box that takes a click anywhere on its rectangle, as the host's
// do, not only on its box and label: a template gives a short label a wide one.
class CheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& point) const override { return rect().contains(point); }
};
