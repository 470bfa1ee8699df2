#include "scene/GMCloseUp.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Sound/LISoundPlayer.h"
#include "Video/LIMovieManager.h"
#include "Video/LIMoviePlayer.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMSubtitle.h"
#include "interview/GMVoicedLine.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMHotspot.h"
#include "scene/GMHotspotInterview.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"
#include "util/GMStateReader.h"
#include "util/GMTextureRoot.h"

namespace {

LString Required(const LPropertyList* aEntry, const char16_t* aKey, const char* aMissing)
{
    bool found = false;
    const LString value = aEntry->GetString(LString(aKey), found);
    if (!found) {
        L_ASSERT_FAILURE(aMissing);
    }
    return value;
}

// The first piece of a "|"-separated value.
LString FirstPart(const LString& aValue)
{
    const int bar = aValue.Find(u"|", 0);
    return bar >= 0 ? aValue.Mid(0, bar, 0) : aValue;
}

LVectorString SplitBars(const LString& aValue)
{
    LVectorString parts;
    int start = 0;
    while (start <= aValue.GetLength()) {
        const int bar = aValue.Find(u"|", start);
        const int end = bar >= 0 ? bar : aValue.GetLength();
        const LString part = aValue.Mid(start, end - start, 0);
        if (!part.IsEmpty()) {
            parts.Add(part);
        }
        if (bar < 0) {
            break;
        }
        start = bar + 1;
    }
    return parts;
}

// The scene's interview hotspot that starts aInterviewId ("typedata.interview.interviewid"),
// or null.
GMHotspot* InterviewHotspot(const GMScene* aScene, const LString& aInterviewId)
{
    for (int i = 0; i < aScene->GetHotspotCount(); ++i) {
        GMHotspot* hotspot = aScene->GetHotspot(i);
        if (hotspot == nullptr || hotspot->GetKind() != GMHotspot::KIND_INTERVIEW) {
            continue;
        }
        const GMHotspotInterview::Record* record = static_cast<GMHotspotInterview*>(hotspot)->GetRecord();
        if (record != nullptr && record->mInterviewId == aInterviewId) {
            return hotspot;
        }
    }
    return nullptr;
}

bool EndsWithOgg(const LString& aId)
{
    const int length = aId.GetLength();
    return length >= 4 && aId.Mid(length - 4, 4, 0).EqualsNoCase(LString(u".ogg"));
}

} // namespace

GMCloseUp::GMCloseUp() = default;

GMCloseUp::~GMCloseUp()
{
    mDeferred.Cancel();
    if (mStateListening) {
        if (LStateManager* states = LStateManager::Get()) {
            states->RemoveListener(this);
        }
    }
    StopFrames();
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        if (screens->IndexOf(this) >= 0) {
            screens->RemoveScreen(this);
        }
    }
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (scene != nullptr && scene->GetCloseUp() == this) {
        scene->SetCloseUp(nullptr);
    }
    DeleteSound();
    RemoveHotspots();
    DeleteDisplay();
}

LString GMCloseUp::Dump() const
{
    return DumpHead("GMCloseUp") + " " + mId + "]";
}

bool GMCloseUp::OnStack() const
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    return screens != nullptr && screens->IndexOf(const_cast<GMCloseUp*>(this)) >= 0;
}

// --- Reading --------------------------------------------------------------------------

