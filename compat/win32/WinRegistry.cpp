#include "WinRegistry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

struct HKEY__
{
    int mProcessor;
};

namespace {

const char kProcessorKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\";
std::string gCpuInfoPath = "/proc/cpuinfo";

// The "cpu MHz" of processor aIndex, or -1 when the processor is not listed, 0 when it
// is listed without a clock.
long ProcessorMHz(int aIndex)
{
    std::ifstream file(gCpuInfoPath);
    if (!file) {
        return -1;
    }
    std::string line;
    int current = -1;
    bool found = false;
    while (std::getline(file, line)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) {
            key.pop_back();
        }
        const char* value = line.c_str() + colon + 1;
        if (key == "processor") {
            current = std::atoi(value);
            if (current == aIndex) {
                found = true;
            } else if (found) {
                break;
            }
        } else if (current == aIndex && key == "cpu MHz") {
            double mhz = std::strtod(value, nullptr);
            if (mhz > 0.0 && mhz < 1.0e6) {
                return static_cast<long>(mhz + 0.5);
            }
            return 0;
        }
    }
    return found ? 0 : -1;
}

} // namespace

void RegSetCpuInfoPath(const char* aPath)
{
    gCpuInfoPath = aPath ? aPath : "/proc/cpuinfo";
}

LSTATUS RegOpenKeyExA(HKEY aKey, const char* aSubKey, DWORD, REGSAM, HKEY* aResult)
{
    if (!aResult || !aSubKey) {
        return 87; // ERROR_INVALID_PARAMETER
    }
    *aResult = nullptr;
    if (aKey != HKEY_LOCAL_MACHINE || std::strncmp(aSubKey, kProcessorKey, sizeof(kProcessorKey) - 1) != 0) {
        return 2; // ERROR_FILE_NOT_FOUND
    }
    const char* number = aSubKey + sizeof(kProcessorKey) - 1;
    if (*number < '0' || *number > '9') {
        return 2;
    }
    char* end = nullptr;
    errno = 0;
    long index = std::strtol(number, &end, 10);
    if (*end != '\0' || errno != 0 || index > 65535 || ProcessorMHz(static_cast<int>(index)) < 0) {
        return 2;
    }
    *aResult = new HKEY__{static_cast<int>(index)};
    return 0;
}

LSTATUS RegQueryValueExA(HKEY aKey, const char* aValueName, DWORD*, DWORD* aType, BYTE* aData, DWORD* aDataSize)
{
    if (!aKey || aKey == HKEY_LOCAL_MACHINE || !aValueName) {
        return 6; // ERROR_INVALID_HANDLE
    }
    if (std::strcmp(aValueName, "~MHz") != 0) {
        return 2;
    }
    long mhz = ProcessorMHz(aKey->mProcessor);
    if (mhz <= 0) {
        return 2;
    }
    if (aType) {
        *aType = REG_DWORD;
    }
    if (!aData) {
        if (aDataSize) {
            *aDataSize = sizeof(DWORD);
        }
        return 0;
    }
    if (!aDataSize || *aDataSize < sizeof(DWORD)) {
        if (aDataSize) {
            *aDataSize = sizeof(DWORD);
        }
        return ERROR_MORE_DATA;
    }
    DWORD value = static_cast<DWORD>(mhz);
    std::memcpy(aData, &value, sizeof(value));
    *aDataSize = sizeof(DWORD);
    return 0;
}

LSTATUS RegCloseKey(HKEY aKey)
{
    if (!aKey || aKey == HKEY_LOCAL_MACHINE) {
        return 6;
    }
    delete aKey;
    return 0;
}

DWORD FormatMessageW(DWORD aFlags, const void*, DWORD aMessageId, DWORD, char16_t* aBuffer, DWORD aSize, void*)
{
    if (!(aFlags & FORMAT_MESSAGE_FROM_SYSTEM) || !aBuffer) {
        return 0;
    }
    std::string text;
    switch (aMessageId) {
    case 0: text = "The operation completed successfully."; break;
    case 2: text = "The system cannot find the file specified."; break;
    case 5: text = "Access is denied."; break;
    case 6: text = "The handle is invalid."; break;
    case 87: text = "The parameter is incorrect."; break;
    default: text = "Error " + std::to_string(aMessageId) + "."; break;
    }
    size_t length = text.size();
    char16_t* target = nullptr;
    if (aFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        target = static_cast<char16_t*>(std::malloc((length + 1) * sizeof(char16_t)));
        if (!target) {
            return 0;
        }
        *reinterpret_cast<char16_t**>(aBuffer) = target;
    } else {
        if (aSize <= length) {
            return 0;
        }
        target = aBuffer;
    }
    for (size_t i = 0; i < length; ++i) {
        target[i] = static_cast<unsigned char>(text[i]);
    }
    target[length] = 0;
    return static_cast<DWORD>(length);
}

void* LocalFree(void* aMemory)
{
    std::free(aMemory);
    return nullptr;
}
