#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

TEST(Log, EntriesAreLinesEndingInCrLfInOrder)
{
    LLogCapture log;
    Log(LString("first"));
    Log(u"second");
    EXPECT_EQ("first\r\nsecond\r\n", log.Bytes());
}

TEST(Log, EmptyNullAndEmbeddedLineFeeds)
{
    LLogCapture log;
    Log(u"");
    Log(static_cast<const char16_t*>(nullptr));
    Log(u"a\nb");
    EXPECT_EQ("\r\na\r\nb\r\n", log.Bytes());
}

TEST(Log, CharactersAreWrittenAsTheirLowByte)
{
    LLogCapture log;
    const char16_t text[] = {u'e', 0x00E9, 0x263A, u'!', 0};
    Log(text);
    const std::string bytes = log.Bytes();
    ASSERT_EQ(6u, bytes.size());
    EXPECT_EQ('e', bytes[0]);
    EXPECT_EQ(233, static_cast<unsigned char>(bytes[1]));
    EXPECT_EQ(0x3A, static_cast<unsigned char>(bytes[2])); // the rest of the entry is kept
    EXPECT_EQ('!', bytes[3]);
    EXPECT_EQ("\r\n", bytes.substr(4));
}

TEST(Log, ErrorEntriesCarryTheSourcePositionOnOneLine)
{
    LLogCapture log;
    EXPECT_EQ(0, LMemoryManager::PushHeap(300));
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(1u, lines.size());
    const std::string& line = lines[0];
    const std::string head = "ERROR: .\\memory\\LMemoryManager.cpp, ";
    ASSERT_EQ(0u, line.find(head));
    const size_t colon = line.find(": ", head.size());
    ASSERT_NE(std::string::npos, colon);
    const std::string number = line.substr(head.size(), colon - head.size());
    EXPECT_GT(std::stoi(number), 0);
    EXPECT_EQ("Heap index out of bounds.", line.substr(colon + 2));
}

TEST(Log, MacrosBuildTheLineFormat)
{
    LLogCapture log;
    const int line = __LINE__ + 1;
    L_WARNING(LString("missing ") + 3);
    EXPECT_EQ("WARNING: .\\stdlib\\LLogTest.cpp, " + std::to_string(line) + ": missing 3\r\n", log.Bytes());
}

TEST(Log, SourcePathsAreRelativeToTheSourceRoot)
{
    constexpr LSourcePath<sizeof("/x/engine/memory/LHeap.cpp")> engine("/x/engine/memory/LHeap.cpp");
    EXPECT_STREQ(".\\memory\\LHeap.cpp", engine.Text());
    constexpr LSourcePath<sizeof("/r/game/pda/GMPDA.cpp")> game("/r/game/pda/GMPDA.cpp");
    EXPECT_STREQ(".\\pda\\GMPDA.cpp", game.Text());
    constexpr LSourcePath<sizeof("/r/tests/a/b.cpp")> other("/r/tests/a/b.cpp");
    EXPECT_STREQ(".\\b.cpp", other.Text());
}

TEST(Log, UnwritableDirectoryLosesTheEntryQuietly)
{
    LLogCapture log;
    SetLogDirectory(LString("/nonexistent/dir/for/log"));
    Log(u"lost");
    SetLogDirectory(LString(log.Directory().Path().c_str()));
    Log(u"kept");
    EXPECT_EQ("kept\r\n", log.Bytes());
}
