#include "LImage.h"
#include "LRectangle.h"
#include "LVector2.h"
#include "writers/LImageBytes.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

// An image whose pixel (x, y) has the bytes (x + 16 y, 0x80 + x, 0x40 + y, 0xF0 + x)
// (as many of them as the format has) and whose row ends carry 0xEE padding.
void Fill(LImage& aImage, int aWidth, int aHeight, LImageFormat aFormat, int aPadding = 0)
{
    const int bpp = LImage::BytesPerPixel(aFormat);
    const int pitch = aWidth * bpp + aPadding;
    std::vector<unsigned char> bytes(size_t(pitch * aHeight), 0xEE);
    for (int y = 0; y < aHeight; ++y) {
        for (int x = 0; x < aWidth; ++x) {
            const unsigned char pixel[4] = {static_cast<unsigned char>(x + 16 * y),
                                            static_cast<unsigned char>(0x80 + x),
                                            static_cast<unsigned char>(0x40 + y),
                                            static_cast<unsigned char>(0xF0 + x)};
            for (int i = 0; i < bpp; ++i) {
                bytes[size_t(y * pitch + x * bpp + i)] = pixel[i];
            }
        }
    }
    ASSERT_EQ(1, aImage.Create(aWidth, aHeight, pitch, aFormat, bytes.data(), int(bytes.size())));
}

std::string Bytes(const LImage& aImage)
{
    return std::string(reinterpret_cast<const char*>(aImage.GetPixelsConst()),
                       size_t(aImage.GetByteSize()));
}

// Every pixel as 0xAARRGGBB, row by row.
std::vector<uint32_t> Pixels(const LImage& aImage)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < aImage.GetHeight(); ++y) {
        for (int x = 0; x < aImage.GetWidth(); ++x) {
            pixels.push_back(aImage.GetPixelARGB(x, y));
        }
    }
    return pixels;
}

} // namespace

TEST(ImageCreate, CopiesThePixelsEvenItsOwn)
{
    std::vector<unsigned char> bytes(20, 7);
    LImage image;
    ASSERT_EQ(1, image.Create(3, 2, 10, L_IMAGE_FORMAT_R8G8B8, bytes.data(), 20));
    bytes[0] = 9;
    EXPECT_EQ(std::string(20, '\7'), Bytes(image));
    EXPECT_FALSE(image.HasAlpha());
    // The same bytes seen as an image of one-byte pixels.
    Fill(image, 2, 2, L_IMAGE_FORMAT_A8R8G8B8);
    const std::string before = Bytes(image);
    ASSERT_EQ(1, image.Create(8, 2, 8, L_IMAGE_FORMAT_A8, image.GetPixels(), 16));
    EXPECT_EQ(before, Bytes(image));
    EXPECT_TRUE(image.HasAlpha());
}

TEST(ImageCreate, RefusesInvalidArgumentsAndKeepsThePreviousContent)
{
    LLogCapture log;
    std::vector<unsigned char> bytes(64, 1);
    LImage image;
    Fill(image, 2, 2, L_IMAGE_FORMAT_R8G8B8);
    const std::string before = Bytes(image);
    EXPECT_EQ(0, image.Create(3, 2, 10, L_IMAGE_FORMAT_R8G8B8, bytes.data(), 19));
    EXPECT_EQ(0, image.Create(3, 2, 10, L_IMAGE_FORMAT_NONE, bytes.data(), 20));
    EXPECT_EQ(0, image.Create(3, 2, 10, LImageFormat(5), bytes.data(), 20));
    EXPECT_EQ(0, image.Create(3, 2, 10, L_IMAGE_FORMAT_R8G8B8, nullptr, 20));
    EXPECT_EQ(0, image.Create(0, 2, 10, L_IMAGE_FORMAT_R8G8B8, bytes.data(), 20));
    EXPECT_EQ(0, image.Create(3, -2, -10, L_IMAGE_FORMAT_R8G8B8, bytes.data(), 20));
    // height * pitch overflowing 32 bits must not pass as equal to the byte size
    EXPECT_EQ(0, image.Create(1, 65536, 65537, L_IMAGE_FORMAT_A8, bytes.data(), 65536));
    EXPECT_EQ(7, log.Count(": Invalid arg(s)."));
    EXPECT_EQ(before, Bytes(image));
}

