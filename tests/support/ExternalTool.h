#pragma once

#include <unistd.h>

#include "tests/support/TestPaths.h"
#include <cstdio>
#include <string>
#include <utility>

// Debian's ezdxf, run with the system's Python (the python3 on PATH may be
// another build without it).
inline constexpr const char* kSystemPython = "/usr/bin/python3";

inline std::string shellQuoted(const std::string& s)
{
    std::string q = "'";
    for (const char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command: its standard output and its exit status.
inline std::pair<std::string, int> runCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {output, -1};
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    return {output, ::pclose(pipe)};
}

// Why ezdxf cannot be used here, or "" when it can.
inline std::string ezdxfMissing()
{
    if (::access(kSystemPython, X_OK) != 0)
        return "no /usr/bin/python3";
    if (runCommand(std::string(kSystemPython) + " -c 'import ezdxf' 2>/dev/null").second != 0)
        return "ezdxf is not installed (Debian's python3-ezdxf)";
    return {};
}

// A script of this folder of tests.
inline std::string testScript(const char* name) { return std::string(testSourceDir()) + "/tests/platform/dxf/" + name; }
