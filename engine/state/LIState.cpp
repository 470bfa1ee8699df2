#include "state/LIState.h"

#include "container/LBoolean.h"
#include "container/LFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

LIState::LIState() = default;

LIState::~LIState()
{
    ReleaseValue();
}

LString LIState::Dump() const
{
    return DumpHead("LIState") + "]";
}

int LIState::TypeFromName(const LString& aName)
{
    if (aName.EqualsNoCase(u"boolean")) {
        return TYPE_BOOLEAN;
    }
    if (aName.EqualsNoCase(u"number")) {
        return TYPE_NUMBER;
    }
    if (aName.EqualsNoCase(u"string")) {
        return TYPE_STRING;
    }
    return TYPE_NONE;
}

const char16_t* LIState::NameOfType(int aType)
{
    switch (aType) {
    case TYPE_BOOLEAN:
        return u"boolean";
    case TYPE_NUMBER:
        return u"number";
    case TYPE_STRING:
        return u"string";
    default:
        return u"invalid";
    }
}

void* LIState::CopyValue(int aType, const void* aValue)
{
    switch (aType) {
    case TYPE_BOOLEAN:
        return L_NEW unsigned char(*static_cast<const unsigned char*>(aValue) != 0 ? 1 : 0);
    case TYPE_NUMBER:
        return L_NEW float(*static_cast<const float*>(aValue));
    case TYPE_STRING:
        return L_NEW LString(*static_cast<const LString*>(aValue));
    default:
        return nullptr;
    }
}

void* LIState::ParseValue(int aType, const LString& aText)
{
    switch (aType) {
    case TYPE_BOOLEAN: {
        const unsigned char value = LBoolean(aText).mValue ? 1 : 0;
        return L_NEW unsigned char(value);
    }
    case TYPE_NUMBER:
        return L_NEW float(LFloat(aText).mValue);
    case TYPE_STRING:
        return L_NEW LString(aText);
    default:
        return nullptr;
    }
}

void LIState::ReleaseValue()
{
    if (!mValue) {
        return;
    }
    switch (mType) {
    case TYPE_BOOLEAN:
        delete static_cast<unsigned char*>(mValue);
        break;
    case TYPE_NUMBER:
        delete static_cast<float*>(mValue);
        break;
    case TYPE_STRING:
        delete static_cast<LString*>(mValue);
        break;
    default:
        L_ASSERT_FAILURE(u"~LIState failure.");
        break;
    }
    mValue = nullptr;
}

bool LIState::Set(const LString& aId, int aType, const void* aValue)
{
    if (aId.IsEmpty()) {
        L_ERROR(u"Set failure. Invalid id.");
        return false;
    }
    if (!aValue) {
        L_ERROR(u"Set failure. NULL arg.");
        return false;
    }
    void* value = CopyValue(aType, aValue);
    if (!value && aType >= TYPE_BOOLEAN && aType <= TYPE_STRING) {
        L_ERROR(u"Set failure. Out of memory.");
        return false;
    }
    ReleaseValue();
    mId = aId.ToLower();
    mType = aType;
    mValue = value;
    return true;
}

bool LIState::Set(const LString& aId, const LString& aTypeName, const void* aValue)
{
    const int type = TypeFromName(aTypeName);
    if (type == TYPE_NONE) {
        return false;
    }
    return Set(aId, type, aValue);
}

// The new value is made before the old one goes, so aValue may be the record's own.
bool LIState::SetValue(const void* aValue)
{
    if (mType < TYPE_BOOLEAN || mType > TYPE_STRING) {
        L_ERROR(u"SetValue failure. Invalid type.");
        return false;
    }
    if (!aValue) {
        return false;
    }
    void* value = CopyValue(mType, aValue);
    if (!value) {
        return false;
    }
    ReleaseValue();
    mValue = value;
    return true;
}

bool LIState::SetValue(const LString& aText)
{
    if (mType < TYPE_BOOLEAN || mType > TYPE_STRING) {
        L_ERROR(u"SetValue failure. Invalid type.");
        return false;
    }
    void* value = ParseValue(mType, aText);
    if (!value) {
        return false;
    }
    ReleaseValue();
    mValue = value;
    return true;
}

bool LIState::Write(LIStream* aStream)
{
    if (!aStream || mType == TYPE_NONE) {
        return false;
    }
    bool ok = aStream->Write(mTime) != 0;
    ok = aStream->Write(mType) != 0 && ok;
    ok = aStream->Write(mId) != 0 && ok;
    if (!mValue) {
        if (mType >= TYPE_BOOLEAN && mType <= TYPE_STRING) {
            return false;
        }
        L_ERROR(u"Write failure. Invalid type.");
        return false;
    }
    switch (mType) {
    case TYPE_BOOLEAN:
        ok = aStream->Write(*static_cast<unsigned char*>(mValue) != 0) != 0 && ok;
        break;
    case TYPE_NUMBER:
        ok = aStream->Write(*static_cast<float*>(mValue)) != 0 && ok;
        break;
    default:
        ok = aStream->Write(*static_cast<LString*>(mValue)) != 0 && ok;
        break;
    }
    return ok;
}

bool LIState::Read(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    float time = 0.0f;
    int type = 0;
    LString id;
    if (!aStream->Read(time) || !aStream->Read(type) || !aStream->Read(id)) {
        return false;
    }
    if (type < TYPE_BOOLEAN || type > TYPE_STRING) {
        L_ERROR(u"Read failure. Invalid type.");
        return false;
    }
    void* value = nullptr;
    switch (type) {
    case TYPE_BOOLEAN: {
        bool flag = false;
        if (!aStream->Read(flag)) {
            return false;
        }
        value = L_NEW unsigned char(flag ? 1 : 0);
        break;
    }
    case TYPE_NUMBER: {
        float number = 0.0f;
        if (!aStream->Read(number)) {
            return false;
        }
        value = L_NEW float(number);
        break;
    }
    default: {
        LString text;
        if (!aStream->Read(text)) {
            return false;
        }
        value = L_NEW LString(text);
        break;
    }
    }
    if (!value) {
        return false;
    }
    ReleaseValue();
    mTime = time;
    mType = type;
    mId = id;
    mValue = value;
    return true;
}
