#include "stdlib/LIStream.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <bit>
#include <climits>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the stream encoding is the host order of a little-endian processor");

namespace {

int gMode = LIStream::MODE_BINARY;

// One tagged line of the text form: the tag, the value's text, a line feed, written as
// UTF-16 units without count or terminator.
bool WriteLine(LIStream* aStream, const LString& aLine)
{
    return aStream->WriteBytes(aLine.GetLength() * 2, aLine.GetBuffer());
}

template <typename T>
bool WriteRaw(LIStream* aStream, T aValue)
{
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &aValue, sizeof(T));
    return aStream->WriteBytes(static_cast<int>(sizeof(T)), bytes);
}

template <typename T>
bool ReadRaw(LIStream* aStream, T& aValue)
{
    unsigned char bytes[sizeof(T)];
    if (!aStream->ReadBytes(static_cast<int>(sizeof(T)), bytes)) {
        return false;
    }
    std::memcpy(&aValue, bytes, sizeof(T));
    return true;
}

// Reads units of type T up to and including a 0 unit into a new array.
template <typename T>
bool ReadTerminated(LIStream* aStream, T*& aText)
{
    const int start = aStream->GetPosition();
    int count = 0;
    for (;;) {
        T unit = 0;
        if (!ReadRaw(aStream, unit)) {
            aStream->SetPosition(start);
            return false;
        }
        ++count;
        if (unit == 0) {
            break;
        }
    }
    aStream->SetPosition(start);
    T* text = new (L_FILE, __LINE__) T[count];
    if (!text) {
        return false;
    }
    if (!aStream->ReadBytes(count * static_cast<int>(sizeof(T)), text)) {
        delete[] text;
        return false;
    }
    text[count - 1] = 0;
    aText = text;
    return true;
}

template <typename T>
bool ReadCounted(LIStream* aStream, int aNumChars, T*& aText)
{
    if (aNumChars < 0) {
        L_ERROR("aNumChars is negative.");
        return false;
    }
    if (aText) {
        L_ERROR("Invalid argument.");
        return false;
    }
    const long long bytes = static_cast<long long>(aNumChars) * static_cast<long long>(sizeof(T));
    if (bytes > INT_MAX || !aStream->Holds(bytes)) {
        L_ERROR(LString("Character count exceeds the data left: ") + aNumChars);
        return false;
    }
    T* text = new (L_FILE, __LINE__) T[aNumChars + 1];
    if (!text) {
        return false;
    }
    text[aNumChars] = 0;
    if (!aStream->ReadBytes(static_cast<int>(bytes), text)) {
        delete[] text;
        return false;
    }
    aText = text;
    return true;
}

} // namespace

LIStream::~LIStream() = default;

bool LIStream::Holds(long long aBytes)
{
    const int remaining = GetRemaining();
    return remaining < 0 || aBytes <= remaining;
}

int LIStream::GetRemaining()
{
    return -1;
}

bool LIStream::SetMode(int aMode)
{
    if (aMode != MODE_TEXT && aMode != MODE_BINARY) {
        L_ERROR(LString("Invalid mode: ") + aMode + ", using MODE_TEXT.");
        gMode = MODE_TEXT;
        return false;
    }
    gMode = aMode;
    return true;
}

int LIStream::GetMode()
{
    return gMode;
}

bool Write(LIStream* aStream, bool aValue)
{
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xbool>") + aValue + "\n");
    }
    return WriteRaw<unsigned char>(aStream, aValue ? 1 : 0);
}

bool Write(LIStream* aStream, unsigned char aValue)
{
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xbyte>") + static_cast<int>(aValue) + "\n");
    }
    return WriteRaw(aStream, aValue);
}

bool Write(LIStream* aStream, unsigned short aValue)
{
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xushort>") + static_cast<int>(aValue) + "\n");
    }
    return WriteRaw(aStream, aValue);
}

bool Write(LIStream* aStream, int aValue)
{
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xint>") + aValue + "\n");
    }
    return WriteRaw<int32_t>(aStream, aValue);
}

bool Write(LIStream* aStream, unsigned int aValue)
{
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xuint>") + aValue + "\n");
    }
    return WriteRaw<uint32_t>(aStream, aValue);
}

bool Write(LIStream* aStream, float aValue)
{
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xfloat>") + aValue + "\n");
    }
    return WriteRaw(aStream, aValue);
}

bool Write(LIStream* aStream, const LString& aText)
{
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<LString>") + aText + "\n");
    }
    const int count = aText.GetLength();
    const bool countWritten = WriteRaw<int32_t>(aStream, count);
    // The buffer holds the terminating 0 unit after the text.
    const bool textWritten = aStream->WriteBytes(count * 2 + 2, aText.GetBuffer());
    return countWritten && textWritten;
}

