#include "LImageBMP.h"
#include "container/LString.h"
#include "writers/LImageBytes.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Load(LImageBMP& aImage, const std::string& aFile)
{
    return aImage.CreateFromBuffer(reinterpret_cast<const unsigned char*>(aFile.data()),
                                   int(aFile.size()));
}

// Pixel (x, file row i) of LImageBytes::BmpRows.
uint32_t RowPixel(int aX, int aFileRow)
{
    return 0xFF000000u | uint32_t(0x40 + aFileRow) << 16 | uint32_t(0x80 + aX) << 8 |
           uint32_t(aX + 16 * aFileRow);
}

std::string WithU32(std::string aFile, size_t aOffset, uint32_t aValue)
{
    aFile.replace(aOffset, 4, LImageBytes::U32(aValue));
    return aFile;
}

} // namespace

// Rows padded to 4 bytes, bottom row first or (negative height) top row first, at the
// data offset; the last row's padding may be missing.
TEST(ImageBMPRead, RowsLoadTopRowFirstWithoutPadding)
{
    for (int width = 1; width <= 4; ++width) {
        for (int height : {3, -3}) {
            LImageBMP image;
            ASSERT_EQ(1, Load(image, LImageBytes::Bmp(width, height, LImageBytes::BmpRows(width, 3))));
            EXPECT_EQ(width * 3, image.GetPitch());
            EXPECT_EQ(L_IMAGE_FORMAT_R8G8B8, image.GetFormat());
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    EXPECT_EQ(RowPixel(x, height > 0 ? 2 - y : y), image.GetPixelARGB(x, y)) << width << height;
                }
            }
        }
    }
    const std::string rows = LImageBytes::BmpRows(1, 2);
    LImageBMP image;
    ASSERT_EQ(1, Load(image, WithU32(LImageBytes::Bmp(1, 2, "gap!" + rows.substr(0, 7)), 10, 58)));
    EXPECT_EQ(RowPixel(0, 1), image.GetPixelARGB(0, 0));
    EXPECT_EQ(RowPixel(0, 0), image.GetPixelARGB(0, 1));
}

TEST(ImageBMPRefusal, WrongFormats)
{
    LLogCapture log;
    LImageBMP image;
    std::string file = LImageBytes::Bmp(1, 1, LImageBytes::BmpRows(1, 1));
    file[0] = 'X';
    EXPECT_EQ(0, Load(image, file));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(1, 1, LImageBytes::BmpRows(1, 1), 24, 108)));
    EXPECT_EQ(2, log.Count(": Create failure. Bad format."));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(1, 1, std::string(4, '\0'), 32)));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(1, 1, std::string(4, '\0'), 8)));
    EXPECT_EQ(2, log.Count(": Create failure. Only 24-bit files supported."));
}

TEST(ImageBMPRefusal, BadSizesAndOffsets)
{
    LLogCapture log;
    LImageBMP image;
    const std::string rows = LImageBytes::BmpRows(1, 1);
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(-1, 1, rows)));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(0, 1, rows)));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(1, 0, rows)));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(1, int(0x80000000u), rows)));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(0x7FFFFFFF, 0x7FFFFFFF, rows)));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(30000, 30000, rows)));
    EXPECT_EQ(6, log.Count(": Create failure. Bad size."));
    // representable sizes that the file does not hold: nothing allocated or read
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(20000, 20000, rows)));
    EXPECT_EQ(0, Load(image, LImageBytes::Bmp(1, 2, rows)));
    const std::string file = LImageBytes::Bmp(1, 1, rows);
    EXPECT_EQ(0, Load(image, WithU32(file, 10, 56)));
    EXPECT_EQ(0, Load(image, WithU32(file, 10, 0xFFFFFFF0u)));
    EXPECT_EQ(0, Load(image, WithU32(file, 10, 0x7FFFFFFFu)));
    EXPECT_EQ(5, log.Count(": Create failure. Could not read data."));
    EXPECT_EQ(nullptr, image.GetPixelsConst());
}

TEST(ImageBMPRefusal, EveryTruncationFailsCleanly)
{
    // the smallest loadable length: the last row's padding may be cut off
    const struct {
        std::string file;
        size_t needed;
    } cases[] = {
        {LImageBytes::Bmp(3, 2, LImageBytes::BmpRows(3, 2)), 54 + 12 + 9},
        {LImageBytes::Bmp(4, -2, LImageBytes::BmpRows(4, 2)), 54 + 12 + 12},
    };
    for (const auto& [file, needed] : cases) {
        ASSERT_LE(needed, file.size());
        for (size_t length = 0; length < file.size(); ++length) {
            LLogCapture log;
            const std::string cut = file.substr(0, length);
            LImageBMP image;
            const int expected = length >= needed ? 1 : 0;
            EXPECT_EQ(expected, Load(image, cut)) << length;
            EXPECT_EQ(1 - expected, log.Count("ERROR: .\\LImageBMP.cpp")) << length;
        }
    }
}

TEST(ImageBMPRefusal, FailureKeepsThePreviousImage)
{
    LLogCapture log;
    LImageBMP image;
    ASSERT_EQ(1, Load(image, LImageBytes::Bmp(2, 2, LImageBytes::BmpRows(2, 2))));
    EXPECT_EQ(0, Load(image, "BM"));
    EXPECT_EQ(0, image.CreateFromBuffer(nullptr, 64));
    EXPECT_EQ(2, image.GetWidth());
    EXPECT_EQ(RowPixel(0, 1), image.GetPixelARGB(0, 0));
}

