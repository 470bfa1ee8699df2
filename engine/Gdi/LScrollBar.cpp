#include "Gdi/LScrollBar.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LIScrollBarListener.h"
#include "Input/LMouse.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"

#include <cmath>

namespace {
// The part of all scroll bars that is held or dragged.
enum Part { kNone = 0, kUpHeld = 1, kDownHeld = 2, kBarDragged = 3 };
int sActivePart = kNone;

// Toward zero; NaN and values beyond the int range are brought in.
int Truncate(double aValue)
{
    if (!(aValue == aValue)) {
        return 0;
    }
    if (aValue >= 2147483647.0) {
        return 2147483647;
    }
    if (aValue <= -2147483648.0) {
        return -2147483647 - 1;
    }
    return static_cast<int>(aValue);
}

int Clamp(int aValue, int aLow, int aHigh)
{
    return aValue < aLow ? aLow : (aValue > aHigh ? aHigh : aValue);
}

float Along(const LVector2& aPoint, bool aHorizontal)
{
    return aHorizontal ? aPoint.x : aPoint.y;
}

LVector2 Offset(int aDistance, bool aHorizontal)
{
    return aHorizontal ? LVector2(aDistance, 0) : LVector2(0, aDistance);
}
} // namespace

LScrollBar::LScrollBar() = default;

LScrollBar::~LScrollBar()
{
    Release();
    Listen(false);
    Detach();
    mContentGroup = nullptr;
    mListener = nullptr;
    mTimer = nullptr;
}

LString LScrollBar::Dump() const
{
    LString text("[LScrollBar <");
    text += static_cast<const void*>(this);
    text += ">]";
    return text;
}

void LScrollBar::Detach()
{
    LButton* buttons[] = {mUpArrow.Get(), mDownArrow.Get(), mBar.Get()};
    for (LButton* button : buttons) {
        // A button that refused us keeps the listener it has.
        if (button != nullptr && button->GetListener() == this) {
            button->RemoveListener();
        }
    }
    mUpArrow = nullptr;
    mDownArrow = nullptr;
    mBar = nullptr;
}

int LScrollBar::Create(LScrollBarParams aParams)
{
    if (aParams.mUpArrow == nullptr || aParams.mDownArrow == nullptr || aParams.mBar == nullptr) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    Release();
    Detach();
    mHorizontal = aParams.mHorizontal;
    mContentGroup = nullptr;
    mUpArrow = aParams.mUpArrow;
    mDownArrow = aParams.mDownArrow;
    mBar = aParams.mBar;
    mUpArrow->SetListener(this);
    mDownArrow->SetListener(this);
    mBar->SetListener(this);
    mUpHeld = mUpOver = false;
    mDownHeld = mDownOver = false;
    mFirstStepPending = false;
    mBarStart = mBar->GetPosition();
    mBarPlacement = mBar->GetPlacement();
    mDragging = false;
    mRepeatInterval = 0.03f;
    mRepeatDelay = 0.3f;
    mBarAreaHeight = aParams.mBarAreaHeight;
    mBarHeight = aParams.mBarHeight;
    mBarTravel = mBarAreaHeight - mBarHeight > 0 ? mBarAreaHeight - mBarHeight : 0;
    mScrollAreaHeight = aParams.mScrollAreaHeight;
    mContentPosition = 0;
    SetContentHeight(aParams.mContentHeight);
    mContentStartPos = aParams.mContentStartPos;
    mScrollIncrement = aParams.mScrollIncrement;
    mFraction = 0.0f;
    mTimer = LITimer::Get();
    UpdateFromPosition();
    return 1;
}

int LScrollBar::SetContentGroup(LIDisplayObject* aGroup)
{
    mContentGroup = aGroup;
    if (aGroup == nullptr) {
        // The old content is let go of all the same, so the bar never moves it again.
        L_ERROR("SetContentGroup failure. NULL arg.");
        return 0;
    }
    UpdateFromPosition();
    return 1;
}

void LScrollBar::ClearContentGroup()
{
    mContentGroup = nullptr;
}

