#include "writers/LImageBytes.h"

std::string LImageBytes::U16(unsigned aValue)
{
    return {char(aValue & 0xFF), char((aValue >> 8) & 0xFF)};
}

std::string LImageBytes::U32(uint32_t aValue)
{
    return U16(aValue & 0xFFFF) + U16(aValue >> 16);
}

std::string LImageBytes::TgaHeader(int aImageType, int aWidth, int aHeight, int aDepth,
                                   int aDescriptor, int aIdLength, int aColorMapType)
{
    std::string header;
    header += char(aIdLength);
    header += char(aColorMapType);
    header += char(aImageType);
    header += std::string(5, '\0'); // colour map fields (unused)
    header += U16(0) + U16(0);      // origin
    header += U16(unsigned(aWidth)) + U16(unsigned(aHeight));
    header += char(aDepth);
    header += char(aDescriptor);
    return header;
}

std::string LImageBytes::Tga(int aWidth, int aHeight, int aDepth, int aDescriptor,
                             const std::string& aPixelBytes)
{
    return TgaHeader(2, aWidth, aHeight, aDepth, aDescriptor) + aPixelBytes;
}

std::string LImageBytes::Bmp(int aWidth, int aHeight, const std::string& aRows, int aBitCount,
                             uint32_t aInfoSize)
{
    std::string file = "BM";
    file += U32(uint32_t(54 + aRows.size()));
    file += U16(0) + U16(0);
    file += U32(54);
    file += U32(aInfoSize);
    file += U32(uint32_t(aWidth)) + U32(uint32_t(aHeight));
    file += U16(1) + U16(unsigned(aBitCount));
    file += U32(0) + U32(uint32_t(aRows.size())) + U32(2835) + U32(2835) + U32(0) + U32(0);
    return file + aRows;
}

std::string LImageBytes::BmpRows(int aWidth, int aHeight)
{
    std::string rows;
    for (int y = 0; y < aHeight; ++y) {
        std::string row;
        for (int x = 0; x < aWidth; ++x) {
            row += char(x + 16 * y);
            row += char(0x80 + x);
            row += char(0x40 + y);
        }
        while (row.size() % 4 != 0) {
            row += char(0xEE);
        }
        rows += row;
    }
    return rows;
}
