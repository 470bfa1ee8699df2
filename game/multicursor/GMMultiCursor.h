// The small vertical action menu that opens over a clicked hotspot or inventory item:
// a menu picture with five buttons (use, collect, analyze, talk, look), each with a
// tooltip shown after the mouse has rested on it for a second. It fades in and out in
// steps of 0.1, holds the mouse while it is open and tells its one listener the chosen
// action (GMMultiCursorAction); every choice costs one unit of game time. A click outside
// the buttons tells the listener 0 and closes the menu.
//
// A listener calls ShowAt and, only when the menu opened, SetSide, SetActionEnabled for
// each action and SetListener; when it hears the answer it calls Hide and RemoveListener
// itself.
//
// The menu is a member of the display manager's root group, which owns and deletes it.
// Its pictures come from "//textures/multicursor.tga" (texture id "multicursor_tex"):
// one button row of 51 pixels per action (look, use, collect, analyze, talk from the
// top) with the disabled, normal and mouse-over looks side by side, and the menu picture
// of each side to their right.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "multicursor/GMMultiCursorAction.h"
#include "stdlib/LIFrameListener.h"

#include <cstdint>

class GMIMultiCursorListener;
class LButton;
class LSprite;
class LToolTip;

class GMMultiCursor : public LDisplayGroup, public LIButtonListener, public LIMouseListener, public LIFrameListener
{
public:
    // The lowest screen y the menu opens at.
    static constexpr float MAX_Y = 300.0f;

    // The menu, made on first use and placed in the display tree; null when it cannot
    // be made (logged) and once the display tree has deleted it.
    static GMMultiCursor* GetInstance();

    GMMultiCursor();
    GMMultiCursor(const GMMultiCursor&) = delete;
    GMMultiCursor& operator=(const GMMultiCursor&) = delete;
    ~GMMultiCursor() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;

    // Null is refused (logged, 0); else 1.
    int SetListener(GMIMultiCursorListener* aListener);
    // Clears the listener only when it is aListener (1); else 0.
    int RemoveListener(GMIMultiCursorListener* aListener);
    // Actions 1 to 5; any other action changes nothing. 1.
    int SetActionEnabled(int aAction, bool aEnabled);
    // 1 the mirrored layout, anything else the normal one.
    void SetSide(int aSide);
    // Opens the menu at aPosition (y at most MAX_Y) and takes the mouse: true. False, with
    // nothing changed, while the menu is visible (open, fading in or fading out): the
    // caller then leaves everything as it was.
    bool ShowAt(const LVector2& aPosition);
    // Fades the menu out and gives the mouse back; with aDeactivate the buttons answer
    // no press until the next fade-in has ended.
    void Hide(bool aDeactivate);

    void OnButton(const LString& aId, int aEvent) override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int aButton) override;
    void OnFrame() override;

    GMIMultiCursorListener* GetListener() const { return mListener; }
    bool IsActionEnabled(int aAction) const;
    // The button or tooltip of an action 1 to 5; null for any other.
    LButton* GetButton(int aAction) const;
    LToolTip* GetToolTip(int aAction) const;
    LSprite* GetMenuSprite() const { return mMenu; }
    // The fade-in has ended and the menu is not closing.
    bool IsOpen() const { return mOpen; }
    bool IsFading() const { return mFading; }

private:
    void Build();
    void MakeToolTips();
    // The index (action - 1) of the first button whose shown look holds aPoint, or -1.
    int FindButton(const LVector2& aPoint);
    void FadeOutToolTips();
    void StartFadeOut(bool aDeactivate);
    void JoinFrames();
    void LeaveFrames();
    static double Now();

    LSprite* mMenu = nullptr;
    // In action order: use, collect, analyze, talk, look (index = action - 1).
    LButton* mButtons[GMMultiCursorAction::COUNT] = {};
    uint32_t mTexture = 0;
    bool mFading = false;
    double mLastStep = -1.0;
    float mBlend = 0.0f;
    float mBlendStep = 0.1f;
    bool mDeactivateWhenHidden = false;
    bool mOpen = false;
    int mHovered = -1;
    LToolTip* mToolTips[GMMultiCursorAction::COUNT] = {};
    LToolTip* mPendingTip = nullptr;
    LToolTip* mShownTip = nullptr;
    bool mTipPending = false;
    bool mTipShown = false;
    double mTipDue = 0.0;
    GMIMultiCursorListener* mListener = nullptr;
    bool mInFrames = false;
};
