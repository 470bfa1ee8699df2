#include "container/LString.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

TEST(StringEmpty, NullAndEmptyFormsBehaveAlike)
{
    LString never;
    LString cleared("abc");
    cleared.Clear();
    EXPECT_FALSE(never.HasBuffer());
    EXPECT_TRUE(cleared.HasBuffer());
    EXPECT_TRUE(never.Equals(u"", false));
    EXPECT_TRUE(cleared.Equals(u"", true));
    EXPECT_TRUE(never == cleared);
    EXPECT_TRUE(never.EqualsNoCase(cleared));
    EXPECT_EQ(0, cleared.GetLength());
    // Where the two forms differ: clearing a string without a buffer keeps it so, and the
    // reverse search of the empty text needs a buffer.
    never.Clear();
    EXPECT_FALSE(never.HasBuffer());
    EXPECT_EQ(-1, never.ReverseFind(u""));
    EXPECT_EQ(0, cleared.ReverseFind(u""));
}

TEST(StringAccess, AtChecksTheIndex)
{
    LLogCapture log;
    LString text("abc");
    EXPECT_EQ(u'b', text.At(1));
    EXPECT_EQ(0, text.At(-1));
    EXPECT_EQ(0, text.At(3));
    EXPECT_EQ(2, log.Count("Index out of bounds."));
}

TEST(StringSearch, FindAndReverseFind)
{
    LString text("abcabc");
    EXPECT_EQ(1, text.Find(u"bc", 0));
    EXPECT_EQ(4, text.Find(u"bc", 2));
    EXPECT_EQ(-1, text.Find(u"bc", 6)); // from the length
    EXPECT_EQ(-1, text.Find(u"x", 0));
    EXPECT_EQ(-1, text.Find(static_cast<const char16_t*>(nullptr), 0));
    EXPECT_EQ(-1, text.Find(u"a", -1));
    EXPECT_EQ(0, LString("abc").Find(u"", 0));
    EXPECT_EQ(3, LString("abc").ReverseFind(u""));
    EXPECT_EQ(4, text.ReverseFind(u"bc"));
    EXPECT_EQ(-1, text.ReverseFind(u"abcabca"));
}

TEST(StringSearch, MatchPairConsumesOneCloserPerOpener)
{
    LLogCapture log;
    LString out;
    EXPECT_TRUE(LString("[a[b][c]d]").MatchPair(LString("["), LString("]"), 0, &out));
    EXPECT_EQ("a[b][c]d", ToStd(out));
    EXPECT_TRUE(LString("[a[b[c]]d]").MatchPair(LString("["), LString("]"), 0, &out));
    EXPECT_EQ("a[b[c]", ToStd(out));
    EXPECT_TRUE(LString("script[true]").MatchPair(LString("["), LString("]"), 6, &out));
    EXPECT_EQ("true", ToStd(out));
    EXPECT_FALSE(LString("[abc").MatchPair(LString("["), LString("]"), 0, &out));
    EXPECT_TRUE(log.Contains("MatchPair failure. Syntax error."));
}

TEST(StringSubstrings, MidBounds)
{
    LString text("abcd");
    EXPECT_EQ("bc", ToStd(text.Mid(1, 2, 0)));
    EXPECT_EQ("cd", ToStd(text.Mid(1, 2, 1)));
    EXPECT_TRUE(text.Mid(3, 2, 0).IsEmpty());
    EXPECT_TRUE(text.Mid(4, 0, 0).IsEmpty());
    EXPECT_TRUE(text.Mid(1, 0, 0).IsEmpty());
    EXPECT_TRUE(text.Mid(-1, 2, 0).IsEmpty());
    EXPECT_TRUE(text.Mid(1, -1, 0).IsEmpty());
    EXPECT_TRUE(text.Mid(2147483647, 2147483647, 5).IsEmpty());
}

TEST(StringCase, OnlyAsciiLettersFold)
{
    EXPECT_EQ("abc1\xc9", ToStd(LString("ABC1\xc9").ToLower()));
    EXPECT_EQ("ABC1\xe9", ToStd(LString("abc1\xe9").ToUpper()));
    EXPECT_TRUE(LString("ABC").EqualsNoCase(u"abc"));
    const char16_t capital[] = {0xC9, 0};
    const char16_t small[] = {0xE9, 0};
    EXPECT_FALSE(LString(capital).EqualsNoCase(small));
    EXPECT_FALSE(LString("abc").Equals(LString("ABC"), false));
    EXPECT_TRUE(LString("abc").Equals(LString("ABC"), true));
    EXPECT_FALSE(LString("abc").Equals(LString("abcd"), true));
    EXPECT_FALSE(LString("abc").EqualsNoCase(u"ab"));
}

