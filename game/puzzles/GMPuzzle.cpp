#include "puzzles/GMPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFader.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LMouse.h"
#include "Gdi/LSprite.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "interview/GMVoicedLine.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"
#include "util/GMStateReader.h"
#include "util/GMTextureRoot.h"

#include <utility>

namespace {

LString Text(const char* aText)
{
    return aText != nullptr ? LString(aText) : LString();
}

} // namespace

GMPuzzle::GMPuzzle(const GMPuzzleSetup& aSetup) : mSetup(aSetup)
{
}

GMPuzzle::~GMPuzzle()
{
    mDeferred.Cancel();
    if (mStateListening) {
        if (LStateManager* states = LStateManager::Get()) {
            states->RemoveListener(this);
        }
    }
    if (mFading) {
        if (GMScreenFader* fader = GMScreenFader::GetInstance()) {
            fader->RemoveListener(this);
        }
    }
    DeleteSound();
    DeleteDisplay();
}

LString GMPuzzle::Dump() const
{
    return DumpHead(mSetup.mClassName != nullptr ? mSetup.mClassName : "GMPuzzle") + "]";
}

void GMPuzzle::Register()
{
    LStateManager* states = LStateManager::Get();
    mStateListening = states != nullptr && states->AddListener(this, 0.0f);
}

void GMPuzzle::Shutdown()
{
    if (mShown) {
        OnHidden();
    }
}

bool GMPuzzle::IsTopScreen()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    return screens != nullptr && screens->GetTop() == this;
}

// --- Opening and closing -------------------------------------------------------------

void GMPuzzle::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || mSetup.mActiveState == nullptr || !(aState->GetId() == LString(mSetup.mActiveState))) {
        return;
    }
    const bool on = GMStateReader::IsTrue(aState);
    if (on) {
        Open();
    } else {
        OnClosedByState();
    }
}

bool GMPuzzle::Open()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr) {
        return false;
    }
    // Set true again while open: a second push would hide and show the puzzle over itself.
    if (screens->IndexOf(this) >= 0) {
        return false;
    }
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetKeepAudio(true);
    }
    return screens->PushFade(this);
}

void GMPuzzle::OnClosedByState()
{
    PopIfTop();
}

bool GMPuzzle::PopIfTop()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || screens->GetTop() != this) {
        return false;
    }
    // A close asked for during a change of screen (a voice that ends while the puzzle
    // still fades in) waits for it: the puzzle has given up its input by then.
    return screens->PopFadeWhenIdle(this);
}

bool GMPuzzle::PopIfTopAndInterrupt()
{
    const bool popped = PopIfTop();
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
    return popped;
}

bool GMPuzzle::CloseByFader()
{
    if (!mShown || mFading) {
        return false;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (screens == nullptr || fader == nullptr) {
        return false;
    }
    // Taking the fader from the screen manager in the middle of its change would leave it
    // busy for good: the close waits for the change to end.
    if (screens->IsBusy()) {
        return screens->WhenIdle(this, [this] { CloseByFader(); });
    }
    mFading = true;
    bool ok = fader->SetListener(this);
    ok = fader->FadeOut() && ok;
    return ok;
}

void GMPuzzle::OnFade(int aEvent)
{
    if (!mFading || aEvent == LFader::kStarted) {
        return;
    }
    mFading = false;
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    if (aEvent != LFader::kFinished) {
        return;
    }
    OnHidden();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr) {
        screens->RemoveScreen(this);
        if (GMIScreen* top = screens->GetTop()) {
            top->OnShow();
        }
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

void GMPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent == XBTNEVENT_CLICKED && aId.EqualsNoCase(LString(kBackButtonId))) {
        PopIfTop();
    }
}

// --- Showing and hiding --------------------------------------------------------------

void GMPuzzle::OnLeave()
{
}

void GMPuzzle::OnShow()
{
    if (mShown) {
        return;
    }
    Build();
    mShown = true;
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr && mSetup.mSetsCursor) {
        if (mSetup.mSetsDefaultCursor) {
            cursor->SetDefaultCursor(mSetup.mCursor);
            cursor->ReleaseCursor(LString());
        } else {
            cursor->SetCursor(mSetup.mCursor, Text(mSetup.mCursorOwner));
        }
    }
    if (mSetup.mHidesBar) {
        if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
            bar->Hide();
        }
    }
    PlayIntroVoice();
}

