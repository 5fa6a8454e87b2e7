// The drawing a command reads is safe from the command: no output other
// than the drawing's own save may land on it, whatever name reaches it, and
// a FIFO, socket or device given as a drawing or template is refused at once.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

// A command that reads drawing and writes output; ext is what the
// output's name must end in.
struct DrawingWriter {
    const char* name;
    const char* ext;
    std::function<ConsoleResult(const ScratchDir&, const std::string& drawing, const std::string& output)> run;
};

const DrawingWriter kWriters[] = {
    {"ReportHtml", ".html",
     [](const ScratchDir&, const std::string& d, const std::string& o) {
         return runTarvo({"report", d, "--html", o});
     }},
    {"ReportMd", ".md",
     [](const ScratchDir&, const std::string& d, const std::string& o) {
         return runTarvo({"report", d, "--md", o});
     }},
    {"ReportXlsx", ".xlsx",
     [](const ScratchDir&, const std::string& d, const std::string& o) {
         return runTarvo({"report", d, "--xlsx", o});
     }},
    {"ReportCsvFolder", ".csv",
     [](const ScratchDir& dir, const std::string& d, const std::string& o) {
         // The folder holds the drawing under the name of a CSV file it takes.
         fs::create_directories(dir.path("csv"));
         fs::create_symlink(o, dir.path("csv/ostrzezenia.csv"));
         return runTarvo({"report", d, "--csv", dir.path("csv").string()});
     }},
    {"RunReport", ".xlsx",
     [](const ScratchDir& dir, const std::string& d, const std::string& o) {
         return runTarvo({"run", "--in", d, "--script", dir.write("s.scr", ""), "--report", o});
     }},
    {"RunPicture", ".png",
     [](const ScratchDir& dir, const std::string& d, const std::string& o) {
         return runTarvo({"run", "--in", d, "--script", dir.write("s.scr", ""), "--png", o});
     }},
    {"Render", ".svg",
     [](const ScratchDir&, const std::string& d, const std::string& o) {
         return runTarvo({"render", d, o});
     }},
};

// How the output names the drawing: itself, a symbolic link, a hard link.
// make gives the drawing's path and the output's, the drawing made first.
struct Naming {
    const char* name;
    std::function<std::pair<std::string, std::string>(const ScratchDir&, const std::string& ext)> make;
};

std::string newDrawing(const ScratchDir& dir, const std::string& name)
{
    const std::string path = dir.path(name).string();
    const ConsoleResult r = runTarvo({"run", "--script", dir.write("make.scr", ""), "--out", path});
    EXPECT_EQ(r.status, 0) << r.err;
    return path;
}

const Naming kNamings[] = {
    {"SamePath",
     [](const ScratchDir& dir, const std::string& ext) {
         const std::string d = newDrawing(dir, "plan" + ext);
         return std::pair{d, d};
     }},
    {"SymbolicLink",
     [](const ScratchDir& dir, const std::string& ext) {
         const std::string d = newDrawing(dir, "plan.dxf"), o = dir.path("alias" + ext).string();
         fs::create_symlink("plan.dxf", o);
         return std::pair{d, o};
     }},
    {"HardLink",
     [](const ScratchDir& dir, const std::string& ext) {
         const std::string d = newDrawing(dir, "plan.dxf"), o = dir.path("hard" + ext).string();
         fs::create_hard_link(d, o);
         return std::pair{d, o};
     }},
};

class OutputOverInput : public testing::TestWithParam<std::tuple<DrawingWriter, Naming>> {};

}  // namespace

TEST_P(OutputOverInput, IsRefusedWithStatusTwoAndTheDrawingKept)
{
    const auto& [writer, naming] = GetParam();
    ScratchDir dir;
    const auto [drawing, output] = naming.make(dir, writer.ext);
    const std::string before = readFile(drawing);
    const ConsoleResult r = writer.run(dir, drawing, output);
    EXPECT_EQ(r.status, 2) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, "it is the drawing being read"));
    EXPECT_EQ(readFile(drawing), before);
}

INSTANTIATE_TEST_SUITE_P(EachWriterAndName, OutputOverInput,
                         testing::Combine(testing::ValuesIn(kWriters), testing::ValuesIn(kNamings)),
                         [](const testing::TestParamInfo<OutputOverInput::ParamType>& p) {
                             return std::string(std::get<0>(p.param).name) + "_" + std::get<1>(p.param).name;
                         });

// Writing the drawing back is a save, for the two commands that change it.
TEST(OutputOverInput, TheDrawingsOwnSaveStillWritesIt)
{
    ScratchDir dir;
    const std::string drawing = newDrawing(dir, "plan.dxf");
    const ConsoleResult run =
        runTarvo({"run", "--in", drawing, "--script", dir.write("s.scr", "LAYER Nowa\n"), "--out", drawing});
    EXPECT_EQ(run.status, 0) << run.err;
    const ConsoleResult settings = runTarvo({"settings", drawing, "--out", drawing, "--drawing-scale", "0.002"});
    EXPECT_EQ(settings.status, 0) << settings.err;
    expectReadsBackCleanly(dir, drawing);
}

