#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/win/MessageBoxes.h"
#include "platform/win/Registry.h"
#include "platform/win/RegistryData.h"

// The registry for one test: the keys and values of a .reg file (after its
// header), no message box shown yet. Afterwards the registry is empty again
// and every key opened has been closed.
class TestRegistry {
public:
    explicit TestRegistry(const std::string& keysAndValues = "")
    {
        platform::useRegistryText("Windows Registry Editor Version 5.00\r\n\r\n" + keysAndValues);
        platform::clearShownMessageBoxes();
    }
    ~TestRegistry()
    {
        platform::useRegistryText("");
        platform::clearShownMessageBoxes();
        EXPECT_EQ(platform::openRegistryKeyCount(), 0) << "a registry key was left open";
    }
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;

    // The installer's key with the installation folder.
    static std::string installedAt(const std::string& folder)
    {
        return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n\"Path\"=" + platform::quotedRegistryString(folder) +
               "\r\n";
    }

    const std::vector<platform::ShownMessageBox>& boxes() const { return platform::shownMessageBoxes(); }
};
