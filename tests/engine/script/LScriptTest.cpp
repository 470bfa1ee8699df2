#include "event/LEventManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "script/LScriptOperation.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LScriptTreeText.h"
#include "support/LTestStrings.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class ScriptEvaluation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LEventManager::Get()->RemoveAllEvents();
        LStateManager::Get()->RemoveAllStates();
    }

    bool Eval(const std::string& aText)
    {
        LScript script;
        LScriptBuilder::Get()->BuildScript(FromStd(aText), &script);
        return script.Evaluate();
    }

    LScriptOperand Result(const std::string& aText)
    {
        LScript script;
        LScriptBuilder::Get()->BuildScript(FromStd(aText), &script);
        return script.GetRoot()->Evaluate();
    }

    void Number(const char16_t* aId, const char16_t* aValue)
    {
        LStateManager::Get()->SetState(aId, u"number", aValue, false);
    }

    LLogCapture mLog;
};

} // namespace

TEST_F(ScriptEvaluation, TopLevelTruthRule)
{
    LScript never;
    EXPECT_FALSE(never.Evaluate());
    EXPECT_TRUE(Eval("script[true]"));
    EXPECT_FALSE(Eval("script[false]"));
    // A number is true exactly when it is 0; a string exactly when it is empty.
    EXPECT_TRUE(Eval("script[0]"));
    EXPECT_FALSE(Eval("script[1]"));
    EXPECT_FALSE(Eval("script[abc]"));
    EXPECT_FALSE(Eval("script[(true)]"));
    EXPECT_FALSE(Eval("script[0/0]"));
}

TEST_F(ScriptEvaluation, IssueExampleWithStateAndEvent)
{
    Number(u"sta_n", u"1");
    EXPECT_FALSE(Eval("script[s[sta_n]+1>=3|e[evt_x]]"));
    LEventManager::Get()->AddEvent(u"evt_x", false);
    EXPECT_TRUE(Eval("script[s[sta_n]+1>=3|e[evt_x]]"));
    Number(u"sta_n", u"2");
    EXPECT_TRUE(Eval("script[s[sta_n]+1>=3|e[evt_x]]"));
    LEventManager::Get()->RemoveAllEvents();
    // Without the event: 2 + 1 >= 3 holds by itself.
    EXPECT_TRUE(Eval("script[s[sta_n]+1>=3|e[evt_x]]"));
}

TEST_F(ScriptEvaluation, StatesReadByType)
{
    Number(u"sta_n", u"0");
    EXPECT_TRUE(Eval("script[s[sta_n]]"));
    Number(u"sta_n", u"5");
    EXPECT_FALSE(Eval("script[s[sta_n]]"));
    EXPECT_TRUE(Eval("script[s[STA_N]==5]"));

    LStateManager::Get()->SetState(u"sta_name", u"string", u"ABC", false);
    EXPECT_TRUE(Eval("script[s[sta_name]==abc]"));
    EXPECT_FALSE(Eval("script[s[sta_name]]"));
    const LString empty;
    LStateManager::Get()->SetState(u"sta_name", &empty, false);
    EXPECT_TRUE(Eval("script[s[sta_name]]"));

    LStateManager::Get()->SetState(u"sta_flag", u"boolean", u"true", false);
    EXPECT_TRUE(Eval("script[s[sta_flag]]"));
    EXPECT_FALSE(Eval("script[!s[sta_flag]]"));
    EXPECT_TRUE(mLog.Lines().empty());
}

TEST_F(ScriptEvaluation, MissingStateReadsAsNumberZero)
{
    EXPECT_TRUE(Eval("script[s[sta_unknown]]"));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: .\\script\\LScriptOperation.cpp, "));
    EXPECT_TRUE(mLog.Contains(": OpCheckState failure. State not found: sta_unknown"));
    EXPECT_TRUE(Eval("script[s[sta_unknown]==0]"));
    // Both sides are evaluated always.
    mLog.Clear();
    EXPECT_FALSE(Eval("script[e[evt_a]&s[sta_other]]"));
    EXPECT_TRUE(mLog.Contains("State not found: sta_other"));
}

TEST_F(ScriptEvaluation, StateOfAnInvalidTypeIsFalse)
{
    LIState* odd = new LIState();
    const float any = 1.0f;
    ASSERT_TRUE(odd->Set(u"sta_odd", 7, &any));
    ASSERT_TRUE(LStateManager::Get()->AddState(odd, false, false));
    EXPECT_FALSE(Eval("script[s[sta_odd]]"));
    EXPECT_FALSE(Eval("script[!s[sta_odd]]"));
    EXPECT_FALSE(Eval("script[s[sta_odd]==s[sta_odd]]"));
    EXPECT_FALSE(Eval("script[s[sta_odd]!=1]"));
}

