#include "lights/Swiatla_dlg.h"

#include <cmath>

#include "ZcDbObjectPointer.h"
#include "ZcUiDataExchange.h"
#include "frame/DialogCommand.h"
#include "frame/DrawingAction.h"
#include "frame/DrawingSettings.h"
#include "geometry/Angles.h"
#include "geometry/Points.h"
#include "resource.h"
#include "services/Blocks.h"
#include "services/Input.h"
#include "services/RegistryString.h"
#include "ui/ScaleAndDestination.h"
#include "zced.h"

namespace {

constexpr int kLightIconSize = 32;
constexpr COLORREF kIconBackground = 0x28;
// Template symbols are drawn in millimetres of the real thing, 200 times
// the drawing's metres at 1:500.
constexpr double kSymbolUnit = 0.005;
constexpr const char* kTemplateFolder = "\\Wzory\\Swiatla\\";
constexpr const char* kLightScaleNames[] = {"1:100", "1:500"};

}  // namespace

Swiatla_dlg::Swiatla_dlg() : CZcUiDialog(IDD_TRAFFIC_LIGHTS, nullptr) {}

int Swiatla_dlg::OnCreate(LPCREATESTRUCT create)
{
    if (CZcUiDialog::OnCreate(create) == -1)
        return -1;
    const auto catalogue = TrafficLightCatalogue();
    m_catalogue.assign(catalogue.begin(), catalogue.end());
    return 0;
}

BOOL Swiatla_dlg::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    CString text;
    text.LoadString(IDS_INSERT);
    SetDlgItemText(IDOK, text);
    text.LoadString(IDS_CLOSE);
    SetDlgItemText(IDCANCEL, text);
    text.LoadString(IDS_LIGHTS);
    SetWindowText(text);

    // The destination list stays hidden: a symbol goes on the current layer.
    FillScaleAndDestination(m_destinations, m_scales, kLightScaleNames, m_settings);

    m_images.Create(kLightIconSize, kLightIconSize, ILC_COLOR, int(m_catalogue.size()), 0);
    m_images.SetBkColor(kIconBackground);
    m_symbols.SetImageList(&m_images, LVSIL_NORMAL);
    for (int i = 0; i < int(m_catalogue.size()); ++i) {
        m_symbols.InsertItem(i, m_catalogue[i].name.c_str(), i);
        if (HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(m_catalogue[i].icon))) {
            m_images.Add(icon);
            DestroyIcon(icon);
        }
    }
    return TRUE;
}

void Swiatla_dlg::DoDataExchange(CDataExchange* pDX)
{
    CZcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIGHT_LIST, m_symbols);
    DDX_Control(pDX, IDC_SCALE, m_scales);
    DDX_Control(pDX, IDC_DESTINATION, m_destinations);
}

BOOL Swiatla_dlg::OnCommand(int id, int code)
{
    if (id == IDOK && code == BN_CLICKED) {
        OnInsert();
        return TRUE;
    }
    if (id == IDCANCEL && code == BN_CLICKED) {
        OnClose();
        return TRUE;
    }
    return CZcUiDialog::OnCommand(id, code);
}

double Swiatla_dlg::scaleMultiplier() const { return m_scales.GetCurSel() == 1 ? 1.0 : 2.0; }

std::string Swiatla_dlg::selectedSymbol() const
{
    const int item = m_symbols.GetSelectionMark();
    return item < 0 ? std::string() : std::string(m_symbols.GetItemText(item, 0));
}

void Swiatla_dlg::OnInsert()
{
    RunDrawingAction(FolderUse::Needed, [this] {
        BeginEditorCommand();
        const double multiplier = scaleMultiplier();
        const DrawingSettings drawing = ReadDrawingSettings();
        ZcGePoint3d point, direction;
        if (GetPointById(point, std::nullopt, IDS_PROMPT_INSERTION_POINT) == RTNORM &&
            GetPointById(direction, point, IDS_PROMPT_DIRECTION) == RTNORM) {
            const std::string symbol = selectedSymbol();
            ImportBlockFromTemplate(symbol, InstallationFolder() + kTemplateFolder);
            const double scale = multiplier * drawing.symbolScale * kSymbolUnit;
            const double rotation = PointAngle(point, direction) + PiValue() / 2.0;
            ZcDbObjectPointer<ZcDbBlockReference> reference;
            if (ZcDbBlockReference* inserted =
                    InsertBlockReference(symbol.c_str(), point, ZcGeScale3d(scale, scale, scale), rotation))
                reference.acquire(inserted);
        }
        CompleteEditorCommand(TRUE);
    });
}

void Swiatla_dlg::OnClose()
{
    m_settings.scaleIndex = m_scales.GetCurSel();
    EndDialog(IDCANCEL);
}

void InsertTrafficLights() { RunSettingsDialog<Swiatla_dlg>(CommandRowOf(InsertTrafficLights)); }
