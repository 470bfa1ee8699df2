// Object creators for tests: LTestCreator makes a new LTestObject (or hands out one fixed
// object) under any id and counts the objects it made that are still alive; RegisterFake
// puts a creator of a fake under the id that an engine service asks for.
#pragma once
#include "memory/LMemoryManager.h"
#include "object/LIObjectCreator.h"
#include "object/LObject.h"

class LTestObject : public LObject
{
public:
    explicit LTestObject(int* aAlive = nullptr);
    ~LTestObject() override;

    int Init(int aParameter) override;

    int mInitParameter = -1;
    int mInitResult = 1;

private:
    int* mAlive;
};

class LTestCreator : public LIObjectCreator
{
public:
    explicit LTestCreator(const LString& aId, int* aAlive = nullptr);

    LObject* Create() override;

    // When set, Create hands out this object instead of a new one.
    LObject* mFixed = nullptr;
    int mCreated = 0;

private:
    int* mAlive;
};

// Adds aCreator to the registry unless its id is taken there (then it is deleted).
void RegisterOnce(LIObjectCreator* aCreator);

// Makes a new T under aId.
template <typename T>
class LFakeCreator : public LIObjectCreator
{
public:
    explicit LFakeCreator(const char* aId) : LIObjectCreator(LString(aId)) {}
    LObject* Create() override { return L_NEW T(); }
};

template <typename T>
void RegisterFake(const char* aId)
{
    RegisterOnce(L_NEW LFakeCreator<T>(aId));
}
