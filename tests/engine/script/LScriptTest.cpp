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

    static bool Eval(const std::string& aText)
    {
        LScript script;
        LScriptBuilder::Get()->BuildScript(FromStd(aText), &script);
        return script.Evaluate();
    }

    static LScriptOperand Result(const std::string& aText)
    {
        LScript script;
        LScriptBuilder::Get()->BuildScript(FromStd(aText), &script);
        return script.GetRoot()->Evaluate();
    }

    static void Set(const char16_t* aId, const char16_t* aType, const char16_t* aValue)
    {
        LStateManager::Get()->SetState(aId, aType, aValue, false);
    }

    LLogCapture mLog;
};

// The bytes a script writes, and a script with a root read back from them (true when the
// read succeeded and used every byte).
std::string Written(LScript& aScript)
{
    LMemoryStream stream(1024, -1);
    EXPECT_TRUE(aScript.Write(&stream));
    return WrittenBytes(stream);
}

bool ReadBack(const std::string& aBytes, LScript& aOut)
{
    aOut.SetRoot(new LScriptOperation());
    LMemoryStream input(16, -1);
    Load(input, aBytes);
    return aOut.Read(&input) && input.GetPosition() == static_cast<int>(aBytes.size());
}

} // namespace

TEST_F(ScriptEvaluation, AnswersOverLiveStatesAndEvents)
{
    EXPECT_FALSE(LScript().Evaluate());
    Set(u"sta_zero", u"number", u"0");
    Set(u"sta_five", u"number", u"5");
    Set(u"sta_name", u"string", u"ABC");
    Set(u"sta_flag", u"boolean", u"true");
    LStateManager::Get()->SetState(u"sta_empty", u"string", u"x", false);
    const LString empty;
    LStateManager::Get()->SetState(u"sta_empty", &empty, false);
    LEventManager::Get()->AddEvent(u"EVT_A", false);
    // A number is true exactly when it is 0; a string exactly when it is empty.
    for (const char* text : {"script[true]", "script[0]", "script[s[sta_zero]]", "script[s[STA_FIVE]==5]",
                             "script[s[sta_name]==abc]", "script[s[sta_empty]]", "script[s[sta_flag]]",
                             "script[e[evtalways]]", "script[e[EVT_ALWAYS]]", "script[e[Evt_A]]", "script[1/0>5]",
                             "script[0/0!=0/0]", "script[2*3==6]", "script[8/4/2==1]", "script[3-1==2]",
                             "script[2<=2&2>=2&1<2&3>2]"}) {
        EXPECT_TRUE(Eval(text)) << text;
    }
    for (const char* text : {"script[false]", "script[1]", "script[abc]", "script[(true)]", "script[0/0]",
                             "script[s[sta_five]]", "script[s[sta_name]]", "script[!s[sta_flag]]",
                             "script[e[evtnever]]", "script[e[evt_b]]", "script[0/0==0/0]", "script[0/0<1]"}) {
        EXPECT_FALSE(Eval(text)) << text;
    }
    EXPECT_TRUE(mLog.Lines().empty());
}

TEST_F(ScriptEvaluation, StateAndEventExample)
{
    const std::string text = "script[s[sta_n]+1>=3|e[evt_x]]";
    Set(u"sta_n", u"number", u"1");
    EXPECT_FALSE(Eval(text));
    LEventManager::Get()->AddEvent(u"evt_x", false);
    EXPECT_TRUE(Eval(text));
    Set(u"sta_n", u"number", u"2");
    EXPECT_TRUE(Eval(text));
    LEventManager::Get()->RemoveAllEvents();
    EXPECT_TRUE(Eval(text));
}

TEST_F(ScriptEvaluation, MissingStateReadsAsNumberZeroAndBothSidesAreEvaluated)
{
    EXPECT_TRUE(Eval("script[s[sta_unknown]]"));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: .\\script\\LScriptOperation.cpp, "));
    EXPECT_TRUE(mLog.Contains(": OpCheckState failure. State not found: sta_unknown"));
    EXPECT_TRUE(Eval("script[s[sta_unknown]==0]"));
    EXPECT_FALSE(Eval("script[e[evt_a]&s[sta_other]]"));
    EXPECT_TRUE(mLog.Contains("State not found: sta_other"));
}

TEST_F(ScriptEvaluation, StateOfAnInvalidTypeIsFalse)
{
    LIState* odd = new LIState();
    const float any = 1.0f;
    ASSERT_TRUE(odd->Set(u"sta_odd", 7, &any));
    ASSERT_TRUE(LStateManager::Get()->AddState(odd, false, false));
    for (const char* text : {"script[s[sta_odd]]", "script[!s[sta_odd]]", "script[s[sta_odd]==s[sta_odd]]",
                             "script[s[sta_odd]!=1]"}) {
        EXPECT_FALSE(Eval(text)) << text;
    }
}

