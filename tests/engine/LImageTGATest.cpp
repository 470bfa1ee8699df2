#include "LImageTGA.h"
#include "container/LString.h"
#include "writers/LImageBytes.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Load(LImageTGA& aImage, const std::string& aFile)
{
    return aImage.CreateFromBuffer(reinterpret_cast<const unsigned char*>(aFile.data()),
                                   int(aFile.size()));
}

std::string Bgra(int aB, int aG, int aR, int aA)
{
    return {char(aB), char(aG), char(aR), char(aA)};
}

std::string Bgr(int aB, int aG, int aR)
{
    return {char(aB), char(aG), char(aR)};
}

// 2 x 3 pixels in file order; pixel (x, file row i) is (x, 0x10 + i, 0x20, alpha).
std::string Rows32(int aAlpha = 0x80)
{
    std::string bytes;
    for (int i = 0; i < 3; ++i) {
        for (int x = 0; x < 2; ++x) {
            bytes += Bgra(x, 0x10 + i, 0x20, aAlpha);
        }
    }
    return bytes;
}

uint32_t Argb(int aB, int aG, int aR, int aA)
{
    return uint32_t(aA) << 24 | uint32_t(aR) << 16 | uint32_t(aG) << 8 | uint32_t(aB);
}

} // namespace

// Each file against the pixel bytes it loads to, top row first.
TEST(ImageTGARead, TypesDepthsAndRowOrdersLoadToTheirPixels)
{
    const std::string rows = Rows32();
    const std::string a = Bgra(1, 2, 3, 4), b = Bgra(5, 6, 7, 8), c = Bgra(9, 10, 11, 12);
    const std::string p1 = Bgr(1, 1, 1), p2 = Bgr(2, 2, 2), p3 = Bgr(3, 3, 3);
    const struct
    {
        std::string mFile;
        std::string mPixels;
    } cases[] = {
        // Type 2, 32 bits, bottom row first and top row first.
        {LImageBytes::Tga(2, 3, 32, 0x08, rows), rows.substr(16, 8) + rows.substr(8, 8) + rows.substr(0, 8)},
        {LImageBytes::Tga(2, 3, 32, 0x28, rows), rows},
        // Type 2, 24 bits, bottom row first; an identification field is skipped.
        {LImageBytes::Tga(3, 2, 24, 0x00, p1 + p1 + p1 + p2 + p2 + p3), p2 + p2 + p3 + p1 + p1 + p1},
        {LImageBytes::TgaHeader(2, 1, 1, 24, 0x20, 5) + "hello" + p3, p3},
        // Type 10: run and raw packets, 32 bits top row first and 24 bits bottom row first.
        {LImageBytes::TgaHeader(10, 5, 1, 32, 0x28) + "\x82" + a + "\x01" + b + c, a + a + a + b + c},
        {LImageBytes::TgaHeader(10, 2, 2, 24, 0x00) + "\x81" + p1 + "\x01" + p2 + p3, p2 + p3 + p1 + p1},
        // A run of 4 covers file row 0 and goes on into row 1.
        {LImageBytes::TgaHeader(10, 3, 2, 24, 0x00) + "\x83" + p1 + "\x01" + p2 + p3, p1 + p2 + p3 + p1 + p1 + p1},
    };
    for (const auto& test : cases) {
        LImageTGA image;
        ASSERT_EQ(1, Load(image, test.mFile)) << Hex(test.mFile);
        EXPECT_EQ(Hex(test.mPixels),
                  Hex(std::string(reinterpret_cast<const char*>(image.GetPixelsConst()), image.GetByteSize())));
    }
}

TEST(ImageTGAAlpha, SetOnlyWhenSomeAlphaIsNotOpaque)
{
    LImageTGA image;
    ASSERT_EQ(1, Load(image, LImageBytes::Tga(2, 3, 32, 0x28, Rows32(255))));
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(L_IMAGE_FORMAT_A8R8G8B8, image.GetFormat());
    std::string rows = Rows32(255);
    rows[rows.size() - 1] = char(254); // the very last pixel
    ASSERT_EQ(1, Load(image, LImageBytes::Tga(2, 3, 32, 0x28, rows)));
    EXPECT_TRUE(image.HasAlpha());
}

TEST(ImageTGARunLength, PacketPastTheImageIsRefused)
{
    LLogCapture log;
    // 2 x 2 image, a run of 5 pixels
    LImageTGA image;
    EXPECT_EQ(0, Load(image, LImageBytes::TgaHeader(10, 2, 2, 24, 0x20) + "\x84" + Bgr(1, 2, 3)));
    // a raw packet of 128 after 3 pixels
    EXPECT_EQ(0, Load(image, LImageBytes::TgaHeader(10, 2, 2, 24, 0x20) + "\x82" + Bgr(1, 2, 3) +
                                 "\x7F" + std::string(128 * 3, '\x55')));
    EXPECT_EQ(2, log.Count("Create failure. Run-length packet runs past the image."));
    EXPECT_EQ(nullptr, image.GetPixelsConst());
}

TEST(ImageTGARefusal, UnsupportedDepthIsLoggedAndColorMapsAndOtherTypesAreSilent)
{
    LLogCapture log;
    LImageTGA image;
    EXPECT_EQ(0, Load(image, LImageBytes::TgaHeader(2, 1, 1, 24, 0x20, 0, 1) + Bgr(1, 2, 3)));
    EXPECT_EQ(0, Load(image, LImageBytes::TgaHeader(1, 1, 1, 8, 0x20, 0, 1) + "\0"));
    EXPECT_EQ(0, Load(image, LImageBytes::TgaHeader(3, 1, 1, 8, 0x20) + "\0"));
    EXPECT_EQ(0, Load(image, LImageBytes::TgaHeader(11, 1, 1, 8, 0x20) + "\0"));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(0, Load(image, LImageBytes::Tga(1, 1, 16, 0x20, "\1\2")));
    EXPECT_TRUE(log.Contains(": Create failure. Bit depth not supported."));
}

