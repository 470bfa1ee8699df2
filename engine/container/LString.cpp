#include "container/LString.h"

#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LMemoryStream.h"
#include "stdlib/LLog.h"

#include <cstdio>
#include <type_traits>
#include <utility>

namespace {

const char16_t kEmpty[1] = {0};

char16_t* NewUnits(int aCount)
{
    return new (L_FILE, __LINE__) char16_t[aCount];
}

int AnsiLength(const char* aText)
{
    int n = 0;
    while (aText[n] != 0) {
        ++n;
    }
    return n;
}

char16_t Lower(char16_t aChar)
{
    return (aChar >= u'A' && aChar <= u'Z') ? static_cast<char16_t>(aChar + 32) : aChar;
}

char16_t Upper(char16_t aChar)
{
    return (aChar >= u'a' && aChar <= u'z') ? static_cast<char16_t>(aChar - 32) : aChar;
}

bool IsBlank(char16_t aChar)
{
    return aChar == u' ' || aChar == u'\t' || aChar == u'\r' || aChar == u'\n';
}

// True when the aCount units of aChars stand at aText.
bool UnitsAt(const char16_t* aText, const char16_t* aChars, int aCount)
{
    int j = 0;
    while (j < aCount && aText[j] == aChars[j]) {
        ++j;
    }
    return j == aCount;
}

// A new buffer holding aHead and then aTail (8-bit units widened by zero extension), 0-terminated.
template <typename U>
char16_t* Joined(const char16_t* aHead, int aHeadLength, const U* aTail, int aTailLength)
{
    char16_t* fresh = NewUnits(aHeadLength + aTailLength + 1);
    if (!fresh) {
        return nullptr;
    }
    for (int i = 0; i < aHeadLength; ++i) {
        fresh[i] = aHead[i];
    }
    for (int i = 0; i < aTailLength; ++i) {
        fresh[aHeadLength + i] = static_cast<std::make_unsigned_t<U>>(aTail[i]);
    }
    fresh[aHeadLength + aTailLength] = 0;
    return fresh;
}

} // namespace

int LStringLength(const char16_t* aChars)
{
    int n = 0;
    while (aChars && aChars[n] != 0) {
        ++n;
    }
    return n;
}

LString::LString() = default;

LString::LString(const char* aChars)
{
    if (!aChars) {
        L_ERROR(u" apChars == NULL.");
        return;
    }
    AppendAscii(aChars);
}

LString::LString(const char16_t* aChars)
{
    Assign(aChars);
}

LString::LString(const LString& aOther) : LBase(aOther)
{
    Assign(aOther.GetBuffer());
}

LString::LString(LString&& aOther) noexcept : mBuffer(aOther.mBuffer), mLength(aOther.mLength)
{
    aOther.mBuffer = nullptr;
    aOther.mLength = 0;
}

LString::~LString()
{
    delete[] mBuffer;
}

LString& LString::operator=(const LString& aOther)
{
    Assign(aOther);
    return *this;
}

LString& LString::operator=(LString&& aOther) noexcept
{
    if (this != &aOther) {
        delete[] mBuffer;
        mBuffer = aOther.mBuffer;
        mLength = aOther.mLength;
        aOther.mBuffer = nullptr;
        aOther.mLength = 0;
    }
    return *this;
}

LString& LString::operator=(const char* aChars)
{
    LString converted(aChars);
    if (aChars) {
        *this = std::move(converted);
    }
    return *this;
}

LString& LString::operator=(const char16_t* aChars)
{
    Assign(aChars);
    return *this;
}

LString LString::Dump() const
{
    return *this;
}

void LString::Adopt(char16_t* aBuffer, int aLength)
{
    delete[] mBuffer;
    mBuffer = aBuffer;
    mLength = aLength;
}

void LString::Assign(const char16_t* aChars)
{
    if (!aChars) {
        L_ERROR(u"apChars == NULL.");
        return;
    }
    if (aChars == mBuffer) {
        return;
    }
    const int n = LStringLength(aChars);
    char16_t* fresh = NewUnits(n + 1);
    if (!fresh) {
        return;
    }
    for (int i = 0; i <= n; ++i) {
        fresh[i] = aChars[i];
    }
    Adopt(fresh, n);
}

