#include "container/LString.h"
#include "container/LVectorString.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// The file system with a temporary directory mounted as "//root".
class FileSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mFileSystem = LIFileSystem::Get();
        ASSERT_NE(nullptr, mFileSystem);
        ASSERT_TRUE(mFileSystem->AddMount(LString("//root"), FromStd(mDirectory.Path())));
    }

    std::vector<std::string> Sorted(const LVectorString& aNames)
    {
        std::vector<std::string> names;
        for (int i = 0; i < aNames.GetCount(); ++i) {
            names.push_back(ToStd(aNames[i]));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    LTestDirectory mDirectory;
    LIFileSystem* mFileSystem = nullptr;
};

} // namespace

TEST_F(FileSystemTest, SymbolicPathsResolveThroughTheirMounts)
{
    mFileSystem->AddMount(LString("//textures"), LString("/one"));
    EXPECT_TRUE(mFileSystem->AddMount(LString("//textures"), LString("/g/data/textures"))); // replaced
    mFileSystem->AddMount(LString("//1"), LString("/taken"));
    LString temp;
    ASSERT_TRUE(mFileSystem->AddTempMount(LString("/tmp/a"), temp));
    EXPECT_EQ("//2", ToStd(temp));
    ASSERT_TRUE(mFileSystem->SetCurrentPath(LString("//root")));
    struct Case { const char* path; std::string native; };
    for (const Case& c : {Case {"//textures/interview/x.tga", "/g/data/textures/interview/x.tga"},
                          Case {"//textures", "/g/data/textures"}, Case {"//2/f", "/tmp/a/f"},
                          Case {"./a.txt", mDirectory.File("a.txt")}, Case {"/b.txt", mDirectory.File("b.txt")}}) {
        LString native;
        ASSERT_TRUE(mFileSystem->GetNativePath(LString(c.path), native)) << c.path;
        EXPECT_EQ(c.native, ToStd(native));
    }
    EXPECT_TRUE(mFileSystem->RemoveMount(LString("//textures")));
    EXPECT_FALSE(mFileSystem->RemoveMount(LString("//textures")));
}

TEST_F(FileSystemTest, BadPathsAndMountNamesAreLoggedAndLeaveTheOutput)
{
    LLogCapture log;
    LString native("unchanged");
    EXPECT_FALSE(mFileSystem->GetNativePath(LString("data/x.txt"), native));
    EXPECT_EQ(0u, log.Lines()[0].find("ERROR: .\\stdlib\\LIFileSystem.cpp, "));
    EXPECT_TRUE(log.Contains("Invalid symbolic path: data/x.txt"));
    EXPECT_FALSE(mFileSystem->GetNativePath(LString("//Root/x.txt"), native));
    EXPECT_TRUE(log.Contains("Mount undefined: //Root"));
    EXPECT_EQ("unchanged", ToStd(native));
    EXPECT_FALSE(mFileSystem->AddMount(LString("sounds"), LString("/x")));
    EXPECT_TRUE(log.Contains("Invalid arg. Symbolic name should start with '//'. aSymName:sounds"));
    EXPECT_FALSE(mFileSystem->AddMount(LString("//a/b"), LString("/x")));
    EXPECT_TRUE(log.Contains("Invalid arg. aSymName://a/b"));
    EXPECT_FALSE(mFileSystem->SetCurrentPath(LString("/root")));
    EXPECT_TRUE(log.Contains("Invalid path. Absolute paths should start with '//': /root"));
}

TEST(FileSystemNamesTest, NamesFromFilesStayBelowTheirFolder)
{
    for (const char* name : {"", "x.lisv", "sub/x.lisv", "a..b/...x", "..x", "x..", "./x"}) {
        EXPECT_TRUE(LIFileSystem::IsSafeName(LString(name))) << name;
    }
    for (const char* name : {"..", "../x.lisv", "sub/../../x", "sub\\..\\x", "sub/..", "/tmp/x", "\\x"}) {
        EXPECT_FALSE(LIFileSystem::IsSafeName(LString(name))) << name;
    }
    for (const char* path : {"//meshes/x.lisv", "//meshes/sub/x.lisv", "//meshes"}) {
        EXPECT_TRUE(LIFileSystem::IsBelowMount(LString(path))) << path;
    }
    // Below the mount's name the same check; a path of another form is refused.
    for (const char* path : {"//meshes/../x.lisv", "//meshes//tmp/x.lisv", "//meshes/a/../../x", "///x",
                             "/meshes/x.lisv", "meshes/x.lisv", "../x.lisv", "//"}) {
        EXPECT_FALSE(LIFileSystem::IsBelowMount(LString(path))) << path;
    }
}

TEST_F(FileSystemTest, FileNamesMatchInAnyCase)
{
    mDirectory.Write("Movies/Painting_Opening.BIK", "12345");
    EXPECT_TRUE(mFileSystem->FileExists(LString("//root/movies/painting_opening.bik"), true));
    EXPECT_EQ(5, mFileSystem->GetFileSize(LString("//root/movies/painting_opening.bik"), true));
    EXPECT_TRUE(mFileSystem->PathExists(LString("//root/MOVIES"), true));
}

