#include "ui/GMCutScenePlayer.h"

#include "GMScreenManager.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayManager.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "Video/LIMovieManager.h"
#include "Video/LIMoviePlayer.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "menu/GMCaseTable.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMPlacard.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "ui/GMICutSceneListener.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMMovieDisposal.h"
#include "util/GMOptions.h"

namespace {

GMSingleton<GMCutScenePlayer> sPlayer;

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

void Append(LVectorString& aList, const LVectorString& aMore)
{
    for (int i = 0; i < aMore.GetCount(); ++i) {
        aList.Add(aMore.GetRef(i));
    }
}

// Whether a change of screen is running: a movie's end waits for it, so that the fades of
// the player and of the screen manager never cross.
bool ScreenChangeRunning()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    return screens != nullptr && screens->IsBusy();
}

} // namespace

GMCutScenePlayer* GMCutScenePlayer::GetInstance()
{
    const bool made = sPlayer.Peek() == nullptr && !sPlayer.IsDestroyed();
    GMCutScenePlayer* player = sPlayer.Get(L_FILE, __LINE__, "GMCutScenePlayer creation failure.");
    if (made && player != nullptr) {
        if (LStateManager* states = LStateManager::Get()) {
            states->AddListener(player, 0.0f);
        }
        if (LEventManager* events = LEventManager::Get()) {
            events->AddListener(player, 0.0f);
        }
    }
    return player;
}

GMCutScenePlayer* GMCutScenePlayer::Peek()
{
    return sPlayer.Peek();
}

GMCutScenePlayer::GMCutScenePlayer()
{
    LoadTables();
}

GMCutScenePlayer::~GMCutScenePlayer()
{
    sPlayer.Destroyed(this);
    if (LStateManager* states = LStateManager::Get()) {
        states->RemoveListener(this);
    }
    if (LEventManager* events = LEventManager::Get()) {
        events->RemoveListener(this);
    }
    LeaveFrames();
    LeaveKeyboard();
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(this);
        mouse->RemoveListener(this);
    }
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    if (mPhase != PHASE_IDLE || mPushed || mPushPending) {
        if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
            screens->RemoveScreen(this);
        }
    }
    DeleteMovie();
    delete mHandedOver;
    mHandedOver = nullptr;
    mEndListener = nullptr;
    ClearSubtitles();
    ClearTables();
}

LString GMCutScenePlayer::Dump() const
{
    return DumpHead("GMCutScenePlayer") + "]";
}

// --- the callers' protocol --------------------------------------------------------------

void GMCutScenePlayer::SetTarget(const LString& aScene, const LString& aViewpoint)
{
    mTargetScene = aScene;
    mTargetViewpoint = aViewpoint;
}

void GMCutScenePlayer::SetDoneEvents(const LVectorString& aEvents)
{
    mDoneEvents = aEvents;
}

void GMCutScenePlayer::SetStateChanges(const LVectorString& aChanges)
{
    mStateChanges = aChanges;
}

void GMCutScenePlayer::AddDoneEvents(const LVectorString& aEvents)
{
    Append(mDoneEvents, aEvents);
}

void GMCutScenePlayer::AddStateChanges(const LVectorString& aChanges)
{
    Append(mStateChanges, aChanges);
}

void GMCutScenePlayer::SetHandedOver(LBase* aObject)
{
    if (aObject == nullptr || aObject == mHandedOver) {
        return;
    }
    delete mHandedOver;
    mHandedOver = aObject;
}

void GMCutScenePlayer::SetDeferredLoad(bool aDeferred)
{
    mDeferredLoad = aDeferred;
}

void GMCutScenePlayer::SetEndListener(GMICutSceneListener* aListener)
{
    mEndListener = aListener;
}

void GMCutScenePlayer::RemoveEndListener(GMICutSceneListener* aListener)
{
    if (mEndListener == aListener) {
        mEndListener = nullptr;
    }
}

void GMCutScenePlayer::Play(const LString& aMovie)
{
    if (GMSubtitle* strip = GMSubtitle::GetInstance()) {
        strip->SetPosition(0.0f, kSubtitleY);
    }
    mQueue.InsertAt(0, aMovie);
    PushScreen();
}

void GMCutScenePlayer::PlayList(const LVectorString& aMovies)
{
    if (GMSubtitle* strip = GMSubtitle::GetInstance()) {
        strip->SetPosition(0.0f, kSubtitleY);
    }
    mQueue = aMovies;
    PushScreen();
}

