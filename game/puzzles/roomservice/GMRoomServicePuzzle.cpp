#include "puzzles/roomservice/GMRoomServicePuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "puzzles/GMPickStack.h"
#include "puzzles/roomservice/GMRoomServicePiece.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "util/GMOptions.h"

#include <cmath>

namespace {

GMPuzzleSlot<GMRoomServicePuzzle> sPuzzle;

constexpr float kDegrees = 57.29578f;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMRoomServicePuzzle";
    setup.mActiveState = "sta_roomservicepuzzle_active";
    setup.mLayoutFile = "//dataroot/textures/puzzles/roomservice_receipt/receipt_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/roomservice_receipt";
    setup.mRootGroup = "roomservicepuzzle_layout";
    setup.mVoiceEvent = "evt_roomservicepuzzle_initvo";
    setup.mEasyVoice = "hi13_rg";
    setup.mVoice = "2st07_rg";
    return setup;
}

} // namespace

GMRoomServicePuzzle* GMRoomServicePuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMRoomServicePuzzle::GMRoomServicePuzzle() : GMDragPiecesPuzzle(Setup(), kMousePriority)
{
    LRandom::SeedFromTime();
}

GMRoomServicePuzzle::~GMRoomServicePuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
}

void GMRoomServicePuzzle::BuildPieces()
{
    LPropertyList* groups = GetLayout() != nullptr ? GetLayout()->GetList(LString("groups")) : nullptr;
    if (groups == nullptr) {
        return;
    }
    GMOptions* options = GMOptions::GetInstance();
    const bool easy = options == nullptr || options->GetSkill() == GMOptions::SKILL_EASY;
    int built = 0;
    for (int i = kFirstPiece; i < groups->GetCount(); ++i) {
        auto* piece = L_NEW GMRoomServicePiece();
        if (piece == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        piece->Create(groups->GetListAt(i));
        piece->SetRelativeZ(GMPickStack::BuildZ(built));
        if (!easy) {
            const float turn = static_cast<float>(LRandom::Next() % kFullTurn);
            piece->PreviewRotation(turn);
            piece->Rotate(turn);
        }
        const float y = static_cast<float>(kStartY + LRandom::Next() % kRangeY);
        const float x = static_cast<float>(kStartX + LRandom::Next() % kRangeX);
        piece->SetPosition(x, y);
        if (!AddPiece(piece)) {
            continue;
        }
        if (mReference == nullptr) {
            mReference = piece;
        }
        ++built;
    }
}

void GMRoomServicePuzzle::DeletePieces()
{
    mReference = nullptr;
    GMDragPiecesPuzzle::DeletePieces();
}

GMRoomServicePiece* GMRoomServicePuzzle::GetSelected() const
{
    return static_cast<GMRoomServicePiece*>(mSelected);
}

GMRoomServicePiece* GMRoomServicePuzzle::GetPiece(const char* aId) const
{
    LDisplayGroup* root = GetRoot();
    return root != nullptr ? dynamic_cast<GMRoomServicePiece*>(root->GetMember(LString(aId))) : nullptr;
}

float GMRoomServicePuzzle::PointerAngle(const LVector2& aPosition) const
{
    return std::atan2(mPivot.y - aPosition.y, aPosition.x - mPivot.x) * kDegrees;
}

void GMRoomServicePuzzle::OnButtonDown(int aButton)
{
    if (LMouse::Get() == nullptr || mSolved) {
        return;
    }
    mTurning = aButton != 1;
    LVector2 position;
    PickUnderMouse([](LIDisplayObject* aPiece, const LVector2& aAt) {
        return static_cast<GMRoomServicePiece*>(aPiece)->PickAt(aAt);
    }, position);
    if (mSelected != nullptr && mTurning) {
        mPivot = mSelected->GetWorldPosition();
        mStartAngle = PointerAngle(position);
    }
}

void GMRoomServicePuzzle::OnMove(const LVector2& aPosition)
{
    GMRoomServicePiece* selected = GetSelected();
    if (selected == nullptr) {
        return;
    }
    if (mTurning) {
        selected->PreviewRotation(PointerAngle(aPosition) - mStartAngle);
    } else {
        selected->MoveTo(aPosition);
    }
}

void GMRoomServicePuzzle::OnButtonUp(int)
{
    GMRoomServicePiece* selected = GetSelected();
    mSelected = nullptr;
    if (selected == nullptr) {
        return;
    }
    LMouse* mouse = LMouse::Get();
    if (mTurning && mouse != nullptr) {
        LVector2 position;
        mouse->GetPosition(position);
        selected->Rotate(PointerAngle(position) - mStartAngle);
    }
    CheckSolved();
    if (mouse != nullptr) {
        mouse->Interrupt();
    }
}

bool GMRoomServicePuzzle::CheckSolved()
{
    if (mSolved || mReference == nullptr) {
        return false;
    }
    const LVector2 anchor = mReference->GetAnchor();
    const float angle = mReference->GetAngle();
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        if (!static_cast<GMRoomServicePiece*>(static_cast<LIDisplayObject*>(mPieces.GetAt(i)))
                 ->IsPlaced(anchor.x, anchor.y, angle)) {
            return false;
        }
    }
    Solve();
    return true;
}

void GMRoomServicePuzzle::Solve()
{
    mSolved = true;
    RaiseEvent(LString(kSolvedEvent));
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (GMScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr) {
        scene->StopAudio();
    }
    if (GMScreenManager* cleared = GMScreenManager::GetInstance()) {
        cleared->Clear();
    }
    const bool loaded = scenes != nullptr && scenes->LoadScene(LString(kTargetScene), false, false);
    if (loaded) {
        if (GMScene* scene = scenes->GetScene()) {
            scene->SetViewpoint(LString(kTargetViewpoint));
        }
    }
    OnHidden();
    // The scene was pushed for a fade that nobody runs: shown here, or the game would
    // stand at a location that takes no input.
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (GMIScreen* top = screens != nullptr ? screens->GetTop() : nullptr) {
        top->OnShow();
    }
    SetStateTrue(LString(kCloseUpState));
    if (!loaded) {
        GMSceneManager::ShowMenuWhenNoScreenIsLeft(LString(kTargetScene));
    }
}
