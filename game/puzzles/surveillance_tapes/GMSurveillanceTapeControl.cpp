#include "puzzles/surveillance_tapes/GMSurveillanceTapeControl.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

GMSurveillanceTapeControl::GMSurveillanceTapeControl() = default;

GMSurveillanceTapeControl::~GMSurveillanceTapeControl()
{
    Listen(false);
}

bool GMSurveillanceTapeControl::Create(GMSurveillanceTapePuzzle* aOwner, LPropertyList* aEntry, LPropertyList* aOptions)
{
    bool found = false;
    const LString id = aEntry != nullptr ? aEntry->GetString(LString("id"), found) : LString();
    if (!found || mGroup != nullptr) {
        L_ERROR("Tape control without id left out.");
        return false;
    }
    mOwner = aOwner;
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        L_ASSERT_FAILURE(LString());
        return false;
    }
    mGroup->SetId(id);
    mGroup->SetRelativeZ(kGroupZ);
    const LVectorFloat position = aEntry->GetVectorFloat(LString("position"), found);
    if (found && position.GetCount() >= 2) {
        mGroup->SetPosition(position[0], position[1]);
    }
    mLocked = false;
    const LRectangle hit(0.0f, 0.0f, kHitWidth, kHitHeight);
    for (int k = 0; k < kOptions; ++k) {
        LPropertyList* option = aOptions != nullptr ? aOptions->GetListAt(k) : nullptr;
        LSprite* on = option != nullptr ? LLayoutBuilder::BuildSprite(option->GetList(LString("on"))) : nullptr;
        LSprite* off = option != nullptr ? LLayoutBuilder::BuildSprite(option->GetList(LString("off"))) : nullptr;
        if (on == nullptr || off == nullptr || !mGroup->AddMember(on, true)) {
            L_ERROR("Tape control option " + LString("") + k + " missing: " + id);
            delete on;
            delete off;
            continue;
        }
        if (!mGroup->AddMember(off, true)) {
            L_ASSERT_FAILURE(LString());
            mGroup->RemoveMember(on);
            delete on;
            delete off;
            continue;
        }
        on->SetBoundary(&hit);
        off->SetBoundary(&hit);
        mOn[k] = on;
        mOff[k] = off;
        ShowOption(k, false);
    }
    return true;
}

void GMSurveillanceTapeControl::ShowOption(int aOption, bool aChosen)
{
    if (mOn[aOption] != nullptr) {
        mOn[aOption]->SetVisible(aChosen);
        mOff[aOption]->SetVisible(!aChosen);
    }
}

void GMSurveillanceTapeControl::Listen(bool aListen)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || aListen == mMouseListening) {
        return;
    }
    mMouseListening = aListen ? mouse->AddMember(this, 0.0f) : !mouse->RemoveListener(this);
}

void GMSurveillanceTapeControl::Show()
{
    if (mGroup != nullptr) {
        mGroup->SetVisible(true);
    }
    for (int k = 0; k < kOptions; ++k) {
        ShowOption(k, false);
    }
    mSelected = -1;
    Listen(true);
}

void GMSurveillanceTapeControl::Hide()
{
    if (mGroup != nullptr) {
        mGroup->SetVisible(false);
    }
    for (int k = 0; k < kOptions; ++k) {
        if (mOn[k] != nullptr) {
            mOn[k]->SetVisible(false);
            mOff[k]->SetVisible(false);
        }
    }
    Listen(false);
}

void GMSurveillanceTapeControl::Lock()
{
    mSelected = -1;
    mLocked = true;
    if (mGroup != nullptr) {
        mGroup->SetVisible(true);
    }
    for (int k = 0; k < kOptions; ++k) {
        ShowOption(k, false);
    }
    Listen(true);
}

void GMSurveillanceTapeControl::OnButtonDown(int)
{
    LMouse* mouse = LMouse::Get();
    if (mLocked || mouse == nullptr) {
        return;
    }
    LVector2 position;
    mouse->GetPosition(position);
    for (int k = 0; k < kOptions; ++k) {
        // The hit goes by the "on" sprite's box, which a hidden sprite still has.
        LSprite* on = mOn[k];
        if (on == nullptr || !on->HitTest(position)) {
            continue;
        }
        if (mSelected == k) {
            mSelected = -1;
            ShowOption(k, false);
            continue;
        }
        if (mSelected >= 0) {
            ShowOption(mSelected, false);
        }
        mSelected = k;
        ShowOption(k, true);
    }
}
