// Where a text style's font comes from, and that text is measured with it.

#include <gtest/gtest.h>

#include <filesystem>

#include "../dxf/TempDir.h"
#include "TextTestSupport.h"
#include "platform/text/FontFiles.h"

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
