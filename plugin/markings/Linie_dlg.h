#pragma once

#include <vector>

#include "ZcUiControls.h"
#include "ZcUiDialog.h"
#include "ZcUiImages.h"
#include "frame/CommandSettings.h"
#include "markings/LineCatalogue.h"
#include "ui/UI_ComboDest.h"
#include "ui/UI_ListCtrl.h"

// The line-marking dialog: the catalogue as a list of symbols and names
// with icons, the destination and the scale, and a draw button that asks
// for an edge and two points on it; the dialog comes back for the next one.
class Linie_dlg : public CZcUiDialog {
public:
    Linie_dlg();

    CommandSettings& settings() { return m_settings; }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(int id, int code) override;

private:
    void OnDraw();
    void OnClose();

    UI_ListCtrl m_lines;
    std::vector<D_Linetype> m_catalogue;
    CComboBox m_scales;
    UI_ComboDest m_destinations;
    CommandSettings m_settings;
    CImageList m_images;
};

// The command "D_Linie".
void DrawLineMarkings();
