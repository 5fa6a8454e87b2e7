// The five boards end to end: built with Polish names and inserted, written
// as DXF that ezdxf reads without an audit error, and pictured in their
// colours, with the names in the shipped road lettering.

#include <gtest/gtest.h>

#include <filesystem>

#include "ZcDbBlockReference.h"
#include "ZcDbMText.h"
#include "signs/BoardBlocks.h"
#include "tests/plugin/signs/BoardTestSupport.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestPaths.h"

using namespace platform;

namespace {

struct Placed {
    SignKind kind;
    void (*build)(D_SignBoard&);
    char size;
    bool left;
    const char* text;
    ZcGePoint3d at;
};

// Boards in mm, inserted at full size one below another; the arrows to the right.
const Placed kBoards[] = {
    {SignKind::E17a, BuildE17aBlock, 0, false, "Łódź", {0, 0, 0}},
    {SignKind::E18a, BuildE18aBlock, 0, false, "Świnoujście", {0, -800, 0}},
    {SignKind::E21, BuildE21Block, 0, false, "Gdańsk Główny", {0, -1600, 0}},
    {SignKind::E4, BuildE4Block, 0, true, "Łódź", {2800, 265, 0}},
    {SignKind::E5, BuildE5Block, 'D', false, "Kraków", {1400, -1335, 0}},
};

void drawBoards()
{
    for (const Placed& p : kBoards) {
        D_SignBoard sign(p.kind);
        if (p.size)
            sign.SetSizeClass(p.size);
        sign.pointsLeft = p.left;
        sign.MakeSignBlockName(p.text);
        p.build(sign);
        ZcDbObjectPointer<ZcDbBlockReference> reference;
        ZcDbBlockReference* inserted = InsertBlockReference(sign.blockName.c_str(), p.at, ZcGeScale3d(1, 1, 1), 0);
        ASSERT_NE(inserted, nullptr) << sign.blockName;
        reference.acquire(inserted);
    }
}

// Colours as the picture draws them.
constexpr Rgb kGreen{0, 153, 38};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};

struct Probe {
    const char* what;
    double x, y;
    Rgb colour;
};

}  // namespace

TEST(BoardPicture, FiveBoardsAPolishDriverKnows)
{
    BoardDrawing drawing;
    drawBoards();
    EXPECT_EQ(drawing.openCount(), 0u);

    const std::filesystem::path dir = std::filesystem::path(testTmpDir()) / "boards";
    std::filesystem::create_directories(dir);
    const std::string dxf = (dir / "boards.dxf").string();
    std::string error;
    ASSERT_TRUE(writeDxfFile(drawing.db(), dxf, error)) << error;
    PictureSettings settings;
    settings.resolution = 0.5;  // two pixels per cm: every stripe several pixels wide
    ASSERT_TRUE(writePicture(drawing.db(), (dir / "boards.png").string(), settings, error)) << error;

    const std::optional<RasterPicture> picture = rasterPicture(drawing.db(), settings, error);
    ASSERT_TRUE(picture) << error;
    const Probe probes[] = {
        {"E-17a field", -450, 100, kGreen},
        {"E-17a stripe", -485, 265, kWhite},
        {"E-18a field", -450, -400, kGreen},
        {"E-21 field", -550, -1500, kWhite},
        {"E-21 stripe", -600, -1335, kBlue},
        {"E-4 field by its flat end", 2800 - 50, 265, kGreen},
        {"E-5 field by its flat end", 1400 + 50, -1335, kWhite},
        {"E-5 stripe", 1400 + 10, -1335, kBlue},
    };
    // A quarter of the way along the E-18a's diagonal the band is red.
    const ZcDbExtents e18a = extentsOf(idsOf<ZcDbPolyline>("E-18a_Świnoujście_ ").at(0));
    const ZcGePoint3d quarter = e18a.minPoint() + (e18a.maxPoint() - e18a.minPoint()) * 0.25;
    std::vector<Probe> all(std::begin(probes), std::end(probes));
    all.push_back({"E-18a band", quarter.x, quarter.y - 800, kRed});
    for (const Probe& p : all) {
        int x = 0, y = 0;
        ASSERT_TRUE(picture->pixelOf(p.x, p.y, x, y)) << p.what;
        EXPECT_EQ(picture->at(x, y), p.colour) << p.what << " at pixel " << x << ", " << y;
    }
    // White letters on the green E-17a: some pixels of its middle are white.
    int white = 0;
    for (double x = -150; x <= 150; x += 2) {
        int px = 0, py = 0;
        if (picture->pixelOf(x, 265, px, py) && picture->at(px, py) == kWhite)
            ++white;
    }
    EXPECT_GT(white, 10) << "the name shows on the board";

    if (const std::string missing = ezdxfMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    const auto [out, status] = runCommand(std::string(kSystemPython) + " -c " + shellQuoted(R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
names = sorted(b.name for b in doc.blocks if b.name.startswith("E-"))
print(len(auditor.errors), len(doc.modelspace()), "|".join(names))
)") + " " + shellQuoted(dxf) + " 2>&1");
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "0 5 E-17a_Łódź_ |E-18a_Świnoujście_ |E-21_Gdańsk Główny_ |E-4_Łódź_ _|E-5_Kraków_D\n");
}
