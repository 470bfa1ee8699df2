// The (hash, position) records of a hashed list, held by value in one growable array:
// a lookup's binary search walks contiguous memory and adding an entry costs no
// allocation of its own.
#pragma once
#include "container/LHashPair.h"

class LHashPairArray
{
public:
    LHashPairArray() = default;
    LHashPairArray(int aCapacity, int aIncrement);
    LHashPairArray(const LHashPairArray&) = delete;
    LHashPairArray& operator=(const LHashPairArray&) = delete;
    ~LHashPairArray();

    int GetCount() const { return mCount; }
    // aPosition must lie in 0..count - 1 (callers check).
    LHashPair& At(int aPosition) { return mPairs[aPosition]; }
    const LHashPair& At(int aPosition) const { return mPairs[aPosition]; }

    // Inserts at aPosition (0..count); 0 when the position is out of range or memory is out.
    int InsertAt(int aPosition, const LHashPair& aPair);
    // 0 when aPosition is out of range.
    int RemoveAt(int aPosition);
    void RemoveAll() { mCount = 0; }
    // Ascending hash order; equal hashes keep their order.
    void SortByHash();
    // Binary search of a table in hash order: the position of a pair with aHash, or -1
    // with aInsertAt (when given) set to where such a pair would go.
    int Search(unsigned int aHash, int* aInsertAt) const;
    // Adds 1 to every stored entry position at or above aFrom (an entry went in there).
    void RaiseIndices(int aFrom);
    // Takes 1 from every stored entry position above aIndex (the entry there went).
    void LowerIndicesAbove(int aIndex);

private:
    int Grow();

    LHashPair* mPairs = nullptr;
    int mCount = 0;
    int mCapacity = 0;
    int mIncrement = 16;
};
