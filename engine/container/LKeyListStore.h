// The body shared by the two linked key lists, LKeyListUInt and LKeyListString: a doubly
// linked list of key/value pairs in insertion order. The list keeps a copy of each key and
// holds the values without owning them. Searches are linear from the head; keys need not
// be unique (the first from the head wins). Each list inherits this privately and exposes
// the operations that apply to it; messages are logged under the list's own source file.
//
// Value outs (an out that receives a value pointer or an array) must be non-null and point
// at null, else "Invalid argument." and 0; arrays handed out are the caller's (delete[]).
#pragma once
#include "container/LKeyListElement.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

// Key equality of the lists: numbers by value, strings by LString::Equals.
inline bool LKeyEquals(unsigned int aLeft, unsigned int aRight, bool)
{
    return aLeft == aRight;
}

inline bool LKeyEquals(const LString& aLeft, const LString& aRight, bool aIgnoreCase)
{
    return aLeft.Equals(aRight, aIgnoreCase);
}

template <typename Key>
class LKeyListStore
{
public:
    using Element = LKeyListElement<Key>;

    LKeyListStore(const LKeyListStore&) = delete;
    LKeyListStore& operator=(const LKeyListStore&) = delete;

    int Add(const Key& aKey, void* aValue) { return AddAt(mCount, aKey, aValue); }
    int AddTail(const Key& aKey, void* aValue) { return AddAt(mCount, aKey, aValue); }
    int AddHead(const Key& aKey, void* aValue) { return AddAt(0, aKey, aValue); }

    // 0 when aPosition is outside 0..count.
    int AddAt(int aPosition, const Key& aKey, void* aValue)
    {
        if (aPosition < 0 || aPosition > mCount) {
            return 0;
        }
        Element* element = new (mSource, __LINE__) Element(aKey, aValue);
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

    void RemoveAll()
    {
        Element* element = mHead;
        while (element) {
            Element* next = element->GetNext();
            delete element;
            element = next;
        }
        mHead = nullptr;
        mTail = nullptr;
        mCount = 0;
    }

    int GetCount() const { return mCount; }
    Element* GetHeadElement() const { return mHead; }
    Element* GetTailElement() const { return mTail; }

    int FindKey(const Key& aKey) const
    {
        return FindWhere([&](const Element* aElement) { return LKeyEquals(aElement->GetKey(), aKey, mIgnoreCase); });
    }

    int FindValue(const void* aValue) const
    {
        return FindWhere([aValue](const Element* aElement) { return aElement->GetValue() == aValue; });
    }

    bool ContainsKey(const Key& aKey) const { return FindKey(aKey) != -1; }
    bool ContainsValue(const void* aValue) const { return FindValue(aValue) != -1; }

    // 0 (no message, the out untouched) when the key is absent.
    int GetValue(const Key& aKey, void** aValueOut) const
    {
        if (!CheckValueOut(aValueOut, __LINE__)) {
            return 0;
        }
        Element* element = ElementAt(FindKey(aKey));
        if (!element) {
            return 0;
        }
        *aValueOut = element->GetValue();
        return 1;
    }

    // A bad position sets the out to null and gives 0.
    int GetValueAt(int aPosition, void** aValueOut) const
    {
        if (!CheckValueOut(aValueOut, __LINE__)) {
            return 0;
        }
        Element* element = ElementAt(aPosition);
        *aValueOut = element ? element->GetValue() : nullptr;
        return element ? 1 : 0;
    }

    int GetValues(void*** aArrayOut) const
    {
        return CopyOut(aArrayOut, [](const Element* aElement) { return aElement->GetValue(); });
    }

    // new Key[count], each a copy of its key.
    int GetKeys(Key** aArrayOut) const
    {
        return CopyOut(aArrayOut, [](const Element* aElement) { return aElement->GetKey(); });
    }

    // Both outs optional. A bad position leaves the outs untouched and gives 0; a value
    // out that does not point at null is refused and the element stays.
    int RemoveAt(int aPosition, Key* aKeyOut, void** aValueOut)
    {
        Element* element = ElementAt(aPosition);
        if (!element || !CheckValueOut(aValueOut, __LINE__, true)) {
            return 0;
        }
        if (element == mHead) {
            mHead = element->GetNext();
        }
        if (element == mTail) {
            mTail = element->GetPrev();
        }
        element->Unlink(aKeyOut, aValueOut);
        delete element;
        --mCount;
        return 1;
    }

    int RemoveKey(const Key& aKey, void** aValueOut)
    {
        const int position = FindKey(aKey);
        return position == -1 ? 0 : RemoveAt(position, nullptr, aValueOut);
    }

    // 1 when no element with the key (value) is left.
    int RemoveAllKey(const Key& aKey)
    {
        for (int position = FindKey(aKey); position != -1; position = FindKey(aKey)) {
            if (!RemoveAt(position, nullptr, nullptr)) {
                return 0;
            }
        }
        return 1;
    }

    int RemoveAllValue(const void* aValue)
    {
        for (int position = FindValue(aValue); position != -1; position = FindValue(aValue)) {
            if (!RemoveAt(position, nullptr, nullptr)) {
                return 0;
            }
        }
        return 1;
    }

protected:
    explicit LKeyListStore(const char* aSource)
        : mSource(aSource)
    {
    }

    ~LKeyListStore() { RemoveAll(); }

    Element* ElementAt(int aPosition) const
    {
        if (aPosition < 0 || aPosition >= mCount) {
            return nullptr;
        }
        Element* element = mHead;
        for (int i = 0; i < aPosition && element; ++i) {
            element = element->GetNext();
        }
        return element;
    }

    // The value-out rule; with aOptional a null out is accepted.
    bool CheckValueOut(void** aValueOut, int aLine, bool aOptional = false) const
    {
        if (aValueOut ? *aValueOut == nullptr : aOptional) {
            return true;
        }
        LogEntry("ERROR: ", mSource, aLine, "Invalid argument.");
        return false;
    }

    // Key and value of an end element (both outs optional); an empty list sets a given
    // value out to null and gives 0.
    int GetEnd(const Element* aElement, Key* aKeyOut, void** aValueOut) const
    {
        if (!CheckValueOut(aValueOut, __LINE__, true)) {
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

    int mCount = 0;
    Element* mHead = nullptr;
    Element* mTail = nullptr;
    bool mIgnoreCase = false;
    const char* mSource;

private:
    template <typename Match>
    int FindWhere(Match aMatch) const
    {
        int position = 0;
        for (const Element* e = mHead; e; e = e->GetNext(), ++position) {
            if (aMatch(e)) {
                return position;
            }
        }
        return -1;
    }

    template <typename T, typename Part>
    int CopyOut(T** aArrayOut, Part aPart) const
    {
        if (!aArrayOut || *aArrayOut) {
            LogEntry("ERROR: ", mSource, __LINE__, "Invalid argument.");
            return 0;
        }
        T* array = new (mSource, __LINE__) T[mCount]();
        if (!array) {
            return 0;
        }
        int i = 0;
        for (const Element* e = mHead; e && i < mCount; e = e->GetNext()) {
            array[i++] = aPart(e);
        }
        *aArrayOut = array;
        return 1;
    }
};
