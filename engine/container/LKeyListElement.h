// One element of a linked key list (LKeyListUInt, LKeyListString): a copy of the key, a
// value pointer (not owned) and the links. The list allocates, links and deletes it.
#pragma once

template <typename Key>
class LKeyListElement
{
public:
    LKeyListElement() = default;
    LKeyListElement(const Key& aKey, void* aValue)
        : mKey(aKey), mValue(aValue)
    {
    }

    const Key& GetKey() const { return mKey; }
    void* GetValue() const { return mValue; }
    LKeyListElement* GetNext() const { return mNext; }
    LKeyListElement* GetPrev() const { return mPrev; }

    void InsertAfter(LKeyListElement* aElement)
    {
        aElement->mNext = mNext;
        aElement->mPrev = this;
        if (mNext) {
            mNext->mPrev = aElement;
        }
        mNext = aElement;
    }

    void InsertBefore(LKeyListElement* aElement)
    {
        aElement->mNext = this;
        aElement->mPrev = mPrev;
        if (mPrev) {
            mPrev->mNext = aElement;
        }
        mPrev = aElement;
    }

    // Takes the element out of the chain and hands its value and key out (each out
    // optional); the list has checked the value out and deletes the element.
    void Unlink(Key* aKeyOut, void** aValueOut)
    {
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
    }

private:
    Key mKey {};
    void* mValue = nullptr;
    LKeyListElement* mNext = nullptr;
    LKeyListElement* mPrev = nullptr;
};
