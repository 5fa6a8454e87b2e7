// The traffic-light template drawings through the console: each one opens,
// is written back with its entities as they were read (the plug-in adds its
// own records), and makes a picture.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/console/ConsoleRun.h"
#include "tests/support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

// The ENTITIES section of a DXF text.
std::string entitiesSection(const std::string& dxf)
{
    const size_t from = dxf.find("ENTITIES"), to = dxf.find("ENDSEC", from);
    return from == std::string::npos ? std::string() : dxf.substr(from, to - from);
}

std::vector<fs::path> lightTemplates()
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(fs::path(testSourceDir()) / "resources/Wzory/Swiatla"))
        if (entry.path().extension() == ".dxf")
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

TEST(LightTemplatesRun, EveryTemplateOpensSavesAndRenders)
{
    const std::vector<fs::path> templates = lightTemplates();
    ASSERT_EQ(templates.size(), 30u);
    for (const fs::path& path : templates) {
        SCOPED_TRACE(path.filename().string());
        ScratchDir dir;
        const std::string out = dir.path("out.dxf").string(), png = dir.path("out.png").string();
        const ConsoleResult run = runTarvo({"run", "--in", path.string(), "--out", out}, "");
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        const std::string entities = entitiesSection(readFile(path));
        EXPECT_FALSE(entities.empty());
        EXPECT_TRUE(entitiesSection(readFile(out)) == entities) << "entities written back as read";
        const ConsoleResult render = runTarvo({"render", path.string(), png, "--size", "200"});
        ASSERT_EQ(render.status, 0) << render.out << render.err;
        EXPECT_EQ(readFile(png).compare(1, 3, "PNG"), 0);
    }
}

}  // namespace
