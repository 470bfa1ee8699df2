// A front-end menu button drawn by up to five sprites of its layout entry: normal ("n"),
// over ("o"), down ("d"), disabled ("x") and hilight ("h"). Under the mouse the over
// picture fades in above the normal one and fades out again when the mouse leaves; a
// press and release inside the active area (any mouse button) is told to the listener as
// a click (event 4). A disabled or selected button ignores the mouse, and so does a
// button inside a disabled group.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Input/LIMouseListener.h"
#include "stdlib/LIFrameListener.h"

class LIButtonListener;
class LPolygon;
class LPropertyList;
class LSprite;

class GMMenuButton : public LDisplayGroup, public LIMouseListener, public LIFrameListener
{
public:
    enum
    {
        STATE_DISABLED = 0,
        STATE_PRESSED = 1,
        STATE_SELECTED = 2,
        STATE_NORMAL = 4,
        STATE_OVER = 5,
    };

    GMMenuButton();
    GMMenuButton(const GMMenuButton&) = delete;
    GMMenuButton& operator=(const GMMenuButton&) = delete;
    // Leaves the mouse and the frame manager; the sprites go with the group.
    ~GMMenuButton() override;

    LString Dump() const override;
    // true: normal state, normal picture only, follows the mouse again; false: disabled
    // picture only, the mouse ignored. Either way a running fade ends with the over picture
    // cleared, so it cannot hide the picture just shown.
    bool SetEnabled(bool aEnabled) override;

    // Builds the button from its layout entry: "id", "activearea" (points as x|y|x|y..., at
    // least three, in screen pixels) and "states" are required, "position" is optional. On
    // success the button follows the mouse and the frames (priority 0) and tells aListener
    // of clicks. 0 when the entry is refused (logged).
    int Create(LPropertyList* aList, LIButtonListener* aListener);
    // For a choice among several: true shows the hilight picture only and ignores the mouse;
    // false returns to the normal state.
    void SetSelected(bool aSelected);

    int GetState() const { return mState; }
    bool IsFading() const { return mFading != 0; }
    // The picture of a type letter ("n", "o", "d", "x", "h"), or null when the layout gave none.
    LSprite* GetStateSprite(char aType) const;

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnFrame() override;

private:
    enum
    {
        SPRITE_NORMAL,
        SPRITE_OVER,
        SPRITE_DOWN,
        SPRITE_DISABLED,
        SPRITE_HILIGHT,
        SPRITE_COUNT,
    };

    bool Inside(const LVector2& aPoint) const;
    // Shows the one picture, hides the other four.
    void ShowOnly(int aSprite);
    void Show(int aSprite, bool aVisible);
    void StartFade(float aStep);
    void StopFade();
    void ListenToMouse(bool aOn);
    static double Now();

    LIButtonListener* mListener = nullptr;
    LPolygon* mActiveArea = nullptr;
    LSprite* mSprites[SPRITE_COUNT] = {};
    int mState = STATE_NORMAL;
    unsigned char mFading = 0;
    float mFadeStep = 0.0f;
    float mLastFadeTime = 0.0f;
    bool mInMouse = false;
    bool mInFrames = false;
};
