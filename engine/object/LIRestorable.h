// An object whose state belongs in a saved game. It carries a restore id, the id of the
// registered object creator that yields the object to load into (for a singleton, the
// instance itself), and is registered with the restore manager by its owner.
#pragma once
#include "container/LString.h"
#include "object/LObject.h"

class LIStream;

class LIRestorable : public LObject
{
public:
    LIRestorable();
    // Unregisters the object from the restore manager.
    ~LIRestorable() override;

    int Init(int aParameter) override = 0;

    const LString& GetRestoreId() const { return mRestoreId; }
    int SetRestoreId(const LString& aId);

    // Reads the object's block; must consume exactly the bytes that OnSave wrote.
    virtual int OnLoad(LIStream* aStream, float aSaveTag) = 0;
    // Writes the object's block.
    virtual int OnSave(LIStream* aStream) = 0;

private:
    LString mRestoreId;
};
