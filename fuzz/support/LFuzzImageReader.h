// The body of the image reader fuzz targets: reads arbitrary bytes as one image file;
// whatever loads must be whole and readable.
#pragma once
#include "LImage.h"
#include "container/LString.h"

#include <climits>
#include <cstddef>
#include <cstdint>

inline int FuzzImageReader(LImage& aImage, const uint8_t* aData, size_t aSize)
{
    if (aSize > size_t(INT_MAX)) {
        return 0;
    }
    if (aImage.CreateFromBuffer(aData, int(aSize))) {
        if (int64_t(aImage.GetPitch()) * aImage.GetHeight() != aImage.GetByteSize() ||
            aImage.GetPitch() < aImage.GetWidth() * aImage.GetBytesPerPixel()) {
            __builtin_trap();
        }
        // the last pixel of every row lies inside the buffer
        static volatile uint32_t sSink;
        for (int y = 0; y < aImage.GetHeight(); ++y) {
            sSink = sSink + aImage.GetPixelARGB(aImage.GetWidth() - 1, y);
        }
    }
    return 0;
}