namespace {

// A file that is no drawing a read could finish: made in the folder under
// the name given.
struct Special {
    const char* name;
    std::function<std::string(const ScratchDir&, const std::string& file)> make;
    const char* what;
};

const Special kSpecials[] = {
    {"Fifo",
     [](const ScratchDir& dir, const std::string& file) {
         EXPECT_EQ(::mkfifo(dir.path(file).c_str(), 0644), 0);
         return dir.path(file).string();
     },
     "it is a FIFO"},
    {"Socket",
     [](const ScratchDir& dir, const std::string& file) {
         // A socket's path must be short: made in the test's folder under
         // its own name, then renamed into place.
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         const std::string shortPath = (fs::path(testTmpDir()) / ("s" + std::to_string(::getpid()))).string();
         std::strncpy(address.sun_path, shortPath.c_str(), sizeof address.sun_path - 1);
         ::unlink(shortPath.c_str());
         EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << shortPath;
         ::close(fd);
         fs::rename(shortPath, dir.path(file));
         return dir.path(file).string();
     },
     "it is a socket"},
    {"Device",
     [](const ScratchDir& dir, const std::string& file) {
         fs::create_symlink("/dev/zero", dir.path(file));
         return dir.path(file).string();
     },
     "it is a device"},
};

// A command that reads a drawing, given its path; the one that reads a
// template finds it in the installation folder beside.
struct Reader {
    const char* name;
    const char* file;  // the drawing or template's name in the folder
    std::function<std::vector<std::string>(const ScratchDir&, const std::string& path)> args;
    int status;
    const char* message;  // besides the kind of file
};

const Reader kReaders[] = {
    {"Report", "plan.dxf",
     [](const ScratchDir&, const std::string& p) {
         return std::vector<std::string>{"report", p};
     },
     3, ""},
    {"Settings", "plan.dxf",
     [](const ScratchDir&, const std::string& p) {
         return std::vector<std::string>{"settings", p};
     },
     3, ""},
    {"Render", "plan.dxf",
     [](const ScratchDir& dir, const std::string& p) {
         return std::vector<std::string>{"render", p, dir.path("out.png").string()};
     },
     3, ""},
    {"RunIn", "plan.dxf",
     [](const ScratchDir& dir, const std::string& p) {
         return std::vector<std::string>{"run", "--in", p, "--script", dir.write("s.scr", "")};
     },
     3, ""},
    {"Registry", "tarvo.reg",
     [](const ScratchDir& dir, const std::string& p) {
         return std::vector<std::string>{"run", "--registry", p, "--script", dir.write("s.scr", "")};
     },
     2, ""},
    {"LightTemplate", "Tarvo/Wzory/Swiatla/s_a1.dxf",
     [](const ScratchDir& dir, const std::string&) {
         const std::string registry =
             dir.write("tarvo.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n\"Path\"=\"" +
                                        dir.path("Tarvo").string() + "\"\r\n");
         return std::vector<std::string>{
             "run", "--registry", registry, "--script",
             dir.write("s.scr", "D_Swiatla\ndlg select IDC_LIGHT_LIST \"s_a1\"\ndlg click 1\n0,0\n0,1\ndlg click 2\n")};
     },
     0, "Error reading a dwg-file."},
};

class SpecialFileRead : public testing::TestWithParam<std::tuple<Reader, Special>> {};

// The program runs under a time limit: a read that waits is a failure, not
// a hung test.
constexpr const char* kTimeLimit = "20";

}  // namespace

TEST_P(SpecialFileRead, IsRefusedAtOnce)
{
    const auto& [reader, special] = GetParam();
    ScratchDir dir;
    fs::create_directories(dir.path(reader.file).parent_path());
    const std::string path = special.make(dir, reader.file);
    std::vector<std::string> args = {kTimeLimit, testTarvoProgram()};
    for (const std::string& a : reader.args(dir, path))
        args.push_back(a);
    const ConsoleResult r = runProgram("/usr/bin/timeout", args);
    ASSERT_NE(r.status, 124) << "still waiting after " << kTimeLimit << " s";
    EXPECT_EQ(r.status, reader.status) << r.out << r.err;
    if (reader.status != 0) {
        EXPECT_TRUE(Contains(r.err, special.what));
    }
    if (*reader.message) {
        EXPECT_TRUE(Contains(r.out, reader.message));
    }
}

INSTANTIATE_TEST_SUITE_P(EachReaderAndKind, SpecialFileRead,
                         testing::Combine(testing::ValuesIn(kReaders), testing::ValuesIn(kSpecials)),
                         [](const testing::TestParamInfo<SpecialFileRead::ParamType>& p) {
                             return std::string(std::get<0>(p.param).name) + "_" + std::get<1>(p.param).name;
                         });
