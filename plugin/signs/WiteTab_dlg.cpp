#include "signs/WiteTab_dlg.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>

#include "WinColorDialog.h"
#include "ZcDbBlockReference.h"
#include "ZcDbObjectPointer.h"
#include "frame/DrawingAction.h"
#include "resource.h"
#include "services/Blocks.h"
#include "services/Input.h"
#include "signs/InfoBoard.h"
#include "zced.h"
#include "zcut.h"

namespace {

constexpr const char* kSizes[] = {"102", "132", "162", "210", "282"};
constexpr int kDefaultWidth = 900;
constexpr int kLargestWidth = 2000;
// The hidden height field's value; the board's height follows its text.
constexpr int kHiddenHeight = 500;
// The rich edit previews a text height in its own units, three per unit.
constexpr LONG kPreviewScale = 3;

ZcCmColor colourOf(COLORREF ref)
{
    ZcCmColor colour;
    colour.setRGB(GetRValue(ref), GetGValue(ref), GetBValue(ref));
    return colour;
}

// The colour the user picks, starting at black; a cancelled dialog gives
// the colour it started at.
COLORREF chooseColour()
{
    CColorDialog dialog(RGB(0, 0, 0));
    dialog.DoModal();
    return dialog.GetColor();
}

}  // namespace

int LeadingDigits(std::string_view text)
{
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    int value = 0;
    if (std::from_chars(text.data(), text.data() + digits, value).ec == std::errc::result_out_of_range)
        return INT_MAX;
    return value;
}

WiteTab_dlg::WiteTab_dlg() : CZcUiDialog(IDD_INFO_BOARD, nullptr) {}

int WiteTab_dlg::OnCreate(LPCREATESTRUCT create)
{
    if (CZcUiDialog::OnCreate(create) == -1)
        return -1;
    // The rich edit's window class must exist before the controls are made.
    AfxInitRichEdit2();
    return 0;
}

BOOL WiteTab_dlg::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    for (const char* size : kSizes)
        m_sizes.AddString(size);
    m_sizes.SetCurSel(0);
    m_textHeight = LeadingDigits(sizeText());
    m_text.SetEventMask(m_text.GetEventMask() | ENM_CHANGE);

    CString text;
    text.LoadString(IDS_CANCEL);
    SetDlgItemText(IDCANCEL, text);
    text.LoadString(IDS_TEXT_SIZE);
    SetDlgItemText(IDC_TEXT_SIZE_LABEL, text);
    text.LoadString(IDS_TEXT_COLOUR);
    SetDlgItemText(IDC_TEXT_COLOUR_LABEL, text);
    text.LoadString(IDS_BOARD_COLOUR);
    SetDlgItemText(IDC_BOARD_COLOUR_LABEL, text);
    text.LoadString(IDS_HEIGHT);
    SetDlgItemText(IDC_BOARD_HEIGHT_LABEL, text);

    m_boardColour.setRGB(255, 255, 255);
    m_textColour.setRGB(0, 0, 0);
    m_width = kDefaultWidth;
    UpdateData(FALSE);
    return TRUE;
}

void WiteTab_dlg::DoDataExchange(CDataExchange* pDX)
{
    CZcUiDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BOARD_TEXT, m_text);
    DDX_Control(pDX, IDC_TEXT_SIZE, m_sizes);
    DDX_Text(pDX, IDC_BOARD_TEXT, m_typed);
    DDX_Text(pDX, IDC_BOARD_WIDTH, m_width);
    DDV_MinMaxInt(pDX, m_width, 0, kLargestWidth);
}

BOOL WiteTab_dlg::OnCommand(int id, int code)
{
    if (id == IDOK && code == BN_CLICKED) {
        OnDraw();
        return TRUE;
    }
    if (id == IDCANCEL && code == BN_CLICKED) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (id == IDC_TEXT_SIZE && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) {
        OnSizeChanged(code);
        return TRUE;
    }
    if (id == IDC_TEXT_COLOUR && code == BN_CLICKED) {
        OnTextColour();
        return TRUE;
    }
    if (id == IDC_BOARD_COLOUR && code == BN_CLICKED) {
        OnBoardColour();
        return TRUE;
    }
    return CZcUiDialog::OnCommand(id, code);
}

