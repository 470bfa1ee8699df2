// The record that the hashed lists keep one per entry, in ascending hash order: the
// 32-bit hash of the entry's key and the entry's position in the list's own order.
#pragma once

class LHashPair
{
public:
    LHashPair() = default;
    LHashPair(unsigned int aHash, int aIndex)
        : mHash(aHash), mIndex(aIndex)
    {
    }

    unsigned int mHash = 0;
    int mIndex = 0;
};
