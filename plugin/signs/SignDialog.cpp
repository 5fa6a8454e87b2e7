#include "signs/SignDialog.h"

#include "ZcUiDataExchange.h"
#include "frame/DialogCommand.h"
#include "frame/DrawingAction.h"
#include "frame/StringTable.h"
#include "resource.h"
#include "signs/SignDrawing.h"
#include "ui/ScaleAndDestination.h"
#include "zced.h"

namespace {

constexpr const char* kScaleNames[] = {"1:1000", "1:500", "1:1"};
constexpr int kScale1000 = 0;
constexpr UINT kScaleDroppedWidth = 150;
constexpr unsigned kDirectionNames[] = {IDS_DIRECTION_RIGHT, IDS_DIRECTION_LEFT};
constexpr unsigned kSizeNames[] = {IDS_SIZE_VERY_LARGE, IDS_SIZE_LARGE, IDS_SIZE_MEDIUM, IDS_SIZE_SMALL};
constexpr unsigned kGenerationNames[] = {IDS_GENERATION_I, IDS_GENERATION_II, IDS_GENERATION_III};

template <size_t N>
void fillFromStrings(CComboBox& list, const unsigned (&ids)[N])
{
    for (size_t i = 0; i < N; ++i)
        list.InsertString(int(i), LoadTarvoString(ids[i]));
}

std::string selectedText(const CComboBox& list)
{
    CString text;
    if (list.GetCurSel() >= 0)
        list.GetLBText(list.GetCurSel(), text);
    return std::string(text);
}

void enable(CZcUiDialog& dialog, int id, bool on)
{
    if (CWnd* control = dialog.GetDlgItem(id))
        control->EnableWindow(on ? TRUE : FALSE);
}

}  // namespace

SignDialog::SignDialog(SignKind kind) : CZcUiDialog(IDD_SIGNS, nullptr), m_kind(kind) {}

BOOL SignDialog::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    const SignTraits& traits = TraitsOf(m_kind);
    FillScaleAndDestination(m_destinations, m_scales, kScaleNames, m_settings);
    m_scales.SetDroppedWidth(kScaleDroppedWidth);
    SetWindowText(traits.title);
    SetDlgItemText(IDCANCEL, LoadTarvoString(IDS_CLOSE));
    SetDlgItemText(IDC_INSERT_AS_SIGN, LoadTarvoString(IDS_INSERT_AS_SIGN));
    SetDlgItemText(IDC_ADD_DESCRIPTION, LoadTarvoString(IDS_ADD_DESCRIPTION));
    if (traits.hasDirection) {
        fillFromStrings(m_directions, kDirectionNames);
        m_directions.SetCurSel(m_settings.directionRight ? 0 : 1);
    } else {
        m_directions.ShowWindow(SW_HIDE);
    }
    if (traits.hasSize) {
        fillFromStrings(m_sizes, kSizeNames);
        m_sizes.SetCurSel(m_settings.sizeClass);
    } else {
        m_sizes.ShowWindow(SW_HIDE);
    }
    fillFromStrings(m_generations, kGenerationNames);
    m_generations.SetCurSel(m_settings.generation);
    m_withDescription = m_settings.addDescription ? 1 : 0;
    m_asSign = m_settings.insertAsBlock ? 1 : 0;
    UpdateData(FALSE);
    return TRUE;
}

void SignDialog::DoDataExchange(CDataExchange* pDX)
{
    CZcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SIGN_DIRECTION, m_directions);
    DDX_Control(pDX, IDC_SCALE, m_scales);
    DDX_Control(pDX, IDC_SIGN_SIZE, m_sizes);
    DDX_Control(pDX, IDC_DESTINATION, m_destinations);
    DDX_Control(pDX, IDC_SIGN_GENERATION, m_generations);
    DDX_Text(pDX, IDC_SIGN_TEXT, m_text);
    DDX_Check(pDX, IDC_INSERT_AS_SIGN, m_asSign);
    DDX_Check(pDX, IDC_ADD_DESCRIPTION, m_withDescription);
}

