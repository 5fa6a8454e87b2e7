#include "console/ConsolePaths.h"

#include <filesystem>
#include <system_error>

#include "InstallLayout.h"

namespace fs = std::filesystem;

namespace {

fs::path programFolder()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : self.parent_path();
}

std::string normal(const fs::path& p) { return p.lexically_normal().string(); }

}  // namespace

ConsolePaths findConsolePaths()
{
    const fs::path dir = programFolder();
    ConsolePaths paths;
    paths.programDir = dir.string();

    const fs::path installed = dir / TARVO_LIBDIR_FROM_BINDIR / "tarvo.zrx";
    const fs::path buildTree = dir / ".." / "lib" / "tarvo.zrx";
    std::error_code ec;
    paths.plugin = normal(fs::exists(installed, ec) || !fs::exists(buildTree, ec) ? installed : buildTree);
    paths.moduleDir = fs::path(paths.plugin).parent_path().string();

    const fs::path installedData = dir / TARVO_DATADIR_FROM_BINDIR;
    paths.dataDir = normal(fs::is_directory(installedData, ec) ? installedData : fs::path(TARVO_SOURCE_DATADIR));
    return paths;
}
