#include "container/LString.h"
#include "object/LObject.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

class LTextObject : public LObject
{
public:
    explicit LTextObject(const char* aText, bool aFails = false) : mText(aText), mFails(aFails) {}
    bool Write(LIStream* aStream) override { return !mFails && aStream->Write(mText); }

    const char* mText;
    bool mFails;
};

class FileStreamTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//root"), FromStd(mDirectory.Path())));
    }

    LString Native(const char* aName) { return FromStd(mDirectory.File(aName)); }

    LTestDirectory mDirectory;
};

} // namespace

TEST_F(FileStreamTest, WritesThenReadsTypedValues)
{
    LFileStream out(LString("//root/values.bin"), true);
    ASSERT_TRUE(out.SetOpenMode(LFileStream::OPEN_WRITE));
    ASSERT_TRUE(out.Open());
    EXPECT_TRUE(out.Write(7));
    EXPECT_TRUE(out.Write(LString("ab")));
    EXPECT_EQ(14, out.GetPosition());
    EXPECT_TRUE(out.Close());
    EXPECT_EQ(std::string("\x07\0\0\0\x02\0\0\0a\0b\0\0\0", 14), mDirectory.Read("values.bin"));

    LFileStream in(Native("values.bin"), false);
    ASSERT_TRUE(in.Open());
    int value = 0;
    LString text;
    EXPECT_TRUE(in.Read(value));
    EXPECT_TRUE(in.Read(text));
    EXPECT_EQ(7, value);
    EXPECT_EQ("ab", ToStd(text));
}

TEST_F(FileStreamTest, AShortReadDoesNotSpoilLaterReads)
{
    mDirectory.Write("four.bin", "abcd");
    LFileStream stream(Native("four.bin"), false);
    ASSERT_TRUE(stream.Open());
    char buffer[10] = {};
    EXPECT_FALSE(stream.ReadBytes(10, buffer));
    EXPECT_EQ(4, stream.GetPosition());
    EXPECT_FALSE(stream.ReadBytes(1, buffer));
    EXPECT_TRUE(stream.ReadBytes(0, buffer));
    ASSERT_TRUE(stream.SetPosition(1));
    EXPECT_TRUE(stream.ReadBytes(2, buffer));
    EXPECT_EQ("bc", std::string(buffer, 2));
    // A string count beyond the file is refused before anything is read.
    mDirectory.Write("bad.bin", std::string("\x10\0\0\0a\0", 6));
    LFileStream bad(Native("bad.bin"), false);
    ASSERT_TRUE(bad.Open());
    LLogCapture log;
    LString text("kept");
    EXPECT_FALSE(bad.Read(text));
    EXPECT_EQ("kept", ToStd(text));
    EXPECT_TRUE(log.Contains("Invalid string length: 16"));
}

TEST_F(FileStreamTest, OpenCloseAndModeRules)
{
    mDirectory.Write("f.txt", "old contents");
    LLogCapture log;
    LFileStream stream(Native("f.txt"), false);
    EXPECT_FALSE(stream.Close());
    EXPECT_TRUE(log.Contains("WARNING: .\\stdlib\\LFileStream.cpp, "));
    EXPECT_TRUE(log.Contains("Attempt to close an unopened stream."));
    char byte = 0;
    EXPECT_FALSE(stream.ReadBytes(1, &byte));
    EXPECT_TRUE(log.Contains("Attempt to read from unopened stream."));
    EXPECT_FALSE(stream.WriteBytes(1, &byte));
    EXPECT_TRUE(log.Contains("Attempt to write to unopened stream."));
    EXPECT_FALSE(stream.Flush());
    EXPECT_TRUE(log.Contains("Attempt to flush an unopened stream."));

    ASSERT_TRUE(stream.Open());
    EXPECT_TRUE(stream.Open());
    EXPECT_TRUE(log.Contains("Attempt to open an already opened stream."));
    EXPECT_FALSE(stream.SetOpenMode(LFileStream::OPEN_WRITE));
    EXPECT_TRUE(log.Contains("Attempt SetMode on an open stream."));
    EXPECT_TRUE(stream.Close());
    EXPECT_TRUE(stream.SetOpenMode(LFileStream::OPEN_WRITE));
    ASSERT_TRUE(stream.Open());
    EXPECT_EQ("", mDirectory.Read("f.txt")); // writing empties the file first
    EXPECT_TRUE(stream.WriteBytes(6, "abcdef"));
    EXPECT_TRUE(stream.Close());
    stream.SetOpenMode(LFileStream::OPEN_READ_WRITE); // keeps the contents
    ASSERT_TRUE(stream.Open());
    stream.SetPosition(2);
    EXPECT_TRUE(stream.WriteBytes(2, "XY"));
    stream.Close();
    EXPECT_EQ("abXYef", mDirectory.Read("f.txt"));

    LFileStream invalid(Native("f.txt"), false);
    invalid.SetOpenMode(7);
    EXPECT_FALSE(invalid.Open());
    EXPECT_TRUE(log.Contains("Invalid open mode: 7"));
}