bool Write(LIStream* aStream, const char* aText)
{
    if (!aText || aText[0] == 0) {
        L_ERROR("Invalid argument.");
        return false;
    }
    const int n = static_cast<int>(std::strlen(aText));
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xchar[") + n + "]>" + aText + "\n");
    }
    return aStream->WriteBytes(n, aText);
}

bool Write(LIStream* aStream, const char16_t* aText)
{
    const int n = LStringLength(aText);
    if (n == 0) {
        L_ERROR("Invalid argument.");
        return false;
    }
    if (gMode == LIStream::MODE_TEXT) {
        return WriteLine(aStream, LString("<xwchar[") + n + "]>" + aText + "\n");
    }
    return aStream->WriteBytes(n * 2, aText);
}

bool WriteComment(LIStream* aStream, const LString& aText)
{
    if (gMode != LIStream::MODE_TEXT) {
        return false;
    }
    return WriteLine(aStream, LString("<comment>") + aText + "\n");
}

bool Read(LIStream* aStream, bool& aValue)
{
    unsigned char byte = 0;
    if (!ReadRaw(aStream, byte)) {
        return false;
    }
    aValue = byte != 0;
    return true;
}

bool Read(LIStream* aStream, unsigned char& aValue)
{
    return ReadRaw(aStream, aValue);
}

bool Read(LIStream* aStream, unsigned short& aValue)
{
    return ReadRaw(aStream, aValue);
}

bool Read(LIStream* aStream, int& aValue)
{
    int32_t value = 0;
    if (!ReadRaw(aStream, value)) {
        return false;
    }
    aValue = value;
    return true;
}

bool Read(LIStream* aStream, unsigned int& aValue)
{
    uint32_t value = 0;
    if (!ReadRaw(aStream, value)) {
        return false;
    }
    aValue = value;
    return true;
}

bool Read(LIStream* aStream, float& aValue)
{
    return ReadRaw(aStream, aValue);
}

bool Read(LIStream* aStream, LString& aText)
{
    int count = 0;
    if (!Read(aStream, count)) {
        return false;
    }
    const long long bytes = static_cast<long long>(count) * 2 + 2;
    if (count < 0 || bytes > INT_MAX || !aStream->Holds(bytes)) {
        L_ERROR(LString("Invalid string length: ") + count);
        return false;
    }
    char16_t* units = new (L_FILE, __LINE__) char16_t[count + 1];
    if (!units) {
        return false;
    }
    if (!aStream->ReadBytes(static_cast<int>(bytes), units)) {
        delete[] units;
        return false;
    }
    units[count] = 0; // the text ends here whatever the data says
    aText.Assign(units);
    delete[] units;
    return true;
}

bool Read(LIStream* aStream, char*& aText)
{
    return ReadTerminated(aStream, aText);
}

bool Read(LIStream* aStream, char16_t*& aText)
{
    return ReadTerminated(aStream, aText);
}

bool Read(LIStream* aStream, int aNumChars, char*& aText)
{
    return ReadCounted(aStream, aNumChars, aText);
}

bool Read(LIStream* aStream, int aNumChars, char16_t*& aText)
{
    return ReadCounted(aStream, aNumChars, aText);
}

bool LIStream::Write(bool aValue) { return ::Write(this, aValue); }
bool LIStream::Write(unsigned char aValue) { return ::Write(this, aValue); }
bool LIStream::Write(unsigned short aValue) { return ::Write(this, aValue); }
bool LIStream::Write(int aValue) { return ::Write(this, aValue); }
bool LIStream::Write(unsigned int aValue) { return ::Write(this, aValue); }
bool LIStream::Write(float aValue) { return ::Write(this, aValue); }
bool LIStream::Write(const LString& aText) { return ::Write(this, aText); }
bool LIStream::Write(const char* aText) { return ::Write(this, aText); }
bool LIStream::Write(const char16_t* aText) { return ::Write(this, aText); }
bool LIStream::WriteComment(const LString& aText) { return ::WriteComment(this, aText); }

bool LIStream::Read(bool& aValue) { return ::Read(this, aValue); }
bool LIStream::Read(unsigned char& aValue) { return ::Read(this, aValue); }
bool LIStream::Read(unsigned short& aValue) { return ::Read(this, aValue); }
bool LIStream::Read(int& aValue) { return ::Read(this, aValue); }
bool LIStream::Read(unsigned int& aValue) { return ::Read(this, aValue); }
bool LIStream::Read(float& aValue) { return ::Read(this, aValue); }
bool LIStream::Read(LString& aText) { return ::Read(this, aText); }
bool LIStream::Read(char*& aText) { return ::Read(this, aText); }
bool LIStream::Read(char16_t*& aText) { return ::Read(this, aText); }
bool LIStream::Read(int aNumChars, char*& aText) { return ::Read(this, aNumChars, aText); }
bool LIStream::Read(int aNumChars, char16_t*& aText) { return ::Read(this, aNumChars, aText); }
