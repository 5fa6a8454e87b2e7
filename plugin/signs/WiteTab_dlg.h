#pragma once

#include <string>

#include "ZcCmColor.h"
#include "ZcUiDialog.h"
#include "ZcUiRichEdit.h"

// The information-board dialog: the board's text in a rich edit that
// previews its height and colours, the text size, the two colours and the
// board's width; OK builds the board and places it, then the dialog
// closes. Every run starts from the defaults.
class WiteTab_dlg : public CZcUiDialog {
public:
    WiteTab_dlg();

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(int id, int code) override;

private:
    void OnDraw();
    void OnSizeChanged(int code);
    void OnTextColour();
    void OnBoardColour();
    // The size combo's text, or the chosen entry while the list shows one.
    std::string sizeText() const;

    CRichEditCtrl m_text;
    CComboBox m_sizes;
    CString m_typed;
    ZcCmColor m_boardColour;
    ZcCmColor m_textColour;
    int m_width = 900;
    int m_textHeight = 0;
};

// The leading digits of a size as typed, 0 when there are none; sizes
// beyond an int's range are its largest.
int LeadingDigits(std::string_view text);

// The command "D_InfoTab".
void DrawInfoBoard();
