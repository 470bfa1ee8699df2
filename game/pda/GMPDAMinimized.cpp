#include "pda/GMPDAMinimized.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "pda/GMIPDAListener.h"
#include "pda/GMPDA.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "ui/GMScreenFader.h"

#include <initializer_list>
#include "util/GMCleaner.h"
#include "util/GMOptions.h"
#include "util/GMTextureRoot.h"

namespace {

GMSingleton<GMPDAMinimized> sBar;

const char* const kIconIds[GMPDAMinimized::kIconCount] = {"icon_map", "icon_phone", "icon_evidence"};
const char* const kMoveOwner = "pdaminmove";
const char* const kMaximizeOwner = "pdaminmaximize";
const char* const kSoundId = "messageFlash";
// Where the bar may be dragged to.
constexpr float kMinX = 0.0f;
constexpr float kMaxX = 630.0f;
constexpr float kMinY = 5.0f;
constexpr float kMaxY = 492.0f;
constexpr float kDragPriority = -100.0f;

void Notify(int aCode)
{
    if (GMPDA* pda = GMPDA::GetInstance()) {
        pda->NotifyListener(aCode);
    }
}

void HandCursor(const char* aOwner)
{
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr && cursor->GetType() != GMCursor::TYPE_HAND) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString(aOwner));
    }
}

void ReleaseCursor(const char* aOwner)
{
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->ReleaseCursor(LString(aOwner));
    }
}

void InterruptMouse()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

} // namespace

GMPDAMinimized* GMPDAMinimized::GetInstance()
{
    return sBar.Get(L_FILE, __LINE__, "GMPDAMinimized creation failure.");
}

GMPDAMinimized* GMPDAMinimized::Peek()
{
    return sBar.Peek();
}

GMPDAMinimized::GMPDAMinimized()
{
    if (GMScreenFader* fader = GMScreenFader::GetInstance()) {
        fader->SetActive(false);
    }
}

GMPDAMinimized::~GMPDAMinimized()
{
    sBar.Destroyed(this);
    if (mFrameListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
    ListenToMouse(false, 0.0f);
    delete mMessageSound;
    mMessageSound = nullptr;
    EndNewItem();
    // Deleting the root deletes the buttons, which leave the mouse.
    delete mRoot;
    mRoot = nullptr;
    mBar = nullptr;
}

LString GMPDAMinimized::Dump() const
{
    return DumpHead("GMPDAMinimized") + "]";
}

bool GMPDAMinimized::HiddenMode()
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr && options->GetToggle(1) == 1;
}

bool GMPDAMinimized::Build()
{
    if (mBuilt) {
        return mBar != nullptr;
    }
    mBuilt = true;
    GMTextureRoot root(LString("//textures/pda"));
    LPropertyList layout;
    if (!layout.Load(LString("//textures/pda/pda_minimized_layout.txt"), true)) {
        L_ASSERT_FAILURE("Minimized PDA layout not loaded.");
    }
    LPropertyList* groups = layout.GetList(LString("groups"));
    if (groups == nullptr) {
        L_ASSERT_FAILURE("'groups' not found.");
    }
    mRoot = L_NEW LDisplayGroup();
    if (mRoot != nullptr) {
        mRoot->SetId(LString("groups"));
        mRoot->SetRelativeZ(kRootZ);
        if (groups != nullptr && !LLayoutBuilder::BuildGroups(groups, mRoot)) {
            L_ASSERT_FAILURE("Minimized PDA groups build failure.");
        }
        mBar = dynamic_cast<LDisplayGroup*>(mRoot->GetMember(LString("layout")));
    }
    if (mBar == nullptr) {
        L_ASSERT_FAILURE("'layout' not found.");
    } else {
        mBarPosition = mHomePosition = mBar->GetLocalPosition();
        mBlinkers = dynamic_cast<LDisplayGroup*>(mBar->GetMember(LString("blinkers")));
        if (mBlinkers == nullptr) {
            L_ASSERT_FAILURE("'blinkers' not found.");
        }
        for (int i = 0; i < kIconCount; ++i) {
            mIcons[i] = mBlinkers != nullptr ? mBlinkers->GetMember(LString(kIconIds[i])) : nullptr;
            if (mIcons[i] == nullptr) {
                L_ASSERT_FAILURE(LString("Icon not found: ") + kIconIds[i]);
            } else {
                mIcons[i]->SetVisible(false);
            }
        }
        mMoveButton = dynamic_cast<LButton*>(mBar->GetMember(LString("move")));
        mMaximizeButton = dynamic_cast<LButton*>(mBar->GetMember(LString("maximize")));
        for (LButton* button : {mMoveButton, mMaximizeButton}) {
            if (button == nullptr) {
                L_ASSERT_FAILURE("Minimized PDA button not found.");
                continue;
            }
            button->RemoveListener();
            if (!button->SetListener(this)) {
                L_ASSERT_FAILURE("Minimized PDA button listener refused: " + button->GetId());
            }
        }
    }
    return mBar != nullptr;
}