void LString::Assign(const LString& aOther)
{
    Assign(aOther.GetBuffer());
}

void LString::Clear()
{
    if (!mBuffer) {
        return;
    }
    char16_t* fresh = NewUnits(1);
    if (!fresh) {
        return;
    }
    fresh[0] = 0;
    Adopt(fresh, 0);
}

const char16_t* LString::GetBuffer() const
{
    return mBuffer ? mBuffer : kEmpty;
}

char16_t LString::At(int aIndex) const
{
    if (aIndex < 0 || aIndex >= mLength) {
        L_ERROR(u"Index out of bounds.");
        return 0;
    }
    return mBuffer[aIndex];
}

bool LString::ToAnsi(char** aOut) const
{
    if (!aOut || *aOut) {
        L_ERROR(u"Invalid argument.");
        return false;
    }
    char* bytes = new (L_FILE, __LINE__) char[mLength + 1];
    if (!bytes) {
        return false;
    }
    for (int i = 0; i < mLength; ++i) {
        bytes[i] = static_cast<char>(mBuffer[i] & 0xFF);
    }
    bytes[mLength] = 0;
    *aOut = bytes;
    return true;
}

void LString::AppendUnits(const char16_t* aUnits, int aCount)
{
    // aUnits may lie inside this string's own buffer: Joined copies before Adopt frees it.
    if (char16_t* fresh = Joined(mBuffer, mLength, aUnits, aCount)) {
        Adopt(fresh, mLength + aCount);
    }
}

void LString::AppendAscii(const char* aText)
{
    const int n = AnsiLength(aText);
    if (char16_t* fresh = Joined(mBuffer, mLength, aText, n)) {
        Adopt(fresh, mLength + n);
    }
}

void LString::Append(const char16_t* aChars)
{
    if (!aChars) {
        L_ERROR(u"apChars == NULL.");
        return;
    }
    AppendUnits(aChars, LStringLength(aChars));
}

void LString::Append(const char* aChars)
{
    if (!aChars) {
        L_ERROR(u" apChars == NULL.");
        return;
    }
    AppendAscii(aChars);
}

void LString::Append(const LString& aOther)
{
    AppendUnits(aOther.GetBuffer(), aOther.GetLength());
}

void LString::Prepend(const char16_t* aChars)
{
    if (!aChars) {
        L_ERROR(u"apChars == NULL.");
        return;
    }
    LString front(aChars);
    Prepend(front);
}

void LString::Prepend(const char* aChars)
{
    if (!aChars) {
        L_ERROR(u"apChars == NULL.");
        return;
    }
    LString front(aChars);
    Prepend(front);
}

LString& LString::Prepend(const LString& aOther)
{
    LString result(aOther.GetBuffer());
    result.AppendUnits(GetBuffer(), mLength);
    *this = std::move(result);
    return *this;
}

bool LString::Equals(const char16_t* aChars, bool aIgnoreCase) const
{
    if (mLength == 0) {
        return aChars && aChars[0] == 0;
    }
    if (!aChars) {
        return false;
    }
    if (aIgnoreCase) {
        return EqualsNoCase(aChars);
    }
    for (int i = 0; i <= mLength; ++i) {
        if (mBuffer[i] != aChars[i]) {
            return false;
        }
    }
    return true;
}

bool LString::Equals(const LString& aOther, bool aIgnoreCase) const
{
    if (mLength == 0) {
        return aOther.mLength == 0;
    }
    if (aOther.mLength != mLength) {
        return false;
    }
    return Equals(aOther.GetBuffer(), aIgnoreCase);
}

bool LString::EqualsNoCase(const char16_t* aChars) const
{
    if (!aChars) {
        return mLength == 0;
    }
    if (mLength == 0) {
        return aChars[0] == 0;
    }
    if (LStringLength(aChars) != mLength) {
        return false;
    }
    for (int i = 0; i < mLength; ++i) {
        if (Lower(mBuffer[i]) != Lower(aChars[i])) {
            return false;
        }
    }
    return true;
}

bool LString::EqualsNoCase(const LString& aOther) const
{
    return EqualsNoCase(aOther.GetBuffer());
}

bool LString::operator==(const LString& aOther) const
{
    return Equals(aOther, false);
}

bool LString::operator!=(const LString& aOther) const
{
    return !Equals(aOther, false);
}

