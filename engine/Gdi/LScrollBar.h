// Scrolls a content group through a fixed scroll area with three existing buttons: an up
// arrow, a down arrow and a bar dragged along its track. Bar and content positions stay
// proportional; a listener hears the content position whenever it changes.
//
// A held arrow steps on the next frame, again 0.3 s later, and then on every frame that
// comes more than 0.03 s after the last step; moving off the arrow pauses the repeat. A
// dragged bar has the mouse to itself (and the cursor, which keeps following) until the
// release.
//
// One part of all scroll bars at a time can be held or dragged: while it is, every other
// arrow and bar is ignored. A part whose release never reaches its button (the button was
// disabled or hidden meanwhile) is let go on the next frame after mouse button 1 is up.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "Gdi/LScrollBarParams.h"
#include "LVector2.h"
#include "container/LString.h"
#include "object/LWatch.h"
#include "object/LWatched.h"
#include "stdlib/LIFrameListener.h"

class LIDisplayObject;
class LIScrollBarListener;
class LITimer;

class LScrollBar : public LIButtonListener, public LIFrameListener, public LWatched
{
public:
    LScrollBar();
    LScrollBar(const LScrollBar&) = delete;
    LScrollBar& operator=(const LScrollBar&) = delete;
    ~LScrollBar() override;

    LString Dump() const;

    // Takes the three buttons (not owned) and becomes their listener. The content group
    // is given afterwards.
    int Create(LScrollBarParams aParams);
    // The group moved by scrolling (not owned, watched: a deleted group is no longer
    // moved); placed at once. Null is refused (logged, 0), though the old content is let
    // go of; ClearContentGroup is the quiet way.
    int SetContentGroup(LIDisplayObject* aGroup);
    // The bar moves nothing until a group is given again; nothing is logged.
    void ClearContentGroup();
    LIDisplayObject* GetContentGroup() const { return mContentGroup.Get(); }
    // Content that fits the scroll area disables the three buttons and scrolls to the
    // start; content that does not enables them and keeps the bar where it was.
    void SetContentHeight(int aHeight);
    // Scrolls to a part (0 to 1) of the travel.
    void SetFraction(float aFraction);
    void Reset();
    void ScrollDown();
    void ScrollUp();
    // One step up or down (a wheel turn, a held arrow).
    void ScrollStep(bool aUp);
    // Places bar and content for the content position.
    void UpdateFromPosition();
    int GetContentHeight() const { return mContentHeight; }
    int GetContentTravel() const { return mContentTravel; }
    int GetContentPosition() const { return mContentPosition; }
    int GetBarPosition() const { return mBarPosition; }
    float GetFraction() const { return mFraction; }

    // Null is allowed.
    int SetListener(LIScrollBarListener* aListener);
    // Only the listener that is set is removed.
    int RemoveListener(LIScrollBarListener* aListener);

    void OnButton(const LString& aId, int aEvent) override;
    void OnFrame() override;

private:
    void OnArrow(int aEvent, int aPart, bool& aHeld, bool& aOver);
    void OnBar(int aEvent);
    void Repeat(bool aUp, double aNow);
    void Drag();
    // Lets go of a held arrow or the dragged bar.
    void Release();
    void Listen(bool aListen);
    // Stops listening to the buttons and forgets them.
    void Detach();
    void Place();
    void Report();
    float BarFraction() const;

    int mHorizontal = 0;
    LWatch<LIDisplayObject> mContentGroup;
    // The buttons belong to their display group; each is watched.
    LWatch<LButton> mBar;
    bool mDragging = false;
    LWatch<LButton> mUpArrow;
    bool mUpHeld = false;
    bool mUpOver = false;
    LWatch<LButton> mDownArrow;
    bool mDownHeld = false;
    bool mDownOver = false;
    bool mFirstStepPending = false;
    double mLastStepTime = 0.0;
    float mRepeatInterval = 0.03f;
    float mRepeatDelay = 0.3f;
    LITimer* mTimer = nullptr;
    LIScrollBarListener* mListener = nullptr;
    int mBarPosition = 0;
    int mBarAreaHeight = 0;
    int mBarHeight = 0;
    int mGrabBarCoordinate = 0;
    // The bar's origin (GetPosition) and its placement (the position it was given) at
    // Create; they differ by the bar's center.
    LVector2 mBarStart {0.0f, 0.0f};
    LVector2 mBarPlacement {0.0f, 0.0f};
    LVector2 mGrabMousePosition {0.0f, 0.0f};
    int mContentHeight = 0;
    LVector2 mContentStartPos {0.0f, 0.0f};
    // Never negative: a bar longer than its track does not move.
    int mBarTravel = 0;
    int mContentTravel = 0;
    float mFraction = 0.0f;
    int mContentPosition = 0;
    int mScrollIncrement = 0;
    int mScrollAreaHeight = 0;
    // The content position the listener heard last; each scroll bar keeps its own, so a
    // listener hears every change of its scroll bar whatever the others report.
    int mLastReported = -1;
    bool mListening = false;
};
