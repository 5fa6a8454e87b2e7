// The traffic-light catalogue's committed files: the 30 template drawings
// and their icons are what the symbols make now, each template is a
// symbol of its own that the platform and ezdxf read, and each icon is one
// the light list can load and read at 32 pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "ZcDbBlockTable.h"
#include "ZcDbDatabase.h"
#include "ZcDbEntity.h"
#include "ZcDbExtents.h"
#include "ZcUiImages.h"
#include "frame/ModuleResources.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestDrawing.h"
#include "tests/support/TestPaths.h"
#include "tools/LightSymbols.h"
#include "tools/LightTemplateFiles.h"

using namespace platform;

namespace {

namespace fs = std::filesystem;

constexpr size_t kSymbols = 30;
constexpr size_t kIcons = 29;  // s_c5 shows s_c4's icon
// The template sizes the insertion's scale is made for: about 4 to 15 m at 1:100.
constexpr double kSmallestSide = 400.0;
constexpr double kLargestSide = 1500.0;
// How near the pole's insertion point a symbol's drawing must come.
constexpr double kPoleReach = 250.0;

fs::path resources() { return fs::path(testSourceDir()) / "resources"; }

std::string nameOf(size_t i) { return lightCatalogue()[i].name; }

fs::path templatePath(size_t i) { return resources() / kLightTemplateFolder / (nameOf(i) + ".dxf"); }

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The first symbol of each icon resource, whose name its file takes.
std::map<int, size_t> iconOwners()
{
    std::map<int, size_t> owners;
    for (size_t i = 0; i < lightCatalogue().size(); ++i)
        owners.try_emplace(lightCatalogue()[i].iconId, i);
    return owners;
}

TEST(LightTemplates, CommittedFilesAreWhatTheSymbolsMakeNow)
{
    ASSERT_EQ(lightCatalogue().size(), kSymbols);
    ASSERT_EQ(iconOwners().size(), kIcons);
    std::set<std::string> expected;
    for (size_t i = 0; i < kSymbols; ++i) {
        std::string error;
        const std::string dxf = lightTemplateDxf(i, error);
        ASSERT_FALSE(dxf.empty()) << nameOf(i) << ": " << error;
        EXPECT_TRUE(bytesOf(templatePath(i)) == dxf) << templatePath(i) << " differs: run scripts/light_templates.sh";
        expected.insert(templatePath(i).filename().string());
    }
    for (const auto& [id, i] : iconOwners()) {
        std::string error;
        const std::string icon = lightIconFile(i, error);
        ASSERT_FALSE(icon.empty()) << nameOf(i) << ": " << error;
        const fs::path path = resources() / kLightIconFolder / (nameOf(i) + ".ico");
        EXPECT_TRUE(bytesOf(path) == icon) << path << " differs: run scripts/light_templates.sh";
    }
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(resources() / kLightTemplateFolder))
        found.insert(entry.path().filename().string());
    EXPECT_EQ(found, expected) << "no template beside the catalogue's";
}

// What the platform reads of a template: its entities' count, their
// layers and their extents.
struct ReadTemplate {
    size_t entities = 0;
    std::set<std::string> layers;
    ZcDbExtents extents;
};

// The block's (model space's) entities as they read.
ReadTemplate entitiesOf(ZcDbObjectId blockId)
{
    ReadTemplate t;
    ZcDbBlockTableRecord* block = nullptr;
    if (zcdbOpenObject(block, blockId, ZcDb::kForRead) != Zcad::eOk)
        return t;
    for (ZcDbObjectId id : block->entityIds()) {
        ZcDbEntity* e = nullptr;
        if (zcdbOpenObject(e, id, ZcDb::kForRead) != Zcad::eOk)
            continue;
        ++t.entities;
        t.layers.insert(e->layer());
        ZcDbExtents box;
        if (e->getGeomExtents(box) == Zcad::eOk)
            t.extents.addExt(box);
        e->close();
    }
    block->close();
    return t;
}

// Reads the template as the system asks for it: the DWG, whose DXF beside
// it is read.
void readTemplate(size_t i, ZcDbDatabase& into)
{
    const fs::path dwg = fs::path(templatePath(i)).replace_extension(".dwg");
    EXPECT_EQ(into.readDwgFile(dwg.c_str()), Zcad::eOk) << nameOf(i);
}

ReadTemplate readTemplate(size_t i)
{
    ZcDbDatabase db(false);
    readTemplate(i, db);
    return entitiesOf(db.modelSpaceId());
}

// The ENTITIES section of a DXF text: what a symbol draws.
std::string entitiesSection(const std::string& dxf)
{
    const size_t from = dxf.find("ENTITIES"), to = dxf.find("ENDSEC", from);
    return from == std::string::npos ? std::string() : dxf.substr(from, to - from);
}

