// The registry kept in a .reg file, and the registry functions over it.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "WinError.h"
#include "WinRegistry.h"
#include "platform/win/Registry.h"
#include "platform/win/RegistryData.h"
#include "platform/win/TextEncodings.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

std::string textOf(const RegistryValue* v) { return v ? std::string(v->data.begin(), v->data.end()) : "<none>"; }

// The registry of a test, back to empty afterwards.
class RegistryFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        useRegistryText(std::string(kHeader) +
                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n"
                        "\"Path\"=\"C:\\\\Program Files\\\\Tarvo\"\r\n"
                        "\"Licznik\"=dword:0000002a\r\n"
                        "@=\"domyślna\"\r\n");
    }
    void TearDown() override
    {
        useRegistryText("");
        EXPECT_EQ(openRegistryKeyCount(), 0) << "a test left a key open";
    }

    // A value as RegQueryValueExA gives it with a buffer of that size.
    LSTATUS query(HKEY key, const char* name, DWORD bufferSize, std::string& value, DWORD& size, DWORD& type)
    {
        std::vector<char> buffer(bufferSize + 1, '#');
        size = bufferSize;
        const LSTATUS status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size);
        value.assign(buffer.data(), std::min<size_t>(size, bufferSize));
        return status;
    }
};

}  // namespace

TEST(RegistryFile, ReadsKeysValuesAndTheirTypes)
{
    std::string error;
    const auto data = parseRegistryText(std::string(kHeader) +
                                            "; a comment\r\n"
                                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n"
                                            "\"Path\"=\"D:\\\\Drogi \\\"nowe\\\"\"\r\n"
                                            "\"Bajty\"=hex:01,02,\\\r\n"
                                            "  ff\r\n"
                                            "\"Liczba\"=dword:00010002\r\n"
                                            "\"Rozwijana\"=hex(2):25,00,41,00,00,00\r\n",
                                        error);
    ASSERT_TRUE(data) << error;
    const RegistryKeyData* key = data->key("hkey_local_machine\\software\\korvel\\TARVO");
    ASSERT_NE(key, nullptr) << "keys are found without regard to case";
    EXPECT_EQ(textOf(key->find("path")), std::string("D:\\Drogi \"nowe\"") + '\0');
    EXPECT_EQ(key->find("Bajty")->data, (std::vector<uint8_t>{1, 2, 0xFF})) << "a hex value goes on after a backslash";
    EXPECT_EQ(key->find("Liczba")->data, (std::vector<uint8_t>{2, 0, 1, 0})) << "dwords are little-endian";
    EXPECT_EQ(key->find("Rozwijana")->type, uint32_t(REG_EXPAND_SZ));
    EXPECT_EQ(textOf(key->find("Rozwijana")), std::string("%A") + '\0') << "UTF-16 bytes given as narrow text";
    EXPECT_TRUE(data->hasKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL")) << "parents of a key exist";
    EXPECT_FALSE(data->hasKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\KORV"));
}

TEST(RegistryFile, LaterLinesRemoveKeysAndValues)
{
    std::string error;
    const auto data = parseRegistryText(std::string(kHeader) +
                                            "[HKEY_CURRENT_USER\\A\\B]\n\"x\"=\"1\"\n\"y\"=\"2\"\n"
                                            "[HKEY_CURRENT_USER\\A\\B]\n\"x\"=-\n"
                                            "[HKEY_CURRENT_USER\\C\\D]\n\"z\"=\"3\"\n"
                                            "[-HKEY_CURRENT_USER\\C]\n\"ignored\"=\"4\"\n",
                                        error);
    ASSERT_TRUE(data) << error;
    const RegistryKeyData* b = data->key("HKEY_CURRENT_USER\\A\\B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->find("x"), nullptr);
    EXPECT_NE(b->find("y"), nullptr);
    EXPECT_FALSE(data->hasKey("HKEY_CURRENT_USER\\C\\D")) << "removing a key removes what is below it";
}

TEST(RegistryFile, RefusesWhatIsNoRegistryFile)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "empty"},
        {"[HKEY_LOCAL_MACHINE\\X]\n", "line 1"},
        {std::string(kHeader) + "\"Path\"=\"x\"\n", "line 3"},
        {std::string(kHeader) + "[HKLM\\SOFTWARE]\n", "line 3"},
        {std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\X]\n\"Path\"=\"unclosed\n", "line 4"},
        {std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\X]\n\"N\"=dword:123456789\n", "line 4"},
        {std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\X]\n\"B\"=hex:1,zz\n", "line 4"},
    };
    for (const auto& [text, where] : cases) {
        std::string error;
        EXPECT_FALSE(parseRegistryText(text, error)) << text;
        EXPECT_NE(error.find(where), std::string::npos) << error;
    }
}

TEST(RegistryFile, WindowsEncodingsBecomeUtf8)
{
    // The registry editor writes UTF-16 with a byte-order mark; REGEDIT4 files are in the ANSI code page.
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("Wi\x01"))
        utf16 += c, utf16 += '\0';
    EXPECT_EQ(utf8FromWindowsText(utf16), "Wi\x01");
    EXPECT_EQ(utf8FromWindowsText("\xA3\xF3\x64\x9F\x9C"), "Łódźś");
    EXPECT_EQ(utf8FromWindowsText("\xEF\xBB\xBFŁódź"), "Łódź") << "UTF-8 stays, its mark goes";
    EXPECT_EQ(utf8FromUtf16le(std::string("\x3D\xD8\x00\xDE", 4)), "\xF0\x9F\x98\x80") << "a surrogate pair";
    EXPECT_EQ(utf8FromUtf16le(std::string("\x00\xD8", 2)), "\xEF\xBF\xBD") << "an unpaired surrogate";
}