float LScrollBar::BarFraction() const
{
    return mBarTravel > 0 ? static_cast<float>(mBarPosition) / static_cast<float>(mBarTravel) : 0.0f;
}

void LScrollBar::SetContentHeight(int aHeight)
{
    mContentHeight = aHeight;
    mContentTravel = aHeight - mScrollAreaHeight;
    const bool scrolls = mContentTravel > 0;
    LButton* buttons[] = {mUpArrow.Get(), mDownArrow.Get(), mBar.Get()};
    for (LButton* button : buttons) {
        if (button != nullptr) {
            button->SetEnabled(scrolls);
        }
    }
    if (!scrolls) {
        mBarPosition = 0;
    }
    mBarPosition = Clamp(mBarPosition, 0, mBarTravel);
    mFraction = BarFraction();
    mContentPosition = scrolls ? Truncate(static_cast<double>(mContentTravel) * mFraction) : 0;
    Place();
    UpdateFromPosition();
}

void LScrollBar::SetFraction(float aFraction)
{
    // Outside 0..1 the positions would leave their tracks.
    if (mContentTravel <= 0 || !(aFraction > 0.0f)) {
        aFraction = 0.0f;
    } else if (aFraction > 1.0f) {
        aFraction = 1.0f;
    }
    mFraction = aFraction;
    mBarPosition = Truncate(static_cast<double>(mBarTravel) * mFraction);
    mContentPosition = Truncate(static_cast<double>(mContentTravel) * mFraction);
    Place();
}

void LScrollBar::Reset()
{
    SetFraction(0.0f);
}

void LScrollBar::ScrollDown()
{
    if (mContentTravel > 0) {
        // Clamped at both ends: an increment may be negative.
        mContentPosition = Clamp(mContentPosition + mScrollIncrement, 0, mContentTravel);
        UpdateFromPosition();
    }
}

void LScrollBar::ScrollUp()
{
    if (mContentTravel > 0) {
        mContentPosition = Clamp(mContentPosition - mScrollIncrement, 0, mContentTravel);
        UpdateFromPosition();
    }
}

void LScrollBar::UpdateFromPosition()
{
    mFraction = mContentTravel > 0
                    ? static_cast<float>(mContentPosition) / static_cast<float>(mContentTravel)
                    : 0.0f;
    mBarPosition = Truncate(static_cast<double>(mBarTravel) * mFraction);
    Place();
}

void LScrollBar::Place()
{
    const bool horizontal = mHorizontal != 0;
    if (mBar != nullptr) {
        mBar->SetPosition(mBarPlacement + Offset(mBarPosition, horizontal));
    }
    if (mContentGroup != nullptr) {
        mContentGroup->SetPosition(mContentStartPos - Offset(mContentPosition, horizontal));
    }
    Report();
}

void LScrollBar::Report()
{
    if (mContentPosition == mLastReported) {
        return;
    }
    mLastReported = mContentPosition;
    if (mListener != nullptr) {
        mListener->OnScroll(mContentPosition);
    }
}

int LScrollBar::SetListener(LIScrollBarListener* aListener)
{
    mListener = aListener;
    return 1;
}

int LScrollBar::RemoveListener(LIScrollBarListener* aListener)
{
    if (aListener == nullptr || aListener != mListener) {
        return 0;
    }
    mListener = nullptr;
    return 1;
}

void LScrollBar::Listen(bool aListen)
{
    if (aListen == mListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    if (aListen) {
        mListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
        return;
    }
    if (frames != nullptr) {
        frames->RemoveListener(this);
    }
    mListening = false;
}

void LScrollBar::Release()
{
    if (mUpHeld || mDownHeld || mDragging) {
        sActivePart = kNone;
    }
    if (mDragging) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Unlock(nullptr);
        }
    }
    mUpHeld = false;
    mDownHeld = false;
    mDragging = false;
    mFirstStepPending = false;
    Listen(false);
}

