#include "LBox2.h"
#include "LBox3.h"
#include "LLine2.h"
#include "LMatrix4.h"
#include "LQuaternion.h"
#include "LVector4.h"
#include "stdlib/LMemoryStream.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

// Gives 4-byte transfers of the value 1.0f; the transfer numbered aFailAt (from 0) fails.
// Counts every transfer asked for, so a test can see that a record tries every field.
class LCountingStream : public LLimitedStream
{
public:
    explicit LCountingStream(int aFailAt) : LLimitedStream(1 << 20), mFailAt(aFailAt) {}

    bool ReadBytes(int aNumBytes, void* aBuffer) override
    {
        if (mCalls++ == mFailAt) {
            return false;
        }
        const float one = 1.0f;
        std::memcpy(aBuffer, &one, sizeof(one));
        return aNumBytes == 4;
    }

    bool WriteBytes(int aNumBytes, const void*) override { return mCalls++ != mFailAt; }

    int mFailAt;
    int mCalls = 0;
};

template <typename T>
std::string RecordBytes(const T& aValue)
{
    LMemoryStream stream(64, LMemoryStream::GROW_DOUBLE);
    EXPECT_TRUE(aValue.Write(&stream));
    return WrittenBytes(stream);
}

} // namespace

TEST(GeometryRecords, VectorSizesAndGoldenBytes)
{
    EXPECT_EQ("00 00 80 3F 00 00 00 40", Hex(RecordBytes(LVector2(1, 2))));
    EXPECT_EQ(12u, RecordBytes(LVector3(1, 2, 3)).size());
    EXPECT_EQ(16u, RecordBytes(LVector4(1, 2, 3, 4)).size());
    LQuaternion q;
    q.w = -2.0f;
    EXPECT_EQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 C0", Hex(RecordBytes(q)));
    EXPECT_EQ(16u, RecordBytes(LBox2(1, 2, 3, 4)).size());
    EXPECT_EQ(24u, RecordBytes(LBox3(LVector3(1, 2, 3), LVector3(4, 5, 6))).size());
}

TEST(GeometryRecords, LineRecordIsTypeStartEnd)
{
    LLine2 line(LVector2(1, 2), LVector2(3, 4), L_LINE_SEGMENT);
    LMemoryStream stream(64, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(line.Write(&stream));
    const std::string bytes = WrittenBytes(stream);
    ASSERT_EQ(20u, bytes.size());
    EXPECT_EQ("02 00 00 00 00 00 80 3F", Hex(bytes.substr(0, 8)));

    LMemoryStream input(64, LMemoryStream::GROW_DOUBLE);
    Load(input, bytes);
    LLine2 back;
    ASSERT_TRUE(back.Read(&input));
    EXPECT_EQ(L_LINE_SEGMENT, back.GetType());
    EXPECT_EQ(LVector2(1, 2), back.GetStart());
    EXPECT_EQ(LVector2(3, 4), back.GetEnd());

    // A short record fails.
    LMemoryStream shortInput(64, LMemoryStream::GROW_DOUBLE);
    Load(shortInput, bytes.substr(0, 12));
    EXPECT_FALSE(back.Read(&shortInput));
    EXPECT_FALSE(line.Write(nullptr));
}

TEST(GeometryRecords, MatrixRoundTripIsBitIdentical)
{
    LMatrix4 m;
    for (int i = 0; i < 16; ++i) {
        m[i] = static_cast<float>(i) * 0.1f - 0.75f;
    }
    m[3] = -0.0f;
    m[7] = std::numeric_limits<float>::denorm_min();
    m[11] = std::numeric_limits<float>::max();
    LMemoryStream stream(64, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(m.Write(&stream));
    const std::string bytes = WrittenBytes(stream);
    ASSERT_EQ(64u, bytes.size());
    EXPECT_EQ(0, std::memcmp(bytes.data(), m.m, 64)); // element order, little-endian floats

    LMemoryStream input(64, LMemoryStream::GROW_DOUBLE);
    Load(input, bytes);
    LMatrix4 back(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    ASSERT_TRUE(back.Read(&input));
    EXPECT_EQ(0, std::memcmp(back.m, m.m, 64));
}

TEST(GeometryRecords, EveryFieldIsAttemptedAfterAFailure)
{
    LCountingStream matrixInput(2);
    LMatrix4 m(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(m.Read(&matrixInput));
    EXPECT_EQ(16, matrixInput.mCalls);
    EXPECT_EQ(1.0f, m[15]); // read after the failed third element
    EXPECT_EQ(0.0f, m[2]);

    LCountingStream matrixOutput(0);
    EXPECT_FALSE(LMatrix4().Write(&matrixOutput));
    EXPECT_EQ(16, matrixOutput.mCalls);

    LCountingStream lineInput(0);
    LLine2 line;
    EXPECT_FALSE(line.Read(&lineInput));
    EXPECT_EQ(5, lineInput.mCalls);
}
