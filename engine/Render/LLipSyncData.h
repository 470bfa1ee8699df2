// The lip sync of one spoken line: one weight curve per mouth shape or expression the
// line uses. Written by hand or by tools in a text file (".dat", times in milliseconds
// and weights in percent), or kept in a binary form that holds the keys as they are in
// memory (seconds, weights, the leading key at time 0 included).
//
// A curve whose id is not a name of the phoneme table has no pose to drive and is left
// out (logged), so every curve held has a valid type.
#pragma once
#include "object/LISerializable.h"

class LLipSyncCurve;
class LPropertyList;
class LString;

class LLipSyncData : public LISerializable
{
public:
    LLipSyncData();
    ~LLipSyncData() override;
    LLipSyncData(const LLipSyncData&) = delete;
    LLipSyncData& operator=(const LLipSyncData&) = delete;

    // The binary form through Read, the text form through CreateFromPropertyList; 0 when
    // the file cannot be read.
    int Load(bool aBinary, const LString& aPath, bool aSymbolic);
    // The text form: "sound" (named in messages only) and "phonemes", a list of entries of
    // "id", "numkeys", "times" and "values" ("|"-separated). Lists shorter than the key
    // count trim it; a leading key (0 s, 0.0) is put in front of every curve with keys.
    int CreateFromPropertyList(const LPropertyList* aList);

    // The curve count, then the curves. A count the data left cannot hold is refused; a
    // failed read keeps the curves held before.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    int GetCurveCount() const { return mCurveCount; }
    // Null outside 0 .. count - 1.
    const LLipSyncCurve* GetCurve(int aIndex) const;

private:
    // Keeps the first aCount curves of aCurves (an array that may be longer) and frees
    // the old ones.
    void Adopt(int aCount, LLipSyncCurve* aCurves);

    int mCurveCount = 0;
    LLipSyncCurve* mCurves = nullptr;
};
