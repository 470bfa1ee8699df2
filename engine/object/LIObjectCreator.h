// A factory registered with the registry under its kind's id: Create makes the object
// (or hands out a singleton; that is the creator's business).
#pragma once
#include "container/LString.h"

class LObject;

class LIObjectCreator : public LBase
{
public:
    // An empty id is logged as an assertion failure; the creator still takes it.
    explicit LIObjectCreator(const LString& aId);
    ~LIObjectCreator() override;

    virtual LObject* Create() = 0;
    const LString& GetId() const { return mId; }

private:
    LString mId;
};
