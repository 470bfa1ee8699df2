// The view from the hotel window: the player takes the polaroid photo "3pm17" from the
// inventory (or clicks the bottom right corner), carries it over the view and drops it on
// the one spot where it was taken, (297, 353), within 4 pixels an axis. Solving raises
// "evt_hotelwindowpuzzle_solved", ends the mouse input, makes the back button inactive and
// plays the solving line, whose end closes the screen (at once without the line).
//
// The minimised PDA stays shown until the photo is taken (items come out of it); the
// cursor is the target, owner "hotelwindow", and an item over the view its highlighted
// form. The introductory event is raised at any skill; its voice plays at easy only.
// Hiding makes type 0 the cursor's default again, releases it and shows it and the bar.
//
// Layout "//textures/puzzles/hotel_window/layout.txt": "background" and "polaroid"
// (sprites), "backbutton".
#pragma once
#include "Input/LIMouseListener.h"
#include "puzzles/GMPuzzle.h"

class LIDisplayObject;

class GMHotelWindowPuzzle : public GMPuzzle, public LIMouseListener
{
public:
    static constexpr const char* kActiveState = "sta_hotelwindowpuzzle_active";
    static constexpr const char* kCursorOwner = "hotelwindow";
    static constexpr const char* kPhotoItem = "3pm17";
    static constexpr const char* kSolvedEvent = "evt_hotelwindowpuzzle_solved";
    static constexpr const char* kSolvedStream = "vo";
    static constexpr const char* kSolvedVoice = "3pm17a_rg";
    // The spot and how near a drop must be on each truncated axis (less than this).
    static constexpr int kSpotX = 297;
    static constexpr int kSpotY = 353;
    static constexpr int kReach = 5;
    // A click beyond both takes the photo without the item.
    static constexpr float kCornerX = 770.0f;
    static constexpr float kCornerY = 570.0f;

    static GMHotelWindowPuzzle* GetInstance();

    GMHotelWindowPuzzle();
    ~GMHotelWindowPuzzle() override;

    void OnHidden() override;
    void OnButton(const LString& aId, int aEvent) override;

    // Holding: the drop; else taking the photo.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int) override {}

    bool IsHolding() const { return mHolding; }
    LIDisplayObject* GetPolaroid() const { return mPolaroid; }
    bool IsMouseListening() const { return mMouseListening; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    // The solving line's end closes the screen.
    void OnVoiceEnded(const LString& aName) override;

private:
    void TakePhoto();
    void Solve();

    LIDisplayObject* mPolaroid = nullptr;
    bool mHolding = false;
    bool mMouseListening = false;
};
