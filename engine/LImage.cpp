#include "LImage.h"

#include "LImageBMP.h"
#include "LImageTGA.h"
#include "LRectangle.h"
#include "LVector2.h"
#include "container/LVectorString.h"

#include "container/LString.h"
#include "Render/LColor.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Truncation toward zero that stays defined for every float: NaN gives 0, values beyond
// the int range its nearest end.
int Truncate(float aValue)
{
    if (!(aValue == aValue)) {
        return 0;
    }
    if (aValue >= 2147483648.0f) {
        return INT_MAX;
    }
    if (aValue <= -2147483648.0f) {
        return INT_MIN;
    }
    return int(aValue);
}

} // namespace

LImage::LImage() = default;

LImage::~LImage()
{
    FreePixels();
}

LString LImage::Dump() const
{
    return DumpHead("LImage") + "]";
}

int LImage::BytesPerPixel(int aFormat)
{
    switch (aFormat) {
    case L_IMAGE_FORMAT_A8R8G8B8:
    case L_IMAGE_FORMAT_X8R8G8B8:
        return 4;
    case L_IMAGE_FORMAT_R8G8B8:
        return 3;
    case L_IMAGE_FORMAT_A8:
        return 1;
    default:
        return 0;
    }
}

int LImage::Create(int aWidth, int aHeight, int aPitch, LImageFormat aFormat,
                   const unsigned char* aPixels, int aByteSize)
{
    const int bytesPerPixel = BytesPerPixel(aFormat);
    // A pitch below one row of pixels would let the last rows' pixels lie past the buffer.
    if (bytesPerPixel == 0 || !aPixels || aWidth <= 0 || aHeight <= 0 || aByteSize < 1 ||
        int64_t(aPitch) < int64_t(aWidth) * bytesPerPixel ||
        int64_t(aHeight) * aPitch != aByteSize) {
        L_ERROR("Invalid arg(s).");
        return 0;
    }
    // Copied before the old buffer goes: aPixels may be this image's own.
    unsigned char* pixels = L_NEW unsigned char[aByteSize];
    if (!pixels) {
        L_ERROR("Create failure. Out of memory.");
        return 0;
    }
    std::memcpy(pixels, aPixels, size_t(aByteSize));
    Adopt(pixels, aWidth, aHeight, aPitch, aFormat,
          aFormat == L_IMAGE_FORMAT_A8R8G8B8 || aFormat == L_IMAGE_FORMAT_A8);
    return 1;
}

int LImage::CreateFromPath(const LString& aPath, const char* aSourceFile)
{
    LIFileSystem* fileSystem = LIFileSystem::Get();
    const int size = fileSystem ? fileSystem->GetFileSize(aPath, true) : -1;
    if (size == -1) {
        LogEntry("ERROR: ", aSourceFile, __LINE__, "Create failure. size == -1:" + aPath);
        return 0;
    }
    LFileStream stream(aPath, true);
    return CreateFromStream(&stream, size, aSourceFile);
}

int LImage::CreateFromStream(LIStream* aStream, int aSize, const char* aSourceFile)
{
    if (!aStream || !aStream->Open()) {
        LogEntry("ERROR: ", aSourceFile, __LINE__, "Create failure. Could not open stream.");
        return 0;
    }
    // The whole file is read in one piece and parsed from memory; a size that the
    // stream cannot hold is refused before the memory is taken.
    bool read = aSize >= 0 && aStream->Holds(aSize);
    LMemoryStream memory(read ? aSize : 0, LMemoryStream::GROW_DOUBLE);
    read = read && memory.GetCapacity() >= aSize && aStream->ReadBytes(aSize, memory.GetBuffer());
    aStream->Close();
    if (!read) {
        LogEntry("ERROR: ", aSourceFile, __LINE__, "Create failure. Could not read file.");
        return 0;
    }
    return CreateFromBuffer(memory.GetBuffer(), aSize);
}

int LImage::CreateFromBuffer(const unsigned char*, int)
{
    L_ERROR("Create failure. Bad format.");
    return 0;
}

uint16_t LImage::ReadLittle16(const unsigned char* aBytes)
{
    return uint16_t(aBytes[0] | aBytes[1] << 8);
}

uint32_t LImage::ReadLittle32(const unsigned char* aBytes)
{
    return uint32_t(aBytes[0]) | uint32_t(aBytes[1]) << 8 | uint32_t(aBytes[2]) << 16 |
           uint32_t(aBytes[3]) << 24;
}

