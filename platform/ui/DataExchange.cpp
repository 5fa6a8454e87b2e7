#include "ZcUiDataExchange.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ZcUiDialog.h"
#include "platform/ui/DataExchangeFailure.h"

using namespace platform;

namespace {

// The framework's standard texts for a field it cannot take.
constexpr const char* kNotAnInteger = "Wprowadź liczbę całkowitą.";
constexpr const char* kNotANumber = "Wprowadź liczbę.";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The whole text, blanks aside, must be the number.
bool parseDouble(const std::string& text, double& value)
{
    const char* start = text.c_str();
    while (isBlank(*start))
        ++start;
    char* end = nullptr;
    const double parsed = std::strtod(start, &end);
    // "inf" and "nan" parse, but no dimension is infinite.
    if (end == start || !std::isfinite(parsed))
        return false;
    while (isBlank(*end))
        ++end;
    if (*end != '\0')
        return false;
    value = parsed;
    return true;
}

bool parseInt(const std::string& text, int& value)
{
    const char* start = text.c_str();
    while (isBlank(*start))
        ++start;
    char* end = nullptr;
    const long parsed = std::strtol(start, &end, 10);
    if (end == start)
        return false;
    while (isBlank(*end))
        ++end;
    if (*end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = int(parsed);
    return true;
}

std::string numberText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", DBL_DIG, value);
    return buffer;
}

[[noreturn]] void failWith(CDataExchange* pDX, const std::string& message)
{
    CString caption;
    pDX->m_pDlgWnd->GetWindowText(caption);
    MessageBoxA(nullptr, message.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

std::string rangeMessage(const char* kind, const std::string& low, const std::string& high)
{
    return std::string("Wprowadź ") + kind + " z zakresu od " + low + " do " + high + ".";
}

CWnd& control(CDataExchange* pDX, int id)
{
    if (CWnd* wnd = pDX->m_pDlgWnd->GetDlgItem(id))
        return *wnd;
    throw DataExchangeFailure{"okno nie ma kontrolki " + std::to_string(id)};
}

}  // namespace

void CDataExchange::Fail() { throw DataExchangeFailure{}; }

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    CWnd& wnd = control(pDX, id);
    if (pDX->m_bSaveAndValidate)
        wnd.GetWindowText(value);
    else
        wnd.SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    CWnd& wnd = control(pDX, id);
    if (!pDX->m_bSaveAndValidate) {
        wnd.SetWindowText(std::to_string(value).c_str());
        return;
    }
    CString text;
    wnd.GetWindowText(text);
    if (!parseInt(text.str(), value))
        failWith(pDX, kNotAnInteger);
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    CWnd& wnd = control(pDX, id);
    if (!pDX->m_bSaveAndValidate) {
        wnd.SetWindowText(numberText(value).c_str());
        return;
    }
    CString text;
    wnd.GetWindowText(text);
    if (!parseDouble(text.str(), value))
        failWith(pDX, kNotANumber);
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    CButton* button = dynamic_cast<CButton*>(&control(pDX, id));
    if (!button)
        throw DataExchangeFailure{"kontrolka " + std::to_string(id) + " nie jest polem wyboru"};
    if (pDX->m_bSaveAndValidate)
        value = button->GetCheck();
    else
        button->SetCheck(value);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& member)
{
    control(pDX, id);
    if (!pDX->m_pDlgWnd->subclassControl(id, member))
        throw DataExchangeFailure{"kontrolka " + std::to_string(id) + " jest innego rodzaju niż jej obiekt w oknie"};
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue)
{
    if (pDX->m_bSaveAndValidate && (value < minValue || value > maxValue))
        failWith(pDX, rangeMessage("liczbę całkowitą", std::to_string(minValue), std::to_string(maxValue)));
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue)
{
    if (pDX->m_bSaveAndValidate && !(value >= minValue && value <= maxValue))
        failWith(pDX, rangeMessage("liczbę", numberText(minValue), numberText(maxValue)));
}
