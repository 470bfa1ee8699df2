// A key-frame animation of a skeleton, sampled at 30 frames per second: one channel per
// animated model frame, each with one key per animation frame. Keys are not interpolated;
// playing picks the key of the frame the playing time falls in.
//
// Two file forms: the current one (".lia1"), which is Read/Write, and an older one
// (".lia"), which is only read. Whatever a reader accepts satisfies what posing relies
// on: when there are channels, there is at least one frame and every channel holds a
// rotation and a translation key for every frame. A file that does not is refused, and a
// refused file leaves the animation as it was.
#pragma once
#include "Render/LAnimationChannel.h"
#include "container/LString.h"
#include "object/LObject.h"

class LIStream;

class LAnimation : public LObject
{
public:
    static constexpr double kFramesPerSecond = 30.0;

    LAnimation();
    ~LAnimation() override;
    LAnimation(const LAnimation&) = delete;
    LAnimation& operator=(const LAnimation&) = delete;

    // The file form a path's ending names: "lia1" (any case) the current form, else "lia"
    // (any case) the older one.
    enum Form { FORM_NONE, FORM_CURRENT, FORM_OLDER };
    static Form FormOf(const LString& aPath);

    // Loads a whole file and reads it in the form its path's ending names; any other
    // ending fails.
    int Load(const LString& aPath, bool aSymbolic);

    // The current form: name, channel count, frame count, the channel records.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;
    // The older form: an 8-byte header and a 32-bit value (both ignored), channel count,
    // frame count, the channel records. aPath becomes the animation's name.
    int ReadLia(LIStream* aStream, const LString& aPath);

    // Seconds: frame count / 30.
    float GetLength() const;
    // Writes every channel's name, frame count and keys to the log, one line each.
    int Print() const;

    const LString& GetName() const { return mName; }
    unsigned int GetChannelCount() const { return mChannels != nullptr ? mChannelCount : 0; }
    unsigned int GetFrameCount() const { return mFrameCount; }
    // Null outside 0 .. channel count - 1.
    LAnimationChannel* GetChannel(unsigned int aIndex) const;

    // The frame id of the frame named "Biped", the one frame whose translation keys posing
    // applies.
    static unsigned int GetBipedFrameId();

private:
    // Takes over aChannels (aCount of them) once they hold what posing needs; otherwise
    // deletes them, logs why and keeps the animation as it was.
    bool Adopt(const char* aWhat, const LString& aName, unsigned int aCount, unsigned int aFrameCount,
               LAnimationChannel* aChannels);

    LString mName;
    unsigned int mChannelCount = 0;
    unsigned int mFrameCount = 0;
    LAnimationChannel* mChannels = nullptr;
};