bool GMCloseUp::Create(const LPropertyList* aEntry)
{
    if (aEntry == nullptr) {
        L_ASSERT_FAILURE("Create failure. NULL arg.");
        return false;
    }
    mEntry = aEntry;
    bool found = false;
    mId = aEntry->GetString(LString(u"id"), found);
    mDisplayGroupData = aEntry->GetList(LString(u"displaygroup"));
    mHotspotData = aEntry->GetList(LString(u"hotspots"));
    mTriggerState = FirstPart(Required(aEntry, u"triggerstate", "'triggerstate' not found."));
    if (!mTriggerState.IsEmpty()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(mTriggerState, LString(u"boolean"), LString(u"false"), false);
        }
    }
    mOpenedEvent = Required(aEntry, u"openedevent", "'openedevent' not found.");
    const bool fade = aEntry->GetBool(LString(u"fadeonshow"), found);
    mFadeOnShow = found ? fade : true;
    const bool exit = aEntry->GetBool(LString(u"exittoscene"), found);
    mExitToScene = found && exit;
    mTriggerInterview = aEntry->GetString(LString(u"triggerinterview"), found);
    mInterviewPos = aEntry->GetVectorFloat(LString(u"interviewpos"), found);
    if (!found) {
        mInterviewPos = LVectorFloat();
    }
    GMOptions* options = GMOptions::GetInstance();
    const bool hint = options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY;
    LString queue = aEntry->GetString(LString(hint ? u"voiceovers.hint" : u"voiceovers.default"), found);
    if (!found) {
        queue = aEntry->GetString(LString(u"voiceover"), found);
    }
    mVoiceOvers = found ? SplitBars(queue) : LVectorString();
    LStateManager* states = LStateManager::Get();
    mStateListening = states != nullptr && states->AddListener(this, 0.0f);
    return true;
}

// --- Opening and closing --------------------------------------------------------------

void GMCloseUp::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || mTriggerState.IsEmpty() || !aState->GetId().EqualsNoCase(mTriggerState)) {
        return;
    }
    const bool on = GMStateReader::IsTrue(aState);
    if (on) {
        Open();
        return;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->GetTop() == this) {
        screens->PopFadeWhenIdle(this);
    }
}

void GMCloseUp::Open()
{
    // Set true again while opening, shown or covered: one push is all it takes.
    if (OnStack()) {
        return;
    }
    LStateManager* states = LStateManager::Get();
    if (states != nullptr) {
        states->Interrupt();
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (screens == nullptr) {
        return;
    }
    if (mFadeOnShow) {
        // Recorded before the push, so that the scene's hiding keeps its audio.
        if (scene != nullptr) {
            scene->SetCloseUp(this);
        }
        screens->PushFade(this);
        if (!OnStack()) {
            // Refused (a screen change under way): the scene is not left thinking it open.
            if (scene != nullptr && scene->GetCloseUp() == this) {
                scene->SetCloseUp(nullptr);
            }
            L_ERROR(LString("Close-up open failure: ") + mId);
        }
        return;
    }
    if (scene != nullptr) {
        if (GMCloseUp* shown = scene->GetCloseUp(); shown != nullptr && shown != this) {
            shown->Unload();
            screens->RemoveScreen(shown);
        }
        scene->SetCloseUp(this);
    }
    screens->PushScreen(this);
    OnShow();
    if (states != nullptr) {
        states->Interrupt();
    }
}

void GMCloseUp::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED || !aId.EqualsNoCase(LString(kBackButtonId))) {
        return;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || screens->GetTop() != this || screens->IsBusy()) {
        return;
    }
    LMouse* mouse = LMouse::Get();
    if (mVoice != nullptr) {
        const LString cut = mSoundId;
        DeleteSound();
        if (LEventManager* events = LEventManager::Get()) {
            events->AddEvent(LString(u"evt_") + cut + u"_sounddone", true);
        }
        if (cut.EqualsNoCase(LString(kStayOpenVoiceOver))) {
            mVoiceOvers = LVectorString();
            if (mouse != nullptr) {
                mouse->Interrupt();
            }
            return;
        }
    }
    if (mouse != nullptr) {
        mouse->Interrupt();
    }
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->RefreshCharacters();
    }
    // The button belongs to the display the closing deletes: the screen change waits
    // until the click has left it.
    mDeferred.Post([this] { Close(); });
}

void GMCloseUp::Close()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || screens->GetTop() != this) {
        return;
    }
    // The click's step has waited a frame: a change begun meanwhile is waited for too.
    if (screens->IsBusy()) {
        screens->WhenIdle(this, [this] { Close(); });
        return;
    }
    GMIScreen* popped = nullptr;
    if (!mExitToScene) {
        screens->PopFade(&popped);
        return;
    }
    GMScene* scene = GMSceneManager::GetCurrentScene();
    screens->Clear();
    if (scene != nullptr) {
        screens->PushScreen(scene);
    }
    screens->PushScreen(this);
    screens->PopFade(&popped);
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
}

// --- Showing and hiding ---------------------------------------------------------------

