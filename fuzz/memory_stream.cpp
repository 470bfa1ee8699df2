// Reads typed values and strings from a memory stream loaded with the input. Each value
// is preceded by one byte choosing its kind, so the fuzzer steers the sequence.
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    for (int step = 0; step < 4096; ++step) {
        unsigned char kind = 0;
        if (!stream.Read(kind)) {
            break;
        }
        bool ok = true;
        switch (kind % 12) {
        case 0: { bool v; ok = stream.Read(v); break; }
        case 1: { unsigned short v; ok = stream.Read(v); break; }
        case 2: { int v; ok = stream.Read(v); break; }
        case 3: { unsigned int v; ok = stream.Read(v); break; }
        case 4: { float v; ok = stream.Read(v); break; }
        case 5:
        case 6: { LString v; ok = stream.Read(v); (void)v.GetLength(); break; }
        case 7: {
            char* v = nullptr;
            ok = stream.Read(v);
            delete[] v;
            break;
        }
        case 8: {
            char16_t* v = nullptr;
            ok = stream.Read(v);
            delete[] v;
            break;
        }
        case 9: {
            int count = 0;
            char* v = nullptr;
            ok = stream.Read(count) && stream.Read(count, v);
            delete[] v;
            break;
        }
        case 10: {
            int count = 0;
            char16_t* v = nullptr;
            ok = stream.Read(count) && stream.Read(count, v);
            delete[] v;
            break;
        }
        case 11: {
            int offset = 0;
            ok = stream.Read(offset) && stream.Skip(offset % 64);
            break;
        }
        }
        if (!ok) {
            break;
        }
    }
    return 0;
}