TEST_F(RegistryFunctions, OpensAKeyAndReadsItsValues)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVEL\\Tarvo", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(openRegistryKeyCount(), 1);
    std::string value;
    DWORD size = 0, type = 0;
    ASSERT_EQ(query(key, "Path", 1024, value, size, type), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, DWORD(std::strlen("C:\\Program Files\\Tarvo") + 1)) << "the size counts the zero";
    EXPECT_STREQ(value.c_str(), "C:\\Program Files\\Tarvo");
    ASSERT_EQ(query(key, "licznik", 4, value, size, type), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(value, std::string("\x2A\0\0\0", 4));
    ASSERT_EQ(query(key, nullptr, 64, value, size, type), ERROR_SUCCESS) << "the default value";
    EXPECT_STREQ(value.c_str(), "domyślna");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE) << "a closed key is gone";
}

TEST_F(RegistryFunctions, GivesTheSystemsErrorCodes)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVEL\\Inne", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KORVEL\\Tarvo", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND)
        << "another hive";
    EXPECT_EQ(RegOpenKeyExA(nullptr, "SOFTWARE", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 4, KEY_READ, &key), ERROR_INVALID_PARAMETER);

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVEL\\Tarvo", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::string value;
    DWORD size = 0, type = 0;
    EXPECT_EQ(query(key, "Brak", 1024, value, size, type), ERROR_FILE_NOT_FOUND);
    // Too small by the zero: the size needed comes back, the buffer is untouched.
    EXPECT_EQ(query(key, "Path", DWORD(std::strlen("C:\\Program Files\\Tarvo")), value, size, type), ERROR_MORE_DATA);
    EXPECT_EQ(size, DWORD(std::strlen("C:\\Program Files\\Tarvo") + 1));
    EXPECT_EQ(value.substr(0, 3), "###");
    DWORD sizeOnly = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, nullptr, &sizeOnly), ERROR_SUCCESS);
    EXPECT_EQ(sizeOnly, size) << "no buffer asks for the size";
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Path", &reserved, nullptr, nullptr, &sizeOnly), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    EXPECT_EQ(query(nullptr, "Path", 1024, value, size, type), ERROR_INVALID_HANDLE) << "no key open";
    EXPECT_EQ(query(HKEY_LOCAL_MACHINE, "Path", 1024, value, size, type), ERROR_FILE_NOT_FOUND)
        << "a hive is open; it has no such value of its own";
    EXPECT_EQ(query(key, "Path", 1024, value, size, type), ERROR_INVALID_HANDLE) << "a closed key";

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVEL\\Tarvo", 0, KEY_ENUMERATE_SUB_KEYS, &key), ERROR_SUCCESS);
    EXPECT_EQ(query(key, "Path", 1024, value, size, type), ERROR_ACCESS_DENIED) << "opened without query access";
    RegCloseKey(key);
}

TEST_F(RegistryFunctions, OpensBelowAnOpenKey)
{
    HKEY software = nullptr, tarvo = nullptr, again = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software", 0, KEY_READ, &software), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(software, "KORVEL\\Tarvo", 0, KEY_READ, &tarvo), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(tarvo, "", 0, KEY_READ, &again), ERROR_SUCCESS) << "an empty path opens the key again";
    EXPECT_NE(again, tarvo);
    std::string value;
    DWORD size = 0, type = 0;
    EXPECT_EQ(query(again, "Path", 1024, value, size, type), ERROR_SUCCESS);
    for (HKEY k : {again, tarvo, software})
        EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS) << "the hives are always open";
}

TEST(RegistryFileInUse, IsReadAgainAtEachOpen)
{
    TempDir dir("registry-file");
    const std::string path = dir.file("tarvo.reg");
    const auto write = [&](const std::string& folder) {
        std::ofstream(path, std::ios::binary) << kHeader << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KORVEL\\Tarvo]\r\n\"Path\"="
                                              << quotedRegistryString(folder) << "\r\n";
    };
    write("/opt/a");
    useRegistryFile(path);
    std::string error;
    EXPECT_TRUE(checkRegistry(error)) << error;

    HKEY first = nullptr, second = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVEL\\Tarvo", 0, KEY_READ, &first), ERROR_SUCCESS);
    write("/opt/b");
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVEL\\Tarvo", 0, KEY_READ, &second), ERROR_SUCCESS);
    char a[64] = {}, b[64] = {};
    DWORD sa = sizeof a, sb = sizeof b;
    RegQueryValueExA(first, "Path", nullptr, nullptr, reinterpret_cast<LPBYTE>(a), &sa);
    RegQueryValueExA(second, "Path", nullptr, nullptr, reinterpret_cast<LPBYTE>(b), &sb);
    EXPECT_STREQ(a, "/opt/a") << "an open key keeps what it had";
    EXPECT_STREQ(b, "/opt/b");
    RegCloseKey(first);
    RegCloseKey(second);

    std::ofstream(path, std::ios::binary) << "not a registry\n";
    HKEY broken = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &broken), ERROR_BADDB);
    EXPECT_FALSE(checkRegistry(error));
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;

    useRegistryFile(dir.file("missing.reg"));
    EXPECT_FALSE(checkRegistry(error));
    EXPECT_NE(error.find("missing.reg"), std::string::npos) << error;
    useRegistryText("");
}
