// Animation files in both forms (".lia1" and ".lia") built record by record, for the
// sample generator's phoneme poses, the tests, the fuzz corpora and the benchmarks.
//
// A channel's keys are either patterned (component c of key k of array a is
// KeyValue(a, k, c), so a key read back tells which it was) or one pose repeated in
// every key.
#pragma once
#include "LQuaternion.h"
#include "LVector3.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"

#include <string>

class LAnimationBytes
{
public:
    // The arrays a current-form channel carries.
    enum { VECTOR = 1, ROTATION = 2, TRANSLATION = 4, ALL = 7 };

    // Component aComponent of patterned key aKey of array aArray (0 vector, 1 rotation,
    // 2 translation): aArray * 100 + aKey + aComponent / 4.
    static float KeyValue(int aArray, int aKey, int aComponent);

    // Current form: name, channel count, frame count; then the channel records.
    LAnimationBytes& Header(const LString& aName, unsigned aChannels, unsigned aFrames);
    // A channel record's name, stored frame id and key count, without its arrays.
    LAnimationBytes& ChannelHead(const LString& aName, unsigned aId, int aKeys);
    // A channel with patterned keys in the arrays aArrays names.
    LAnimationBytes& Channel(const LString& aName, unsigned aId, int aKeys, int aArrays = ALL);
    // A channel for the frame named aName (its id the name's hash) holding one pose in
    // every key; the vector keys are zeros.
    LAnimationBytes& PoseChannel(const LString& aName, int aKeys, const LQuaternion& aRotation,
                                 const LVector3& aTranslation);

    // Older form: an 8-byte header and a 32-bit value, channel count, frame count.
    LAnimationBytes& LiaHeader(unsigned aChannels, unsigned aFrames);
    // An older channel: aName holds the name's bytes with its 0 byte; patterned keys.
    LAnimationBytes& LiaChannel(const std::string& aName, unsigned aExtra, unsigned aFrames);
    LAnimationBytes& LiaPoseChannel(const std::string& aName, unsigned aFrames, const LQuaternion& aRotation,
                                    const LVector3& aTranslation);

    LAnimationBytes& U32(unsigned aValue);
    std::string Bytes() const;

private:
    void PatternKey(int aArray, int aKey);
    void Floats(const float* aValues, int aCount);

    mutable LMemoryStream mStream {256, LMemoryStream::GROW_DOUBLE};
};
