#include "menu/GMMenuButton.h"

#include "Gdi/LIButtonListener.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"

namespace {
constexpr float kFadeStep = 0.1f;
constexpr float kFadeInterval = 0.025f;
constexpr float kHilightZ = 10.0f;
constexpr int kClicked = 4;
// Sprite slots by the letter a layout gives in "type".
constexpr char kTypes[] = {'n', 'o', 'd', 'x', 'h'};
constexpr const char16_t* kTypeNames[] = {u"n", u"o", u"d", u"x", u"h"};

int SlotOf(const LString& aType)
{
    for (int slot = 0; slot < static_cast<int>(sizeof(kTypes)); ++slot) {
        if (aType.EqualsNoCase(kTypeNames[slot])) {
            return slot;
        }
    }
    return -1;
}

LVector2 MousePosition()
{
    LVector2 position(0.0f, 0.0f);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(position);
    }
    return position;
}
} // namespace

GMMenuButton::GMMenuButton() = default;

GMMenuButton::~GMMenuButton()
{
    ListenToMouse(false);
    if (mInFrames) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mInFrames = false;
    }
    delete mActiveArea;
    mActiveArea = nullptr;
    mListener = nullptr;
    // The group's destructor deletes the sprites with the other members.
}

LString GMMenuButton::Dump() const
{
    return DumpHead("GMMenuButton") + "]";
}

double GMMenuButton::Now()
{
    return LITimer::Now();
}

int GMMenuButton::Create(LPropertyList* aList, LIButtonListener* aListener)
{
    if (aList == nullptr) {
        L_ERROR("Create failure. NULL arg.");
        return 0;
    }
    bool found = false;
    const LString id = aList->GetString(LString("id"), found);
    if (!found || !SetId(id)) {
        L_ERROR("Create failure. 'id' not found.");
        return 0;
    }
    const LVectorFloat position = aList->GetVectorFloat(LString("position"), found);
    if (found && position.GetCount() == 2) {
        SetPosition(position[0], position[1]);
    } else {
        SetPosition(0.0f, 0.0f);
    }

    const LVectorFloat area = aList->GetVectorFloat(LString("activearea"), found);
    if (!found) {
        L_ERROR(LString("Create failure. 'activearea' not found: ") + id);
        return 0;
    }
    // A region needs three corners; an unpaired number would be silently dropped.
    if (area.GetCount() < 6 || area.GetCount() % 2 != 0) {
        L_ERROR(LString("Create failure. 'activearea' needs pairs of numbers for three points or more: ") + id);
        return 0;
    }
    LPropertyList* states = aList->GetList(LString("states"));
    if (states == nullptr) {
        L_ERROR(LString("Create failure. 'states' not found: ") + id);
        return 0;
    }
    delete mActiveArea;
    mActiveArea = L_NEW LPolygon(area, true);

    for (int i = 0; i < states->GetCount(); ++i) {
        LPropertyList* entry = states->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        const LString type = entry->GetString(LString("type"), found);
        const int slot = found ? SlotOf(type) : -1;
        if (slot < 0) {
            L_WARNING(LString("Create: state sprite without a known 'type' left out: ") + id);
            continue;
        }
        if (mSprites[slot] != nullptr) {
            L_WARNING(LString("Create: second state sprite of type '") + type + "' left out: " + id);
            continue;
        }
        LSprite* sprite = LLayoutBuilder::BuildSprite(entry);
        if (sprite == nullptr) {
            continue;
        }
        if (!AddMember(sprite, true)) {
            L_ERROR(LString("Create: state sprite refused by the group: ") + id);
            delete sprite;
            continue;
        }
        mSprites[slot] = sprite;
    }

    Show(SPRITE_NORMAL, true);
    if (mSprites[SPRITE_OVER] != nullptr) {
        mSprites[SPRITE_OVER]->SetBlend(0.0f);
    }
    Show(SPRITE_OVER, false);
    Show(SPRITE_DOWN, false);
    Show(SPRITE_DISABLED, false);
    if (mSprites[SPRITE_HILIGHT] != nullptr) {
        ResortMember(mSprites[SPRITE_HILIGHT]->GetId(), kHilightZ);
    }
    Show(SPRITE_HILIGHT, false);

    mListener = aListener;
    mState = STATE_NORMAL;
    ListenToMouse(true);
    LFrameManager* frames = LFrameManager::Get();
    if (!mInFrames && frames != nullptr) {
        mInFrames = frames->AddListener(this, 0.0f) != 0;
    }
    return 1;
}

LSprite* GMMenuButton::GetStateSprite(char aType) const
{
    for (int slot = 0; slot < SPRITE_COUNT; ++slot) {
        if (kTypes[slot] == aType) {
            return mSprites[slot];
        }
    }
    return nullptr;
}

void GMMenuButton::Show(int aSprite, bool aVisible)
{
    if (mSprites[aSprite] != nullptr) {
        mSprites[aSprite]->SetVisible(aVisible);
    }
}

