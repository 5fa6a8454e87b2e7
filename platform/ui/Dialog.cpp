#include "ZcUiDialog.h"

#include <cstring>

#include "platform/editor/CommandLine.h"
#include "platform/editor/Transcript.h"
#include "platform/ui/DataExchangeFailure.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/ResourceChain.h"

namespace {

std::unique_ptr<CWnd> makeControl(const ZcUiControlTemplate& line)
{
    const std::string cls = line.windowClass ? line.windowClass : "";
    if (strcasecmp(cls.c_str(), "Button") == 0)
        return std::make_unique<CButton>();
    if (strcasecmp(cls.c_str(), "Edit") == 0)
        return std::make_unique<CEdit>();
    if (strcasecmp(cls.c_str(), "ComboBox") == 0)
        return std::make_unique<CComboBox>();
    if (strcasecmp(cls.c_str(), "Static") == 0)
        return std::make_unique<CStatic>();
    return std::make_unique<CWnd>();
}

}  // namespace

CZcUiDialog::CZcUiDialog(UINT templateId, void* parent) : m_templateId(templateId) { (void)parent; }

CZcUiDialog::~CZcUiDialog() = default;

bool CZcUiDialog::build()
{
    const ZcUiDialogTemplate* dialog = findChainedDialog(m_templateId);
    if (!dialog)
        return false;
    m_caption = dialog->caption ? dialog->caption : "";
    m_controls.clear();
    for (size_t i = 0; i < dialog->controlCount; ++i) {
        const ZcUiControlTemplate& line = dialog->controls[i];
        std::unique_ptr<CWnd> wnd = makeControl(line);
        wnd->initialise(line.id, line.name ? line.name : "", line.windowClass ? line.windowClass : "", line.style,
                        line.text ? line.text : "");
        m_controls.push_back(std::move(wnd));
    }
    return true;
}

INT_PTR CZcUiDialog::DoModal()
{
    if (m_running)
        return -1;
    if (!build()) {
        commandLine().commandError("Brak szablonu okna dialogowego " + std::to_string(m_templateId) + ".");
        return -1;
    }
    m_running = true;
    m_visible = true;
    m_ended = false;
    m_result = IDCANCEL;
    OnInitDialog();
    ZcUiDialogRunner::run(*this);
    m_running = false;
    m_visible = false;
    return m_result;
}

void CZcUiDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
}

BOOL CZcUiDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const DataExchangeFailure& failure) {
        if (!failure.problem.empty())
            commandLine().commandError("Okno „" + m_caption + "”: " + failure.problem + ".");
        return FALSE;
    }
    return TRUE;
}

CWnd* CZcUiDialog::GetDlgItem(int id) const
{
    for (const auto& wnd : m_controls)
        if (wnd->GetDlgCtrlID() == id)
            return wnd.get();
    return nullptr;
}

void CZcUiDialog::SetDlgItemText(int id, const char* text)
{
    if (CWnd* wnd = GetDlgItem(id))
        wnd->SetWindowText(text);
}

BOOL CZcUiDialog::ShowWindow(int command)
{
    const BOOL was = m_visible;
    m_visible = command != SW_HIDE;
    return was;
}

void CZcUiDialog::BeginEditorCommand() { m_visible = false; }

void CZcUiDialog::CompleteEditorCommand(BOOL restoreDialog)
{
    if (restoreDialog)
        m_visible = true;
    else
        EndDialog(IDCANCEL);
}

BOOL CZcUiDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CZcUiDialog::DoDataExchange(CDataExchange*) {}

void CZcUiDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CZcUiDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CZcUiDialog::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

std::string CZcUiDialog::describe() const
{
    std::string out = "Okno " + std::to_string(m_templateId) + " „" + m_caption + "”\n";
    for (const auto& wnd : m_controls) {
        out += "  " + (wnd->GetDlgCtrlID() < 0 ? std::string("-") : std::to_string(wnd->GetDlgCtrlID()));
        out += " " + (wnd->controlName().empty() ? std::string("-") : wnd->controlName());
        out += " " + wnd->windowClass();
        if (!wnd->IsWindowVisible())
            out += " ukryta";
        if (!wnd->IsWindowEnabled())
            out += " wyłączona";
        out += ": " + wnd->valueText() + "\n";
    }
    return out;
}
