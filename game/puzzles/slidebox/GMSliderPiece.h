// One sliding bar of the lock box: a display group (the bar's pictures and its two arrow
// buttons) that moves between three stops, standing bars up and down, lying bars left and
// right. A click on an arrow moves the stop by one, when there is one that way, and the
// bar slides there 2 pixels a step, one step each time more than 0.025 s have passed,
// landing on the stop's coordinate exactly; then the owner hears of the arrival.
//
// Its layout list: "id", "type" ("vertical", any case, stands; anything else lies),
// "position" (x|y), "solved" (the solving stop, 0 to 2), "sprites" and "buttons" (the
// first two entries are the arrows, ids "up", "down", "left" or "right").
//
// The bar belongs to the puzzle's root group once added; deleting it, even mid-slide,
// takes it out of the frame manager.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"
#include "stdlib/LIFrameListener.h"

class GMSlideBoxPuzzle;
class LButton;
class LPropertyList;

class GMSliderPiece : public LDisplayGroup, public LIButtonListener, public LIFrameListener
{
public:
    static constexpr int kVertical = 0;
    static constexpr int kHorizontal = 1;
    static constexpr int kStopCount = 3;
    static constexpr int kStartStop = 1;
    static constexpr float kStopsX[kStopCount] = {18.0f, 56.0f, 95.0f};
    static constexpr float kStopsY[kStopCount] = {98.0f, 139.0f, 179.0f};
    static constexpr float kStep = 2.0f;
    static constexpr double kStepTime = 0.025;
    static constexpr float kVerticalZ = 20.0f;
    static constexpr float kHorizontalZ = 25.0f;
    static constexpr float kBlend = 0.5f;

    GMSliderPiece();
    GMSliderPiece(const GMSliderPiece&) = delete;
    GMSliderPiece& operator=(const GMSliderPiece&) = delete;
    ~GMSliderPiece() override;

    LString Dump() const override;

    // Builds the bar from its list; false without "id", "type" or "position".
    bool Create(LPropertyList* aList, GMSlideBoxPuzzle* aOwner);
    bool IsAtSolvingStop() const { return mStop == mSolvingStop; }
    void SetButtonsEnabled(bool aEnabled);

    // A click on an arrow starts a slide.
    void OnButton(const LString& aId, int aEvent) override;
    void OnFrame() override;

    int GetAxis() const { return mAxis; }
    int GetStop() const { return mStop; }
    int GetSolvingStop() const { return mSolvingStop; }
    bool IsSliding() const { return mSliding; }
    LButton* GetButton(int aIndex) const { return aIndex >= 0 && aIndex < 2 ? mButtons[aIndex] : nullptr; }

private:
    void Slide(int aDirection);
    void StopSliding();

    GMSlideBoxPuzzle* mOwner = nullptr;
    LButton* mButtons[2] = {nullptr, nullptr};
    int mAxis = kHorizontal;
    int mStop = kStartStop;
    int mSolvingStop = 0;
    float mStepSize = kStep;
    double mLastStep = 0.0;
    bool mSliding = false;
};
