// The hotspot's voice-overs, played as voiced lines.
#include "scene/GMHotspot.h"

#include "Render/LGestureAnimManager.h"
#include "Sound/LISoundPlayer.h"
#include "interview/GMSubtitle.h"
#include "interview/GMVoicedLine.h"
#include "memory/LMemoryManager.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LRandom.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

namespace {

// The gesture animations of a voice-over whose gesture file is missing, picked at random.
const char16_t* const kFallbackGestures[3] = {u"/SS_M/SS_X1_AL.lia1", u"/SS_M/SS_Y1_AR.lia1", u"/SS_M/SS_A1_AB.lia1"};

} // namespace

// --- voice-overs ------------------------------------------------------------------------

bool GMHotspot::PlayVoiceOver(int aSituation)
{
    const LVectorString* list = aSituation >= 0 && aSituation < SITUATION_COUNT ? mVoiceOvers[aSituation] : nullptr;
    if (list == nullptr || list->GetCount() < 1) {
        return false;
    }
    LString id = list->GetRef(0);
    GMOptions* options = GMOptions::GetInstance();
    if (list->GetCount() > 2 && options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY) {
        id = list->GetRef(2);
    }
    const LString speaker = list->GetCount() > 1 ? list->GetRef(1) : LString(kPlayerKey);
    Raise(PlayedEvent(id));
    return StartVoice(id, speaker, LString(u"hotspotSound"), true);
}

bool GMHotspot::StartVoice(const LString& aId, const LString& aSpeakerKey, const LString& aSoundName, bool aFallbackGesture)
{
    delete mVoice;
    mVoice = L_NEW GMVoicedLine(this);
    if (mVoice == nullptr) {
        return false;
    }
    GMCharacter* speaker = SceneCharacter(aSpeakerKey);
    mVoice->SetStream(aSoundName, GMVoicedLine::SoundFile(aId));
    mVoice->SetGestures(LString(u"//gestures/") + aId + u".gk");
    mVoice->BindRole(0, speaker);
    mVoice->SetLipSync(speaker, LString(u"//dataroot/lipsync/") + aId + u".dat");
    bool found = false;
    const LString subtitle = GMVoicedLine::VoiceOverText(aId, found);
    mVoice->SetSubtitle(subtitle, found, GMVoicedLine::VoiceOverFont());
    if (!mVoice->Play()) {
        delete mVoice;
        mVoice = nullptr;
        return false;
    }
    mSpeaker = speaker;
    // Without its own gestures a line may move the player with one of three at random.
    LGestureAnimManager* animations = aFallbackGesture && mVoice->GetGestures() == nullptr ? LGestureAnimManager::Get() : nullptr;
    LAnimation* fallback = nullptr;
    if (animations != nullptr) {
        animations->SetRoot(LString(u"//animations"));
        const unsigned int handle = animations->CreateAnimation(LString(kFallbackGestures[LRandom::Next() % 3]));
        fallback = handle != 0 ? animations->GetAnimation(handle) : nullptr;
    }
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    mVoicePlaying = true;
    if (fallback != nullptr) {
        GMScene* scene = GMSceneManager::GetCurrentScene();
        if (GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr) {
            player->PlayGestureAnimation(fallback);
        }
    }
    if (mCursor != nullptr) {
        mCursor->ReleaseCursor(mId);
    }
    return true;
}

void GMHotspot::OnLineEnded(GMVoicedLine*)
{
    OnVoiceOverDone();
}

LISoundPlayer* GMHotspot::GetVoiceSound() const
{
    return mVoice != nullptr ? mVoice->GetSound() : nullptr;
}

LGesturePlayer* GMHotspot::GetGesturePlayer() const
{
    return mVoice != nullptr ? mVoice->GetGestures() : nullptr;
}

void GMHotspot::EndVoice()
{
    mVoicePlaying = false;
    // A line that ended on its own has faded the strip already.
    if (mVoice == nullptr || mVoice->IsPlaying()) {
        if (GMSubtitle* strip = GMSubtitle::GetInstance()) {
            strip->FadeOut();
        }
    }
    // Deleted from inside its own end notice: the line touches nothing of itself after
    // telling its listener.
    delete mVoice;
    mVoice = nullptr;
}

void GMHotspot::OnVoiceOverDone()
{
    EndVoice();
    if (!mInCloseUp) {
        if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
            scene->SetInputEnabled(true);
            scene->SetMouseLock(false);
        }
    }
    if (mCursor != nullptr) {
        mCursor->SetVisible(true);
    }
    if (!mInCloseUp) {
        SetSceneHotspots(true);
    }
}