void GMCutScenePlayer::PushScreen()
{
    // Shown already, or on its way: the queue plays on.
    if (mPhase != PHASE_IDLE || mPushed || mPushPending) {
        return;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr) {
        L_ERROR("Play failure. No screen manager.");
        mQueue.RemoveAll();
        return;
    }
    mPushed = true;
    if (!screens->PushFade(this)) {
        // Another change of screen runs (the fade of the cut scene that has just ended,
        // say): the push is tried again each frame.
        mPushed = false;
        mPushPending = true;
        JoinFrames();
    }
}

// --- showing ----------------------------------------------------------------------------

void GMCutScenePlayer::OnLeave()
{
}

void GMCutScenePlayer::OnShow()
{
    mPushed = false;
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(false);
        if (GMPDA* pda = GMPDA::GetInstance()) {
            pda->Close();
        }
        if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
            bar->Hide();
        }
    }
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString());
    }
    mPhase = PHASE_MOVIE;
    StartNextMovie(0.0f);
    mKeyArmTime = Now() + kKeyArmDelay;
    JoinFrames();
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
    }
    if (cursor != nullptr) {
        cursor->SetVisible(false);
    }
}

void GMCutScenePlayer::StartNextMovie(float aRelativeZ)
{
    DeleteMovie();
    mMovieDone = false;
    mEndedEarly = false;
    if (mQueue.GetCount() == 0) {
        // Nothing to show: the cut scene ends at the next frame.
        L_WARNING("Play failure. No movie queued.");
        ClearSubtitles();
        mMovieDone = true;
        return;
    }
    const LString name = mQueue.GetRef(0);
    mQueue.RemoveAt(0);
    LIMovieManager* movies = LIMovieManager::Get();
    const LString path = "//dataroot/movies/" + name;
    mMovie = movies != nullptr ? movies->CreateFullScreenMovie(LString("cutScene"), path) : nullptr;
    if (mMovie == nullptr) {
        // Counts as a movie that has just ended.
        L_ERROR("Play failure. Movie not opened: " + name);
        ClearSubtitles();
        mMovieDone = true;
        return;
    }
    mMovie->SetListener(this);
    mMovie->SetRelativeZ(aRelativeZ);
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->AddMember(mMovie);
    }
    GMOptions* options = GMOptions::GetInstance();
    mMovie->SetVolume(options != nullptr ? options->mVolume : 1.0f);
    mMovie->SetPosition(static_cast<float>((kScreenWidth - mMovie->GetWidth()) / 2),
                        static_cast<float>((kScreenHeight - mMovie->GetHeight()) / 2));
    if (options == nullptr || options->GetToggle(0) == 0) {
        SetUpSubtitles(name);
    } else {
        ClearSubtitles();
    }
    mMovie->Play();
}

void GMCutScenePlayer::DeleteMovie()
{
    GMMovieDisposal::Dispose(mMovie, this);
}

void GMCutScenePlayer::OnHidden()
{
    ReleaseInput();
    DeleteMovie();
    ClearSubtitles();
    if (!mPushPending) {
        // A Play refused while this screen faded away keeps its movie for its own turn.
        mQueue.RemoveAll();
        LeaveFrames();
    }
    if (mPhase != PHASE_IDLE) {
        // Taken off the screen while a movie was shown: nothing follows.
        mPhase = PHASE_IDLE;
        if (GMScreenFader* fader = GMScreenFader::Peek()) {
            fader->RemoveListener(this);
        }
    }
}

// --- per frame, keys, the movie's end ---------------------------------------------------

void GMCutScenePlayer::OnFrame()
{
    if (mPushPending) {
        GMScreenManager* screens = GMScreenManager::GetInstance();
        if (screens != nullptr && !screens->IsBusy()) {
            mPushPending = false;
            PushScreen();
        }
        if (mPhase == PHASE_IDLE && !mPushPending && !mPushed) {
            LeaveFrames();
        }
    }
    if (mPhase != PHASE_MOVIE) {
        return;
    }
    const double now = Now();
    if (mKeyArmTime >= 0.0 && now > mKeyArmTime) {
        mKeyArmTime = -1.0;
        if (LKeyboard* keyboard = LKeyboard::Get(); keyboard != nullptr && !mInKeyboard) {
            mInKeyboard = keyboard->AddListener(this, 0.0f);
        }
    }
    ShowDueSubtitle(now);
    if (mMovie != nullptr && !mEndedEarly && !mMovieDone) {
        // Unsigned counts: only a movie of more than ten frames is cut short.
        const unsigned count = mMovie->GetFrameCount();
        if (count > kEarlyEndFrames && mMovie->GetCurrentFrame() > count - kEarlyEndFrames) {
            mEndedEarly = true;
            mMovie->Pause();
            mMovieDone = true;
        }
    }
    if (mMovieDone && !ScreenChangeRunning()) {
        mMovieDone = false;
        EndMovie();
    }
}

