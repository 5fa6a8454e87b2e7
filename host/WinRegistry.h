#pragma once

#include "WinTypes.h"
#include "ZrxExport.h"

// The registry functions the plug-in calls, with the system's results:
// ERROR_SUCCESS, ERROR_FILE_NOT_FOUND for a missing key or value,
// ERROR_MORE_DATA for a value longer than the buffer, ERROR_ACCESS_DENIED
// for a query on a key opened without KEY_QUERY_VALUE, ERROR_INVALID_HANDLE
// for a key that is not open. Texts are UTF-8 (the "A" functions of a
// system whose code page is UTF-8).

typedef DWORD ACCESS_MASK;
typedef ACCESS_MASK REGSAM;
typedef LONG LSTATUS;

// The predefined keys: the hives.
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)((LONG)0x80000005))

// Access rights of an opened key.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define READ_CONTROL 0x00020000L
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_OPEN_LINK 0x00000008L

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

extern "C" {
// Opens a key below root (a hive or an open key); an empty or null path
// opens root itself again. options: 0 or REG_OPTION_OPEN_LINK.
ZRX_EXPORT LSTATUS WINAPI RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
// A value of an open key (null or "" names the default value). data may be
// null to ask for the size only; a text value's size counts its zero.
ZRX_EXPORT LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                           LPDWORD dataSize);
ZRX_EXPORT LSTATUS WINAPI RegCloseKey(HKEY key);
}