void GMCloseUp::OnShow()
{
    if (mShown) {
        return;
    }
    mShown = true;
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (scene != nullptr) {
        scene->StartAudio();
        scene->SetCloseUp(this);
    }
    BuildDisplay(scene);
    StartMovies(scene);
    BuildBackButton();
    if (scene != nullptr) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    CreateHotspots();
    LEventManager* events = LEventManager::Get();
    const bool opened = events != nullptr && !mOpenedEvent.IsEmpty() && events->IsRaised(mOpenedEvent);
    if (!opened && mVoiceOvers.GetCount() > 0) {
        PlayNext();
    }
    if (events != nullptr && !mOpenedEvent.IsEmpty() && !opened) {
        events->AddEvent(mOpenedEvent, true);
    }
    if (!mTriggerState.IsEmpty()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(mTriggerState, LString(u"true"), false);
        }
    }
    SetHotspotsEnabled(true);
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetVisible(true);
    }
}

void GMCloseUp::BuildDisplay(GMScene* aScene)
{
    DeleteDisplay();
    {
        GMTextureRoot root(aScene != nullptr ? aScene->GetFolder() : LString());
        auto* data = const_cast<LPropertyList*>(mDisplayGroupData);
        mDisplayGroup = data != nullptr ? LLayoutBuilder::BuildGroup(data, true) : nullptr;
    }
    if (mDisplayGroup == nullptr) {
        // The back button, movies and hotspots still need a group to live in.
        mDisplayGroup = L_NEW LDisplayGroup();
        if (mDisplayGroup == nullptr) {
            return;
        }
        mDisplayGroup->SetId(mId);
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(mDisplayGroup)) {
        L_ERROR(LString("Close-up display failure: ") + mId);
    }
}

void GMCloseUp::StartMovies(GMScene* aScene)
{
    const LPropertyList* anims = mEntry != nullptr ? mEntry->GetList(LString(u"anims")) : nullptr;
    LIMovieManager* movies = anims != nullptr ? LIMovieManager::Get() : nullptr;
    if (movies == nullptr || mDisplayGroup == nullptr) {
        return;
    }
    LIFileSystem* files = LIFileSystem::Get();
    for (int i = 0; i < anims->GetCount(); ++i) {
        const LPropertyList* anim = anims->GetListAt(i);
        if (anim == nullptr) {
            continue;
        }
        bool found = false;
        const LString id = anim->GetString(LString(u"id"), found);
        const LString movie = anim->GetString(LString(u"movie"), found);
        if (!found || movie.IsEmpty()) {
            L_ERROR(LString("Close-up movie not named: ") + mId);
            continue;
        }
        const LVectorFloat position = anim->GetVectorFloat(LString(u"position"), found);
        const LString own = (aScene != nullptr ? aScene->GetFolder() : LString()) + movie;
        LIMoviePlayer* player = nullptr;
        if (files != nullptr && files->PathExists(own, true)) {
            player = movies->CreateFullScreenMovie(id, own);
        }
        if (player == nullptr) {
            player = movies->CreateFullScreenMovie(id, LString(u"//dataroot/movies/") + movie);
        }
        if (player == nullptr) {
            // A movie that cannot be opened is left out; the close-up opens without it.
            L_ERROR(LString("Close-up movie skipped: ") + movie);
            continue;
        }
        if (found && position.GetCount() >= 2) {
            player->SetPosition(position[0], position[1]);
        }
        if (!mDisplayGroup->AddMember(player, true)) {
            L_ERROR(LString("Close-up movie skipped: ") + movie);
            delete player;
            continue;
        }
        player->Play();
    }
}

void GMCloseUp::BuildBackButton()
{
    if (mDisplayGroup == nullptr) {
        return;
    }
    LPropertyList layout;
    GMTextureRoot root{LString(kBackButtonRoot)};
    if (!layout.Load(LString(kBackButtonLayout), true)) {
        L_ERROR("Button layout file not found.");
        return;
    }
    LPropertyList* entry = layout.GetList(LString(kBackButtonId));
    LButton* button = entry != nullptr ? LLayoutBuilder::BuildButton(entry, this) : nullptr;
    if (button == nullptr || !mDisplayGroup->AddMember(button, true)) {
        L_ERROR("Button build failure.");
        delete button;
    }
}

