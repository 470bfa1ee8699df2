#include "puzzles/floorsafe/GMFloorSafeCube.h"

#include "Gdi/LButton.h"
#include "Gdi/LLayoutBuilder.h"
#include "container/LPropertyList.h"
#include "puzzles/floorsafe/GMFloorSafePuzzle.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"

namespace {

const char* const kSideNames[GMFloorSafeCube::SIDE_COUNT] = {"north", "east", "south", "west"};

} // namespace

GMFloorSafeCube::GMFloorSafeCube() = default;

GMFloorSafeCube::~GMFloorSafeCube()
{
    StopTurning();
}

LString GMFloorSafeCube::Dump() const
{
    return DumpHead("GMFloorSafePuzzle") + " cube " + GetId() + "]";
}

bool GMFloorSafeCube::Create(LPropertyList* aList, GMFloorSafePuzzle* aOwner)
{
    mOwner = aOwner;
    bool found = false;
    const LString id = aList != nullptr ? aList->GetString(LString("id"), found) : LString();
    if (!found) {
        L_ASSERT_FAILURE(LString());
        return false;
    }
    SetId(id);
    SetRelativeZ(kRelativeZ);
    LPropertyList* buttons = aList->GetList(LString("buttons"));
    for (int i = 0; i < kButtonCount; ++i) {
        LPropertyList* entry = buttons != nullptr && i < buttons->GetCount() ? buttons->GetListAt(i) : nullptr;
        LButton* button = entry != nullptr ? LLayoutBuilder::BuildButton(entry, this) : nullptr;
        if (button == nullptr) {
            L_ERROR("Floor safe cube " + id + ": button " + (i + 1) + " missing");
            continue;
        }
        if (!AddMember(button, true)) {
            L_ASSERT_FAILURE(LString());
            delete button;
            continue;
        }
        mButtons[i] = button;
    }
    LPropertyList* states = aList->GetList(LString("states"));
    if (states == nullptr || !LLayoutBuilder::BuildSprites(states, this)) {
        L_ASSERT_FAILURE(LString());
    }
    LPropertyList* indicators = aList->GetList(LString("indicators"));
    if (indicators == nullptr || !LLayoutBuilder::BuildGroups(indicators, this)) {
        L_ASSERT_FAILURE(LString());
    }
    Show(LString("1"));
    UpdateIndicators();
    return true;
}

void GMFloorSafeCube::Show(const LString& aId)
{
    LIDisplayObject* picture = GetMember(aId);
    if (picture == nullptr) {
        L_ERROR("Floor safe cube " + GetId() + ": picture missing: " + aId);
        return;
    }
    if (mShown != nullptr && mShown != picture) {
        mShown->SetVisible(false);
    }
    picture->SetVisible(true);
    mShown = picture;
}

void GMFloorSafeCube::UpdateIndicators()
{
    const int sides[SIDE_COUNT] = {mFaces[NORTH], mFaces[EAST], mFaces[SOUTH], mFaces[WEST]};
    for (int side = 0; side < SIDE_COUNT; ++side) {
        if (mIndicators[side] != nullptr) {
            mIndicators[side]->SetVisible(false);
        }
        const LString path = LString(kSideNames[side]) + ".ind_" + sides[side];
        mIndicators[side] = GetMember(path);
        if (mIndicators[side] == nullptr) {
            L_ERROR("Floor safe cube " + GetId() + ": indicator missing: " + path);
            continue;
        }
        mIndicators[side]->SetVisible(true);
    }
}

void GMFloorSafeCube::SetButtonsEnabled(bool aEnabled)
{
    for (LButton* button : mButtons) {
        if (button != nullptr) {
            button->SetEnabled(aEnabled);
        }
    }
}

void GMFloorSafeCube::OnButton(const LString& aId, int aEvent)
{
    if (aEvent == XBTNEVENT_CLICKED && mOwner != nullptr) {
        mOwner->OnCubeButton(GetId(), aId);
    }
}

void GMFloorSafeCube::Turn(const LString& aDirection, bool aCheckOnArrival)
{
    mCheckOnArrival = aCheckOnArrival;
    int* f = mFaces;
    LString transition;
    if (aDirection.EqualsNoCase(LString("up"))) {
        transition = LString() + f[FRONT] + "_" + f[NORTH] + "_v";
        const int front = f[FRONT];
        f[FRONT] = f[NORTH];
        f[NORTH] = f[BACK];
        f[BACK] = f[SOUTH];
        f[SOUTH] = front;
    } else if (aDirection.EqualsNoCase(LString("down"))) {
        transition = LString() + f[SOUTH] + "_" + f[FRONT] + "_v";
        const int front = f[FRONT];
        f[FRONT] = f[SOUTH];
        f[SOUTH] = f[BACK];
        f[BACK] = f[NORTH];
        f[NORTH] = front;
    } else if (aDirection.EqualsNoCase(LString("left"))) {
        transition = LString() + f[FRONT] + "_" + f[WEST] + "_h";
        const int front = f[FRONT];
        f[FRONT] = f[WEST];
        f[WEST] = f[BACK];
        f[BACK] = f[EAST];
        f[EAST] = front;
    } else if (aDirection.EqualsNoCase(LString("right"))) {
        transition = LString() + f[EAST] + "_" + f[FRONT] + "_h";
        const int front = f[FRONT];
        f[FRONT] = f[EAST];
        f[EAST] = f[BACK];
        f[BACK] = f[WEST];
        f[WEST] = front;
    }
    mFinalSprite = LString() + f[FRONT];
    if (!transition.IsEmpty()) {
        Show(transition);
    }
    mTurnStart = LITimer::Now();
    if (!mTurning) {
        LFrameManager* frames = LFrameManager::Get();
        mTurning = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
        if (!mTurning) {
            L_ASSERT_FAILURE(LString());
        }
    }
}

void GMFloorSafeCube::StopTurning()
{
    if (mTurning) {
        mTurning = false;
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
}

void GMFloorSafeCube::OnFrame()
{
    if (LITimer::Now() - mTurnStart <= kTurnTime) {
        return;
    }
    StopTurning();
    Show(mFinalSprite);
    UpdateIndicators();
    if (mCheckOnArrival && mOwner != nullptr) {
        mOwner->CheckSolved();
    }
}