void GMPuzzle::Build()
{
    mSolved = false;
    {
        GMTextureRoot root(Text(mSetup.mTextureRoot));
        mLayout = L_NEW LPropertyList();
        if (mLayout == nullptr || !mLayout->Load(Text(mSetup.mLayoutFile), true)) {
            if (mSetup.mLoadFailure != nullptr) {
                L_ERROR(mSetup.mLoadFailure);
            } else {
                L_ASSERT_FAILURE(LString());
            }
            // Nothing is read from a layout that did not load.
            delete mLayout;
            mLayout = nullptr;
        }
        mRoot = BuildRoot();
        if (mRoot != nullptr) {
            BuildPieces();
        }
    }
    LPropertyList* back =
        mLayout != nullptr && mSetup.mBackButtonKey != nullptr ? mLayout->GetList(LString(mSetup.mBackButtonKey)) : nullptr;
    LButton* button = back != nullptr ? LLayoutBuilder::BuildButton(back, this) : nullptr;
    if (button != nullptr && mSetup.mSetsBackButtonZ) {
        button->SetRelativeZ(mSetup.mBackButtonZ);
    }
    if (button != nullptr && (mRoot == nullptr || !mRoot->AddMember(button, true))) {
        L_ASSERT_FAILURE(LString());
        delete button;
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (mRoot != nullptr && (display == nullptr || !display->AddMember(mRoot))) {
        L_ASSERT_FAILURE(LString());
    }
    OnBuilt();
}

LDisplayGroup* GMPuzzle::BuildRoot()
{
    LPropertyList* background = mLayout != nullptr && mSetup.mBackgroundKey != nullptr
                                    ? mLayout->GetList(LString(mSetup.mBackgroundKey))
                                    : nullptr;
    if (mSetup.mRootGroup == nullptr) {
        LDisplayGroup* root = background != nullptr ? LLayoutBuilder::BuildGroup(background, true) : nullptr;
        if (root == nullptr) {
            // The puzzle's objects still need a group to live in.
            L_ASSERT_FAILURE(LString());
            root = L_NEW LDisplayGroup();
            if (root != nullptr) {
                root->SetId(Text(mSetup.mClassName));
            }
        }
        return root;
    }
    auto* root = L_NEW LDisplayGroup();
    if (root == nullptr) {
        L_ASSERT_FAILURE(LString());
        return nullptr;
    }
    root->SetId(LString(mSetup.mRootGroup));
    root->SetRelativeZ(mSetup.mRootZ);
    if (background == nullptr) {
        return root;
    }
    if (mSetup.mBackgroundIsGroups) {
        if (!LLayoutBuilder::BuildGroups(background, root)) {
            L_ASSERT_FAILURE(LString());
        }
        return root;
    }
    LIDisplayObject* made = mSetup.mBackgroundIsSprite
                                ? static_cast<LIDisplayObject*>(LLayoutBuilder::BuildSprite(background))
                                : static_cast<LIDisplayObject*>(LLayoutBuilder::BuildGroup(background, true));
    if (made != nullptr && !root->AddMember(made, true)) {
        L_ASSERT_FAILURE(LString());
        delete made;
    }
    return root;
}

void GMPuzzle::OnHidden()
{
    if (!mShown) {
        return;
    }
    ReleaseInput();
    if (mSetup.mFadeSubtitleOnHide) {
        FadeSubtitle();
    }
    if (mSetup.mDeleteSoundOnHide) {
        DeleteSound();
    }
    DeletePieces();
    DeleteDisplay();
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr && mSetup.mReleasesCursor) {
        if (mSetup.mSetsDefaultCursor) {
            cursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
        }
        cursor->ReleaseCursor(LString());
    }
    if (mSetup.mHidesBar) {
        if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
            bar->Show();
        }
    }
    mShown = false;
}

void GMPuzzle::DeleteDisplay()
{
    if (mRoot != nullptr) {
        if (LDisplayManager* display = LDisplayManager::Get()) {
            display->RemoveMember(mRoot);
        }
        delete mRoot;
        mRoot = nullptr;
    }
    delete mLayout;
    mLayout = nullptr;
}

// --- Voices --------------------------------------------------------------------------

void GMPuzzle::PlayIntroVoice()
{
    LEventManager* events = LEventManager::Get();
    if (mSetup.mVoiceEvent == nullptr || events == nullptr || events->IsRaised(LString(mSetup.mVoiceEvent))) {
        return;
    }
    events->AddEvent(LString(mSetup.mVoiceEvent), true);
    GMOptions* options = GMOptions::GetInstance();
    const bool easy = options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY;
    const char* voice = easy ? mSetup.mEasyVoice : mSetup.mVoice;
    if (voice != nullptr) {
        PlayVoice(Text(mSetup.mVoiceStream), LString(voice));
    }
}

