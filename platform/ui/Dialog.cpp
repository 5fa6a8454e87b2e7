#include "ZcUiDialog.h"

#include <algorithm>
#include <cstring>

#include "ZcUiListCtrl.h"
#include "ZcUiRichEdit.h"
#include "ZcUiToolTip.h"
#include "platform/editor/CommandLine.h"
#include "platform/editor/Transcript.h"
#include "platform/ui/DataExchangeFailure.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/ResourceChain.h"
#include "platform/ui/RichEditClass.h"

using namespace platform;

namespace {

bool isRichEditClass(const std::string& cls)
{
    for (const char* name : {"RichEdit20A", "RichEdit20W", "RICHEDIT50W", "RichEdit"})
        if (strcasecmp(cls.c_str(), name) == 0)
            return true;
    return false;
}

std::unique_ptr<CWnd> makeControl(const ZcUiControlTemplate& line)
{
    const std::string cls = line.windowClass ? line.windowClass : "";
    if (strcasecmp(cls.c_str(), "SysListView32") == 0)
        return std::make_unique<CListCtrl>();
    if (isRichEditClass(cls))
        return std::make_unique<CRichEditCtrl>();
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

// The member takes over the built control when it is of its kind: it gets
// all the control holds, as a subclassed window keeps its state.
template <typename Kind>
bool takeOver(CWnd& built, CWnd& member, bool& taken)
{
    const auto* from = dynamic_cast<const Kind*>(&built);
    if (!from)
        return false;
    auto* to = dynamic_cast<Kind*>(&member);
    if (to)
        *to = *from;
    taken = to != nullptr;
    return true;
}

bool takeOverControl(CWnd& built, CWnd& member)
{
    bool taken = false;
    if (takeOver<CListCtrl>(built, member, taken) || takeOver<CRichEditCtrl>(built, member, taken) ||
        takeOver<CComboBox>(built, member, taken) || takeOver<CEdit>(built, member, taken) ||
        takeOver<CButton>(built, member, taken) || takeOver<CStatic>(built, member, taken))
        return taken;
    // A control of a class the runtime does not know is a plain window.
    member.CWnd::operator=(built);
    return true;
}

}  // namespace

CZcUiDialog::CZcUiDialog(UINT templateId, void* parent) : m_templateId(templateId) { (void)parent; }

CZcUiDialog::~CZcUiDialog() { endRun(); }

bool CZcUiDialog::build()
{
    const ZcUiDialogTemplate* dialog = findChainedDialog(m_templateId);
    if (!dialog) {
        commandLine().commandError("Brak szablonu okna dialogowego " + std::to_string(m_templateId) + ".");
        return false;
    }
    m_caption = dialog->caption ? dialog->caption : "";
    // The window exists before its controls: a dialog may refuse to be made.
    CREATESTRUCT create{};
    create.cx = dialogUnitsToPixelsX(dialog->cx);
    create.cy = dialogUnitsToPixelsY(dialog->cy);
    create.style = LONG(dialog->style);
    create.lpszName = dialog->caption;
    if (OnCreate(&create) == -1)
        return false;
    for (size_t i = 0; i < dialog->controlCount; ++i) {
        const std::string cls = dialog->controls[i].windowClass ? dialog->controls[i].windowClass : "";
        if (isRichEditClass(cls) && !isRichEditClassRegistered()) {
            commandLine().commandError("Okno dialogowe " + std::to_string(m_templateId) + ": klasa okna " + cls +
                                       " nie jest zarejestrowana (brak AfxInitRichEdit2).");
            return false;
        }
    }
    m_controls.clear();
    m_built.clear();
    for (size_t i = 0; i < dialog->controlCount; ++i) {
        const ZcUiControlTemplate& line = dialog->controls[i];
        std::unique_ptr<CWnd> wnd = makeControl(line);
        wnd->initialise(line.id, line.name ? line.name : "", line.windowClass ? line.windowClass : "", line.style,
                        line.text ? line.text : "");
        wnd->place(this, dialogUnitsToPixelsX(line.cx), dialogUnitsToPixelsY(line.cy));
        m_controls.push_back(wnd.get());
        m_built.push_back(std::move(wnd));
    }
    return true;
}

void CZcUiDialog::endRun()
{
    // The tooltip windows go with the dialog's window.
    for (CToolTipCtrl* tip : m_toolTips)
        tip->parentGone();
    m_toolTips.clear();
}

INT_PTR CZcUiDialog::DoModal()
{
    if (m_running)
        return -1;
    if (!build())
        return -1;
    m_running = true;
    m_visible = true;
    m_ended = false;
    m_result = IDCANCEL;
    OnInitDialog();
    ZcUiDialogRunner::run(*this);
    endRun();
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
    for (CWnd* wnd : m_controls)
        if (wnd->GetDlgCtrlID() == id)
            return wnd;
    return nullptr;
}

bool CZcUiDialog::subclassControl(int id, CWnd& member)
{
    for (CWnd*& slot : m_controls) {
        if (slot->GetDlgCtrlID() != id)
            continue;
        if (slot == &member)
            return true;
        if (!takeOverControl(*slot, member))
            return false;
        slot = &member;
        return true;
    }
    return false;
}

LRESULT CZcUiDialog::sendNotify(int id, NMHDR* header)
{
    LRESULT result = 0;
    OnNotify(id, header, &result);
    return result;
}

BOOL CZcUiDialog::preTranslate(MSG& message) { return PreTranslateMessage(&message); }

void CZcUiDialog::addToolTip(CToolTipCtrl* tip)
{
    if (tip && std::find(m_toolTips.begin(), m_toolTips.end(), tip) == m_toolTips.end())
        m_toolTips.push_back(tip);
}

void CZcUiDialog::removeToolTip(CToolTipCtrl* tip) { std::erase(m_toolTips, tip); }

std::string CZcUiDialog::toolTipText(int controlId) const
{
    for (const CToolTipCtrl* tip : m_toolTips)
        if (std::string text = tip->toolText(controlId); !text.empty())
            return text;
    return {};
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

int CZcUiDialog::OnCreate(LPCREATESTRUCT) { return 0; }

BOOL CZcUiDialog::OnNotify(int, NMHDR*, LRESULT*) { return FALSE; }

BOOL CZcUiDialog::PreTranslateMessage(MSG*) { return FALSE; }

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
    for (const CWnd* wnd : m_controls) {
        out += "  " + (wnd->GetDlgCtrlID() < 0 ? std::string("-") : std::to_string(wnd->GetDlgCtrlID()));
        out += " " + (wnd->controlName().empty() ? std::string("-") : wnd->controlName());
        out += " " + wnd->windowClass();
        if (!wnd->IsWindowVisible())
            out += " ukryta";
        if (!wnd->IsWindowEnabled())
            out += " wyłączona";
        out += ": " + wnd->valueText();
        for (const ZcUiPaintedRectangle& shape : wnd->painted())
            out += std::string(shape.hollow ? " ramka " : " prostokąt ") + std::to_string(shape.rect.left) + "," +
                   std::to_string(shape.rect.top) + "–" + std::to_string(shape.rect.right) + "," +
                   std::to_string(shape.rect.bottom);
        if (const std::string text = toolTipText(wnd->GetDlgCtrlID()); !text.empty())
            out += " podpowiedź „" + text + "”";
        out += "\n";
    }
    return out;
}
