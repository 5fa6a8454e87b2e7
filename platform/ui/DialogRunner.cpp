#include "platform/ui/DialogRunner.h"

#include "platform/editor/CommandLine.h"
#include "platform/editor/Transcript.h"

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
    return nullptr;
}

}  // namespace

void ZcUiDialogRunner::cancel(CZcUiDialog& dialog) { dialog.OnCommand(IDCANCEL, BN_CLICKED); }

void ZcUiDialogRunner::enter(CZcUiDialog& dialog)
{
    for (const auto& wnd : dialog.m_controls) {
        const auto* button = dynamic_cast<const CButton*>(wnd.get());
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
        cancel(dialog);
        return {};
    }
    CWnd* wnd = findControl(dialog, action);
    if (!wnd)
        for (const auto& candidate : dialog.m_controls)
            if (!candidate->controlName().empty() && candidate->controlName() == action.control)
                wnd = candidate.get();
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
        if (!button)
            return label + " nie jest przyciskiem";
        if (button->isCheckBox())
            button->SetCheck(button->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        dialog.OnCommand(id, BN_CLICKED);
        return {};
    }
    case DialogAction::Verb::Check: {
        auto* button = dynamic_cast<CButton*>(wnd);
        if (!button || !button->isCheckBox())
            return label + " nie jest polem wyboru";
        // A user checks a box by clicking it: nothing happens when it already is so.
        if ((button->GetCheck() == BST_CHECKED) != action.checked) {
            button->SetCheck(action.checked ? BST_CHECKED : BST_UNCHECKED);
            dialog.OnCommand(id, BN_CLICKED);
        }
        return {};
    }
    case DialogAction::Verb::Set: {
        if (dynamic_cast<CEdit*>(wnd)) {
            wnd->SetWindowText(action.text.c_str());
            dialog.OnCommand(id, EN_CHANGE);
            return {};
        }
        auto* combo = dynamic_cast<CComboBox*>(wnd);
        if (!combo || !combo->isEditable())
            return label + " nie przyjmuje tekstu";
        combo->typeText(action.text);
        dialog.OnCommand(id, CBN_EDITCHANGE);
        return {};
    }
    case DialogAction::Verb::Select: {
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
            return label + " ma " + std::to_string(combo->GetCount()) + " pozycji, nie ma pozycji " +
                   std::to_string(index);
        }
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
    while (!dialog.m_ended) {
        if (line.input() && line.input()->typed())
            transcript().print("\n" + dialog.describe());
        const std::optional<ScriptLine> answer =
            line.ask("[" + dialog.m_caption + "]", kAcceptDialog, "czynności w oknie (dlg ...)");
        if (!answer) {
            // No user is left to close it: it ends as if cancelled, with no handler run.
            dialog.EndDialog(IDCANCEL);
            break;
        }
        if (answer->kind == ScriptLine::Kind::Cancel) {
            cancel(dialog);
            continue;
        }
        if (answer->kind == ScriptLine::Kind::Enter) {
            enter(dialog);
            continue;
        }
        const std::string problem = act(dialog, answer->dialog);
        if (!problem.empty() && !line.misfit(*answer, problem))
            dialog.EndDialog(IDCANCEL);
    }
}