void GMCloseUp::OnLeave()
{
    if (mDisplayGroup != nullptr) {
        mDisplayGroup->SetEnabled(false);
    }
    SetHotspotsEnabled(false);
}

void GMCloseUp::OnHidden()
{
    GMScene* scene = Detach();
    DeleteDisplay();
    RemoveHotspots();
    mShown = false;
    if (!mTriggerState.IsEmpty()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(mTriggerState, LString(u"false"), false);
        }
    }
    if (mTriggerInterview.IsEmpty() || mFrameListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    mInterviewDue = LITimer::Now() + kInterviewDelay;
    if (scene != nullptr) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
    if (!mFrameListening) {
        GiveInputBack(scene, LString("Close-up interview failure. No frames: ") + mTriggerInterview);
    }
}

void GMCloseUp::Unload()
{
    Detach();
    RemoveHotspots();
    DeleteDisplay();
    mShown = false;
}

GMScene* GMCloseUp::Detach()
{
    mDeferred.Cancel();
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (scene != nullptr && scene->GetCloseUp() == this) {
        scene->SetCloseUp(nullptr);
    }
    if (mTriggerInterview.IsEmpty()) {
        if (GMSubtitle* strip = GMSubtitle::GetInstance()) {
            strip->FadeOut();
        }
    }
    DeleteSound();
    return scene;
}

void GMCloseUp::DeleteDisplay()
{
    if (mDisplayGroup == nullptr) {
        return;
    }
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->RemoveMember(mDisplayGroup);
    }
    delete mDisplayGroup;
    mDisplayGroup = nullptr;
}

// --- Voice-overs ----------------------------------------------------------------------

void GMCloseUp::PlayNext()
{
    if (mVoiceOvers.GetCount() < 1) {
        return;
    }
    const LString id = mVoiceOvers.GetRef(0);
    mVoiceOvers.RemoveAt(0);
    DeleteSound();
    const bool ogg = EndsWithOgg(id);
    const LString file = LString(u"//sounds/") + id + (ogg ? LString() : LString(u".ogg"));
    mVoice = L_NEW GMVoicedLine(this);
    if (mVoice == nullptr) {
        return;
    }
    mVoice->SetStream(LString(kSoundName), file);
    bool found = false;
    const LString subtitle = GMVoicedLine::VoiceOverText(ogg ? id.Mid(0, id.GetLength() - 4, 0) : id, found);
    mVoice->SetSubtitle(subtitle, found, GMVoicedLine::VoiceOverFont());
    if (!mVoice->Play()) {
        DeleteSound();
        return;
    }
    mSoundId = id;
}

LISoundPlayer* GMCloseUp::GetSound() const
{
    return mVoice != nullptr ? mVoice->GetSound() : nullptr;
}

void GMCloseUp::OnLineEnded(GMVoicedLine*)
{
    const LString done = mSoundId;
    // Deleted from inside its own end notice: the line touches nothing of itself after
    // telling its listener.
    DeleteSound();
    if (LEventManager* events = LEventManager::Get()) {
        events->AddEvent(LString(u"evt_") + done + u"_sounddone", true);
    }
    PlayNext();
}

void GMCloseUp::DeleteSound()
{
    delete mVoice;
    mVoice = nullptr;
    mSoundId = LString();
}

// --- Hotspots -------------------------------------------------------------------------

GMHotspot* GMCloseUp::GetHotspot(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetHotspotCount() ? mHotspots[static_cast<size_t>(aIndex)] : nullptr;
}

GMHotspot* GMCloseUp::FindHotspot(const LString& aId) const
{
    for (GMHotspot* hotspot : mHotspots) {
        if (hotspot->GetId() == aId) {
            return hotspot;
        }
    }
    return nullptr;
}

bool GMCloseUp::AddHotspot(GMHotspot* aHotspot)
{
    if (aHotspot == nullptr) {
        L_ERROR("AddHotspot failure. NULL arg.");
        return false;
    }
    if (FindHotspot(aHotspot->GetId()) != nullptr) {
        L_ERROR("AddHotspot failure. Duplicate found.");
        return false;
    }
    mHotspots.push_back(aHotspot);
    return true;
}

