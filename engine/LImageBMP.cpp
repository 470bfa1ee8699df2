#include "LImageBMP.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <climits>
#include <cstring>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr uint16_t kSignature = 0x4D42; // "BM"

} // namespace

LString LImageBMP::Dump() const
{
    return DumpHead("LImageBMP") + "]";
}

int LImageBMP::Create(const LString& aPath)
{
    return CreateFromPath(aPath, L_FILE);
}

int LImageBMP::Create(LIStream* aStream, int aSize)
{
    return CreateFromStream(aStream, aSize, L_FILE);
}

int LImageBMP::CreateFromBuffer(const unsigned char* aData, int aSize)
{
    if (!aData || aSize < kFileHeaderSize) {
        L_ERROR("Create failure. Could not read file header.");
        return 0;
    }
    if (ReadLittle16(aData) != kSignature) {
        L_ERROR("Create failure. Bad format.");
        return 0;
    }
    const uint32_t dataOffset = ReadLittle32(aData + 10);
    if (aSize < kFileHeaderSize + kInfoHeaderSize) {
        L_ERROR("Create failure. Could not read info header.");
        return 0;
    }
    const unsigned char* info = aData + kFileHeaderSize;
    if (ReadLittle32(info) != kInfoHeaderSize) {
        L_ERROR("Create failure. Bad format.");
        return 0;
    }
    if (ReadLittle16(info + 14) != 24) {
        L_ERROR("Create failure. Only 24-bit files supported.");
        return 0;
    }
    const int32_t width = int32_t(ReadLittle32(info + 4));
    const int32_t fileHeight = int32_t(ReadLittle32(info + 8));
    // A negative height marks rows stored top row first.
    const bool bottomRowFirst = fileHeight > 0;
    const int64_t height = fileHeight < 0 ? -int64_t(fileHeight) : fileHeight;
    const int64_t rowSize = int64_t(width) * 3;
    if (width <= 0 || height == 0 || rowSize > INT_MAX || height > INT_MAX / rowSize) {
        L_ERROR("Create failure. Bad size.");
        return 0;
    }
    // Every row, padded to a multiple of 4 bytes, must lie inside the file; the last
    // row's padding may be missing.
    const int64_t byteSize = rowSize * height;
    const int64_t stride = (rowSize + 3) / 4 * 4;
    if (int64_t(dataOffset) + (height - 1) * stride + rowSize > aSize) {
        L_ERROR("Create failure. Could not read data.");
        return 0;
    }

    unsigned char* pixels = L_NEW unsigned char[byteSize];
    if (!pixels) {
        L_ERROR("Create failure. Out of memory.");
        return 0;
    }
    const unsigned char* in = aData + dataOffset;
    for (int64_t i = 0; i < height; ++i) {
        const int64_t row = bottomRowFirst ? height - 1 - i : i;
        std::memcpy(pixels + row * rowSize, in + i * stride, size_t(rowSize));
    }
    Adopt(pixels, width, int(height), int(rowSize), L_IMAGE_FORMAT_R8G8B8, false);
    return 1;
}
