#include "WinColorDialog.h"

#include <string>

#include "WinMessageBox.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/Transcript.h"
#include "platform/ui/ColorChoice.h"

using namespace platform;

namespace {

std::string colorText(COLORREF color)
{
    return std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," +
           std::to_string(GetBValue(color));
}

std::optional<COLORREF>& shownColor()
{
    static std::optional<COLORREF> shown;
    return shown;
}

// The dialog is open from the first question to the answer.
class OpenColorDialog {
public:
    explicit OpenColorDialog(COLORREF shown) : m_before(shownColor()) { shownColor() = shown; }
    ~OpenColorDialog() { shownColor() = m_before; }
    OpenColorDialog(const OpenColorDialog&) = delete;
    OpenColorDialog& operator=(const OpenColorDialog&) = delete;

private:
    std::optional<COLORREF> m_before;
};

}  // namespace

std::optional<COLORREF> platform::shownColorChoice() { return shownColor(); }

BOOL WINAPI ChooseColorA(LPCHOOSECOLORA choice)
{
    if (!choice || choice->lStructSize != sizeof(CHOOSECOLORA))
        return FALSE;
    const COLORREF shown = (choice->Flags & CC_RGBINIT) ? choice->rgbResult : RGB(0, 0, 0);
    CommandLine& line = commandLine();
    const OpenColorDialog open(shown);
    while (true) {
        if (line.input() && line.input()->typed())
            transcript().print("\nOkno wyboru koloru, zaznaczony kolor " + colorText(shown));
        const std::optional<ScriptLine> answer = line.ask("[Kolor]", kAcceptDialog, "odpowiedzi okna koloru (dlg color)");
        // No user left to answer: the dialog ends as cancelled.
        if (!answer || answer->kind == ScriptLine::Kind::Cancel)
            return FALSE;
        if (answer->kind == ScriptLine::Kind::Enter) {
            choice->rgbResult = shown;
            return TRUE;
        }
        const DialogAction& action = *answer->dialog;
        if (action.verb == DialogAction::Verb::Color) {
            if (action.colorCancelled)
                return FALSE;
            choice->rgbResult = RGB(action.red, action.green, action.blue);
            return TRUE;
        }
        if (!line.misfit(*answer, "otwarte jest okno wyboru koloru: oczekiwano dlg color r,g,b lub dlg color cancel"))
            return FALSE;
    }
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, void*)
    : m_cc{sizeof(CHOOSECOLORA), nullptr, nullptr, initial, m_custom, flags | CC_RGBINIT, 0, nullptr, nullptr}
{
}

INT_PTR CColorDialog::DoModal() { return ChooseColorA(&m_cc) ? IDOK : IDCANCEL; }
