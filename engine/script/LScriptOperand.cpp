#include "script/LScriptOperand.h"

#include "memory/LMemoryManager.h"
#include "script/LScriptOperation.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <utility>

namespace {

// Nesting of operand reads in progress: a crafted stream must not recurse without end.
int sReadDepth = 0;

const LString& EmptyString()
{
    static const LString sEmpty;
    return sEmpty;
}

} // namespace

LScriptOperand::LScriptOperand() = default;

LScriptOperand::LScriptOperand(const LScriptOperand& aOther)
{
    SetValue(aOther);
}

LScriptOperand::LScriptOperand(LScriptOperand&& aOther) noexcept
    : mType(aOther.mType), mValue(aOther.mValue)
{
    aOther.mType = TYPE_NONE;
    aOther.mValue = nullptr;
}

LScriptOperand& LScriptOperand::operator=(const LScriptOperand& aOther)
{
    SetValue(aOther);
    return *this;
}

LScriptOperand& LScriptOperand::operator=(LScriptOperand&& aOther) noexcept
{
    if (this != &aOther) {
        Clear();
        mType = aOther.mType;
        mValue = aOther.mValue;
        aOther.mType = TYPE_NONE;
        aOther.mValue = nullptr;
    }
    return *this;
}

LScriptOperand::~LScriptOperand()
{
    Clear();
}

void LScriptOperand::Clear()
{
    if (mValue) {
        switch (mType) {
        case TYPE_BOOLEAN:
            delete static_cast<bool*>(mValue);
            break;
        case TYPE_NUMBER:
            delete static_cast<float*>(mValue);
            break;
        case TYPE_STRING:
            delete static_cast<LString*>(mValue);
            break;
        case TYPE_OPERATION:
            delete static_cast<LScriptOperation*>(mValue);
            break;
        default:
            break;
        }
    }
    mValue = nullptr;
    mType = TYPE_NONE;
}

void LScriptOperand::SetValue(const LScriptOperand& aOther)
{
    if (this == &aOther) {
        return;
    }
    switch (aOther.GetType()) {
    case TYPE_BOOLEAN:
        SetBoolean(aOther.GetBoolean());
        break;
    case TYPE_NUMBER:
        SetNumber(aOther.GetNumber());
        break;
    case TYPE_STRING:
        SetString(aOther.GetString());
        break;
    case TYPE_OPERATION:
        SetOperation(L_NEW LScriptOperation(*aOther.GetOperation()));
        break;
    default:
        Clear();
        break;
    }
}

int LScriptOperand::SetBoolean(bool aValue)
{
    Clear();
    bool* value = L_NEW bool(aValue);
    if (!value) {
        return 0;
    }
    mType = TYPE_BOOLEAN;
    mValue = value;
    return 1;
}

int LScriptOperand::SetNumber(float aValue)
{
    Clear();
    float* value = L_NEW float(aValue);
    if (!value) {
        return 0;
    }
    mType = TYPE_NUMBER;
    mValue = value;
    return 1;
}

int LScriptOperand::SetString(const LString& aValue)
{
    // aValue may be this operand's own string.
    LString* value = L_NEW LString(aValue);
    Clear();
    if (!value) {
        return 0;
    }
    mType = TYPE_STRING;
    mValue = value;
    return 1;
}

int LScriptOperand::SetOperation(LScriptOperation* aOperation)
{
    Clear();
    if (!aOperation) {
        return 0;
    }
    mType = TYPE_OPERATION;
    mValue = aOperation;
    return 1;
}

bool LScriptOperand::GetBoolean() const
{
    return GetType() == TYPE_BOOLEAN && *static_cast<const bool*>(mValue);
}

float LScriptOperand::GetNumber() const
{
    return GetType() == TYPE_NUMBER ? *static_cast<const float*>(mValue) : 0.0f;
}

const LString& LScriptOperand::GetString() const
{
    return GetType() == TYPE_STRING ? *static_cast<const LString*>(mValue) : EmptyString();
}

const LScriptOperation* LScriptOperand::GetOperation() const
{
    return GetType() == TYPE_OPERATION ? static_cast<const LScriptOperation*>(mValue) : nullptr;
}

LScriptOperand LScriptOperand::Evaluate() const
{
    if (GetType() == TYPE_OPERATION) {
        return GetOperation()->Evaluate();
    }
    return LScriptOperand(*this);
}

bool LScriptOperand::Write(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    const unsigned type = GetType();
    bool ok = aStream->Write(static_cast<int>(type)) != 0;
    switch (type) {
    case TYPE_BOOLEAN:
        ok = aStream->Write(GetBoolean()) != 0 && ok;
        break;
    case TYPE_NUMBER:
        ok = aStream->Write(GetNumber()) != 0 && ok;
        break;
    case TYPE_STRING:
        ok = aStream->Write(GetString()) != 0 && ok;
        break;
    case TYPE_OPERATION:
        ok = static_cast<LScriptOperation*>(mValue)->Write(aStream) && ok;
        break;
    default:
        break;
    }
    return ok;
}

bool LScriptOperand::Read(LIStream* aStream)
{
    Clear();
    if (!aStream) {
        return false;
    }
    int type = 0;
    if (!aStream->Read(type)) {
        return false;
    }
    switch (static_cast<unsigned>(type)) {
    case TYPE_BOOLEAN: {
        bool value = false;
        if (!aStream->Read(value)) {
            return false;
        }
        return SetBoolean(value) != 0;
    }
    case TYPE_NUMBER: {
        float value = 0.0f;
        if (!aStream->Read(value)) {
            return false;
        }
        return SetNumber(value) != 0;
    }
    case TYPE_STRING: {
        LString value;
        if (!aStream->Read(value)) {
            return false;
        }
        return SetString(value) != 0;
    }
    case TYPE_OPERATION: {
        if (sReadDepth >= LScriptOperation::kMaxDepth) {
            L_ERROR(u"Read failure. Script nested too deeply.");
            return false;
        }
        LScriptOperation* operation = L_NEW LScriptOperation();
        if (!operation) {
            return false;
        }
        ++sReadDepth;
        const bool ok = operation->Read(aStream);
        --sReadDepth;
        SetOperation(operation);
        return ok;
    }
    default:
        // Any other type carries no value: the operand stays empty.
        return true;
    }
}
