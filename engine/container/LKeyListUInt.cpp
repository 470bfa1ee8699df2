#include "container/LKeyListUInt.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LKeyListUInt::LKeyListUInt() = default;

LKeyListUInt::~LKeyListUInt()
{
    RemoveAll();
}

LString LKeyListUInt::Dump() const
{
    return DumpHead("LKeyListUInt") + "]";
}

int LKeyListUInt::Add(const unsigned int& aKey, void* aValue)
{
    return AddAt(mCount, aKey, aValue);
}

int LKeyListUInt::AddTail(const unsigned int& aKey, void* aValue)
{
    return AddAt(mCount, aKey, aValue);
}

int LKeyListUInt::AddHead(const unsigned int& aKey, void* aValue)
{
    return AddAt(0, aKey, aValue);
}

int LKeyListUInt::AddAt(int aPosition, const unsigned int& aKey, void* aValue)
{
    if (aPosition < 0 || aPosition > mCount) {
        return 0;
    }
    LKeyListUIntElement* element = L_NEW LKeyListUIntElement(aKey, aValue);
    if (!element) {
        return 0;
    }
    if (!mHead) {
        mHead = element;
        mTail = element;
    } else if (aPosition == 0) {
        mHead->InsertBefore(element);
        mHead = element;
    } else if (aPosition == mCount) {
        mTail->InsertAfter(element);
        mTail = element;
    } else {
        ElementAt(aPosition)->InsertBefore(element);
    }
    ++mCount;
    return 1;
}

void LKeyListUInt::RemoveAll()
{
    LKeyListUIntElement* element = mHead;
    while (element) {
        LKeyListUIntElement* next = element->GetNext();
        delete element;
        element = next;
    }
    mHead = nullptr;
    mTail = nullptr;
    mCount = 0;
}

LKeyListUIntElement* LKeyListUInt::ElementAt(int aPosition) const
{
    if (aPosition < 0 || aPosition >= mCount) {
        return nullptr;
    }
    LKeyListUIntElement* element = mHead;
    for (int i = 0; i < aPosition && element; ++i) {
        element = element->GetNext();
    }
    return element;
}

int LKeyListUInt::FindKey(const unsigned int& aKey) const
{
    int position = 0;
    for (LKeyListUIntElement* e = mHead; e; e = e->GetNext(), ++position) {
        if (e->GetKey() == aKey) {
            return position;
        }
    }
    return -1;
}

int LKeyListUInt::FindValue(const void* aValue) const
{
    int position = 0;
    for (LKeyListUIntElement* e = mHead; e; e = e->GetNext(), ++position) {
        if (e->GetValue() == aValue) {
            return position;
        }
    }
    return -1;
}

bool LKeyListUInt::ContainsKey(const unsigned int& aKey) const
{
    return FindKey(aKey) != -1;
}

bool LKeyListUInt::ContainsValue(const void* aValue) const
{
    return FindValue(aValue) != -1;
}

int LKeyListUInt::GetValue(const unsigned int& aKey, void** aValueOut) const
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListUIntElement* element = ElementAt(FindKey(aKey));
    if (!element) {
        return 0;
    }
    *aValueOut = element->GetValue();
    return 1;
}

int LKeyListUInt::GetValueAt(int aPosition, void** aValueOut) const
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListUIntElement* element = ElementAt(aPosition);
    if (!element) {
        *aValueOut = nullptr;
        return 0;
    }
    *aValueOut = element->GetValue();
    return 1;
}

int LKeyListUInt::GetKeyAt(int aPosition, unsigned int* aKeyOut) const
{
    if (!aKeyOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListUIntElement* element = ElementAt(aPosition);
    *aKeyOut = element ? element->GetKey() : 0;
    return element ? 1 : 0;
}

int LKeyListUInt::GetValues(void*** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    void** array = L_NEW void*[mCount]();
    if (!array) {
        return 0;
    }
    int i = 0;
    for (LKeyListUIntElement* e = mHead; e && i < mCount; e = e->GetNext()) {
        array[i++] = e->GetValue();
    }
    *aArrayOut = array;
    return 1;
}

int LKeyListUInt::GetKeys(unsigned int** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    unsigned int* array = L_NEW unsigned int[mCount]();
    if (!array) {
        return 0;
    }
    int i = 0;
    for (LKeyListUIntElement* e = mHead; e && i < mCount; e = e->GetNext()) {
        array[i++] = e->GetKey();
    }
    *aArrayOut = array;
    return 1;
}

int LKeyListUInt::GetEnd(LKeyListUIntElement* aElement, unsigned int* aKeyOut, void** aValueOut) const
{
    if (aValueOut && *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    if (!aElement) {
        if (aValueOut) {
            *aValueOut = nullptr;
        }
        return 0;
    }
    if (aKeyOut) {
        *aKeyOut = aElement->GetKey();
    }
    if (aValueOut) {
        *aValueOut = aElement->GetValue();
    }
    return 1;
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
    LKeyListUIntElement* element = ElementAt(aPosition);
    if (!element) {
        if (aKeyOut) {
            *aKeyOut = 0;
        }
        if (aValueOut) {
            *aValueOut = nullptr;
        }
        return 0;
    }
    // The element checks the value out before it leaves the chain.
    LKeyListUIntElement* next = element->GetNext();
    LKeyListUIntElement* prev = element->GetPrev();
    if (!element->Remove(aKeyOut, aValueOut)) {
        return 0;
    }
    if (element == mHead) {
        mHead = next;
    }
    if (element == mTail) {
        mTail = prev;
    }
    delete element;
    --mCount;
    return 1;
}

int LKeyListUInt::RemoveHead(unsigned int* aKeyOut, void** aValueOut)
{
    return RemoveAt(0, aKeyOut, aValueOut);
}

int LKeyListUInt::RemoveTail(unsigned int* aKeyOut, void** aValueOut)
{
    return RemoveAt(mCount - 1, aKeyOut, aValueOut);
}

int LKeyListUInt::RemoveKey(const unsigned int& aKey, void** aValueOut)
{
    const int position = FindKey(aKey);
    if (position == -1) {
        return 0;
    }
    return RemoveAt(position, nullptr, aValueOut);
}

int LKeyListUInt::RemoveValue(const void* aValue)
{
    const int position = FindValue(aValue);
    if (position == -1) {
        return 0;
    }
    return RemoveAt(position, nullptr, nullptr);
}

int LKeyListUInt::RemoveAllKey(const unsigned int& aKey)
{
    for (int position = FindKey(aKey); position != -1; position = FindKey(aKey)) {
        if (!RemoveAt(position, nullptr, nullptr)) {
            return 0;
        }
    }
    return 1;
}

int LKeyListUInt::RemoveAllValue(const void* aValue)
{
    for (int position = FindValue(aValue); position != -1; position = FindValue(aValue)) {
        if (!RemoveAt(position, nullptr, nullptr)) {
            return 0;
        }
    }
    return 1;
}