TEST(LightTemplates, EachIsASymbolOfItsOwnAtThePoleOnLayerZeroThatInsertsAsABlock)
{
    TestDrawing drawing;
    std::map<std::string, std::string> drawnBy;
    for (size_t i = 0; i < kSymbols; ++i) {
        SCOPED_TRACE(nameOf(i));
        ZcDbDatabase source(false);
        readTemplate(i, source);
        const ReadTemplate t = entitiesOf(source.modelSpaceId());
        ZcDbObjectId blockId;
        ASSERT_EQ(drawing.db().insert(blockId, nameOf(i).c_str(), &source), Zcad::eOk);
        EXPECT_EQ(entitiesOf(blockId).entities, t.entities) << "the whole model space becomes the block";
        EXPECT_GT(t.entities, 2u);
        EXPECT_EQ(t.layers, std::set<std::string>{"0"});
        const ZcGePoint3d lo = t.extents.minPoint(), hi = t.extents.maxPoint();
        const double longer = std::max(hi.x - lo.x, hi.y - lo.y);
        EXPECT_GE(longer, kSmallestSide);
        EXPECT_LE(longer, kLargestSide);
        EXPECT_LE(lo.x, kPoleReach);
        EXPECT_GE(hi.x, -kPoleReach);
        EXPECT_LE(lo.y, kPoleReach);
        EXPECT_GE(hi.y, -kPoleReach);
        EXPECT_LE(lo.y + hi.y, 0.0) << "the symbol faces the traffic (-Y), not away from it";
        const auto [other, added] = drawnBy.try_emplace(entitiesSection(bytesOf(templatePath(i))), nameOf(i));
        EXPECT_TRUE(added) << "draws the same as " << other->second;
    }
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(LightTemplates, EzdxfReadsEveryTemplateWithoutAuditErrors)
{
    if (const std::string why = ezdxfMissing(); !why.empty())
        GTEST_SKIP() << why;
    std::string command = std::string(kSystemPython) + " -c " + shellQuoted(R"(
import os, sys, ezdxf
for path in sys.argv[1:]:
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    msp = doc.modelspace()
    layers = sorted({e.dxf.layer for e in msp})
    print(os.path.basename(path), len(msp), len(auditor.errors), ",".join(layers))
)");
    std::string expected;
    for (size_t i = 0; i < kSymbols; ++i) {
        command += " " + shellQuoted(templatePath(i).string());
        expected += nameOf(i) + ".dxf " + std::to_string(readTemplate(i).entities) + " 0 0\n";
    }
    const auto [out, status] = runCommand(command + " 2>&1");
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, expected) << "name, entities, audit errors, layers";
}

// An icon file's pixel at (x, y) from the top: blue, green, red, alpha.
struct IconPixels {
    const std::string& bytes;
    static constexpr size_t kPixelsAt = 6 + 16 + 40;
    uint32_t rgb(int x, int y) const
    {
        const size_t at = kPixelsAt + (size_t(31 - y) * 32 + size_t(x)) * 4;
        return uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint8_t(bytes[at]);
    }
    bool opaque(int x, int y) const { return uint8_t(bytes[kPixelsAt + (size_t(31 - y) * 32 + size_t(x)) * 4 + 3]); }
};

// A colour within this of a lamp's palette colour, channel by channel, is
// taken for it (the edges of a lens blend into what is round it).
constexpr int kLampColourReach = 60;

bool near(uint32_t a, uint32_t b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > kLampColourReach)
            return false;
    return true;
}

TEST(LightIcons, EachLoadsAt32PixelsAndShowsItsSymbolsLamps)
{
    ModuleResourceChain chain;
    const ZcUiModuleResources& resources = TarvoResources();
    for (const auto& [id, i] : iconOwners()) {
        SCOPED_TRACE(nameOf(i));
        HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(id));
        ASSERT_NE(icon, nullptr);
        EXPECT_TRUE(DestroyIcon(icon));
        const ZcUiImageResource* embedded = nullptr;
        for (size_t k = 0; k < resources.imageCount; ++k)
            if (resources.images[k].id == UINT(id) && resources.images[k].kind == ZcUiImageKind::kIcon)
                embedded = &resources.images[k];
        ASSERT_NE(embedded, nullptr);
        std::string problem;
        const std::optional<DecodedImage> image = decodeIconFile(embedded->bytes, embedded->size, 32, problem);
        ASSERT_TRUE(image) << problem;
        EXPECT_EQ(image->width, 32);
        EXPECT_EQ(image->height, 32);
        EXPECT_EQ(image->bitsPerPixel, 32);

        // The symbol fills the square one way at least, and each lamp
        // colour it has is there to see.
        const std::string bytes(reinterpret_cast<const char*>(embedded->bytes), embedded->size);
        const IconPixels pixels{bytes};
        int top = 32, bottom = -1, left = 32, right = -1;
        std::map<int, int> lampPixels;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (!pixels.opaque(x, y))
                    continue;
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
                for (int lamp : {1, 2, 3})
                    lampPixels[lamp] += near(pixels.rgb(x, y), kAciPalette[lamp]);
            }
        EXPECT_GE(std::max(bottom - top, right - left), 28);
        std::set<int> lamps;
        for (const LightOutline& o : lightSymbol(i))
            if (o.colour >= 1 && o.colour <= 3)
                lamps.insert(o.colour);
        for (int lamp : lamps)
            EXPECT_GE(lampPixels[lamp], 3) << "colour " << lamp;
    }
}

}  // namespace
