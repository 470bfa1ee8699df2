// GMPDA: its input (the menu key, its buttons, the mouse over them), the frame pass and
// the fades.
#include "pda/GMPDA.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LToolTip.h"
#include "pda/GMPDAReading.h"
#include "pda/GMPhonePanel.h"
#include "stdlib/LFrameManager.h"
#include "time/LITimer.h"
#include "ui/GMScreenFader.h"

using namespace GMPDAReading;

void GMPDA::PressMenu()
{
    SetSceneInput(false);
    GMScene* scene = GMSceneManager::GetCurrentScene();
    const LVector3* position = scene != nullptr ? scene->GetPlayerPosition() : nullptr;
    const LVector3* direction = scene != nullptr ? scene->GetPlayerDirection() : nullptr;
    LStateManager* states = LStateManager::Get();
    if (position == nullptr || direction == nullptr || states == nullptr) {
        L_ASSERT_FAILURE("Player place not recorded.");
    } else {
        AddNumberState(states, "sta_playerpos_x", position->x);
        AddNumberState(states, "sta_playerpos_z", position->z);
        AddNumberState(states, "sta_playerdir_x", direction->x);
        AddNumberState(states, "sta_playerdir_z", direction->y);
    }
    CloseToBar();
    InterruptMouse();
    if (GMScene* now = GMSceneManager::GetCurrentScene()) {
        now->StopAudio();
    }
    if (states != nullptr) {
        states->SetState(LString("sta_mainmenu_active"), LString("boolean"), LString("true"), true);
    }
    InterruptMouse();
}

void GMPDA::OnButton(const LString& aId, int aEvent)
{
    bool menuButton = false;
    for (int i = 0; i < 5; ++i) {
        if (aId == LString(kMenuIds[i])) {
            mToolTipIndex = i;
            menuButton = true;
        }
    }
    if (mToolTip != nullptr) {
        mToolTip->SetActive(menuButton);
    }
    if (mBusy || mGroup == nullptr || !mGroup->GetActive()) {
        return;
    }
    if (mCurrentPanel != nullptr && mCurrentPanel->GetId().EqualsNoCase(aId)) {
        return;
    }
    if (aEvent == XBTNEVENT_PRESSED) {
        if (mToolTip != nullptr) {
            mToolTip->FadeOut();
        }
        mBusy = true;
        if (aId == LString("menu")) {
            PressMenu();
            mBusy = false;
        } else if (aId == LString("exit")) {
            CloseToBar();
            InterruptMouse();
            mBusy = false;
        } else if (aId == LString("dragbutton")) {
            mDragging = true;
            LMouse* mouse = LMouse::Get();
            LVector2 at(0.0f, 0.0f);
            if (mouse != nullptr) {
                mouse->GetPosition(at);
                mouse->Lock(this);
                if (LCursor* cursor = LCursor::Get()) {
                    mouse->AddLock(cursor);
                }
                mouse->Interrupt();
            }
            mDragOffset = mGroup->GetLocalPosition() - at;
            mBusy = false;
        } else {
            InterruptMouse();
            if (!ScenePanelsAllowed() && !(aId == LString("map"))) {
                mBusy = false;
            } else if (!SetPanel(aId) && !mFrameListening) {
                mBusy = false;
            }
        }
        return;
    }
    if (aEvent == XBTNEVENT_ENTER) {
        mHoveredIndex = mToolTipIndex;
        const LString text = mToolTipIndex >= 0 && mToolTipIndex < mToolTipTexts.GetCount()
                                 ? mToolTipTexts.GetRef(mToolTipIndex)
                                 : LString();
        LMouse* mouse = LMouse::Get();
        if (text.IsEmpty() || mToolTip == nullptr || mouse == nullptr) {
            return;
        }
        LVector2 at(0.0f, 0.0f);
        mouse->GetPosition(at);
        mToolTip->SetText(text);
        mToolTip->SetPosition(at.x, at.y > 50.0f ? at.y - 20.0f : at.y + 30.0f);
        mToolTip->FadeIn();
        return;
    }
    if (aEvent == XBTNEVENT_LEAVE) {
        if (mHoveredIndex == mToolTipIndex && mToolTip != nullptr) {
            mToolTip->FadeOut();
        }
        return;
    }
    SetMenuButtonsForPanel(true);
}

void GMPDA::OnMove(const LVector2& aPosition)
{
    if (!mDragging) {
        L_ASSERT_FAILURE("Listening for mouse events while not dragging.");
    }
    if (mGroup != nullptr) {
        mGroup->SetPosition(aPosition + mDragOffset);
    }
}

void GMPDA::OnButtonUp(int aButton)
{
    if (aButton != 1) {
        return;
    }
    mDragging = false;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(this);
    }
    if (mDragButton != nullptr) {
        mDragButton->ResetState();
    }
}

void GMPDA::OnFrame()
{
    if (LITimer::Now() <= mBusyUntil) {
        return;
    }
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
    mFrameListening = false;
    mBusy = false;
}

void GMPDA::OnFade(int aEvent)
{
    if (aEvent != 2) {
        return;
    }
    GMScreenFader* fader = GMScreenFader::GetInstance();
    bool ok = fader != nullptr && fader->RemoveListener(this);
    ok = fader != nullptr && fader->FadeIn() && ok;
    Minimize(true);
    ok = Close() != 0 && ok;
    if (!ok) {
        L_ASSERT_FAILURE("OnFade failure.");
    }
}
