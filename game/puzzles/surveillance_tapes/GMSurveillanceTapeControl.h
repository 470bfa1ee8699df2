// The frame control of one surveillance tape: three options, each an "on" and an "off"
// sprite, of which a click chooses one (the drag then moves only that layer of the tape)
// or, on the chosen one again, none (the drag moves all three). An aligned tape's control
// is locked: no option chosen, and clicks ignored.
//
// Its layout entry: "id" (the group's id) and "position"; the options' entries (taken by
// index 0 to 2 from the puzzle's "framecontrolbtns") hold the sprite lists "on" and "off".
#pragma once
#include "Input/LIMouseListener.h"
#include "object/LBase.h"

#include <array>

class GMSurveillanceTapePuzzle;
class LDisplayGroup;
class LPropertyList;
class LSprite;

class GMSurveillanceTapeControl : public LBase, public LIMouseListener
{
public:
    static constexpr int kOptions = 3;
    static constexpr float kGroupZ = 150.0f;
    static constexpr float kHitWidth = 199.0f;
    static constexpr float kHitHeight = 19.0f;

    GMSurveillanceTapeControl();
    GMSurveillanceTapeControl(const GMSurveillanceTapeControl&) = delete;
    GMSurveillanceTapeControl& operator=(const GMSurveillanceTapeControl&) = delete;
    // Lets go of the mouse; the group belongs to the puzzle's root once added.
    ~GMSurveillanceTapeControl() override;

    // Makes the group and the options' sprites (an option whose sprites are missing is
    // logged and left out). False without an entry or its "id".
    bool Create(GMSurveillanceTapePuzzle* aOwner, LPropertyList* aEntry, LPropertyList* aOptions);
    // Shown, no option chosen, listening to the mouse (priority 0.0).
    void Show();
    // Hidden, deaf to the mouse.
    void Hide();
    // No option chosen, clicks ignored from now on; shown and listening.
    void Lock();

    // Any button: the option under the mouse is chosen, or cleared when it was chosen.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}

    LDisplayGroup* GetGroup() const { return mGroup; }
    int GetSelected() const { return mSelected; }
    bool IsLocked() const { return mLocked; }
    LSprite* GetOn(int aOption) const { return mOn[aOption]; }
    LSprite* GetOff(int aOption) const { return mOff[aOption]; }
    bool IsMouseListening() const { return mMouseListening; }

private:
    void ShowOption(int aOption, bool aChosen);
    void Listen(bool aListen);

    LDisplayGroup* mGroup = nullptr;
    GMSurveillanceTapePuzzle* mOwner = nullptr;
    int mSelected = -1;
    bool mLocked = false;
    std::array<LSprite*, kOptions> mOn {};
    std::array<LSprite*, kOptions> mOff {};
    bool mMouseListening = false;
};
