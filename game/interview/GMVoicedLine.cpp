#include "interview/GMVoicedLine.h"

#include "Gdi/LFontManager.h"
#include "Render/LGesturePlayer.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyEntry.h"
#include "container/LPropertyList.h"
#include "interview/GMIVoicedLineListener.h"
#include "interview/GMSubtitle.h"
#include "memory/LMemoryManager.h"
#include "scene/GMCharacter.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "util/GMOptions.h"

namespace {

const char* const kRoles[GMVoicedLine::kRoleCount] = {"primary", "secondary", "tertiary"};

// Whether an optional file of the line (gestures, lip sync) is there, asked without a
// logged failure when it is not.
bool Exists(const LString& aPath)
{
    LIFileSystem* files = LIFileSystem::Get();
    return !aPath.IsEmpty() && files != nullptr && files->PathExists(aPath, true);
}

} // namespace

GMVoicedLine::GMVoicedLine(GMIVoicedLineListener* aListener) : mListener(aListener) {}

GMVoicedLine::~GMVoicedLine()
{
    StopParts();
}

LString GMVoicedLine::Dump() const
{
    return DumpHead("GMVoicedLine") + " stream=" + mStreamFile + " playing=" + (mPlaying ? "1" : "0") + "]";
}

void GMVoicedLine::SetStream(const LString& aName, const LString& aFile, const LString& aStandIn)
{
    mStreamName = aName;
    mStreamFile = aFile;
    mStandIn = aStandIn;
}

void GMVoicedLine::SetGestures(const LString& aFile)
{
    mGestureFile = aFile;
}

void GMVoicedLine::BindRole(int aRole, GMCharacter* aCharacter)
{
    if (aRole >= 0 && aRole < kRoleCount) {
        mRoles[aRole] = aCharacter;
    }
}

void GMVoicedLine::SetLipSync(GMCharacter* aSpeaker, const LString& aDataFile)
{
    mSpeaker = aSpeaker;
    mLipSyncFile = aDataFile;
}

void GMVoicedLine::SetSubtitle(const LString& aText, bool aFound, LIFont* aFont, bool aKeep)
{
    mSubtitle = aText;
    mHasSubtitle = aFound;
    mUsesStrip = true;
    mFont = aFont;
    mKeepSubtitle = aKeep;
}

LString GMVoicedLine::SoundFile(const LString& aId)
{
    LString file = LString(u"//sounds/") + aId;
    if (aId.Find(u".", 0) < 0) {
        file += u".ogg";
    }
    return file;
}

LString GMVoicedLine::VoiceOverText(const LString& aId, bool& aFound)
{
    aFound = false;
    LPropertyList subtitles;
    if (!subtitles.Load(LString(u"//scenes/vo_subtitles.txt"), true)) {
        return LString();
    }
    const LPropertyEntry* entry = subtitles.FindEntry(aId);
    const LString* text = entry != nullptr ? entry->GetString() : nullptr;
    aFound = text != nullptr;
    return text != nullptr ? *text : LString();
}

LIFont* GMVoicedLine::VoiceOverFont()
{
    LFontManager* fonts = LFontManager::Get();
    return fonts != nullptr ? fonts->GetFont(LString(kSubtitleFont)) : nullptr;
}

LISoundPlayer* GMVoicedLine::MakeStream(const LString& aFile) const
{
    LISoundManager* sounds = LISoundManager::Get();
    return sounds != nullptr ? sounds->CreateStream(mStreamName, aFile) : nullptr;
}

bool GMVoicedLine::Play()
{
    StopParts();
    mSound = MakeStream(mStreamFile);
    if (mSound == nullptr && !mStandIn.IsEmpty()) {
        L_ERROR("Using temp sound.");
        mSound = MakeStream(mStandIn);
        if (mSound == nullptr) {
            L_ERROR("Failed to start sound.");
            return false;
        }
    } else if (mSound == nullptr) {
        if (!mQuietFailure) {
            L_ERROR("PlaySound failure. Could not get sound player.");
        }
        return false;
    }
    mSound->SetListener(this);
    GMOptions* options = GMOptions::GetInstance();
    mSound->SetVolume(options != nullptr ? options->mVolume : 1.0f);
    LoadGestures();
    StartLipSync();
    ShowSubtitle();

    mPlaying = true;
    mSound->Play();
    if (GMCharacter* speaker = mLipSyncSpeaker.Get()) {
        speaker->PlayLipSync();
    }
    if (mGestures != nullptr) {
        mGestures->Play();
    }
    return true;
}

void GMVoicedLine::LoadGestures()
{
    if (!Exists(mGestureFile)) {
        return;
    }
    mGestures = L_NEW LGesturePlayer();
    if (mGestures == nullptr || !mGestures->Load(mGestureFile)) {
        delete mGestures;
        mGestures = nullptr;
        return;
    }
    for (int i = 0; i < kRoleCount; ++i) {
        if (GMCharacter* character = mRoles[i].Get()) {
            mGestures->SetCharacter(LString(kRoles[i]), character);
        }
    }
    mGestures->SetListener(this);
}

void GMVoicedLine::StartLipSync()
{
    GMCharacter* speaker = mSpeaker.Get();
    if (speaker != nullptr && Exists(mLipSyncFile) &&
        speaker->StartLipSync(mLipSyncFile, LString(u"//dataroot/phonemes/") + speaker->GetPhonemeFile())) {
        mLipSyncSpeaker = speaker;
    }
}

void GMVoicedLine::ShowSubtitle() const
{
    GMSubtitle* strip = mHasSubtitle ? GMSubtitle::GetInstance() : nullptr;
    if (strip == nullptr) {
        return;
    }
    strip->SetPosition(0.0f, kSubtitleY);
    strip->SetText(mSubtitle, mFont);
    if (mKeepSubtitle) {
        strip->SkipNextFadeOut();
    }
    // A strip fading out would take the new line with it.
    if (!strip->IsShown() || !strip->IsShowing()) {
        strip->Show();
    }
}

void GMVoicedLine::OnSoundEnded(const LString&)
{
    // Deleted from inside its own end notice: the player touches nothing of itself after
    // telling its listener.
    delete mSound;
    mSound = nullptr;
    if (!mPlaying) {
        return;
    }
    Stop();
    // A strip already fading out (or gone) is left to its fade.
    GMSubtitle* strip = mUsesStrip ? GMSubtitle::GetInstance() : nullptr;
    if (strip != nullptr && strip->IsShowing()) {
        strip->FadeOut();
    }
    // The listener may delete this line: nothing of it is touched afterwards.
    if (mListener != nullptr) {
        mListener->OnLineEnded(this);
    }
}

void GMVoicedLine::OnGestureDone()
{
    // Gestures that end before the voice leave the line playing.
    delete mGestures;
    mGestures = nullptr;
}

void GMVoicedLine::Stop()
{
    mPlaying = false;
    StopParts();
}

void GMVoicedLine::StopParts()
{
    delete mSound;
    mSound = nullptr;
    delete mGestures;
    mGestures = nullptr;
    if (GMCharacter* speaker = mLipSyncSpeaker.Get()) {
        speaker->StopLipSync();
    }
    mLipSyncSpeaker = nullptr;
}
