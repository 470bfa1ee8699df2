// One mouth shape or facial expression of a spoken line: the weight of its pose over
// time, as keys of rising times (seconds) and weights (0 .. 1) between which the weight
// runs linearly. The shape is one of the 27 names of the phoneme table (fifteen phonemes,
// twelve visemes); its index there is the curve's type, by which the player picks the
// shape's pose.
#pragma once
#include "container/LString.h"

class LIStream;

class LLipSyncCurve
{
public:
    static constexpr int kPhonemeCount = 27;
    // Fewest bytes a stored curve can take: an empty id, hash, type and key count.
    static constexpr int kMinRecordBytes = 4 + 2 + 4 + 4 + 4;

    LLipSyncCurve() = default;
    ~LLipSyncCurve();
    LLipSyncCurve(const LLipSyncCurve&) = delete;
    LLipSyncCurve& operator=(const LLipSyncCurve&) = delete;

    // The name of phoneme type aType, or null outside 0 .. 26.
    static const char16_t* GetPhonemeName(int aType);
    // The type of a table name, compared without regard to ASCII case; -1 when absent.
    static int FindPhonemeType(const LString& aName);

    // Takes the id: its hash and its type in the phoneme table; false (type -1) when the
    // id is not a table name.
    bool SetId(const LString& aId);
    // Takes over the keys: aCount times and values (each array of aCount, owned from now
    // on, or null with aCount 0).
    void SetKeys(int aCount, float* aTimes, float* aValues);

    // Id, hash, type, key count, then the times and the values when there are keys. A
    // count that the data left cannot hold is refused; a negative one counts as 0.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;

    // The weight at aTime for a player whose cursor (the key at or before its time) is
    // *aCursor, moving the cursor on past the keys aTime has reached. False when the
    // curve takes no part: no keys, or aTime at or past its last key.
    bool WeightAt(float aTime, unsigned int* aCursor, float* aWeight) const;

    LString mId;
    unsigned int mIdHash = 0;
    int mType = -1;
    int mKeyCount = 0;
    float* mTimes = nullptr;
    float* mValues = nullptr;
};
