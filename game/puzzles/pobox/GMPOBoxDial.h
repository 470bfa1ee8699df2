// One dial of the post-office box: a group placed at its layout position holding the dial
// face, which turns 36 degrees back per digit, and the dial's button. Each click of the
// button advances the digit (9 wraps to 0) and has the puzzle check the combination.
//
// Its layout list: "id" (the group's id), "position" (x|y), "sprite" (the face) and
// "button" (the button, any id).
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"

class GMPOBoxPuzzle;
class LPropertyList;

class GMPOBoxDial : public LDisplayGroup, public LIButtonListener
{
public:
    static constexpr float kDegreesPerDigit = -36.0f;

    GMPOBoxDial();
    GMPOBoxDial(const GMPOBoxDial&) = delete;
    GMPOBoxDial& operator=(const GMPOBoxDial&) = delete;
    ~GMPOBoxDial() override;

    LString Dump() const override;

    // Builds what the list gives (a missing face or button is logged and left out); false
    // without a list.
    bool Create(LPropertyList* aEntry, GMPOBoxPuzzle* aOwner);
    // Shows aDigit (above 9: 0), turns the face and has the owner check.
    void SetValue(int aDigit);
    // A click (event 4) of the dial's button: the next digit.
    void OnButton(const LString& aId, int aEvent) override;

    int GetValue() const { return mValue; }
    LIDisplayObject* GetFace() const { return mFace; }

private:
    GMPOBoxPuzzle* mOwner = nullptr;
    LIDisplayObject* mFace = nullptr;
    int mValue = 0;
};
