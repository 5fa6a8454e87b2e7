#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/dxf/DxfWriter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace fs = std::filesystem;

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> namesIn(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

// A folder where nothing can be created while the object lives: without
// write permission, or for the superuser marked immutable.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const fs::path& dir) : m_dir(dir)
    {
        if (::geteuid() != 0) {
            fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
            m_locked = true;
            return;
        }
        m_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (m_fd >= 0 && ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            m_locked = ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    ~ReadOnlyFolder()
    {
        if (m_fd >= 0) {
            int flags = 0;
            if (m_locked && ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
            }
            ::close(m_fd);
        } else if (m_locked) {
            fs::permissions(m_dir, fs::perms::owner_all);
        }
    }
    explicit operator bool() const { return m_locked; }

private:
    fs::path m_dir;
    int m_fd = -1;
    bool m_locked = false;
};

}  // namespace

TEST(DxfFile, WritesExactlyTheDrawingAndNothingElse)
{
    TempDir dir("dxf-file-new");
    TestDrawing d;
    const std::string path = dir.file("rysunek.dxf");
    std::string error = "stale";
    ASSERT_TRUE(writeDxfFile(d.db(), path, error)) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(readFile(path), dxfToString(d.db()));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"rysunek.dxf"}) << "temporary file left behind";
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(path), 0666 & ~mask);
}

TEST(DxfFile, ReplacesAnExistingFileKeepingItsPermissions)
{
    TempDir dir("dxf-file-replace");
    TestDrawing d;
    const std::string path = dir.file("rysunek.dxf");
    writeText(path, "old drawing");
    ::chmod(path.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(writeDxfFile(d.db(), path, error)) << error;
    EXPECT_EQ(readFile(path), dxfToString(d.db()));
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"rysunek.dxf"});
}

TEST(DxfFile, MissingFolderFailsWithPathAndReason)
{
    TempDir dir("dxf-file-missing");
    TestDrawing d;
    const std::string path = dir.file("nie-ma/rysunek.dxf");
    std::string error;
    EXPECT_FALSE(writeDxfFile(d.db(), path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

TEST(DxfFile, ReadOnlyFolderLeavesTheOldFileUntouched)
{
    TempDir dir("dxf-file-readonly");
    TestDrawing d;
    const std::string path = dir.file("rysunek.dxf");
    writeText(path, "old drawing");
    std::string error;
    {
        // Permissions do not bind the superuser; an immutable folder does.
        const ReadOnlyFolder locked(dir.path());
        if (!locked)
            GTEST_SKIP() << "cannot make a folder read-only here";
        EXPECT_FALSE(writeDxfFile(d.db(), path, error));
    }
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_TRUE(error.find("Permission denied") != std::string::npos ||
                error.find("Operation not permitted") != std::string::npos)
        << error;
    EXPECT_EQ(readFile(path), "old drawing");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"rysunek.dxf"});
}

TEST(DxfFile, TargetThatIsAFolderIsNotReplaced)
{
    TempDir dir("dxf-file-folder");
    TestDrawing d;
    const std::string path = dir.file("rysunek.dxf");
    fs::create_directory(path);
    writeText(path + "/inside.txt", "kept");
    std::string error;
    EXPECT_FALSE(writeDxfFile(d.db(), path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(readFile(path + "/inside.txt"), "kept");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"rysunek.dxf"});
}

TEST(DxfFile, DrawingThatCannotBeWrittenLeavesTheOldFileUntouched)
{
    TempDir dir("dxf-file-baddrawing");
    ZcDbDatabase empty(false);
    const std::string path = dir.file("rysunek.dxf");
    writeText(path, "old drawing");
    std::string error;
    EXPECT_FALSE(writeDxfFile(empty, path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(readFile(path), "old drawing");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"rysunek.dxf"});
}

TEST(DxfFile, EmptyNameIsRefused)
{
    TestDrawing d;
    std::string error;
    EXPECT_FALSE(writeDxfFile(d.db(), "", error));
    EXPECT_FALSE(error.empty());
}
