// One node of a script tree: an op code and up to two operands. Value, event-check and
// state-check nodes have operand A only; an operator has A for the text left of its
// token and B for the text right of it ("!" has B only). Evaluating a node evaluates
// both operands always and yields a typed result; a type error yields NaN for
// arithmetic and false for comparisons and logic, a missing operand an empty result.
#pragma once
#include "object/LISerializable.h"
#include "script/LScriptOperand.h"

class LScriptOperation : public LISerializable
{
public:
    // The op codes are stored in streams.
    enum OpCode : unsigned {
        OP_VALUE = 0,
        OP_CHECK_EVENT = 1,
        OP_CHECK_STATE = 2,
        OP_MULTIPLY = 3,
        OP_DIVIDE = 4,
        OP_ADD = 5,
        OP_SUBTRACT = 6,
        OP_LESS = 7,
        OP_GREATER = 8,
        OP_LESS_EQUAL = 9,
        OP_GREATER_EQUAL = 10,
        OP_NOT = 11,
        OP_EQUAL = 12,
        OP_NOT_EQUAL = 13,
        OP_AND = 14,
        OP_OR = 15,
        OP_COUNT = 16
    };

    // The deepest nesting of operations that is built, read or copied. Conditions in the
    // data nest a few levels; a deeper tree is refused rather than overflowing the stack.
    static constexpr int kMaxDepth = 200;

    LScriptOperation();
    LScriptOperation(const LScriptOperation& aOther);
    LScriptOperation& operator=(const LScriptOperation& aOther);
    ~LScriptOperation() override;

    unsigned GetOpCode() const { return mOpCode; }
    void SetOpCode(unsigned aOpCode) { mOpCode = aOpCode; }
    const LScriptOperand* GetOperandA() const { return mOperandA; }
    const LScriptOperand* GetOperandB() const { return mOperandB; }
    // Each takes ownership of aOperand (null makes the operand absent).
    void SetOperandA(LScriptOperand* aOperand);
    void SetOperandB(LScriptOperand* aOperand);
    // Op code 0 and no operands.
    void Reset();
    // Levels of operations below and including this one.
    int GetDepth() const;

    LScriptOperand Evaluate() const;

    LScriptOperand OpValue() const;
    LScriptOperand OpCheckEvent() const;
    LScriptOperand OpCheckState() const;
    LScriptOperand OpMultiply() const;
    LScriptOperand OpDivide() const;
    LScriptOperand OpAdd() const;
    LScriptOperand OpSubtract() const;
    LScriptOperand OpLess() const;
    LScriptOperand OpGreater() const;
    LScriptOperand OpLessEqual() const;
    LScriptOperand OpGreaterEqual() const;
    LScriptOperand OpNot() const;
    LScriptOperand OpEqual() const;
    LScriptOperand OpNotEqual() const;
    LScriptOperand OpAnd() const;
    LScriptOperand OpOr() const;

    // Block: op code, operand layout, operand A's block when present, operand B's block
    // when present. The layout is 1 (A), 2 (A and B), 0 (none) or 3 (B alone, as "!").
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    static constexpr int LAYOUT_NONE = 0;
    static constexpr int LAYOUT_A = 1;
    static constexpr int LAYOUT_A_B = 2;
    static constexpr int LAYOUT_B = 3;

private:
    enum class Want { Number, Boolean, Any };
    // Checks that both operands exist, evaluates them (A, then B), and checks their types.
    // 0: an operand is missing; 1: evaluated but of the wrong types; 2: usable.
    int EvaluatePair(Want aWant, LScriptOperand& aA, LScriptOperand& aB) const;
    LScriptOperand Arithmetic(unsigned aOp) const;
    LScriptOperand Compare(unsigned aOp) const;
    LScriptOperand Logic(bool aAnd) const;
    // Shared by OpEqual and OpNotEqual; 0 on a type error.
    int Equality(bool& aEqual) const;
    const LString* SingleStringOperand() const;

    unsigned mOpCode = OP_VALUE;
    LScriptOperand* mOperandA = nullptr;
    LScriptOperand* mOperandB = nullptr;
};
