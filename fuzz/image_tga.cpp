// Reads arbitrary bytes as a TGA file; whatever loads must be whole and readable.
#include "LImageTGA.h"
#include "container/LString.h"
#include "stdlib/LLog.h"

#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Most inputs are refused with a logged error: drop the log instead of filling a disk.
    static const bool sLogDropped = (SetLogDirectory(u"/dev/null"), true);
    (void)sLogDropped;
    if (size > size_t(INT_MAX)) {
        return 0;
    }
    LImageTGA image;
    if (image.CreateFromBuffer(data, int(size))) {
        if (int64_t(image.GetPitch()) * image.GetHeight() != image.GetByteSize() ||
            image.GetPitch() < image.GetWidth() * image.GetBytesPerPixel()) {
            __builtin_trap();
        }
        // the last pixel of every row lies inside the buffer
        static volatile uint32_t sSink;
        for (int y = 0; y < image.GetHeight(); ++y) {
            sSink = sSink + image.GetPixelARGB(image.GetWidth() - 1, y);
        }
    }
    return 0;
}
