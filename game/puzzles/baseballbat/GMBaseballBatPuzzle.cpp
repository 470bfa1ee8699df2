#include "puzzles/baseballbat/GMBaseballBatPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDAMinimized.h"
#include "puzzles/GMPickStack.h"
#include "puzzles/baseballbat/GMBaseballPiece.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"

namespace {

GMPuzzleSlot<GMBaseballBatPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMBaseballBatPuzzle";
    setup.mActiveState = "sta_baseballbatpuzzle_active";
    setup.mLayoutFile = "//textures/puzzles/baseball_bat/bat_puzzle_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/baseball_bat";
    setup.mRootGroup = "baseballbat_layout";
    setup.mVoiceEvent = "evt_baseballbatpuzzle_initvo";
    setup.mEasyVoice = "hi13_rg";
    setup.mVoice = nullptr;
    setup.mVoiceStream = GMBaseballBatPuzzle::kVoiceName;
    return setup;
}

} // namespace

GMBaseballBatPuzzle* GMBaseballBatPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMBaseballBatPuzzle::GMBaseballBatPuzzle() : GMDragPiecesPuzzle(Setup(), 0.0f)
{
    LRandom::SeedFromTime();
}

GMBaseballBatPuzzle::~GMBaseballBatPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
}

void GMBaseballBatPuzzle::BuildPieces()
{
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(kPiecesKey)) : nullptr;
    if (list == nullptr) {
        L_ERROR(LString("Layout value missing or malformed: ") + kPiecesKey);
        return;
    }
    for (int i = 0; i < list->GetCount(); ++i) {
        auto* piece = L_NEW GMBaseballPiece();
        if (piece == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        piece->Create(list->GetListAt(i));
        piece->SetRelativeZ(GMPickStack::BuildZ(i));
        const float y = static_cast<float>(kStart + LRandom::Next() % kRangeY);
        const float x = static_cast<float>(kStart + LRandom::Next() % kRangeX);
        piece->SetPosition(x, y);
        AddPiece(piece);
    }
}

void GMBaseballBatPuzzle::OnLeave()
{
    ReleaseInput();
    GMFullScreenPuzzle::OnLeave();
}

GMBaseballPiece* GMBaseballBatPuzzle::GetSelected() const
{
    return static_cast<GMBaseballPiece*>(mSelected);
}

GMBaseballPiece* GMBaseballBatPuzzle::GetPiece(int aNumber) const
{
    LDisplayGroup* root = GetRoot();
    return root != nullptr ? dynamic_cast<GMBaseballPiece*>(root->GetMember(LString("piece") + aNumber)) : nullptr;
}

void GMBaseballBatPuzzle::OnButtonDown(int aButton)
{
    if (aButton != 1) {
        return;
    }
    LVector2 position;
    PickUnderMouse([](LIDisplayObject* aPiece, const LVector2& aAt) {
        return static_cast<GMBaseballPiece*>(aPiece)->PickAt(aAt);
    }, position);
}

void GMBaseballBatPuzzle::OnMove(const LVector2& aPosition)
{
    if (GMBaseballPiece* selected = GetSelected()) {
        selected->MoveTo(aPosition);
    }
}

void GMBaseballBatPuzzle::OnButtonUp(int)
{
    mSelected = nullptr;
    CheckSolved();
}

bool GMBaseballBatPuzzle::CheckSolved()
{
    GMBaseballPiece* first = GetPiece(1);
    if (mSolved || first == nullptr) {
        return false;
    }
    const LVector2 origin = first->GetWorldPosition();
    for (int n = 2; n <= kPieceCount; ++n) {
        GMBaseballPiece* piece = GetPiece(n);
        if (piece == nullptr || piece->GetRotation() != first->GetRotation() || !piece->IsPlaced(origin)) {
            return false;
        }
        const int over = piece->GetOverPiece();
        GMBaseballPiece* below = over >= 0 ? GetPiece(over) : nullptr;
        if (below != nullptr && below->GetRelativeZ() > piece->GetRelativeZ()) {
            return false;
        }
    }
    Solve();
    return true;
}

void GMBaseballBatPuzzle::Solve()
{
    mSolved = true;
    RaiseEvent(LString(kSolvedEvent));
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
    AddInventoryItem(LString(kItem));
    ReleaseInput();
    mStartingVoice = true;
    PlayVoice(LString(kVoiceName), LString(kSolvedVoice));
    mStartingVoice = false;
}

void GMBaseballBatPuzzle::OnVoiceEnded(const LString& aName)
{
    if (mSolved && !mStartingVoice && aName == LString(kVoiceName)) {
        PopIfTop();
    }
}
