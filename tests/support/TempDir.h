#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "tests/support/TestPaths.h"
#include <unistd.h>

// A new empty folder under the build's test folder, removed with what it
// holds when the test ends.
class TempDir {
public:
    explicit TempDir(const std::string& name)
    {
        m_path = std::filesystem::path(testTmpDir()) / (name + "-" + std::to_string(::getpid()));
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
        std::filesystem::create_directories(m_path);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code ec;
        // A test may have taken write permission away.
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};
