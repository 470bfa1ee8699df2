#include "stdlib/LEndian.h"

#include "container/LString.h"
#include "stdlib/LSingleton.h"

#include <cstring>

namespace {

LSingleton<LEndian> sEndian;

} // namespace

LEndian* LEndian::Instance()
{
    // After the cleaner deleted it a later call makes a fresh one.
    if (sEndian.IsDestroyed() && !sEndian.Peek()) {
        sEndian = LSingleton<LEndian>();
    }
    return sEndian.Get(L_FILE, __LINE__, "LEndian creation failure.");
}

LEndian::LEndian()
{
    const unsigned char probe[2] = {1, 0};
    uint16_t value = 0;
    std::memcpy(&value, probe, sizeof(value));
    mIsLittleEndian = value == 1;
    if (mIsLittleEndian) {
        mLittleFloat = &SameFloat;
        mBigFloat = &SwapFloat;
        mLittle32 = &Same32;
        mBig32 = &Swap32;
        mLittle16 = &Same16;
        mBig16 = &Swap16;
    } else {
        mLittleFloat = &SwapFloat;
        mBigFloat = &SameFloat;
        mLittle32 = &Swap32;
        mBig32 = &Same32;
        mLittle16 = &Swap16;
        mBig16 = &Same16;
    }
}

LEndian::~LEndian()
{
    sEndian.Destroyed(this);
}

LString LEndian::Dump() const
{
    return DumpHead("LEndian") + "]";
}

float LEndian::SwapFloat(float aValue)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &aValue, sizeof(bits));
    bits = Swap32(bits);
    float result = 0.0f;
    std::memcpy(&result, &bits, sizeof(result));
    return result;
}

uint32_t LEndian::Swap32(uint32_t aValue)
{
    return ((aValue & 0xFFu) << 24) | ((aValue & 0xFF00u) << 8) | ((aValue >> 8) & 0xFF00u) | (aValue >> 24);
}

uint16_t LEndian::Swap16(uint16_t aValue)
{
    return static_cast<uint16_t>((aValue << 8) | (aValue >> 8));
}

float LEndian::SameFloat(float aValue)
{
    return aValue;
}

uint32_t LEndian::Same32(uint32_t aValue)
{
    return aValue;
}

uint16_t LEndian::Same16(uint16_t aValue)
{
    return aValue;
}