void GMPDAMinimized::RegisterButtons(bool aRegister)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        return;
    }
    for (LButton* button : {mMoveButton, mMaximizeButton}) {
        if (button == nullptr) {
            continue;
        }
        if (aRegister) {
            mouse->AddMember(button, 0.0f);
        } else {
            mouse->RemoveListener(button);
        }
    }
}

void GMPDAMinimized::ListenToMouse(bool aListen, float aPriority)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || aListen == mMouseListening) {
        return;
    }
    mMouseListening = aListen ? mouse->AddMember(this, aPriority) : !mouse->RemoveListener(this);
}

void GMPDAMinimized::Show()
{
    if (!Build() || mRoot == nullptr) {
        return;
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display != nullptr && mRoot->GetGroup() == nullptr) {
        display->AddMember(mRoot);
    }
    if (!HiddenMode()) {
        RegisterButtons(true);
        ListenToMouse(false, 0.0f);
        mBar->SetActive(true);
        return;
    }
    mBar->SetActive(false);
    mBarPosition = mHomePosition;
    mBar->SetPosition(mBarPosition);
    ListenToMouse(true, 0.0f);
    if (IsAnimating()) {
        mBar->SetActive(true);
    }
}

void GMPDAMinimized::Hide()
{
    RegisterButtons(false);
    if (mRoot != nullptr && mRoot->GetGroup() != nullptr) {
        if (LDisplayManager* display = LDisplayManager::Get()) {
            display->RemoveMember(mRoot);
        }
    }
}

bool GMPDAMinimized::IsShown() const
{
    return mRoot != nullptr && mBar != nullptr && mRoot->GetGroup() != nullptr && mBar->IsActive();
}

LIDisplayObject* GMPDAMinimized::GetIcon(int aIndex) const
{
    return aIndex >= 0 && aIndex < kIconCount ? mIcons[aIndex] : nullptr;
}

int GMPDAMinimized::Maximize(bool aAnimate)
{
    if (!mMinimized || mMaximizing) {
        return 0;
    }
    if (mFlashing) {
        StopFlash(mFlashIcon);
    }
    GMPDA* pda = GMPDA::GetInstance();
    if (aAnimate) {
        if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
            scene->SetInputEnabled(false);
        }
        mAnimationStart = LITimer::Now();
        mAnimatedPosition = mBarPosition;
        if (pda != nullptr && pda->GetGroup() != nullptr) {
            mPDAPosition = pda->GetGroup()->GetWorldPosition();
        }
        mScale = kStartScale;
        mMaximizing = true;
        StartFrames();
        if (mBlinkers != nullptr) {
            mBlinkers->SetActive(false);
        }
        HandCursor("");
    } else {
        Hide();
        if (pda != nullptr) {
            pda->Open();
        }
        mMinimized = false;
    }
    Notify(GMIPDAListener::EVENT_MAXIMIZE_REQUESTED);
    return 1;
}

int GMPDAMinimized::Minimize(bool aAnimate)
{
    // The PDA's own close asks for an immediate minimize: a running zoom goes on alone.
    if (mMinimized || mMinimizing) {
        return 0;
    }
    GMPDA* pda = GMPDA::GetInstance();
    if (aAnimate && !HiddenMode() && Build()) {
        mAnimationStart = LITimer::Now();
        if (pda != nullptr && pda->GetGroup() != nullptr) {
            mPDAPosition = pda->GetGroup()->GetWorldPosition();
        }
        mAnimatedPosition = mPDAPosition;
        mScale = kEndScale;
        mMinimizing = true;
        StartFrames();
        Show();
        Animate(mAnimationStart);
        ReleaseCursor("");
        Notify(GMIPDAListener::EVENT_MINIMIZE_STARTED);
        return 0;
    }
    if (Build()) {
        mBar->SetPosition(mBarPosition);
        mBar->SetScale(1.0f, 1.0f);
        mBar->SetBlend(1.0f);
        if (mBlinkers != nullptr) {
            mBlinkers->SetActive(true);
        }
    }
    mMinimized = true;
    if (pda != nullptr) {
        pda->Close();
    }
    ReleaseCursor("");
    if (!HiddenMode()) {
        Show();
    }
    Notify(GMIPDAListener::EVENT_MINIMIZED);
    return 1;
}

