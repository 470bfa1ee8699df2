// GMScene: input.
#include "scene/GMScene.h"

#include "Gdi/LCursor.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LString.h"
#include "scene/GMHotspot.h"
#include "ui/GMCursor.h"
#include "ui/GMPicker.h"

// Input ------------------------------------------------------------------------------

void GMScene::SetInput(bool aEnabled)
{
    if (LMouse* mouse = LMouse::Get()) {
        if (aEnabled && mListenerRegistered == 0) {
            mListenerRegistered = mouse->AddMember(this, kMousePriority) ? 1 : 0;
        } else if (!aEnabled && mListenerRegistered != 0) {
            mouse->RemoveListener(this);
            mListenerRegistered = 0;
        }
    }
    mInputEnabled = aEnabled ? 1 : 0;
    SetHotspotsEnabled(aEnabled);
}

void GMScene::SetInputEnabled(bool aEnabled)
{
    if ((mInputEnabled != 0) == aEnabled || (aEnabled && mActive == 0)) {
        return;
    }
    SetInput(aEnabled);
}

void GMScene::SetHotspotsEnabled(bool aEnabled)
{
    for (int i = 0; i < GetHotspotCount(); ++i) {
        GetHotspot(i)->SetInputEnabled(aEnabled);
    }
}

void GMScene::SetMouseLock(bool aLock)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        return;
    }
    if (aLock) {
        mMouseLock = mouse->Lock(this) ? 1 : 0;
    } else {
        mouse->Unlock(this);
        mMouseLock = 0;
    }
}

void GMScene::OnClick(int aButton, bool aRun)
{
    LMouse* mouse = LMouse::Get();
    if (mMouseLock != 0 && mouse != nullptr) {
        mouse->Interrupt();
    }
    if (mInputEnabled == 0) {
        return;
    }
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr && cursor->GetType() == GMCursor::TYPE_ITEM) {
        // The click only puts the item back.
        cursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
        cursor->ReleaseCursor(LString());
        if (mouse != nullptr) {
            mouse->Interrupt();
        }
        UpdateHotspots();
        return;
    }
    if (aButton != 1 || mPicker == nullptr || mouse == nullptr) {
        return;
    }
    LVector2 position(0.0f, 0.0f);
    mouse->GetPosition(position);
    mPicker->Pick(static_cast<int>(position.x), static_cast<int>(position.y), aRun);
}

void GMScene::OnDoubleClick(int aButton)
{
    OnClick(aButton, true);
}

void GMScene::OnButtonDown(int aButton)
{
    OnClick(aButton, false);
}

void GMScene::OnMove(const LVector2& aPosition)
{
    GMCursor* cursor = GMCursor::GetInstance();
    if (LCursor* engineCursor = cursor != nullptr ? cursor->GetEngineCursor() : nullptr) {
        engineCursor->OnMove(aPosition);
    }
}

void GMScene::OnButtonUp(int)
{
    LMouse* mouse = LMouse::Get();
    if (mMouseLock != 0 && mouse != nullptr) {
        mouse->Interrupt();
    }
}

void GMScene::UpdateHotspots()
{
    LVector2 position(0.0f, 0.0f);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(position);
    }
    for (int i = 0; i < GetHotspotCount(); ++i) {
        GMHotspot* hotspot = GetHotspot(i);
        hotspot->UpdateActive();
        if (mInputEnabled != 0 && hotspot->IsActive() && hotspot->IsInputEnabled()) {
            hotspot->OnMove(position);
        }
    }
}

void GMScene::OnPDAEvent(int aCode)
{
    if (aCode == EVENT_MINIMIZED) {
        if (mInputEnabled == 0 && mActive != 0) {
            SetInput(true);
        }
    } else if (aCode == EVENT_OPENED) {
        SetInputEnabled(false);
    }
}

void GMScene::OnInterviewEvent(int aCode)
{
    if (aCode == EVENT_TAKEN_OVER) {
        SetInputEnabled(false);
    } else if (aCode == EVENT_RETURNED) {
        SetInputEnabled(true);
    }
}
