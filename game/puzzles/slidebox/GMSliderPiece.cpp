#include "puzzles/slidebox/GMSliderPiece.h"

#include "Gdi/LButton.h"
#include "Gdi/LLayoutBuilder.h"
#include "time/LITimer.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "puzzles/slidebox/GMSlideBoxPuzzle.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"

GMSliderPiece::GMSliderPiece() = default;

GMSliderPiece::~GMSliderPiece()
{
    StopSliding();
}

LString GMSliderPiece::Dump() const
{
    return DumpHead("GMSliderPiece") + " " + GetId() + "]";
}

bool GMSliderPiece::Create(LPropertyList* aList, GMSlideBoxPuzzle* aOwner)
{
    mOwner = aOwner;
    if (aList == nullptr) {
        return false;
    }
    bool hasId = false;
    bool hasType = false;
    bool hasPosition = false;
    const LString id = aList->GetString(LString("id"), hasId);
    const LString type = aList->GetString(LString("type"), hasType);
    const LVectorFloat position = aList->GetVectorFloat(LString("position"), hasPosition);
    if (!hasId || !hasType || !hasPosition) {
        return false;
    }
    float xy[2] = {0.0f, 0.0f};
    for (int i = 0; i < 2; ++i) {
        if (i < position.GetCount()) {
            xy[i] = position[i];
        } else {
            L_ASSERT_FAILURE(LString());
        }
    }
    bool found = false;
    mSolvingStop = aList->GetInt(LString("solved"), found);
    SetId(id);
    SetPosition(xy[0], xy[1]);
    const bool vertical = type.EqualsNoCase(LString("vertical"));
    mAxis = vertical ? kVertical : kHorizontal;
    SetRelativeZ(vertical ? kVerticalZ : kHorizontalZ);
    LPropertyList* sprites = aList->GetList(LString("sprites"));
    if (sprites == nullptr || !LLayoutBuilder::BuildSprites(sprites, this)) {
        L_ASSERT_FAILURE(LString());
    }
    LPropertyList* buttons = aList->GetList(LString("buttons"));
    if (buttons == nullptr) {
        L_ASSERT_FAILURE(LString());
    }
    for (int i = 0; buttons != nullptr && i < 2 && i < buttons->GetCount(); ++i) {
        LButton* button = LLayoutBuilder::BuildButton(buttons->GetListAt(i), this);
        if (button == nullptr) {
            continue;
        }
        if (!AddMember(button, true)) {
            L_ASSERT_FAILURE(LString());
            delete button;
            continue;
        }
        mButtons[i] = button;
    }
    mStop = kStartStop;
    SetBlend(kBlend);
    return true;
}

void GMSliderPiece::SetButtonsEnabled(bool aEnabled)
{
    for (LButton* button : mButtons) {
        if (button != nullptr) {
            button->SetEnabled(aEnabled);
        }
    }
}

void GMSliderPiece::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED || mSliding) {
        return;
    }
    if (aId.EqualsNoCase(LString("up")) || aId.EqualsNoCase(LString("left"))) {
        if (mStop >= 1) {
            Slide(-1);
        }
    } else if (aId.EqualsNoCase(LString("down")) || aId.EqualsNoCase(LString("right"))) {
        if (mStop < kStopCount - 1) {
            Slide(1);
        }
    }
}

void GMSliderPiece::Slide(int aDirection)
{
    mStop += aDirection;
    if (mOwner != nullptr) {
        mOwner->StartSlide();
    }
    mStepSize = aDirection * kStep;
    mLastStep = LITimer::Now();
    LFrameManager* frames = LFrameManager::Get();
    mSliding = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
    if (!mSliding) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMSliderPiece::StopSliding()
{
    if (mSliding) {
        mSliding = false;
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
}

void GMSliderPiece::OnFrame()
{
    const double now = LITimer::Now();
    if (now - mLastStep <= kStepTime) {
        return;
    }
    const LVector2 world = GetWorldPosition();
    const float from = mAxis == kVertical ? world.y : world.x;
    const float target = mAxis == kVertical ? kStopsY[mStop] : kStopsX[mStop];
    float to = from + mStepSize;
    bool arrived = false;
    if ((mStepSize > 0.0f && to > target) || (mStepSize < 0.0f && to < target)) {
        to = target;
        StopSliding();
        arrived = true;
    }
    const LVector2 local = GetLocalPosition();
    if (mAxis == kVertical) {
        SetPosition(local.x, local.y + (to - from));
    } else {
        SetPosition(local.x + (to - from), local.y);
    }
    mLastStep = now;
    if (arrived && mOwner != nullptr) {
        mOwner->OnPieceArrived();
    }
}