void GMPDAMinimized::StartFrames()
{
    if (mFrameListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
}

void GMPDAMinimized::StopFramesIfIdle()
{
    if (!mFrameListening || mNewItemBlinking || mFlashing || mMaximizing || mMinimizing) {
        return;
    }
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
    mFrameListening = false;
}

void GMPDAMinimized::OnFrame()
{
    const double now = LITimer::Now();
    if (mNewItemBlinking) {
        BlinkNewItem(now);
    }
    if (mFlashing) {
        FlashIcon(now);
    }
    if (IsAnimating()) {
        Animate(now);
    }
    StopFramesIfIdle();
}

void GMPDAMinimized::BlinkNewItem(double aNow)
{
    if (aNow - mLastNewItemToggle <= kNewItemToggle || mNewItem == nullptr) {
        return;
    }
    mNewItem->SetVisible(!mNewItem->GetVisible());
    mLastNewItemToggle = aNow;
    if (++mNewItemToggles >= 4) {
        EndNewItem();
    }
}

void GMPDAMinimized::FlashIcon(double aNow)
{
    LIDisplayObject* icon = GetIcon(mFlashIcon);
    if (aNow > mNextFlashToggle) {
        if (icon != nullptr) {
            icon->SetVisible(!icon->GetVisible());
        }
        mNextFlashToggle = aNow + mFlashPeriod;
    }
    if (mFlashEnd > 0.0 && aNow > mFlashEnd) {
        mFlashing = false;
        if (icon != nullptr) {
            icon->SetVisible(false);
        }
    }
}

void GMPDAMinimized::Animate(double aNow)
{
    float t = static_cast<float>((aNow - mAnimationStart) / kAnimationTime);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    LVector2 position;
    if (mMaximizing) {
        mScale = kStartScale + (kEndScale - kStartScale) * t;
        position = mBarPosition + (mPDAPosition - mBarPosition) * t;
        mBlend = 1.0f - t;
    } else {
        mScale = kEndScale - (kEndScale - kStartScale) * t;
        position = mPDAPosition - (mPDAPosition - mBarPosition) * t;
        mBlend = t;
    }
    mAnimatedPosition = position;
    if (mBar != nullptr) {
        mBar->SetPosition(position);
        mBar->SetScale(mScale);
        mBar->SetBlend(mBlend);
    }
    if (t < 1.0f) {
        return;
    }
    const bool maximized = mMaximizing;
    mMaximizing = false;
    mMinimizing = false;
    if (maximized) {
        Hide();
        if (GMPDA* pda = GMPDA::GetInstance()) {
            pda->Open();
        }
        mMinimized = false;
        Notify(GMIPDAListener::EVENT_MAXIMIZED);
        return;
    }
    if (mBlinkers != nullptr) {
        mBlinkers->SetActive(true);
    }
    mMinimized = true;
    Notify(GMIPDAListener::EVENT_MINIMIZED);
    if (HiddenMode()) {
        Hide();
    }
}

int GMPDAMinimized::Flash(int aIcon, float aDuration, float aPeriod)
{
    if (aIcon < 0 || aIcon >= kIconCount) {
        L_ERROR(LString("Flash failure. Invalid icon: ") + aIcon);
        return 0;
    }
    Build();
    if (mFlashing && aIcon != mFlashIcon && mIcons[mFlashIcon] != nullptr) {
        mIcons[mFlashIcon]->SetVisible(false);
    }
    const double now = LITimer::Now();
    mFlashEnd = aDuration > 0.0f ? now + aDuration : 0.0;
    mFlashPeriod = aPeriod;
    mFlashIcon = aIcon;
    if (mIcons[aIcon] != nullptr) {
        mIcons[aIcon]->SetVisible(true);
    }
    mFlashing = true;
    mNextFlashToggle = now + aPeriod;
    StartFrames();
    PlayMessageSound();
    return 1;
}

void GMPDAMinimized::PlayMessageSound()
{
    // A sound still playing is stopped and deleted first: its end notice must not reach
    // the new one.
    if (mMessageSound != nullptr) {
        mMessageSound->SetListener(nullptr);
        mMessageSound->Stop();
        delete mMessageSound;
        mMessageSound = nullptr;
    }
    LISoundManager* sounds = LISoundManager::Get();
    const LString file("//sounds/message.mp2");
    mMessageSound = sounds != nullptr ? sounds->CreateStream(LString(kSoundId), file) : nullptr;
    if (mMessageSound == nullptr) {
        return;
    }
    mMessageSound->SetListener(this);
    GMOptions* options = GMOptions::GetInstance();
    mMessageSound->SetVolume(options != nullptr ? options->mVolume : 1.0f);
    mMessageSound->Play();
}

void GMPDAMinimized::OnSoundEnded(const LString& aId)
{
    if (!(aId == LString(kSoundId))) {
        return;
    }
    delete mMessageSound;
    mMessageSound = nullptr;
}

void GMPDAMinimized::StopFlash(int aWhich)
{
    if (!mFlashing) {
        return;
    }
    mFlashing = false;
    for (int i = 0; i < kIconCount; ++i) {
        if (mIcons[i] != nullptr && (aWhich == 3 || i == mFlashIcon)) {
            mIcons[i]->SetVisible(false);
        }
    }
    StopFramesIfIdle();
}

void GMPDAMinimized::EndNewItem()
{
    mNewItemBlinking = false;
    if (mNewItem != nullptr) {
        if (mBar != nullptr) {
            mBar->RemoveMember(mNewItem);
        }
        delete mNewItem;
        mNewItem = nullptr;
    }
}

void GMPDAMinimized::ShowNewItem(LPropertyList* aEntry)
{
    if (!mMinimized) {
        return;
    }
    EndNewItem();
    LPropertyList* sprite = aEntry != nullptr ? aEntry->GetList(LString("sprite")) : nullptr;
    if (sprite == nullptr) {
        L_ASSERT_FAILURE("'sprite' not found.");
        return;
    }
    LSprite* picture = LLayoutBuilder::BuildSprite(sprite);
    if (picture == nullptr) {
        L_ASSERT_FAILURE("Sprite build failure.");
        return;
    }
    picture->SetVisible(false);
    picture->SetRelativeZ(kNewItemZ);
    picture->SetPosition(kNewItemX, kNewItemY);
    picture->SetBlend(kNewItemBlend);
    if (!Build() || !mBar->AddMember(picture, true)) {
        delete picture;
        return;
    }
    mNewItem = picture;
    mNewItemBlinking = true;
    mLastNewItemToggle = LITimer::Now();
    mNewItemToggles = 0;
    StartFrames();
}

void GMPDAMinimized::OnButton(const LString& aId, int aEvent)
{
    if (aId == LString("move")) {
        if (aEvent == XBTNEVENT_PRESSED) {
            mDragging = true;
            LVector2 at(0.0f, 0.0f);
            if (LMouse* mouse = LMouse::Get()) {
                mouse->GetPosition(at);
            }
            mDragOffset = at - mBarPosition;
            ListenToMouse(true, kDragPriority);
        } else if (aEvent == XBTNEVENT_ENTER) {
            HandCursor(kMoveOwner);
        } else if (aEvent == XBTNEVENT_LEAVE) {
            ReleaseCursor(kMoveOwner);
        } else if (aEvent == XBTNEVENT_RELEASED_OUTSIDE || aEvent == XBTNEVENT_CLICKED) {
            mDragging = false;
            ListenToMouse(false, 0.0f);
        }
        InterruptMouse();
        return;
    }
    if (!(aId == LString("maximize"))) {
        return;
    }
    if (aEvent == XBTNEVENT_PRESSED) {
        GMScene* scene = GMSceneManager::GetCurrentScene();
        if (scene != nullptr && scene->IsInterviewRunning()) {
            return;
        }
        Maximize(true);
        InterruptMouse();
    } else if (aEvent == XBTNEVENT_ENTER) {
        HandCursor(kMaximizeOwner);
    } else if (aEvent == XBTNEVENT_LEAVE) {
        ReleaseCursor(kMaximizeOwner);
    }
}

void GMPDAMinimized::OnMove(const LVector2& aPosition)
{
    if (!mDragging || mBar == nullptr) {
        return;
    }
    LVector2 place = aPosition - mDragOffset;
    place.x = place.x < kMinX ? kMinX : (place.x > kMaxX ? kMaxX : place.x);
    place.y = place.y < kMinY ? kMinY : (place.y > kMaxY ? kMaxY : place.y);
    mBarPosition = place;
    mBar->SetPosition(place);
    InterruptMouse();
}

void GMPDAMinimized::OnButtonUp(int aButton)
{
    mDragging = false;
    if (aButton == 2 && HiddenMode()) {
        Show();
        Maximize(true);
    }
}