TEST_F(ScriptEvaluation, SpecialEvents)
{
    EXPECT_TRUE(Eval("script[e[evtalways]]"));
    EXPECT_TRUE(Eval("script[e[EVT_ALWAYS]]"));
    EXPECT_FALSE(Eval("script[e[evtnever]]"));
    EXPECT_FALSE(Eval("script[e[evt_a]]"));
    LEventManager::Get()->AddEvent(u"EVT_A", false);
    EXPECT_TRUE(Eval("script[e[Evt_A]]"));
}

TEST_F(ScriptEvaluation, ArithmeticAndComparisons)
{
    EXPECT_TRUE(Eval("script[1/0>5]"));
    EXPECT_FALSE(Eval("script[0/0==0/0]"));
    EXPECT_TRUE(Eval("script[0/0!=0/0]"));
    EXPECT_FALSE(Eval("script[0/0<1]"));
    EXPECT_TRUE(Eval("script[2*3==6]"));
    EXPECT_TRUE(Eval("script[8/4/2==1]"));
    EXPECT_TRUE(Eval("script[3-1==2]"));
    EXPECT_TRUE(Eval("script[2<=2&2>=2&1<2&3>2]"));
    EXPECT_TRUE(mLog.Lines().empty());
}

TEST_F(ScriptEvaluation, TypeErrorsGiveNaNOrFalse)
{
    LStateManager::Get()->SetState(u"sta_flag", u"boolean", u"true", false);
    // The word true is a string: mismatch, and false.
    EXPECT_FALSE(Eval("script[s[sta_flag]==true]"));
    EXPECT_TRUE(mLog.Contains(": Operand mismatch."));
    EXPECT_FALSE(Eval("script[s[sta_flag]!=true]"));

    mLog.Clear();
    const LScriptOperand sum = Result("abc+1");
    ASSERT_EQ(LScriptOperand::TYPE_NUMBER, sum.GetType());
    EXPECT_TRUE(std::isnan(sum.GetNumber()));
    EXPECT_TRUE(mLog.Contains(": Operand mismatch."));
    EXPECT_TRUE(mLog.Contains(": Operand invaid."));

    const LScriptOperand both = Result("abc<abc");
    ASSERT_EQ(LScriptOperand::TYPE_BOOLEAN, both.GetType());
    EXPECT_FALSE(both.GetBoolean());

    mLog.Clear();
    const LScriptOperand notFive = Result("!5");
    ASSERT_EQ(LScriptOperand::TYPE_BOOLEAN, notFive.GetType());
    EXPECT_FALSE(notFive.GetBoolean());
    EXPECT_TRUE(mLog.Contains(": Invalid operand."));

    EXPECT_FALSE(Eval("script[1&true]"));
}

TEST_F(ScriptEvaluation, MissingOperandsGiveAnEmptyResult)
{
    const LScriptOperand negative = Result("-5");
    EXPECT_TRUE(negative.IsEmpty());
    EXPECT_TRUE(mLog.Contains(": NULL operand."));
    EXPECT_FALSE(Eval("-5"));

    LScriptOperation bare;
    bare.SetOpCode(LScriptOperation::OP_NOT);
    mLog.Clear();
    EXPECT_TRUE(bare.Evaluate().IsEmpty());
    EXPECT_TRUE(mLog.Contains(": NULL operand B."));

    bare.SetOpCode(LScriptOperation::OP_VALUE);
    mLog.Clear();
    EXPECT_TRUE(bare.Evaluate().IsEmpty());
    EXPECT_TRUE(mLog.Contains(": NULL operand"));

    bare.SetOpCode(16);
    mLog.Clear();
    EXPECT_TRUE(bare.Evaluate().IsEmpty());
    EXPECT_TRUE(mLog.Contains(": Invalid op."));
}

TEST_F(ScriptEvaluation, RogueOperandIsReportedAndIgnored)
{
    LScriptOperation value;
    LScriptOperand* a = new LScriptOperand();
    a->SetNumber(4.0f);
    LScriptOperand* b = new LScriptOperand();
    b->SetNumber(9.0f);
    value.SetOperandA(a);
    value.SetOperandB(b);
    const LScriptOperand result = value.Evaluate();
    EXPECT_EQ(4.0f, result.GetNumber());
    EXPECT_TRUE(mLog.Contains(": Rogue operand"));
}

