// Reads the input as the options file; whatever is taken must be in range and write back
// to the same bytes.
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"
#include "util/GMOptions.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 16)) {
        return 0;
    }
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    GMOptions options;
    if (options.Read(&stream)) {
        unsigned char bytes[GMOptions::FILE_SIZE];
        options.Encode(bytes);
        if (aSize != GMOptions::FILE_SIZE || std::memcmp(bytes, aData, aSize) != 0 || options.GetSkill() < 0 ||
            options.GetSkill() > 2 || !(options.mVolume >= 0.0f && options.mVolume <= 1.0f)) {
            __builtin_trap();
        }
    }
    return 0;
}
