#pragma once

#include <string>
#include <vector>

#include "CRect.h"
#include "CString.h"
#include "WinTypes.h"
#include "ZrxExport.h"

// Window styles the templates use.
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_TABSTOP 0x00010000L
#define WS_BORDER 0x00800000L
#define BS_PUSHBUTTON 0x0L
#define BS_DEFPUSHBUTTON 0x1L
#define BS_AUTOCHECKBOX 0x3L
#define BS_TYPEMASK 0xFL
#define CBS_DROPDOWN 0x2L
#define CBS_DROPDOWNLIST 0x3L
#define CBS_TYPEMASK 0x3L
#define SS_ICON 0x3L
#define SS_BITMAP 0xEL
#define SS_TYPEMASK 0x1FL
// A static that tells its dialog it was clicked (STN_CLICKED).
#define SS_NOTIFY 0x100L
#define ES_MULTILINE 0x0004L
#define ES_AUTOVSCROLL 0x0040L
#define ES_READONLY 0x0800L
#define ES_WANTRETURN 0x1000L

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOW 5

// Notification codes of WM_COMMAND.
#define BN_CLICKED 0
#define EN_CHANGE 0x0300
#define CBN_SELCHANGE 1
#define CBN_EDITCHANGE 5
#define STN_CLICKED 0

#define CB_ERR (-1)

#define BST_UNCHECKED 0
#define BST_CHECKED 1

class CZcUiDialog;
class CDC;

// A rectangle drawn on a control over its own painting.
struct ZRX_EXPORT ZcUiPaintedRectangle {
    RECT rect;
    bool hollow;  // outline only: drawn with the hollow brush
    bool operator==(const ZcUiPaintedRectangle& other) const
    {
        return rect.left == other.rect.left && rect.top == other.rect.top && rect.right == other.rect.right &&
               rect.bottom == other.rect.bottom && hollow == other.hollow;
    }
};

// A control of a dialog, made from its template line.
class ZRX_EXPORT CWnd {
public:
    virtual ~CWnd();

    int GetDlgCtrlID() const { return m_id; }
    BOOL ShowWindow(int command);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowVisible() const { return m_visible; }
    BOOL IsWindowEnabled() const { return m_enabled; }
    void SetWindowText(const char* text) { m_text = text ? text : ""; }
    void GetWindowText(CString& text) const { text = m_text.c_str(); }
    int GetWindowTextLength() const { return int(m_text.size()); }
    void Invalidate(BOOL erase = TRUE) { (void)erase; }
    void UpdateWindow() {}
    void SetFocus() {}
    DWORD GetStyle() const { return m_style; }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    // The dialog the control belongs to; null outside a run.
    CZcUiDialog* GetParent() const { return m_parent; }
    // The control's own handle: what a message or a notification names it by.
    HWND GetSafeHwnd() const { return reinterpret_cast<HWND>(const_cast<CWnd*>(this)); }
    operator HWND() const { return GetSafeHwnd(); }
    // The control's size in pixels, its top left corner at 0,0.
    void GetClientRect(LPRECT rect) const;

    // Mouse messages over the control, point in its client pixels. A user's
    // click arrives as a button down and a button up; the controls that act
    // on a click override them, and so may a class derived from a control.
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    // Painting: the control's own, which a derived class may draw over
    // with GetDC; the runtime paints every shown control while the dialog
    // waits for the user.
    virtual void OnPaint();
    // A device context for drawing on the control; ReleaseDC deletes it.
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    // The platform's own: name from resource.h, window class, state as text.
    const std::string& controlName() const { return m_name; }
    const std::string& windowClass() const { return m_class; }
    DWORD style() const { return m_style; }
    virtual std::string valueText() const { return m_text; }

    // Set up by the dialog runtime when it builds the control.
    void initialise(int id, std::string name, std::string windowClass, DWORD style, std::string text);
    // Its dialog, and its size in pixels from the template's dialog units.
    void place(CZcUiDialog* parent, int width, int height);
    // Paints the control anew: what was drawn on it before is gone.
    void paint();
    const std::vector<ZcUiPaintedRectangle>& painted() const { return m_painted; }
    void addPainted(const ZcUiPaintedRectangle& shape) { m_painted.push_back(shape); }

protected:
    int m_id = 0;
    std::string m_name;
    std::string m_class;
    DWORD m_style = 0;
    std::string m_text;
    bool m_visible = true;
    bool m_enabled = true;
    CZcUiDialog* m_parent = nullptr;
    int m_width = 0;
    int m_height = 0;
    std::vector<ZcUiPaintedRectangle> m_painted;
};

class ZRX_EXPORT CButton : public CWnd {
public:
    bool isCheckBox() const { return (m_style & BS_TYPEMASK) == BS_AUTOCHECKBOX; }
    int GetCheck() const { return m_checked ? BST_CHECKED : BST_UNCHECKED; }
    void SetCheck(int state) { m_checked = state == BST_CHECKED; }
    std::string valueText() const override;

private:
    bool m_checked = false;
};

// An edit box: what a user types is cut at its limit, in characters.
class ZRX_EXPORT CEdit : public CWnd {
public:
    ~CEdit() override;  // defined in the host, where the class's vtable is
    void SetLimitText(UINT limit);
    void LimitText(int limit = 0) { SetLimitText(UINT(limit < 0 ? 0 : limit)); }
    UINT GetLimitText() const { return m_limit; }
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    bool isReadOnly() const { return (m_style & ES_READONLY) != 0; }
    // Typing the whole text anew.
    void typeText(const std::string& text);

private:
    UINT m_limit = kDefaultLimit;
    // What an edit box takes when no limit was set.
    static constexpr UINT kDefaultLimit = 32767;
};

// A label or a picture (SS_BITMAP, SS_ICON). The picture is the caller's:
// the static only shows it, and shows nothing once it is deleted.
class ZRX_EXPORT CStatic : public CWnd {
public:
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const { return m_bitmap; }
    HICON SetIcon(HICON icon);
    HICON GetIcon() const { return m_icon; }
    bool notifiesClicks() const { return (m_style & SS_NOTIFY) != 0; }
    std::string valueText() const override;

private:
    HBITMAP m_bitmap = nullptr;
    HICON m_icon = nullptr;
};

// A drop-down list (CBS_DROPDOWNLIST) or an editable combo (CBS_DROPDOWN);
// unsorted, as the templates make them.
class ZRX_EXPORT CComboBox : public CWnd {
public:
    bool isEditable() const { return (m_style & CBS_TYPEMASK) == CBS_DROPDOWN; }
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    void ResetContent();
    int GetCount() const { return int(m_items.size()); }
    int GetCurSel() const { return m_selection; }
    // Selects the item (its text becomes the box's text); CB_ERR, and no
    // item selected, for -1 or an index beyond the list.
    int SetCurSel(int index);
    int GetLBText(int index, CString& text) const;
    int SetDroppedWidth(UINT width)
    {
        m_droppedWidth = width;
        return int(width);
    }
    // Typing into an editable combo: the text changes and no item stays selected.
    void typeText(const std::string& text);
    std::string valueText() const override;

private:
    std::vector<std::string> m_items;
    int m_selection = -1;
    UINT m_droppedWidth = 0;
};
