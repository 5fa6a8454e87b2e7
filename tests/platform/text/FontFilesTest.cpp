// Where a text style's font comes from, and that text is measured with it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/text/FontFiles.h"
#include "tests/platform/text/TextTestSupport.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace fs = std::filesystem;

namespace {

constexpr const char* kSystemSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kSystemMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// An installation folder whose Fonts/ holds copies of system fonts under other names.
class FontFolder : public ::testing::Test {
protected:
    FontFolder() : m_dir("fonts")
    {
        fs::create_directories(m_dir.path() / "Fonts" / "drogi");
        fs::copy_file(kSystemMono, m_dir.path() / "Fonts" / "drogi" / "Tarvowa.ttf");
        fs::copy_file(kSystemMono, m_dir.path() / "Fonts" / "DejaVuSans.ttf");
        setFontInstallationFolder(m_dir.path().string());
    }
    ~FontFolder() override { setFontInstallationFolder(""); }

    std::string installed(const std::string& relative) const { return (m_dir.path() / "Fonts" / relative).string(); }

    TempDir m_dir;
};

}  // namespace

TEST_F(FontFolder, TheInstallationFolderComesFirstThenTheSystem)
{
    if (!fs::exists(kSystemSans))
        GTEST_SKIP() << "DejaVu fonts are not installed";
    EXPECT_EQ(resolveFontFile("Tarvowa.ttf").path, installed("drogi/Tarvowa.ttf")) << "its subfolders too";
    EXPECT_EQ(resolveFontFile("TARVOWA.TTF").path, installed("drogi/Tarvowa.ttf")) << "names as Windows compares them";
    EXPECT_EQ(resolveFontFile("C:\\Windows\\Fonts\\tarvowa.ttf").path, installed("drogi/Tarvowa.ttf"))
        << "a stored folder is not where the font is";
    EXPECT_EQ(resolveFontFile("DejaVuSans.ttf").path, installed("DejaVuSans.ttf")) << "over the system's own";
    EXPECT_EQ(resolveFontFile("DejaVuSansMono").path, kSystemMono) << "the extension may be left out";
    EXPECT_FALSE(resolveFontFile("DejaVuSansMono.ttf").fallback);
}

TEST_F(FontFolder, AMissingFontFallsBackWithOneNotice)
{
    if (!fs::exists(kSystemSans))
        GTEST_SKIP() << "DejaVu fonts are not installed";
    testing::internal::CaptureStdout();
    const FontFile first = resolveFontFile("brakujaca-czcionka.ttf");
    const FontFile second = resolveFontFile("brakujaca-czcionka.ttf");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(first.fallback);
    EXPECT_EQ(first.path, kSystemSans);
    EXPECT_EQ(second.path, first.path);
    EXPECT_NE(out.find("brakujaca-czcionka.ttf"), std::string::npos) << out;
    EXPECT_NE(out.find("DejaVu Sans"), std::string::npos) << out;
    EXPECT_EQ(out.find("brakujaca-czcionka.ttf"), out.rfind("brakujaca-czcionka.ttf")) << "one notice only: " << out;
}

TEST_F(FontFolder, TextIsMeasuredWithTheStylesFont)
{
    if (!fs::exists(kSystemSans))
        GTEST_SKIP() << "DejaVu fonts are not installed";
    TestDrawing drawing;
    const ZcDbObjectId tarvowy = addTextStyle(drawing.db(), "Tarvowy", "Tarvowa.ttf");
    const ZcDbObjectId sans = addTextStyle(drawing.db(), "Sans", "DejaVuSansMono.ttf");
    const auto width = [](ZcDbObjectId style, const char* text) {
        Opened<ZcDbMText> t(new ZcDbMText);
        t->setTextStyle(style);
        t->setContents(text);
        return widthOf(extentsOf(*t.get()));
    };
    // The installed Tarvowa.ttf is a monospaced font here: every letter as wide.
    EXPECT_NEAR(width(tarvowy, "iiii"), width(tarvowy, "WWWW"), 1e-9);
    EXPECT_NEAR(width(tarvowy, "Tarvo"), width(sans, "Tarvo"), 1e-9);
}

