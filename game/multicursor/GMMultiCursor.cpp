#include "multicursor/GMMultiCursor.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LSprite.h"
#include "Gdi/LToolTip.h"
#include "Gdi/LToolTipManager.h"
#include "Input/LMouse.h"
#include "LImage.h"
#include "LPolygon.h"
#include "Render/LColor.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMIMultiCursorListener.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"
#include "time/LGameClock.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"

namespace {

// Owned by the display tree, not by a cleaner: the instance is adopted, never registered.
LSingleton<GMMultiCursor> sMenu;

const char16_t* const kTextureId = u"multicursor_tex";
const char16_t* const kTextureFile = u"//textures/multicursor.tga";
const char16_t* const kToolTipFile = u"//dataroot/assets/tooltips.txt";
const char16_t* const kToolTipPrefix = u"mctooltip_";

constexpr float kMenuZ = 9500.0f;
constexpr float kButtonZ = 10.0f;
constexpr float kButtonMouseOrder = -100.0f;
constexpr float kToolTipZ = 9700.0f;
constexpr float kRow = 51.0f;
constexpr float kFadeStep = 0.1f;
constexpr double kStepInterval = 0.015;
constexpr double kToolTipDelay = 1.0;
constexpr float kActionCost = 1.0f;

// One button, in action order: its id, the prefix of its look ids, the top of its row
// in the picture and its place on each side.
struct ButtonLayout
{
    const char16_t* mId;
    const char16_t* mLook;
    float mRowTop;
    LVector2 mPlace[2];
};

const ButtonLayout kButtons[GMMultiCursorAction::COUNT] = {
    {u"use", u"useButton", 51.0f, {LVector2(20.0f, 52.0f), LVector2(9.0f, 52.0f)}},
    {u"collect", u"collectButton", 102.0f, {LVector2(30.0f, 107.0f), LVector2(0.0f, 107.0f)}},
    {u"analyze", u"analyzeButton", 153.0f, {LVector2(20.0f, 163.0f), LVector2(9.0f, 163.0f)}},
    {u"talk", u"talkButton", 204.0f, {LVector2(0.0f, 215.0f), LVector2(27.0f, 215.0f)}},
    {u"look", u"eyeButton", 0.0f, {LVector2(0.0f, 0.0f), LVector2(27.0f, 0.0f)}},
};

// The looks of a button: suffix, button state, left column in the row.
struct LookLayout
{
    const char16_t* mSuffix;
    int mState;
    float mLeft;
};

const LookLayout kLooks[] = {
    {u"_n", XBTNSTATE_DISABLED, 0.0f},
    {u"_o", XBTNSTATE_NORMAL, 51.0f},
    {u"_d", XBTNSTATE_OVER, 102.0f},
};

// Texel rectangles are given as half-open spans, [left, right) and [top, bottom); the
// sprite takes the last pixel shown, one less.
LVector2 LastPixel(float aRight, float aBottom)
{
    return LVector2(aRight - 1.0f, aBottom - 1.0f);
}

// The menu picture of each side: texel corners and place.
struct MenuLayout
{
    LVector2 mFirst;
    LVector2 mLast;
    LVector2 mPlace;
};

const MenuLayout kMenus[2] = {
    {LVector2(153.0f, 0.0f), LastPixel(203.0f, 190.0f), LVector2(19.0f, 38.0f)},
    {LVector2(204.0f, 0.0f), LastPixel(255.0f, 190.0f), LVector2(10.0f, 38.0f)},
};

const LColor kToolTipFill(0.8f, 0.96f, 1.0f, 0.62f);
const LColor kDisabledToolTipFill(0.8f, 0.4f, 0.4f, 0.4f);
const LColor kToolTipStroke(1.0f, 0.0f, 0.0f, 0.0f);

const int kLookIndex = GMMultiCursorAction::LOOK - 1;

} // namespace

GMMultiCursor* GMMultiCursor::GetInstance()
{
    if (sMenu.Peek() != nullptr || sMenu.IsDestroyed()) {
        return sMenu.Peek();
    }
    GMMultiCursor* menu = L_NEW GMMultiCursor();
    if (menu == nullptr) {
        L_ERROR("GMMultiCursor creation failure.");
        return nullptr;
    }
    sMenu.Adopt(menu);
    menu->SetId(LString(u"multicursor"));
    menu->SetRelativeZ(kMenuZ);
    menu->SetVisible(false);
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->AddMember(menu);
    }
    return menu;
}

