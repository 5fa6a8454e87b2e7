// The traffic-light dialog driven as a user drives it: a symbol and a
// scale chosen, two points picked, the symbol inserted from its template.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ZcDbCircle.h"
#include "console/SettingsRecord.h"
#include "frame/CommandSettings.h"
#include "lights/Swiatla_dlg.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "tests/support/DialogCommandTest.h"
#include "tests/support/DrawingContents.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRegistry.h"

namespace {

constexpr double kLightsDialogTol = 1e-12;

// An installation folder whose only template is "s_a1": a lamp below its pole.
class Installation {
public:
    Installation() : m_dir("lights-install")
    {
        const std::filesystem::path lights = m_dir.path() / "Wzory" / "Swiatla";
        std::filesystem::create_directories(lights);
        std::string error;
        EXPECT_TRUE(writeTemplateDrawing((lights / "s_a1.dxf").string(),
                                         new ZcDbCircle(ZcGePoint3d(0, -300, 0), ZcGeVector3d::kZAxis, 100.0), error))
            << error;
    }
    std::string folder() const { return m_dir.path().string(); }
    void removeTemplate() const { std::filesystem::remove(m_dir.path() / "Wzory" / "Swiatla" / "s_a1.dxf"); }

private:
    TempDir m_dir;
};

// Runs "D_Swiatla" on the script with the process's settings as given.
std::string runLights(const std::string& script)
{
    ScriptedInput input(script);
    testing::internal::CaptureStdout();
    InsertTrafficLights();
    return testing::internal::GetCapturedStdout();
}

class TrafficLights : public DialogCommandTest {
protected:
    void SetUp() override
    {
        DialogCommandTest::SetUp();
        TheCommandSettings().scaleIndex = 0;
        TheCommandSettings().destination = 2;
    }

    Installation installation;
    TestRegistry registry{TestRegistry::installedAt(installation.folder())};
};

}  // namespace

TEST_F(TrafficLights, TurnedAcrossTheDirectionAndScaledByTheChosenScale)
{
    const std::string out = runLights("dlg select IDC_LIGHT_LIST \"s_a1\"\n"
                                      "dlg click 1\n10,20\n10,30\n"  // 1:100, direction straight up
                                      "dlg select IDC_SCALE \"1:500\"\n"
                                      "dlg click 1\n0,0\n5,0\n"  // 1:500, direction along +X
                                      "dlg click 2\n");
    const std::vector<PlacedReference> symbols = ReferencesIn(drawing.db());
    ASSERT_EQ(symbols.size(), 2u) << out;
    EXPECT_EQ(symbols[0].block, "s_a1");
    EXPECT_EQ(symbols[0].position, ZcGePoint3d(10, 20, 0));
    EXPECT_NEAR(symbols[0].rotation, M_PI, kLightsDialogTol);
    EXPECT_NEAR(symbols[0].scale, 0.01, kLightsDialogTol);
    EXPECT_NEAR(symbols[1].rotation, M_PI / 2, kLightsDialogTol);
    EXPECT_NEAR(symbols[1].scale, 0.005, kLightsDialogTol);
    EXPECT_EQ(TheCommandSettings().scaleIndex, 1) << "the next dialog command starts at 1:500";
    EXPECT_EQ(TheCommandSettings().destination, 2) << "the dialog never changes the destination";
}

TEST_F(TrafficLights, TheDrawingsSymbolScaleMultipliesTheSize)
{
    SettingsRecord record;
    record.symbolScale = 2.0;
    ASSERT_EQ(writeSettingsRecord(drawing.db(), record), Zcad::eOk);
    runLights("dlg select IDC_LIGHT_LIST 0\ndlg click 1\n0,0\n0,-1\ndlg select IDC_SCALE 1\ndlg click 1\n0,0\n0,-1\n"
              "dlg click IDCANCEL\n");
    const std::vector<PlacedReference> symbols = ReferencesIn(drawing.db());
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_NEAR(symbols[0].scale, 0.02, kLightsDialogTol);
    EXPECT_NEAR(symbols[1].scale, 0.01, kLightsDialogTol);
    EXPECT_NEAR(symbols[0].rotation, 0.0, kLightsDialogTol) << "the lamps face the direction point";
    EXPECT_EQ(TheCommandSettings().scaleIndex, 1) << "the close box stores the scale as the close button does";
}

TEST_F(TrafficLights, TheTemplateIsReadOnceAndAMissingChoiceInsertsNothing)
{
    const std::string out = runLights("dlg click 1\n0,0\n1,0\n"  // no symbol chosen
                                      "dlg select IDC_LIGHT_LIST \"s_a1\"\ndlg click 1\n0,0\n1,0\n"
                                      "dlg click 1\n5,5\n*cancel*\n"  // a cancelled direction
                                      "dlg click 2\n");
    EXPECT_NE(out.find("Error reading a dwg-file."), std::string::npos) << out;
    installation.removeTemplate();
    runLights("dlg select IDC_LIGHT_LIST \"s_a1\"\ndlg click 1\n3,3\n4,3\ndlg click 2\n");
    const std::vector<PlacedReference> symbols = ReferencesIn(drawing.db());
    ASSERT_EQ(symbols.size(), 2u) << "the block already in the drawing serves without its file";
    EXPECT_EQ(symbols[1].block, "s_a1");
}

TEST_F(TrafficLights, ARegistryThatCannotBeReadAsksNothingAndDrawsNothing)
{
    TestRegistry broken("[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n");
    const std::string out = runLights("dlg select IDC_LIGHT_LIST 0\ndlg click 1\ndlg click 2\n");
    EXPECT_TRUE(ReferencesIn(drawing.db()).empty());
    EXPECT_FALSE(broken.boxes().empty());
    EXPECT_EQ(FindBlock("s_a1", ZcDb::kForRead), nullptr);
    EXPECT_NE(out.find("rysowanie przerwano"), std::string::npos) << out;
}
