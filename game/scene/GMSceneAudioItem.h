// One sound of a location's ambience: a list of sound files of which one is picked at
// random for every play, played in a loop or replayed after a random pause between a
// minimum and a maximum. The item owns its sound player while it sounds and tells its
// owner when a sound has ended.
#pragma once
#include "Sound/LISoundListener.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "object/LBase.h"

class GMSceneAudio;
class LISoundPlayer;
class LPropertyList;

class GMSceneAudioItem : public LBase, public LISoundListener
{
public:
    // Seeds the random generator from the current time.
    GMSceneAudioItem();
    // Deleting the item stops its sound.
    ~GMSceneAudioItem() override;

    LString Dump() const override;

    // Reads "id", "sounds", "volume", "looping", "minInterval" and "maxInterval" of aList.
    // 0 without an id; any other missing required key is an assertion failure in the log
    // with an empty value in its place.
    bool Load(const LPropertyList* aList, GMSceneAudio* apOwner);
    // Starts a randomly picked sound under "//dataroot/sounds/"; nothing while a sound
    // plays. An item without sounds, or whose file cannot be opened, stays silent (logged).
    void Play();
    // Lets a looping sound end after its current pass, for an item that stays only until
    // its sound ends.
    void Retire();
    // A sound player exists.
    bool IsPlaying() const { return mPlayer != nullptr; }
    // When the item should next play after now: now + min + r × (max − min), r from 0 to 1.
    float GetNextTime() const;

    const LString& GetId() const { return mId; }
    bool IsLooping() const { return mLooping != 0; }
    float GetMinInterval() const { return mMinInterval; }
    float GetMaxInterval() const { return mMaxInterval; }
    float GetVolume() const { return mVolume; }

    // Frees the player and tells the owner, which may delete this item.
    void OnSoundEnded(const LString& aId) override;

private:
    LString mId;
    LVectorString mSounds;
    unsigned char mLooping = 0;
    float mMinInterval = -1.0f;
    float mMaxInterval = -1.0f;
    float mVolume = 1.0f;
    LISoundPlayer* mPlayer = nullptr;
    GMSceneAudio* mOwner = nullptr;
};
