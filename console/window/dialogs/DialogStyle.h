#pragma once

#include <QProxyStyle>

// The application's style with the host's narrow margins where a template
// leaves a control no more room than the host draws it in: a drop-down
// list's arrow as wide as a scroll bar and its text from the edge, so that
// a choice as long as the template allows shows whole.
class DialogStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
};

// One for all dialogs, deleted with the application.
DialogStyle* dialogStyle();
