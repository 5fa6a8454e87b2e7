#include "markings/Linie_dlg.h"

#include "frame/DialogCommand.h"
#include "frame/DrawingAction.h"
#include "markings/LineMarking.h"
#include "resource.h"
#include "ui/ScaleAndDestination.h"
#include "zced.h"

namespace {

constexpr int kMarkingIconSize = 32;
constexpr const char* kMarkingScaleNames[] = {"1:1000", "1:500"};
constexpr int kSymbolColumnWidth = 80;
constexpr int kDescriptionColumnWidth = 250;

bool UsesLinetypeFile(const D_Linetype& entry)
{
    return entry.linetype != "Continuous" || entry.secondLinetype != "Continuous";
}

}  // namespace

Linie_dlg::Linie_dlg() : CZcUiDialog(IDD_LINE_MARKINGS, nullptr) {}

int Linie_dlg::OnCreate(LPCREATESTRUCT create)
{
    if (CZcUiDialog::OnCreate(create) == -1)
        return -1;
    m_catalogue = LineCatalogue();
    return 0;
}

BOOL Linie_dlg::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    CString text;
    text.LoadString(IDS_AXES);
    SetWindowText(text);
    text.LoadString(IDS_DRAW);
    SetDlgItemText(IDC_LINE_DRAW, text);
    text.LoadString(IDS_CLOSE);
    SetDlgItemText(IDCANCEL, text);

    FillScaleAndDestination(m_destinations, m_scales, kMarkingScaleNames, m_settings);

    m_images.Create(kMarkingIconSize, kMarkingIconSize, ILC_COLOR32, int(m_catalogue.size()), 0);
    m_lines.SetImageList(&m_images, LVSIL_SMALL);
    text.LoadString(IDS_SYMBOL);
    m_lines.InsertColumn(0, text, LVCFMT_LEFT, kSymbolColumnWidth);
    text.LoadString(IDS_DESCRIPTION);
    m_lines.InsertColumn(1, text, LVCFMT_LEFT, kDescriptionColumnWidth);
    for (int i = 0; i < int(m_catalogue.size()); ++i) {
        m_lines.InsertItem(i, m_catalogue[i].symbol.c_str(), i);
        m_lines.SetItemText(i, 1, m_catalogue[i].description.c_str());
        if (HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(m_catalogue[i].iconId))) {
            m_images.Add(icon);
            DestroyIcon(icon);
        }
    }
    m_lines.SetSelectionMark(m_settings.lineIndex);
    return TRUE;
}

void Linie_dlg::DoDataExchange(CDataExchange* pDX)
{
    CZcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINE_LIST, m_lines);
    DDX_Control(pDX, IDC_MARKING_SCALE, m_scales);
    DDX_Control(pDX, IDC_MARKING_DESTINATION, m_destinations);
}

BOOL Linie_dlg::OnCommand(int id, int code)
{
    if (code == BN_CLICKED && id == IDC_LINE_DRAW) {
        OnDraw();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDCANCEL) {
        OnClose();
        return TRUE;
    }
    // Button 1 ends the dialog through the base class, storing nothing.
    return CZcUiDialog::OnCommand(id, code);
}

void Linie_dlg::OnDraw()
{
    if (!UpdateData(TRUE))
        return;
    BeginEditorCommand();
    const int row = m_lines.GetSelectionMark();
    if (row >= 0 && row < int(m_catalogue.size())) {
        LineMarkingChoice choice{m_catalogue[size_t(row)], m_scales.GetCurSel(), m_destinations.GetCurSel(), {}};
        CString name;
        if (choice.destination >= 0)
            m_destinations.GetLBText(choice.destination, name);
        choice.destinationName = name.str();
        RunDrawingAction(UsesLinetypeFile(choice.entry) ? FolderUse::Needed : FolderUse::NotNeeded,
                         [&] { DrawLineMarking(choice); });
    }
    zcedCommand(RTSTR, "REGEN", RTNONE);
    CompleteEditorCommand(TRUE);
    UpdateData(FALSE);
}

void Linie_dlg::OnClose()
{
    m_settings.destination = m_destinations.GetCurSel();
    m_settings.lineIndex = m_lines.GetSelectionMark();
    m_settings.scaleIndex = m_scales.GetCurSel();
    EndDialog(IDCANCEL);
}

void DrawLineMarkings() { RunSettingsDialog<Linie_dlg>(CommandRowOf(DrawLineMarkings)); }
