// The engine's in-memory raster image: a block of pixel bytes with its size, row pitch
// and pixel format. Rows are stored top row first; pixel (x, y) starts at byte
// y * pitch + x * bytesPerPixel, and a pixel's bytes are blue, green, red (, alpha).
//
// Images come from TGA and BMP files (LImageTGA, LImageBMP, chosen by the file name's
// extension in CreateFromFile) or from the engine's image record on a stream:
//   width, height, pitch, format, byteSize (unsigned 32-bit little-endian each), then
//   byteSize pixel bytes as they are in memory.
#pragma once
#include "object/LBase.h"
#include "Render/LColor.h"
#include "object/LISerializable.h"

#include <cstdint>

class LIStream;
class LRectangle;
class LString;
class LVector2;

// Pixel format codes; stored in image records, so the values are fixed.
enum LImageFormat : int
{
    L_IMAGE_FORMAT_NONE = 0,
    L_IMAGE_FORMAT_A8R8G8B8 = 1, // blue, green, red, alpha
    L_IMAGE_FORMAT_X8R8G8B8 = 2, // blue, green, red, a byte without meaning
    L_IMAGE_FORMAT_R8G8B8 = 3,   // blue, green, red
    L_IMAGE_FORMAT_A8 = 4,       // alpha only
};

class LImage : public LBase, public LISerializable
{
public:
    LImage();
    ~LImage() override;
    LImage(const LImage&) = delete;
    LImage& operator=(const LImage&) = delete;

    LString Dump() const override;

    // Copies aByteSize bytes into a buffer of the image's own. Refuses ("Invalid arg(s).")
    // a format outside 1..4, null pixels, a width or height below 1, a pitch too small to
    // hold a row, and a byte size other than height * pitch; the image then keeps what
    // it held.
    virtual int Create(int aWidth, int aHeight, int aPitch, LImageFormat aFormat,
                       const unsigned char* aPixels, int aByteSize);
    // Parses a whole image file held in memory; on failure the image keeps what it held.
    // The plain image knows no file format and refuses every buffer.
    virtual int CreateFromBuffer(const unsigned char* aData, int aSize);
    virtual LImageFormat GetFormat() const;
    virtual int GetHeight() const;
    virtual int GetPitch() const;
    // The colour of the pixel at (aX, aY): formats 1 and 2 give their four bytes, 24-bit
    // pixels are opaque, alpha-only pixels black. Outside the image: logged, all zeros.
    // The same at a point: inside when 0 <= x < width and 0 <= y < height, after which
    // the coordinates are truncated toward zero (so -0.5 reads column 0).
    virtual LColor GetPixel(const LVector2& aPoint) const;
    virtual LColor GetPixel(int aX, int aY) const;
    // CopyRect below with the rectangle's fields truncated toward zero.
    virtual LImage* CopyRect(const LRectangle& aRect, int aWidth, int aHeight, LImage* aOut) const;
    virtual unsigned char* GetPixels();
    virtual const unsigned char* GetPixelsConst() const;
    virtual int GetWidth() const;

    int GetByteSize() const { return mByteSize; }
    int GetBytesPerPixel() const { return mBytesPerPixel; }
    int GetBitsPerPixel() const { return mBitsPerPixel; }
    bool HasAlpha() const { return mHasAlpha; }

    // The pixel at (aX, aY) packed as 0xAARRGGBB (24-bit pixels are opaque; alpha-only
    // pixels are black). Outside the image or without pixels: logged, 0.
    uint32_t GetPixelARGB(int aX, int aY) const;

    // Copies the aRectWidth x aRectHeight pixels at (aRectX, aRectY) to the top left of a
    // new aWidth x aHeight image of the same format made in aOut; whatever lies outside
    // this image or outside the new one is left out, and the rest of aOut is zero.
    LImage* CopyRect(int aRectX, int aRectY, int aRectWidth, int aRectHeight, int aWidth,
                     int aHeight, LImage* aOut) const;

    // Loads the image file at the symbolic path by its extension, "tga" or "bmp" in any
    // case, into a new image that the caller owns. aOut must point at null.
    static int CreateFromFile(const LString& aPath, LImage** aOut);

    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // Bytes per pixel of a format code; 0 for a code outside 1..4.
    static int BytesPerPixel(int aFormat);

protected:
    // The file readers' Create: reads the file at the symbolic path (its size as the file
    // system gives it), or aSize bytes of a stream, into memory, closes the stream and
    // parses the bytes with CreateFromBuffer. Failures are logged under aSourceFile, the
    // reader's own source file.
    int CreateFromPath(const LString& aPath, const char* aSourceFile);
    int CreateFromStream(LIStream* aStream, int aSize, const char* aSourceFile);
    // Little-endian fields of an image file.
    static uint16_t ReadLittle16(const unsigned char* aBytes);
    static uint32_t ReadLittle32(const unsigned char* aBytes);
    // Takes over a buffer that a reader filled (allocated with L_NEW unsigned char[]);
    // the caller has checked the values.
    void Adopt(unsigned char* aPixels, int aWidth, int aHeight, int aPitch, LImageFormat aFormat,
               bool aHasAlpha);
    void FreePixels();

private:
    // Logs and returns false when (aX, aY) has no pixel to read.
    bool CheckPixel(int aX, int aY) const;

    unsigned char* mPixels = nullptr;
    int mByteSize = 0;
    int mBytesPerPixel = 0;
    int mWidth = 0;
    int mHeight = 0;
    int mPitch = 0;
    int mBitsPerPixel = 0;
    LImageFormat mFormat = L_IMAGE_FORMAT_NONE;
    bool mHasAlpha = false;
};
