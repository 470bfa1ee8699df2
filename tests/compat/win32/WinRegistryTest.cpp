// The processor clock read through the registry calls from a cpuinfo listing.
#include "win32/WinRegistry.h"

#include "support/LTestDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\";

// The clock of processor aIndex, or -1 when the key does not open, -2 when the value
// does not read.
long Clock(int aIndex)
{
    HKEY key = nullptr;
    std::string path = std::string(kKey) + std::to_string(aIndex);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != 0) {
        return -1;
    }
    DWORD value = 0;
    DWORD size = sizeof(value);
    LSTATUS status = RegQueryValueExA(key, "~MHz", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == 0 ? long(value) : -2;
}

class WinRegistry : public testing::Test
{
protected:
    void Use(const std::string& aContents)
    {
        mDirectory.Write("cpuinfo", aContents);
        mPath = mDirectory.Path() + "/cpuinfo";
        RegSetCpuInfoPath(mPath.c_str());
    }
    void TearDown() override { RegSetCpuInfoPath(nullptr); }

    LTestDirectory mDirectory;
    std::string mPath;
};

TEST_F(WinRegistry, ProcessorClockIsTheRoundedCpuMHzOfThatProcessor)
{
    Use("processor\t: 0\nmodel name\t: X\ncpu MHz\t\t: 2394.456\n\nprocessor\t: 1\ncpu MHz\t\t: 3000.6\n");
    EXPECT_EQ(2394, Clock(0));
    EXPECT_EQ(3001, Clock(1));
    EXPECT_EQ(-1, Clock(2));
}

TEST_F(WinRegistry, ListingWithoutAClockOpensButHasNoValue)
{
    Use("processor\t: 0\nBogoMIPS\t: 50.00\n");
    EXPECT_EQ(-2, Clock(0));
}

TEST_F(WinRegistry, MissingListingOrOtherKeysDoNotOpen)
{
    RegSetCpuInfoPath("/nonexistent/cpuinfo");
    EXPECT_EQ(-1, Clock(0));
    HKEY key = nullptr;
    EXPECT_NE(0, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", 0, KEY_QUERY_VALUE, &key));
    EXPECT_NE(0, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0x", 0,
                               KEY_QUERY_VALUE, &key));
    EXPECT_EQ(nullptr, key);
}

TEST_F(WinRegistry, ValueBufferTooSmallIsRefused)
{
    Use("processor : 0\ncpu MHz : 1200.0\n");
    HKEY key = nullptr;
    ASSERT_EQ(0, RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "0").c_str(), 0, KEY_QUERY_VALUE, &key));
    BYTE small[2] = {};
    DWORD size = sizeof(small);
    EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(key, "~MHz", nullptr, nullptr, small, &size));
    EXPECT_EQ(4u, size);
    RegCloseKey(key);
}

TEST(WinErrorText, SystemTextIsAllocatedAndFreed)
{
    char16_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 2,
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char16_t*>(&text), 0,
                                  nullptr);
    ASSERT_GT(length, 0u);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(u'T', text[0]);
    EXPECT_EQ(0, text[length]);
    LocalFree(text);
}

} // namespace
