#include "support/LTestDirectory.h"
#include "win32/WinFileSystem.h"
#include "win32/WinPath.h"
#include "win32/WinTimer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

namespace {

std::set<std::string> Listing(const std::string& aPattern)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(aPattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.insert(data.cFileName);
    } while (FindNextFileA(search, &data));
    EXPECT_EQ(ERROR_NO_MORE_FILES, GetLastError());
    FindClose(search);
    return names;
}

} // namespace

TEST(WinPathLookup, ExactNameFirstThenAnyCasePerComponent)
{
    LTestDirectory dir;
    dir.Write("Movies/Painting_Opening.BIK", "bink");
    dir.Write("movies/painting_opening.bik", "other"); // an exact match wins over a folded one
    char out[WIN_PATH_CAPACITY];
    ASSERT_TRUE(WinResolvePath(dir.File("MOVIES/PAINTING_OPENING.bik").c_str(), out, sizeof(out), FALSE));
    const std::string found(out);
    EXPECT_TRUE(found == dir.File("Movies/Painting_Opening.BIK") || found == dir.File("movies/painting_opening.bik"));
    ASSERT_TRUE(WinResolvePath(dir.File("movies/painting_opening.bik").c_str(), out, sizeof(out), FALSE));
    EXPECT_EQ(dir.File("movies/painting_opening.bik"), std::string(out));
}

TEST(WinPathLookup, MissingComponentsAndNewLeaves)
{
    LTestDirectory dir;
    dir.Write("Data/a.txt", "x");
    char out[WIN_PATH_CAPACITY];
    EXPECT_FALSE(WinResolvePath(dir.File("data/missing.txt").c_str(), out, sizeof(out), FALSE));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(WinResolvePath(dir.File("nowhere/a.txt").c_str(), out, sizeof(out), TRUE));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
    ASSERT_TRUE(WinResolvePath(dir.File("DATA/New.txt").c_str(), out, sizeof(out), TRUE));
    EXPECT_EQ(dir.File("Data/New.txt"), std::string(out));
    // Too small an output is refused, not overrun.
    char tiny[8];
    EXPECT_FALSE(WinResolvePath(dir.File("DATA/a.txt").c_str(), tiny, sizeof(tiny), FALSE));
}