void GMMenuButton::ShowOnly(int aSprite)
{
    for (int slot = 0; slot < SPRITE_COUNT; ++slot) {
        Show(slot, slot == aSprite);
    }
}

void GMMenuButton::ListenToMouse(bool aOn)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        mInMouse = false;
        return;
    }
    if (aOn && !mInMouse) {
        mInMouse = mouse->AddMember(this, 0.0f);
    } else if (!aOn && mInMouse) {
        mouse->RemoveListener(this);
        mInMouse = false;
    }
}

void GMMenuButton::StartFade(float aStep)
{
    mFadeStep = aStep;
    mFading = 1;
}

void GMMenuButton::StopFade()
{
    mFading = 0;
}

bool GMMenuButton::SetEnabled(bool aEnabled)
{
    const bool result = LDisplayGroup::SetEnabled(aEnabled);
    // A fade left running would go on to hide the normal picture, or show the over one.
    StopFade();
    if (mSprites[SPRITE_OVER] != nullptr) {
        mSprites[SPRITE_OVER]->SetBlend(0.0f);
    }
    if (aEnabled) {
        mState = STATE_NORMAL;
        ShowOnly(SPRITE_NORMAL);
        ListenToMouse(true);
    } else {
        mState = STATE_DISABLED;
        ShowOnly(SPRITE_DISABLED);
        ListenToMouse(false);
    }
    return result;
}

void GMMenuButton::SetSelected(bool aSelected)
{
    StopFade();
    if (mSprites[SPRITE_OVER] != nullptr) {
        mSprites[SPRITE_OVER]->SetBlend(0.0f);
    }
    if (aSelected) {
        mState = STATE_SELECTED;
        ShowOnly(SPRITE_HILIGHT);
        ListenToMouse(false);
    } else {
        // The normal state is an enabled one.
        LDisplayGroup::SetEnabled(true);
        mState = STATE_NORMAL;
        ShowOnly(SPRITE_NORMAL);
        ListenToMouse(true);
    }
}

bool GMMenuButton::Inside(const LVector2& aPoint) const
{
    return mActiveArea != nullptr && mActiveArea->ContainsPoint(aPoint);
}

void GMMenuButton::OnMove(const LVector2& aPosition)
{
    // A button in a disabled group (a screen fading away) takes no input.
    if (!IsEnabled()) {
        return;
    }
    const bool inside = Inside(aPosition);
    if (inside && mState == STATE_NORMAL) {
        mState = STATE_OVER;
        Show(SPRITE_OVER, true);
        StartFade(kFadeStep);
    } else if (!inside && mState == STATE_OVER) {
        mState = STATE_NORMAL;
        // A full fade-in hid the normal picture: it must be back under the fading over one.
        Show(SPRITE_OVER, true);
        Show(SPRITE_NORMAL, true);
        StartFade(-kFadeStep);
    }
}

void GMMenuButton::OnButtonDown(int /*aButton*/)
{
    if (!IsEnabled()) {
        return;
    }
    if (mState != STATE_OVER || !Inside(MousePosition())) {
        return;
    }
    mState = STATE_PRESSED;
    Show(SPRITE_DOWN, true);
    StopFade();
    if (mSprites[SPRITE_OVER] != nullptr) {
        mSprites[SPRITE_OVER]->SetBlend(1.0f);
    }
    Show(SPRITE_OVER, false);
}

void GMMenuButton::OnButtonUp(int /*aButton*/)
{
    if (mState != STATE_PRESSED || !IsEnabled()) {
        return;
    }
    if (Inside(MousePosition())) {
        mState = STATE_OVER;
        Show(SPRITE_OVER, true);
        Show(SPRITE_DOWN, false);
        // Last: the listener may delete the button.
        if (mListener != nullptr) {
            mListener->OnButton(mId, kClicked);
        }
        return;
    }
    mState = STATE_NORMAL;
    Show(SPRITE_OVER, true);
    Show(SPRITE_NORMAL, true);
    Show(SPRITE_DOWN, false);
    StartFade(-kFadeStep);
}

void GMMenuButton::OnFrame()
{
    if (mFading == 0) {
        return;
    }
    LSprite* over = mSprites[SPRITE_OVER];
    if (over == nullptr) {
        StopFade();
        return;
    }
    const float now = static_cast<float>(Now());
    if (now - mLastFadeTime <= kFadeInterval) {
        return;
    }
    // The sprite's own blend: its world blend would carry a parent's fade into every step
    // and a half-faded screen would never reach full over.
    const float blend = over->GetBlend() + mFadeStep;
    if (blend < 0.0f) {
        StopFade();
        over->SetVisible(false);
        over->SetBlend(0.0f);
    } else if (blend > 1.0f) {
        StopFade();
        over->SetBlend(1.0f);
        Show(SPRITE_NORMAL, false);
    } else {
        over->SetBlend(blend);
    }
    mLastFadeTime = now;
}
