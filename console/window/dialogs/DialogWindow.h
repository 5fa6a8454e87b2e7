#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "ZcUiDialog.h"
#include "console/window/dialogs/ActionQueue.h"
#include "platform/editor/DialogAction.h"

// A running dialog of the platform on screen: its template's controls as
// Qt widgets at their places, showing the state the platform's controls
// keep. What the user does to a widget becomes the script line that does
// the same ("dlg click 1", "dlg set 1001 12.5", Enter as an empty line,
// Esc as "*cancel*"); the platform carries it out, and refresh shows the
// outcome. The window never changes a control's state itself.
class DialogWindow : public QDialog {
public:
    DialogWindow(CZcUiDialog& dialog, unsigned long run, QWidget* parent);
    ~DialogWindow() override;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    CZcUiDialog& dialog() const { return m_dialog; }
    unsigned long run() const { return m_run; }
    // Texts, checks, selections, pictures, enabled and visible as the platform has them now.
    void refresh();

    ActionQueue& actions() { return m_actions; }

    // Does what the line says with the mouse and keys on the control's
    // widget. When the widget cannot take it (hidden, disabled, no such
    // item), the line itself is handed on, for the platform to refuse.
    void replay(const std::string& line, const platform::DialogAction& action);

    // The widget of the template's control at that place, and of that id (null when none).
    QWidget* widgetAt(size_t index) const { return index < m_views.size() ? m_views[index].widget : nullptr; }
    QWidget* widgetOf(int controlId) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ControlView {
        CWnd* control = nullptr;
        // Kept apart from the control, which goes with its dialog before this window does.
        int id = 0;
        QWidget* widget = nullptr;
        // The text the platform holds, or was last told: what differs is the user's typing.
        std::string shownText;
    };

    void build();
    QWidget* makeWidget(CWnd& control, ControlView& view);
    void refreshControl(ControlView& view);
    // A user's action on a control, after the texts typed before it.
    void add(std::string line);
    // The text typed in an edit box, combo or rich edit, when it is not what the platform was last told.
    void commitEdit(ControlView& view);
    ControlView* viewOf(const platform::DialogAction& action);
    // A rich edit's text as the user left it, as lines that give it.
    void addRichEditText(ControlView& view);
    void replayOn(ControlView& view, const platform::DialogAction& action);

    CZcUiDialog& m_dialog;
    unsigned long m_run;
    std::vector<ControlView> m_views;
    ActionQueue m_actions;
};
