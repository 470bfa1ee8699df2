#include "puzzles/painting/GMPaintingPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"

#include <cmath>
#include <numbers>

namespace {

GMPuzzleSlot<GMPaintingPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMPaintingPuzzle";
    setup.mActiveState = GMPaintingPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/painting/puzzle_painting_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/painting";
    setup.mVoiceEvent = "evt_paintingpuzzle_initvo";
    setup.mEasyVoice = "hi05_rg";
    setup.mVoice = "2ls02_rg";
    setup.mFadeSubtitleOnHide = false;
    setup.mDeleteSoundOnHide = false;
    setup.mRootGroup = "puzzle_layout";
    setup.mBackgroundKey = "puzzle.layout";
    setup.mBackgroundIsGroups = true;
    setup.mBackButtonKey = "puzzle.backbutton";
    return setup;
}

// The state's value as text; empty unless it is a string.
LString StateText(LIState* aState)
{
    if (aState == nullptr || aState->GetType() != LIState::TYPE_STRING || aState->GetValue() == nullptr) {
        return LString();
    }
    return *static_cast<const LString*>(aState->GetValue());
}

} // namespace

GMPaintingPuzzle* GMPaintingPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMPaintingPuzzle::GMPaintingPuzzle() : GMPuzzle(Setup())
{
}

GMPaintingPuzzle::~GMPaintingPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
}

bool GMPaintingPuzzle::HoldsSolvedState()
{
    LStateManager* states = LStateManager::Get();
    return states != nullptr && StateText(states->GetState(LString(kSolvedState))) == LString(kSolvedValue);
}

// --- Building ------------------------------------------------------------------------

void GMPaintingPuzzle::BuildPieces()
{
    LDisplayGroup* root = GetRoot();
    auto* holes = dynamic_cast<LDisplayGroup*>(root->GetMember(LString(kButtonsGroup)));
    if (holes == nullptr) {
        L_ASSERT_FAILURE(LString());
    }
    LPropertyList* buttons = GetLayout() != nullptr ? GetLayout()->GetList(LString(kButtonsList)) : nullptr;
    for (int i = 0; holes != nullptr && buttons != nullptr && i < buttons->GetCount(); ++i) {
        LPropertyList* entry = buttons->GetListAt(i);
        bool found = false;
        const LString id = entry != nullptr ? entry->GetString(LString("id"), found) : LString();
        auto* button = found ? dynamic_cast<LButton*>(holes->GetMember(id)) : nullptr;
        if (button != nullptr) {
            button->SetListener(this);
        }
    }
    LPropertyList* handleList = GetLayout() != nullptr ? GetLayout()->GetList(LString(kHandleList)) : nullptr;
    LSprite* handle = handleList != nullptr ? LLayoutBuilder::BuildSprite(handleList) : nullptr;
    if (handle == nullptr) {
        L_ASSERT_FAILURE(LString());
        return;
    }
    handle->SetCenter(kHandleCenterX, kHandleCenterY);
    if (!root->AddMember(handle, true)) {
        L_ASSERT_FAILURE(LString());
        delete handle;
        return;
    }
    mHandle = handle;
}

void GMPaintingPuzzle::OnBuilt()
{
    // The rebuilt buttons start with the mouse over none of them.
    mButtonsUnder = 0;
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    if (!mMouseListening) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMPaintingPuzzle::OnHidden()
{
    if (IsShown()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(LString(kActiveState), LString("boolean"), LString("false"), false);
        }
    }
    GMPuzzle::OnHidden();
}

void GMPaintingPuzzle::ReleaseInput()
{
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

void GMPaintingPuzzle::DeletePieces()
{
    // The handle is the root's member and goes with it.
    mHandle = nullptr;
}

void GMPaintingPuzzle::OnLeave()
{
    if (LDisplayGroup* root = GetRoot()) {
        root->SetEnabled(false);
        root->UpdateAll();
    }
}

// --- States and buttons --------------------------------------------------------------

void GMPaintingPuzzle::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || HoldsSolvedState()) {
        return;
    }
    if (aState->GetId() == LString(kItemState)) {
        if (StateText(aState) == LString(kItemValue)) {
            AddInventoryItem(LString(kItem));
        }
        return;
    }
    GMPuzzle::OnStateChanged(aState);
}

void GMPaintingPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent == XBTNEVENT_CLICKED && aId.EqualsNoCase(LString(kBackButtonId))) {
        Back();
        return;
    }
    if (mSolved) {
        return;
    }
    // Counted: moving from one button straight onto another, the new one may hear the
    // mouse enter before the old one hears it leave.
    if (aEvent == XBTNEVENT_ENTER) {
        ++mButtonsUnder;
        return;
    }
    if (aEvent == XBTNEVENT_LEAVE) {
        mButtonsUnder = mButtonsUnder > 0 ? mButtonsUnder - 1 : 0;
        return;
    }
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    const LString hole = LString(kButtonsGroup) + "." + aId;
    if (hole == mSelectedHole) {
        return;
    }
    LIDisplayObject* button = GetRoot() != nullptr ? GetRoot()->GetMember(hole) : nullptr;
    if (button == nullptr) {
        return;
    }
    mSelectedHole = hole;
    if (mHandle != nullptr) {
        const LVector2 at = button->GetWorldPosition();
        mHandle->SetPosition(at.x + kHoleOffsetX, at.y + kHoleOffsetY);
        mHandle->SetVisible(true);
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(mTurnOrigin);
    }
    mTurning = true;
}

void GMPaintingPuzzle::Back()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMScene* scene = GMSceneManager::GetCurrentScene();
    // A change running would refuse the pop and leave the rebuilt stack standing.
    if (screens == nullptr || screens->IsBusy() || screens->IndexOf(this) < 0) {
        return;
    }
    if (scene != nullptr) {
        screens->Clear();
        screens->PushScreen(scene);
        screens->PushScreen(this);
    }
    GMIScreen* popped = nullptr;
    screens->PopFade(&popped);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

// --- The handle ----------------------------------------------------------------------

bool GMPaintingPuzzle::IsAtSolvingAngle() const
{
    if (!mTurning || mHandle == nullptr) {
        return false;
    }
    const float rotation = mHandle->GetRotation();
    if (mSelectedHole == LString(kUprightHole)) {
        return std::fabs(rotation) < kTolerance;
    }
    if (mSelectedHole == LString(kUpsideDownHole)) {
        return std::fabs(rotation - 180.0f) < kTolerance;
    }
    return false;
}

void GMPaintingPuzzle::OnMove(const LVector2& aPosition)
{
    if (mHandle == nullptr) {
        return;
    }
    if (mTurning) {
        const float radians = std::atan2(mTurnOrigin.y - aPosition.y, aPosition.x - mTurnOrigin.x);
        mHandle->SetRotation(radians * 180.0f / std::numbers::pi_v<float> + kTurnOffset);
    } else {
        mHandle->SetPosition(aPosition);
    }
}

void GMPaintingPuzzle::OnButtonDown(int)
{
    if (!mSolved && IsAtSolvingAngle()) {
        Solve();
    }
}

void GMPaintingPuzzle::OnButtonUp(int)
{
    if (mSolved) {
        ReleaseInput();
        return;
    }
    if (mTurning && mButtonsUnder == 0) {
        mTurning = false;
        if (mHandle != nullptr) {
            mHandle->SetRotation(0.0f);
        }
        mSelectedHole = LString();
    }
}

void GMPaintingPuzzle::Solve()
{
    mSolved = true;
    // The turn ends with the opening: kept, a later game's first press would open the
    // painting again with the rebuilt handle upright in hole 6.
    mTurning = false;
    mSelectedHole = LString();
    if (LStateManager* states = LStateManager::Get()) {
        states->SetState(LString(kSolvedState), LString("string"), LString(kSolvedValue), false);
    }
    LVectorString changes;
    changes.Add(LString("sta_cu_1cs08_visible"));
    changes.Add(LString("boolean"));
    changes.Add(LString("true"));
    HandOver(LString("case01/castillosecretapt"), LString("vp_bedroom"), changes, LString("Painting_Opening.bik"));
}
