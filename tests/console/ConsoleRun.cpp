#include "tests/console/ConsoleRun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/TestPaths.h"
#include <atomic>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    static std::atomic<int> counter{0};
    m_dir = fs::path(testTmpDir()) / ("console-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

std::string ScratchDir::write(const std::string& name, const std::string& text) const
{
    const fs::path p = path(name);
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ConsoleResult runTarvo(const std::vector<std::string>& args, const std::string& stdinText)
{
    return runProgram(testTarvoProgram(), args, stdinText);
}

ConsoleResult runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& stdinText)
{
    ScratchDir io;
    const std::string in = io.write("stdin", stdinText);
    const std::string out = io.path("stdout").string(), err = io.path("stderr").string();

    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& a : argv)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);

    ConsoleResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        const int fin = open(in.c_str(), O_RDONLY);
        const int fout = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int ferr = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fin < 0 || fout < 0 || ferr < 0)
            _exit(127);
        dup2(fin, 0);
        dup2(fout, 1);
        dup2(ferr, 2);
        execv(cargv[0], cargv.data());
        _exit(127);
    }
    int wstatus = 0;
    if (pid > 0 && waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
        result.status = WEXITSTATUS(wstatus);
    result.out = readFile(out);
    result.err = readFile(err);
    return result;
}

ConsoleResult runTestScript(const ScratchDir& dir, const std::string& script, const std::vector<std::string>& extra)
{
    std::vector<std::string> args = {"run", "--app", testApplication(), "--script", dir.write("test.scr", script)};
    args.insert(args.end(), extra.begin(), extra.end());
    return runTarvo(args);
}

testing::AssertionResult Contains(const std::string& text, const std::string& part)
{
    const bool found = text.find(part) != std::string::npos;
    return (found ? testing::AssertionSuccess() : testing::AssertionFailure())
           << "\"" << part << "\" " << (found ? "is" : "is not") << " in:\n" << text;
}

namespace {

const char* const kReadPolylines = R"(
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    if e.dxftype() == "LWPOLYLINE":
        points = e.get_points("xyb")
        print("polyline", int(e.closed), len(points))
        for x, y, b in points:
            print(repr(x), repr(y), repr(b))
    else:
        print("other", e.dxftype())
print("audit", len(doc.audit().errors))
)";

}  // namespace

namespace {

// What ezdxf's auditor finds in a DXF file, one error a line.
const char* const kAuditErrors = R"(
import sys
import ezdxf
for error in ezdxf.readfile(sys.argv[1]).audit().errors:
    print(error.code, error.message)
)";

std::string pythonOutput(const ScratchDir& dir, const std::string& name, const std::string& program,
                         const std::string& file)
{
    const std::string script = dir.write(name, program);
    const std::string command = std::string(testPython()) + " '" + script + "' '" + file + "' 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}

bool isDrawing(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".dxf";
}

}  // namespace

void expectReadsBackCleanly(const ScratchDir& dir, const std::string& dxf)
{
    SCOPED_TRACE("reading back " + dxf);
    EXPECT_EQ(pythonOutput(dir, "audit_drawing.py", kAuditErrors, dxf), "") << "ezdxf's auditor finds errors";
    const ConsoleResult settings = runTarvo({"settings", dxf});
    EXPECT_EQ(settings.status, 0) << "tarvo cannot read it back: " << settings.err;
}

std::string ezdxfListing(const ScratchDir& dir, const std::string& reader, const std::string& dxf)
{
    const std::string output = pythonOutput(dir, "read_drawing.py", reader, dxf);
    if (isDrawing(dxf) && std::filesystem::exists(dxf))
        expectReadsBackCleanly(dir, dxf);
    return output;
}

std::string ezdxfPolylineListing(const ScratchDir& dir, const std::string& dxf)
{
    return ezdxfListing(dir, kReadPolylines, dxf);
}
