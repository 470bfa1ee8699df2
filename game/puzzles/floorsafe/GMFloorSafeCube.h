// One numbered cube of the floor safe's lock: a display group holding its four arrows, its
// pictures (a face picture per face number, such as "1", and a transition picture per
// pair of faces a turn can show, "a_b_v" or "a_b_h") and four indicator groups ("north",
// "east", "south", "west", each with "ind_1" to "ind_6") that show the faces lying on
// those sides. A turn rolls the faces at once, shows the transition picture, and after
// more than 0.25 s the new front face; the checking cube of a turn then asks the owner
// to check the lock.
//
// The cube belongs to the puzzle's display tree once added; deleting it, even mid-turn,
// takes it out of the frame manager. A picture or button missing from its lists is logged
// and left out.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"
#include "stdlib/LIFrameListener.h"

class GMFloorSafePuzzle;
class LButton;
class LPropertyList;

class GMFloorSafeCube : public LDisplayGroup, public LIButtonListener, public LIFrameListener
{
public:
    enum Face { FRONT, NORTH, SOUTH, EAST, WEST, BACK, FACE_COUNT };
    enum Side { SIDE_NORTH, SIDE_EAST, SIDE_SOUTH, SIDE_WEST, SIDE_COUNT };
    static constexpr int kButtonCount = 4;
    static constexpr float kRelativeZ = 20.0f;
    // A turn shows its transition picture for more than this.
    static constexpr double kTurnTime = 0.25;

    GMFloorSafeCube();
    GMFloorSafeCube(const GMFloorSafeCube&) = delete;
    GMFloorSafeCube& operator=(const GMFloorSafeCube&) = delete;
    ~GMFloorSafeCube() override;

    LString Dump() const override;

    // Builds the cube from its list at its creation faces (front 1, north 2, back 3,
    // south 4, east 5, west 6); false without "id".
    bool Create(LPropertyList* aList, GMFloorSafePuzzle* aOwner);
    // Rolls the cube "up", "down", "left" or "right" (any case; another direction rolls
    // nothing but still shows its picture for the turn's time).
    void Turn(const LString& aDirection, bool aCheckOnArrival);
    void UpdateIndicators();
    void SetButtonsEnabled(bool aEnabled);

    void OnButton(const LString& aId, int aEvent) override;
    void OnFrame() override;

    int GetFace(int aFace) const { return aFace >= 0 && aFace < FACE_COUNT ? mFaces[aFace] : 0; }
    LIDisplayObject* GetShown() const { return mShown; }
    LIDisplayObject* GetIndicator(int aSide) const { return aSide >= 0 && aSide < SIDE_COUNT ? mIndicators[aSide] : nullptr; }
    LButton* GetButton(int aIndex) const { return aIndex >= 0 && aIndex < kButtonCount ? mButtons[aIndex] : nullptr; }
    bool IsTurning() const { return mTurning; }

private:
    // The cube's member aId, shown and kept as the picture now visible (the old one hidden);
    // logged when missing, and then the old picture stays.
    void Show(const LString& aId);
    void StopTurning();

    GMFloorSafePuzzle* mOwner = nullptr;
    LIDisplayObject* mShown = nullptr;
    LIDisplayObject* mIndicators[SIDE_COUNT] = {nullptr, nullptr, nullptr, nullptr};
    LButton* mButtons[kButtonCount] = {nullptr, nullptr, nullptr, nullptr};
    int mFaces[FACE_COUNT] = {1, 2, 4, 5, 6, 3};
    LString mFinalSprite;
    double mTurnStart = 0.0;
    bool mCheckOnArrival = false;
    bool mTurning = false;
};
