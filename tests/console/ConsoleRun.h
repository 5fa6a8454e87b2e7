#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// What a run of the tarvo program gave.
struct ConsoleResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
};

// A folder of its own for one test, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path path(const std::string& name) const { return m_dir / name; }
    // Writes a file in the folder and gives its path.
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_dir;
};

// Runs tarvo with the arguments; stdinText is its standard input.
ConsoleResult runTarvo(const std::vector<std::string>& args, const std::string& stdinText = "");
// Runs another program (a copy of tarvo) the same way.
ConsoleResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& stdinText = "");

// Runs a script with the test application loaded (and any extra arguments).
ConsoleResult runTestScript(const ScratchDir& dir, const std::string& script,
                            const std::vector<std::string>& extra = {});

std::string readFile(const std::filesystem::path& path);

// Whether text contains part; either way the message shows both.
testing::AssertionResult Contains(const std::string& text, const std::string& part);

// Every drawing written must read back whole: ezdxf's auditor finds no
// error in it, and tarvo reads it again.
void expectReadsBackCleanly(const ScratchDir& dir, const std::string& dxf);

// What the Python program reader (run with ezdxf's Python, the DXF file's
// path as its argument) prints, with Python's own errors. A DXF file is
// also checked to read back cleanly.
std::string ezdxfListing(const ScratchDir& dir, const std::string& reader, const std::string& dxf);

// Every LWPOLYLINE of a DXF file's model space as ezdxf reads it: a line
// "polyline <closed> <count>", then one "x y bulge" line per vertex; other
// entities as "other <type>"; then "audit <errors>". Python's own errors
// come along in the text.
std::string ezdxfPolylineListing(const ScratchDir& dir, const std::string& dxf);
