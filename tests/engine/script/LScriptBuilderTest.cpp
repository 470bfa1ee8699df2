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

// Trees as "op(A,B)", "_" for an absent operand A, "?" for an operand without a value.
TEST(ScriptBuilderTrees, TextsBuildTheirTrees)
{
    struct Case
    {
        const char* mText;
        const char* mTree;
    };
    const Case cases[] = {
        // Constants are booleans only as the whole expression.
        {"script[true]", "0(true)"},
        {"SCRIPT[False]", "0(false)"},
        {"script[(true)]", "0('true')"},
        // The worked examples.
        {"script[e[evt_a]&!s[sta_b]]", "14(1('evt_a'),11(_,2('sta_b')))"},
        {"script[s[sta_n]+1>=3|e[evt_x]]", "15(10(5(2('sta_n'),0(1)),0(3)),1('evt_x'))"},
        {"script[(e[evt_a]|e[evt_b])&s[sta_c]==2]", "14(15(1('evt_a'),1('evt_b')),12(2('sta_c'),0(2)))"},
        // "&" binds looser than "|" whatever the order in the text.
        {"e[a]|e[b]&e[c]", "14(15(1('a'),1('b')),1('c'))"},
        {"e[a]&e[b]|e[c]", "14(1('a'),15(1('b'),1('c')))"},
        // "!" is tried before "==": !a==b is !(a==b).
        {"!s[a]==s[b]", "11(_,12(2('a'),2('b')))"},
        // Chains of one token group from the left; "+" is tried before "-".
        {"8/4/2", "4(4(0(8),0(4)),0(2))"},
        {"1-2+3", "5(6(0(1),0(2)),0(3))"},
        {"1+2-3", "5(0(1),6(0(2),0(3)))"},
        {"-5", "6(_,0(5))"},
        // Prefixes in any case; ids keep their case and may hold operators.
        {"Event[evt_a]", "1('evt_a')"},
        {"STATE[Sta_A]", "2('Sta_A')"},
        {"e[a&b(c)]", "1('a&b(c)')"},
        {"s[n]==abc", "12(2('n'),0('abc'))"},
        {"3 ", "0(3)"},
        {"abc ", "0('abc ')"},
        {"2.5", "0(2.5)"},
        // Groups side by side and one level deep; text after the script is ignored.
        {"(e[a])&(e[b])", "14(1('a'),1('b'))"},
        {"((e[a])|(e[b]))&e[c]", "14(15(1('a'),1('b')),1('c'))"},
        {"script[e[a]] and more", "1('a')"},
        // The bracket group is @0 and the parenthesis group @1; a written "@1" reaches it.
        {"(e[a])==@1", "12(1('a'),1('a'))"},
    };
    LLogCapture log;
    for (const Case& c : cases) {
        EXPECT_EQ(c.mTree, Built(c.mText)) << c.mText;
    }
    EXPECT_TRUE(log.Lines().empty());
}

TEST(ScriptBuilderErrors, SyntaxErrorsLeaveValuelessOperands)
{
    LLogCapture log;
    LScriptBuilder* builder = LScriptBuilder::Get();
    LScript script;
    EXPECT_TRUE(builder->BuildScript(u"script[ true]", &script));
    EXPECT_EQ("0(?)", TreeText(script));
    EXPECT_TRUE(builder->HadSyntaxError());
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: .\\script\\LScriptBuilder.cpp, "));
    // The right side begins with a space.
    EXPECT_EQ("14(1('a'),0(?))", Built("e[a] & e[b]"));
    EXPECT_EQ(2, log.Count(": Syntax error."));
    EXPECT_EQ("0(?)", Built("script[]"));
    EXPECT_TRUE(log.Contains("BuildOperation failure. Syntax error."));
    // Letters are ASCII only: U+0141 and U+0131 have the low bytes of "A" and "1".
    const char16_t letterLike[] = {0x0141, u'x', 0};
    const char16_t digitLike[] = {0x0131, 0};
    builder->BuildScript(LString(letterLike), &script);
    EXPECT_EQ("0(?)", TreeText(script));
    builder->BuildScript(LString(digitLike), &script);
    EXPECT_EQ("0(?)", TreeText(script));
}

TEST(ScriptBuilderErrors, UnmatchedBracketsAndParenthesesEndInBoundedTime)
{
    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    const char* texts[] = {"script[e[evt_a]", "e[evt_a", "(e[a]", "((e[a])", "a(", "[[a]", "(", "[",
                           "((((((", "]]))", "e[a](b", "script[", "(a(b)", "(((e[a])))"};
    for (const char* text : texts) {
        EXPECT_TRUE(builder->BuildScript(FromStd(text), &script)) << text;
        EXPECT_TRUE(builder->HadSyntaxError()) << text;
        EXPECT_NE(nullptr, script.GetRoot()) << text;
        script.Evaluate();
    }
    EXPECT_TRUE(log.Contains("ERROR: .\\script\\LScriptBuilder.cpp"));
    EXPECT_TRUE(log.Contains("MatchBracket failure. Syntax error."));
    EXPECT_TRUE(log.Contains("MatchParenthesis failure. Syntax error."));
}

TEST(ScriptBuilderErrors, SelfReferringGroupsAndDeepNestingAreRefused)
{
    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    // Group 0 holding "@0" would name itself for ever; groups naming themselves twice
    // would double the work at every level.
    for (const char16_t* text : {u"(@0)", u"(@0/@&x)", u"(@1+@1)(@0+@0)(@1*@0)"}) {
        EXPECT_TRUE(builder->BuildScript(text, &script));
        EXPECT_TRUE(builder->HadSyntaxError());
        EXPECT_FALSE(script.Evaluate());
    }
    std::string chain = "1";
    for (int i = 0; i < 5000; ++i) {
        chain += "+1";
    }
    for (const std::string& text : {chain, std::string(5000, '!') + "true"}) {
        EXPECT_TRUE(builder->BuildScript(FromStd(text), &script));
        EXPECT_TRUE(builder->HadSyntaxError());
        EXPECT_LE(script.GetRoot()->GetDepth(), LScriptOperation::kMaxDepth);
    }
}

TEST(ScriptBuilderApi, IsScriptRebuildingAndMatching)
{
    EXPECT_TRUE(LScriptBuilder::IsScript(u"Script[e[a]"));
    EXPECT_FALSE(LScriptBuilder::IsScript(u"e[a]"));
    EXPECT_FALSE(LScriptBuilder::IsScript(u"scrip"));

    LLogCapture log;
    LScript script;
    LScriptBuilder* builder = LScriptBuilder::Get();
    builder->BuildScript(u"script[e[a]&e[b]]", &script);
    builder->BuildScript(u"script[false]", &script);
    EXPECT_EQ("0(false)", TreeText(script));
    EXPECT_FALSE(builder->BuildScript(u"script[true]", nullptr));

    LString out(u"unchanged");
    EXPECT_TRUE(builder->MatchParenthesis(u"(a(b)c)d", 0, out));
    EXPECT_EQ("a(b)c", ToStd(out));
    // Two levels deep inside the group: the match ends at the second closing one.
    EXPECT_TRUE(builder->MatchParenthesis(u"(((x)))", 0, out));
    EXPECT_EQ("((x)", ToStd(out));
    out = u"unchanged";
    EXPECT_FALSE(builder->MatchBracket(u"[a", 0, out));
    EXPECT_EQ("unchanged", ToStd(out));
}
