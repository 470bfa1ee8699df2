// One element of an LKeyListUInt: a number key, a value pointer (not owned) and the links.
#pragma once

class LKeyListUIntElement
{
public:
    LKeyListUIntElement();
    LKeyListUIntElement(unsigned int aKey, void* aValue);

    unsigned int GetKey() const { return mKey; }
    void* GetValue() const { return mValue; }
    LKeyListUIntElement* GetNext() const { return mNext; }
    LKeyListUIntElement* GetPrev() const { return mPrev; }

    void InsertAfter(LKeyListUIntElement* aElement);
    void InsertBefore(LKeyListUIntElement* aElement);
    // Hands the value and key out (each out optional) and unlinks the element; the caller
    // deletes it. A value out that does not point at null is refused before anything
    // changes ("Invalid argument.", 0), so the element stays linked.
    int Remove(unsigned int* aKeyOut, void** aValueOut);

private:
    unsigned int mKey = 0;
    void* mValue = nullptr;
    LKeyListUIntElement* mNext = nullptr;
    LKeyListUIntElement* mPrev = nullptr;
};
