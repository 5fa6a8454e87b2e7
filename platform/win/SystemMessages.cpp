// The system's error texts, the last error, and local memory.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "WinError.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

struct SystemMessage {
    DWORD code;
    std::string_view text;
};

// The texts of Polish Windows for the codes the registry and message
// functions give.
constexpr SystemMessage kMessages[] = {
    {ERROR_SUCCESS, "Operacja ukończona pomyślnie."},
    {ERROR_INVALID_FUNCTION, "Niepoprawna funkcja."},
    {ERROR_FILE_NOT_FOUND, "Nie można odnaleźć określonego pliku."},
    {ERROR_PATH_NOT_FOUND, "System nie może odnaleźć określonej ścieżki."},
    {ERROR_ACCESS_DENIED, "Odmowa dostępu."},
    {ERROR_INVALID_HANDLE, "Nieprawidłowe dojście."},
    {ERROR_NOT_ENOUGH_MEMORY, "Za mało miejsca w pamięci do przetworzenia tego polecenia."},
    {ERROR_INVALID_PARAMETER, "Parametr jest niepoprawny."},
    {ERROR_INSUFFICIENT_BUFFER, "Obszar danych przekazany do wywołania systemowego jest za mały."},
    {ERROR_MORE_DATA, "Jest dostępnych więcej danych."},
    {ERROR_NO_MORE_ITEMS, "Brak dalszych danych."},
    {ERROR_BADDB, "Baza danych rejestru konfiguracji jest uszkodzona."},
    {ERROR_BADKEY, "Klucz rejestru konfiguracji jest nieprawidłowy."},
    {ERROR_CANTOPEN, "Nie można otworzyć klucza rejestru konfiguracji."},
    {ERROR_CANTREAD, "Nie można odczytać klucza rejestru konfiguracji."},
    {ERROR_KEY_DELETED, "Próbowano wykonać niedozwoloną operację na kluczu rejestru, który został oznaczony do usunięcia."},
    {ERROR_RESOURCE_LANG_NOT_FOUND, "Nie można odnaleźć określonego identyfikatora języka zasobu w pliku obrazu."},
};

// The languages the texts are in: Polish, and the defaults, which are Polish here.
bool languageServed(DWORD languageId)
{
    const DWORD primary = languageId & 0x3FF;
    return languageId == 0 || languageId == MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT) ||
           languageId == MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT) || primary == LANG_POLISH;
}

// The text as FormatMessageA lays it out: with its line break at the end,
// or, given a line width, without it and broken at spaces so that no line
// is longer than the width (a width of 0xFF: one line).
std::string laidOut(std::string_view text, DWORD widthFlags)
{
    if (widthFlags == 0)
        return std::string(text) + "\r\n";
    if (widthFlags == FORMAT_MESSAGE_MAX_WIDTH_MASK)
        return std::string(text);
    std::string out;
    size_t lineLength = 0;  // in characters, not bytes
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t space = text.find(' ', pos);
        const std::string_view word = text.substr(pos, space == std::string_view::npos ? std::string_view::npos : space - pos);
        const size_t wordLength = size_t(std::count_if(word.begin(), word.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        if (lineLength > 0 && lineLength + 1 + wordLength > widthFlags) {
            out += "\r\n";
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out += word;
        lineLength += wordLength;
        if (space == std::string_view::npos)
            break;
        pos = space + 1;
    }
    return out;
}

DWORD failWith(DWORD code)
{
    lastError = code;
    return 0;
}

}  // namespace

extern "C" DWORD WINAPI GetLastError() { return lastError; }

extern "C" void WINAPI SetLastError(DWORD code) { lastError = code; }

extern "C" DWORD WINAPI FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD languageId, LPSTR buffer,
                                       DWORD size, va_list*)
{
    if (!buffer || (flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 ||
        (flags & (FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_HMODULE)) != 0)
        return failWith(ERROR_INVALID_PARAMETER);
    if (!languageServed(languageId))
        return failWith(ERROR_RESOURCE_LANG_NOT_FOUND);
    const SystemMessage* found = nullptr;
    for (const SystemMessage& m : kMessages)
        if (m.code == messageId)
            found = &m;
    if (!found)
        return failWith(ERROR_MR_MID_NOT_FOUND);

    const std::string text = laidOut(found->text, flags & FORMAT_MESSAGE_MAX_WIDTH_MASK);
    const auto length = DWORD(text.size());
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        const SIZE_T bytes = std::max<SIZE_T>(SIZE_T(length) + 1, size);
        auto* allocated = static_cast<char*>(LocalAlloc(LPTR, bytes));
        if (!allocated)
            return failWith(ERROR_NOT_ENOUGH_MEMORY);
        std::memcpy(allocated, text.c_str(), length + 1);
        *reinterpret_cast<LPSTR*>(buffer) = allocated;
        return length;
    }
    if (size < length + 1)
        return failWith(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(buffer, text.c_str(), length + 1);
    return length;
}

extern "C" HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes)
{
    void* memory = (flags & LMEM_ZEROINIT) ? std::calloc(1, bytes ? bytes : 1) : std::malloc(bytes ? bytes : 1);
    if (!memory)
        lastError = ERROR_NOT_ENOUGH_MEMORY;
    return memory;
}

extern "C" HLOCAL WINAPI LocalFree(HLOCAL memory)
{
    std::free(memory);
    return nullptr;
}