TEST(ImageTGARefusal, EmptyAndHugeSizes)
{
    LLogCapture log;
    LImageTGA image;
    EXPECT_EQ(0, Load(image, LImageBytes::Tga(0, 1, 24, 0x20, "")));
    EXPECT_EQ(0, Load(image, LImageBytes::Tga(1, 0, 24, 0x20, "")));
    EXPECT_EQ(0, Load(image, LImageBytes::Tga(65535, 65535, 32, 0x20, "")));
    EXPECT_EQ(3, log.Count(": Create failure. Bad size."));
    // large but representable: refused for want of data before anything is allocated
    EXPECT_EQ(0, Load(image, LImageBytes::Tga(20000, 20000, 24, 0x20, Bgr(1, 2, 3))));
    std::string rle = LImageBytes::TgaHeader(10, 20000, 20000, 24, 0x20);
    for (int i = 0; i < 1000; ++i) {
        rle += "\xFF" + Bgr(1, 2, 3);
    }
    EXPECT_EQ(0, Load(image, rle));
    EXPECT_EQ(2, log.Count(": Create failure. Could not read data."));
}

TEST(ImageTGARefusal, EveryTruncationFailsCleanly)
{
    const std::string files[] = {
        LImageBytes::Tga(2, 3, 32, 0x08, Rows32()),
        LImageBytes::TgaHeader(2, 1, 1, 24, 0x20, 3) + "abc" + Bgr(1, 2, 3),
        LImageBytes::TgaHeader(10, 5, 2, 32, 0x28) + "\x82" + Bgra(1, 2, 3, 4) + "\x03" +
            Bgra(5, 6, 7, 8) + Bgra(9, 10, 11, 12) + Bgra(1, 1, 1, 1) + Bgra(2, 2, 2, 2) +
            "\x82" + Bgra(3, 3, 3, 3),
        LImageBytes::TgaHeader(10, 3, 1, 24, 0x00) + "\x02" + Bgr(1, 2, 3) + Bgr(4, 5, 6) +
            Bgr(7, 8, 9),
    };
    for (const std::string& file : files) {
        LImageTGA image;
        ASSERT_EQ(1, Load(image, file));
        for (size_t length = 0; length < file.size(); ++length) {
            LLogCapture log;
            // a copy of exactly that length, so that reading past it is caught
            const std::string cut = file.substr(0, length);
            LImageTGA truncated;
            EXPECT_EQ(0, Load(truncated, cut)) << length;
            EXPECT_EQ(nullptr, truncated.GetPixelsConst());
            EXPECT_EQ(1, log.Count("ERROR: .\\LImageTGA.cpp")) << length;
        }
    }
}

TEST(ImageTGARefusal, FailureKeepsThePreviousImage)
{
    LLogCapture log;
    LImageTGA image;
    ASSERT_EQ(1, Load(image, LImageBytes::Tga(2, 3, 32, 0x28, Rows32())));
    EXPECT_EQ(0, Load(image, LImageBytes::Tga(2, 3, 32, 0x28, "short")));
    EXPECT_EQ(2, image.GetWidth());
    EXPECT_EQ(Argb(1, 0x10, 0x20, 0x80), image.GetPixelARGB(1, 0));
    EXPECT_EQ(0, image.CreateFromBuffer(nullptr, 100));
}

namespace {

// A memory stream that counts how often it was closed and can refuse to open.
class LCountingStream : public LMemoryStream
{
public:
    LCountingStream() : LMemoryStream(4, GROW_DOUBLE) {}
    bool Open() override { return mOpens; }
    bool Close() override
    {
        ++mCloses;
        return true;
    }
    bool mOpens = true;
    int mCloses = 0;
};

} // namespace

TEST(ImageTGAStream, ReadsTheGivenSizeClosesTheStreamAndChecksTheSize)
{
    LLogCapture log;
    const std::string file = LImageBytes::Tga(2, 3, 32, 0x28, Rows32());
    LCountingStream stream;
    Load(stream, file + "trailing bytes");
    LImageTGA image;
    ASSERT_EQ(1, image.Create(&stream, int(file.size())));
    EXPECT_EQ(1, stream.mCloses);
    EXPECT_EQ(Argb(1, 0x12, 0x20, 0x80), image.GetPixelARGB(1, 2));

    LImageTGA other;
    Load(stream, file);
    for (int size : {int(file.size()) + 1, 0x7FFFFFFF, -1}) {
        EXPECT_EQ(0, other.Create(&stream, size)) << size;
    }
    EXPECT_EQ(3, log.Count("ERROR: .\\LImageTGA.cpp"));
    EXPECT_EQ(3, log.Count(": Create failure. Could not read file."));
    EXPECT_EQ(4, stream.mCloses);
    stream.mOpens = false;
    EXPECT_EQ(0, other.Create(&stream, int(file.size())));
    EXPECT_EQ(0, other.Create(nullptr, 4));
    EXPECT_EQ(2, log.Count(": Create failure. Could not open stream."));
    // a stream that does not know its length and falls short
    LLimitedStream limited(10);
    EXPECT_EQ(0, other.Create(&limited, 18));
    EXPECT_EQ(4, log.Count(": Create failure. Could not read file."));
    EXPECT_EQ(nullptr, other.GetPixelsConst());
}

