#include "puzzles/combination/GMKeypadButton.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "LVector2.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "puzzles/combination/GMCombinationLockPuzzle.h"
#include "stdlib/LLog.h"

GMKeypadButton::GMKeypadButton() = default;

GMKeypadButton::~GMKeypadButton()
{
    if (mListening) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
    delete mActiveArea;
    delete mClick;
}

LString GMKeypadButton::Dump() const
{
    return DumpHead("GMKeypadButton") + " " + GetId() + "]";
}

bool GMKeypadButton::Create(LPropertyList* aList, GMCombinationLockPuzzle* aOwner)
{
    mOwner = aOwner;
    if (aList == nullptr) {
        return false;
    }
    bool found = false;
    const LString id = aList->GetString(LString("id"), found);
    if (!found) {
        return false;
    }
    SetId(id);
    const LVectorFloat position = aList->GetVectorFloat(LString("position"), found);
    if (!found) {
        return false;
    }
    if (position.GetCount() == 2) {
        SetPosition(position[0], position[1]);
    }
    const LVectorFloat area = aList->GetVectorFloat(LString("activearea"), found);
    if (!found) {
        return false;
    }
    delete mActiveArea;
    mActiveArea = L_NEW LPolygon(area, true);
    LPropertyList* spriteList = aList->GetList(LString("sprite"));
    LSprite* sprite = spriteList != nullptr ? LLayoutBuilder::BuildSprite(spriteList) : nullptr;
    if (sprite == nullptr) {
        return false;
    }
    sprite->SetVisible(false);
    if (!AddMember(sprite, true)) {
        L_ASSERT_FAILURE(LString());
        delete sprite;
        return false;
    }
    mPressed = sprite;
    LMouse* mouse = LMouse::Get();
    mListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    return true;
}

void GMKeypadButton::OnButtonDown(int)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || mActiveArea == nullptr || mPressed == nullptr ||
        (mOwner != nullptr && mOwner->IsSolved())) {
        return;
    }
    LVector2 position;
    mouse->GetPosition(position);
    if (!mActiveArea->ContainsPoint(position)) {
        return;
    }
    mPressed->SetVisible(true);
    delete mClick;
    mClick = nullptr;
    LISoundManager* sounds = LISoundManager::Get();
    mClick = sounds != nullptr ? sounds->CreateStream(LString(kClickStream), LString(kClickSound)) : nullptr;
    if (mClick != nullptr) {
        mClick->Play();
    }
}

void GMKeypadButton::OnButtonUp(int)
{
    if (mPressed == nullptr || !mPressed->GetVisible()) {
        return;
    }
    if (mOwner != nullptr) {
        mOwner->OnKey(GetId());
    }
    mPressed->SetVisible(false);
}