void LScrollBar::OnButton(const LString& aId, int aEvent)
{
    if (mUpArrow != nullptr && aId == mUpArrow->GetId()) {
        if (sActivePart == kNone || sActivePart == kUpHeld) {
            OnArrow(aEvent, kUpHeld, mUpHeld, mUpOver);
        }
    } else if (mDownArrow != nullptr && aId == mDownArrow->GetId()) {
        if (sActivePart == kNone || sActivePart == kDownHeld) {
            OnArrow(aEvent, kDownHeld, mDownHeld, mDownOver);
        }
    } else if (mBar != nullptr && aId == mBar->GetId()) {
        if (sActivePart == kNone || sActivePart == kBarDragged) {
            OnBar(aEvent);
        }
    }
}

void LScrollBar::OnArrow(int aEvent, int aPart, bool& aHeld, bool& aOver)
{
    switch (aEvent) {
    case XBTNEVENT_PRESSED:
        if (!aHeld) {
            mFirstStepPending = true;
            aHeld = true;
            // A press comes only over the button, also when its enter came before we
            // listened.
            aOver = true;
            sActivePart = aPart;
            Listen(true);
        }
        break;
    case XBTNEVENT_ENTER: aOver = true; break;
    case XBTNEVENT_LEAVE: aOver = false; break;
    case XBTNEVENT_RELEASED_OUTSIDE:
    case XBTNEVENT_CLICKED:
        if (aHeld) {
            Release();
        }
        break;
    default: break;
    }
}

void LScrollBar::OnBar(int aEvent)
{
    if (aEvent == XBTNEVENT_PRESSED) {
        if (mDragging) {
            return;
        }
        LMouse* mouse = LMouse::Get();
        if (mouse == nullptr) {
            return;
        }
        mDragging = true;
        mGrabBarCoordinate = Truncate(Along(mBar->GetPosition(), mHorizontal != 0));
        mouse->GetPosition(mGrabMousePosition);
        sActivePart = kBarDragged;
        Listen(true);
        // Only the bar and the cursor see the mouse until the release.
        mouse->Lock(mBar);
        if (LCursor* cursor = LCursor::Get()) {
            mouse->AddLock(cursor);
        }
    } else if (aEvent == XBTNEVENT_RELEASED_OUTSIDE || aEvent == XBTNEVENT_CLICKED) {
        if (mDragging) {
            Release();
        }
    }
}

void LScrollBar::OnFrame()
{
    if (!mUpHeld && !mDownHeld && !mDragging) {
        return;
    }
    // A release the button never passed on (it was disabled or hidden meanwhile) must
    // not leave every scroll bar, or the whole mouse, held.
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || !mouse->IsButtonDown(1)) {
        Release();
        return;
    }
    const double now = mTimer != nullptr ? mTimer->GetTime() : 0.0;
    if (mUpHeld && mUpOver) {
        Repeat(true, now);
    } else if (mDownHeld && mDownOver) {
        Repeat(false, now);
    } else if (mDragging) {
        Drag();
    }
}

void LScrollBar::Repeat(bool aUp, double aNow)
{
    if (mFirstStepPending) {
        mFirstStepPending = false;
        mLastStepTime = aNow + (mRepeatDelay - mRepeatInterval);
    } else if (aNow - mLastStepTime > mRepeatInterval) {
        mLastStepTime = aNow;
    } else {
        return;
    }
    // Last: the listener may delete the scroll bar.
    ScrollStep(aUp);
}

void LScrollBar::ScrollStep(bool aUp)
{
    if (aUp) {
        ScrollUp();
    } else {
        ScrollDown();
    }
}

void LScrollBar::Drag()
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || mContentTravel <= 0) {
        return;
    }
    const bool horizontal = mHorizontal != 0;
    LVector2 position;
    mouse->GetPosition(position);
    const int delta = Truncate(Along(position, horizontal) - Along(mGrabMousePosition, horizontal));
    mBarPosition = Clamp(mGrabBarCoordinate - Truncate(Along(mBarStart, horizontal)) + delta, 0, mBarTravel);
    mFraction = BarFraction();
    mContentPosition = Truncate(static_cast<double>(mContentTravel) * mFraction);
    Place();
}
