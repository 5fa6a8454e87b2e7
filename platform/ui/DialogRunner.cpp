#include "platform/ui/DialogRunner.h"

#include <vector>

#include "ZcUiListCtrl.h"
#include "ZcUiRichEdit.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/Transcript.h"

namespace platform {

namespace {

std::string controlLabel(const CWnd& wnd)
{
    return wnd.controlName().empty() ? std::to_string(wnd.GetDlgCtrlID())
                                     : wnd.controlName() + " (" + std::to_string(wnd.GetDlgCtrlID()) + ")";
}

CWnd* findControl(const CZcUiDialog& dialog, const DialogAction& action)
{
    if (action.controlId >= 0)
        return dialog.GetDlgItem(action.controlId);
    if (action.control == "IDOK")
        return dialog.GetDlgItem(IDOK);
    if (action.control == "IDCANCEL")
        return dialog.GetDlgItem(IDCANCEL);
    for (CWnd* candidate : dialog.controls())
        if (!candidate->controlName().empty() && candidate->controlName() == action.control)
            return candidate;
    return nullptr;
}

// A message of the user's, as the dialog's message loop takes it; TRUE
// when the dialog kept it for itself.
BOOL passes(CZcUiDialog& dialog, HWND window, UINT message, WPARAM wParam, LPARAM lParam, POINT point = {0, 0})
{
    MSG msg{window, message, wParam, lParam, 0, point};
    return !dialog.preTranslate(msg);
}

// The user presses and lets go of the mouse button over the control at the
// point; false when the dialog kept the messages from it.
bool pressAt(CZcUiDialog& dialog, CWnd& wnd, CPoint point)
{
    const LPARAM where = MAKELPARAM(point.x, point.y);
    if (!passes(dialog, wnd.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, where, point))
        return false;
    wnd.OnLButtonDown(MK_LBUTTON, point);
    if (!passes(dialog, wnd.GetSafeHwnd(), WM_LBUTTONUP, 0, where, point))
        return false;
    wnd.OnLButtonUp(0, point);
    return true;
}

bool pressCentre(CZcUiDialog& dialog, CWnd& wnd)
{
    CRect client;
    wnd.GetClientRect(client);
    return pressAt(dialog, wnd, client.CenterPoint());
}

std::string itemCountText(const std::string& label, int count, int index)
{
    return label + " ma " + std::to_string(count) + " pozycji, nie ma pozycji " + std::to_string(index);
}

std::string selectInList(CZcUiDialog& dialog, CListCtrl& list, const DialogAction& action, const std::string& label)
{
    int item = action.index, subItem = 0;
    if (item < 0) {
        item = list.findItem(action.text, subItem);
        if (item < 0)
            return label + " nie ma pozycji „" + action.text + "”";
    } else if (item >= list.GetItemCount()) {
        return itemCountText(label, list.GetItemCount(), item);
    }
    // The user scrolls to the item and clicks it: on its label, or on the
    // column whose text was named.
    list.EnsureVisible(item, FALSE);
    CRect target;
    if (subItem > 0)
        list.GetSubItemRect(item, subItem, LVIR_BOUNDS, target);
    else
        list.GetItemRect(item, target, list.isReportView() ? LVIR_LABEL : LVIR_ICON);
    if (target.IsRectEmpty())
        list.GetItemRect(item, target, LVIR_BOUNDS);
    pressAt(dialog, list, target.CenterPoint());
    return {};
}

struct RunningDialog {
    CZcUiDialog* dialog;
    unsigned long run;
};

std::vector<RunningDialog>& runningDialogs()
{
    static std::vector<RunningDialog> running;
    return running;
}

// The command line knows of the dialog while it is open, to say so when a
// dialog line comes while the dialog is hidden; a screen, to show it.
class OpenDialog {
public:
    OpenDialog(CZcUiDialog& dialog, const std::string& caption)
    {
        static unsigned long runs = 0;
        commandLine().dialogOpened(caption);
        runningDialogs().push_back({&dialog, ++runs});
    }
    ~OpenDialog()
    {
        runningDialogs().pop_back();
        commandLine().dialogClosed();
    }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;
};

}  // namespace

CZcUiDialog* ZcUiDialogRunner::current() { return runningDialogs().empty() ? nullptr : runningDialogs().back().dialog; }

unsigned long ZcUiDialogRunner::currentRun() { return runningDialogs().empty() ? 0 : runningDialogs().back().run; }

bool ZcUiDialogRunner::isRunning(unsigned long run)
{
    for (const RunningDialog& running : runningDialogs())
        if (running.run == run)
            return true;
    return false;
}

void ZcUiDialogRunner::cancel(CZcUiDialog& dialog) { dialog.OnCommand(IDCANCEL, BN_CLICKED); }

void ZcUiDialogRunner::enter(CZcUiDialog& dialog)
{
    for (const CWnd* wnd : dialog.controls()) {
        const auto* button = dynamic_cast<const CButton*>(wnd);
        if (button && (button->style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON && button->IsWindowVisible() &&
            button->IsWindowEnabled()) {
            dialog.OnCommand(button->GetDlgCtrlID(), BN_CLICKED);
            return;
        }
    }
    // Without a default button Enter means OK, when OK can be pressed.
    const CWnd* ok = dialog.GetDlgItem(IDOK);
    if (ok && ok->IsWindowVisible() && ok->IsWindowEnabled())
        dialog.OnCommand(IDOK, BN_CLICKED);
}

std::string ZcUiDialogRunner::act(CZcUiDialog& dialog, const DialogAction& action)
{
    if (action.verb == DialogAction::Verb::Color)
        return "żadne okno wyboru koloru nie jest otwarte";
    // The close box is there whatever the buttons are.
    if (action.verb == DialogAction::Verb::Click && action.control == "IDCANCEL") {
        if (passes(dialog, dialog.GetSafeHwnd(), WM_NCLBUTTONDOWN, HTCLOSE, 0))
            cancel(dialog);
        return {};
    }
    CWnd* wnd = findControl(dialog, action);
    const std::string caption = "okno „" + dialog.m_caption + "”";
    if (!wnd)
        return caption + " nie ma kontrolki " + action.control;
    const std::string label = "kontrolka " + controlLabel(*wnd);
    if (!wnd->IsWindowVisible())
        return label + " jest ukryta";
    if (!wnd->IsWindowEnabled())
        return label + " jest wyłączona";
    const int id = wnd->GetDlgCtrlID();

    switch (action.verb) {
    case DialogAction::Verb::Click: {
        auto* button = dynamic_cast<CButton*>(wnd);
        auto* picture = dynamic_cast<CStatic*>(wnd);
        if (!button && !picture)
            return label + " nie jest przyciskiem";
        // A static tells its dialog of a click only when made to (SS_NOTIFY).
        if (!pressCentre(dialog, *wnd) || (picture && !picture->notifiesClicks()))
            return {};
        if (button && button->isCheckBox())
            button->SetCheck(button->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        dialog.OnCommand(id, button ? BN_CLICKED : STN_CLICKED);
        return {};
    }
    case DialogAction::Verb::Check: {
        auto* button = dynamic_cast<CButton*>(wnd);
        if (!button || !button->isCheckBox())
            return label + " nie jest polem wyboru";
        // A user checks a box by clicking it: nothing happens when it already is so.
        if ((button->GetCheck() == BST_CHECKED) != action.checked && pressCentre(dialog, *wnd)) {
            button->SetCheck(action.checked ? BST_CHECKED : BST_UNCHECKED);
            dialog.OnCommand(id, BN_CLICKED);
        }
        return {};
    }
    case DialogAction::Verb::Set: {
        auto* edit = dynamic_cast<CEdit*>(wnd);
        auto* rich = dynamic_cast<CRichEditCtrl*>(wnd);
        auto* combo = dynamic_cast<CComboBox*>(wnd);
        if ((edit && edit->isReadOnly()) || (rich && rich->isReadOnly()))
            return label + " jest tylko do odczytu";
        if (!edit && !rich && !(combo && combo->isEditable()))
            return label + " nie przyjmuje tekstu";
        if (!pressCentre(dialog, *wnd))
            return {};
        if (edit) {
            edit->typeText(action.text);
            dialog.OnCommand(id, EN_CHANGE);
        } else if (rich) {
            rich->typeText(action.text);
            // A rich edit tells of changes only when asked to.
            if (rich->GetEventMask() & ENM_CHANGE)
                dialog.OnCommand(id, EN_CHANGE);
        } else {
            combo->typeText(action.text);
            dialog.OnCommand(id, CBN_EDITCHANGE);
        }
        return {};
    }
    case DialogAction::Verb::Line: {
        // Enter at the end of the text, then the line: a rich edit keeps
        // its paragraphs apart with "\r\n", as its window text gives them.
        auto* rich = dynamic_cast<CRichEditCtrl*>(wnd);
        if (!rich || !(rich->GetStyle() & ES_MULTILINE))
            return label + " nie jest wielowierszowym polem tekstu";
        if (rich->isReadOnly())
            return label + " jest tylko do odczytu";
        if (!pressCentre(dialog, *wnd))
            return {};
        rich->SetSel(-1, -1);
        rich->ReplaceSel(("\r\n" + action.text).c_str());
        if (rich->GetEventMask() & ENM_CHANGE)
            dialog.OnCommand(id, EN_CHANGE);
        return {};
    }
    case DialogAction::Verb::Select: {
        if (auto* list = dynamic_cast<CListCtrl*>(wnd))
            return selectInList(dialog, *list, action, label);
        auto* combo = dynamic_cast<CComboBox*>(wnd);
        if (!combo)
            return label + " nie jest listą";
        int index = action.index;
        if (index < 0) {
            for (int i = 0; i < combo->GetCount() && index < 0; ++i) {
                CString text;
                combo->GetLBText(i, text);
                if (text.str() == action.text)
                    index = i;
            }
            if (index < 0)
                return label + " nie ma pozycji „" + action.text + "”";
        } else if (index >= combo->GetCount()) {
            return itemCountText(label, combo->GetCount(), index);
        }
        if (!pressCentre(dialog, *wnd))
            return {};
        combo->SetCurSel(index);
        dialog.OnCommand(id, CBN_SELCHANGE);
        return {};
    }
    case DialogAction::Verb::Color:
        break;
    }
    return {};
}

void ZcUiDialogRunner::run(CZcUiDialog& dialog)
{
    CommandLine& line = commandLine();
    const OpenDialog open(dialog, dialog.m_caption);
    while (!dialog.m_ended) {
        // Shown and waiting for the user, the dialog's controls paint themselves.
        if (dialog.IsWindowVisible())
            for (CWnd* wnd : dialog.controls())
                if (wnd->IsWindowVisible())
                    wnd->paint();
        if (line.input() && line.input()->typed())
            transcript().print("\n" + dialog.describe());
        // A handler's last message may not have ended its line; the dialog's prompt starts its own.
        transcript().finishLine();
        const std::optional<ScriptLine> answer =
            line.ask("[" + dialog.m_caption + "]", kAcceptDialog, "czynności w oknie (dlg ...)");
        if (!answer) {
            // No user is left to close it: it ends as if cancelled, with no handler run.
            dialog.EndDialog(IDCANCEL);
            break;
        }
        if (answer->kind == ScriptLine::Kind::Cancel) {
            if (passes(dialog, dialog.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0))
                cancel(dialog);
            continue;
        }
        if (answer->kind == ScriptLine::Kind::Enter) {
            if (passes(dialog, dialog.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0))
                enter(dialog);
            continue;
        }
        const std::string problem = act(dialog, *answer->dialog);
        if (!problem.empty() && !line.misfit(*answer, problem))
            dialog.EndDialog(IDCANCEL);
    }
}

}  // namespace platform