bool GMPuzzle::MakeStream(const LString& aName, const LString& aFile, bool aListen)
{
    DeleteSound();
    LISoundManager* sounds = LISoundManager::Get();
    LISoundPlayer* player = sounds != nullptr ? sounds->CreateStream(aName, aFile) : nullptr;
    if (player == nullptr) {
        return false;
    }
    mSound = player;
    if (aListen) {
        player->SetListener(this);
    }
    GMOptions* options = GMOptions::GetInstance();
    player->SetVolume(options != nullptr ? options->mVolume : 1.0f);
    return true;
}

bool GMPuzzle::PlayVoice(const LString& aName, const LString& aVoiceId, const char* aFont, bool aKeepSubtitle)
{
    DeleteSound();
    auto* line = L_NEW GMVoicedLine(this);
    if (line != nullptr) {
        line->SetStream(aName, "//sounds/" + aVoiceId + ".ogg");
        line->SetQuietFailure(true);
        bool found = false;
        const LString text = GMVoicedLine::VoiceOverText(aVoiceId, found);
        LFontManager* fonts = found ? LFontManager::Get() : nullptr;
        LIFont* font = fonts != nullptr ? fonts->GetFont(LString(aFont != nullptr ? aFont : kSubtitleFont)) : nullptr;
        line->SetSubtitle(text, found, font, aKeepSubtitle);
    }
    if (line == nullptr || !line->Play()) {
        delete line;
        L_ASSERT_FAILURE(LString());
        OnVoiceEnded(aName);
        return false;
    }
    mVoice = line;
    return true;
}

bool GMPuzzle::PlayStream(const LString& aName, const LString& aFile)
{
    if (!MakeStream(aName, aFile, true)) {
        return false;
    }
    mEndFadesSubtitle = true;
    mSound->Play();
    return true;
}

bool GMPuzzle::PlaySound(const LString& aName, const LString& aPath, bool aListen)
{
    if (!MakeStream(aName, aPath, aListen)) {
        L_ASSERT_FAILURE(LString());
        if (aListen) {
            OnVoiceEnded(aName);
        }
        return false;
    }
    mSound->Play();
    return true;
}

void GMPuzzle::FadeSubtitle()
{
    // A strip already fading out (or gone) is left to its fade.
    GMSubtitle* subtitle = GMSubtitle::GetInstance();
    if (subtitle != nullptr && subtitle->IsShowing()) {
        subtitle->FadeOut();
    }
}

void GMPuzzle::OnSoundEnded(const LString& aName)
{
    if (mEndFadesSubtitle) {
        FadeSubtitle();
    }
    DeleteSound();
    OnVoiceEnded(aName);
}

void GMPuzzle::OnLineEnded(GMVoicedLine* aLine)
{
    // The line has faded its subtitle; it goes inside its own notice.
    const LString name = aLine->GetStreamName();
    DeleteSound();
    OnVoiceEnded(name);
}

void GMPuzzle::OnVoiceEnded(const LString&)
{
}

LISoundPlayer* GMPuzzle::GetSound() const
{
    return mVoice != nullptr ? mVoice->GetSound() : mSound;
}

void GMPuzzle::DeleteSound()
{
    mEndFadesSubtitle = false;
    delete mVoice;
    mVoice = nullptr;
    if (mSound != nullptr) {
        LISoundPlayer* sound = mSound;
        mSound = nullptr;
        sound->SetListener(nullptr);
        delete sound;
    }
}

// --- Cursor and bar ------------------------------------------------------------------

void GMPuzzle::TrackItemCursor(const LString& aOwner)
{
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor == nullptr) {
        return;
    }
    if (cursor->GetType() == GMCursor::TYPE_ITEM) {
        cursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, aOwner);
        return;
    }
    GMPDA* pda = GMPDA::GetInstance();
    LDisplayGroup* pdaGroup = pda != nullptr ? pda->GetGroup() : nullptr;
    if (cursor->GetType() != GMCursor::TYPE_ITEM_HILIGHT && (pdaGroup == nullptr || !pdaGroup->GetActive())) {
        cursor->SetCursor(GMCursor::TYPE_TARGET, aOwner);
    }
}

LSprite* GMPuzzle::AddSprite(LPropertyList* aList)
{
    LSprite* sprite = aList != nullptr ? LLayoutBuilder::BuildSprite(aList) : nullptr;
    if (sprite == nullptr || mRoot == nullptr || !mRoot->AddMember(sprite, true)) {
        L_ASSERT_FAILURE(LString());
        delete sprite;
        return nullptr;
    }
    return sprite;
}

void GMPuzzle::ShowBar()
{
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
}

// --- Solving -------------------------------------------------------------------------

