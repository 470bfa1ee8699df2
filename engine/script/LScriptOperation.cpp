#include "script/LScriptOperation.h"

#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <initializer_list>
#include <limits>

namespace {

LScriptOperand BooleanResult(bool aValue)
{
    LScriptOperand result;
    result.SetBoolean(aValue);
    return result;
}

LScriptOperand NumberResult(float aValue)
{
    LScriptOperand result;
    result.SetNumber(aValue);
    return result;
}

LScriptOperand* CopyOperand(const LScriptOperand* aOperand)
{
    return aOperand ? L_NEW LScriptOperand(*aOperand) : nullptr;
}

} // namespace

LScriptOperation::LScriptOperation() = default;

LScriptOperation::LScriptOperation(const LScriptOperation& aOther)
    : mOpCode(aOther.mOpCode),
      mOperandA(CopyOperand(aOther.mOperandA)),
      mOperandB(CopyOperand(aOther.mOperandB))
{
}

LScriptOperation& LScriptOperation::operator=(const LScriptOperation& aOther)
{
    if (this != &aOther) {
        // Copy first: aOther may live inside one of our own operands.
        LScriptOperand* a = CopyOperand(aOther.mOperandA);
        LScriptOperand* b = CopyOperand(aOther.mOperandB);
        mOpCode = aOther.mOpCode;
        SetOperandA(a);
        SetOperandB(b);
    }
    return *this;
}

LScriptOperation::~LScriptOperation()
{
    Reset();
}

void LScriptOperation::SetOperandA(LScriptOperand* aOperand)
{
    if (aOperand != mOperandA) {
        delete mOperandA;
        mOperandA = aOperand;
    }
}

void LScriptOperation::SetOperandB(LScriptOperand* aOperand)
{
    if (aOperand != mOperandB) {
        delete mOperandB;
        mOperandB = aOperand;
    }
}

void LScriptOperation::Reset()
{
    mOpCode = OP_VALUE;
    SetOperandA(nullptr);
    SetOperandB(nullptr);
}

int LScriptOperation::GetDepth() const
{
    int deepest = 0;
    for (const LScriptOperand* operand : {mOperandA, mOperandB}) {
        if (operand && operand->GetOperation()) {
            const int depth = operand->GetOperation()->GetDepth();
            deepest = depth > deepest ? depth : deepest;
        }
    }
    return deepest + 1;
}

LScriptOperand LScriptOperation::Evaluate() const
{
    switch (mOpCode) {
    case OP_VALUE:
        return OpValue();
    case OP_CHECK_EVENT:
        return OpCheckEvent();
    case OP_CHECK_STATE:
        return OpCheckState();
    case OP_MULTIPLY:
        return OpMultiply();
    case OP_DIVIDE:
        return OpDivide();
    case OP_ADD:
        return OpAdd();
    case OP_SUBTRACT:
        return OpSubtract();
    case OP_LESS:
        return OpLess();
    case OP_GREATER:
        return OpGreater();
    case OP_LESS_EQUAL:
        return OpLessEqual();
    case OP_GREATER_EQUAL:
        return OpGreaterEqual();
    case OP_NOT:
        return OpNot();
    case OP_EQUAL:
        return OpEqual();
    case OP_NOT_EQUAL:
        return OpNotEqual();
    case OP_AND:
        return OpAnd();
    case OP_OR:
        return OpOr();
    default:
        L_ASSERT_FAILURE(u"Invalid op.");
        return LScriptOperand();
    }
}

LScriptOperand LScriptOperation::OpValue() const
{
    if (!mOperandA) {
        L_ASSERT_FAILURE(u"NULL operand");
        return LScriptOperand();
    }
    if (mOperandB) {
        L_ASSERT_FAILURE(u"Rogue operand");
    }
    return LScriptOperand(*mOperandA);
}

// Operand A of an event or state check: its id. Null (after the message) when the node
// cannot be evaluated.
const LString* LScriptOperation::SingleStringOperand() const
{
    if (!mOperandA) {
        L_ASSERT_FAILURE(u"NULL operand.");
        return nullptr;
    }
    if (mOperandB) {
        L_ASSERT_FAILURE(u"Rogue operand.");
    }
    if (mOperandA->GetType() != LScriptOperand::TYPE_STRING) {
        // Only a damaged stream makes such a node; the builder always stores the id.
        L_ASSERT_FAILURE(u"Invalid operand.");
        return nullptr;
    }
    return &mOperandA->GetString();
}