GMMultiCursor::GMMultiCursor()
{
    Build();
    MakeToolTips();
}

GMMultiCursor::~GMMultiCursor()
{
    // The menu goes with the display tree at exit, after the game's singletons and after
    // the engine's singletons made later than the display manager: each is looked up
    // again and may be gone.
    LeaveFrames();
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    mListener = nullptr;
    mPendingTip = nullptr;
    mShownTip = nullptr;
    if (LToolTipManager* tips = LToolTipManager::Get()) {
        for (int i = 0; i < GMMultiCursorAction::COUNT; ++i) {
            LToolTip* tip = nullptr;
            if (tips->RemoveToolTip(LString(kToolTipPrefix) + i, &tip) && tip != nullptr) {
                delete tip;
            }
        }
    }
    sMenu.Destroyed(this);
    // The group's destructor deletes the picture and the buttons.
}

LString GMMultiCursor::Dump() const
{
    return DumpHead("GMMultiCursor") + "]";
}

bool GMMultiCursor::Render(LRenderer* aRenderer)
{
    return LDisplayGroup::Render(aRenderer);
}

void GMMultiCursor::Build()
{
    LTextureManager* textures = LTextureManager::Get();
    mTexture = textures != nullptr ? textures->GetHandle(LString(kTextureId)) : 0;
    if (mTexture == 0 && textures != nullptr) {
        LImage* image = nullptr;
        if (!LImage::CreateFromFile(LString(kTextureFile), &image) || image == nullptr) {
            L_ASSERT_FAILURE("");
        } else {
            mTexture = textures->CreateTexture(LString(kTextureId), image);
        }
        delete image;
    }
    // Without the picture the sprites stay empty (the assertion above says why).
    const auto cut = [this](LSprite* aSprite, const LVector2& aFirst, const LVector2& aLast) {
        if (mTexture != 0) {
            aSprite->SetTexture(mTexture, &aFirst, &aLast);
        }
    };

    SetVisible(false);
    mMenu = L_NEW LSprite();
    if (mMenu != nullptr) {
        mMenu->SetId(LString(u"menusprite"));
        cut(mMenu, kMenus[0].mFirst, kMenus[0].mLast);
        mMenu->SetPosition(kMenus[0].mPlace);
        if (!AddMember(mMenu, true)) {
            delete mMenu;
            mMenu = nullptr;
        }
    }
    for (int i = 0; i < GMMultiCursorAction::COUNT; ++i) {
        const ButtonLayout& layout = kButtons[i];
        LButton* button = L_NEW LButton();
        if (button == nullptr) {
            continue;
        }
        button->SetId(LString(layout.mId));
        button->SetRelativeZ(kButtonZ);
        button->SetMouseOrder(this, kButtonMouseOrder);
        for (const LookLayout& look : kLooks) {
            LSprite* sprite = L_NEW LSprite();
            if (sprite == nullptr) {
                continue;
            }
            sprite->SetId(LString(layout.mLook) + LString(look.mSuffix));
            cut(sprite, LVector2(look.mLeft, layout.mRowTop), LastPixel(look.mLeft + kRow, layout.mRowTop + kRow));
            if (!button->AddButtonStateObject(look.mState, sprite)) {
                delete sprite;
            }
        }
        button->SetPosition(layout.mPlace[0]);
        button->SetEnabled(i == kLookIndex);
        if (!AddMember(button, true)) {
            delete button;
            continue;
        }
        mButtons[i] = button;
    }
}

void GMMultiCursor::MakeToolTips()
{
    LPropertyList texts;
    const bool loaded = texts.Load(LString(kToolTipFile), true);
    LFontManager* fonts = LFontManager::Get();
    LIFont* font = fonts != nullptr ? fonts->GetFont(LString(u"tahoma10black")) : nullptr;
    LToolTipManager* tips = LToolTipManager::Get();
    if (tips == nullptr) {
        return;
    }
    for (int i = 0; i < GMMultiCursorAction::COUNT; ++i) {
        LToolTip* tip = tips->CreateToolTip(font, LString(kToolTipPrefix) + i, kToolTipZ);
        mToolTips[i] = tip;
        if (tip == nullptr) {
            continue;
        }
        bool found = false;
        const LString text = loaded ? texts.GetString(LString(kButtons[i].mId), found) : LString();
        tip->SetFillColor(kToolTipFill);
        tip->SetStrokeColor(kToolTipStroke);
        tip->SetText(found ? text : LString());
        tip->Hide();
    }
}