void LImage::Adopt(unsigned char* aPixels, int aWidth, int aHeight, int aPitch,
                   LImageFormat aFormat, bool aHasAlpha)
{
    FreePixels();
    mPixels = aPixels;
    mWidth = aWidth;
    mHeight = aHeight;
    mPitch = aPitch;
    mFormat = aFormat;
    mBytesPerPixel = BytesPerPixel(aFormat);
    mBitsPerPixel = 8 * mBytesPerPixel;
    mByteSize = aHeight * aPitch;
    mHasAlpha = aHasAlpha;
}

void LImage::FreePixels()
{
    delete[] mPixels;
    mPixels = nullptr;
    mByteSize = 0;
    mBytesPerPixel = 0;
    mWidth = 0;
    mHeight = 0;
    mPitch = 0;
    mBitsPerPixel = 0;
    mFormat = L_IMAGE_FORMAT_NONE;
    mHasAlpha = false;
}

LImageFormat LImage::GetFormat() const
{
    return mFormat;
}

int LImage::GetHeight() const
{
    return mHeight;
}

int LImage::GetPitch() const
{
    return mPitch;
}

unsigned char* LImage::GetPixels()
{
    return mPixels;
}

const unsigned char* LImage::GetPixelsConst() const
{
    return mPixels;
}

int LImage::GetWidth() const
{
    return mWidth;
}

bool LImage::CheckPixel(int aX, int aY) const
{
    if (aX < 0 || aX >= mWidth || aY < 0 || aY >= mHeight) {
        L_ERROR("Index out of bounds.");
        return false;
    }
    if (!mPixels) {
        L_ERROR("GetPixel failure. No pixels.");
        return false;
    }
    if (BytesPerPixel(mFormat) == 0) {
        L_ERROR("GetPixel failure. Invalid or no format.");
        return false;
    }
    return true;
}

uint32_t LImage::GetPixelARGB(int aX, int aY) const
{
    if (!CheckPixel(aX, aY)) {
        return 0;
    }
    const unsigned char* p = mPixels + int64_t(aY) * mPitch + int64_t(aX) * mBytesPerPixel;
    switch (mFormat) {
    case L_IMAGE_FORMAT_A8R8G8B8:
    case L_IMAGE_FORMAT_X8R8G8B8:
        return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    case L_IMAGE_FORMAT_R8G8B8:
        return 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    default: // L_IMAGE_FORMAT_A8
        return uint32_t(p[0]) << 24;
    }
}

LColor LImage::GetPixel(int aX, int aY) const
{
    if (!CheckPixel(aX, aY)) {
        return LColor();
    }
    return LColor(GetPixelARGB(aX, aY));
}

LColor LImage::GetPixel(const LVector2& aPoint) const
{
    // x > -1 holds exactly when x truncates to 0 or more; NaN fails both tests.
    if (!(aPoint.x > -1.0f && aPoint.x < float(mWidth) && aPoint.y > -1.0f &&
          aPoint.y < float(mHeight))) {
        L_ERROR("Index out of bounds.");
        return LColor();
    }
    return GetPixel(int(aPoint.x), int(aPoint.y));
}

LImage* LImage::CopyRect(const LRectangle& aRect, int aWidth, int aHeight, LImage* aOut) const
{
    return CopyRect(Truncate(aRect.GetX()), Truncate(aRect.GetY()), Truncate(aRect.GetWidth()),
                    Truncate(aRect.GetHeight()), aWidth, aHeight, aOut);
}

