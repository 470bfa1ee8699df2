#include "container/LString.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

TEST(String, NullAndEmptyFormsBehaveAlikeButForClearAndReverseFind)
{
    LString never;
    LString cleared("abc");
    cleared.Clear();
    EXPECT_TRUE(never.Equals(u"", false));
    EXPECT_TRUE(cleared.Equals(u"", true));
    EXPECT_TRUE(never == cleared);
    EXPECT_TRUE(never.EqualsNoCase(cleared));
    never.Clear();
    EXPECT_FALSE(never.HasBuffer());
    EXPECT_EQ(-1, never.ReverseFind(u""));
    EXPECT_EQ(0, cleared.ReverseFind(u""));
}

TEST(String, SearchesAndIndexChecks)
{
    LLogCapture log;
    LString text("abcabc");
    EXPECT_EQ(1, text.Find(u"bc", 0));
    EXPECT_EQ(4, text.Find(u"bc", 2));
    EXPECT_EQ(-1, text.Find(u"bc", 6)); // from the length
    EXPECT_EQ(-1, text.Find(static_cast<const char16_t*>(nullptr), 0));
    EXPECT_EQ(-1, text.Find(u"a", -1));
    EXPECT_EQ(0, text.Find(u"", 0));
    EXPECT_EQ(6, text.ReverseFind(u""));
    EXPECT_EQ(4, text.ReverseFind(u"bc"));
    EXPECT_EQ(-1, text.ReverseFind(u"abcabca"));
    EXPECT_EQ(u'b', text.At(1));
    EXPECT_EQ(0, text.At(-1));
    EXPECT_EQ(0, text.At(6));
    EXPECT_EQ(2, log.Count("Index out of bounds."));
}

TEST(String, MatchPairConsumesOneCloserPerOpener)
{
    LLogCapture log;
    LString out;
    EXPECT_TRUE(LString("[a[b][c]d]").MatchPair(LString("["), LString("]"), 0, &out));
    EXPECT_EQ("a[b][c]d", ToStd(out));
    EXPECT_TRUE(LString("[a[b[c]]d]").MatchPair(LString("["), LString("]"), 0, &out));
    EXPECT_EQ("a[b[c]", ToStd(out));
    EXPECT_FALSE(LString("[abc").MatchPair(LString("["), LString("]"), 0, &out));
    EXPECT_TRUE(log.Contains("MatchPair failure. Syntax error."));
}

TEST(String, MidTrimAndCase)
{
    const LString text("abcd");
    EXPECT_EQ("bc", ToStd(text.Mid(1, 2, 0)));
    EXPECT_EQ("cd", ToStd(text.Mid(1, 2, 1)));
    struct Range { int start, count, offset; };
    for (const Range r : {Range {3, 2, 0}, Range {4, 0, 0}, Range {-1, 2, 0}, Range {1, -1, 0},
                          Range {2147483647, 2147483647, 5}}) {
        EXPECT_TRUE(text.Mid(r.start, r.count, r.offset).IsEmpty()) << r.start << "," << r.count;
    }
    LString right("a \t\r\n");
    EXPECT_EQ("a", ToStd(right.TrimRight()));
    LString blanks("  ");
    EXPECT_EQ(0, blanks.TrimLeft().GetLength());
    EXPECT_EQ("x y ", ToStd(LString(" \nx y ").TrimLeft()));

    EXPECT_EQ("abc1\xc9", ToStd(LString("ABC1\xc9").ToLower()));
    EXPECT_EQ("ABC1\xe9", ToStd(LString("abc1\xe9").ToUpper()));
    EXPECT_TRUE(LString("ABC").EqualsNoCase(u"abc"));
    EXPECT_FALSE(LString("\xc9").EqualsNoCase(LString("\xe9"))); // only A to Z fold
    EXPECT_FALSE(LString("abc").Equals(LString("ABC"), false));
    EXPECT_FALSE(LString("abc").Equals(LString("abcd"), true));
    EXPECT_FALSE(LString("abc").EqualsNoCase(u"ab"));
}

TEST(String, Formatting)
{
    EXPECT_EQ("n=-5", ToStd(LString("n=") + -5));
    EXPECT_EQ("-1", ToStd(LString() + 4294967295u));
    EXPECT_EQ("-1442840575", ToStd(LString() + 0xAA000001u));
    EXPECT_EQ("-1442840575", ToStd(LString() + static_cast<unsigned long>(0xAA000001u)));
    EXPECT_EQ("0.100000", ToStd(LString() + 0.1f));
    EXPECT_EQ("true", ToStd(LString() + true));
    EXPECT_EQ("12ab0", ToStd(LString() + reinterpret_cast<const void*>(0x12AB0)));
    EXPECT_EQ("123456789012", ToStd(LString() + 123456789012LL));
    EXPECT_EQ("xa1bc", ToStd("x" + (LString("a") + 1 + "b" + u"c")));
}

TEST(String, EightBitTextWidensByZeroExtensionAndNarrowsToTheLowByte)
{
    LString text("caf\xe9");
    EXPECT_EQ(0x00E9, text.At(3));
    const char16_t wide[] = {u'c', u'a', u'f', 0x00E9, 0};
    EXPECT_TRUE(text.Equals(wide, false));

    const char16_t high[] = {0xFFE9, 0};
    char* bytes = nullptr;
    ASSERT_TRUE(LString(high).ToAnsi(&bytes));
    EXPECT_EQ("\xe9", std::string(bytes));
    LLogCapture log;
    EXPECT_FALSE(LString("x").ToAnsi(nullptr));
    EXPECT_FALSE(LString("x").ToAnsi(&bytes));
    EXPECT_EQ(2, log.Count("Invalid argument."));
    delete[] bytes;
}

TEST(String, NullTextsAreLoggedAndIgnored)
{
    LLogCapture log;
    EXPECT_TRUE(LString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(log.Contains("ERROR: .\\container\\LString.cpp, "));
    EXPECT_TRUE(log.Contains(":  apChars == NULL."));
    LString text("keep");
    text.Append(static_cast<const char16_t*>(nullptr));
    text.Assign(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ(2, log.Count(": apChars == NULL."));
    text += static_cast<const char*>(nullptr); // += ignores null quietly
    EXPECT_EQ(3, log.Count("apChars == NULL."));
    EXPECT_EQ("keep", ToStd(text));
}

TEST(String, SelfAppendSelfAssignAndIndependentCopies)
{
    LString text("ab");
    text.Append(text);
    text.Append(text.GetBuffer() + 2);
    text.Prepend("y");
    EXPECT_EQ("yababab", ToStd(text));
    text.Assign(text.GetBuffer());
    LString& alias = text;
    text = alias;
    EXPECT_EQ("yababab", ToStd(text));
    LString copy(text);
    copy += "!";
    EXPECT_EQ("yababab", ToStd(text));
    LString moved(std::move(copy));
    EXPECT_EQ("yababab!", ToStd(moved));
}
