#pragma once

#include "ZcUiDialog.h"
#include "ZcUiImages.h"
#include "ZcUiToolTip.h"
#include "islands/IslandParameters.h"

// The island dialog: the dimensions of a traffic island where a road
// enters a roundabout, a choice of two island kinds with a sketch of each,
// and a draw button that picks two points and draws the island, after
// which the dialog comes back with its values. Values live as long as the
// dialog: every run of the command starts from the defaults.
class D_Ron_wyspy : public CZcUiDialog {
public:
    D_Ron_wyspy();

    const IslandParameters& parameters() const { return m_parameters; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(int id, int code) override;

private:
    void OnDraw();
    void OnKindChanged();
    IslandKind selectedKind();
    void showSketch(IslandKind kind);

    IslandParameters m_parameters;
    CString m_skew;  // A, exchanged as text
    CToolTipCtrl m_toolTip;
    CBitmap m_sketch;
};

// The command "D_Wyspy": runs the island dialog.
void DrawIslands();