int LString::Find(const char16_t* aChars, int aStart) const
{
    if (mLength == 0 || !aChars || aStart < 0 || aStart >= mLength) {
        return -1;
    }
    const int n = LStringLength(aChars);
    for (int i = aStart; i + n <= mLength; ++i) {
        if (UnitsAt(mBuffer + i, aChars, n)) {
            return i;
        }
    }
    return -1;
}

int LString::Find(const LString& aOther, int aStart) const
{
    return Find(aOther.GetBuffer(), aStart);
}

int LString::ReverseFind(const char16_t* aChars) const
{
    if (!aChars || !mBuffer) {
        return -1;
    }
    const int n = LStringLength(aChars);
    if (n > mLength) {
        return -1;
    }
    for (int i = mLength - n; i >= 0; --i) {
        if (UnitsAt(mBuffer + i, aChars, n)) {
            return i;
        }
    }
    return -1;
}

int LString::ReverseFind(const LString& aOther) const
{
    return ReverseFind(aOther.GetBuffer());
}

bool LString::MatchPair(const LString& aOpen, const LString& aClose, int aStart, LString* aOut) const
{
    int p = aStart + 1;
    for (;;) {
        const int o = Find(aOpen, p);
        const int c = Find(aClose, p);
        if (c == -1) {
            L_ERROR(u"MatchPair failure. Syntax error.");
            return false;
        }
        if (o == -1 || c < o) {
            if (aOut) {
                *aOut = Mid(aStart + 1, c - aStart - 1, 0);
            }
            return true;
        }
        p = c + 1;
    }
}

LString LString::Mid(int aStart, int aCount, int aOffset) const
{
    LString result;
    const long long begin = static_cast<long long>(aStart) + aOffset;
    const long long end = begin + aCount;
    if (begin < 0 || begin >= mLength || end < begin || end > mLength) {
        return result;
    }
    result.AppendUnits(mBuffer + begin, static_cast<int>(end - begin));
    return result;
}

LString LString::ToLower() const
{
    LString result(*this);
    for (int i = 0; i < result.mLength; ++i) {
        result.mBuffer[i] = Lower(result.mBuffer[i]);
    }
    return result;
}

LString LString::ToUpper() const
{
    LString result(*this);
    for (int i = 0; i < result.mLength; ++i) {
        result.mBuffer[i] = Upper(result.mBuffer[i]);
    }
    return result;
}

LString& LString::TrimLeft()
{
    int skip = 0;
    while (skip < mLength && IsBlank(mBuffer[skip])) {
        ++skip;
    }
    if (skip > 0) {
        LString rest;
        rest.AppendUnits(mBuffer + skip, mLength - skip);
        *this = std::move(rest);
    }
    return *this;
}

LString& LString::TrimRight()
{
    int keep = mLength;
    while (keep > 0 && IsBlank(mBuffer[keep - 1])) {
        --keep;
    }
    if (keep < mLength) {
        LString rest;
        rest.AppendUnits(mBuffer, keep);
        *this = std::move(rest);
    }
    return *this;
}

LString& LString::operator+=(const char* aChars)
{
    if (aChars) {
        AppendAscii(aChars);
    }
    return *this;
}

LString& LString::operator+=(const char16_t* aChars)
{
    if (aChars) {
        AppendUnits(aChars, LStringLength(aChars));
    }
    return *this;
}

LString& LString::operator+=(const LString& aOther)
{
    Append(aOther);
    return *this;
}

LString& LString::operator+=(const LBase& aObject)
{
    Append(aObject.Dump());
    return *this;
}

LString& LString::operator+=(int aValue)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%d", aValue);
    AppendAscii(text);
    return *this;
}

LString& LString::operator+=(short aValue)
{
    return *this += static_cast<int>(aValue);
}

LString& LString::operator+=(long aValue)
{
    return *this += static_cast<long long>(aValue);
}

LString& LString::operator+=(long long aValue)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%lld", aValue);
    AppendAscii(text);
    return *this;
}

LString& LString::operator+=(unsigned int aValue)
{
    return *this += static_cast<int>(static_cast<int32_t>(aValue));
}

LString& LString::operator+=(unsigned long aValue)
{
    return *this += static_cast<int>(static_cast<int32_t>(static_cast<uint32_t>(aValue)));
}

