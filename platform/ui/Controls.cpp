#include "ZcUiControls.h"

#include "ZcUiImages.h"
#include "ZcUiPaint.h"
#include "platform/ui/GdiHandles.h"
#include "platform/ui/Utf8Text.h"

using namespace platform;

CWnd::~CWnd() = default;
CEdit::~CEdit() = default;

void CWnd::initialise(int id, std::string name, std::string windowClass, DWORD style, std::string text)
{
    m_id = id;
    m_name = std::move(name);
    m_class = std::move(windowClass);
    m_style = style;
    m_text = std::move(text);
    m_visible = (style & WS_VISIBLE) != 0;
    m_enabled = (style & WS_DISABLED) == 0;
}

void CWnd::place(CZcUiDialog* parent, int width, int height)
{
    m_parent = parent;
    m_width = width < 0 ? 0 : width;
    m_height = height < 0 ? 0 : height;
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (rect)
        *rect = RECT{0, 0, m_width, m_height};
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT)
{
    const DWORD before = m_style;
    m_style = (m_style & ~remove) | add;
    return m_style != before;
}

void CWnd::paint()
{
    m_painted.clear();
    OnPaint();
}

void CWnd::OnPaint() {}

CDC* CWnd::GetDC() { return new CDC(this); }

int CWnd::ReleaseDC(CDC* dc)
{
    if (!dc || dc->window() != this)
        return 0;
    delete dc;
    return 1;
}

void CWnd::OnLButtonDown(UINT, CPoint) {}
void CWnd::OnLButtonUp(UINT, CPoint) {}
void CWnd::OnLButtonDblClk(UINT, CPoint) {}

BOOL CWnd::ShowWindow(int command)
{
    const BOOL wasVisible = m_visible;
    m_visible = command != SW_HIDE;
    return wasVisible;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    const BOOL wasDisabled = !m_enabled;
    m_enabled = enable != FALSE;
    return wasDisabled;
}

std::string CButton::valueText() const
{
    if (isCheckBox())
        return m_text + (m_checked ? " [x]" : " [ ]");
    return m_text;
}

void CEdit::SetLimitText(UINT limit)
{
    // 0 lifts the limit as far as the control goes.
    m_limit = limit == 0 ? 0x7FFFFFFE : limit;
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    if (readOnly)
        m_style |= ES_READONLY;
    else
        m_style &= ~DWORD(ES_READONLY);
    return TRUE;
}

void CEdit::typeText(const std::string& text) { m_text = firstCharacters(text, m_limit); }

HBITMAP CStatic::SetBitmap(HBITMAP bitmap)
{
    const HBITMAP previous = m_bitmap;
    m_bitmap = bitmap;
    return previous;
}

HICON CStatic::SetIcon(HICON icon)
{
    const HICON previous = m_icon;
    m_icon = icon;
    return previous;
}

namespace {

std::string imageText(const char* kind, const ImageInfo& image)
{
    return std::string(kind) + " " + std::to_string(image.resourceId) + " " + std::to_string(image.width) + "×" +
           std::to_string(image.height) + ", " + std::to_string(image.bitsPerPixel) + " bpp";
}

}  // namespace

std::string CStatic::valueText() const
{
    const DWORD type = m_style & SS_TYPEMASK;
    if (type == SS_BITMAP || m_bitmap) {
        if (const ImageInfo* image = findBitmap(m_bitmap))
            return imageText("bitmapa", *image);
        return m_bitmap ? "bitmapa usunięta" : "bez bitmapy";
    }
    if (type == SS_ICON || m_icon) {
        if (const ImageInfo* image = findIcon(m_icon))
            return imageText("ikona", *image);
        return m_icon ? "ikona usunięta" : "bez ikony";
    }
    return m_text;
}

int CComboBox::AddString(const char* text)
{
    m_items.emplace_back(text ? text : "");
    return int(m_items.size()) - 1;
}

int CComboBox::InsertString(int index, const char* text)
{
    if (index < -1 || index > int(m_items.size()))
        return CB_ERR;
    const size_t at = index == -1 ? m_items.size() : size_t(index);
    m_items.insert(m_items.begin() + std::ptrdiff_t(at), text ? text : "");
    if (m_selection >= int(at))
        ++m_selection;
    return int(at);
}

void CComboBox::ResetContent()
{
    m_items.clear();
    m_selection = -1;
    m_text.clear();
}

int CComboBox::SetCurSel(int index)
{
    if (index < 0 || index >= int(m_items.size())) {
        m_selection = -1;
        if (isEditable())
            m_text.clear();
        return CB_ERR;
    }
    m_selection = index;
    m_text = m_items[size_t(index)];
    return index;
}

int CComboBox::GetLBText(int index, CString& text) const
{
    if (index < 0 || index >= int(m_items.size()))
        return CB_ERR;
    text = m_items[size_t(index)].c_str();
    return int(m_items[size_t(index)].size());
}

void CComboBox::typeText(const std::string& text)
{
    m_text = text;
    m_selection = -1;
}

std::string CComboBox::valueText() const
{
    std::string out = isEditable() ? "\"" + m_text + "\"" : (m_selection >= 0 ? "\"" + m_text + "\"" : "(brak)");
    out += " z [";
    for (size_t i = 0; i < m_items.size(); ++i)
        out += (i ? ", " : "") + m_items[i];
    return out + "]";
}
