#include "services/RegistryKey.h"

#include <cstring>

#include "WinError.h"
#include "WinMessageBox.h"

namespace {

// The value buffer: 1023 bytes of text and its terminating zero.
constexpr DWORD kValueBufferSize = 1024;

}  // namespace

RegistryKey::RegistryKey(HKEY rootKey, REGSAM access, bool showErrors)
    : m_rootKey(rootKey), m_access(access), m_showErrors(showErrors)
{
}

RegistryKey::~RegistryKey()
{
    if (m_openKey)
        Close();
}

bool RegistryKey::Open(const char* subKey)
{
    if (m_openKey) {
        if (m_showErrors)
            MessageBoxA(nullptr, "Przed otwarciem nowego klucza, zamknij klucz otwarty wczesniej", "Błąd otwarcia klucza",
                        MB_OK);
        return false;
    }
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExA(m_rootKey, subKey, 0, m_access, &opened);
    if (status != ERROR_SUCCESS) {
        ReportError(status);
        return false;
    }
    m_openKey = opened;
    return true;
}

std::string RegistryKey::ReadString(const char* valueName)
{
    char buffer[kValueBufferSize];
    std::memset(buffer, 0, sizeof buffer);
    DWORD size = kValueBufferSize;
    const LSTATUS status = RegQueryValueExA(m_openKey, valueName, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size);
    if (status != ERROR_SUCCESS) {
        ReportError(status);
        throw RegistryReadError();
    }
    // A value that fills the whole buffer has no zero of its own.
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

bool RegistryKey::Close()
{
    const LSTATUS status = RegCloseKey(m_openKey);
    if (status != ERROR_SUCCESS) {
        ReportError(status);
        return false;
    }
    m_openKey = nullptr;
    return true;
}

void RegistryKey::ReportError(LSTATUS code) const
{
    if (!m_showErrors)
        return;
    LPSTR text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   DWORD(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
    MessageBoxA(nullptr, text, "Błąd podczas operacji na rejestrach", MB_ICONERROR);
    LocalFree(text);
}