LString& LString::operator+=(unsigned long long aValue)
{
    return *this += static_cast<int>(static_cast<int32_t>(static_cast<uint32_t>(aValue)));
}

LString& LString::operator+=(float aValue)
{
    return *this += static_cast<double>(aValue);
}

LString& LString::operator+=(double aValue)
{
    char text[400];
    std::snprintf(text, sizeof(text), "%f", aValue);
    AppendAscii(text);
    return *this;
}

LString& LString::operator+=(bool aValue)
{
    AppendAscii(aValue ? "true" : "false");
    return *this;
}

LString& LString::operator+=(const void* aPointer)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(aPointer)));
    AppendAscii(text);
    return *this;
}

LString LString::operator+(const char* aChars) const
{
    if (!aChars) {
        L_ERROR(u" apChars == NULL.");
        return *this;
    }
    LString result(*this);
    result.AppendAscii(aChars);
    return result;
}

LString LString::operator+(const char16_t* aChars) const
{
    if (!aChars) {
        L_ERROR(u"apChars == NULL.");
        return *this;
    }
    LString result(*this);
    result.AppendUnits(aChars, LStringLength(aChars));
    return result;
}

LString operator+(const char* aLeft, const LString& aRight)
{
    LString result(aLeft);
    result += aRight;
    return result;
}

LString operator+(const char16_t* aLeft, const LString& aRight)
{
    LString result(aLeft);
    result += aRight;
    return result;
}

bool LString::Split(const LString& aDelimiter, LVectorString* aOut) const
{
    if (!aOut) {
        L_ERROR("Invalid argument.");
        return true;
    }
    const int n = aDelimiter.GetLength();
    if (mLength == 0 || n == 0) {
        return true;
    }
    int prev = -1;
    int pos = 0;
    while (pos != prev) {
        prev = pos;
        const int found = Find(aDelimiter, prev);
        if (found < 0) {
            if (prev < mLength) {
                aOut->Add(Mid(prev, mLength - prev, 0));
            }
            break;
        }
        if (found != prev) {
            aOut->Add(Mid(prev, found - prev, 0));
        }
        pos = found + n;
    }
    return true;
}

LString& LString::Replace(const LString& aFind, const LString& aWith, bool aAll)
{
    if (mLength == 0 || aFind == aWith) {
        return *this;
    }
    const int findLength = aFind.GetLength();
    const int withLength = aWith.GetLength();
    if (findLength == withLength) {
        // In place; an occurrence overlapping the text just put in is replaced too.
        int at = Find(aFind, 0);
        while (at >= 0) {
            for (int i = 0; i < withLength; ++i) {
                mBuffer[at + i] = aWith.mBuffer[i];
            }
            if (!aAll) {
                break;
            }
            at = Find(aFind, at);
        }
        return *this;
    }
    LMemoryStream result(1024, LMemoryStream::GROW_DOUBLE);
    int pos = 0;
    bool ok = true;
    if (findLength == 0) {
        // An empty text occurs everywhere: it is replaced once, in front.
        ok = result.WriteBytes(withLength * 2, aWith.GetBuffer());
    } else {
        for (int at = Find(aFind, 0); at >= 0 && ok; at = Find(aFind, pos)) {
            ok = result.WriteBytes((at - pos) * 2, mBuffer + pos) && result.WriteBytes(withLength * 2, aWith.GetBuffer());
            pos = at + findLength;
            if (!aAll) {
                break;
            }
        }
    }
    if (!ok || !result.WriteBytes((mLength - pos) * 2, mBuffer + pos)) {
        return *this; // out of memory: the string stays as it was
    }
    const int length = result.GetPosition() / 2;
    char16_t* fresh = NewUnits(length + 1);
    if (!fresh) {
        return *this;
    }
    const unsigned char* bytes = result.GetBuffer();
    for (int i = 0; i < length; ++i) {
        fresh[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    fresh[length] = 0;
    Adopt(fresh, length);
    return *this;
}

LString& LString::Replace(const char16_t* aFind, const char16_t* aWith, bool aAll)
{
    if (!aFind || !aWith) {
        L_ERROR("apChars == NULL.");
        return *this;
    }
    return Replace(LString(aFind), LString(aWith), aAll);
}