LImage* LImage::CopyRect(int aRectX, int aRectY, int aRectWidth, int aRectHeight, int aWidth,
                         int aHeight, LImage* aOut) const
{
    if (!aOut) {
        L_ERROR("CopyRect failure. Invalid arg.");
        return aOut;
    }
    if (!mPixels) {
        L_ERROR("CopyRect failure. No pixels.");
        return aOut;
    }
    const int64_t rowBytes = int64_t(aWidth) * mBytesPerPixel;
    if (aWidth <= 0 || aHeight <= 0 || rowBytes > INT_MAX / aHeight) {
        L_ERROR("Invalid arg(s).");
        return aOut;
    }
    const int64_t size = rowBytes * aHeight;
    unsigned char* buffer = L_NEW unsigned char[size];
    if (!buffer) {
        L_ERROR("CopyRect failure. Out of memory.");
        return aOut;
    }
    std::memset(buffer, 0, size_t(size));

    // Target pixel (i, j) takes source pixel (aRectX + i, aRectY + j) wherever both exist.
    const int64_t firstI = aRectX < 0 ? -int64_t(aRectX) : 0;
    const int64_t firstJ = aRectY < 0 ? -int64_t(aRectY) : 0;
    int64_t endI = std::min<int64_t>(std::min<int64_t>(aRectWidth, aWidth), int64_t(mWidth) - aRectX);
    int64_t endJ = std::min<int64_t>(std::min<int64_t>(aRectHeight, aHeight), int64_t(mHeight) - aRectY);
    if (endI > firstI && endJ > firstJ) {
        const size_t count = size_t((endI - firstI) * mBytesPerPixel);
        for (int64_t j = firstJ; j < endJ; ++j) {
            const unsigned char* from =
                mPixels + (aRectY + j) * mPitch + (aRectX + firstI) * mBytesPerPixel;
            std::memcpy(buffer + j * rowBytes + firstI * mBytesPerPixel, from, count);
        }
    }
    aOut->Create(aWidth, aHeight, int(rowBytes), mFormat, buffer, int(size));
    delete[] buffer;
    return aOut;
}


bool LImage::Write(LIStream* aStream)
{
    if (!mPixels) {
        L_ERROR("Write failure. No pixels.");
        return false;
    }
    if (!aStream || !aStream->Open()) {
        L_ERROR("Write failure. Couldn't open stream.");
        return false;
    }
    if (!aStream->Write(unsigned(mWidth)) || !aStream->Write(unsigned(mHeight)) ||
        !aStream->Write(unsigned(mPitch)) || !aStream->Write(unsigned(mFormat)) ||
        !aStream->Write(unsigned(mByteSize))) {
        L_ERROR("Write failure.");
        return false;
    }
    if (!aStream->WriteBytes(mByteSize, mPixels)) {
        L_ERROR("Write failure.");
        return false;
    }
    return true;
}

bool LImage::Read(LIStream* aStream)
{
    if (!aStream || !aStream->Open()) {
        L_ERROR("Read failure. Couldn't open stream.");
        return false;
    }
    FreePixels();
    unsigned width = 0;
    unsigned height = 0;
    unsigned pitch = 0;
    unsigned format = 0;
    unsigned byteSize = 0;
    if (!aStream->Read(width) || !aStream->Read(height) || !aStream->Read(pitch) ||
        !aStream->Read(format) || !aStream->Read(byteSize)) {
        L_ERROR("Read failure.");
        return false;
    }
    // The count is checked against what the stream holds before anything is allocated.
    if (byteSize < 1 || byteSize > unsigned(INT_MAX) || !aStream->Holds(byteSize)) {
        L_ERROR("Read failure.");
        return false;
    }
    unsigned char* pixels = L_NEW unsigned char[byteSize];
    if (!pixels) {
        L_ERROR("Read failure. Out of memory.");
        return false;
    }
    if (!aStream->ReadBytes(int(byteSize), pixels)) {
        delete[] pixels;
        L_ERROR("Read failure.");
        return false;
    }
    // Values beyond the int range turn negative and are refused by Create.
    const int result = Create(int(width), int(height), int(pitch), LImageFormat(int(format)), pixels,
                              int(byteSize));
    delete[] pixels;
    if (!result) {
        L_ERROR("Create failure.");
        return false;
    }
    return true;
}

int LImage::CreateFromFile(const LString& aPath, LImage** aOut)
{
    if (!aOut || *aOut) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    LVectorString pieces;
    if (!aPath.Split(LString("."), &pieces)) {
        L_ASSERT_FAILURE("");
    }
    const LString extension = pieces.GetCount() > 0 ? pieces[pieces.GetCount() - 1] : LString();
    LImage* image = nullptr;
    int created = 0;
    if (extension.EqualsNoCase(u"bmp")) {
        LImageBMP* bmp = L_NEW LImageBMP();
        image = bmp;
        created = bmp && bmp->Create(aPath);
    } else if (extension.EqualsNoCase(u"tga")) {
        LImageTGA* tga = L_NEW LImageTGA();
        image = tga;
        created = tga && tga->Create(aPath);
    } else {
        L_ERROR("Image format not supported:" + aPath);
        return 0;
    }
    if (!created) {
        L_ERROR("Image creation failure:" + aPath);
        delete image;
        return 0;
    }
    *aOut = image;
    return 1;
}
