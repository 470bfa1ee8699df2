#include "container/LString.h"
#include "object/LObject.h"
#include "stdlib/LMemoryStream.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <new>

TEST(ObjectBase, DumpNamesClassAndAddress)
{
    LBase base;
    char expected[64];
    std::snprintf(expected, sizeof(expected), "[LBase <%llx>]",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&base)));
    EXPECT_EQ(expected, ToStd(base.Dump()));
    EXPECT_EQ(std::string("x") + expected, ToStd(LString("x") + base));
}

namespace {

class LPlainObject : public LObject
{
public:
    void SetFlags(bool aFirst, bool aSecond)
    {
        mFlag1 = aFirst;
        mFlag2 = aSecond;
    }

    // The two flag bytes as stored (a bool read from a byte other than 0 or 1 is undefined).
    int RawFlags() const
    {
        unsigned char bytes[2];
        std::memcpy(&bytes[0], &mFlag1, 1);
        std::memcpy(&bytes[1], &mFlag2, 1);
        return bytes[0] << 8 | bytes[1];
    }
};

} // namespace

TEST(ObjectPersistence, FlagsStartClearedAndRoundTripAsTwoBytes)
{
    // Made over memory full of set bits: the constructor clears both flags.
    alignas(LPlainObject) unsigned char storage[sizeof(LPlainObject)];
    for (volatile unsigned char& byte : storage) {
        byte = 0xFF; // volatile: the stores stay before the constructor
    }
    LPlainObject* fresh = new (storage) LPlainObject; // default-initialised: no zeroing
    EXPECT_EQ(0, fresh->RawFlags());
    EXPECT_EQ(1, fresh->Init(42));
    fresh->~LPlainObject();
    LPlainObject written;
    written.SetFlags(true, false);
    LMemoryStream stream(4, -1);
    ASSERT_TRUE(written.Write(&stream));
    EXPECT_EQ("01 00", Hex(WrittenBytes(stream)));
    stream.SetPosition(0);
    LPlainObject read;
    read.SetFlags(false, true);
    ASSERT_TRUE(read.Read(&stream));
    EXPECT_TRUE(read.GetFlag1());
    EXPECT_FALSE(read.GetFlag2());
}

TEST(ObjectPersistence, AShortStreamReadsTheFirstFlagAndFails)
{
    LMemoryStream stream(4, -1);
    Load(stream, std::string("\x01", 1));
    LPlainObject object;
    EXPECT_FALSE(object.Read(&stream));
    EXPECT_TRUE(object.GetFlag1());
    EXPECT_FALSE(object.GetFlag2());
}

TEST(ObjectPersistence, FailingWritesAreReportedAndBothAttempted)
{
    LPlainObject object;
    LLimitedStream none(0);
    EXPECT_FALSE(object.Write(&none));
    LLimitedStream one(1);
    EXPECT_FALSE(object.Write(&one));
    EXPECT_EQ(1, one.mPosition); // the first flag went out; the second was still tried
    EXPECT_FALSE(object.Write(nullptr));
}
