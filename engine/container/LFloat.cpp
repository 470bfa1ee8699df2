#include "container/LFloat.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <charconv>
#include <cmath>

LFloat::LFloat(unsigned char aValue) : mValue(static_cast<float>(aValue)) {}

LFloat::LFloat(int aValue) : mValue(static_cast<float>(aValue)) {}

LFloat::LFloat(unsigned int aValue) : mValue(static_cast<float>(aValue)) {}

LFloat::LFloat(float aValue) : mValue(aValue) {}

LFloat::LFloat(double aValue) : mValue(static_cast<float>(aValue)) {}

LFloat::LFloat(const LString& aText)
{
    const char16_t* units = aText.GetBuffer();
    const int length = aText.GetLength();
    bool negative = false;
    int first = 0;
    int run = 0;
    for (int i = 0; i < length; ++i) {
        const char16_t c = units[i];
        if (i == 0 && c == u'-') {
            negative = true;
            first = 1;
            continue;
        }
        if (c == u'e' || c == u'E') {
            L_ASSERT_FAILURE("Exponential notation not supported!");
            break;
        }
        if ((c >= u'0' && c <= u'9') || c == u'.') {
            ++run;
            continue;
        }
        break;
    }
    if (run == 0) {
        return;
    }
    char* scratch = L_NEW char[run + 1];
    if (!scratch) {
        return;
    }
    for (int i = 0; i < run; ++i) {
        scratch[i] = static_cast<char>(units[first + i] & 0xFF);
    }
    scratch[run] = 0;
    // The longest prefix of digits, an optional point and digits; "." alone reads as 0.
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(scratch, scratch + run, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: infinite when the whole part is not 0, else 0.
        value = 0.0;
        for (int i = 0; i < run && scratch[i] != '.'; ++i) {
            if (scratch[i] != '0') {
                value = HUGE_VAL;
                break;
            }
        }
    }
    delete[] scratch;
    mValue = static_cast<float>(value);
    if (negative) {
        mValue = -mValue;
    }
}

LFloat::~LFloat() = default;

LString LFloat::Dump() const
{
    return DumpHead("LFloat") + " value:" + mValue + "]";
}

bool LFloat::Read(LIStream* aStream)
{
    return aStream && aStream->Read(mValue);
}

bool LFloat::Write(LIStream* aStream)
{
    return aStream && aStream->Write(mValue);
}
