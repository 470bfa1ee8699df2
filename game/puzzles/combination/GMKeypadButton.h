// One key of the keypad: its pressed picture (hidden but while held) placed at the key's
// position, and its active area in screen coordinates. A press of any mouse button inside
// the area shows the picture and clicks; the release, wherever it is, enters the key into
// the puzzle. Once the puzzle is solved the key takes no press.
//
// Its layout list: "id" (what the key enters: a digit, "enter" or "clear"), "position"
// (x|y), "activearea" (x|y pairs) and "sprite" (the pressed picture).
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Input/LIMouseListener.h"

class GMCombinationLockPuzzle;
class LISoundPlayer;
class LPolygon;
class LPropertyList;

class GMKeypadButton : public LDisplayGroup, public LIMouseListener
{
public:
    static constexpr const char* kClickStream = "button_press";
    static constexpr const char* kClickSound = "//dataroot/sounds/blip.wav";

    GMKeypadButton();
    GMKeypadButton(const GMKeypadButton&) = delete;
    GMKeypadButton& operator=(const GMKeypadButton&) = delete;
    // Leaves the mouse and deletes the area and the click.
    ~GMKeypadButton() override;

    LString Dump() const override;

    // False when "id", "position", "activearea" or "sprite" is missing (the keys after the
    // missing one are not read) or the sprite does not build; then the key is not
    // listening.
    bool Create(LPropertyList* aList, GMCombinationLockPuzzle* aOwner);

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int aButton) override;

    LIDisplayObject* GetPressed() const { return mPressed; }
    const LPolygon* GetActiveArea() const { return mActiveArea; }
    bool IsListening() const { return mListening; }

private:
    GMCombinationLockPuzzle* mOwner = nullptr;
    LIDisplayObject* mPressed = nullptr;
    LPolygon* mActiveArea = nullptr;
    LISoundPlayer* mClick = nullptr;
    bool mListening = false;
};
