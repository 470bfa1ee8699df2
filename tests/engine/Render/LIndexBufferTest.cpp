#include "Render/LIndexBuffer.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(IndexBufferCreate, TheDevicesLargestIndexChoosesTheIndexSize)
{
    RegisterFakeRender();
    LLogCapture log;
    const uint32_t indices[6] = {0, 70000, 2, 0x10003, 4, 5};
    LIndexBuffer wide;
    ASSERT_EQ(1, wide.Create(2, indices, 6));
    EXPECT_EQ(2, wide.GetIndexFormat());
    EXPECT_EQ(70000, wide.GetIndex(1));
    // Narrowed to 16 bits where the device takes only those.
    LFakeDeviceCaps::sMaxVertexIndex = 0xFFFF;
    LIndexBuffer narrow;
    ASSERT_EQ(1, narrow.Create(2, indices, 6));
    EXPECT_EQ(1, narrow.GetIndexFormat());
    EXPECT_EQ(12, narrow.GetByteSize());
    EXPECT_EQ(3, narrow.GetIndex(3));
    EXPECT_EQ(5, narrow.GetIndex(5));
    // A device without an index format of its own takes none.
    LFakeDeviceCaps::sMaxVertexIndex = 0x1000;
    LIndexBuffer none;
    EXPECT_EQ(0, none.Create(2, indices, 3));
    EXPECT_TRUE(log.Contains("Vertex index format undefined: 4096"));
}

TEST(IndexBufferAccess, SixteenBitIndicesReadUnsignedWithinBounds)
{
    RegisterFakeRender();
    LLogCapture log;
    const uint16_t indices[3] = {0x7FFF, 0x8000, 0xFFFF};
    LIndexBuffer buffer;
    ASSERT_EQ(1, buffer.Create(1, indices, 3));
    EXPECT_EQ(32767, buffer.GetIndex(0));
    EXPECT_EQ(32768, buffer.GetIndex(1));
    EXPECT_EQ(65535, buffer.GetIndex(2));
    EXPECT_EQ(1, buffer.SetIndex(1, 7));
    EXPECT_EQ(7, buffer.GetIndex(1));
    EXPECT_EQ(0, buffer.GetIndex(3));
    EXPECT_EQ(0, buffer.SetIndex(-1, 7));
    EXPECT_EQ(2, log.Count("Index out of bounds."));
}

TEST(IndexBufferAccess, CopiesOwnTheirData)
{
    RegisterFakeRender();
    const uint32_t indices[3] = {4, 5, 6};
    LIndexBuffer buffer;
    ASSERT_EQ(1, buffer.Create(2, indices, 3));
    LIndexBuffer copy(buffer);
    buffer.SetIndex(0, 9);
    EXPECT_EQ(4, copy.GetIndex(0));
    copy = copy;
    EXPECT_EQ(4, copy.GetIndex(0));
    LIndexBuffer assigned;
    assigned = buffer;
    EXPECT_EQ(9, assigned.GetIndex(0));
    EXPECT_NE(buffer.GetBuffer(), assigned.GetBuffer());
}

TEST(IndexBufferRecord, RoundTripsAndRefusesBadRecords)
{
    RegisterFakeRender();
    LLogCapture log;
    const uint32_t indices[3] = {1, 2, 3};
    LIndexBuffer source;
    ASSERT_EQ(1, source.Create(2, indices, 3));
    LMemoryStream out(16, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(source.Write(&out));
    const std::string bytes = WrittenBytes(out);
    ASSERT_EQ(28u, bytes.size());
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
        Load(in, bytes.substr(0, cut));
        LIndexBuffer target;
        EXPECT_EQ(cut == bytes.size(), target.Read(&in)) << cut;
    }
    std::string mismatch = bytes;
    mismatch[12] = 16; // byte size no longer index size x count
    LMemoryStream bad(16, LMemoryStream::GROW_DOUBLE);
    Load(bad, mismatch);
    EXPECT_FALSE(source.Read(&bad));
    EXPECT_EQ(3, source.GetIndexCount());
    EXPECT_EQ(3, source.GetIndex(2));
}