double GMMultiCursor::Now()
{
    return LITimer::Now();
}

int GMMultiCursor::SetListener(GMIMultiCursorListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("SetListener failure. NULL arg.");
        return 0;
    }
    mListener = aListener;
    return 1;
}

int GMMultiCursor::RemoveListener(GMIMultiCursorListener* aListener)
{
    if (aListener == nullptr || mListener != aListener) {
        return 0;
    }
    mListener = nullptr;
    return 1;
}

int GMMultiCursor::SetActionEnabled(int aAction, bool aEnabled)
{
    if (LButton* button = GetButton(aAction)) {
        button->SetEnabled(aEnabled);
        button->SetStateDirty();
        button->UpdateAll();
    }
    return 1;
}

bool GMMultiCursor::IsActionEnabled(int aAction) const
{
    const LButton* button = GetButton(aAction);
    return button != nullptr && button->IsEnabled();
}

LButton* GMMultiCursor::GetButton(int aAction) const
{
    return GMMultiCursorAction::IsButton(aAction) ? mButtons[aAction - 1] : nullptr;
}

LToolTip* GMMultiCursor::GetToolTip(int aAction) const
{
    return GMMultiCursorAction::IsButton(aAction) ? mToolTips[aAction - 1] : nullptr;
}

void GMMultiCursor::SetSide(int aSide)
{
    LTextureManager* textures = LTextureManager::Get();
    mTexture = textures != nullptr ? textures->GetHandle(LString(kTextureId)) : 0;
    if (mTexture == 0) {
        return;
    }
    const int side = aSide == 1 ? 1 : 0;
    if (mMenu != nullptr) {
        mMenu->SetTexture(mTexture, &kMenus[side].mFirst, &kMenus[side].mLast);
        mMenu->SetPosition(kMenus[side].mPlace);
    }
    for (int i = 0; i < GMMultiCursorAction::COUNT; ++i) {
        if (mButtons[i] != nullptr) {
            mButtons[i]->SetPosition(kButtons[i].mPlace[side]);
        }
    }
}

bool GMMultiCursor::ShowAt(const LVector2& aPosition)
{
    if (IsVisible()) {
        return false;
    }
    SetPosition(aPosition.x, aPosition.y > MAX_Y ? MAX_Y : aPosition.y);
    mLastStep = Now();
    mBlend = 0.0f;
    mBlendStep = kFadeStep;
    SetBlend(0.0f);
    SetVisible(true);
    SetEnabled(true);
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString());
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(nullptr);
        mouse->Lock(mButtons[kLookIndex]);
        for (int i = 0; i < kLookIndex; ++i) {
            mouse->AddLock(mButtons[i]);
        }
        mouse->AddLock(this);
        mouse->AddLock(LCursor::Get());
        mouse->AddLock(GMCursor::GetInstance());
    }
    for (LButton* button : mButtons) {
        if (button != nullptr) {
            button->UpdateAll();
        }
    }
    mFading = true;
    JoinFrames();
    return true;
}

void GMMultiCursor::Hide(bool aDeactivate)
{
    // The buttons forget their press and the mouse over them as the fade-out disables
    // them.
    StartFadeOut(aDeactivate);
}

void GMMultiCursor::StartFadeOut(bool aDeactivate)
{
    mOpen = false;
    // Fading out, the menu is on its way: its buttons take no press (one there goes on to
    // what lies below), as once it is hidden, and forget any press and hover they had.
    SetEnabled(false);
    FadeOutToolTips();
    mDeactivateWhenHidden = aDeactivate;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(nullptr);
        mouse->Unlock(mButtons[kLookIndex]);
    }
    // Already hidden: no fade to run (it would wait for frames it no longer gets, and the
    // hidden buttons would stay active).
    if (!GetVisible() && !mFading) {
        if (aDeactivate) {
            SetActive(false);
        }
        return;
    }
    mLastStep = Now();
    mBlend = 1.0f;
    mBlendStep = -kFadeStep;
    mFading = true;
    JoinFrames();
}

void GMMultiCursor::FadeOutToolTips()
{
    // A tooltip still waiting for its delay would otherwise appear over a closing menu.
    mTipPending = false;
    mTipShown = false;
    mPendingTip = nullptr;
    mShownTip = nullptr;
    mHovered = -1;
    for (LToolTip* tip : mToolTips) {
        if (tip != nullptr && !tip->IsFadingOut()) {
            tip->FadeOut();
        }
    }
}

