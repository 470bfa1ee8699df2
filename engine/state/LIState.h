// One named state: a boolean, a number or a string, and the time of its last change
// (seconds on the platform timer). The id is stored lower-cased (A-Z only).
//
// Stream form: change time (float), type (int), id (string), value by type (a byte, a
// float or a string).
#pragma once
#include "container/LString.h"
#include "object/LBase.h"
#include "object/LISerializable.h"

class LIState : public LBase, public LISerializable
{
public:
    static constexpr int TYPE_NONE = 0;
    static constexpr int TYPE_BOOLEAN = 1;
    static constexpr int TYPE_NUMBER = 2;
    static constexpr int TYPE_STRING = 3;

    LIState();
    LIState(const LIState&) = delete;
    LIState& operator=(const LIState&) = delete;
    ~LIState() override;

    LString Dump() const override;

    // Initialises the record: id (lower-cased), type code and a copy of the raw value (a
    // byte, a float or an LString). Another type code is stored without a value.
    bool Set(const LString& aId, int aType, const void* aValue);
    // The same with the type named "boolean", "number" or "string" (any case); another
    // name fails without a message.
    bool Set(const LString& aId, const LString& aTypeName, const void* aValue);
    bool Set(const LString& aId, const char16_t* aTypeName, const void* aValue)
    {
        return Set(aId, LString(aTypeName), aValue);
    }

    void SetTime(float aTime) { mTime = aTime; }
    float GetTime() const { return mTime; }
    // Replaces the value by a copy of a raw value of the record's type.
    bool SetValue(const void* aValue);
    // Replaces the value by one parsed from text by the record's type.
    bool SetValue(const LString& aText);
    bool SetValue(const char16_t* aText) { return SetValue(LString(aText)); }
    bool SetValue(const char* aText) { return SetValue(LString(aText)); }

    LString GetId() const { return mId; }
    int GetType() const { return mType; }
    // The value for the caller to read by type: an unsigned char (0 or 1), a float or an
    // LString; null when the record has none.
    void* GetValue() const { return mValue; }

    // Maps "boolean", "number", "string" (any case) to their codes; 0 otherwise.
    static int TypeFromName(const LString& aName);
    // The type code's name, or "invalid".
    static const char16_t* NameOfType(int aType);

    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

private:
    // A new copy of a raw value of aType, or null.
    static void* CopyValue(int aType, const void* aValue);
    static void* ParseValue(int aType, const LString& aText);
    void ReleaseValue();

    LString mId;
    float mTime = 0.0f;
    int mType = TYPE_NONE;
    void* mValue = nullptr;
};