TEST_F(FileSystemTest, SizesOfMissingEmptyAndHugeFiles)
{
    LLogCapture log;
    EXPECT_FALSE(mFileSystem->FileExists(LString("//root/missing.txt"), true));
    EXPECT_TRUE(log.Contains("FileExists failure. Error:2"));
    EXPECT_FALSE(mFileSystem->PathExists(LString("//root/missing.txt"), true));
    EXPECT_EQ(-1, mFileSystem->GetFileSize(LString("//root/missing.txt"), true));
    EXPECT_TRUE(log.Contains("GetFileSize failure. Error:2 for native path:" + mDirectory.File("missing.txt")));
    mDirectory.Write("empty.txt", "");
    EXPECT_EQ(0, mFileSystem->GetFileSize(LString("//root/empty.txt"), true));
    // Sparse files: no disk space is used.
    mDirectory.Write("big.bin", "");
    std::filesystem::resize_file(mDirectory.File("big.bin"), 0x80000000ull);
    EXPECT_EQ(-1, mFileSystem->GetFileSize(LString("//root/big.bin"), true));
    std::filesystem::resize_file(mDirectory.File("big.bin"), 0x100000001ull);
    EXPECT_EQ(-1, mFileSystem->GetFileSize(LString("//root/big.bin"), true));
    EXPECT_EQ(2, log.Count("File size out of range."));
    EXPECT_EQ(4, log.Count("ERROR"));
    std::filesystem::resize_file(mDirectory.File("big.bin"), 0x7FFFFFFFull);
    EXPECT_EQ(0x7FFFFFFF, mFileSystem->GetFileSize(LString("//root/big.bin"), true));
}

TEST_F(FileSystemTest, CreateAndDeleteFiles)
{
    LLogCapture log;
    mDirectory.Write("full.txt", "content");
    EXPECT_TRUE(mFileSystem->CreateFile(LString("//root/full.txt"), true));
    EXPECT_EQ("", mDirectory.Read("full.txt"));
    EXPECT_FALSE(mFileSystem->CreateFile(LString("//root/no/dir/x.txt"), true));
    EXPECT_TRUE(log.Contains("Could not create file://root/no/dir/x.txt, error code:"));

    EXPECT_TRUE(mFileSystem->DeleteFile(LString("//root/full.txt"), true));
    EXPECT_FALSE(std::filesystem::exists(mDirectory.File("full.txt")));
    EXPECT_FALSE(mFileSystem->DeleteFile(LString("//root/full.txt"), true));
    EXPECT_TRUE(log.Contains("File delete failure. Error code: 2"));
    mDirectory.Write("locked.txt", "x");
    std::filesystem::permissions(mDirectory.File("locked.txt"), std::filesystem::perms::owner_read);
    EXPECT_FALSE(mFileSystem->DeleteFile(LString("//root/locked.txt"), true));
    EXPECT_TRUE(log.Contains("Attempt to delete read-only file."));
}

TEST_F(FileSystemTest, ListingsSeparateFilesFromDirectories)
{
    LVectorString names;
    EXPECT_TRUE(mFileSystem->GetFiles(LString("//root"), names, true));
    EXPECT_EQ(0, names.GetCount());
    mDirectory.Write("a.txt", "1");
    mDirectory.Write("b.txt", "2");
    mDirectory.Write("sub/c.txt", "3");
    EXPECT_TRUE(mFileSystem->GetFiles(LString("//root"), names, true));
    EXPECT_EQ((std::vector<std::string> {"a.txt", "b.txt"}), Sorted(names));
    EXPECT_TRUE(mFileSystem->GetDirectories(LString("//root"), names, true));
    EXPECT_EQ((std::vector<std::string> {"sub"}), Sorted(names));
    LLogCapture log;
    EXPECT_FALSE(mFileSystem->GetFiles(LString("//root/none"), names, true));
    EXPECT_TRUE(log.Contains("Invalid file handle. Error: 3"));
}

TEST_F(FileSystemTest, DirectoriesAndCopies)
{
    LLogCapture log;
    EXPECT_TRUE(mFileSystem->CreateDirectory(LString("//root/new"), true));
    EXPECT_TRUE(std::filesystem::is_directory(mDirectory.File("new")));
    EXPECT_FALSE(mFileSystem->CreateDirectory(LString("//root/a/b"), true));
    EXPECT_TRUE(log.Contains("Could not create directory from path: " + mDirectory.File("a/b")));
    mDirectory.Write("src.txt", "data");
    EXPECT_TRUE(mFileSystem->CopyFile(LString("//root/src.txt"), LString("//root/new/dst.txt"), false, true));
    EXPECT_FALSE(mFileSystem->CopyFile(LString("//root/src.txt"), LString("//root/new/dst.txt"), false, true));
    EXPECT_TRUE(log.Contains("File copy failure. src: " + mDirectory.File("src.txt")));
    EXPECT_TRUE(mFileSystem->CopyDirectory(LString("//root/new"), LString("//root/copy"), true, true, true));
    EXPECT_EQ("data", mDirectory.Read("copy/dst.txt")); // symbolic paths reach the copy
    EXPECT_FALSE(mFileSystem->CopyDirectory(LString("//root/none"), LString("//root/copy2"), true, true, true));
    EXPECT_TRUE(log.Contains("Directory copy failure."));
}

TEST_F(FileSystemTest, CurrentDirectoryAndDrives)
{
    const std::filesystem::path before = std::filesystem::current_path();
    EXPECT_TRUE(mFileSystem->SetCurrentDirectory(LString("//root"), true));
    LString current;
    EXPECT_TRUE(mFileSystem->GetCurrentDirectory(current));
    EXPECT_EQ(std::filesystem::canonical(mDirectory.Path()).string(), ToStd(current));
    std::filesystem::current_path(before);

    LString* drives = nullptr;
    EXPECT_EQ(1, mFileSystem->GetDrives(&drives));
    ASSERT_NE(nullptr, drives);
    EXPECT_EQ("/", ToStd(drives[0]));
    LLogCapture log;
    EXPECT_EQ(0, mFileSystem->GetDrives(&drives));
    EXPECT_TRUE(log.Contains("Invalid argument."));
    delete[] drives;
    EXPECT_EQ("/", ToStd(mFileSystem->GetSeparator()));
}
