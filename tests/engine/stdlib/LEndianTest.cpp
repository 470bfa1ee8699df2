#include "container/LString.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LEndian.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Endian, LittleEndianHostConvertsBigEndianData)
{
    LEndian* endian = LEndian::Instance();
    ASSERT_NE(nullptr, endian);
    EXPECT_TRUE(endian->IsLittleEndian());
    EXPECT_EQ(0x04030201u, endian->mLittle32(0x04030201u));
    EXPECT_EQ(0x01020304u, endian->mBig32(0x04030201u));
    EXPECT_EQ(0x3412u, endian->mBig16(0x1234u));
    EXPECT_EQ(0x1234u, endian->mLittle16(0x1234u));
    EXPECT_EQ(1.5f, endian->mLittleFloat(1.5f));
    const float swapped = endian->mBigFloat(1.0f);
    unsigned char bytes[4];
    std::memcpy(bytes, &swapped, 4);
    EXPECT_EQ(0x3F, bytes[0]);
    EXPECT_EQ(0x80, bytes[1]);
    EXPECT_EQ(1.0f, endian->mBigFloat(swapped));
}

TEST(Endian, AFreshInstanceAfterTheCleaner)
{
    ASSERT_NE(nullptr, LEndian::Instance());
    delete LCleaner::Get();
    LEndian* again = LEndian::Instance();
    ASSERT_NE(nullptr, again);
    EXPECT_TRUE(again->IsLittleEndian());
}
