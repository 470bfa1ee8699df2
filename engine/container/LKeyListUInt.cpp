#include "container/LKeyListUInt.h"

LKeyListUInt::LKeyListUInt()
    : Store(L_FILE)
{
}

LKeyListUInt::~LKeyListUInt() = default;

LString LKeyListUInt::Dump() const
{
    return DumpHead("LKeyListUInt") + "]";
}

int LKeyListUInt::GetKeyAt(int aPosition, unsigned int* aKeyOut) const
{
    if (!aKeyOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    const Element* element = ElementAt(aPosition);
    *aKeyOut = element ? element->GetKey() : 0;
    return element ? 1 : 0;
}

int LKeyListUInt::GetHead(unsigned int* aKeyOut, void** aValueOut) const
{
    return GetEnd(mHead, aKeyOut, aValueOut);
}

int LKeyListUInt::GetTail(unsigned int* aKeyOut, void** aValueOut) const
{
    return GetEnd(mTail, aKeyOut, aValueOut);
}

int LKeyListUInt::RemoveAt(int aPosition, unsigned int* aKeyOut, void** aValueOut)
{
    if (!ElementAt(aPosition)) {
        if (aKeyOut) {
            *aKeyOut = 0;
        }
        if (aValueOut) {
            *aValueOut = nullptr;
        }
        return 0;
    }
    return Store::RemoveAt(aPosition, aKeyOut, aValueOut);
}

int LKeyListUInt::RemoveHead(unsigned int* aKeyOut, void** aValueOut)
{
    return RemoveAt(0, aKeyOut, aValueOut);
}

int LKeyListUInt::RemoveTail(unsigned int* aKeyOut, void** aValueOut)
{
    return RemoveAt(mCount - 1, aKeyOut, aValueOut);
}

int LKeyListUInt::RemoveValue(const void* aValue)
{
    const int position = FindValue(aValue);
    return position == -1 ? 0 : Store::RemoveAt(position, nullptr, nullptr);
}
