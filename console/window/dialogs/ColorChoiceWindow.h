#pragma once

#include <QColorDialog>
#include <string>

#include "WinTypes.h"
#include "console/window/dialogs/ActionQueue.h"
#include "platform/editor/DialogAction.h"

// A Windows colour as Qt gives it.
inline QColor qtColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

// The system's colour dialog on screen. Its answer becomes the line a
// script gives it: "dlg color r,g,b" or "dlg color cancel".
class ColorChoiceWindow : public QColorDialog {
public:
    ColorChoiceWindow(COLORREF shown, QWidget* parent);

    // Opens again at the colour the platform shows, after an answer it did not take.
    void showAgain(COLORREF shown);
    ActionQueue& actions() { return m_actions; }
    // Chooses the line's colour and presses OK, or presses Cancel.
    void replay(const std::string& line, const platform::DialogAction& action);

protected:
    void done(int result) override;

private:
    ActionQueue m_actions;
};
