#include "container/LString.h"
#include "object/LObject.h"
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
