#include "Render/LVertexBuffer.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
std::vector<float> Floats(int aCount)
{
    std::vector<float> values(static_cast<size_t>(aCount));
    for (int i = 0; i < aCount; ++i) {
        values[static_cast<size_t>(i)] = static_cast<float>(i) * 0.5f;
    }
    return values;
}

std::string Int32(int aValue)
{
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &aValue, 4);
    return bytes;
}
} // namespace

TEST(VertexBufferCreate, SizesFollowTheFormat)
{
    const int sizes[] = {0, 12, 28, 20, 40, 32, 48, 24};
    for (int format = 1; format <= 7; ++format) {
        const std::vector<float> data = Floats(sizes[format] / 4 * 3);
        LVertexBuffer buffer;
        ASSERT_EQ(1, buffer.Create(format, data.data(), 3)) << format;
        EXPECT_EQ(3 * sizes[format], buffer.GetByteSize());
        EXPECT_EQ(0, std::memcmp(data.data(), buffer.GetBuffer(), static_cast<size_t>(buffer.GetByteSize())));
    }
}

TEST(VertexBufferCreate, BadArgumentsKeepTheOldData)
{
    LLogCapture log;
    const std::vector<float> data = Floats(15);
    LVertexBuffer buffer;
    ASSERT_EQ(1, buffer.Create(3, data.data(), 3));
    const std::vector<float> other = Floats(40);
    EXPECT_EQ(0, buffer.Create(3, other.data(), 0));
    EXPECT_EQ(0, buffer.Create(3, nullptr, 2));
    EXPECT_EQ(0, buffer.Create(0, other.data(), 2));
    EXPECT_EQ(0, buffer.Create(8, other.data(), 2));
    EXPECT_EQ(0, buffer.Create(-1, other.data(), 2));
    EXPECT_EQ(5, log.Count("Create failure. Invalid arg."));
    EXPECT_EQ(3, buffer.GetVertexFormat());
    EXPECT_EQ(3, buffer.GetVertexCount());
    EXPECT_EQ(0, std::memcmp(data.data(), buffer.GetBuffer(), 60));
}

TEST(VertexBufferAccess, GetVertexStaysInsideTheData)
{
    LLogCapture log;
    LVertexBuffer empty;
    EXPECT_EQ(nullptr, empty.GetVertex(0));
    EXPECT_EQ(nullptr, empty.GetBuffer());
    EXPECT_TRUE(log.Contains("GetBuffer failure. Empty."));

    const std::vector<float> data = Floats(15);
    LVertexBuffer buffer;
    ASSERT_EQ(1, buffer.Create(3, data.data(), 3));
    EXPECT_EQ(static_cast<uint8_t*>(buffer.GetBuffer()) + 40, buffer.GetVertex(2));
    EXPECT_EQ(nullptr, buffer.GetVertex(3));
    EXPECT_EQ(nullptr, buffer.GetVertex(-1));
}

TEST(VertexBufferAccess, VertexCountCannotPassTheAllocation)
{
    LLogCapture log;
    LVertexBuffer buffer;
    ASSERT_EQ(1, buffer.Allocate(1, 10));
    EXPECT_EQ(1, buffer.SetVertexCount(4));
    EXPECT_EQ(4, buffer.GetVertexCount());
    EXPECT_EQ(0, buffer.SetVertexCount(11));
    EXPECT_EQ(0, buffer.SetVertexCount(-1));
    EXPECT_EQ(4, buffer.GetVertexCount());
    // The allocation still holds all ten.
    EXPECT_NE(nullptr, buffer.GetVertex(9));
}

TEST(VertexBufferRecord, RoundTripsThroughAStreamAlsoWhenEmpty)
{
    const std::vector<float> data = Floats(24);
    LVertexBuffer source;
    ASSERT_EQ(1, source.Create(5, data.data(), 3));
    for (bool empty : {false, true}) {
        LVertexBuffer none;
        LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
        ASSERT_TRUE((empty ? none : source).Write(&stream));
        const std::string bytes = WrittenBytes(stream);
        ASSERT_EQ(empty ? 16u : 16u + 96u, bytes.size());
        LMemoryStream input(16, LMemoryStream::GROW_DOUBLE);
        Load(input, bytes);
        LVertexBuffer copy;
        ASSERT_TRUE(copy.Read(&input));
        EXPECT_EQ(empty ? 0 : 3, copy.GetVertexCount());
        if (!empty) {
            EXPECT_EQ(Int32(5) + Int32(32) + Int32(3) + Int32(96), bytes.substr(0, 16));
            EXPECT_EQ(0, std::memcmp(data.data(), copy.GetBuffer(), 96));
        }
    }
}

TEST(VertexBufferRecord, InconsistentOrTruncatedRecordsFail)
{
    LLogCapture log;
    const std::string header = Int32(3) + Int32(20) + Int32(2) + Int32(40);
    const std::vector<std::string> bad = {
        header.substr(0, 10),                                          // short header
        header + std::string(39, 'x'),                                 // data cut short
        Int32(3) + Int32(20) + Int32(2) + Int32(44) + std::string(44, 'x'), // size mismatch
        Int32(3) + Int32(24) + Int32(2) + Int32(48) + std::string(48, 'x'), // wrong stride
        Int32(9) + Int32(20) + Int32(2) + Int32(40) + std::string(40, 'x'), // unknown format
        Int32(3) + Int32(20) + Int32(-2) + Int32(-40),                 // negative count
        Int32(3) + Int32(20) + Int32(0x7FFFFFFF) + Int32(0x7FFFFFEC),  // huge count
    };
    for (const std::string& record : bad) {
        LVertexBuffer buffer;
        const std::vector<float> data = Floats(5);
        ASSERT_EQ(1, buffer.Create(3, data.data(), 1));
        LMemoryStream input(16, LMemoryStream::GROW_DOUBLE);
        Load(input, record);
        EXPECT_FALSE(buffer.Read(&input)) << Hex(record);
        // The buffer keeps what it held.
        EXPECT_EQ(1, buffer.GetVertexCount());
        EXPECT_EQ(0, std::memcmp(data.data(), buffer.GetBuffer(), 20));
    }
}
