#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "script/LScriptOperation.h"
#include "support/LLogCapture.h"
#include "support/LScriptTreeText.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Built(const std::string& aText)
{
    LScript script;
    EXPECT_TRUE(LScriptBuilder::Get()->BuildScript(FromStd(aText), &script));
    return TreeText(script);
}

} // namespace

TEST(ScriptBuilderTrees, ConstantsAreBooleansOnlyAsTheWholeExpression)
{
    LLogCapture log;
    EXPECT_EQ("0(true)", Built("script[true]"));
    EXPECT_EQ("0(true)", Built("script[TRUE]"));
    EXPECT_EQ("0(false)", Built("SCRIPT[False]"));
    // Inside parentheses true is the word true.
    EXPECT_EQ("0('true')", Built("script[(true)]"));
    EXPECT_TRUE(log.Lines().empty());
}

TEST(ScriptBuilderTrees, WorkedExamples)
{
    LLogCapture log;
    EXPECT_EQ("14(1('evt_a'),11(_,2('sta_b')))", Built("script[e[evt_a]&!s[sta_b]]"));
    EXPECT_EQ("15(10(5(2('sta_n'),0(1)),0(3)),1('evt_x'))", Built("script[s[sta_n]+1>=3|e[evt_x]]"));
    EXPECT_EQ("14(15(1('evt_a'),1('evt_b')),12(2('sta_c'),0(2)))",
              Built("script[(e[evt_a]|e[evt_b])&s[sta_c]==2]"));
    EXPECT_TRUE(log.Lines().empty());
}

TEST(ScriptBuilderTrees, SplitsAtTheLastOccurrenceOfTheLoosestToken)
{
    // "&" binds looser than "|" whatever the order in the text.
    EXPECT_EQ("14(15(1('a'),1('b')),1('c'))", Built("e[a]|e[b]&e[c]"));
    EXPECT_EQ("14(1('a'),15(1('b'),1('c')))", Built("e[a]&e[b]|e[c]"));
    // "!" is tried before "==": !a==b is !(a==b).
    EXPECT_EQ("11(_,12(2('a'),2('b')))", Built("!s[a]==s[b]"));
    // Chains of one token group from the left.
    EXPECT_EQ("4(4(0(8),0(4)),0(2))", Built("8/4/2"));
    // "+" is tried before "-" and so binds looser.
    EXPECT_EQ("5(6(0(1),0(2)),0(3))", Built("1-2+3"));
    EXPECT_EQ("5(0(1),6(0(2),0(3)))", Built("1+2-3"));
    // A leading "-" has no operand A.
    EXPECT_EQ("6(_,0(5))", Built("-5"));
}

TEST(ScriptBuilderTrees, LeavesAndPrefixes)
{
    EXPECT_EQ("1('evt_a')", Built("e[evt_a]"));
    EXPECT_EQ("1('evt_a')", Built("E[evt_a]"));
    EXPECT_EQ("1('evt_a')", Built("Event[evt_a]"));
    EXPECT_EQ("2('sta_a')", Built("S[sta_a]"));
    EXPECT_EQ("2('sta_a')", Built("STATE[sta_a]"));
    // Ids keep their case and may hold operators and parentheses.
    EXPECT_EQ("1('Evt_A')", Built("e[Evt_A]"));
    EXPECT_EQ("1('a&b(c)')", Built("e[a&b(c)]"));
    EXPECT_EQ("12(2('n'),0('abc'))", Built("s[n]==abc"));
    EXPECT_EQ("0(3)", Built("3 "));
    EXPECT_EQ("0('abc ')", Built("abc "));
    EXPECT_EQ("0(2.5)", Built("2.5"));
}

TEST(ScriptBuilderTrees, GroupsSideBySideAndOneLevelDeep)
{
    EXPECT_EQ("14(1('a'),1('b'))", Built("(e[a])&(e[b])"));
    EXPECT_EQ("14(15(1('a'),1('b')),1('c'))", Built("((e[a])|(e[b]))&e[c]"));
}

TEST(ScriptBuilderTrees, TextAfterTheClosingBracketIsIgnored)
{
    EXPECT_EQ("1('a')", Built("script[e[a]] and more"));
}

TEST(ScriptBuilderErrors, SpaceBeforeAnOperandIsASyntaxError)
{
    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    EXPECT_TRUE(builder->BuildScript(u"script[ true]", &script));
    EXPECT_EQ("0(?)", TreeText(script));
    EXPECT_TRUE(builder->HadSyntaxError());
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: .\\script\\LScriptBuilder.cpp, "));
    EXPECT_TRUE(log.Contains(": Syntax error."));

    log.Clear();
    builder->BuildScript(u"e[a] & e[b]", &script);
    EXPECT_EQ(1, log.Count(": Syntax error."));
    // The trailing space of the left side is ignored by the group number; the right
    // side begins with a space.
    EXPECT_EQ("14(1('a'),0(?))", TreeText(script));
}

TEST(ScriptBuilderErrors, EmptyExpressionGivesAValuelessValue)
{
    LLogCapture log;
    LScript script;
    EXPECT_TRUE(LScriptBuilder::Get()->BuildScript(u"script[]", &script));
    EXPECT_EQ("0(?)", TreeText(script));
    EXPECT_TRUE(log.Contains("BuildOperation failure. Syntax error."));
    EXPECT_FALSE(script.Evaluate());
}

