#include "console/window/dialogs/ColorChoiceWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest/QTest>

ColorChoiceWindow::ColorChoiceWindow(COLORREF shown, QWidget* parent) : QColorDialog(qtColor(shown), parent)
{
    // The same dialog on every desktop, and one the replay can press.
    setOption(QColorDialog::DontUseNativeDialog);
    setWindowModality(Qt::ApplicationModal);
}

void ColorChoiceWindow::showAgain(COLORREF shown)
{
    setCurrentColor(qtColor(shown));
    show();
}

void ColorChoiceWindow::done(int result)
{
    QColorDialog::done(result);
    if (result != QDialog::Accepted) {
        m_actions.add("dlg color cancel");
        return;
    }
    const QColor chosen = selectedColor();
    m_actions.add("dlg color " + std::to_string(chosen.red()) + "," + std::to_string(chosen.green()) + "," +
                  std::to_string(chosen.blue()));
}

void ColorChoiceWindow::replay(const std::string& line, const platform::DialogAction& action)
{
    const unsigned long before = m_actions.added();
    auto* buttons = findChild<QDialogButtonBox*>();
    if (action.verb == platform::DialogAction::Verb::Color && buttons && isVisible()) {
        if (!action.colorCancelled)
            setCurrentColor(QColor(action.red, action.green, action.blue));
        QPushButton* press = buttons->button(action.colorCancelled ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok);
        if (press)
            QTest::mouseClick(press, Qt::LeftButton, {}, press->rect().center());
    }
    if (m_actions.added() == before)
        m_actions.add(line);
}
