// One animated model frame of a key-frame animation: the frame's name, the id by which
// posing finds the frame, and one key per animation frame in each of three arrays (a
// vector carried along but not used by posing, the frame's rotation and its translation).
// The animation owns its channels; a channel owns its name and key arrays.
#pragma once
#include "LQuaternion.h"
#include "LVector3.h"
#include "container/LString.h"

class LIStream;

class LAnimationChannel
{
public:
    LAnimationChannel() = default;
    ~LAnimationChannel();
    LAnimationChannel(const LAnimationChannel&) = delete;
    LAnimationChannel& operator=(const LAnimationChannel&) = delete;

    // The id a model frame carries for aName: the name's hash with shift 7, case-sensitive.
    static unsigned int FrameId(const LString& aName);

    // The current record: name, frame id (stored, not recomputed), key count, then each of
    // the vector, rotation and translation arrays behind a presence byte. An array read
    // replaces the old one; an absent array keeps the old one. A count that the data left
    // cannot hold is refused before anything is allocated.
    bool Read(LIStream* aStream);
    // Every write is attempted; true only when all succeed.
    bool Write(LIStream* aStream) const;
    // The older record: name length and 0-terminated 8-bit name, an extra value, then per
    // frame a vector, a rotation and a translation key. All three arrays get aFrameCount
    // keys and the frame id is computed from the name. On failure the channel is unchanged.
    bool ReadLia(LIStream* aStream, unsigned int aFrameCount);

    // Fewest bytes a current record can take: an empty name, id, count, three presence bytes.
    static constexpr int kMinRecordBytes = 4 + 2 + 4 + 4 + 3;
    // Fewest bytes an older record can take before its keys: length, a 0 byte, extra value.
    static constexpr int kMinLiaRecordBytes = 4 + 1 + 4;
    // Bytes of the three keys of one frame in the older record.
    static constexpr int kLiaFrameBytes = (3 + 4 + 3) * 4;

    LString mName;
    // Kept from the older form only; neither the current form nor posing uses it.
    unsigned int mExtra = 0;
    unsigned int mFrameId = 0;
    // Length of each key array present.
    int mKeyCount = 0;
    LVector3* mVectorKeys = nullptr;
    LQuaternion* mRotationKeys = nullptr;
    LVector3* mTranslationKeys = nullptr;
};
