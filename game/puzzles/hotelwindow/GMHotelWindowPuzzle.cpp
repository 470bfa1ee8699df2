#include "puzzles/hotelwindow/GMHotelWindowPuzzle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "pda/GMPDAMinimized.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"

namespace {

GMPuzzleSlot<GMHotelWindowPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMHotelWindowPuzzle";
    setup.mActiveState = GMHotelWindowPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/hotel_window/layout.txt";
    setup.mTextureRoot = "//textures/puzzles/hotel_window";
    setup.mVoiceEvent = "evt_hotelwindowpuzzle_initvo";
    setup.mEasyVoice = "hi17_rg";
    setup.mVoiceStream = "puzzleVO";
    setup.mHidesBar = false;
    setup.mCursor = GMCursor::TYPE_TARGET;
    setup.mCursorOwner = GMHotelWindowPuzzle::kCursorOwner;
    setup.mFadeSubtitleOnHide = false;
    setup.mDeleteSoundOnHide = false;
    setup.mRootGroup = "hotelwindowpuzzle_content";
    setup.mBackgroundKey = nullptr;
    setup.mBackButtonKey = "backbutton";
    return setup;
}

} // namespace

GMHotelWindowPuzzle* GMHotelWindowPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMHotelWindowPuzzle::GMHotelWindowPuzzle() : GMPuzzle(Setup())
{
}

GMHotelWindowPuzzle::~GMHotelWindowPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
}

// --- Showing and hiding --------------------------------------------------------------

void GMHotelWindowPuzzle::BuildPieces()
{
    mHolding = false;
    AddSprite(GetLayout() != nullptr ? GetLayout()->GetList(LString("background")) : nullptr);
    mPolaroid = AddSprite(GetLayout() != nullptr ? GetLayout()->GetList(LString("polaroid")) : nullptr);
    if (mPolaroid != nullptr) {
        mPolaroid->SetVisible(false);
    }
}

void GMHotelWindowPuzzle::OnBuilt()
{
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    if (!mMouseListening) {
        L_ASSERT_FAILURE(LString());
    }
    ShowBar();
}

void GMHotelWindowPuzzle::ReleaseInput()
{
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

void GMHotelWindowPuzzle::DeletePieces()
{
    // The polaroid goes with the root group.
    mPolaroid = nullptr;
}

void GMHotelWindowPuzzle::OnHidden()
{
    if (!IsShown()) {
        return;
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
    }
    GMPuzzle::OnHidden();
    // Taking the photo hid the cursor and the bar.
    mHolding = false;
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetVisible(true);
    }
    ShowBar();
}

void GMHotelWindowPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent == XBTNEVENT_CLICKED && aId.EqualsNoCase(LString(kBackButtonId))) {
        ReleaseInput();
    }
    GMPuzzle::OnButton(aId, aEvent);
}

void GMHotelWindowPuzzle::OnVoiceEnded(const LString&)
{
    if (mSolved) {
        PopIfTop();
    }
}

// --- The photo -----------------------------------------------------------------------

void GMHotelWindowPuzzle::OnMove(const LVector2& aPosition)
{
    if (mHolding) {
        if (mPolaroid != nullptr) {
            mPolaroid->SetPosition(aPosition);
        }
        return;
    }
    TrackItemCursor(LString(kCursorOwner));
}

void GMHotelWindowPuzzle::OnButtonDown(int)
{
    LMouse* mouse = LMouse::Get();
    GMCursor* cursor = GMCursor::GetInstance();
    if (mouse == nullptr || mSolved) {
        return;
    }
    LVector2 at;
    mouse->GetPosition(at);
    if (mHolding) {
        const int dx = static_cast<int>(at.x) - kSpotX;
        const int dy = static_cast<int>(at.y) - kSpotY;
        if (dx > -kReach && dx < kReach && dy > -kReach && dy < kReach) {
            Solve();
        }
        return;
    }
    if (cursor != nullptr && cursor->GetType() == GMCursor::TYPE_ITEM_HILIGHT &&
        cursor->GetItemCursor() == LString(kPhotoItem)) {
        TakePhoto();
    }
    if (!mHolding && at.x > kCornerX && at.y > kCornerY) {
        TakePhoto();
    }
}

void GMHotelWindowPuzzle::TakePhoto()
{
    mHolding = true;
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->ReleaseCursor(LString(kCursorOwner));
        cursor->SetVisible(false);
    }
    if (mPolaroid != nullptr) {
        LVector2 at;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->GetPosition(at);
        }
        mPolaroid->SetPosition(at);
        mPolaroid->SetVisible(true);
    }
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Hide();
    }
}

void GMHotelWindowPuzzle::Solve()
{
    mSolved = true;
    RaiseEvent(LString(kSolvedEvent));
    ReleaseInput();
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString(kCursorOwner));
        cursor->SetVisible(true);
    }
    if (LIDisplayObject* back = GetRoot() != nullptr ? GetRoot()->GetMember(LString(kBackButtonId)) : nullptr) {
        back->SetActive(false);
    }
    PlayVoice(LString(kSolvedStream), LString(kSolvedVoice));
}
