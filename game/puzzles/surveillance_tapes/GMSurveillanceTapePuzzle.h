// The surveillance tapes: six tapes, each a picture in three layers that start scattered.
// The player drags layers over the viewing area until the three lie exactly on each
// other; the tape's frame control (GMSurveillanceTapeControl) picks the one layer a drag
// moves, or with no option chosen all three. A single layer dropped within the snap
// tolerance of its reference (layer 0 against 1, 1 against 2, 2 against 1) lands on it.
// The arrows step through the tapes; the indicator marks the current one and the
// tracking dialog shows while it is aligned. Aligning the sixth tape solves: the event
// "evt_surveillancetapespuzzle_solved", the solved voice, and the puzzle closes at its end
// (at once without it).
//
// Opened from an interview, the puzzle takes the interview's mouse and makes its panel
// inactive while it is shown, and gives both back at its hiding. It leaves the cursor and
// the minimised PDA bar alone and has no introductory voice.
//
// Layout "//textures/puzzles/surveillance_tapes/layout.txt" (texture root
// "//textures/puzzles/surveillance_tapes" for all but the back button), top-level keys:
// "background" and "overlay" (sprites), "arrows.a01" and "arrows.a02" (the buttons
// "select_left" and "select_right"), "trackingdialog" and "indicator" (sprites),
// "framecontrolbtns" (three option entries), "framecontrols" (six control entries),
// "layers" (six tape entries of three sprite lists each) and "backbutton". Entries that
// are missing are logged and left out: a tape missing a layer cannot align.
#pragma once
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "puzzles/GMPuzzle.h"

#include <array>

class GMSurveillanceTapeControl;
class LSprite;

class GMSurveillanceTapePuzzle : public GMPuzzle, public LIMouseListener
{
public:
    static constexpr int kTapes = 6;
    static constexpr int kLayers = 3;
    static constexpr float kLayerZ = 10.0f;
    static constexpr float kBackButtonZ = 200.0f;
    // Layer starts: x = kStartX + draw % kStartRange, y = draw % kStartRange.
    static constexpr int kStartX = 100;
    static constexpr int kStartRange = 200;
    // The viewing area, in which a press starts a drag (edges included).
    static constexpr float kViewX = 124.0f;
    static constexpr float kViewY = 45.0f;
    static constexpr float kViewWidth = 665.0f;
    static constexpr float kViewHeight = 425.0f;
    static constexpr float kEasyTolerance = 20.0f;
    static constexpr float kMediumTolerance = 10.0f;
    static constexpr float kHardTolerance = 5.0f;
    static constexpr float kIndicatorY = 477.0f;
    static constexpr std::array<float, kTapes> kIndicatorX = {279.0f, 373.0f, 467.0f, 559.0f, 650.0f, 752.0f};
    static constexpr const char* kLeftId = "select_left";
    static constexpr const char* kRightId = "select_right";
    static constexpr const char* kSolvedEvent = "evt_surveillancetapespuzzle_solved";
    static constexpr const char* kSolvedVoice = "4re31_le";
    // The interview's own mouse priority, at which its listener is given back.
    static constexpr float kInterviewMousePriority = -5.0f;
    // Layout keys.
    static constexpr const char* kBackgroundKey = "background";
    static constexpr const char* kOverlayKey = "overlay";
    static constexpr const char* kLeftArrowKey = "arrows.a01";
    static constexpr const char* kRightArrowKey = "arrows.a02";
    static constexpr const char* kTrackingKey = "trackingdialog";
    static constexpr const char* kIndicatorKey = "indicator";
    static constexpr const char* kOptionsKey = "framecontrolbtns";
    static constexpr const char* kControlsKey = "framecontrols";
    static constexpr const char* kLayersKey = "layers";
    static constexpr const char* kBackButtonKey = "backbutton";

    static GMSurveillanceTapePuzzle* GetInstance();

    // Seeds the random generator from the time.
    GMSurveillanceTapePuzzle();
    ~GMSurveillanceTapePuzzle() override;

    // Takes the current interview's mouse and panel, then the common showing.
    void OnShow() override;
    // The common hiding, then the interview's mouse and panel given back.
    void OnHidden() override;
    // The arrows step through the tapes; nothing once solved.
    void OnButton(const LString& aId, int aEvent) override;

    // A press in the viewing area starts a drag of the current tape's chosen layer, or
    // of all three; moves carry them along; the release snaps a single layer.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

    // Whether the current tape's three layers lie exactly on each other: the control
    // locked, the tape marked and the tracking dialog shown, then the solving check; else
    // the mark cleared and the dialog hidden.
    bool CheckTape();
    // Solved once the sixth tape is aligned.
    bool CheckSolved();

    int GetCurrentTape() const { return mCurrent; }
    bool IsAligned(int aTape) const { return mAligned[aTape]; }
    bool IsDragging() const { return mDragging; }
    float GetTolerance() const { return mTolerance; }
    LSprite* GetLayer(int aTape, int aLayer) const { return mLayerSprites[aTape][aLayer]; }
    GMSurveillanceTapeControl* GetControl(int aTape) const { return mControls[aTape]; }
    LSprite* GetTrackingDialog() const { return mTracking; }
    LSprite* GetIndicator() const { return mIndicator; }
    bool IsMouseListening() const { return mMouseListening; }
    bool HasInterview() const { return mInterviewTaken; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    // The solved voice's end (or its absence) closes the puzzle.
    void OnVoiceEnded(const LString& aName) override;

private:
    LSprite* AddSprite(const char* aKey);
    void AddArrow(const char* aKey);
    void BuildControls();
    void BuildLayers();
    void ShowTape(int aTape, bool aShown);
    void Step(int aBy);
    void TakeInterview();
    void GiveInterviewBack();

    std::array<GMSurveillanceTapeControl*, kTapes> mControls {};
    int mCurrent = 0;
    std::array<std::array<LSprite*, kLayers>, kTapes> mLayerSprites {};
    bool mDragging = false;
    std::array<bool, kLayers> mMoving {};
    LVector2 mLastMouse;
    LSprite* mTracking = nullptr;
    LSprite* mIndicator = nullptr;
    float mTolerance = kMediumTolerance;
    std::array<bool, kTapes> mAligned {};
    bool mMouseListening = false;
    bool mInterviewTaken = false;
};