bool GMPuzzle::RaiseEvent(const LString& aId)
{
    LEventManager* events = LEventManager::Get();
    if (events == nullptr) {
        L_ERROR("RaiseEvent failure. No event manager.");
        return false;
    }
    return events->IsRaised(aId) || events->AddEvent(aId, true);
}

bool GMPuzzle::SetStateTrue(const LString& aId)
{
    LStateManager* states = LStateManager::Get();
    if (states == nullptr) {
        L_ERROR("SetState failure. No state manager.");
        return false;
    }
    return states->SetState(aId, LString("boolean"), LString("true"), true);
}

bool GMPuzzle::AddInventoryItem(const LString& aItemId)
{
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    if (inventory == nullptr) {
        L_ERROR("AddItem failure. No inventory: " + aItemId);
        return false;
    }
    return inventory->AddItem(aItemId);
}

GMCutScenePlayer* GMPuzzle::PrepareHandOver(const LString& aScene, const LString& aViewpoint,
                                            const LVectorString& aStateChanges)
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->StopAudio();
    }
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    if (player == nullptr) {
        L_ERROR("HandOver failure. No cut-scene player.");
        return nullptr;
    }
    player->SetTarget(aScene, aViewpoint);
    player->SetStateChanges(aStateChanges);
    return player;
}

bool GMPuzzle::HandOver(const LString& aScene, const LString& aViewpoint, const LVectorString& aStateChanges,
                        const LString& aMovie)
{
    GMCutScenePlayer* player = PrepareHandOver(aScene, aViewpoint, aStateChanges);
    if (player == nullptr) {
        return false;
    }
    player->Play(aMovie);
    return true;
}

bool GMPuzzle::PopAndHandOver(const LString& aScene, const LString& aViewpoint, const LVectorString& aStateChanges,
                              const LString& aMovie)
{
    GMCutScenePlayer* player = PrepareHandOver(aScene, aViewpoint, aStateChanges);
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->GetTop() == this) {
        GMIScreen* popped = nullptr;
        screens->PopScreen(&popped);
    }
    OnHidden();
    if (player == nullptr) {
        return false;
    }
    player->Play(aMovie);
    return true;
}

bool GMPuzzle::DeferSolvedHandOver(const char* aSolvedEvent, const char* aScene, const char* aViewpoint,
                                   const char* aVisibleState, const char* aMovie)
{
    return Defer([this, aSolvedEvent, aScene, aViewpoint, aVisibleState, aMovie] {
        RaiseEvent(LString(aSolvedEvent));
        LVectorString changes;
        changes.Append(LString(aVisibleState));
        changes.Append(LString("boolean"));
        changes.Append(LString("true"));
        PopAndHandOver(LString(aScene), LString(aViewpoint), changes, LString(aMovie));
    });
}

bool GMPuzzle::ReadNumbers(LPropertyList* aList, const LString& aPath, int aCount, LVectorFloat& aOut) const
{
    LPropertyList* list = aList != nullptr ? aList : mLayout;
    bool found = false;
    if (list != nullptr) {
        aOut = list->GetVectorFloat(aPath, found);
    }
    if (!found || aOut.GetCount() != aCount) {
        L_ERROR("Layout value missing or malformed: " + aPath);
        return false;
    }
    return true;
}

bool GMPuzzle::ReadWords(LPropertyList* aList, const LString& aPath, int aCount, LVectorString& aOut) const
{
    LPropertyList* list = aList != nullptr ? aList : mLayout;
    bool found = false;
    const LString text = list != nullptr ? list->GetString(aPath, found) : LString();
    aOut = LVectorString();
    // Split passes over empty words: every "|" must stand between two of the words.
    int separators = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        separators += text.At(i) == u'|' ? 1 : 0;
    }
    bool ok = found && separators == aCount - 1 && text.Split(LString("|"), &aOut) && aOut.GetCount() == aCount;
    for (int i = 0; ok && i < aOut.GetCount(); ++i) {
        ok = !aOut[i].IsEmpty();
        for (int j = 0; ok && j < i; ++j) {
            ok = !aOut[i].EqualsNoCase(aOut[j]);
        }
    }
    if (!ok) {
        L_ERROR("Layout value missing or malformed: " + aPath);
        aOut = LVectorString();
        return false;
    }
    return true;
}

bool GMPuzzle::Rebuild()
{
    if (!mShown) {
        return false;
    }
    ReleaseInput();
    DeletePieces();
    DeleteDisplay();
    Build();
    return true;
}

bool GMPuzzle::Defer(std::function<void()> aStep)
{
    return mDeferred.Post(std::move(aStep));
}
