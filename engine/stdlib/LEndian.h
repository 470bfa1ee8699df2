// Byte order of the host and converters between it and data stored little- or big-endian.
// In each pair the little-endian converter turns little-endian data into host order (and
// back), the big-endian one big-endian data; each is either the identity or a byte
// reversal, chosen when the singleton is made.
#pragma once
#include "object/LBase.h"

#include <cstdint>

class LEndian : public LBase
{
public:
    using FloatConverter = float (*)(float);
    using Int32Converter = uint32_t (*)(uint32_t);
    using Int16Converter = uint16_t (*)(uint16_t);

    // The singleton, made on first use and deleted by the cleaner; null after a failed
    // creation (logged).
    static LEndian* Instance();

    LEndian();
    ~LEndian() override;

    LString Dump() const override;
    bool IsLittleEndian() const { return mIsLittleEndian; }

    static float SwapFloat(float aValue);
    static uint32_t Swap32(uint32_t aValue);
    static uint16_t Swap16(uint16_t aValue);
    static float SameFloat(float aValue);
    static uint32_t Same32(uint32_t aValue);
    static uint16_t Same16(uint16_t aValue);

    FloatConverter mLittleFloat = nullptr;
    FloatConverter mBigFloat = nullptr;
    Int32Converter mLittle32 = nullptr;
    Int32Converter mBig32 = nullptr;
    Int16Converter mLittle16 = nullptr;
    Int16Converter mBig16 = nullptr;
    bool mIsLittleEndian = false;
};
