#pragma once

#include "ZcUiControls.h"
#include "ZcUiDialog.h"
#include "frame/CommandSettings.h"
#include "signs/SignBoard.h"
#include "ui/UI_ComboDest.h"

// The dialog of the E-series sign commands: the place name, direction,
// scale, size, destination, film generation, and whether the board goes
// on a post with a description. Each press of the draw button draws one
// sign on the command line and brings the dialog back; the close button
// keeps the choices for the next sign command.
class SignDialog : public CZcUiDialog {
public:
    explicit SignDialog(SignKind kind);

    CommandSettings& settings() { return m_settings; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(int id, int code) override;

private:
    void OnScaleChanged();
    void OnInsertAsSignClicked();
    void OnDraw();
    void OnClose();

    SignKind m_kind;
    CString m_text;
    int m_asSign = 0;
    int m_withDescription = 0;
    CComboBox m_directions;
    CComboBox m_scales;
    CComboBox m_sizes;
    UI_ComboDest m_destinations;
    CComboBox m_generations;
    CommandSettings m_settings;
};

class D_E4_dlg : public SignDialog {
public:
    D_E4_dlg() : SignDialog(SignKind::E4) {}
};
class D_E5_dlg : public SignDialog {
public:
    D_E5_dlg() : SignDialog(SignKind::E5) {}
};
class D_E17a_dlg : public SignDialog {
public:
    D_E17a_dlg() : SignDialog(SignKind::E17a) {}
};
class D_E18a_dlg : public SignDialog {
public:
    D_E18a_dlg() : SignDialog(SignKind::E18a) {}
};
class D_E21_dlg : public SignDialog {
public:
    D_E21_dlg() : SignDialog(SignKind::E21) {}
};

// The commands "E4", "E5", "E17a", "E18a", "E21".
void DrawE4Sign();
void DrawE5Sign();
void DrawE17aSign();
void DrawE18aSign();
void DrawE21Sign();
