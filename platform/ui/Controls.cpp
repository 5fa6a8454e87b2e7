#include "ZcUiControls.h"

CWnd::~CWnd() = default;

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