BOOL SignDialog::OnCommand(int id, int code)
{
    if (id == IDC_SCALE && code == CBN_SELCHANGE) {
        OnScaleChanged();
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CZcUiDialog::OnCommand(id, code);
    switch (id) {
    case IDC_INSERT_AS_SIGN: OnInsertAsSignClicked(); return TRUE;
    case IDOK: OnDraw(); return TRUE;
    case IDCANCEL: OnClose(); return TRUE;
    default: return CZcUiDialog::OnCommand(id, code);
    }
}

// Each handler reads the controls first; when that fails the framework has
// said why, and the handler changes nothing.

void SignDialog::OnScaleChanged()
{
    if (!UpdateData(TRUE))
        return;
    // At 1:1000 a board on a post would be too small to read: only plain
    // references are drawn there.
    const bool onPostPossible = m_scales.GetCurSel() != kScale1000;
    if (!onPostPossible)
        m_asSign = m_withDescription = 0;
    UpdateData(FALSE);
    enable(*this, IDC_INSERT_AS_SIGN, onPostPossible);
    enable(*this, IDC_ADD_DESCRIPTION, onPostPossible);
}

void SignDialog::OnInsertAsSignClicked()
{
    if (!UpdateData(TRUE))
        return;
    if (!m_asSign)
        m_withDescription = 0;
    UpdateData(FALSE);
    enable(*this, IDC_ADD_DESCRIPTION, m_asSign != 0);
}

void SignDialog::OnDraw()
{
    if (!UpdateData(TRUE))
        return;
    SignChoice choice;
    choice.kind = m_kind;
    choice.text = std::string(m_text);
    choice.direction = m_directions.GetCurSel();
    choice.scale = m_scales.GetCurSel();
    choice.size = m_sizes.GetCurSel();
    choice.destination = m_destinations.GetCurSel();
    choice.destinationName = selectedText(m_destinations);
    choice.generationName = selectedText(m_generations);
    choice.asSign = m_asSign != 0;
    choice.withDescription = m_withDescription != 0;
    RunDrawingAction(FolderUse::NotNeeded, [&] {
        BeginEditorCommand();
        if (!SignText(choice.text).empty()) {
            DrawSign(choice);
            zcedCommand(RTSTR, "REGEN", RTNONE);
        }
        CompleteEditorCommand(TRUE);
        UpdateData(FALSE);
    });
}

void SignDialog::OnClose()
{
    // The dialog stays open rather than keep half of the choices.
    if (!UpdateData(TRUE))
        return;
    m_settings.destination = m_destinations.GetCurSel();
    m_settings.scaleIndex = m_scales.GetCurSel();
    m_settings.addDescription = m_withDescription ? TRUE : FALSE;
    m_settings.insertAsBlock = m_asSign ? TRUE : FALSE;
    m_settings.directionRight = m_directions.GetCurSel() == 0 ? TRUE : FALSE;
    m_settings.sizeClass = static_cast<int8_t>(m_sizes.GetCurSel());
    m_settings.generation = m_generations.GetCurSel();
    EndDialog(IDCANCEL);
}

void DrawE4Sign() { RunSettingsDialog<D_E4_dlg>(CommandRowOf(DrawE4Sign)); }
void DrawE5Sign() { RunSettingsDialog<D_E5_dlg>(CommandRowOf(DrawE5Sign)); }
void DrawE17aSign() { RunSettingsDialog<D_E17a_dlg>(CommandRowOf(DrawE17aSign)); }
void DrawE18aSign() { RunSettingsDialog<D_E18a_dlg>(CommandRowOf(DrawE18aSign)); }
void DrawE21Sign() { RunSettingsDialog<D_E21_dlg>(CommandRowOf(DrawE21Sign)); }
