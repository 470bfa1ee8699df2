#include "container/LKeyListString.h"

LKeyListString::LKeyListString()
    : Store(L_FILE)
{
}

LKeyListString::~LKeyListString() = default;

LString LKeyListString::Dump() const
{
    return DumpHead("LKeyListString") + "]";
}

int LKeyListString::GetKeyAt(int aPosition, LString& aKeyOut) const
{
    const Element* element = ElementAt(aPosition);
    aKeyOut = element ? element->GetKey() : LString("");
    return element ? 1 : 0;
}

int LKeyListString::GetHead(LString& aKeyOut, void** aValueOut) const
{
    return GetEnd(mHead, &aKeyOut, aValueOut);
}

int LKeyListString::GetTail(LString& aKeyOut, void** aValueOut) const
{
    return GetEnd(mTail, &aKeyOut, aValueOut);
}

int LKeyListString::RemoveHead(LString* aKeyOut, void** aValueOut)
{
    return RemoveAt(0, aKeyOut, aValueOut);
}

int LKeyListString::RemoveTail(LString* aKeyOut, void** aValueOut)
{
    return RemoveAt(mCount - 1, aKeyOut, aValueOut);
}

int LKeyListString::RemoveValue(const void* aValue, LString* aKeyOut)
{
    const int position = FindValue(aValue);
    return position == -1 ? 0 : RemoveAt(position, aKeyOut, nullptr);
}
