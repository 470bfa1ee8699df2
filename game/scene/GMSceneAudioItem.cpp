#include "scene/GMSceneAudioItem.h"

#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "scene/GMSceneAudio.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "time/LITimer.h"
#include "util/GMOptions.h"

GMSceneAudioItem::GMSceneAudioItem()
{
    LRandom::SeedFromTime();
}

GMSceneAudioItem::~GMSceneAudioItem()
{
    delete mPlayer;
}

LString GMSceneAudioItem::Dump() const
{
    return DumpHead("GMSceneAudioItem") + "]";
}

bool GMSceneAudioItem::Load(const LPropertyList* aList, GMSceneAudio* apOwner)
{
    mOwner = apOwner;
    if (!aList) {
        L_ERROR("Load failure. NULL arg.");
        return false;
    }
    bool found = false;
    mId = aList->GetProperty(LString("id"), found);
    if (!found) {
        L_WARNING("Audio item without an id dropped.");
        return false;
    }
    mSounds = aList->GetVectorString(LString("sounds"), found);
    if (!found) {
        L_ASSERT_FAILURE(LString("Audio item without \"sounds\": ") + mId);
    }
    GMOptions* options = GMOptions::GetInstance();
    const float optionsVolume = options ? options->mVolume : 1.0f;
    const float volume = aList->GetFloat(LString("volume"), found);
    mVolume = found ? optionsVolume * volume : optionsVolume;
    mLooping = aList->GetBool(LString("looping"), found) ? 1 : 0;
    if (mLooping) {
        mMinInterval = -1.0f;
        mMaxInterval = -1.0f;
        return true;
    }
    mMinInterval = aList->GetFloat(LString("minInterval"), found);
    if (!found) {
        L_ASSERT_FAILURE(LString("Audio item without \"minInterval\": ") + mId);
    }
    mMaxInterval = aList->GetFloat(LString("maxInterval"), found);
    if (!found) {
        L_ASSERT_FAILURE(LString("Audio item without \"maxInterval\": ") + mId);
    }
    return true;
}

void GMSceneAudioItem::Play()
{
    if (mPlayer) {
        return;
    }
    const int count = mSounds.GetCount();
    if (count == 0) {
        L_ERROR(LString("Audio item has no sounds to play: ") + mId);
        return;
    }
    const LString name = mSounds[LRandom::Next() % count];
    LISoundManager* manager = LISoundManager::Get();
    if (!manager) {
        return;
    }
    mPlayer = manager->CreateStream(name, LString("//dataroot/sounds/") + name);
    if (!mPlayer) {
        L_ERROR(LString("Audio item cannot open its sound: ") + name);
        return;
    }
    mPlayer->SetListener(this);
    mPlayer->SetLoop(mLooping != 0);
    mPlayer->Play();
    mPlayer->SetVolume(mVolume);
}

void GMSceneAudioItem::Retire()
{
    if (mPlayer) {
        mPlayer->SetLoop(false);
    }
}

float GMSceneAudioItem::GetNextTime() const
{
    const float now = static_cast<float>(LITimer::Now());
    return now + mMinInterval + LRandom::NextUnit() * (mMaxInterval - mMinInterval);
}

void GMSceneAudioItem::OnSoundEnded(const LString&)
{
    LISoundPlayer* player = mPlayer;
    mPlayer = nullptr;
    delete player;
    if (mOwner) {
        // The owner may delete this item: nothing of it is used after the call.
        mOwner->OnItemDone(this);
    }
}