namespace {

// Ways a font file can be damaged, made from a good one.
struct Damage {
    const char* name;
    std::string (*make)(const std::string& good);
};

std::string randomBytes(const std::string& good)
{
    std::string bytes(good.size(), '\0');
    uint32_t state = 12345;  // a fixed sequence: the same file every run
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    return bytes;
}

const Damage kDamages[] = {
    {"LosoweBajty", randomBytes},
    {"UcietyWPolowie", [](const std::string& good) { return good.substr(0, good.size() / 2); }},
    {"UcietyZaNaglowkiem", [](const std::string& good) { return good.substr(0, 4096); }},
    {"Pusty", [](const std::string&) { return std::string(); }},
};

class DamagedFont : public FontFolder, public ::testing::WithParamInterface<Damage> {};

}  // namespace

// A font file FreeType cannot read counts as missing: texts in its style
// are measured (and pictured) with the fallback, and one notice says so.
TEST_P(DamagedFont, CountsAsMissing)
{
    if (!fs::exists(kSystemSans))
        GTEST_SKIP() << "DejaVu fonts are not installed";
    const std::string name = std::string("uszkodzona-") + GetParam().name + ".ttf";
    std::ifstream in(kSystemMono, std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(good.empty());
    std::ofstream(installed(name), std::ios::binary) << GetParam().make(good);
    setFontInstallationFolder("");  // looked up again with the new file
    setFontInstallationFolder(m_dir.path().string());

    testing::internal::CaptureStdout();
    const FontFile first = resolveFontFile(name);
    const FontFile second = resolveFontFile(name);
    TestDrawing drawing;
    Opened<ZcDbMText> t(new ZcDbMText);
    t->setTextStyle(addTextStyle(drawing.db(), "Uszkodzony", name.c_str()));
    t->setContents("Tarvo");
    Zcad::ErrorStatus status = Zcad::eOk;
    const ZcDbExtents extents = extentsOf(*t.get(), &status);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_TRUE(first.fallback);
    EXPECT_EQ(first.path, kSystemSans);
    EXPECT_EQ(second.path, kSystemSans);
    EXPECT_EQ(status, Zcad::eOk);
    EXPECT_GT(widthOf(extents), 0.0) << "the text does not vanish";
    EXPECT_NE(out.find(name), std::string::npos) << out;
    EXPECT_NE(out.find("DejaVu Sans"), std::string::npos) << out;
    EXPECT_EQ(out.find("zastępuje"), out.rfind("zastępuje")) << "one notice only: " << out;
}

INSTANTIATE_TEST_SUITE_P(FontFiles, DamagedFont, ::testing::ValuesIn(kDamages),
                         [](const auto& named) { return std::string(named.param.name); });

// The CAD programs' own fonts (shape fonts, other programs' default style
// font) have no file to ship: the stand-in is taken without a notice, while
// a name that merely looks like one still gets its notice.
struct StandInCase {
    const char* name;
    bool silent;
};

class CadFont : public FontFolder, public ::testing::WithParamInterface<StandInCase> {};

TEST_P(CadFont, IsStoodInForSilentlyOnlyWhenItIsACadProgramsOwn)
{
    if (!fs::exists(kSystemSans))
        GTEST_SKIP() << "DejaVu fonts are not installed";
    testing::internal::CaptureStdout();
    const FontFile font = resolveFontFile(GetParam().name);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(font.path, kSystemSans);
    EXPECT_TRUE(font.fallback);
    EXPECT_EQ(out.empty(), GetParam().silent) << out;
}

const StandInCase kStandIns[] = {
    {"txt", true},
    {"TXT.SHX", true},
    {"simplex.shx", true},
    {"romans", true},
    {"isocp.shx", true},
    {"standard", true},
    {"C:\\CAD\\Fonts\\txt.shx", true},
    {"txt.ttf", false},
    {"mojafirma.shx", false},
    {"txt2", false},
};

INSTANTIATE_TEST_SUITE_P(FontFiles, CadFont, ::testing::ValuesIn(kStandIns));
