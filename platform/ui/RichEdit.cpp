#include "ZcUiRichEdit.h"

#include <algorithm>
#include <cstdio>

#include "platform/ui/RichEditClass.h"
#include "platform/ui/Utf8Text.h"

using namespace platform;

namespace {

bool& richEditClassRegistered()
{
    static bool registered = false;
    return registered;
}

std::string colorText(COLORREF color)
{
    return std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," +
           std::to_string(GetBValue(color));
}

}  // namespace

namespace platform {

bool isRichEditClassRegistered() { return richEditClassRegistered(); }
void setRichEditClassRegistered(bool registered) { richEditClassRegistered() = registered; }

}  // namespace platform

BOOL AfxInitRichEdit2()
{
    setRichEditClassRegistered(true);
    return TRUE;
}

BOOL AfxInitRichEdit() { return AfxInitRichEdit2(); }

void CRichEditCtrl::SetSel(long start, long end)
{
    const long length = GetTextLength();
    // (0, -1) selects everything; a negative start only moves the caret to the end.
    if (start == 0 && end == -1) {
        m_selStart = 0;
        m_selEnd = length;
        return;
    }
    if (start < 0) {
        m_selStart = m_selEnd = length;
        return;
    }
    if (end < 0 || end > length)
        end = length;
    start = std::min(start, length);
    m_selStart = std::min(start, end);
    m_selEnd = std::max(start, end);
}

void CRichEditCtrl::GetSel(long& start, long& end) const
{
    start = m_selStart;
    end = m_selEnd;
}

void CRichEditCtrl::ReplaceSel(LPCSTR text, BOOL)
{
    const long length = GetTextLength();
    const long start = std::clamp(m_selStart, 0L, length), end = std::clamp(m_selEnd, start, length);
    const long room = std::max(0L, m_limit - (length - (end - start)));
    const std::string inserted = firstCharacters(text ? text : "", size_t(room));
    const size_t from = byteOffsetOfCharacter(m_text, size_t(start)), to = byteOffsetOfCharacter(m_text, size_t(end));
    m_text.replace(from, to - from, inserted);
    m_selStart = m_selEnd = start + long(characterCount(inserted));
}

void CRichEditCtrl::LimitText(long limit)
{
    m_limit = limit <= 0 ? kZeroLimit : limit;
}

long CRichEditCtrl::GetTextLength() const { return long(characterCount(m_text)); }

BOOL CRichEditCtrl::SetReadOnly(BOOL readOnly)
{
    if (readOnly)
        m_style |= ES_READONLY;
    else
        m_style &= ~DWORD(ES_READONLY);
    return TRUE;
}

DWORD CRichEditCtrl::SetEventMask(DWORD mask)
{
    const DWORD previous = m_eventMask;
    m_eventMask = mask;
    return previous;
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& format)
{
    if (format.cbSize != sizeof(CHARFORMAT))
        return FALSE;
    if (format.dwMask & CFM_SIZE)
        m_format.yHeight = format.yHeight;
    if (format.dwMask & CFM_COLOR) {
        m_format.crTextColor = format.crTextColor;
        m_format.dwEffects = (m_format.dwEffects & ~DWORD(CFE_AUTOCOLOR)) | (format.dwEffects & CFE_AUTOCOLOR);
    }
    if (format.dwMask & CFM_BOLD)
        m_format.dwEffects = (m_format.dwEffects & ~DWORD(CFE_BOLD)) | (format.dwEffects & CFE_BOLD);
    if (format.dwMask & CFM_ITALIC)
        m_format.dwEffects = (m_format.dwEffects & ~DWORD(CFE_ITALIC)) | (format.dwEffects & CFE_ITALIC);
    if (format.dwMask & CFM_FACE)
        std::snprintf(m_format.szFaceName, sizeof m_format.szFaceName, "%.*s", int(sizeof format.szFaceName),
                      format.szFaceName);
    m_format.dwMask |= format.dwMask;
    return TRUE;
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& format) const
{
    format = m_format;
    return m_format.dwMask;
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL systemColor, COLORREF color)
{
    const COLORREF previous = m_background;
    m_background = systemColor ? kWindowColor : color;
    return previous;
}

void CRichEditCtrl::typeText(const std::string& text)
{
    m_text = firstCharacters(text, size_t(m_limit));
    m_selStart = m_selEnd = GetTextLength();
}

std::string CRichEditCtrl::valueText() const
{
    const std::string textColor = (m_format.dwEffects & CFE_AUTOCOLOR) ? "automatyczny" : colorText(m_format.crTextColor);
    std::string out = "\"" + m_text + "\" (tekst " + textColor + ", tło " + colorText(m_background) + ", wysokość " +
                      std::to_string(m_format.yHeight) + ")";
    if (isReadOnly())
        out += " tylko do odczytu";
    return out;
}