TEST(ImageCreate, RefusesPitchShorterThanARow)
{
    // 3 pixels of 3 bytes need a pitch of 9; a pitch of 8 with 16 bytes would put the
    // last pixel past the buffer.
    LLogCapture log;
    std::vector<unsigned char> bytes(16, 1);
    LImage image;
    EXPECT_EQ(0, image.Create(3, 2, 8, L_IMAGE_FORMAT_R8G8B8, bytes.data(), 16));
    EXPECT_EQ(0, image.Create(2, 2, 7, L_IMAGE_FORMAT_A8R8G8B8, bytes.data(), 14));
    EXPECT_EQ(1, image.Create(2, 2, 8, L_IMAGE_FORMAT_A8R8G8B8, bytes.data(), 16));
}

TEST(ImagePixels, EachFormatReadsItsBytes)
{
    LImage image;
    Fill(image, 3, 2, L_IMAGE_FORMAT_A8R8G8B8, 2);
    EXPECT_EQ(0xF1418111u, image.GetPixelARGB(1, 1));
    EXPECT_EQ(0xF2408202u, image.GetPixelARGB(2, 0));
    Fill(image, 3, 2, L_IMAGE_FORMAT_X8R8G8B8);
    EXPECT_EQ(0xF0418010u, image.GetPixelARGB(0, 1));
    Fill(image, 3, 2, L_IMAGE_FORMAT_R8G8B8, 1);
    EXPECT_EQ(0xFF418212u, image.GetPixelARGB(2, 1));
    Fill(image, 3, 2, L_IMAGE_FORMAT_A8, 3);
    EXPECT_EQ(0x11000000u, image.GetPixelARGB(1, 1));
}

TEST(ImageCopyRect, NarrowRectangleLeavesZeroAtRowEndsAndTheTargetClips)
{
    LImage source;
    Fill(source, 3, 3, L_IMAGE_FORMAT_A8R8G8B8, 4);
    LImage out;
    // The source goes on right of the rectangle: the row ends stay zero all the same.
    EXPECT_EQ(&out, source.CopyRect(0, 1, 2, 2, 4, 2, &out));
    EXPECT_EQ(16, out.GetPitch());
    const std::vector<uint32_t> s = Pixels(source);
    EXPECT_EQ((std::vector<uint32_t> {s[3], s[4], 0, 0, s[6], s[7], 0, 0}), Pixels(out));
    source.CopyRect(0, 0, 3, 3, 2, 1, &out);
    EXPECT_EQ((std::vector<uint32_t> {s[0], s[1]}), Pixels(out));
    // Into itself.
    const uint32_t corner = source.GetPixelARGB(2, 2);
    EXPECT_EQ(&source, source.CopyRect(2, 2, 1, 1, 1, 1, &source));
    EXPECT_EQ(corner, source.GetPixelARGB(0, 0));
}

TEST(ImageCopyRect, ClipsToTheSourceImage)
{
    LImage source;
    Fill(source, 3, 2, L_IMAGE_FORMAT_R8G8B8);
    LImage out;
    // reaches one pixel past the left and top edges and past the right and bottom ones
    source.CopyRect(-1, -1, 5, 4, 5, 4, &out);
    ASSERT_EQ(5, out.GetWidth());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x <= 3 && y >= 1 && y <= 2;
            // zero bytes read as opaque black in this format
            EXPECT_EQ(inside ? source.GetPixelARGB(x - 1, y - 1) : 0xFF000000u,
                      out.GetPixelARGB(x, y))
                << x << "," << y;
        }
    }
    // wholly outside: all zero, nothing read
    source.CopyRect(100, -50, 2, 2, 2, 2, &out);
    EXPECT_EQ(std::string(12, '\0'), Bytes(out));
    source.CopyRect(-2147483647 - 1, 2147483647, 2147483647, 2147483647, 2, 2, &out);
    EXPECT_EQ(std::string(12, '\0'), Bytes(out));
}

