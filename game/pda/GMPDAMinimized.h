// The minimized PDA: the bar drawn over scenes and close-ups, with a move handle, a
// maximize button and three status icons ("icon_map", "icon_phone", "icon_evidence").
// It opens the PDA with a 0.3 s zoom from scale 1.0 to 3.0 and takes it back with the
// reverse zoom; it can be dragged within the screen, blinks an icon with the message sound
// "//sounds/message.mp2", and shows a collected item's picture briefly. With option
// toggle 1 set the bar is not drawn and a release of mouse button 2 anywhere opens the PDA.
//
// Built on first use from "//textures/pda/pda_minimized_layout.txt" (list "groups" whose
// group "layout" holds "blinkers" with the icons and the buttons "move" and "maximize").
// The three timed jobs (new-item blink, icon flash, zoom) run side by side on one frame
// listener, which is removed only when none of them runs any more.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "Sound/LISoundListener.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

class LButton;
class LDisplayGroup;
class LIDisplayObject;
class LISoundPlayer;
class LPropertyList;

class GMPDAMinimized : public LBase, public LIButtonListener, public LIMouseListener, public LIFrameListener,
                       public LISoundListener
{
public:
    static constexpr float kStartScale = 1.0f;
    static constexpr float kEndScale = 3.0f;
    static constexpr float kAnimationTime = 0.3f;
    static constexpr float kRootZ = 1000.0f;
    static constexpr float kNewItemX = 73.0f;
    static constexpr float kNewItemY = 27.0f;
    static constexpr float kNewItemZ = 100.0f;
    static constexpr float kNewItemBlend = 0.7f;
    static constexpr float kNewItemToggle = 0.3f;
    static constexpr int kIconCount = 3;

    // The bar, made on first use and registered with the game cleaner; null when it cannot
    // be made (logged) and after the cleaner has deleted it.
    static GMPDAMinimized* GetInstance();
    // The bar if it exists; never makes it.
    static GMPDAMinimized* Peek();

    GMPDAMinimized();
    GMPDAMinimized(const GMPDAMinimized&) = delete;
    GMPDAMinimized& operator=(const GMPDAMinimized&) = delete;
    ~GMPDAMinimized() override;

    LString Dump() const override;

    // Puts the bar on the display (building it first if needed).
    void Show();
    // Takes it off the display; the hidden mode's mouse listener stays.
    void Hide();
    // The bar group's world active flag; false before the first build.
    bool IsShown() const;

    // Opens the PDA, with the zoom when aAnimate; 0 when the PDA is already open (or is
    // opening), else 1.
    int Maximize(bool aAnimate);
    // Collapses the PDA into the bar: 1 when done at once, 0 when animated or already
    // minimized.
    int Minimize(bool aAnimate);
    bool IsMinimized() const { return mMinimized; }
    bool IsAnimating() const { return mMaximizing || mMinimizing; }

    // Blinks icon aIcon (0 map, 1 phone, 2 evidence) every aPeriod seconds for aDuration
    // seconds (0: until StopFlash) and plays the message sound; 1.
    int Flash(int aIcon, float aDuration, float aPeriod);
    // Ends a flash: 3 hides all three icons, any other value the flashing one.
    void StopFlash(int aWhich);
    bool IsFlashing() const { return mFlashing; }
    // Shows a collected item's picture (the entry's "sprite" list) on the bar, blinking
    // twice, while the PDA is minimized.
    void ShowNewItem(LPropertyList* aEntry);

    void OnButton(const LString& aId, int aEvent) override;
    void OnButtonDown(int) override {}
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnFrame() override;
    void OnSoundEnded(const LString& aId) override;

    LDisplayGroup* GetRoot() const { return mRoot; }
    LDisplayGroup* GetBar() const { return mBar; }
    LIDisplayObject* GetIcon(int aIndex) const;
    LIDisplayObject* GetNewItem() const { return mNewItem; }
    LISoundPlayer* GetMessageSound() const { return mMessageSound; }
    const LVector2& GetBarPosition() const { return mBarPosition; }

private:
    bool Build();
    static bool HiddenMode();
    void Animate(double aNow);
    void BlinkNewItem(double aNow);
    void FlashIcon(double aNow);
    void EndNewItem();
    void StartFrames();
    // Removes the frame listener when no job runs any more.
    void StopFramesIfIdle();
    void ListenToMouse(bool aListen, float aPriority);
    void RegisterButtons(bool aRegister);
    void PlayMessageSound();

    bool mMinimized = true;
    bool mBuilt = false;
    LDisplayGroup* mRoot = nullptr;
    LDisplayGroup* mBar = nullptr;
    LDisplayGroup* mBlinkers = nullptr;
    LButton* mMoveButton = nullptr;
    LButton* mMaximizeButton = nullptr;
    float mScale = 1.0f;
    LVector2 mBarPosition {0.0f, 0.0f};
    LVector2 mHomePosition {0.0f, 0.0f};
    LVector2 mPDAPosition {-110.0f, 0.0f};
    LVector2 mAnimatedPosition {0.0f, 0.0f};
    double mAnimationStart = 0.0;
    bool mDragging = false;
    LVector2 mDragOffset {0.0f, 0.0f};
    bool mMaximizing = false;
    bool mMinimizing = false;
    float mBlend = 1.0f;
    int mFlashIcon = 0;
    bool mFlashing = false;
    LIDisplayObject* mIcons[kIconCount] = {nullptr, nullptr, nullptr};
    double mFlashEnd = 0.0;
    float mFlashPeriod = 0.0f;
    double mNextFlashToggle = 0.0;
    LIDisplayObject* mNewItem = nullptr;
    bool mNewItemBlinking = false;
    double mLastNewItemToggle = 0.0;
    int mNewItemToggles = 0;
    LISoundPlayer* mMessageSound = nullptr;
    bool mMouseListening = false;
    bool mFrameListening = false;
};
