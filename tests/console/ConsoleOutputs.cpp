// Where the console's outputs may land: each way of writing a file (--out,
// SAVE, a picture) over each kind of path that a plain rename would damage.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "tests/console/ConsoleRun.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kOld = "old content";
constexpr const char* kScript = "T_Punkt\n1,1\n";

// A way the console writes a file; ext is what its name must end in.
struct Writer {
    const char* name;
    const char* ext;
    std::function<ConsoleResult(const ScratchDir&, const std::string& path)> run;
};

// A kind of path given to a writer. setup makes it in the folder from a
// file name and gives the path to write; check looks at the folder after.
struct PathCase {
    const char* name;
    std::function<std::string(const ScratchDir&, const std::string& file)> setup;
    bool written;  // the write goes through; otherwise it is refused with status 3
    std::function<void(const ScratchDir&, const std::string& file)> check;
};

struct stat statOf(const std::string& path, bool followLinks = false)
{
    struct stat st {};
    EXPECT_EQ(followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st), 0) << path;
    return st;
}

std::vector<std::string> namesIn(const ScratchDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The writers of a run, which has a script of its own.
const std::vector<Writer> kRunWriters = {
    {"Out", ".dxf",
     [](const ScratchDir& dir, const std::string& path) {
         return runTestScript(dir, kScript, {"--out", path});
     }},
    {"Save", ".dxf",
     [](const ScratchDir& dir, const std::string& path) {
         return runTestScript(dir, std::string(kScript) + "SAVE " + path + "\n");
     }},
    {"Picture", ".svg",
     [](const ScratchDir& dir, const std::string& path) {
         return runTestScript(dir, kScript, {"--svg", path});
     }},
};

// A device to be refused. The superuser could replace /dev/null itself if
// the refusal ever broke, so it gets a null device node of its own in the
// folder; others cannot replace /dev/null and use it.
std::string nullDevice(const ScratchDir& dir)
{
    const std::string own = dir.path("null-device").string();
    if (::mknod(own.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        return own;
    return "/dev/null";
}

// The settings command reads only its drawing.
const std::vector<Writer> kSettingsWriter = {
    // The drawing it reads lives elsewhere, so that the folder holds only the case.
    {"Settings", ".dxf",
     [](const ScratchDir& dir, const std::string& path) {
         const ScratchDir source;
         const std::string drawing = source.path("in.dxf").string();
         EXPECT_EQ(runTestScript(dir, kScript, {"--out", drawing}).status, 0);
         return runTarvo({"settings", drawing, "--out", path, "--drawing-scale", "2"});
     }},
};

void expectNewContent(const std::string& path)
{
    const std::string text = readFile(path);
    EXPECT_NE(text, kOld) << path;
    EXPECT_FALSE(text.empty()) << path;
}

const std::vector<PathCase> kPaths = {
    {"SymlinkToAFile",
     [](const ScratchDir& dir, const std::string& file) {
         dir.write("target" + file, kOld);
         fs::create_symlink("target" + file, dir.path(file));
         return dir.path(file).string();
     },
     true,
     [](const ScratchDir& dir, const std::string& file) {
         EXPECT_TRUE(fs::is_symlink(dir.path(file))) << "the link stays a link";
         expectNewContent(dir.path("target" + file).string());
     }},
    {"DanglingSymlink",
     [](const ScratchDir& dir, const std::string& file) {
         fs::create_directory(dir.path("sub"));
         fs::create_symlink("sub/target" + file, dir.path(file));
         return dir.path(file).string();
     },
     true,
     [](const ScratchDir& dir, const std::string& file) {
         EXPECT_TRUE(fs::is_symlink(dir.path(file)));
         expectNewContent(dir.path("sub/target" + file).string());
         EXPECT_EQ(std::distance(fs::directory_iterator(dir.path("sub")), fs::directory_iterator()), 1)
             << "no temporary file left beside the target";
     }},
    {"HardLink",
     [](const ScratchDir& dir, const std::string& file) {
         fs::create_hard_link(dir.write("first" + file, kOld), dir.path(file));
         return dir.path(file).string();
     },
     false,
     [](const ScratchDir& dir, const std::string& file) {
         EXPECT_EQ(readFile(dir.path(file)), kOld);
         EXPECT_EQ(statOf(dir.path(file).string()).st_nlink, 2u) << "the names stay one file";
     }},
    {"ReadOnlyFile",
     [](const ScratchDir& dir, const std::string& file) {
         const std::string path = dir.write(file, kOld);
         ::chmod(path.c_str(), 0444);
         return path;
     },
     false, [](const ScratchDir& dir, const std::string& file) { EXPECT_EQ(readFile(dir.path(file)), kOld); }},
    {"Folder",
     [](const ScratchDir& dir, const std::string& file) {
         fs::create_directory(dir.path(file));
         dir.write(file + "/inside", kOld);
         return dir.path(file).string();
     },
     false,
     [](const ScratchDir& dir, const std::string& file) { EXPECT_EQ(readFile(dir.path(file + "/inside")), kOld); }},
    {"Fifo",
     [](const ScratchDir& dir, const std::string& file) {
         EXPECT_EQ(::mkfifo(dir.path(file).c_str(), 0644), 0);
         return dir.path(file).string();
     },
     false, [](const ScratchDir& dir, const std::string& file) { EXPECT_TRUE(fs::is_fifo(dir.path(file))); }},
    // Through a link, so that every writer's name can end as it must; the
    // device itself is looked at, never written.
    {"LinkToADevice",
     [](const ScratchDir& dir, const std::string& file) {
         fs::create_symlink(nullDevice(dir), dir.path(file));
         return dir.path(file).string();
     },
     false,
     [](const ScratchDir& dir, const std::string& file) {
         EXPECT_TRUE(S_ISCHR(statOf(fs::read_symlink(dir.path(file)).string()).st_mode));
     }},
};

// Only a run has a script being run.
const std::vector<PathCase> kRunPaths = [] {
    std::vector<PathCase> paths = kPaths;
    paths.push_back(
        // Through a link too, for the same reason.
        {"LinkToTheScriptBeingRun",
         [](const ScratchDir& dir, const std::string& file) {
             fs::create_symlink("test.scr", dir.path(file));
             return dir.path(file).string();
         },
         false,
         [](const ScratchDir& dir, const std::string&) {
             EXPECT_TRUE(readFile(dir.path("test.scr")).starts_with(kScript));
         }});
    return paths;
}();

void PrintTo(const Writer& w, std::ostream* os) { *os << w.name; }
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class ConsoleOutputs : public testing::TestWithParam<std::tuple<Writer, PathCase>> {};

}  // namespace

TEST_P(ConsoleOutputs, WritesThroughLinksAndRefusesWhatARenameWouldDamage)
{
    const auto& [writer, pathCase] = GetParam();
    ScratchDir dir;
    const std::string file = std::string("out") + writer.ext;
    const std::string path = pathCase.setup(dir, file);
    const auto before = namesIn(dir);
    const ConsoleResult r = writer.run(dir, path);
    if (pathCase.written) {
        EXPECT_EQ(r.status, 0) << r.err;
    } else {
        EXPECT_EQ(r.status, 3) << r.out << r.err;
        EXPECT_TRUE(Contains(r.err, "cannot write " + path));
    }
    pathCase.check(dir, file);
    auto after = namesIn(dir);
    std::erase(after, "test.scr");
    auto expected = before;
    std::erase(expected, "test.scr");
    EXPECT_EQ(after, expected) << "no file added or removed beside it";
}

std::string caseName(const testing::TestParamInfo<ConsoleOutputs::ParamType>& p)
{
    return std::string(std::get<0>(p.param).name) + "_" + std::get<1>(p.param).name;
}

INSTANTIATE_TEST_SUITE_P(EachRunWriterAndPath, ConsoleOutputs,
                         testing::Combine(testing::ValuesIn(kRunWriters), testing::ValuesIn(kRunPaths)), caseName);
INSTANTIATE_TEST_SUITE_P(SettingsAndEachPath, ConsoleOutputs,
                         testing::Combine(testing::ValuesIn(kSettingsWriter), testing::ValuesIn(kPaths)), caseName);

// The reported case: the device keeps what it is, and the run is refused
// before the script runs.
TEST(ConsoleOutput, ADeviceIsRefusedUntouched)
{
    ScratchDir dir;
    const std::string device = nullDevice(dir);
    const struct stat before = statOf(device);
    const ConsoleResult r = runTestScript(dir, kScript, {"--out", device});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(Contains(r.err, "cannot write " + device + ": it is a device"));
    EXPECT_FALSE(Contains(r.out, "T_PUNKT")) << "refused before anything runs";
    const struct stat after = statOf(device);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
}

TEST(ConsoleOutput, TheRunsInputsAreNotOutputs)
{
    ScratchDir dir;
    const std::string script = dir.path("test.scr").string();
    const ConsoleResult own = runTestScript(dir, kScript, {"--out", script});
    EXPECT_EQ(own.status, 3);
    EXPECT_TRUE(Contains(own.err, "it is the script being run"));
    EXPECT_EQ(readFile(script), kScript);

    const std::string registry = dir.write("tarvo.reg", "Windows Registry Editor Version 5.00\r\n");
    const ConsoleResult reg = runTestScript(dir, kScript, {"--registry", registry, "--out", registry});
    EXPECT_EQ(reg.status, 3);
    EXPECT_TRUE(Contains(reg.err, "it is the registry file"));
    EXPECT_EQ(readFile(registry), "Windows Registry Editor Version 5.00\r\n");
}
