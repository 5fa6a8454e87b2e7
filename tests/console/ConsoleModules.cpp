// The console's modules: each is loaded only when its work comes, and a
// missing one fails that work alone, with the module named.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

struct MissingModule {
    const char* file;               // left out of the program's library folder
    std::vector<std::string> args;  // "@" stands for the test's folder
    const char* notWritten;         // what the work would have written
    const char* stillWritten;       // what other work of the run writes, if any
};

class ConsoleModules : public testing::TestWithParam<MissingModule> {};

// A copy of the program in the folder, its library folder holding all but
// the module; the copy's path.
std::string programWithout(const ScratchDir& dir, const std::string& module)
{
    const fs::path lib = fs::path(testPlugin()).parent_path();
    fs::create_directories(dir.path("bin"));
    fs::create_directories(dir.path("lib"));
    fs::copy_file(testTarvoProgram(), dir.path("bin/tarvo"));
    for (const fs::directory_entry& entry : fs::directory_iterator(lib))
        if (entry.is_regular_file() && entry.path().filename() != module)
            fs::copy_file(entry.path(), dir.path("lib") / entry.path().filename());
    return dir.path("bin/tarvo").string();
}

TEST_P(ConsoleModules, AMissingModuleFailsOnlyItsWorkAndIsNamed)
{
    const MissingModule& c = GetParam();
    ScratchDir dir;
    const std::string program = programWithout(dir, c.file);

    dir.write("s.scr", "REGEN\n");
    ASSERT_EQ(runTarvo({"run", "--script", dir.path("s.scr").string(), "--out", dir.path("plan.dxf").string()}).status,
              0);
    std::vector<std::string> args;
    for (const std::string& a : c.args)
        args.push_back(a.starts_with("@") ? dir.path(a.substr(1)).string() : a);

    const ConsoleResult r = runProgram(program, args);
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_TRUE(Contains(r.err, c.file));
    EXPECT_FALSE(fs::exists(dir.path(c.notWritten)));
    if (c.stillWritten) {
        EXPECT_TRUE(fs::exists(dir.path(c.stillWritten)));
    }
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one message: " << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    EachModule, ConsoleModules,
    testing::Values(MissingModule{"tarvo_picture.so",
                                  {"run", "--script", "@s.scr", "--out", "@again.dxf", "--png", "@p.png"},
                                  "p.png",
                                  "again.dxf"},
                    MissingModule{"tarvo_picture.so", {"render", "@plan.dxf", "@p.svg"}, "p.svg", nullptr},
                    MissingModule{"tarvo_xlsx.so", {"report", "@plan.dxf", "--xlsx", "@w.xlsx"}, "w.xlsx", nullptr}));

// Without line editing the shell reads its lines itself, each kept to a
// script's longest: a longer one is dropped with a word, and the session
// goes on.
TEST(ConsoleModulesShell, WithoutLineEditingALineTooLongIsAskedAgain)
{
    ScratchDir dir;
    const std::string program = programWithout(dir, "tarvo_terminal.so");
    const std::string flood(3u << 20, 'x');
    const ConsoleResult r = runProgram(program, {"shell"}, flood + "\nREGEN\nQUIT\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "terminal:1: wiersz dłuższy niż 1 MB; wpisz go ponownie")) << r.err;
    EXPECT_TRUE(Contains(r.out, "Regenerowanie modelu.")) << "the next line is read as typed";
}

}  // namespace