TEST(WinPathLookup, FilesOpenAndCreateInAnyCase)
{
    LTestDirectory dir;
    dir.Write("Scenes/Hall.txt", "hall");
    HANDLE file = CreateFileA(dir.File("scenes/hall.TXT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char bytes[8] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, bytes, sizeof(bytes), &read, nullptr));
    EXPECT_EQ("hall", std::string(bytes, read));
    CloseHandle(file);

    file = CreateFileA(dir.File("SCENES/new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    EXPECT_TRUE(std::filesystem::exists(dir.File("Scenes/new.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("SCENES")));
}

TEST(WinFindFiles, ListingIncludesDotsAndMatchesPatternsInAnyCase)
{
    LTestDirectory dir;
    dir.Write("a.TXT", "1");
    dir.Write("b.bin", "2");
    dir.Write("sub/c.txt", "3");
    EXPECT_EQ((std::set<std::string> {".", "..", "a.TXT", "b.bin", "sub"}), Listing(dir.File("*")));
    EXPECT_EQ((std::set<std::string> {"a.TXT"}), Listing(dir.File("*.txt")));
    EXPECT_TRUE(Listing(dir.File("*.none")).empty());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_TRUE(Listing(dir.File("nowhere/*")).empty());
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST(WinFindFiles, SingleEntryGivesSizeAndAttributes)
{
    LTestDirectory dir;
    dir.Write("five.bin", "12345");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(dir.File("FIVE.bin").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_EQ(5u, data.nFileSizeLow);
    EXPECT_EQ(0u, data.nFileSizeHigh);
    EXPECT_STREQ("five.bin", data.cFileName);
    EXPECT_FALSE(FindNextFileA(search, &data));
    FindClose(search);
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA(dir.File("six.bin").c_str(), &data));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA(dir.Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(WinFileCalls, DeleteRefusesReadOnlyFilesAndDirectories)
{
    LTestDirectory dir;
    dir.Write("locked.txt", "x");
    std::filesystem::permissions(dir.File("locked.txt"), std::filesystem::perms::owner_read);
    EXPECT_FALSE(DeleteFileA(dir.File("locked.txt").c_str()));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_FALSE(DeleteFileA(dir.Path().c_str()));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_FALSE(DeleteFileA(dir.File("missing").c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, GetLastError());
    dir.Write("free.txt", "x");
    EXPECT_TRUE(DeleteFileA(dir.File("FREE.txt").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("free.txt")));
}

TEST(WinFileCalls, CopyAndMoveHonourTheirOverwriteFlags)
{
    LTestDirectory dir;
    dir.Write("a", "new");
    dir.Write("b", "old");
    EXPECT_FALSE(CopyFileA(dir.File("a").c_str(), dir.File("b").c_str(), TRUE));
    EXPECT_EQ("old", dir.Read("b"));
    EXPECT_TRUE(CopyFileA(dir.File("a").c_str(), dir.File("b").c_str(), FALSE));
    EXPECT_EQ("new", dir.Read("b"));
    dir.Write("c", "moved");
    EXPECT_FALSE(MoveFileExA(dir.File("c").c_str(), dir.File("b").c_str(), 0));
    EXPECT_TRUE(MoveFileExA(dir.File("c").c_str(), dir.File("b").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ("moved", dir.Read("b"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("c")));
}

TEST(WinFileCalls, DirectoryCopyRecursionAndCollisions)
{
    LTestDirectory dir;
    dir.Write("src/top.txt", "top");
    dir.Write("src/deep/inner.txt", "inner");
    dir.Write("dst/top.txt", "kept");
    const std::string from = dir.File("src") + std::string("\0", 1);
    const std::string to = dir.File("dst") + std::string("\0", 1);
    SHFILEOPSTRUCTA operation {nullptr, FO_COPY, from.c_str(), to.c_str(),
                               static_cast<WORD>(FOF_NORECURSION | FOF_RENAMEONCOLLISION)};
    EXPECT_EQ(0, SHFileOperationA(&operation));
    EXPECT_EQ("kept", dir.Read("dst/top.txt"));
    EXPECT_EQ("top", dir.Read("dst/top (2).txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("dst/deep")));
    operation.fFlags = 0;
    EXPECT_EQ(0, SHFileOperationA(&operation));
    EXPECT_EQ("top", dir.Read("dst/top.txt"));
    EXPECT_EQ("inner", dir.Read("dst/deep/inner.txt"));
}

TEST(WinFileCalls, FilePointerAndSize)
{
    LTestDirectory dir;
    dir.Write("f", "0123456789");
    HANDLE file = CreateFileA(dir.File("f").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD high = 7;
    EXPECT_EQ(10u, GetFileSize(file, &high));
    EXPECT_EQ(0u, high);
    EXPECT_EQ(6u, SetFilePointer(file, 6, nullptr, FILE_BEGIN));
    char c = 0;
    DWORD read = 0;
    ReadFile(file, &c, 1, &read, nullptr);
    EXPECT_EQ('6', c);
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, -100, nullptr, FILE_BEGIN));
    CloseHandle(file);
}

TEST(WinTimerCalls, PeriodsPairAndTheCounterWraps)
{
    EXPECT_EQ(TIMERR_NOCANDO, timeBeginPeriod(0));
    EXPECT_EQ(TIMERR_NOCANDO, timeEndPeriod(1));
    EXPECT_EQ(TIMERR_NOERROR, timeBeginPeriod(1));
    EXPECT_EQ(TIMERR_NOERROR, timeEndPeriod(1));
    EXPECT_EQ(TIMERR_NOCANDO, timeEndPeriod(1));

    const DWORD now = timeGetTime();
    WinTimerSetOffset(0xFFFFFFFFu - now); // the counter now sits at its last value
    EXPECT_GE(timeGetTime(), 0xFFFFFF00u);
    WinTimerSetOffset(0);
}
