#include "support/LTestCreator.h"

#include "object/LRegistry.h"

LTestObject::LTestObject(int* aAlive)
    : mAlive(aAlive)
{
    if (mAlive) {
        ++*mAlive;
    }
}

LTestObject::~LTestObject()
{
    if (mAlive) {
        --*mAlive;
    }
}

int LTestObject::Init(int aParameter)
{
    mInitParameter = aParameter;
    return mInitResult;
}

LTestCreator::LTestCreator(const LString& aId, int* aAlive)
    : LIObjectCreator(aId), mAlive(aAlive)
{
}

LObject* LTestCreator::Create()
{
    ++mCreated;
    if (mFixed) {
        return mFixed;
    }
    return L_NEW LTestObject(mAlive);
}

void RegisterOnce(LIObjectCreator* aCreator)
{
    LRegistry* registry = LRegistry::Get();
    if (registry == nullptr || registry->GetCreatorIndex(aCreator->GetId()) >= 0 || !registry->AddCreator(aCreator)) {
        delete aCreator;
    }
}
