// An object creator for tests: makes a new LTestObject (or hands out one fixed object)
// under any id, and counts the objects it made that are still alive.
#pragma once
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
