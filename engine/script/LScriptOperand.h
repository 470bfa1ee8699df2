// One operand of a script operation, and the typed result of evaluating one: a boolean,
// a number, a string (an event or state id, or a word) or a sub-operation. The operand
// owns its value. An empty operand, as the default constructor leaves it and as failed
// evaluations return it, has the kind TYPE_NONE and no value.
#pragma once
#include "container/LString.h"
#include "object/LISerializable.h"

class LScriptOperation;

class LScriptOperand : public LISerializable
{
public:
    // The type codes are stored in streams.
    static constexpr unsigned TYPE_BOOLEAN = 0;
    static constexpr unsigned TYPE_NUMBER = 1;
    static constexpr unsigned TYPE_STRING = 2;
    static constexpr unsigned TYPE_OPERATION = 3;
    static constexpr unsigned TYPE_NONE = 0xFFFFFFFFu;

    LScriptOperand();
    LScriptOperand(const LScriptOperand& aOther);
    LScriptOperand(LScriptOperand&& aOther) noexcept;
    LScriptOperand& operator=(const LScriptOperand& aOther);
    LScriptOperand& operator=(LScriptOperand&& aOther) noexcept;
    ~LScriptOperand() override;

    // Releases the current value, then takes the other's type and a copy of its value.
    void SetValue(const LScriptOperand& aOther);
    // Each replaces the value; 0 (and an empty operand) when the allocation fails.
    int SetBoolean(bool aValue);
    int SetNumber(float aValue);
    int SetString(const LString& aValue);
    // Takes ownership of aOperation (deleted here when it is null).
    int SetOperation(LScriptOperation* aOperation);
    // Releases the value: the operand becomes empty.
    void Clear();

    unsigned GetType() const { return mValue ? mType : TYPE_NONE; }
    bool IsEmpty() const { return GetType() == TYPE_NONE; }
    // The typed value; only valid for the matching type.
    bool GetBoolean() const;
    float GetNumber() const;
    const LString& GetString() const;
    const LScriptOperation* GetOperation() const;

    // A sub-operation evaluates to its result; any other operand to a copy of itself.
    LScriptOperand Evaluate() const;

    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

private:
    unsigned mType = TYPE_NONE;
    void* mValue = nullptr;
};
