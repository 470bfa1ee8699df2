// A small doubly linked list of number-key / value pairs in insertion order; the values
// are held, never owned. Searches are linear from the head; keys need not be unique (the
// first from the head wins). The slot lists of LTableUInt.
//
// Value outs (an out that receives a value pointer or an array) must be non-null and point
// at null, else "Invalid argument." and 0; arrays handed out are the caller's (delete[]).
#pragma once
#include "container/LKeyListUIntElement.h"
#include "object/LBase.h"

class LKeyListUInt : public LBase
{
public:
    LKeyListUInt();
    LKeyListUInt(const LKeyListUInt&) = delete;
    LKeyListUInt& operator=(const LKeyListUInt&) = delete;
    ~LKeyListUInt() override;

    LString Dump() const override;

    int Add(const unsigned int& aKey, void* aValue);
    int AddTail(const unsigned int& aKey, void* aValue);
    int AddHead(const unsigned int& aKey, void* aValue);
    // 0 when aPosition is outside 0..count.
    int AddAt(int aPosition, const unsigned int& aKey, void* aValue);
    void RemoveAll();
    int GetCount() const { return mCount; }

    int FindKey(const unsigned int& aKey) const;
    int FindValue(const void* aValue) const;
    bool ContainsKey(const unsigned int& aKey) const;
    bool ContainsValue(const void* aValue) const;

    int GetValue(const unsigned int& aKey, void** aValueOut) const;
    int GetValueAt(int aPosition, void** aValueOut) const;
    int GetKeyAt(int aPosition, unsigned int* aKeyOut) const;
    int GetValues(void*** aArrayOut) const;
    int GetKeys(unsigned int** aArrayOut) const;
    // Both outs optional; an empty list sets a given value out to null and gives 0.
    int GetHead(unsigned int* aKeyOut, void** aValueOut) const;
    int GetTail(unsigned int* aKeyOut, void** aValueOut) const;
    LKeyListUIntElement* GetHeadElement() const { return mHead; }
    LKeyListUIntElement* GetTailElement() const { return mTail; }

    // Both outs optional. A bad position clears the given outs and gives 0; a value out
    // that does not point at null is refused and the element stays.
    int RemoveAt(int aPosition, unsigned int* aKeyOut, void** aValueOut);
    int RemoveHead(unsigned int* aKeyOut, void** aValueOut);
    int RemoveTail(unsigned int* aKeyOut, void** aValueOut);
    int RemoveKey(const unsigned int& aKey, void** aValueOut);
    int RemoveValue(const void* aValue);
    int RemoveAllKey(const unsigned int& aKey);
    int RemoveAllValue(const void* aValue);

private:
    LKeyListUIntElement* ElementAt(int aPosition) const;
    int GetEnd(LKeyListUIntElement* aElement, unsigned int* aKeyOut, void** aValueOut) const;

    int mCount = 0;
    LKeyListUIntElement* mHead = nullptr;
    LKeyListUIntElement* mTail = nullptr;
};