void GMCutScenePlayer::OnKeyDown(int)
{
}

void GMCutScenePlayer::OnKeyUp(int aKey)
{
    if (aKey != kSpaceKey || mPhase == PHASE_IDLE) {
        return;
    }
    LeaveKeyboard();
    if (mMovie != nullptr) {
        mMovie->Pause();
    }
    mQueue.RemoveAll();
    mMovieDone = true;
}

void GMCutScenePlayer::OnMovieEnded(LString)
{
    if (mPhase == PHASE_MOVIE && mMovie != nullptr) {
        mMovieDone = true;
    }
}

void GMCutScenePlayer::OnButtonDown(int)
{
}

void GMCutScenePlayer::OnMove(const LVector2& aPosition)
{
    // The mouse is held here, so neither cursor hears it: both are hidden, but follow the
    // mouse for the moment they show again, where the next click lands.
    if (LCursor* engineCursor = LCursor::Get()) {
        engineCursor->OnMove(aPosition);
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->OnMove(aPosition);
    }
}

void GMCutScenePlayer::OnButtonUp(int)
{
}

// --- the end of a movie and of the cut scene --------------------------------------------

void GMCutScenePlayer::EndMovie()
{
    if (mQueue.GetCount() == 0) {
        EndCutScene();
        return;
    }
    if (GMSubtitle* strip = GMSubtitle::GetInstance()) {
        strip->Hide();
    }
    mPhase = PHASE_NEXT;
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (fader == nullptr || !fader->SetListener(this) || !fader->FadeOut()) {
        L_ERROR("FadeOut failure. The next movie starts at once.");
        if (fader != nullptr) {
            fader->RemoveListener(this);
        }
        mPhase = PHASE_MOVIE;
        StartNextMovie(kNextMovieZ);
    }
}

void GMCutScenePlayer::EndCutScene()
{
    LeaveFrames();
    ReleaseInput();
    if (GMSubtitle* strip = GMSubtitle::GetInstance()) {
        strip->Hide();
    }
    if (Names(mTargetScene)) {
        mPhase = PHASE_TARGET;
        GMScreenFader* fader = GMScreenFader::GetInstance();
        if (fader != nullptr && fader->SetListener(this) && fader->FadeOut()) {
            return;
        }
        L_ERROR("FadeOut failure. The target scene loads at once.");
        if (fader != nullptr) {
            fader->RemoveListener(this);
        }
        mPhase = PHASE_IDLE;
        LoadTarget();
        return;
    }
    // The viewpoint changes while the movie still covers the scene; the pop then reveals
    // it with the screen manager's own fade.
    if (Names(mTargetViewpoint)) {
        if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
            scene->SetViewpoint(mTargetViewpoint);
        }
    }
    mPhase = PHASE_IDLE;
    // A movie skipped while the cut scene still fades in: the pop waits for that change.
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || !screens->PopFadeWhenIdle(this)) {
        L_ERROR("PopFade failure. The cut scene stays on the screen.");
    }
    WrapUp();
}

void GMCutScenePlayer::OnFade(int aEvent)
{
    if (aEvent != LFader::kFinished) {
        return;
    }
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    if (mPhase == PHASE_NEXT) {
        mPhase = PHASE_MOVIE;
        StartNextMovie(kNextMovieZ);
        if (GMScreenFader* fader = GMScreenFader::Peek()) {
            fader->FadeIn();
        }
    } else if (mPhase == PHASE_TARGET) {
        mPhase = PHASE_IDLE;
        LoadTarget();
    }
}

