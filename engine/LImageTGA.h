// An image read from a Truevision Targa file: uncompressed (type 2) or run-length
// encoded (type 10) true colour, 24 or 32 bits per pixel, rows stored either way up.
// Colour-mapped and other types are refused without a message of the reader's own.
#pragma once
#include "LImage.h"

class LImageTGA : public LImage
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