TEST(ImageCopyRect, RefusesBadTargets)
{
    LLogCapture log;
    LImage source;
    Fill(source, 2, 2, L_IMAGE_FORMAT_R8G8B8);
    EXPECT_EQ(nullptr, source.CopyRect(0, 0, 1, 1, 1, 1, nullptr));
    LImage out;
    source.CopyRect(0, 0, 1, 1, 0, 1, &out);
    source.CopyRect(0, 0, 1, 1, 65536, 65536, &out);
    source.CopyRect(0, 0, 1, 1, 2147483647, 2147483647, &out);
    EXPECT_EQ(nullptr, out.GetPixelsConst());
    LImage().CopyRect(0, 0, 1, 1, 1, 1, &out);
    EXPECT_EQ(nullptr, out.GetPixelsConst());
}

TEST(ImagePixels, ColoursAreBytesOver255)
{
    const unsigned char bgr[3] = {0x10, 0x20, 0x30};
    LImage image;
    ASSERT_EQ(1, image.Create(1, 1, 3, L_IMAGE_FORMAT_R8G8B8, bgr, 3));
    EXPECT_EQ(LColor(1.0f, 0x30 / 255.0f, 0x20 / 255.0f, 0x10 / 255.0f), image.GetPixel(0, 0));
}

namespace {

// The record of a 2 x 1 image of format 3 with a pitch of 8.
const std::string kRecord = LImageBytes::U32(2) + LImageBytes::U32(1) + LImageBytes::U32(8) +
                            LImageBytes::U32(3) + LImageBytes::U32(8) + "\1\2\3\4\5\6\7\x08";

} // namespace

