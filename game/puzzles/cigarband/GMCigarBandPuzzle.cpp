#include "puzzles/cigarband/GMCigarBandPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "puzzles/GMPickStack.h"
#include "puzzles/cigarband/GMCigarBandPiece.h"
#include "stdlib/LLog.h"
#include "util/GMOptions.h"

#include <cmath>

namespace {

GMPuzzleSlot<GMCigarBandPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMCigarBandPuzzle";
    setup.mActiveState = "sta_cigarbandpuzzle_active";
    setup.mLayoutFile = "//textures/puzzles/cigar_bands/puzzle_cigarband_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/cigar_bands";
    setup.mVoiceEvent = "evt_cigarbandpuzzle_initvo";
    setup.mEasyVoice = "hi02_rg";
    setup.mVoice = "1cn05_rg";
    return setup;
}

} // namespace

GMCigarBandPuzzle* GMCigarBandPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMCigarBandPuzzle::GMCigarBandPuzzle() : GMPuzzle(Setup())
{
}

GMCigarBandPuzzle::~GMCigarBandPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
}

void GMCigarBandPuzzle::BuildPieces()
{
    LPropertyList* groups = GetLayout() != nullptr ? GetLayout()->GetList(LString("groups")) : nullptr;
    if (groups == nullptr) {
        return;
    }
    int count = groups->GetCount();
    GMOptions* options = GMOptions::GetInstance();
    if (options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY) {
        count = kEasyGroupCount;
    }
    // A layout with fewer entries than the easy count has no more pieces to give.
    if (count > groups->GetCount()) {
        count = groups->GetCount();
    }
    int built = 0;
    for (int i = kFirstPiece; i < count; ++i) {
        LPropertyList* list = groups->GetListAt(i);
        if (list == nullptr) {
            continue;
        }
        auto* piece = L_NEW GMCigarBandPiece();
        if (piece == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        piece->Create(list);
        piece->SetRelativeZ(GMPickStack::BuildZ(built));
        if (!GetRoot()->AddMember(piece, true)) {
            L_ASSERT_FAILURE(LString());
            delete piece;
            continue;
        }
        mPieces.Append(piece);
        ++built;
    }
}

void GMCigarBandPuzzle::OnBuilt()
{
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    if (!mMouseListening) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMCigarBandPuzzle::ReleaseInput()
{
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

void GMCigarBandPuzzle::DeletePieces()
{
    mDragged = nullptr;
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        delete static_cast<GMCigarBandPiece*>(mPieces.GetAt(i));
    }
    mPieces.RemoveAll();
}

void GMCigarBandPuzzle::OnLeave()
{
    ReleaseInput();
    if (LDisplayGroup* root = GetRoot()) {
        root->SetEnabled(false);
        root->UpdateAll();
    }
}

void GMCigarBandPuzzle::OnClosedByState()
{
    if (IsShown()) {
        CloseByFader();
    }
}

void GMCigarBandPuzzle::OnButtonDown(int aButton)
{
    LMouse* mouse = LMouse::Get();
    if (aButton != 1 || mouse == nullptr) {
        return;
    }
    LVector2 position;
    mouse->GetPosition(position);
    LIDisplayObject* picked = GMPickStack::Pick(
        mPieces, [&position](LIDisplayObject* aPiece) { return static_cast<GMCigarBandPiece*>(aPiece)->Grab(position); });
    if (picked != nullptr) {
        mDragged = static_cast<GMCigarBandPiece*>(picked);
    }
}

void GMCigarBandPuzzle::OnMove(const LVector2& aPosition)
{
    if (mDragged != nullptr) {
        mDragged->MoveTo(aPosition);
    }
}

void GMCigarBandPuzzle::OnButtonUp(int)
{
    if (mDragged == nullptr) {
        return;
    }
    const bool solved = !mSolved && TestSolution();
    mDragged = nullptr;
    if (solved) {
        Solve();
    }
}

bool GMCigarBandPuzzle::TestSolution()
{
    LPropertyList* solution = GetLayout() != nullptr ? GetLayout()->GetList(LString("solution")) : nullptr;
    LDisplayGroup* root = GetRoot();
    if (solution == nullptr || root == nullptr) {
        L_ERROR("Layout value missing or malformed: solution");
        return false;
    }
    bool ok = true;
    LVector2 reference(-1.0f, -1.0f);
    for (int i = 0; i < solution->GetCount(); ++i) {
        const LString key = solution->GetKeyAt(i);
        LVectorFloat offset;
        if (!ReadNumbers(nullptr, "solution." + key, 2, offset)) {
            return false;
        }
        LIDisplayObject* member = root->GetMember(key);
        if (member == nullptr) {
            continue;
        }
        const LVector2 position = member->GetWorldPosition();
        if (i == 0) {
            reference = position;
            continue;
        }
        const float ex = position.x - reference.x - offset[0];
        const float ey = position.y - reference.y - offset[1];
        if (std::fabs(ex) > kTolerance || std::fabs(ey) > kTolerance) {
            ok = false;
        }
    }
    return ok;
}

void GMCigarBandPuzzle::Solve()
{
    mSolved = true;
    ReleaseInput();
    RaiseEvent(LString("evt_cigarbands_solved"));
    AddInventoryItem(LString("1cn05"));
    for (int n = kFirstLoosePiece; n <= kLastLoosePiece; ++n) {
        if (LIDisplayObject* loose = GetRoot()->GetMember(LString("piece") + n)) {
            loose->SetVisible(false);
        }
    }
    PlayVoice(LString(kSolvedAudio), LString("1cn05a_rg"));
}
