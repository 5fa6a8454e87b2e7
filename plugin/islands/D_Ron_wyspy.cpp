#include "islands/D_Ron_wyspy.h"

#include "islands/ParallelIsland.h"
#include "islands/TriangularIsland.h"
#include "resource.h"
#include "services/Input.h"
#include "zced.h"

namespace {

// Each parameter's label, edit control and tooltip text, in the order the
// values are exchanged.
struct ParameterControls {
    int label;
    int edit;
    UINT tooltip;
};

constexpr ParameterControls kParameterControls[] = {
    {IDC_R_LABEL, IDC_R, IDS_ROUNDABOUT_RADIUS},
    {IDC_S_LABEL, IDC_S, IDS_ISLAND_WIDTH},
    {IDC_L_LABEL, IDC_L, IDS_ISLAND_LENGTH},
    {IDC_A_LABEL, IDC_A, IDS_ISLAND_SKEW},
    {IDC_SW_LABEL, IDC_SW, IDS_ENTRY_WIDTH},
    {IDC_SU_LABEL, IDC_SU, IDS_EXIT_WIDTH},
    {IDC_SD_LABEL, IDC_SD, IDS_ROAD_WIDTH},
    {IDC_R1_LABEL, IDC_R1, IDS_ROUNDING_RADIUS},
    {IDC_R3_LABEL, IDC_R3, IDS_ROUNDING_RADIUS},
    {IDC_RU_LABEL, IDC_RU, IDS_EXIT_ROUNDING_RADIUS},
    {IDC_RW_LABEL, IDC_RW, IDS_ENTRY_ROUNDING_RADIUS},
    {IDC_RU1_LABEL, IDC_RU1, IDS_EDGE_BREAK_RADIUS},
    {IDC_RW1_LABEL, IDC_RW1, IDS_EDGE_BREAK_RADIUS},
    {IDC_L1_LABEL, IDC_L1, IDS_LENGTH_PAST_CROSSING},
    {IDC_L2_LABEL, IDC_L2, IDS_CROSSING_WIDTH},
};

UINT sketchOf(IslandKind kind) { return kind == IslandKind::kTriangular ? IDB_ISLAND_TRIANGULAR : IDB_ISLAND_PARALLEL; }

}  // namespace

D_Ron_wyspy::D_Ron_wyspy() : CZcUiDialog(IDD_ISLANDS, nullptr), m_skew(m_parameters.A.c_str()) {}

BOOL D_Ron_wyspy::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();

    if (m_toolTip.Create(this)) {
        for (const ParameterControls& c : kParameterControls) {
            m_toolTip.AddTool(GetDlgItem(c.edit), c.tooltip);
            m_toolTip.AddTool(GetDlgItem(c.label), c.tooltip);
        }
        m_toolTip.Activate(TRUE);
    }

    CString text;
    text.LoadString(IDS_CLOSE);
    SetDlgItemText(IDCANCEL, text);
    text.LoadString(IDS_ISLANDS);
    SetWindowText(text);

    if (auto* kinds = dynamic_cast<CComboBox*>(GetDlgItem(IDC_ISLAND_KIND))) {
        for (UINT id : {IDS_ISLAND_TRIANGULAR, IDS_ISLAND_PARALLEL}) {
            text.LoadString(id);
            kinds->AddString(text);
        }
        kinds->SetCurSel(0);
    }
    showSketch(IslandKind::kTriangular);
    UpdateData(FALSE);
    return TRUE;
}

void D_Ron_wyspy::DoDataExchange(CDataExchange* pDX)
{
    CZcUiDialog::DoDataExchange(pDX);
    IslandParameters& p = m_parameters;
    DDX_Text(pDX, IDC_R, p.R);
    DDV_MinMaxDouble(pDX, p.R, 0.0, 200.0);
    DDX_Text(pDX, IDC_S, p.S);
    DDV_MinMaxDouble(pDX, p.S, 0.0, 7.0);
    DDX_Text(pDX, IDC_L, p.L);
    DDV_MinMaxDouble(pDX, p.L, 0.0, 20.0);
    if (!pDX->m_bSaveAndValidate)
        m_skew = p.A.c_str();
    DDX_Text(pDX, IDC_A, m_skew);
    p.A = static_cast<const char*>(m_skew);
    DDX_Text(pDX, IDC_SW, p.Sw);
    DDX_Text(pDX, IDC_SU, p.Su);
    DDX_Text(pDX, IDC_SD, p.Sd);
    DDX_Text(pDX, IDC_R1, p.R1);
    DDV_MinMaxDouble(pDX, p.R1, 0.0, 2.0);
    DDX_Text(pDX, IDC_R3, p.R3);
    DDX_Text(pDX, IDC_RU, p.Ru);
    DDX_Text(pDX, IDC_RW, p.Rw);
    DDX_Text(pDX, IDC_RU1, p.Ru1);
    DDX_Text(pDX, IDC_RW1, p.Rw1);
    DDX_Text(pDX, IDC_L1, p.L1);
    DDX_Text(pDX, IDC_L2, p.L2);
}

BOOL D_Ron_wyspy::PreTranslateMessage(MSG* message)
{
    m_toolTip.RelayEvent(message);
    return CZcUiDialog::PreTranslateMessage(message);
}

BOOL D_Ron_wyspy::OnCommand(int id, int code)
{
    if (id == IDOK && code == BN_CLICKED) {
        OnDraw();
        return TRUE;
    }
    if (id == IDC_ISLAND_KIND && code == CBN_SELCHANGE) {
        OnKindChanged();
        return TRUE;
    }
    if (id == IDC_ISLAND_SKETCH)
        return TRUE;  // a click on the sketch does nothing
    return CZcUiDialog::OnCommand(id, code);
}

void D_Ron_wyspy::OnDraw()
{
    // A field that fails keeps what was stored before it; drawing goes on.
    UpdateData(TRUE);
    BeginEditorCommand();
    ZcGePoint3d first, second;
    if (GetPointById(first, std::nullopt, IDS_PROMPT_FIRST_POINT) == RTNORM &&
        GetPointById(second, first, IDS_PROMPT_DIRECTION) == RTNORM) {
        if (selectedKind() == IslandKind::kTriangular)
            DrawTriangularIsland(m_parameters, first, second);
        else
            DrawParallelIsland(m_parameters, first, second);
    }
    CompleteEditorCommand(TRUE);
    showSketch(selectedKind());
    UpdateData(FALSE);
}

void D_Ron_wyspy::OnKindChanged()
{
    const IslandKind kind = selectedKind();
    showSketch(kind);
    applyKindValues(m_parameters, kind);
    UpdateData(FALSE);
    Invalidate();
}

IslandKind D_Ron_wyspy::selectedKind()
{
    const auto* kinds = dynamic_cast<CComboBox*>(GetDlgItem(IDC_ISLAND_KIND));
    return kinds && kinds->GetCurSel() == 0 ? IslandKind::kTriangular : IslandKind::kParallel;
}

void D_Ron_wyspy::showSketch(IslandKind kind)
{
    m_sketch.DeleteObject();
    m_sketch.LoadBitmap(sketchOf(kind));
    if (auto* picture = dynamic_cast<CStatic*>(GetDlgItem(IDC_ISLAND_SKETCH)))
        picture->SetBitmap(m_sketch);
}

void DrawIslands()
{
    D_Ron_wyspy dialog;
    dialog.DoModal();
}