TEST(ImageRecord, WriteGivesTheHeaderThenThePixelsAndRoundTrips)
{
    LImage image;
    ASSERT_EQ(1, image.Create(2, 1, 8, L_IMAGE_FORMAT_R8G8B8,
                              reinterpret_cast<const unsigned char*>(kRecord.data() + 20), 8));
    LMemoryStream record(16, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(image.Write(&record));
    EXPECT_EQ(Hex(kRecord), Hex(WrittenBytes(record)));
    for (LImageFormat format : {L_IMAGE_FORMAT_A8R8G8B8, L_IMAGE_FORMAT_X8R8G8B8,
                                L_IMAGE_FORMAT_R8G8B8, L_IMAGE_FORMAT_A8}) {
        Fill(image, 3, 2, format, 1);
        LMemoryStream stream(4, LMemoryStream::GROW_DOUBLE);
        ASSERT_TRUE(image.Write(&stream));
        ASSERT_TRUE(stream.SetPosition(0));
        LImage copy;
        ASSERT_TRUE(copy.Read(&stream));
        EXPECT_EQ(image.GetPitch(), copy.GetPitch());
        EXPECT_EQ(format, copy.GetFormat());
        EXPECT_EQ(Bytes(image), Bytes(copy));
    }
}

TEST(ImageRecord, EveryTruncationFailsAndEmptiesTheImage)
{
    for (size_t length = 0; length < kRecord.size(); ++length) {
        LLogCapture log;
        LMemoryStream stream(4, LMemoryStream::GROW_DOUBLE);
        Load(stream, kRecord.substr(0, length));
        LImage image;
        Fill(image, 2, 2, L_IMAGE_FORMAT_A8);
        EXPECT_FALSE(image.Read(&stream)) << length;
        EXPECT_EQ(nullptr, image.GetPixelsConst());
        EXPECT_EQ(1, log.Count(": Read failure.")) << length;
    }
}

TEST(ImageRecord, RefusesCountsBeforeAllocating)
{
    LLogCapture log;
    const std::string header = LImageBytes::U32(1) + LImageBytes::U32(1) + LImageBytes::U32(1) +
                               LImageBytes::U32(4);
    for (uint32_t byteSize : {0u, 2u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        LMemoryStream stream(4, LMemoryStream::GROW_DOUBLE);
        Load(stream, header + LImageBytes::U32(byteSize) + "\x7F");
        LImage image;
        EXPECT_FALSE(image.Read(&stream)) << byteSize;
    }
    // a stream that cannot say how much it holds
    LLimitedStream limited(20 + 100);
    LImage image;
    EXPECT_FALSE(image.Read(&limited));
    EXPECT_EQ(6, log.Count(": Read failure."));
}

TEST(ImageRecord, InconsistentHeadersAreRefusedByCreate)
{
    const struct {
        uint32_t width, height, pitch, format, byteSize;
    } cases[] = {
        {2, 1, 5, 3, 5},           // pitch below a row
        {1, 1, 1, 0, 1},           // no format
        {1, 1, 1, 9, 1},           // unknown format
        {1, 2, 1, 4, 1},           // byteSize is not height * pitch
        {0x80000000u, 1, 1, 4, 1}, // width beyond the int range
        {1, 0xFFFFFFFFu, 1, 4, 1}, // height beyond the int range
    };
    for (const auto& c : cases) {
        LLogCapture log;
        LMemoryStream stream(4, LMemoryStream::GROW_DOUBLE);
        Load(stream, LImageBytes::U32(c.width) + LImageBytes::U32(c.height) +
                         LImageBytes::U32(c.pitch) + LImageBytes::U32(c.format) +
                         LImageBytes::U32(c.byteSize) + std::string(c.byteSize, '\x11'));
        LImage image;
        EXPECT_FALSE(image.Read(&stream));
        EXPECT_EQ(nullptr, image.GetPixelsConst());
        EXPECT_TRUE(log.Contains(": Create failure."));
    }
}

TEST(ImageRecord, WriteFailures)
{
    LLogCapture log;
    LImage empty;
    LMemoryStream stream(4, LMemoryStream::GROW_DOUBLE);
    EXPECT_FALSE(empty.Write(&stream));
    EXPECT_EQ(0, stream.GetPosition());

    LImage image;
    Fill(image, 2, 2, L_IMAGE_FORMAT_A8R8G8B8);
    for (int budget : {0, 19, 20, 35}) {
        LLimitedStream limited(budget);
        EXPECT_FALSE(image.Write(&limited)) << budget;
    }
    LLimitedStream enough(36);
    EXPECT_TRUE(image.Write(&enough));
}

TEST(ImagePixels, AtAPointTruncatesTowardZero)
{
    LImage image;
    Fill(image, 3, 2, L_IMAGE_FORMAT_R8G8B8);
    EXPECT_EQ(image.GetPixel(2, 1), image.GetPixel(LVector2(2.9f, 1.99f)));
    EXPECT_EQ(image.GetPixel(0, 0), image.GetPixel(LVector2(-0.5f, 0.0f)));
    EXPECT_NE(image.GetPixel(0, 0), image.GetPixel(1, 0));

    // Outside the image (or without one): logged, and zero.
    LLogCapture log;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const LVector2& p : {LVector2(3.0f, 0.0f), LVector2(0.0f, 2.0f), LVector2(-1.0f, 0.0f),
                              LVector2(0.0f, -1.5f), LVector2(nan, 0.0f), LVector2(0.0f, -1e30f)}) {
        EXPECT_EQ(LColor(), image.GetPixel(p));
    }
    EXPECT_EQ((std::vector<uint32_t> {0, 0, 0}),
              (std::vector<uint32_t> {image.GetPixelARGB(3, 0), image.GetPixelARGB(0, -1), LImage().GetPixelARGB(0, 0)}));
    EXPECT_EQ(9, log.Count(": Index out of bounds."));
}

TEST(ImageCopyRect, TakesARectangle)
{
    LImage source;
    Fill(source, 3, 3, L_IMAGE_FORMAT_A8R8G8B8);
    LImage out;
    // fields truncate toward zero: (1, 1, 2, 2)
    EXPECT_EQ(&out, source.CopyRect(LRectangle(1.9f, 1.5f, 2.99f, 2.2f), 4, 2, &out));
    const std::vector<uint32_t> s = Pixels(source);
    EXPECT_EQ((std::vector<uint32_t> {s[4], s[5], 0, 0, s[7], s[8], 0, 0}), Pixels(out));
    // fields far outside the int range are clipped like any other
    source.CopyRect(LRectangle(-1e30f, 1e30f, 1e30f, std::numeric_limits<float>::quiet_NaN()), 2, 2,
                    &out);
    EXPECT_EQ(std::string(16, '\0'), Bytes(out));
}