TEST(StringTrim, BlanksOnBothEnds)
{
    LString right("a \t\r\n");
    EXPECT_EQ("a", ToStd(right.TrimRight()));
    LString left("  ");
    left.TrimLeft();
    EXPECT_EQ(0, left.GetLength());
    EXPECT_EQ("x y ", ToStd(LString(" \nx y ").TrimLeft()));
}

TEST(StringFormatting, NumbersBooleansPointers)
{
    EXPECT_EQ("n=-5", ToStd(LString("n=") + -5));
    EXPECT_EQ("-1", ToStd(LString() + 4294967295u));
    EXPECT_EQ("-1442840575", ToStd(LString() + 0xAA000001u));
    EXPECT_EQ("-1442840575", ToStd(LString() + static_cast<unsigned long>(0xAA000001u)));
    EXPECT_EQ("0.100000", ToStd(LString() + 0.1f));
    EXPECT_EQ("1.500000", ToStd(LString() + 1.5f));
    EXPECT_EQ("true", ToStd(LString() + true));
    EXPECT_EQ("false", ToStd(LString() + false));
    EXPECT_EQ("12ab0", ToStd(LString() + reinterpret_cast<const void*>(0x12AB0)));
    EXPECT_EQ("7", ToStd(LString() + static_cast<short>(7)));
    EXPECT_EQ("123456789012", ToStd(LString() + 123456789012LL));
    LString text("a");
    text += 1;
    text += "b";
    text += u"c";
    EXPECT_EQ("a1bc", ToStd(text));
    EXPECT_EQ("xa1bc", ToStd("x" + text));
}

TEST(StringConversion, EightBitTextWidensByZeroExtension)
{
    LString text("caf\xe9");
    ASSERT_EQ(4, text.GetLength());
    EXPECT_EQ(0x00E9, text.At(3));
    const char16_t wide[] = {u'c', u'a', u'f', 0x00E9, 0};
    EXPECT_TRUE(text.Equals(wide, false));

    const char16_t high[] = {0xFFE9, 0};
    char* bytes = nullptr;
    ASSERT_TRUE(LString(high).ToAnsi(&bytes));
    EXPECT_EQ(0xE9, static_cast<unsigned char>(bytes[0]));
    EXPECT_EQ(0, bytes[1]);
    delete[] bytes;
}

TEST(StringConversion, ToAnsiChecksItsArgument)
{
    LLogCapture log;
    char* bytes = nullptr;
    EXPECT_FALSE(LString("x").ToAnsi(nullptr));
    char other = 0;
    char* taken = &other;
    EXPECT_FALSE(LString("x").ToAnsi(&taken));
    EXPECT_EQ(2, log.Count("Invalid argument."));
    ASSERT_TRUE(LString().ToAnsi(&bytes));
    EXPECT_EQ(0, bytes[0]);
    delete[] bytes;
}

TEST(StringErrors, NullTextsAreLoggedAndIgnored)
{
    LLogCapture log;
    LString fromNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(fromNull.IsEmpty());
    EXPECT_TRUE(log.Contains("ERROR: .\\container\\LString.cpp, "));
    EXPECT_TRUE(log.Contains(":  apChars == NULL."));
    LString text("keep");
    text.Append(static_cast<const char16_t*>(nullptr));
    text.Assign(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ("keep", ToStd(text));
    EXPECT_EQ(2, log.Count(": apChars == NULL."));
    text += static_cast<const char*>(nullptr); // += ignores null quietly
    EXPECT_EQ(3, log.Count("apChars == NULL."));
}

TEST(StringAppend, SelfAppendAndPrepend)
{
    LString text("ab");
    text.Append(text);
    EXPECT_EQ("abab", ToStd(text));
    text.Append(text.GetBuffer() + 2);
    EXPECT_EQ("ababab", ToStd(text));
    text.Prepend(LString("x"));
    text.Prepend("y");
    text.Prepend(u"z");
    EXPECT_EQ("zyxababab", ToStd(text));
    text.Assign(text.GetBuffer());
    EXPECT_EQ("zyxababab", ToStd(text));
}

TEST(StringValue, CopiesAndMovesAreIndependent)
{
    LString a("one");
    LString b(a);
    b += "!";
    EXPECT_EQ("one", ToStd(a));
    LString c(std::move(b));
    EXPECT_EQ("one!", ToStd(c));
    a = c;
    EXPECT_EQ("one!", ToStd(a));
    a = a;
    EXPECT_EQ("one!", ToStd(a));
    EXPECT_EQ("one!", ToStd(a.Dump()));
}
