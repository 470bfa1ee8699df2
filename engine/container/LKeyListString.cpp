#include "container/LKeyListString.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LKeyListString::LKeyListString() = default;

LKeyListString::~LKeyListString()
{
    RemoveAll();
}

LString LKeyListString::Dump() const
{
    return DumpHead("LKeyListString") + "]";
}

int LKeyListString::Add(const LString& aKey, void* aValue)
{
    return AddAt(mCount, aKey, aValue);
}

int LKeyListString::AddTail(const LString& aKey, void* aValue)
{
    return AddAt(mCount, aKey, aValue);
}

int LKeyListString::AddHead(const LString& aKey, void* aValue)
{
    return AddAt(0, aKey, aValue);
}

int LKeyListString::AddAt(int aPosition, const LString& aKey, void* aValue)
{
    if (aPosition < 0 || aPosition > mCount) {
        return 0;
    }
    LKeyListStringElement* element = L_NEW LKeyListStringElement(aKey, aValue);
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

void LKeyListString::RemoveAll()
{
    LKeyListStringElement* element = mHead;
    while (element) {
        LKeyListStringElement* next = element->GetNext();
        delete element;
        element = next;
    }
    mHead = nullptr;
    mTail = nullptr;
    mCount = 0;
}

LKeyListStringElement* LKeyListString::ElementAt(int aPosition) const
{
    if (aPosition < 0 || aPosition >= mCount) {
        return nullptr;
    }
    LKeyListStringElement* element = mHead;
    for (int i = 0; i < aPosition && element; ++i) {
        element = element->GetNext();
    }
    return element;
}

int LKeyListString::FindKey(const LString& aKey) const
{
    int position = 0;
    for (LKeyListStringElement* e = mHead; e; e = e->GetNext(), ++position) {
        if (e->Key().Equals(aKey, mIgnoreCase)) {
            return position;
        }
    }
    return -1;
}

int LKeyListString::FindValue(const void* aValue) const
{
    int position = 0;
    for (LKeyListStringElement* e = mHead; e; e = e->GetNext(), ++position) {
        if (e->GetValue() == aValue) {
            return position;
        }
    }
    return -1;
}

bool LKeyListString::ContainsKey(const LString& aKey) const
{
    return FindKey(aKey) != -1;
}

bool LKeyListString::ContainsValue(const void* aValue) const
{
    return FindValue(aValue) != -1;
}

int LKeyListString::GetValue(const LString& aKey, void** aValueOut) const
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListStringElement* element = ElementAt(FindKey(aKey));
    if (!element) {
        return 0;
    }
    *aValueOut = element->GetValue();
    return 1;
}

int LKeyListString::GetValueAt(int aPosition, void** aValueOut) const
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListStringElement* element = ElementAt(aPosition);
    if (!element) {
        *aValueOut = nullptr;
        return 0;
    }
    *aValueOut = element->GetValue();
    return 1;
}

int LKeyListString::GetKeyAt(int aPosition, LString& aKeyOut) const
{
    LKeyListStringElement* element = ElementAt(aPosition);
    if (!element) {
        aKeyOut = LString("");
        return 0;
    }
    element->GetKey(aKeyOut);
    return 1;
}

int LKeyListString::GetValues(void*** aArrayOut) const
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
    for (LKeyListStringElement* e = mHead; e && i < mCount; e = e->GetNext()) {
        array[i++] = e->GetValue();
    }
    *aArrayOut = array;
    return 1;
}

int LKeyListString::GetKeys(LString** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LString* array = L_NEW LString[mCount];
    if (!array) {
        return 0;
    }
    int i = 0;
    for (LKeyListStringElement* e = mHead; e && i < mCount; e = e->GetNext()) {
        e->GetKey(array[i++]);
    }
    *aArrayOut = array;
    return 1;
}

int LKeyListString::GetEnd(LKeyListStringElement* aElement, LString& aKeyOut, void** aValueOut) const
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
    aElement->GetKey(aKeyOut);
    if (aValueOut) {
        *aValueOut = aElement->GetValue();
    }
    return 1;
}

int LKeyListString::GetHead(LString& aKeyOut, void** aValueOut) const
{
    return GetEnd(mHead, aKeyOut, aValueOut);
}

int LKeyListString::GetTail(LString& aKeyOut, void** aValueOut) const
{
    return GetEnd(mTail, aKeyOut, aValueOut);
}

int LKeyListString::RemoveAt(int aPosition, LString* aKeyOut, void** aValueOut)
{
    LKeyListStringElement* element = ElementAt(aPosition);
    if (!element) {
        return 0;
    }
    // The element checks the value out before it leaves the chain.
    LKeyListStringElement* next = element->GetNext();
    LKeyListStringElement* prev = element->GetPrev();
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

int LKeyListString::RemoveHead(LString* aKeyOut, void** aValueOut)
{
    return RemoveAt(0, aKeyOut, aValueOut);
}

int LKeyListString::RemoveTail(LString* aKeyOut, void** aValueOut)
{
    return RemoveAt(mCount - 1, aKeyOut, aValueOut);
}

int LKeyListString::RemoveKey(const LString& aKey, void** aValueOut)
{
    const int position = FindKey(aKey);
    if (position == -1) {
        return 0;
    }
    return RemoveAt(position, nullptr, aValueOut);
}

int LKeyListString::RemoveValue(const void* aValue, LString* aKeyOut)
{
    const int position = FindValue(aValue);
    if (position == -1) {
        return 0;
    }
    return RemoveAt(position, aKeyOut, nullptr);
}

int LKeyListString::RemoveAllKey(const LString& aKey)
{
    for (int position = FindKey(aKey); position != -1; position = FindKey(aKey)) {
        if (!RemoveAt(position, nullptr, nullptr)) {
            return 0;
        }
    }
    return 1;
}

int LKeyListString::RemoveAllValue(const void* aValue)
{
    for (int position = FindValue(aValue); position != -1; position = FindValue(aValue)) {
        if (!RemoveAt(position, nullptr, nullptr)) {
            return 0;
        }
    }
    return 1;
}
