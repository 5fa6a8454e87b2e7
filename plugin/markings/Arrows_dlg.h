#pragma once

#include "ZcUiDialog.h"
#include "ZcUiImages.h"
#include "frame/CommandSettings.h"
#include "ui/UI_ComboDest.h"
#include "ui/UI_ListCtrl.h"

// The arrow dialog: the painted arrows as a list with their icons, a length
// class for the arrows that come in two sizes, the destination and the
// scale, and an insert button; the dialog comes back for the next arrow.
class Arrows_dlg : public CZcUiDialog {
public:
    Arrows_dlg();

    CommandSettings& settings() { return m_settings; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(int id, int code) override;
    BOOL OnNotify(int id, NMHDR* header, LRESULT* result) override;

private:
    void fillCatalogue();
    void OnInsert();
    void OnClose();

    UI_ListCtrl m_arrows;
    CComboBox m_lengths;
    UI_ComboDest m_destinations;
    CComboBox m_scales;
    CImageList m_images;
    CommandSettings m_settings;
};

// The command "D_Strzalki".
void InsertArrows();