TEST_F(FileStreamTest, MissingFilesAndUnknownMountsDoNotOpenOtherCasesDo)
{
    LLogCapture log;
    LFileStream missing(Native("missing.bin"), false);
    EXPECT_FALSE(missing.Open());
    EXPECT_FALSE(log.Contains("ERROR"));
    LFileStream unmounted(LString("//nowhere/x.bin"), true);
    EXPECT_TRUE(log.Contains("LFileStream creation failure. Could not get native path."));
    EXPECT_TRUE(unmounted.GetNativePath().IsEmpty());
    EXPECT_FALSE(unmounted.Open());
    mDirectory.Write("Movies/Painting_Opening.BIK", "bink");
    LFileStream named(LString("//root/movies/painting_opening.bik"), true);
    EXPECT_TRUE(named.Open()); // names match in any case
}

TEST_F(FileStreamTest, WriteToFileReplacesTheWholeFile)
{
    mDirectory.Write("save.bin", "a much longer old content");
    LTextObject object("hi");
    ASSERT_TRUE(LFileStream::WriteToFile(&object, LString("//root/save.bin"), true));
    EXPECT_EQ("hi", mDirectory.Read("save.bin"));
    EXPECT_FALSE(std::filesystem::exists(mDirectory.File("save.bin.tmp")));
    ASSERT_TRUE(LFileStream::WriteToFile(&object, Native("fresh.bin"), false));
    EXPECT_EQ("hi", mDirectory.Read("fresh.bin"));
}

TEST_F(FileStreamTest, AFailedWriteToFileKeepsTheOldFile)
{
    LLogCapture log;
    mDirectory.Write("save.bin", "old");
    LTextObject failing("new", true);
    EXPECT_FALSE(LFileStream::WriteToFile(&failing, LString("//root/save.bin"), true));
    EXPECT_TRUE(log.Contains("Write failure."));
    EXPECT_EQ("old", mDirectory.Read("save.bin"));

    // The temporary file cannot be made: a directory stands in its place.
    std::filesystem::create_directory(mDirectory.File("save.bin.tmp"));
    LTextObject object("new");
    EXPECT_FALSE(LFileStream::WriteToFile(&object, LString("//root/save.bin"), true));
    EXPECT_TRUE(log.Contains("Failure opening file stream."));
    EXPECT_EQ("old", mDirectory.Read("save.bin"));

    EXPECT_FALSE(LFileStream::WriteToFile(nullptr, LString("//root/save.bin"), true));
    EXPECT_TRUE(log.Contains("NULL arg."));
}

TEST_F(FileStreamTest, MemoryStreamLoadsWholeFiles)
{
    mDirectory.Write("Data.BIN", "12345");
    LMemoryStream stream(16, -1);
    ASSERT_TRUE(stream.CreateFromFile(LString("//root/data.bin"), true));
    EXPECT_EQ(5, stream.GetCapacity());
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_EQ("12345", std::string(reinterpret_cast<const char*>(stream.GetBuffer()), 5));

    LLogCapture log;
    EXPECT_FALSE(stream.CreateFromFile(LString("//root/none.bin"), true));
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: .\\stdlib\\LMemoryStream.cpp, "));
    EXPECT_TRUE(log.Contains("Failure opening file stream."));
    EXPECT_EQ(5, stream.GetCapacity()); // unchanged
}

TEST_F(FileStreamTest, MemoryStreamRefusesAFileOfUnknownSize)
{
    mDirectory.Write("huge.bin", "");
    std::filesystem::resize_file(mDirectory.File("huge.bin"), 0x80000000ull);
    LLogCapture log;
    LMemoryStream stream(16, -1);
    EXPECT_FALSE(stream.CreateFromFile(FromStd(mDirectory.File("huge.bin")), false));
    EXPECT_TRUE(log.Contains("File size out of range."));
    EXPECT_TRUE(log.Contains("CreateFromFile failure."));
    EXPECT_EQ(16, stream.GetCapacity());
}

TEST_F(FileStreamTest, OnlyRegularFilesOpenForReading)
{
    ASSERT_EQ(0, ::mkfifo(mDirectory.File("pipe").c_str(), 0600));
    struct Case
    {
        LString path;
        int mode;
        bool opens;
        bool logged;
    } cases[] = {
        {Native("pipe"), LFileStream::OPEN_READ, false, true},       // no writer: would wait
        {Native("pipe"), LFileStream::OPEN_READ_WRITE, false, true}, // would read for ever
        {LString("/dev/zero"), LFileStream::OPEN_READ, false, true}, // endless
        {FromStd(mDirectory.Path()), LFileStream::OPEN_READ, false, false},
        {LString("/dev/null"), LFileStream::OPEN_WRITE, true, false},
    };
    for (const Case& c : cases) {
        LLogCapture log;
        LFileStream stream(c.path, false);
        stream.SetOpenMode(c.mode);
        EXPECT_EQ(c.opens, stream.Open()) << ToStd(c.path) << " " << c.mode;
        EXPECT_EQ(c.logged, log.Contains("Not a regular file: ")) << ToStd(c.path) << " " << c.mode;
    }
    // Every reader of whole files goes through the same open.
    LLogCapture log;
    LMemoryStream stream(16, -1);
    EXPECT_FALSE(stream.CreateFromFile(LString("//root/pipe"), true));
    EXPECT_TRUE(log.Contains("Not a regular file: "));
}
