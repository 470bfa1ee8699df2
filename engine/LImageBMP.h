// An image read from a Windows bitmap file: 24 bits per pixel, rows padded to a
// multiple of 4 bytes, stored bottom row first (or top row first when the height is
// negative).
#pragma once
#include "LImage.h"

class LImageBMP : public LImage
{
public:
    using LImage::Create;

    LString Dump() const override;

    // Reads the file at the symbolic path, its size as the file system gives it.
    int Create(const LString& aPath);
    // Reads aSize bytes from the stream into memory, closes the stream and parses them.
    int Create(LIStream* aStream, int aSize);
    int CreateFromBuffer(const unsigned char* aData, int aSize) override;
};
