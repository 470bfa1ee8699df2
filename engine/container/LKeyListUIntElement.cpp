#include "container/LKeyListUIntElement.h"

#include "stdlib/LLog.h"

LKeyListUIntElement::LKeyListUIntElement() = default;

LKeyListUIntElement::LKeyListUIntElement(unsigned int aKey, void* aValue)
    : mKey(aKey), mValue(aValue)
{
}

void LKeyListUIntElement::InsertAfter(LKeyListUIntElement* aElement)
{
    aElement->mNext = mNext;
    aElement->mPrev = this;
    if (mNext) {
        mNext->mPrev = aElement;
    }
    mNext = aElement;
}

void LKeyListUIntElement::InsertBefore(LKeyListUIntElement* aElement)
{
    aElement->mNext = this;
    aElement->mPrev = mPrev;
    if (mPrev) {
        mPrev->mNext = aElement;
    }
    mPrev = aElement;
}

int LKeyListUIntElement::Remove(unsigned int* aKeyOut, void** aValueOut)
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
