#include "script/LScript.h"

#include "container/LString.h"
#include "script/LScriptOperation.h"

LScript::LScript() = default;

LScript::~LScript()
{
    delete mRoot;
}

LString LScript::Dump() const
{
    return DumpHead("LScript") + "]";
}

void LScript::SetRoot(LScriptOperation* aRoot)
{
    if (aRoot != mRoot) {
        delete mRoot;
        mRoot = aRoot;
    }
}

bool LScript::Evaluate()
{
    if (!mRoot) {
        return false;
    }
    const LScriptOperand result = mRoot->Evaluate();
    switch (result.GetType()) {
    case LScriptOperand::TYPE_BOOLEAN:
        return result.GetBoolean();
    case LScriptOperand::TYPE_NUMBER:
        return result.GetNumber() == 0.0f;
    case LScriptOperand::TYPE_STRING:
        return result.GetString().IsEmpty();
    default:
        return false;
    }
}

bool LScript::Read(LIStream* aStream)
{
    return mRoot && mRoot->Read(aStream);
}

bool LScript::Write(LIStream* aStream)
{
    return mRoot && mRoot->Write(aStream);
}
