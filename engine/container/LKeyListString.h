// A small doubly linked list of string-key / value pairs in insertion order; the list keeps
// a copy of each key, and holds the values without owning them. Keys compare exactly, or
// without regard to the case of ASCII letters when SetIgnoreCase(true). Searches are
// linear from the head; keys need not be unique (the first from the head wins). The slot
// lists of LTableString.
//
// Value outs (an out that receives a value pointer or an array) must be non-null and point
// at null, else "Invalid argument." and 0; arrays handed out are the caller's (delete[]).
#pragma once
#include "container/LKeyListStringElement.h"
#include "object/LBase.h"

class LKeyListString : public LBase
{
public:
    LKeyListString();
    LKeyListString(const LKeyListString&) = delete;
    LKeyListString& operator=(const LKeyListString&) = delete;
    ~LKeyListString() override;

    LString Dump() const override;

    int Add(const LString& aKey, void* aValue);
    int AddTail(const LString& aKey, void* aValue);
    int AddHead(const LString& aKey, void* aValue);
    // 0 when aPosition is outside 0..count.
    int AddAt(int aPosition, const LString& aKey, void* aValue);
    void RemoveAll();
    int GetCount() const { return mCount; }
    void SetIgnoreCase(bool aIgnoreCase) { mIgnoreCase = aIgnoreCase; }
    bool GetIgnoreCase() const { return mIgnoreCase; }

    int FindKey(const LString& aKey) const;
    int FindValue(const void* aValue) const;
    bool ContainsKey(const LString& aKey) const;
    bool ContainsValue(const void* aValue) const;

    int GetValue(const LString& aKey, void** aValueOut) const;
    int GetValueAt(int aPosition, void** aValueOut) const;
    // A bad position assigns the empty string and gives 0.
    int GetKeyAt(int aPosition, LString& aKeyOut) const;
    int GetValues(void*** aArrayOut) const;
    // new LString[count], each a copy of its key.
    int GetKeys(LString** aArrayOut) const;
    // The key is always assigned when there is an element; the value out is optional.
    int GetHead(LString& aKeyOut, void** aValueOut) const;
    int GetTail(LString& aKeyOut, void** aValueOut) const;
    LKeyListStringElement* GetHeadElement() const { return mHead; }
    LKeyListStringElement* GetTailElement() const { return mTail; }

    // Both outs optional. A bad position leaves the outs untouched and gives 0; a value out
    // that does not point at null is refused and the element stays.
    int RemoveAt(int aPosition, LString* aKeyOut, void** aValueOut);
    int RemoveHead(LString* aKeyOut, void** aValueOut);
    int RemoveTail(LString* aKeyOut, void** aValueOut);
    int RemoveKey(const LString& aKey, void** aValueOut);
    int RemoveValue(const void* aValue, LString* aKeyOut);
    int RemoveAllKey(const LString& aKey);
    int RemoveAllValue(const void* aValue);

private:
    LKeyListStringElement* ElementAt(int aPosition) const;
    int GetEnd(LKeyListStringElement* aElement, LString& aKeyOut, void** aValueOut) const;

    int mCount = 0;
    LKeyListStringElement* mHead = nullptr;
    LKeyListStringElement* mTail = nullptr;
    bool mIgnoreCase = false;
};
