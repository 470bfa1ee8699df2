#include "puzzles/slidebox/GMSlideBoxPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "puzzles/slidebox/GMSliderPiece.h"
#include "stdlib/LLog.h"

namespace {

GMPuzzleSlot<GMSlideBoxPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMSlideBoxPuzzle";
    setup.mActiveState = GMSlideBoxPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/sliderbox/lockbox_puzzle_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/sliderbox";
    setup.mVoiceEvent = "evt_slideboxpuzzle_initvo";
    setup.mEasyVoice = "hi07_rg";
    setup.mVoice = "2st14_rg";
    setup.mFadeSubtitleOnHide = false;
    setup.mRootGroup = "sliderbox_puzzle_layout";
    setup.mLoadFailure = "Failed to load sliderbox layout";
    return setup;
}

} // namespace

GMSlideBoxPuzzle* GMSlideBoxPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMSlideBoxPuzzle::GMSlideBoxPuzzle() : GMPuzzle(Setup())
{
}

GMSlideBoxPuzzle::~GMSlideBoxPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
}

GMSliderPiece* GMSlideBoxPuzzle::GetPiece(int aIndex) const
{
    return aIndex >= 0 && aIndex < mPieces.GetCount() ? static_cast<GMSliderPiece*>(mPieces.GetAt(aIndex)) : nullptr;
}

void GMSlideBoxPuzzle::BuildPieces()
{
    LPropertyList* pieces = GetLayout() != nullptr ? GetLayout()->GetList(LString(kPiecesList)) : nullptr;
    for (int i = 0; pieces != nullptr && i < pieces->GetCount(); ++i) {
        auto* piece = L_NEW GMSliderPiece();
        if (piece == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        if (!piece->Create(pieces->GetListAt(i), this) || !GetRoot()->AddMember(piece, true)) {
            delete piece;
            continue;
        }
        mPieces.Append(piece);
    }
}

void GMSlideBoxPuzzle::DeletePieces()
{
    // The bars go with the root group; a bar deleted mid-slide leaves the frame manager.
    mPieces.RemoveAll();
}

void GMSlideBoxPuzzle::SetButtonsEnabled(bool aEnabled)
{
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        GetPiece(i)->SetButtonsEnabled(aEnabled);
    }
}

void GMSlideBoxPuzzle::StartSlide()
{
    PlaySound(LString(kSlideSound), LString(kSlideFile), false);
    SetButtonsEnabled(false);
}

bool GMSlideBoxPuzzle::AllAtSolvingStops() const
{
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        if (!GetPiece(i)->IsAtSolvingStop()) {
            return false;
        }
    }
    return true;
}

void GMSlideBoxPuzzle::OnPieceArrived()
{
    if (mSolved) {
        return;
    }
    if (!AllAtSolvingStops()) {
        SetButtonsEnabled(true);
        return;
    }
    mSolved = true;
    L_NOTE("Puzzle solved!");
    // The arriving bar is still in its frame callback: the bars go at the next pass.
    Defer([this] { OpenBox(); });
}

void GMSlideBoxPuzzle::OpenBox()
{
    LVectorString changes;
    changes.Add(LString("sta_cu_1fd03_visible"));
    changes.Add(LString("boolean"));
    changes.Add(LString("true"));
    PopAndHandOver(LString("case01/franksapt"), LString("vp_bedroom"), changes, LString("LockBox_Open.bik"));
}
