// The record that precedes each object's block in a restore block: the game object
// manager's save tag, the object's handle there (0 when it holds none), the id bound to
// that handle (empty when 0) and the object's restore id.
#pragma once
#include "container/LString.h"
#include "object/LBase.h"
#include "object/LISerializable.h"

class LRestoreRecord : public LBase, public LISerializable
{
public:
    LRestoreRecord();
    ~LRestoreRecord() override;

    LString Dump() const override;

    // All four fields are attempted either way; true only when all succeeded.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    float mSaveTag = 0.0f;
    unsigned mHandle = 0;
    LString mObjectId;
    LString mRestoreId;
};