LScriptOperand LScriptOperation::OpCheckEvent() const
{
    const LString* id = SingleStringOperand();
    if (!id) {
        return LScriptOperand();
    }
    LEventManager* events = LEventManager::Get();
    return BooleanResult(events && events->IsRaised(*id));
}

LScriptOperand LScriptOperation::OpCheckState() const
{
    const LString* id = SingleStringOperand();
    if (!id) {
        return LScriptOperand();
    }
    LStateManager* states = LStateManager::Get();
    const LIState* state = states ? states->GetState(LString(*id)) : nullptr;
    if (!state) {
        // Data relies on a missing state reading as the number 0.
        L_ASSERT_FAILURE(LString(u"OpCheckState failure. State not found: ") + *id);
        return NumberResult(0.0f);
    }
    const void* value = state->GetValue();
    LScriptOperand result;
    if (value) {
        switch (state->GetType()) {
        case LIState::TYPE_BOOLEAN:
            result.SetBoolean(*static_cast<const unsigned char*>(value) != 0);
            break;
        case LIState::TYPE_NUMBER:
            result.SetNumber(*static_cast<const float*>(value));
            break;
        case LIState::TYPE_STRING:
            result.SetString(*static_cast<const LString*>(value));
            break;
        default:
            break;
        }
    }
    // A state without a usable value gives an empty result, which counts as false.
    return result;
}

int LScriptOperation::EvaluatePair(Want aWant, LScriptOperand& aA, LScriptOperand& aB) const
{
    if (!mOperandA || !mOperandB) {
        L_ASSERT_FAILURE(u"NULL operand.");
        return 0;
    }
    aA = mOperandA->Evaluate();
    aB = mOperandB->Evaluate();
    bool usable = true;
    if (aA.GetType() != aB.GetType()) {
        L_ASSERT_FAILURE(u"Operand mismatch.");
        usable = false;
    }
    const unsigned wanted = aWant == Want::Number ? LScriptOperand::TYPE_NUMBER
                                                   : LScriptOperand::TYPE_BOOLEAN;
    if (aWant != Want::Any && aA.GetType() != wanted) {
        L_ASSERT_FAILURE(u"Operand invaid.");
        usable = false;
    }
    return usable ? 2 : 1;
}

LScriptOperand LScriptOperation::Arithmetic(unsigned aOp) const
{
    LScriptOperand a;
    LScriptOperand b;
    const int state = EvaluatePair(Want::Number, a, b);
    if (state == 0) {
        return LScriptOperand();
    }
    if (state == 1) {
        return NumberResult(std::numeric_limits<float>::quiet_NaN());
    }
    const float x = a.GetNumber();
    const float y = b.GetNumber();
    switch (aOp) {
    case OP_MULTIPLY:
        return NumberResult(x * y);
    case OP_DIVIDE:
        return NumberResult(x / y);
    case OP_ADD:
        return NumberResult(x + y);
    default:
        return NumberResult(x - y);
    }
}

LScriptOperand LScriptOperation::Compare(unsigned aOp) const
{
    LScriptOperand a;
    LScriptOperand b;
    const int state = EvaluatePair(Want::Number, a, b);
    if (state == 0) {
        return LScriptOperand();
    }
    if (state == 1) {
        return BooleanResult(false);
    }
    const float x = a.GetNumber();
    const float y = b.GetNumber();
    switch (aOp) {
    case OP_LESS:
        return BooleanResult(x < y);
    case OP_GREATER:
        return BooleanResult(x > y);
    case OP_LESS_EQUAL:
        return BooleanResult(x <= y);
    default:
        return BooleanResult(x >= y);
    }
}

LScriptOperand LScriptOperation::Logic(bool aAnd) const
{
    LScriptOperand a;
    LScriptOperand b;
    const int state = EvaluatePair(Want::Boolean, a, b);
    if (state == 0) {
        return LScriptOperand();
    }
    if (state == 1) {
        return BooleanResult(false);
    }
    return BooleanResult(aAnd ? (a.GetBoolean() && b.GetBoolean()) : (a.GetBoolean() || b.GetBoolean()));
}

