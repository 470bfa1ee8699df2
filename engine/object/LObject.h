// Base of the engine's creatable objects: LBase plus LISerializable, an initialisation
// hook called once by the object manager, and two persistent flag bytes.
#pragma once
#include "object/LBase.h"
#include "object/LISerializable.h"

class LObject : public LBase, public LISerializable
{
public:
    LObject() = default;
    ~LObject() override;

    // Called once right after creation with the creator's parameter; 0 fails the creation.
    virtual int Init(int aParameter);
    virtual bool GetFlag1() const;
    virtual int GetZeroA() const;
    virtual bool GetFlag2() const;
    virtual int GetZeroB() const;
    virtual int GetZeroC() const;

    // The default persistence: the two flags, one byte each, first then second. Both are
    // attempted; true only when both succeed.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

protected:
    bool mFlag1 = false;
    bool mFlag2 = false;
};
