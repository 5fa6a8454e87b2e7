// Reading the installation folder from the registry, and how failures show.

#include <gtest/gtest.h>

#include "WinError.h"
#include "WinMessageBox.h"
#include "services/RegistryKey.h"
#include "services/RegistryString.h"
#include "tests/support/TestRegistry.h"

using namespace platform;

namespace {

constexpr const char* kErrorCaption = "Błąd podczas operacji na rejestrach";

}  // namespace

TEST(ReadRegistryString, ReadsTheInstallationFolder)
{
    TestRegistry registry(TestRegistry::installedAt("/opt/tarvo/share/tarvo"));
    testing::internal::CaptureStdout();
    EXPECT_EQ(InstallationFolder(), "/opt/tarvo/share/tarvo");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(registry.boxes().empty());
}

TEST(ReadRegistryString, AMissingKeyShowsTwoBoxesThenFails)
{
    TestRegistry registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Inna]\r\n\"Path\"=\"x\"\r\n");
    testing::internal::CaptureStdout();
    EXPECT_THROW(InstallationFolder(), RegistryReadError);
    testing::internal::GetCapturedStdout();
    // The key is not found; then the read runs on no key at all.
    ASSERT_EQ(registry.boxes().size(), 2u);
    EXPECT_EQ(registry.boxes()[0].caption, kErrorCaption);
    EXPECT_EQ(registry.boxes()[0].text, "Nie można odnaleźć określonego pliku.");
    EXPECT_EQ(registry.boxes()[0].type, unsigned(MB_ICONERROR));
    EXPECT_EQ(registry.boxes()[1].text, "Nieprawidłowe dojście.");
}

TEST(ReadRegistryString, AMissingValueShowsOneBoxThenFails)
{
    TestRegistry registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n\"Folder\"=\"/opt\"\r\n");
    testing::internal::CaptureStdout();
    try {
        InstallationFolder();
        ADD_FAILURE() << "no error raised";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Registry read failed");
    }
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(registry.boxes().size(), 1u);
    EXPECT_EQ(registry.boxes()[0].text, "Nie można odnaleźć określonego pliku.");
}

TEST(RegistryKey, ReadsAValueOf1023CharactersWholeAndRefusesALongerOne)
{
    const std::string exact(1023, 'a');
    TestRegistry registry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n\"Path\"=\"" + exact + "\"\r\n\"Dluga\"=\"" +
                          exact + "b\"\r\n");
    RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, true);
    ASSERT_TRUE(key.Open("SOFTWARE\\KORVEL\\Tarvo"));
    EXPECT_EQ(key.ReadString("Path"), exact);
    testing::internal::CaptureStdout();
    EXPECT_THROW(key.ReadString("Dluga"), RegistryReadError) << "1024 characters and the zero do not fit";
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(registry.boxes().size(), 1u);
    EXPECT_EQ(registry.boxes()[0].text, "Jest dostępnych więcej danych.");
    EXPECT_TRUE(key.Close());
}

TEST(RegistryKey, OpeningASecondKeyShowsABoxAndKeepsTheFirst)
{
    TestRegistry registry(TestRegistry::installedAt("/pierwszy") + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Drugi]\r\n\"Path\"=\"/drugi\"\r\n");
    RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, true);
    ASSERT_TRUE(key.Open("SOFTWARE\\KORVEL\\Tarvo"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(key.Open("SOFTWARE\\Drugi"));
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(registry.boxes().size(), 1u);
    EXPECT_EQ(registry.boxes()[0].caption, "Błąd otwarcia klucza");
    EXPECT_EQ(registry.boxes()[0].text, "Przed otwarciem nowego klucza, zamknij klucz otwarty wczesniej");
    EXPECT_EQ(registry.boxes()[0].type, unsigned(MB_OK));
    EXPECT_EQ(key.ReadString("Path"), "/pierwszy");
    EXPECT_EQ(openRegistryKeyCount(), 1);
}

TEST(RegistryKey, WithoutShowErrorsFailsSilently)
{
    TestRegistry registry;
    RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, false);
    EXPECT_FALSE(key.Open("SOFTWARE\\KORVEL\\Tarvo"));
    EXPECT_THROW(key.ReadString("Path"), RegistryReadError);
    EXPECT_TRUE(registry.boxes().empty());
}

TEST(RegistryKey, AKeyGoingOutOfScopeIsClosed)
{
    TestRegistry registry(TestRegistry::installedAt("/opt"));
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, true);
        ASSERT_TRUE(key.Open("SOFTWARE\\KORVEL\\Tarvo"));
        EXPECT_EQ(openRegistryKeyCount(), 1);
    }
    EXPECT_EQ(openRegistryKeyCount(), 0);
    {
        // Also when the read fails.
        RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, false);
        ASSERT_TRUE(key.Open("SOFTWARE\\KORVEL\\Tarvo"));
        EXPECT_THROW(key.ReadString("Brak"), RegistryReadError);
    }
    EXPECT_EQ(openRegistryKeyCount(), 0);
    EXPECT_TRUE(registry.boxes().empty());
}

TEST(RegistryKey, AFailedCloseIsReportedAndTheKeyKept)
{
    TestRegistry registry(TestRegistry::installedAt("/opt"));
    testing::internal::CaptureStdout();
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, true);
        ASSERT_TRUE(key.Open("SOFTWARE\\KORVEL\\Tarvo"));
        const HKEY handle = key.openKey();
        ASSERT_EQ(RegCloseKey(handle), ERROR_SUCCESS);  // closed behind the key's back
        EXPECT_FALSE(key.Close());
        EXPECT_EQ(key.openKey(), handle);
    }
    testing::internal::GetCapturedStdout();
    // The close fails again when the key goes out of scope.
    ASSERT_EQ(registry.boxes().size(), 2u);
    EXPECT_EQ(registry.boxes()[0].text, "Nieprawidłowe dojście.");
}
