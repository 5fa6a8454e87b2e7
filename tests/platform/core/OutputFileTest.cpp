// An output file interrupted by a signal while it is written: the temporary
// file goes, the target stays as it was, and the signal still ends the process.

#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/OutputFile.h"
#include "tests/support/TestPaths.h"

using namespace platform;

namespace fs = std::filesystem;

namespace {

class InterruptedWrite : public testing::TestWithParam<int> {};

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST_P(InterruptedWrite, RemovesTheTemporaryFileAndEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int signal = GetParam();
    const fs::path dir = fs::path(testTmpDir()) / ("output-signal-" + std::to_string(signal));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "rysunek.dxf").string();
    std::ofstream(path) << "old drawing";

    const auto interrupted = [&] {
        std::string error;
        writeOutputFile(
            path,
            [&](const OutputSink& sink, std::string&) {
                sink(std::string(1 << 16, 'x'));
                ::raise(signal);
                return sink("never written");
            },
            error);
    };
    EXPECT_EXIT(interrupted(), testing::KilledBySignal(signal), "");

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"rysunek.dxf"}) << "temporary file left behind";
    EXPECT_EQ(contentOf(path), "old drawing");
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(EndingSignals, InterruptedWrite, testing::Values(SIGTERM, SIGINT, SIGHUP, SIGQUIT));
