#include "puzzles/receipt/GMReceiptPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "multicursor/GMMultiCursor.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"
#include "util/GMStateReader.h"

namespace {

GMPuzzleSlot<GMReceiptPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMReceiptPuzzle";
    setup.mActiveState = GMReceiptPuzzle::kActiveState;
    setup.mLayoutFile = "//dataroot/textures/puzzles/receipt/receipt_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/receipt";
    setup.mHidesBar = false;
    setup.mCursor = GMCursor::TYPE_TARGET;
    setup.mCursorOwner = GMReceiptPuzzle::kCursorOwner;
    setup.mFadeSubtitleOnHide = false;
    setup.mDeleteSoundOnHide = false;
    setup.mRootGroup = "receiptpuzzle_layout";
    setup.mBackgroundKey = nullptr;
    setup.mBackButtonKey = "backbutton";
    return setup;
}

const char* const kSprites[GMReceiptPuzzle::kPieceCount][2] = {{"1a", "1b"}, {"2a", "2b"}, {"3a", "3b"}};


} // namespace

GMReceiptPuzzle* GMReceiptPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMReceiptPuzzle::GMReceiptPuzzle() : GMPuzzle(Setup())
{
}

GMReceiptPuzzle::~GMReceiptPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
}

int GMReceiptPuzzle::PlacedCount()
{
    int placed = 0;
    for (const char* event : kPieceEvents) {
        placed += GMStateReader::IsRaised(LString(event)) ? 1 : 0;
    }
    return placed;
}

// --- Opening and closing -------------------------------------------------------------

void GMReceiptPuzzle::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || !(aState->GetId() == LString(kActiveState))) {
        return;
    }
    GMPuzzle::OnStateChanged(aState);
    for (int i = 0; i < kPieceCount; ++i) {
        if (GMStateReader::IsRaised(LString(kUsedEvents[i]))) {
            RaiseEvent(LString(kPieceEvents[i]));
        }
    }
    CheckSolved();
}

void GMReceiptPuzzle::OnVoiceEnded(const LString& aName)
{
    if (!aName.EqualsNoCase(LString(kHintAudio))) {
        PopIfTop();
    }
}

// --- Showing and hiding --------------------------------------------------------------

void GMReceiptPuzzle::BuildPieces()
{
    LPropertyList* layout = GetLayout();
    AddSprite(layout != nullptr ? layout->GetList(LString("puzzle.background")) : nullptr);
    LPropertyList* sprites = layout != nullptr ? layout->GetList(LString("puzzle.sprites")) : nullptr;
    if (sprites == nullptr || !LLayoutBuilder::BuildSprites(sprites, GetRoot())) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMReceiptPuzzle::OnBuilt()
{
    ShowBar();
    GMOptions* options = GMOptions::GetInstance();
    if (PlacedCount() == 1 && options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY) {
        PlayVoice(LString(kHintAudio), LString(kHintVoice));
    }
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    if (!mMouseListening) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMReceiptPuzzle::ReleaseInput()
{
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

void GMReceiptPuzzle::OnHidden()
{
    const bool shown = IsShown();
    GMPuzzle::OnHidden();
    if (shown) {
        ShowBar();
    }
}

// --- The pieces ----------------------------------------------------------------------

void GMReceiptPuzzle::OnMove(const LVector2&)
{
    TrackItemCursor(LString(kCursorOwner));
}

void GMReceiptPuzzle::OnButtonDown(int)
{
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr && cursor->GetType() == GMCursor::TYPE_ITEM_HILIGHT) {
        const LString item = cursor->GetItemCursor();
        for (int i = 0; i < kPieceCount; ++i) {
            if (!(item == LString(kItems[i]))) {
                continue;
            }
            RaiseEvent(LString(kPieceEvents[i]));
            RaiseEvent(LString(kUsedEvents[i]));
            for (const char* id : kSprites[i]) {
                if (LIDisplayObject* sprite = GetRoot() != nullptr ? GetRoot()->GetMember(LString(id)) : nullptr) {
                    sprite->SetVisible(true);
                }
            }
        }
        cursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
        cursor->ReleaseCursor(LString());
        cursor->SetCursor(GMCursor::TYPE_TARGET, LString(kCursorOwner));
    }
    if (LDisplayGroup* root = GetRoot()) {
        root->UpdateVisible();
        root->UpdateAll();
    }
    CheckSolved();
}

void GMReceiptPuzzle::CheckSolved()
{
    if (PlacedCount() < kPieceCount) {
        return;
    }
    RaiseEvent(LString(kSolvedEvent));
    if (LStateManager* states = LStateManager::Get()) {
        states->SetState(LString(kLampState), LString("string"), LString("solved"), false);
    }
    // Over another screen (the scene, once the receipt has gone) the voice would play and
    // its end would close that screen.
    if (IsTopScreen()) {
        mSolved = true;
        PlayVoice(LString(kSolvedAudio), LString(kSolvedVoice));
    }
}