std::string WiteTab_dlg::sizeText() const
{
    const int selected = m_sizes.GetCurSel();
    CString text;
    if (selected >= 0)
        m_sizes.GetLBText(selected, text);
    else
        m_sizes.GetWindowText(text);
    return static_cast<const char*>(text);
}

void WiteTab_dlg::OnSizeChanged(int)
{
    m_textHeight = LeadingDigits(sizeText());
    CHARFORMAT format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_SIZE;
    format.yHeight = LONG(std::min<long long>(kPreviewScale * (long long)m_textHeight, INT32_MAX));
    m_text.SetDefaultCharFormat(format);
}

void WiteTab_dlg::OnTextColour()
{
    const COLORREF colour = chooseColour();
    CHARFORMAT format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = 0;  // the chosen colour, not the automatic one
    format.crTextColor = colour;
    m_text.SetDefaultCharFormat(format);
    m_textColour = colourOf(colour);
}

void WiteTab_dlg::OnBoardColour()
{
    const COLORREF colour = chooseColour();
    m_text.SetBackgroundColor(FALSE, colour);
    m_boardColour = colourOf(colour);
}

void WiteTab_dlg::OnDraw()
{
    // A width out of range has had the framework's message; the dialog
    // stays for the user to mend it.
    if (!UpdateData(TRUE))
        return;
    BeginEditorCommand();
    m_textHeight = LeadingDigits(sizeText());
    CString caption;
    caption.LoadString(IDS_TARVO);
    if (m_textHeight < 1) {
        CString message;
        message.LoadString(IDS_TEXT_HEIGHT_NOT_NUMBER);
        MessageBoxA(GetSafeHwnd(), message, caption, MB_OK);
    } else if (m_textHeight > kLargestInfoTextHeight) {
        // Said, not cut down to a height the user did not type.
        CString message;
        message.LoadString(IDS_TEXT_HEIGHT_TOO_LARGE);
        message += std::to_string(kLargestInfoTextHeight).c_str();
        MessageBoxA(GetSafeHwnd(), message, caption, MB_OK);
    } else if (m_width < kSmallestInfoBoardWidth) {
        // A narrower board's corner arcs would overlap and its outlines
        // cross themselves.
        CString message;
        message.LoadString(IDS_BOARD_TOO_NARROW);
        message += std::to_string(kSmallestInfoBoardWidth).c_str();
        MessageBoxA(GetSafeHwnd(), message, caption, MB_OK);
    } else {
        RunDrawingAction(FolderUse::NotNeeded, [this] {
            InfoBoardArgs args;
            args.text = static_cast<const char*>(m_typed);
            args.textHeight = m_textHeight;
            args.width = m_width;
            args.height = kHiddenHeight;
            args.boardColour = m_boardColour;
            args.textColour = m_textColour;
            const ZcDbObjectId blockId = BuildInfoBoard(args);
            if (blockId.isNull()) {
                zcutPrintf("\nTablicy nie udało się zbudować; nic nie wstawiono.");
                return;
            }
            std::string name;
            {
                ZcDbObjectPointer<ZcDbBlockTableRecord> block(blockId, ZcDb::kForRead);
                if (block)
                    name = block->name();
            }
            ZcGePoint3d point;
            if (GetPointById(point, std::nullopt, IDS_PROMPT_INSERTION_POINT) == RTNORM) {
                ZcDbObjectPointer<ZcDbBlockReference> reference;
                if (ZcDbBlockReference* inserted = InsertBlockReference(name.c_str(), point, ZcGeScale3d(1, 1, 1), 0.0))
                    reference.acquire(inserted);
            } else {
                // Nothing refers to the board: it goes, as a save would purge it.
                EraseUnreferencedBlock(blockId);
            }
        });
        EndDialog(IDOK);
    }
    CompleteEditorCommand(TRUE);
    UpdateData(FALSE);
}

void DrawInfoBoard()
{
    WiteTab_dlg dialog;
    dialog.DoModal();
}