TEST(ScriptBuilderErrors, UnmatchedBracketsAndParenthesesEndInBoundedTime)
{
    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    const char* texts[] = {"script[e[evt_a]", "e[evt_a", "(e[a]", "((e[a])", "a(", "[[a]", "(", "[",
                           "((((((", "]]))", "e[a](b", "script[", "(a(b)"};
    for (const char* text : texts) {
        EXPECT_TRUE(builder->BuildScript(FromStd(text), &script)) << text;
        EXPECT_TRUE(builder->HadSyntaxError()) << text;
        EXPECT_NE(nullptr, script.GetRoot()) << text;
        script.Evaluate();
    }
    log.Clear();
    builder->BuildScript(u"e[evt_a", &script);
    EXPECT_TRUE(log.Contains("ERROR: .\\script\\LScriptBuilder.cpp"));
    EXPECT_TRUE(log.Contains("MatchBracket failure. Syntax error."));
    log.Clear();
    builder->BuildScript(u"(((e[a])))", &script);
    EXPECT_TRUE(log.Contains("MatchParenthesis failure. Syntax error."));
}

TEST(ScriptBuilderErrors, PlaceholderNumbersContinueAcrossGroupKinds)
{
    // The bracket group is @0 and the parenthesis group @1; a written "@1" reaches it.
    EXPECT_EQ("1('a')", Built("(e[a])"));
    EXPECT_EQ("12(1('a'),1('a'))", Built("(e[a])==@1"));
}

TEST(ScriptBuilderErrors, SelfReferringGroupAndDeepNestingAreRefused)
{
    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    // Group 0 holds "@0": it would name itself for ever.
    EXPECT_TRUE(builder->BuildScript(u"(@0)", &script));
    EXPECT_TRUE(builder->HadSyntaxError());
    EXPECT_FALSE(script.Evaluate());

    // Groups that name themselves twice would double the work at every level.
    EXPECT_TRUE(builder->BuildScript(u"(@0/@&x)", &script));
    EXPECT_TRUE(builder->HadSyntaxError());
    EXPECT_TRUE(builder->BuildScript(u"(@1+@1)(@0+@0)(@1*@0)", &script));
    script.Evaluate();

    std::string chain = "1";
    for (int i = 0; i < 5000; ++i) {
        chain += "+1";
    }
    EXPECT_TRUE(builder->BuildScript(FromStd(chain), &script));
    EXPECT_TRUE(builder->HadSyntaxError());
    EXPECT_LE(script.GetRoot()->GetDepth(), LScriptOperation::kMaxDepth);

    const std::string nots(5000, '!');
    EXPECT_TRUE(builder->BuildScript(FromStd(nots + "true"), &script));
    EXPECT_LE(script.GetRoot()->GetDepth(), LScriptOperation::kMaxDepth);
}

TEST(ScriptBuilderErrors, LeafCharactersAreClassifiedAsAscii)
{
    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    // U+0141 and U+0131 have the low bytes of "A" and "1".
    const char16_t letterLike[] = {0x0141, u'x', 0};
    builder->BuildScript(LString(letterLike), &script);
    EXPECT_EQ("0(?)", TreeText(script));
    const char16_t digitLike[] = {0x0131, 0};
    builder->BuildScript(LString(digitLike), &script);
    EXPECT_EQ("0(?)", TreeText(script));
    EXPECT_EQ(2, log.Count(": Syntax error."));
}

TEST(ScriptBuilderApi, IsScriptTellsScriptTextsApart)
{
    EXPECT_TRUE(LScriptBuilder::IsScript(u"script[true]"));
    EXPECT_TRUE(LScriptBuilder::IsScript(u"Script[e[a]"));
    EXPECT_FALSE(LScriptBuilder::IsScript(u"e[a]"));
    EXPECT_FALSE(LScriptBuilder::IsScript(u"scrip"));
}

TEST(ScriptBuilderApi, RebuildingReplacesTheTreeAndNullScriptFails)
{
    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    builder->BuildScript(u"script[e[a]&e[b]]", &script);
    builder->BuildScript(u"script[false]", &script);
    EXPECT_EQ("0(false)", TreeText(script));
    EXPECT_FALSE(builder->BuildScript(u"script[true]", nullptr));
    EXPECT_TRUE(log.Contains("Invalid argument."));
}

TEST(ScriptBuilderApi, MatchingSkipsOneNestedPairAtATime)
{
    LScriptBuilder* builder = LScriptBuilder::Get();
    LString out(u"unchanged");
    EXPECT_TRUE(builder->MatchParenthesis(u"(a(b)c)d", 0, out));
    EXPECT_EQ("a(b)c", ToStd(out));
    // Two levels deep inside the group: the match ends at the second closing one.
    EXPECT_TRUE(builder->MatchParenthesis(u"(((x)))", 0, out));
    EXPECT_EQ("((x)", ToStd(out));
    LLogCapture log;
    out = u"unchanged";
    EXPECT_FALSE(builder->MatchBracket(u"[a", 0, out));
    EXPECT_EQ("unchanged", ToStd(out));
    EXPECT_TRUE(log.Contains("MatchBracket failure. Syntax error."));
}