void GMCutScenePlayer::LoadTarget()
{
    DeleteMovie();
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->Clear();
    }
    bool immediate = !mDeferredLoad;
    const int selected = GMCaseTable::SelectedCase();
    if (selected == 0) {
        immediate = false;
    }
    const LString scene = mTargetScene;
    const LString viewpoint = mTargetViewpoint;
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    // A location entered for the first time shows its card first, which loads it later:
    // the viewpoint goes with the card, and the card fades in by itself.
    bool carded = false;
    if (scenes == nullptr || !scenes->LoadScene(scene, immediate, false)) {
        L_ERROR("LoadScene failure. Target scene not loaded: " + scene);
    } else if (GMPlacard* card = GMPlacard::Peek(); card != nullptr && card->IsPending() && card->GetSceneId() == scene) {
        carded = true;
        if (Names(viewpoint)) {
            card->SetViewpoint(viewpoint);
        }
    } else if (Names(viewpoint) && scenes->GetScene() != nullptr) {
        scenes->GetScene()->SetViewpoint(viewpoint);
    }
    mTargetScene.Clear();
    mTargetViewpoint.Clear();
    if (selected == 0) {
        // No case yet: the case selection opens over the loaded scene.
        LStateManager* states = LStateManager::Get();
        auto* opened = L_NEW LIState();
        const unsigned char on = 1;
        if (states == nullptr || opened == nullptr ||
            !opened->Set(LString("sta_caseselection_active"), LIState::TYPE_BOOLEAN, &on) ||
            !states->AddState(opened, true, true)) {
            L_ERROR("AddState failure. sta_caseselection_active");
            delete opened;
        }
    }
    WrapUp();
    if (immediate && !carded) {
        if (GMScreenFader* fader = GMScreenFader::GetInstance()) {
            fader->FadeIn();
        }
    }
    // A movie asked for while the picture faded to the target plays now, over it.
    if (mQueue.GetCount() > 0) {
        PushScreen();
    }
    GMSceneManager::ShowMenuWhenNoScreenIsLeft(scene);
}

void GMCutScenePlayer::WrapUp()
{
    // Taken first: what the events and states start (another cut scene) sets its own.
    const LVectorString events = mDoneEvents;
    const LVectorString changes = mStateChanges;
    LBase* handedOver = mHandedOver;
    GMICutSceneListener* listener = mEndListener;
    mDoneEvents.RemoveAll();
    mStateChanges.RemoveAll();
    mHandedOver = nullptr;
    mEndListener = nullptr;
    mDeferredLoad = false;
    mTargetScene.Clear();
    mTargetViewpoint.Clear();

    if (LEventManager* eventManager = LEventManager::Get()) {
        for (int i = 0; i < events.GetCount(); ++i) {
            if (!eventManager->IsRaised(events.GetRef(i))) {
                eventManager->AddEvent(events.GetRef(i), true);
            }
        }
    }
    if (LStateManager* states = LStateManager::Get()) {
        const int whole = changes.GetCount() - changes.GetCount() % 3;
        for (int i = 0; i < whole; i += 3) {
            const LString& id = changes.GetRef(i);
            // A missing state is made quietly first, so that its listeners hear of the
            // change once.
            if (!states->HasState(id)) {
                states->SetState(id, changes.GetRef(i + 1), changes.GetRef(i + 2), false);
            }
            states->SetState(id, changes.GetRef(i + 2), true);
        }
        if (whole != changes.GetCount()) {
            L_ASSERT_FAILURE("Invalid state changes. An incomplete triple is left out.");
        }
    }
    delete handedOver;
    if (listener != nullptr) {
        listener->OnCutSceneDone();
    }
}

// --- helpers ----------------------------------------------------------------------------

void GMCutScenePlayer::JoinFrames()
{
    LFrameManager* frames = LFrameManager::Get();
    if (!mInFrames && frames != nullptr) {
        mInFrames = frames->AddListener(this, 0.0f) != 0;
    }
}

void GMCutScenePlayer::LeaveFrames()
{
    LFrameManager* frames = LFrameManager::Get();
    if (mInFrames && frames != nullptr) {
        frames->RemoveListener(this);
    }
    mInFrames = false;
}

void GMCutScenePlayer::LeaveKeyboard()
{
    LKeyboard* keyboard = LKeyboard::Get();
    if (mInKeyboard && keyboard != nullptr) {
        keyboard->RemoveListener(this);
    }
    mInKeyboard = false;
    mKeyArmTime = -1.0;
}

void GMCutScenePlayer::ReleaseInput()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(this);
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetVisible(true);
    }
    LeaveKeyboard();
}

double GMCutScenePlayer::Now()
{
    return LITimer::Now();
}

bool GMCutScenePlayer::Names(const LString& aValue)
{
    return !aValue.IsEmpty() && aValue != LString("-");
}
