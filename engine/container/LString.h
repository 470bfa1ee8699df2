// The engine's one string type: 16-bit characters, exact-size storage (every change
// allocates a new buffer of exactly the needed size). A string that never held text has
// no buffer; it reads as "" like an empty string with a buffer, except where an
// operation says otherwise (Clear, ReverseFind).
//
// 8-bit text widens by zero extension (Latin-1) and narrows to the low byte, so text from
// data files and text written in code compare equal. Unsigned numbers append as signed
// 32-bit numbers (0xAA000001 appends as -1442840575): ids built from them are stored.
#pragma once
#include "object/LBase.h"

#include <cstdint>

class LVectorString;

class LString : public LBase
{
public:
    LString();
    LString(const char* aChars);
    LString(const char16_t* aChars);
    LString(const LString& aOther);
    LString(LString&& aOther) noexcept;
    ~LString() override;

    LString& operator=(const LString& aOther);
    LString& operator=(LString&& aOther) noexcept;
    LString& operator=(const char* aChars);
    LString& operator=(const char16_t* aChars);

    LString Dump() const override;

    void Assign(const char16_t* aChars);
    void Assign(const LString& aOther);
    void Clear();

    const char16_t* GetBuffer() const;
    int GetLength() const { return mLength; }
    bool IsEmpty() const { return mLength == 0; }
    bool HasBuffer() const { return mBuffer != nullptr; }
    char16_t At(int aIndex) const;
    // aOut must point at a null pointer; receives a new 8-bit copy (low bytes) to free with delete[].
    bool ToAnsi(char** aOut) const;

    void Append(const char16_t* aChars);
    void Append(const char* aChars);
    void Append(const LString& aOther);
    void Prepend(const char16_t* aChars);
    void Prepend(const char* aChars);
    LString& Prepend(const LString& aOther);

    bool Equals(const char16_t* aChars, bool aIgnoreCase) const;
    bool Equals(const LString& aOther, bool aIgnoreCase) const;
    bool EqualsNoCase(const char16_t* aChars) const;
    bool EqualsNoCase(const LString& aOther) const;
    bool operator==(const LString& aOther) const;
    bool operator!=(const LString& aOther) const;

    int Find(const char16_t* aChars, int aStart) const;
    int Find(const LString& aOther, int aStart) const;
    int ReverseFind(const char16_t* aChars) const;
    int ReverseFind(const LString& aOther) const;
    bool MatchPair(const LString& aOpen, const LString& aClose, int aStart, LString* aOut) const;

    LString Mid(int aStart, int aCount, int aOffset) const;
    LString ToLower() const;
    LString ToUpper() const;
    LString& TrimLeft();
    LString& TrimRight();

    // Appends every non-empty piece between delimiters to aOut (leading, trailing and
    // repeated delimiters give nothing; an empty delimiter adds nothing). Returns true.
    bool Split(const LString& aDelimiter, LVectorString* aOut) const;
    // Replaces the first (or with aAll every) occurrence of aFind by aWith, in place. With
    // texts of equal length the search goes on at the replacement just made; otherwise
    // after the replaced occurrence. An empty aFind puts aWith in front once.
    LString& Replace(const LString& aFind, const LString& aWith, bool aAll);
    LString& Replace(const char16_t* aFind, const char16_t* aWith, bool aAll);

    // Appending in place.
    LString& operator+=(const char* aChars);
    LString& operator+=(const char16_t* aChars);
    LString& operator+=(const LString& aOther);
    LString& operator+=(const LBase& aObject);
    LString& operator+=(int aValue);
    LString& operator+=(short aValue);
    LString& operator+=(long aValue);
    LString& operator+=(long long aValue);
    LString& operator+=(unsigned int aValue);
    LString& operator+=(unsigned long aValue);
    LString& operator+=(unsigned long long aValue);
    LString& operator+=(float aValue);
    LString& operator+=(double aValue);
    LString& operator+=(bool aValue);
    LString& operator+=(const void* aPointer);
    // A single character would otherwise append as its number.
    LString& operator+=(char) = delete;
    LString& operator+=(char16_t) = delete;

    template <typename T>
    LString operator+(const T& aValue) const
    {
        LString result(*this);
        result += aValue;
        return result;
    }
    LString operator+(const char* aChars) const;
    LString operator+(const char16_t* aChars) const;

private:
    void Adopt(char16_t* aBuffer, int aLength);
    void AppendUnits(const char16_t* aUnits, int aCount);
    void AppendAscii(const char* aText);

    char16_t* mBuffer = nullptr;
    int mLength = 0;
};

LString operator+(const char* aLeft, const LString& aRight);
LString operator+(const char16_t* aLeft, const LString& aRight);

// Length of a 16-bit text up to its terminating 0.
int LStringLength(const char16_t* aChars);