int LScriptOperation::Equality(bool& aEqual) const
{
    LScriptOperand a;
    LScriptOperand b;
    const int state = EvaluatePair(Want::Any, a, b);
    if (state != 2) {
        return state == 0 ? -1 : 0;
    }
    switch (a.GetType()) {
    case LScriptOperand::TYPE_BOOLEAN:
        aEqual = a.GetBoolean() == b.GetBoolean();
        return 1;
    case LScriptOperand::TYPE_NUMBER:
        aEqual = a.GetNumber() == b.GetNumber();
        return 1;
    case LScriptOperand::TYPE_STRING:
        aEqual = a.GetString().EqualsNoCase(b.GetString());
        return 1;
    default:
        // Two empty results (or operations) have nothing to compare.
        L_ASSERT_FAILURE(u"Operand invaid.");
        return 0;
    }
}

LScriptOperand LScriptOperation::OpMultiply() const { return Arithmetic(OP_MULTIPLY); }
LScriptOperand LScriptOperation::OpDivide() const { return Arithmetic(OP_DIVIDE); }
LScriptOperand LScriptOperation::OpAdd() const { return Arithmetic(OP_ADD); }
LScriptOperand LScriptOperation::OpSubtract() const { return Arithmetic(OP_SUBTRACT); }
LScriptOperand LScriptOperation::OpLess() const { return Compare(OP_LESS); }
LScriptOperand LScriptOperation::OpGreater() const { return Compare(OP_GREATER); }
LScriptOperand LScriptOperation::OpLessEqual() const { return Compare(OP_LESS_EQUAL); }
LScriptOperand LScriptOperation::OpGreaterEqual() const { return Compare(OP_GREATER_EQUAL); }
LScriptOperand LScriptOperation::OpAnd() const { return Logic(true); }
LScriptOperand LScriptOperation::OpOr() const { return Logic(false); }

LScriptOperand LScriptOperation::OpNot() const
{
    // A left operand, when one was written, is neither tested nor evaluated.
    if (!mOperandB) {
        L_ASSERT_FAILURE(u"NULL operand B.");
        return LScriptOperand();
    }
    const LScriptOperand b = mOperandB->Evaluate();
    if (b.GetType() != LScriptOperand::TYPE_BOOLEAN) {
        L_ASSERT_FAILURE(u"Invalid operand.");
        return BooleanResult(false);
    }
    return BooleanResult(!b.GetBoolean());
}

LScriptOperand LScriptOperation::OpEqual() const
{
    bool equal = false;
    const int state = Equality(equal);
    if (state < 0) {
        return LScriptOperand();
    }
    return BooleanResult(state == 1 && equal);
}

LScriptOperand LScriptOperation::OpNotEqual() const
{
    bool equal = false;
    const int state = Equality(equal);
    if (state < 0) {
        return LScriptOperand();
    }
    return BooleanResult(state == 1 && !equal);
}

bool LScriptOperation::Write(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    int layout = LAYOUT_NONE;
    if (mOperandA) {
        layout = mOperandB ? LAYOUT_A_B : LAYOUT_A;
    } else if (mOperandB) {
        layout = LAYOUT_B;
    }
    bool ok = aStream->Write(static_cast<int>(mOpCode)) != 0;
    ok = aStream->Write(layout) != 0 && ok;
    if (mOperandA) {
        ok = mOperandA->Write(aStream) && ok;
    }
    if (mOperandB) {
        ok = mOperandB->Write(aStream) && ok;
    }
    return ok;
}

bool LScriptOperation::Read(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    int opCode = 0;
    int layout = 0;
    if (!aStream->Read(opCode) || !aStream->Read(layout)) {
        return false;
    }
    if (layout < LAYOUT_NONE || layout > LAYOUT_B) {
        return false;
    }
    mOpCode = static_cast<unsigned>(opCode);
    SetOperandA(nullptr);
    SetOperandB(nullptr);
    bool ok = true;
    if (layout == LAYOUT_A || layout == LAYOUT_A_B) {
        LScriptOperand* operand = L_NEW LScriptOperand();
        if (!operand) {
            return false;
        }
        ok = operand->Read(aStream);
        SetOperandA(operand);
        if (!ok) {
            return false;
        }
    }
    if (layout == LAYOUT_A_B || layout == LAYOUT_B) {
        LScriptOperand* operand = L_NEW LScriptOperand();
        if (!operand) {
            return false;
        }
        ok = operand->Read(aStream);
        SetOperandB(operand);
    }
    return ok;
}
