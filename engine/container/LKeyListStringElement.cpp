#include "container/LKeyListStringElement.h"

#include "stdlib/LLog.h"

LKeyListStringElement::LKeyListStringElement() = default;

LKeyListStringElement::LKeyListStringElement(const LString& aKey, void* aValue)
    : mKey(aKey), mValue(aValue)
{
}

void LKeyListStringElement::InsertAfter(LKeyListStringElement* aElement)
{
    aElement->mNext = mNext;
    aElement->mPrev = this;
    if (mNext) {
        mNext->mPrev = aElement;
    }
    mNext = aElement;
}

void LKeyListStringElement::InsertBefore(LKeyListStringElement* aElement)
{
    aElement->mNext = this;
    aElement->mPrev = mPrev;
    if (mPrev) {
        mPrev->mNext = aElement;
    }
    mPrev = aElement;
}

int LKeyListStringElement::Remove(LString* aKeyOut, void** aValueOut)
{
    if (aValueOut && *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    if (mPrev) {
        mPrev->mNext = mNext;
    }
    if (mNext) {
        mNext->mPrev = mPrev;
    }
    mNext = nullptr;
    mPrev = nullptr;
    if (aValueOut) {
        *aValueOut = mValue;
    }
    if (aKeyOut) {
        *aKeyOut = mKey;
    }
    return 1;
}
