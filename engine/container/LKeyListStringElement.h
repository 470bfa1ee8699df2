// One element of an LKeyListString: a copy of the key, a value pointer (not owned) and the
// links.
#pragma once
#include "container/LString.h"

class LKeyListStringElement
{
public:
    LKeyListStringElement();
    LKeyListStringElement(const LString& aKey, void* aValue);

    void GetKey(LString& aOut) const { aOut = mKey; }
    const LString& Key() const { return mKey; }
    void* GetValue() const { return mValue; }
    LKeyListStringElement* GetNext() const { return mNext; }
    LKeyListStringElement* GetPrev() const { return mPrev; }

    void InsertAfter(LKeyListStringElement* aElement);
    void InsertBefore(LKeyListStringElement* aElement);
    // As LKeyListUIntElement::Remove.
    int Remove(LString* aKeyOut, void** aValueOut);

private:
    LString mKey;
    void* mValue = nullptr;
    LKeyListStringElement* mNext = nullptr;
    LKeyListStringElement* mPrev = nullptr;
};
