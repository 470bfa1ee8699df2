#include "puzzles/surveillance_tapes/GMSurveillanceTapePuzzle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "memory/LMemoryManager.h"
#include "puzzles/surveillance_tapes/GMSurveillanceTapeControl.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "util/GMOptions.h"

namespace {

GMPuzzleSlot<GMSurveillanceTapePuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMSurveillanceTapePuzzle";
    setup.mActiveState = "sta_surveillancetapepuzzle_active";
    setup.mLayoutFile = "//textures/puzzles/surveillance_tapes/layout.txt";
    setup.mTextureRoot = "//textures/puzzles/surveillance_tapes";
    setup.mRootGroup = "surveillance_tapes";
    setup.mBackgroundKey = nullptr;
    setup.mBackButtonKey = GMSurveillanceTapePuzzle::kBackButtonKey;
    setup.mSetsBackButtonZ = true;
    setup.mBackButtonZ = GMSurveillanceTapePuzzle::kBackButtonZ;
    setup.mHidesBar = false;
    // The running interview's cursor stays as it is.
    setup.mSetsCursor = false;
    setup.mReleasesCursor = false;
    return setup;
}

// The interview's shared panel, or null.
LDisplayGroup* InterviewPanel()
{
    GMInterviewManager* manager = GMInterviewManager::Peek();
    LDisplayGroup* panel = nullptr;
    LDisplayGroup* modes = nullptr;
    GMInterviewMeter* meter = nullptr;
    GMInterviewScrollBar* scrollBar = nullptr;
    if (manager != nullptr) {
        manager->GetInterviewDisplay(&panel, &modes, &meter, &scrollBar);
    }
    return panel;
}

GMInterview* RunningInterview()
{
    GMInterviewManager* manager = GMInterviewManager::Peek();
    GMInterview* interview = manager != nullptr ? manager->GetCurrentInterview() : nullptr;
    return interview != nullptr && interview->IsRunning() ? interview : nullptr;
}

bool Same(const LVector2& aA, const LVector2& aB)
{
    return aA.x == aB.x && aA.y == aB.y;
}

} // namespace

GMSurveillanceTapePuzzle* GMSurveillanceTapePuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMSurveillanceTapePuzzle::GMSurveillanceTapePuzzle() : GMPuzzle(Setup())
{
    LRandom::SeedFromTime();
}

GMSurveillanceTapePuzzle::~GMSurveillanceTapePuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
    DeletePieces();
}

// --- Showing and hiding --------------------------------------------------------------

void GMSurveillanceTapePuzzle::OnShow()
{
    if (IsShown()) {
        return;
    }
    TakeInterview();
    GMPuzzle::OnShow();
}

void GMSurveillanceTapePuzzle::OnHidden()
{
    if (!IsShown()) {
        return;
    }
    GMPuzzle::OnHidden();
    GiveInterviewBack();
}

void GMSurveillanceTapePuzzle::TakeInterview()
{
    GMInterview* interview = RunningInterview();
    if (interview == nullptr) {
        return;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(interview);
    }
    if (LDisplayGroup* panel = InterviewPanel()) {
        panel->SetActive(false);
    }
    mInterviewTaken = true;
}

void GMSurveillanceTapePuzzle::GiveInterviewBack()
{
    if (!mInterviewTaken) {
        return;
    }
    mInterviewTaken = false;
    // An interview that ended meanwhile has given up its panel and mouse itself.
    GMInterview* interview = RunningInterview();
    if (interview == nullptr) {
        return;
    }
    if (LDisplayGroup* panel = InterviewPanel()) {
        panel->SetActive(true);
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->AddMember(interview, kInterviewMousePriority);
    }
}

// --- Building ------------------------------------------------------------------------

LSprite* GMSurveillanceTapePuzzle::AddSprite(const char* aKey)
{
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(aKey)) : nullptr;
    LSprite* sprite = list != nullptr ? LLayoutBuilder::BuildSprite(list) : nullptr;
    if (sprite == nullptr) {
        L_ERROR(LString("Layout value missing or malformed: ") + aKey);
        return nullptr;
    }
    if (!GetRoot()->AddMember(sprite, true)) {
        L_ASSERT_FAILURE(LString());
        delete sprite;
        return nullptr;
    }
    return sprite;
}

void GMSurveillanceTapePuzzle::AddArrow(const char* aKey)
{
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(aKey)) : nullptr;
    LButton* button = list != nullptr ? LLayoutBuilder::BuildButton(list, this) : nullptr;
    if (button == nullptr) {
        L_ERROR(LString("Layout value missing or malformed: ") + aKey);
        return;
    }
    if (!GetRoot()->AddMember(button, true)) {
        L_ASSERT_FAILURE(LString());
        delete button;
    }
}