TEST(ScriptStreams, TrueWritesThirteenBytes)
{
    LScript script;
    LScriptBuilder::Get()->BuildScript(u"script[true]", &script);
    LMemoryStream stream(1024, -1);
    ASSERT_TRUE(script.Write(&stream));
    EXPECT_EQ("00 00 00 00 01 00 00 00 00 00 00 00 01", Hex(WrittenBytes(stream)));
}

TEST(ScriptStreams, TreesWithNotRoundTrip)
{
    const char* texts[] = {"script[e[evt_a]&!s[sta_b]]", "script[s[sta_n]+1>=3|e[evt_x]]",
                           "script[(e[evt_a]|e[evt_b])&s[sta_c]==2]", "script[-5]", "script[abc]",
                           "script[]", "script[false]", "script[2.5*4]"};
    LLogCapture log;
    for (const char* text : texts) {
        LScript script;
        LScriptBuilder::Get()->BuildScript(FromStd(text), &script);
        LMemoryStream stream(1024, -1);
        ASSERT_TRUE(script.Write(&stream)) << text;
        const std::string bytes = WrittenBytes(stream);

        LScript copy;
        copy.SetRoot(new LScriptOperation());
        LMemoryStream input(16, -1);
        Load(input, bytes);
        ASSERT_TRUE(copy.Read(&input)) << text;
        EXPECT_EQ(TreeText(script), TreeText(copy)) << text;
        EXPECT_EQ(static_cast<int>(bytes.size()), input.GetPosition()) << text;
    }
}

TEST(ScriptStreams, ScriptWithoutRootNeitherReadsNorWrites)
{
    LScript script;
    LMemoryStream stream(1024, -1);
    EXPECT_FALSE(script.Write(&stream));
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_FALSE(script.Read(&stream));
}

TEST(ScriptStreams, TruncatedAndBadBlocksFail)
{
    LScript script;
    LScriptBuilder::Get()->BuildScript(u"script[e[evt_a]&!s[sta_b]]", &script);
    LMemoryStream stream(1024, -1);
    ASSERT_TRUE(script.Write(&stream));
    const std::string bytes = WrittenBytes(stream);
    for (size_t length = 0; length < bytes.size(); ++length) {
        LScript copy;
        copy.SetRoot(new LScriptOperation());
        LMemoryStream input(16, -1);
        Load(input, bytes.substr(0, length));
        EXPECT_FALSE(copy.Read(&input)) << length;
    }
    // An unknown operand layout.
    LScript copy;
    copy.SetRoot(new LScriptOperation());
    LMemoryStream input(16, -1);
    Load(input, std::string("\x0e\0\0\0\x07\0\0\0", 8));
    EXPECT_FALSE(copy.Read(&input));
}

TEST(ScriptStreams, DeepNestingInAStreamIsRefused)
{
    // Operation(op 11, layout A) holding an operand of type 3, again and again.
    std::string bytes;
    const std::string level("\x0b\0\0\0\x01\0\0\0\x03\0\0\0", 12);
    for (int i = 0; i < 10000; ++i) {
        bytes += level;
    }
    LLogCapture log;
    LScript script;
    script.SetRoot(new LScriptOperation());
    LMemoryStream input(16, -1);
    Load(input, bytes);
    EXPECT_FALSE(script.Read(&input));
    EXPECT_LE(script.GetRoot()->GetDepth(), LScriptOperation::kMaxDepth + 1);
}

TEST(ScriptOperands, CopiesAreDeepAndSelfAssignmentKeepsTheValue)
{
    LScript script;
    LScriptBuilder::Get()->BuildScript(u"script[e[evt_a]&!s[sta_b]]", &script);
    LScriptOperation copy(*script.GetRoot());
    EXPECT_EQ(TreeText(*script.GetRoot()), TreeText(copy));
    script.SetRoot(nullptr);
    EXPECT_EQ("14(1('evt_a'),11(_,2('sta_b')))", TreeText(copy));

    LScriptOperand operand;
    operand.SetString(u"abc");
    operand.SetValue(operand);
    operand = operand;
    EXPECT_EQ("abc", ToStd(operand.GetString()));
    LScriptOperation assigned;
    assigned = copy;
    assigned = assigned;
    EXPECT_EQ(TreeText(copy), TreeText(assigned));
}
