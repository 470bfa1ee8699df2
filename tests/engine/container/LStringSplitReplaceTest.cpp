#include "container/LString.h"
#include "container/LVectorString.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Split(const char* aText, const char* aDelimiter)
{
    LVectorString pieces;
    EXPECT_TRUE(LString(aText).Split(LString(aDelimiter), &pieces));
    std::vector<std::string> result;
    for (int i = 0; i < pieces.GetCount(); ++i) {
        result.push_back(ToStd(pieces[i]));
    }
    return result;
}

std::string Replaced(const char* aText, const char* aFind, const char* aWith, bool aAll)
{
    LString text(aText);
    text.Replace(LString(aFind), LString(aWith), aAll);
    return ToStd(text);
}

} // namespace

TEST(StringSplit, EmptyPiecesAreNeverAdded)
{
    EXPECT_EQ((std::vector<std::string> {"a", "b"}), Split("|a||b|", "|"));
    EXPECT_EQ((std::vector<std::string> {"1", "2", "3"}), Split("1|2||3", "|"));
    EXPECT_EQ((std::vector<std::string> {"groups", "interface", "buttons"}), Split("groups.interface.buttons", "."));
    EXPECT_EQ((std::vector<std::string> {"a", "b"}), Split("a<>b<>", "<>"));
    EXPECT_EQ((std::vector<std::string> {"whole"}), Split("whole", ","));
    EXPECT_TRUE(Split("", "|").empty());
    EXPECT_TRUE(Split("abc", "").empty());
    EXPECT_TRUE(Split("|||", "|").empty());
}

TEST(StringSplit, PiecesAreAppended)
{
    LVectorString pieces;
    pieces.Add(LString("first"));
    LString("x y").Split(LString(" "), &pieces);
    EXPECT_EQ(3, pieces.GetCount());
    EXPECT_EQ("first", ToStd(pieces[0]));
}

TEST(StringReplace, DifferentLengths)
{
    EXPECT_EQ("a..b..c", Replaced("a.b.c", ".", "..", true));
    EXPECT_EQ("a..b.c", Replaced("a.b.c", ".", "..", false));
    EXPECT_EQ("ac", Replaced("abbc", "bb", "", true));
    EXPECT_EQ("xyzxyz", Replaced("aa", "a", "xyz", true));
    EXPECT_EQ("none", Replaced("none", "q", "qq", true));
}

TEST(StringReplace, EqualLengthsResumeAtTheReplacement)
{
    EXPECT_EQ("bba", Replaced("aaa", "aa", "ba", true));
    EXPECT_EQ("baa", Replaced("aaa", "aa", "ba", false));
    EXPECT_EQ("x-y-z", Replaced("x+y+z", "+", "-", true));
}

TEST(StringReplace, EmptyFindInsertsOnceInFront)
{
    EXPECT_EQ("xab", Replaced("ab", "", "x", false));
    EXPECT_EQ("xab", Replaced("ab", "", "x", true));
}

TEST(StringReplace, NothingHappensForEmptyTextOrSameTexts)
{
    EXPECT_EQ("", Replaced("", "a", "b", true));
    EXPECT_EQ("abc", Replaced("abc", "b", "b", true));
    LString text("aXa");
    EXPECT_EQ(&text, &text.Replace(u"X", u"YY", true));
    EXPECT_EQ("aYYa", ToStd(text));
}

TEST(StringReplace, LongResultsGrowPastTheFirstBlock)
{
    LString text;
    for (int i = 0; i < 1000; ++i) {
        text += "ab";
    }
    text.Replace(LString("a"), LString("xyz"), true);
    EXPECT_EQ(4000, text.GetLength());
    EXPECT_EQ(u'b', text.At(3999));
}
