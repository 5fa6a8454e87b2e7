// The system's error texts and message boxes.

#include <gtest/gtest.h>

#include <cstring>

#include "WinError.h"
#include "WinMessageBox.h"
#include "platform/win/MessageBoxes.h"

using namespace platform;

namespace {

std::string allocatedText(DWORD code, DWORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), DWORD width = 0)
{
    LPSTR text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS | width,
                                   nullptr, code, language, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = text ? std::string(text) : "<none>";
    if (text) {
        EXPECT_EQ(n, DWORD(std::strlen(text)));
    }
    EXPECT_EQ(LocalFree(text), nullptr);
    return result;
}

}  // namespace

TEST(FormatMessage, GivesThePolishTextsOfTheRegistryCodes)
{
    EXPECT_EQ(allocatedText(ERROR_FILE_NOT_FOUND), "Nie można odnaleźć określonego pliku.\r\n");
    EXPECT_EQ(allocatedText(ERROR_INVALID_HANDLE), "Nieprawidłowe dojście.\r\n");
    EXPECT_EQ(allocatedText(ERROR_MORE_DATA), "Jest dostępnych więcej danych.\r\n");
    EXPECT_EQ(allocatedText(ERROR_ACCESS_DENIED), "Odmowa dostępu.\r\n");
    EXPECT_EQ(allocatedText(ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_POLISH, SUBLANG_POLISH_POLAND)),
              allocatedText(ERROR_FILE_NOT_FOUND, 0));
}

TEST(FormatMessage, LaysTheTextOutToTheWidthAsked)
{
    EXPECT_EQ(allocatedText(ERROR_MORE_DATA, 0, FORMAT_MESSAGE_MAX_WIDTH_MASK), "Jest dostępnych więcej danych.")
        << "one line without the break";
    EXPECT_EQ(allocatedText(ERROR_MORE_DATA, 0, 16), "Jest dostępnych\r\nwięcej danych.")
        << "sixteen characters, though more bytes";
}

TEST(FormatMessage, FailsWithTheReasonInTheLastError)
{
    char small[8];
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_FILE_NOT_FOUND, 0, small, sizeof small, nullptr), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));

    char buffer[256];
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 987654, 0, buffer, sizeof buffer, nullptr), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MR_MID_NOT_FOUND));
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 2, MAKELANGID(0x09, 0x01), buffer, sizeof buffer, nullptr), 0u)
        << "English texts are not installed";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_LANG_NOT_FOUND));
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_STRING, "%1", 0, 0, buffer, sizeof buffer, nullptr), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_SUCCESS, 0, buffer, sizeof buffer, nullptr);
    EXPECT_EQ(n, DWORD(std::strlen(buffer)));
    EXPECT_STREQ(buffer, "Operacja ukończona pomyślnie.\r\n");
}

TEST(MessageBox, IsPrintedAndRecordedAndAnswersWithItsDefaultButton)
{
    clearShownMessageBoxes();
    testing::internal::CaptureStdout();
    EXPECT_EQ(MessageBoxA(nullptr, "Nie można odnaleźć określonego pliku.\r\n", "Błąd podczas operacji na rejestrach",
                          MB_ICONERROR),
              IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Zapisać?", "TARVO", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Dalej?", nullptr, MB_OKCANCEL | MB_DEFBUTTON3), IDOK)
        << "a default beyond the buttons is the first";
    EXPECT_EQ(MessageBoxA(nullptr, "?", "x", 0x0E), 0) << "no such set of buttons";
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("[Błąd podczas operacji na rejestrach] Nie można odnaleźć określonego pliku."), std::string::npos)
        << out;
    EXPECT_EQ(out.find('\r'), std::string::npos) << "the system's line break is not shown";

    const auto& boxes = shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].caption, "Błąd podczas operacji na rejestrach");
    EXPECT_EQ(boxes[0].text, "Nie można odnaleźć określonego pliku.");
    EXPECT_EQ(boxes[0].type, unsigned(MB_ICONERROR));
    EXPECT_EQ(boxes[2].caption, "Błąd") << "the system's caption when none is given";
    clearShownMessageBoxes();
    EXPECT_TRUE(shownMessageBoxes().empty());
}
