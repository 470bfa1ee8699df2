// Loads the fuzzer's input into a memory stream; an empty input gives an empty stream.
#pragma once
#include "stdlib/LMemoryStream.h"

#include <cstddef>
#include <cstdint>

inline void LoadFuzzInput(LMemoryStream& aStream, const uint8_t* aData, size_t aSize)
{
    static const unsigned char kNothing = 0;
    aStream.CreateFromBuffer(static_cast<int>(aSize), aSize ? aData : &kNothing);
}