void GMMultiCursor::JoinFrames()
{
    LFrameManager* frames = LFrameManager::Get();
    if (!mInFrames && frames != nullptr) {
        mInFrames = frames->AddListener(this, 0.0f) != 0;
    }
}

void GMMultiCursor::LeaveFrames()
{
    LFrameManager* frames = LFrameManager::Get();
    if (mInFrames && frames != nullptr) {
        frames->RemoveListener(this);
    }
    mInFrames = false;
}

int GMMultiCursor::FindButton(const LVector2& aPoint)
{
    for (int i = 0; i < GMMultiCursorAction::COUNT; ++i) {
        LIDisplayObject* look = mButtons[i] != nullptr ? mButtons[i]->GetObject() : nullptr;
        if (look == nullptr) {
            continue;
        }
        look->GetWorldMatrix();
        LPolygon boundary;
        if (look->GetWorldBoundary(&boundary) && boundary.ContainsPoint(aPoint)) {
            return i;
        }
    }
    return -1;
}

void GMMultiCursor::OnFrame()
{
    const double now = Now();
    LVector2 mouse(0.0f, 0.0f);
    if (LMouse* device = LMouse::Get()) {
        device->GetPosition(mouse);
    }
    if (mOpen) {
        const int hovered = FindButton(mouse);
        if (hovered == -1) {
            mTipPending = false;
            mTipShown = false;
            if (mShownTip != nullptr) {
                mShownTip->FadeOut();
                mShownTip = nullptr;
            }
            mHovered = -1;
        } else if (hovered != mHovered) {
            if (mShownTip != nullptr) {
                mShownTip->FadeOut();
                mShownTip = nullptr;
            }
            mTipShown = false;
            mPendingTip = mToolTips[hovered];
            if (mPendingTip != nullptr) {
                mPendingTip->SetFillColor(mButtons[hovered]->IsEnabled() ? kToolTipFill : kDisabledToolTipFill);
            }
            mTipPending = true;
            mTipDue = now + kToolTipDelay;
            mHovered = hovered;
        }
    }
    if (mTipPending) {
        if (now > mTipDue) {
            mTipPending = false;
            mTipShown = true;
            const LVector2 at(mouse.x, mouse.y > 50.0f ? mouse.y - 20.0f : mouse.y + 30.0f);
            if (mPendingTip != nullptr) {
                mShownTip = mPendingTip;
                mShownTip->SetPosition(at);
                mShownTip->FadeIn();
            }
            mPendingTip = nullptr;
        }
        return;
    }
    if (!mFading || !(now - mLastStep > kStepInterval)) {
        return;
    }
    mBlend += mBlendStep;
    if (mBlend < 0.0f) {
        mBlend = 0.0f;
        SetVisible(false);
        mOpen = false;
        if (mDeactivateWhenHidden) {
            SetActive(false);
        }
        LeaveFrames();
        mFading = false;
    }
    if (mBlend > 1.0f) {
        mBlend = 1.0f;
        SetActive(true);
        mOpen = true;
        mFading = false;
    }
    SetBlend(mBlend);
    mLastStep = now;
}

void GMMultiCursor::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_PRESSED || !IsActive()) {
        return;
    }
    FadeOutToolTips();
    if (LGameClock* clock = LGameClock::Get()) {
        clock->Advance(kActionCost, true);
    }
    for (int i = 0; i < GMMultiCursorAction::COUNT; ++i) {
        if (aId.EqualsNoCase(LString(kButtons[i].mId))) {
            if (mListener != nullptr) {
                mListener->OnAction(GMMultiCursorAction::USE + i);
            }
            if (LMouse* mouse = LMouse::Get()) {
                mouse->Interrupt();
            }
            return;
        }
    }
}

void GMMultiCursor::OnButtonDown(int aButton)
{
    if (aButton != 1) {
        return;
    }
    LMouse* mouse = LMouse::Get();
    LVector2 point(0.0f, 0.0f);
    if (mouse != nullptr) {
        mouse->GetPosition(point);
    }
    if (FindButton(point) != -1) {
        return; // the button's own business
    }
    if (mListener != nullptr) {
        mListener->OnAction(GMMultiCursorAction::NONE);
    }
    StartFadeOut(false);
    JoinFrames();
    if (mouse != nullptr) {
        mouse->Interrupt();
    }
}

void GMMultiCursor::OnButtonUp(int aButton)
{
    if (aButton == 1) {
        UpdateActive();
    }
}
