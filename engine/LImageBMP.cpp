#include "LImageBMP.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

#include <climits>
#include <cstring>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr uint16_t kSignature = 0x4D42; // "BM"

uint16_t ReadU16(const unsigned char* aBytes)
{
    return uint16_t(aBytes[0] | aBytes[1] << 8);
}

uint32_t ReadU32(const unsigned char* aBytes)
{
    return uint32_t(aBytes[0]) | uint32_t(aBytes[1]) << 8 | uint32_t(aBytes[2]) << 16 |
           uint32_t(aBytes[3]) << 24;
}

} // namespace

LString LImageBMP::Dump() const
{
    return DumpHead("LImageBMP") + "]";
}

int LImageBMP::Create(const LString& aPath)
{
    LIFileSystem* fileSystem = LIFileSystem::Get();
    const int size = fileSystem ? fileSystem->GetFileSize(aPath, true) : -1;
    if (size == -1) {
        L_ERROR("Create failure. size == -1:" + aPath);
        return 0;
    }
    LFileStream stream(aPath, true);
    return Create(&stream, size);
}

int LImageBMP::Create(LIStream* aStream, int aSize)
{
    if (!aStream || !aStream->Open()) {
        L_ERROR("Create failure. Could not open stream.");
        return 0;
    }
    // The whole file is read in one piece and parsed from memory; a size that the
    // stream cannot hold is refused before the memory is taken.
    const int remaining = aStream->GetRemaining();
    if (aSize < 0 || (remaining >= 0 && aSize > remaining)) {
        aStream->Close();
        L_ERROR("Create failure. Could not read file.");
        return 0;
    }
    LMemoryStream memory(aSize, LMemoryStream::GROW_DOUBLE);
    const bool read =
        memory.GetCapacity() >= aSize && aStream->ReadBytes(aSize, memory.GetBuffer());
    aStream->Close();
    if (!read) {
        L_ERROR("Create failure. Could not read file.");
        return 0;
    }
    return CreateFromBuffer(memory.GetBuffer(), aSize);
}

int LImageBMP::CreateFromBuffer(const unsigned char* aData, int aSize)
{
    if (!aData || aSize < kFileHeaderSize) {
        L_ERROR("Create failure. Could not read file header.");
        return 0;
    }
    if (ReadU16(aData) != kSignature) {
        L_ERROR("Create failure. Bad format.");
        return 0;
    }
    const uint32_t dataOffset = ReadU32(aData + 10);
    if (aSize < kFileHeaderSize + kInfoHeaderSize) {
        L_ERROR("Create failure. Could not read info header.");
        return 0;
    }
    const unsigned char* info = aData + kFileHeaderSize;
    if (ReadU32(info) != kInfoHeaderSize) {
        L_ERROR("Create failure. Bad format.");
        return 0;
    }
    if (ReadU16(info + 14) != 24) {
        L_ERROR("Create failure. Only 24-bit files supported.");
        return 0;
    }
    const int32_t width = int32_t(ReadU32(info + 4));
    const int32_t fileHeight = int32_t(ReadU32(info + 8));
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