TEST_F(ScriptEvaluation, TypeErrorsGiveNaNOrFalse)
{
    Set(u"sta_flag", u"boolean", u"true");
    // The word true is a string: mismatch, and false either way.
    EXPECT_FALSE(Eval("script[s[sta_flag]==true]"));
    EXPECT_FALSE(Eval("script[s[sta_flag]!=true]"));
    EXPECT_FALSE(Eval("script[1&true]"));
    EXPECT_TRUE(mLog.Contains(": Operand mismatch."));

    const LScriptOperand sum = Result("abc+1");
    ASSERT_EQ(LScriptOperand::TYPE_NUMBER, sum.GetType());
    EXPECT_TRUE(std::isnan(sum.GetNumber()));
    EXPECT_TRUE(mLog.Contains(": Operand invaid."));
    for (const char* text : {"abc<abc", "!5"}) {
        const LScriptOperand result = Result(text);
        ASSERT_EQ(LScriptOperand::TYPE_BOOLEAN, result.GetType()) << text;
        EXPECT_FALSE(result.GetBoolean()) << text;
    }
    EXPECT_TRUE(mLog.Contains(": Invalid operand."));
}

TEST_F(ScriptEvaluation, MissingOperandsGiveAnEmptyResult)
{
    EXPECT_TRUE(Result("-5").IsEmpty());
    EXPECT_TRUE(mLog.Contains(": NULL operand."));
    EXPECT_FALSE(Eval("-5"));
    LScriptOperation bare;
    const struct
    {
        unsigned mOp;
        const char* mMessage;
    } cases[] = {{LScriptOperation::OP_NOT, ": NULL operand B."}, {LScriptOperation::OP_VALUE, ": NULL operand"},
                 {16, ": Invalid op."}};
    for (const auto& c : cases) {
        bare.SetOpCode(c.mOp);
        mLog.Clear();
        EXPECT_TRUE(bare.Evaluate().IsEmpty()) << c.mOp;
        EXPECT_TRUE(mLog.Contains(c.mMessage)) << c.mOp;
    }

    // A rogue operand B of a value is reported and ignored.
    LScriptOperand* a = new LScriptOperand();
    a->SetNumber(4.0f);
    LScriptOperand* b = new LScriptOperand();
    b->SetNumber(9.0f);
    bare.SetOpCode(LScriptOperation::OP_VALUE);
    bare.SetOperandA(a);
    bare.SetOperandB(b);
    EXPECT_EQ(4.0f, bare.Evaluate().GetNumber());
    EXPECT_TRUE(mLog.Contains(": Rogue operand"));
}

TEST(ScriptStreams, TrueWritesThirteenBytes)
{
    LScript script;
    LScriptBuilder::Get()->BuildScript(u"script[true]", &script);
    EXPECT_EQ("00 00 00 00 01 00 00 00 00 00 00 00 01", Hex(Written(script)));
}

TEST(ScriptStreams, TreesWithNotRoundTripAndEveryCutFails)
{
    LLogCapture log;
    for (const char* text : {"script[e[evt_a]&!s[sta_b]]", "script[s[sta_n]+1>=3|e[evt_x]]",
                             "script[(e[evt_a]|e[evt_b])&s[sta_c]==2]", "script[-5]", "script[abc]", "script[]",
                             "script[false]", "script[2.5*4]"}) {
        LScript script;
        LScriptBuilder::Get()->BuildScript(FromStd(text), &script);
        const std::string bytes = Written(script);
        LScript copy;
        ASSERT_TRUE(ReadBack(bytes, copy)) << text;
        EXPECT_EQ(TreeText(script), TreeText(copy)) << text;
        for (size_t length = 0; length < bytes.size(); ++length) {
            EXPECT_FALSE(ReadBack(bytes.substr(0, length), copy)) << text << " " << length;
        }
    }
    // A script without a root neither writes nor reads; an unknown operand layout fails.
    LScript empty;
    LMemoryStream stream(16, -1);
    EXPECT_FALSE(empty.Write(&stream));
    EXPECT_FALSE(empty.Read(&stream));
    LScript copy;
    EXPECT_FALSE(ReadBack(std::string("\x0e\0\0\0\x07\0\0\0", 8), copy));
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
    EXPECT_FALSE(ReadBack(bytes, script));
    EXPECT_LE(script.GetRoot()->GetDepth(), LScriptOperation::kMaxDepth + 1);
}

TEST(ScriptOperands, CopiesAreDeepAndSelfAssignmentKeepsTheValue)
{
    LScript script;
    LScriptBuilder::Get()->BuildScript(u"script[e[evt_a]&!s[sta_b]]", &script);
    LScriptOperation copy(*script.GetRoot());
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
