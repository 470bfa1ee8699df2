#include "container/LString.h"
#include "object/LObject.h"
#include "stdlib/LMemoryStream.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class LTestObject : public LObject
{
public:
    bool Read(LIStream*) override { return true; }
    bool Write(LIStream*) override { return true; }
    bool Flag1() const { return mFlag1; }
};

} // namespace

TEST(ObjectBase, DumpNamesClassAndAddress)
{
    LBase base;
    char expected[64];
    std::snprintf(expected, sizeof(expected), "[LBase <%llx>]",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&base)));
    EXPECT_EQ(expected, ToStd(base.Dump()));
    EXPECT_EQ(std::string("x") + expected, ToStd(LString("x") + base));
}

TEST(ObjectBase, ObjectDefaults)
{
    LTestObject object;
    EXPECT_FALSE(object.GetFlag1());
    EXPECT_FALSE(object.GetFlag2());
    EXPECT_EQ(1, object.Init(42));
    EXPECT_EQ(0, object.GetZeroA() + object.GetZeroB() + object.GetZeroC());
    LBase* asBase = new LTestObject();
    delete asBase; // virtual destructor through the root
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
};

} // namespace

TEST(ObjectPersistence, FlagsRoundTripAsTwoBytes)
{
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
