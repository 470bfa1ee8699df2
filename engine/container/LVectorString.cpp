#include "container/LVectorString.h"

LVectorString::LVectorString()
    : Store(L_FILE)
{
}

LVectorString::LVectorString(int aCapacity, int aIncrement)
    : Store(L_FILE, aCapacity, aIncrement)
{
}

LVectorString::LVectorString(const LVectorString& aOther)
    : LBase(aOther), Store(L_FILE)
{
    CopyStringsFrom(aOther);
}

LVectorString& LVectorString::operator=(const LVectorString& aOther)
{
    if (this != &aOther) {
        DeleteStrings();
        FreeArray();
        CopyStringsFrom(aOther);
    }
    return *this;
}

LVectorString::~LVectorString()
{
    DeleteStrings();
}

LString LVectorString::Dump() const
{
    return DumpHead("LVectorString") + "]";
}

void LVectorString::CopyStringsFrom(const LVectorString& aOther)
{
    // The default constructor's array is replaced by one of the source's capacity.
    delete[] mData;
    mData = nullptr;
    mCapacity = 0;
    mCount = 0;
    mIncrement = aOther.mIncrement;
    mIgnoreCase = aOther.mIgnoreCase;
    mEmptyArray = !aOther.mData && aOther.mEmptyArray;
    if (!aOther.mData) {
        return;
    }
    mData = NewArray(aOther.mCapacity);
    if (!mData) {
        return;
    }
    mCapacity = aOther.mCapacity;
    for (int i = 0; i < aOther.mCount; ++i) {
        mData[i] = NewCopy(aOther.mData[i] ? *aOther.mData[i] : LString());
        if (!mData[i]) {
            break;
        }
        mCount = i + 1;
    }
}

void LVectorString::DeleteStrings()
{
    // Strings made one by one lie far apart: those a few places ahead, and the text of
    // those nearer, are fetched while the current one goes.
    constexpr int kAhead = 8;
    for (int i = 0; i < mCount; ++i) {
        if (i + kAhead < mCount && mData[i + kAhead]) {
            __builtin_prefetch(mData[i + kAhead]);
            __builtin_prefetch(reinterpret_cast<const char*>(mData[i + kAhead]) - 32); // the block's header
        }
        if (i + kAhead / 2 < mCount && mData[i + kAhead / 2]) {
            __builtin_prefetch(mData[i + kAhead / 2]->GetBuffer() - 16);
        }
        delete mData[i];
        mData[i] = nullptr;
    }
}

LString* LVectorString::NewCopy(const LString& aValue) const
{
    LString* copy = new (mSource, __LINE__) LString(aValue);
    if (!copy) {
        Error(__LINE__, "Allocation failure.");
    }
    return copy;
}

bool LVectorString::Matches(const LString* aSlot, const LString& aValue) const
{
    return aSlot ? aSlot->Equals(aValue, mIgnoreCase) : aValue.GetLength() == 0;
}

int LVectorString::Add(const LString& aValue)
{
    LString* copy = NewCopy(aValue);
    if (!copy) {
        return 0;
    }
    if (!Store::Add(copy)) {
        delete copy;
        return 0;
    }
    return 1;
}

int LVectorString::Add(LString&& aValue)
{
    LString* moved = new (mSource, __LINE__) LString(static_cast<LString&&>(aValue));
    if (!moved) {
        Error(__LINE__, "Allocation failure.");
        return 0;
    }
    if (!Store::Add(moved)) {
        delete moved;
        return 0;
    }
    return 1;
}

int LVectorString::Append(const LString& aValue)
{
    return InsertAt(mCount, aValue);
}

int LVectorString::InsertAt(int aIndex, const LString& aValue)
{
    if (aIndex < 0) {
        Warning(__LINE__, LString("aIndex < 0: ") + aIndex);
        return 0;
    }
    LString* copy = NewCopy(aValue);
    if (!copy) {
        return 0;
    }
    if (!Store::InsertAt(aIndex, copy)) {
        delete copy;
        return 0;
    }
    return 1;
}

int LVectorString::SetAt(int aIndex, const LString& aValue)
{
    if (aIndex < 0) {
        Error(__LINE__, LString("aIndex < 0: ") + aIndex);
        return 0;
    }
    LString* copy = NewCopy(aValue);
    if (!copy) {
        return 0;
    }
    LString* old = nullptr;
    if (!Store::SetAt(aIndex, copy, &old)) {
        delete copy;
        return 0;
    }
    delete old;
    return 1;
}

int LVectorString::RemoveAt(int aIndex)
{
    LString* removed = nullptr;
    if (!Store::RemoveAt(aIndex, &removed)) {
        return 0;
    }
    delete removed;
    return 1;
}

int LVectorString::Remove(const LString& aValue)
{
    const int index = Find(aValue);
    return index == -1 ? 0 : RemoveAt(index);
}

int LVectorString::RemoveAllOf(const LString& aValue)
{
    return RemoveWhere([this, &aValue](LString* aSlot) { return !Matches(aSlot, aValue); },
                       [](LString* aSlot) { delete aSlot; });
}

void LVectorString::RemoveAll()
{
    DeleteStrings();
    FreeArray();
}

int LVectorString::SetCount(int aCount)
{
    if (aCount < 0) {
        Error(__LINE__, LString("aCount < 0: ") + aCount);
        return 0;
    }
    for (int i = aCount; i < mCount; ++i) {
        delete mData[i];
        mData[i] = nullptr;
    }
    return Store::SetCount(aCount);
}

int LVectorString::Find(const LString& aValue) const
{
    for (int i = 0; i < mCount; ++i) {
        if (Matches(mData[i], aValue)) {
            return i;
        }
    }
    return -1;
}

bool LVectorString::Contains(const LString& aValue) const
{
    return Find(aValue) != -1;
}

int LVectorString::GetAt(int aIndex, LString& aOut) const
{
    if (!InRange(aIndex)) {
        Error(__LINE__, LString("aIndex out of range: ") + aIndex);
        return 0;
    }
    if (mData[aIndex]) {
        aOut = *mData[aIndex];
    } else {
        aOut.Clear();
    }
    return 1;
}

LString LVectorString::operator[](int aIndex) const
{
    if (!InRange(aIndex)) {
        Error(__LINE__, "Index out of bounds.");
        return LString();
    }
    return mData[aIndex] ? *mData[aIndex] : LString();
}

const LString& LVectorString::GetRef(int aIndex) const
{
    static const LString kNoString;
    return InRange(aIndex) && mData[aIndex] ? *mData[aIndex] : kNoString;
}

int LVectorString::CopyToArray(LString** aOut) const
{
    return CopyOut(aOut, [](const LString* aSlot, LString& aTo) {
        if (aSlot) {
            aTo = *aSlot;
        }
    });
}

int LVectorString::AddArray(const LString* apArray, int aCount)
{
    return AppendArray(apArray, aCount, [this](const LString& aValue, LString*& aSlot) {
        aSlot = NewCopy(aValue);
        return aSlot != nullptr;
    });
}

void LVectorString::SetIgnoreCase(bool aIgnoreCase)
{
    mIgnoreCase = aIgnoreCase;
}
