#include "LImageTGA.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int kHeaderSize = 18;
constexpr int kTypeTrueColor = 2;
constexpr int kTypeTrueColorRle = 10;
constexpr unsigned char kTopRowFirst = 0x20;

} // namespace

LString LImageTGA::Dump() const
{
    return DumpHead("LImageTGA") + "]";
}

int LImageTGA::Create(const LString& aPath)
{
    return CreateFromPath(aPath, L_FILE);
}

int LImageTGA::Create(LIStream* aStream, int aSize)
{
    return CreateFromStream(aStream, aSize, L_FILE);
}

int LImageTGA::CreateFromBuffer(const unsigned char* aData, int aSize)
{
    if (!aData || aSize < kHeaderSize) {
        L_ERROR("Create failure. Could not read header.");
        return 0;
    }
    const int idLength = aData[0];
    const int colorMapType = aData[1];
    const int imageType = aData[2];
    const int width = ReadLittle16(aData + 12);
    const int height = ReadLittle16(aData + 14);
    const int depth = aData[16];
    const bool topRowFirst = (aData[17] & kTopRowFirst) != 0;
    if (colorMapType != 0 || (imageType != kTypeTrueColor && imageType != kTypeTrueColorRle)) {
        return 0;
    }
    if (depth != 24 && depth != 32) {
        L_ERROR("Create failure. Bit depth not supported.");
        return 0;
    }
    if (width == 0 || height == 0) {
        L_ERROR("Create failure. Bad size.");
        return 0;
    }
    const int bytesPerPixel = depth / 8;
    const int64_t pixelCount = int64_t(width) * height;
    const int64_t byteSize = pixelCount * bytesPerPixel;
    if (byteSize > INT_MAX) {
        L_ERROR("Create failure. Bad size.");
        return 0;
    }
    // What the file must hold at least, checked before anything is allocated: every
    // pixel for type 2; for type 10 one packet of 128 pixels per 128 pixels.
    const int64_t start = kHeaderSize + idLength;
    const int64_t available = int64_t(aSize) - start;
    const int64_t needed = imageType == kTypeTrueColor
                               ? byteSize
                               : (pixelCount + 127) / 128 * (1 + bytesPerPixel);
    if (available < needed) {
        L_ERROR("Create failure. Could not read data.");
        return 0;
    }

    const int pitch = width * bytesPerPixel;
    unsigned char* pixels = L_NEW unsigned char[byteSize];
    if (!pixels) {
        L_ERROR("Create failure. Out of memory.");
        return 0;
    }
    const unsigned char* in = aData + start;
    const unsigned char* const end = aData + aSize;
    auto rowOf = [&](int aFileRow) {
        return pixels + int64_t(topRowFirst ? aFileRow : height - 1 - aFileRow) * pitch;
    };

    if (imageType == kTypeTrueColor) {
        for (int i = 0; i < height; ++i) {
            std::memcpy(rowOf(i), in, size_t(pitch));
            in += pitch;
        }
    } else {
        // Packets form one stream of pixels: a packet may go on from the end of one row
        // to the start of the next, but not past the last pixel of the image.
        int row = 0;
        int x = 0;
        unsigned char* out = rowOf(0);
        int64_t remaining = pixelCount;
        while (remaining > 0) {
            if (end - in < 1) {
                L_ERROR("Create failure. Could not read data.");
                delete[] pixels;
                return 0;
            }
            const unsigned char header = *in++;
            const int count = (header & 0x7F) + 1;
            const bool run = (header & 0x80) != 0;
            if (count > remaining) {
                L_ERROR("Create failure. Run-length packet runs past the image.");
                delete[] pixels;
                return 0;
            }
            const int64_t dataBytes = int64_t(run ? 1 : count) * bytesPerPixel;
            if (end - in < dataBytes) {
                L_ERROR("Create failure. Could not read data.");
                delete[] pixels;
                return 0;
            }
            // The packet's pixels, a span at a time up to each row's end.
            for (int left = count; left > 0;) {
                const int span = std::min(left, width - x);
                unsigned char* to = out + x * bytesPerPixel;
                if (!run) {
                    std::memcpy(to, in, size_t(span) * bytesPerPixel);
                    in += span * bytesPerPixel;
                } else if (bytesPerPixel == 4) {
                    for (int n = 0; n < span; ++n, to += 4) {
                        std::memcpy(to, in, 4);
                    }
                } else {
                    for (int n = 0; n < span; ++n, to += 3) {
                        std::memcpy(to, in, 3);
                    }
                }
                left -= span;
                x += span;
                if (x == width && ++row < height) {
                    x = 0;
                    out = rowOf(row);
                }
            }
            if (run) {
                in += bytesPerPixel;
            }
            remaining -= count;
        }
    }

    bool hasAlpha = false;
    if (bytesPerPixel == 4) {
        for (int64_t i = 3; i < byteSize; i += 4) {
            if (pixels[i] != 0xFF) {
                hasAlpha = true;
                break;
            }
        }
    }
    Adopt(pixels, width, height, pitch,
          bytesPerPixel == 4 ? L_IMAGE_FORMAT_A8R8G8B8 : L_IMAGE_FORMAT_R8G8B8, hasAlpha);
    return 1;
}