void GMSurveillanceTapePuzzle::BuildPieces()
{
    mCurrent = 0;
    AddSprite(kBackgroundKey);
    AddSprite(kOverlayKey);
    AddArrow(kLeftArrowKey);
    AddArrow(kRightArrowKey);
    mTracking = AddSprite(kTrackingKey);
    if (mTracking != nullptr) {
        mTracking->SetVisible(false);
    }
    mIndicator = AddSprite(kIndicatorKey);
    BuildControls();
    BuildLayers();
    ShowTape(0, true);
    mDragging = false;
    mMoving = {};
    mAligned = {};
}

void GMSurveillanceTapePuzzle::BuildControls()
{
    LPropertyList* controls = GetLayout() != nullptr ? GetLayout()->GetList(LString(kControlsKey)) : nullptr;
    LPropertyList* options = GetLayout() != nullptr ? GetLayout()->GetList(LString(kOptionsKey)) : nullptr;
    const int count = controls != nullptr ? controls->GetCount() : 0;
    if (count != kTapes) {
        L_ERROR(LString("Layout value missing or malformed: ") + kControlsKey + " holds " + count + " entries, not 6.");
    }
    if (options == nullptr || options->GetCount() != GMSurveillanceTapeControl::kOptions) {
        L_ERROR(LString("Layout value missing or malformed: ") + kOptionsKey);
    }
    for (int i = 0; i < kTapes && i < count; ++i) {
        auto* control = L_NEW GMSurveillanceTapeControl();
        if (control == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        if (!control->Create(this, controls->GetListAt(i), options) ||
            !GetRoot()->AddMember(control->GetGroup(), true)) {
            delete control->GetGroup();
            delete control;
            continue;
        }
        mControls[i] = control;
        if (i == 0) {
            control->Show();
        } else {
            control->Hide();
        }
    }
}

void GMSurveillanceTapePuzzle::BuildLayers()
{
    LPropertyList* tapes = GetLayout() != nullptr ? GetLayout()->GetList(LString(kLayersKey)) : nullptr;
    const int count = tapes != nullptr ? tapes->GetCount() : 0;
    if (count != kTapes) {
        L_ERROR(LString("Layout value missing or malformed: ") + kLayersKey + " holds " + count + " tapes, not 6.");
    }
    for (int t = 0; t < kTapes; ++t) {
        LPropertyList* tape = t < count ? tapes->GetListAt(t) : nullptr;
        for (int k = 0; k < kLayers; ++k) {
            // The draws are made for every layer, so that a missing one moves no other.
            const float x = static_cast<float>(kStartX + LRandom::Next() % kStartRange);
            const float y = static_cast<float>(LRandom::Next() % kStartRange);
            if (tape == nullptr) {
                continue;
            }
            LPropertyList* entry = k < tape->GetCount() ? tape->GetListAt(k) : nullptr;
            LSprite* sprite = entry != nullptr ? LLayoutBuilder::BuildSprite(entry) : nullptr;
            if (sprite == nullptr) {
                L_ERROR(LString("Tape layer missing: tape ") + t + ", layer " + k);
                continue;
            }
            sprite->SetRelativeZ(kLayerZ);
            sprite->SetPosition(x, y);
            sprite->SetVisible(false);
            if (!GetRoot()->AddMember(sprite, true)) {
                L_ASSERT_FAILURE(LString());
                delete sprite;
                continue;
            }
            mLayerSprites[t][k] = sprite;
        }
    }
}

void GMSurveillanceTapePuzzle::OnBuilt()
{
    if (LDisplayGroup* root = GetRoot()) {
        root->UpdateAll();
    }
    GMOptions* options = GMOptions::GetInstance();
    const int skill = options != nullptr ? options->GetSkill() : GMOptions::SKILL_MEDIUM;
    mTolerance = skill == GMOptions::SKILL_EASY     ? kEasyTolerance
                 : skill == GMOptions::SKILL_MEDIUM ? kMediumTolerance
                                                    : kHardTolerance;
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    if (!mMouseListening) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMSurveillanceTapePuzzle::ReleaseInput()
{
    mDragging = false;
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

void GMSurveillanceTapePuzzle::DeletePieces()
{
    for (GMSurveillanceTapeControl*& control : mControls) {
        delete control;
        control = nullptr;
    }
    for (auto& tape : mLayerSprites) {
        tape.fill(nullptr);
    }
    mTracking = nullptr;
    mIndicator = nullptr;
}

// --- Stepping through the tapes ------------------------------------------------------

void GMSurveillanceTapePuzzle::ShowTape(int aTape, bool aShown)
{
    if (GMSurveillanceTapeControl* control = mControls[aTape]) {
        if (aShown) {
            control->Show();
        } else {
            control->Hide();
        }
    }
    for (LSprite* layer : mLayerSprites[aTape]) {
        if (layer != nullptr) {
            layer->SetVisible(aShown);
        }
    }
}

void GMSurveillanceTapePuzzle::Step(int aBy)
{
    ShowTape(mCurrent, false);
    mCurrent = (mCurrent + aBy + kTapes) % kTapes;
    ShowTape(mCurrent, true);
    if (mIndicator != nullptr) {
        mIndicator->SetPosition(kIndicatorX[mCurrent], kIndicatorY);
    }
    if (mTracking != nullptr) {
        mTracking->SetVisible(mAligned[mCurrent]);
    }
}

void GMSurveillanceTapePuzzle::OnButton(const LString& aId, int aEvent)
{
    if (mSolved || aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.EqualsNoCase(LString(kRightId))) {
        Step(1);
    } else if (aId.EqualsNoCase(LString(kLeftId))) {
        Step(-1);
    } else {
        GMPuzzle::OnButton(aId, aEvent);
    }
}

// --- Dragging ------------------------------------------------------------------------

void GMSurveillanceTapePuzzle::OnButtonDown(int)
{
    LMouse* mouse = LMouse::Get();
    if (mSolved || mouse == nullptr) {
        return;
    }
    LVector2 position;
    mouse->GetPosition(position);
    if (position.x < kViewX || position.x > kViewX + kViewWidth || position.y < kViewY ||
        position.y > kViewY + kViewHeight) {
        return;
    }
    mLastMouse = position;
    mDragging = true;
    GMSurveillanceTapeControl* control = mControls[mCurrent];
    const int selected = control != nullptr ? control->GetSelected() : -1;
    for (int k = 0; k < kLayers; ++k) {
        mMoving[k] = selected < 0 || selected == k;
    }
}

void GMSurveillanceTapePuzzle::OnMove(const LVector2& aPosition)
{
    if (!mDragging) {
        return;
    }
    const LVector2 delta = aPosition - mLastMouse;
    mLastMouse = aPosition;
    for (int k = 0; k < kLayers; ++k) {
        LSprite* layer = mLayerSprites[mCurrent][k];
        if (mMoving[k] && layer != nullptr) {
            const LVector2 origin = GetRoot()->GetWorldPosition();
            layer->SetPosition(layer->GetWorldPosition() + delta - origin);
        }
    }
}

void GMSurveillanceTapePuzzle::OnButtonUp(int)
{
    if (!mDragging) {
        return;
    }
    mDragging = false;
    if (mMoving[0] && mMoving[1] && mMoving[2]) {
        return;
    }
    // Each layer's reference: 0 against 1, 1 against 2, 2 against 1.
    static constexpr int kReference[kLayers] = {1, 2, 1};
    int moved = -1;
    for (int k = 0; k < kLayers; ++k) {
        if (mMoving[k]) {
            moved = k;
        }
    }
    if (moved < 0) {
        return;
    }
    LSprite* layer = mLayerSprites[mCurrent][moved];
    LSprite* reference = mLayerSprites[mCurrent][kReference[moved]];
    if (layer == nullptr || reference == nullptr) {
        return;
    }
    const LVector2 at = layer->GetWorldPosition();
    const LVector2 target = reference->GetWorldPosition();
    const float dx = at.x > target.x ? at.x - target.x : target.x - at.x;
    const float dy = at.y > target.y ? at.y - target.y : target.y - at.y;
    if (dx <= mTolerance && dy <= mTolerance) {
        layer->SetPosition(target - GetRoot()->GetWorldPosition());
        CheckTape();
    }
}

// --- Aligning and solving ------------------------------------------------------------

bool GMSurveillanceTapePuzzle::CheckTape()
{
    const auto& layers = mLayerSprites[mCurrent];
    const bool whole = layers[0] != nullptr && layers[1] != nullptr && layers[2] != nullptr;
    const bool aligned = whole && Same(layers[0]->GetWorldPosition(), layers[1]->GetWorldPosition()) &&
                         Same(layers[1]->GetWorldPosition(), layers[2]->GetWorldPosition());
    mAligned[mCurrent] = aligned;
    if (mTracking != nullptr) {
        mTracking->SetVisible(aligned);
    }
    if (!aligned) {
        return false;
    }
    if (GMSurveillanceTapeControl* control = mControls[mCurrent]) {
        control->Lock();
    }
    CheckSolved();
    return true;
}

bool GMSurveillanceTapePuzzle::CheckSolved()
{
    if (mSolved || !mAligned[kTapes - 1]) {
        return false;
    }
    mSolved = true;
    ReleaseInput();
    RaiseEvent(LString(kSolvedEvent));
    PlayVoice(LString(kSolvedAudio), LString(kSolvedVoice));
    return true;
}

void GMSurveillanceTapePuzzle::OnVoiceEnded(const LString& aName)
{
    if (mSolved && aName == LString(kSolvedAudio)) {
        PopIfTop();
    }
}
