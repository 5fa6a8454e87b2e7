// The console's writer of the drawing-settings record, read back by the
// plug-in and by another program.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "ZcDbLayerTable.h"
#include "console/InstallationServices.h"
#include "console/SettingsRecord.h"
#include "frame/DrawingSettings.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"
#include "tests/support/TestPaths.h"

using namespace platform;

namespace {

SettingsRecord sample()
{
    SettingsRecord r;
    r.layerDesigned = "Projektowane";
    r.layerTemporary = "Tymczasowe";
    r.layerRemoved = "Usunięte";
    r.layerExisting = "Istniejące";
    r.symbolScale = 1.25;
    r.spareName = "Zapas";
    r.markingScale = 0.8;
    r.groupObjects = true;
    r.drawingScale = 0.002;
    return r;
}

std::string run(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "popen failed";
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

}  // namespace

TEST(SettingsRecord, APluginReadReturnsWhatWasWrittenFieldForField)
{
    TestDrawing drawing;
    const SettingsRecord written = sample();
    std::string added;
    ASSERT_EQ(writeSettingsRecord(drawing.db(), written, &added), Zcad::eOk);
    EXPECT_EQ(added, "Projektowane, Tymczasowe, Usunięte, Istniejące");
    EXPECT_EQ(drawing.openCount(), 0u);

    EXPECT_EQ(ReadDrawingSettings(), static_cast<const DrawingSettings&>(written));

    const SettingsRecord again = readSettingsRecord(drawing.db());
    EXPECT_EQ(again.itemsPresent, 9);
    EXPECT_EQ(again.layerRemoved, "Usunięte");
}

TEST(SettingsRecord, RefusesWhatWouldBreakTheDrawing)
{
    TestDrawing drawing;
    SettingsRecord bad = sample();
    bad.symbolScale = NAN;
    EXPECT_EQ(writeSettingsRecord(drawing.db(), bad), Zcad::eInvalidInput);
    // What the plug-in would refuse on reading is never stored.
    for (const double scale : {0.0, 1e-300, -1.0, 1e7}) {
        bad = sample();
        bad.markingScale = scale;
        EXPECT_EQ(writeSettingsRecord(drawing.db(), bad), Zcad::eInvalidInput) << scale;
    }
    bad = sample();
    bad.layerExisting = "A/B";
    EXPECT_NE(writeSettingsRecord(drawing.db(), bad), Zcad::eOk);
    EXPECT_EQ(readSettingsRecord(drawing.db()).itemsPresent, -1) << "nothing was stored";
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(SettingsRecord, AnotherProgramSeesTheExtendedDataOfTarvo)
{
    TempDir dir("settings-record");
    TestDrawing drawing;
    ASSERT_EQ(writeSettingsRecord(drawing.db(), sample()), Zcad::eOk);
    const std::string path = dir.file("ustawienia.dxf");
    std::string error;
    ASSERT_TRUE(writeDxfFile(drawing.db(), path, error)) << error;

    const std::string script = dir.file("check.py");
    {
        FILE* f = std::fopen(script.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs(R"py(import re, sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
settings = doc.rootdict["S_Znaki"]
record = settings["Przeznaczenie"]
# Texts the code page lacks are spelled \U+XXXX in the file, as CAD programs read them.
def decoded(value):
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), str(value))
for code, value in record.get_xdata("Tarvo"):
    print(code, decoded(value))
auditor = doc.audit()
print("errors", len(auditor.errors))
)py",
                   f);
        std::fclose(f);
    }
    const std::string out = run(std::string(testPython()) + " " + script + " " + path + " 2>&1");
    EXPECT_EQ(out,
              "1000 Projektowane\n"
              "1000 Tymczasowe\n"
              "1000 Usunięte\n"
              "1000 Istniejące\n"
              "1040 1.25\n"
              "1000 Zapas\n"
              "1040 0.8\n"
              "1000 True\n"
              "1040 0.002\n"
              "errors 0\n");
}

TEST(InstallationRegistry, HoldsTheDataFolderWithoutATrailingSeparator)
{
    std::string error;
    const auto data = parseRegistryText(installationRegistryText("/opt/tarvo/share/tarvo/"), error);
    ASSERT_TRUE(data) << error;
    const RegistryKeyData* key = data->key("HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo");
    ASSERT_NE(key, nullptr);
    const RegistryValue* path = key->find("Path");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(std::string(path->data.begin(), path->data.end()), std::string("/opt/tarvo/share/tarvo") + '\0');
}
