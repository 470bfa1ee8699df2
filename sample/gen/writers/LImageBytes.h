// Small TGA and BMP files built byte by byte, for the sample generator, the image tests,
// the fuzz corpora and the benchmarks. Pixels are given as blue, green, red (, alpha)
// bytes, row by row in the order in which the file stores them.
#pragma once
#include <cstdint>
#include <string>

class LImageBytes
{
public:
    // The 18-byte Targa header (no colour map, origin 0).
    static std::string TgaHeader(int aImageType, int aWidth, int aHeight, int aDepth,
                                 int aDescriptor, int aIdLength = 0, int aColorMapType = 0);
    // A whole type-2 Targa file: header plus the pixel bytes as given.
    static std::string Tga(int aWidth, int aHeight, int aDepth, int aDescriptor,
                           const std::string& aPixelBytes);

    // A whole 24-bit bitmap: 14 + 40 header bytes, then aRows, which holds the rows in file
    // order with their padding. aHeight may be negative (rows stored top row first).
    static std::string Bmp(int aWidth, int aHeight, const std::string& aRows, int aBitCount = 24,
                           uint32_t aInfoSize = 40);
    // Rows of aWidth pixels of bytes blue, green, red, each padded to a multiple of 4 with
    // the byte 0xEE; pixel (x, file row y) is (x + 16 y, 0x80 + x, 0x40 + y).
    static std::string BmpRows(int aWidth, int aHeight);

    static std::string U16(unsigned aValue);
    static std::string U32(uint32_t aValue);
};
