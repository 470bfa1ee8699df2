// The one registry value the program reads, the processor clock, and the system error
// texts. The key "HARDWARE\DESCRIPTION\System\CentralProcessor\N" under
// HKEY_LOCAL_MACHINE opens for every processor N that /proc/cpuinfo lists; its value
// "~MHz" is the "cpu MHz" of that processor, rounded, and missing when the system does
// not report one. No other key exists.
#pragma once
#include "WinTypes.h"

struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = DWORD;
using LSTATUS = LONG;

#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))
#define KEY_QUERY_VALUE 0x0001u
#define REG_DWORD 4u

#define ERROR_MORE_DATA 234

LSTATUS RegOpenKeyExA(HKEY aKey, const char* aSubKey, DWORD aOptions, REGSAM aAccess, HKEY* aResult);
LSTATUS RegQueryValueExA(HKEY aKey, const char* aValueName, DWORD* aReserved, DWORD* aType,
                         BYTE* aData, DWORD* aDataSize);
LSTATUS RegCloseKey(HKEY aKey);

// Test hook: reads the processor list from another file than /proc/cpuinfo (null
// restores it).
void RegSetCpuInfoPath(const char* aPath);

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100u
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000u
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200u
#define LANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define MAKELANGID(aPrimary, aSub) ((static_cast<WORD>(aSub) << 10) | static_cast<WORD>(aPrimary))

// With FORMAT_MESSAGE_ALLOCATE_BUFFER, aBuffer is a char16_t** that receives a text to
// be freed with LocalFree. Returns the number of characters, 0 on failure.
DWORD FormatMessageW(DWORD aFlags, const void* aSource, DWORD aMessageId, DWORD aLanguageId,
                     char16_t* aBuffer, DWORD aSize, void* aArguments);
void* LocalFree(void* aMemory);
