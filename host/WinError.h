#pragma once

#include <cstdarg>

#include "WinTypes.h"
#include "ZrxExport.h"

// System error codes, the calling thread's last error, and the system's
// texts for the codes (in Polish, the language of the system's users).

#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_INVALID_FUNCTION 1L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_MR_MID_NOT_FOUND 317L
#define ERROR_BADDB 1009L
#define ERROR_BADKEY 1010L
#define ERROR_CANTOPEN 1011L
#define ERROR_CANTREAD 1012L
#define ERROR_KEY_DELETED 1018L
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815L

extern "C" {
ZRX_EXPORT DWORD WINAPI GetLastError();
ZRX_EXPORT void WINAPI SetLastError(DWORD code);
}

// FormatMessageA flags: where the text comes from and who allocates the buffer.
#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF

#define LANG_NEUTRAL 0x00
#define LANG_POLISH 0x15
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_POLISH_POLAND 0x01
#define MAKELANGID(primary, sub) ((((WORD)(sub)) << 10) | (WORD)(primary))

extern "C" {
// The system's text of a message (FORMAT_MESSAGE_FROM_SYSTEM; other
// sources are refused with ERROR_INVALID_PARAMETER). Texts are UTF-8 and
// end in "\r\n", as the system's do. With FORMAT_MESSAGE_ALLOCATE_BUFFER,
// buffer is really an LPSTR* that receives a buffer to free with LocalFree.
// Returns the length stored without the terminating zero, or 0 with the
// reason in GetLastError (ERROR_MR_MID_NOT_FOUND for an unknown code,
// ERROR_RESOURCE_LANG_NOT_FOUND for a language other than Polish or the
// defaults, ERROR_INSUFFICIENT_BUFFER for a buffer too small).
ZRX_EXPORT DWORD WINAPI FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                                       DWORD size, va_list* arguments);

// Local memory, as FormatMessageA allocates it. LocalFree returns null on success.
ZRX_EXPORT HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
ZRX_EXPORT HLOCAL WINAPI LocalFree(HLOCAL memory);
}

#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
