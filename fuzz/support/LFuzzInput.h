// Loads the fuzzer's input into a memory stream; an empty input gives an empty stream.
#pragma once
#include "stdlib/LMemoryStream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

inline void LoadFuzzInput(LMemoryStream& aStream, const uint8_t* aData, size_t aSize)
{
    static const unsigned char kNothing = 0;
    aStream.CreateFromBuffer(static_cast<int>(aSize), aSize ? aData : &kNothing);
}

// The input's two parts, split at its first line "%%" (the second is empty without one).
inline std::pair<std::string, std::string> SplitFuzzInput(const uint8_t* aData, size_t aSize)
{
    const std::string input(reinterpret_cast<const char*>(aData), aSize);
    const size_t split = input.find("\n%%\n");
    return {input.substr(0, split), split == std::string::npos ? std::string() : input.substr(split + 4)};
}
