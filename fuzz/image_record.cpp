// Reads arbitrary bytes as an engine image record; a record that loads must write back
// as exactly the bytes it was read from.
#include "LImage.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > size_t(INT_MAX)) {
        return 0;
    }
    LMemoryStream in(int(size), LMemoryStream::GROW_DOUBLE);
    if (!in.CreateFromBuffer(int(size), data)) {
        return 0;
    }
    LImage image;
    if (!image.Read(&in)) {
        return 0;
    }
    LMemoryStream out(int(size), LMemoryStream::GROW_DOUBLE);
    if (!image.Write(&out) || out.GetPosition() != in.GetPosition() ||
        std::memcmp(out.GetBuffer(), data, size_t(out.GetPosition())) != 0) {
        __builtin_trap();
    }
    return 0;
}
