#include "container/LString.h"
#include "container/LVectorString.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Split(const char* aText, const char* aDelimiter)
{
    LVectorString pieces;
    pieces.Add(LString("<first>"));
    EXPECT_TRUE(LString(aText).Split(LString(aDelimiter), &pieces));
    std::vector<std::string> result;
    for (int i = 1; i < pieces.GetCount(); ++i) {
        result.push_back(ToStd(pieces[i]));
    }
    EXPECT_EQ("<first>", ToStd(pieces[0])); // pieces are appended
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
    using Pieces = std::vector<std::string>;
    EXPECT_EQ((Pieces {"a", "b"}), Split("|a||b|", "|"));
    EXPECT_EQ((Pieces {"1", "2", "3"}), Split("1|2||3", "|"));
    EXPECT_EQ((Pieces {"a", "b"}), Split("a<>b<>", "<>"));
    EXPECT_EQ((Pieces {"whole"}), Split("whole", ","));
    EXPECT_TRUE(Split("", "|").empty());
    EXPECT_TRUE(Split("abc", "").empty());
    EXPECT_TRUE(Split("|||", "|").empty());
}

TEST(StringReplace, Cases)
{
    struct Case { const char* text; const char* find; const char* with; bool all; const char* result; };
    for (const Case c : {
             Case {"a.b.c", ".", "..", true, "a..b..c"},
             Case {"a.b.c", ".", "..", false, "a..b.c"},
             Case {"abbc", "bb", "", true, "ac"},
             Case {"aaa", "aa", "ba", true, "bba"}, // equal lengths: the search resumes at the replacement
             Case {"ab", "", "x", true, "xab"},     // an empty text is put in front once
             Case {"", "a", "b", true, ""},
             Case {"abc", "b", "b", true, "abc"},
         }) {
        EXPECT_EQ(c.result, Replaced(c.text, c.find, c.with, c.all)) << c.text << " " << c.find;
    }
}

TEST(StringReplace, LongResultsGrowPastTheFirstBlock)
{
    LString text;
    for (int i = 0; i < 1000; ++i) {
        text += "ab";
    }
    EXPECT_EQ(&text, &text.Replace(u"a", u"xyz", true));
    EXPECT_EQ(4000, text.GetLength());
    EXPECT_EQ(u'b', text.At(3999));
}
