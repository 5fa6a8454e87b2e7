#include "markings/Arrows_dlg.h"

#include "ZcUiDataExchange.h"
#include "frame/DialogCommand.h"
#include "frame/DrawingAction.h"
#include "frame/StringTable.h"
#include "markings/ArrowCatalogue.h"
#include "markings/ArrowInsertion.h"
#include "resource.h"
#include "ui/ScaleAndDestination.h"
#include "zced.h"

namespace {

constexpr int kIconSize = 32;
constexpr const char* kScaleNames[] = {"1:1000", "1:500"};

// The list's columns; the two areas are never shown, the insertion reads them.
enum Column { kSymbolColumn, kDescriptionColumn, kLongAreaColumn, kShortAreaColumn };
constexpr int kSymbolWidth = 80;
constexpr int kDescriptionWidth = 240;

}  // namespace

Arrows_dlg::Arrows_dlg() : CZcUiDialog(IDD_ARROWS, nullptr) {}

BOOL Arrows_dlg::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    SetDlgItemText(IDC_ARROW_INSERT, LoadTarvoString(IDS_INSERT));
    SetDlgItemText(IDCANCEL, LoadTarvoString(IDS_CLOSE));
    SetWindowText(LoadTarvoString(IDS_ARROWS));

    m_lengths.InsertString(kArrowLong, LoadTarvoString(IDS_ARROW_LONG));
    m_lengths.InsertString(kArrowShort, LoadTarvoString(IDS_ARROW_SHORT));
    m_lengths.SetCurSel(kArrowLong);
    FillScaleAndDestination(m_destinations, m_scales, kScaleNames, m_settings);
    fillCatalogue();
    return TRUE;
}

void Arrows_dlg::fillCatalogue()
{
    m_images.Create(kIconSize, kIconSize, ILC_COLOR8, int(ArrowCatalogue().size()), 0);
    m_arrows.SetImageList(&m_images, LVSIL_SMALL);
    for (const ArrowRow& row : ArrowCatalogue())
        if (HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(row.icon))) {
            m_images.Add(icon);
            DestroyIcon(icon);
        }
    m_arrows.InsertColumn(kSymbolColumn, "Symbol", LVCFMT_LEFT, kSymbolWidth);
    m_arrows.InsertColumn(kDescriptionColumn, LoadTarvoString(IDS_DESCRIPTION), LVCFMT_LEFT, kDescriptionWidth);
    m_arrows.InsertColumn(kLongAreaColumn, "PowierzchniaK", LVCFMT_LEFT, 0);
    m_arrows.InsertColumn(kShortAreaColumn, "PowierzchniaD", LVCFMT_LEFT, 0);
    int item = 0;
    for (const ArrowRow& row : ArrowCatalogue()) {
        m_arrows.InsertItem(item, row.symbol, item);
        m_arrows.SetItemText(item, kDescriptionColumn, LoadTarvoString(row.description));
        m_arrows.SetItemText(item, kLongAreaColumn, row.longArea);
        m_arrows.SetItemText(item, kShortAreaColumn, row.shortArea);
        ++item;
    }
}

void Arrows_dlg::DoDataExchange(CDataExchange* pDX)
{
    CZcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ARROW_LIST, m_arrows);
    DDX_Control(pDX, IDC_ARROW_LENGTH, m_lengths);
    DDX_Control(pDX, IDC_MARKING_DESTINATION, m_destinations);
    DDX_Control(pDX, IDC_MARKING_SCALE, m_scales);
}

BOOL Arrows_dlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return CZcUiDialog::OnCommand(id, code);
    switch (id) {
    case IDC_ARROW_INSERT: OnInsert(); return TRUE;
    case IDCANCEL: OnClose(); return TRUE;
    case IDOK: return TRUE;  // hidden and disabled: Enter inserts nothing
    default: return CZcUiDialog::OnCommand(id, code);
    }
}

BOOL Arrows_dlg::OnNotify(int id, NMHDR* header, LRESULT* result)
{
    if (id == IDC_ARROW_LIST && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        const bool selectedNow = (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED);
        if (selectedNow) {
            // Only the arrows that come in two sizes have a short area.
            const bool twoSizes = !m_arrows.GetItemText(change->iItem, kShortAreaColumn).IsEmpty();
            m_lengths.ShowWindow(twoSizes ? SW_SHOW : SW_HIDE);
        }
        *result = 0;
        return TRUE;
    }
    return CZcUiDialog::OnNotify(id, header, result);
}

void Arrows_dlg::OnInsert()
{
    const int item = m_arrows.GetSelectionMark();
    ArrowChoice choice;
    ArrowTarget target;
    if (item >= 0) {
        choice = ChooseArrow(std::string(m_arrows.GetItemText(item, kSymbolColumn)),
                             std::string(m_arrows.GetItemText(item, kLongAreaColumn)),
                             std::string(m_arrows.GetItemText(item, kShortAreaColumn)), m_lengths.GetCurSel());
        target.destination = m_destinations.GetCurSel();
        CString name;
        if (target.destination >= 0)
            m_destinations.GetLBText(target.destination, name);
        target.destinationName = std::string(name);
        target.scaleIndex = m_scales.GetCurSel();
    }
    RunDrawingAction(FolderUse::NotNeeded, [&] {
        BeginEditorCommand();
        if (item >= 0)
            InsertArrow(choice, target);
        zcedCommand(RTSTR, "REGEN", RTNONE);
        CompleteEditorCommand(TRUE);
    });
}

void Arrows_dlg::OnClose()
{
    m_settings.destination = m_destinations.GetCurSel();
    m_settings.scaleIndex = m_scales.GetCurSel();
    EndDialog(IDCANCEL);
}

void InsertArrows() { RunSettingsDialog<Arrows_dlg>(CommandRowOf(InsertArrows)); }
