#pragma once

#include <stdexcept>
#include <string>

#include "WinRegistry.h"

// The error a registry value that cannot be read raises. The command or
// dialog button that needed the value abandons its drawing action
// (RunDrawingAction).
class RegistryReadError : public std::runtime_error {
public:
    RegistryReadError() : std::runtime_error("Registry read failed") {}
};

// One registry key at a time below a root key, with the failures shown to
// the user in message boxes when showErrors is set.
class RegistryKey {
public:
    RegistryKey(HKEY rootKey, REGSAM access, bool showErrors);
    // Closes the open key, if any, as Close does.
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens a key below the root. False when a key is open already (it
    // stays open) or the key cannot be opened.
    bool Open(const char* subKey);
    // The text of a value of the open key, up to 1023 bytes; raises
    // RegistryReadError when it cannot be read.
    std::string ReadString(const char* valueName);
    // Closes the open key; false (and the key kept) when that fails.
    bool Close();

    HKEY openKey() const { return m_openKey; }

private:
    void ReportError(LSTATUS code) const;

    HKEY m_openKey = nullptr;
    HKEY m_rootKey;
    REGSAM m_access;
    bool m_showErrors;
};
