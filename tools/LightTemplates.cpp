// Makes the traffic-light catalogue's files from the symbols of
// tools/LightSymbols.cpp: each symbol's template drawing
// (Wzory/Swiatla/<name>.dxf) and its 32 x 32 icon (icons/<name>.ico, one
// for each icon resource: symbols that share an icon share its file), or a
// sheet of all the symbols with their names to look them over.
// Usage: light_templates RESOURCES_FOLDER | light_templates --sheet SHEET.png

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "platform/render/PictureFile.h"
#include "tools/LightSymbols.h"
#include "tools/LightTemplateFiles.h"

using platform::writeFileWhole;

namespace {

bool writeMade(const std::filesystem::path& path, const std::string& bytes, const std::string& error)
{
    std::string problem = error;
    if (!bytes.empty() && writeFileWhole(path.string(), bytes, problem))
        return true;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), problem.c_str());
    return false;
}

bool writeAll(const std::filesystem::path& resources)
{
    const std::filesystem::path templates = resources / kLightTemplateFolder, icons = resources / kLightIconFolder;
    std::error_code ec;
    for (const auto& folder : {templates, icons})
        if (std::filesystem::create_directories(folder, ec); ec) {
            std::fprintf(stderr, "%s: %s\n", folder.c_str(), ec.message().c_str());
            return false;
        }
    std::set<int> iconsMade;
    for (size_t i = 0; i < lightCatalogue().size(); ++i) {
        const std::string name = lightCatalogue()[i].name;
        std::string error;
        if (!writeMade(templates / (name + ".dxf"), lightTemplateDxf(i, error), error))
            return false;
        if (!iconsMade.insert(lightCatalogue()[i].iconId).second)
            continue;
        if (!writeMade(icons / (name + ".ico"), lightIconFile(i, error), error))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--sheet") {
        std::string error;
        if (writeLightSheet(argv[2], error))
            return 0;
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s RESOURCES_FOLDER\n       %s --sheet SHEET.png\n", argv[0], argv[0]);
        return 2;
    }
    return writeAll(argv[1]) ? 0 : 1;
}