void GMCloseUp::RemoveHotspots()
{
    std::vector<GMHotspot*> hotspots;
    hotspots.swap(mHotspots);
    for (GMHotspot* hotspot : hotspots) {
        delete hotspot;
    }
}

bool GMCloseUp::CreateHotspots()
{
    RemoveHotspots();
    bool ok = true;
    for (int i = 0; mHotspotData != nullptr && i < mHotspotData->GetCount(); ++i) {
        GMHotspot* hotspot = GMHotspot::Create(mHotspotData->GetListAt(i));
        if (hotspot != nullptr) {
            hotspot->SetInputEnabled(false);
            hotspot->SetInCloseUp(true);
        }
        if (!AddHotspot(hotspot)) {
            delete hotspot;
            ok = false;
        }
    }
    return ok;
}

void GMCloseUp::SetHotspotsEnabled(bool aEnabled)
{
    for (GMHotspot* hotspot : mHotspots) {
        hotspot->SetInputEnabled(aEnabled);
    }
}

void GMCloseUp::Refresh()
{
    LVector2 at;
    LMouse* mouse = LMouse::Get();
    if (mouse != nullptr) {
        mouse->GetPosition(at);
    }
    // Walked by index, read afresh each step: an update may add to the list.
    for (size_t i = 0; i < mHotspots.size(); ++i) {
        GMHotspot* hotspot = mHotspots[i];
        hotspot->UpdateActive();
        if (hotspot->IsActive() && mouse != nullptr) {
            hotspot->OnMove(at);
        }
    }
}

// --- The delayed interview ------------------------------------------------------------

void GMCloseUp::StopFrames()
{
    if (!mFrameListening) {
        return;
    }
    mFrameListening = false;
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
}

void GMCloseUp::OnFrame()
{
    if (!mFrameListening) {
        return;
    }
    GMScene* scene = GMSceneManager::GetCurrentScene();
    LITimer* timer = LITimer::Get();
    if (timer != nullptr && timer->GetTime() <= mInterviewDue) {
        // The scene's own showing gave it its input back: the wait keeps it off.
        if (scene != nullptr) {
            scene->SetInputEnabled(false);
            scene->SetHotspotsEnabled(false);
        }
        return;
    }
    StopFrames();
    StartInterview();
}

void GMCloseUp::StartInterview()
{
    GMScene* scene = GMSceneManager::GetCurrentScene();
    const LVectorString parts = SplitBars(mTriggerInterview);
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    if (parts.GetCount() < 1 || interviews == nullptr) {
        GiveInputBack(scene, LString("Close-up interview failure. No interview: ") + mTriggerInterview);
        return;
    }
    const LString& interviewId = parts.GetRef(0);
    GMInterview* interview = interviews->SelectInterview(interviewId);
    if (interview == nullptr) {
        GiveInputBack(scene, LString("Close-up interview failure. Not selected: ") + interviewId);
        return;
    }
    if (mInterviewPos.GetCount() == 2) {
        interview->SetInterviewPosition(LVector2(mInterviewPos[0], mInterviewPos[1]));
    }
    if (scene == nullptr) {
        L_ERROR(LString("Close-up interview failure. No scene: ") + interviewId);
        return;
    }
    scene->SetInputEnabled(false);
    if (parts.GetCount() < 2) {
        if (!scene->StartInterview()) {
            GiveInputBack(scene, LString("Close-up interview failure. Not started: ") + interviewId);
        }
        return;
    }
    // A second part asks for the start through the hotspot that holds this interview.
    GMHotspot* hotspot = InterviewHotspot(scene, interviewId);
    if (hotspot == nullptr) {
        GiveInputBack(scene, LString("Close-up interview failure. No interview hotspot: ") + interviewId);
        return;
    }
    // The hotspot's talk gives the scene its input back itself when the start fails.
    hotspot->OnTalk();
}

void GMCloseUp::GiveInputBack(GMScene* aScene, const LString& aWhy)
{
    L_ERROR(aWhy);
    if (aScene != nullptr) {
        aScene->SetInputEnabled(true);
        aScene->SetHotspotsEnabled(true);
    }
}
