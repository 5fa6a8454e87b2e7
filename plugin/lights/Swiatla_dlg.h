#pragma once

#include <vector>

#include "ZcUiDialog.h"
#include "ZcUiImages.h"
#include "ZcUiListCtrl.h"
#include "frame/CommandSettings.h"
#include "lights/TrafficLightCatalogue.h"
#include "ui/UI_ComboDest.h"

// The traffic-light dialog: the symbols as large icons, a scale, and an
// insert button that asks for the point and the direction and inserts the
// chosen symbol from its template; the dialog comes back for the next one.
class Swiatla_dlg : public CZcUiDialog {
public:
    Swiatla_dlg();

    CommandSettings& settings() { return m_settings; }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(int id, int code) override;

private:
    void OnInsert();
    void OnClose();
    // 2 at 1:100 (or with no scale chosen), 1 at 1:500.
    double scaleMultiplier() const;
    std::string selectedSymbol() const;

    CListCtrl m_symbols;
    std::vector<D_RoadSign> m_catalogue;
    CComboBox m_scales;
    UI_ComboDest m_destinations;
    CommandSettings m_settings;
    CImageList m_images;
};

// The command "D_Swiatla".
void InsertTrafficLights();
