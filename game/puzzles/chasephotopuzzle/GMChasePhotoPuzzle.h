// Seven holiday photos to click in one order: a photo clicked in turn stays disabled, one
// clicked out of turn enables all seven again and the order starts over. The seventh right
// click solves: "evt_chasephotopuzzle_solved", then the cut scene of the drawer opening
// ("case03/chase", "vp_kitbath", "sta_3tc02_visible" true) after the screen leaves the
// stack without a fade. The count of right clicks goes on across showings (the photos
// show enabled again) and starts over after solving.
//
// Layout "//dataroot/textures/puzzles/chasephotopuzzle/JCPuzzle_layout.txt" (a load
// failure logs "Hm, problem..."): top-level "g01-background" (a sprite), "g03-Buttons"
// (the photo buttons, built into the group "buttons" at relative z 10.0 under the root
// "photopuzzlegroup"), "g02-backbutton", and "solution.order": the seven photo ids in
// click order, "|"-separated, each once; without a valid order no click counts.
//
// The voice "hi18_rg" plays only at the easy level, as "puzzleVO", while its marking
// event is raised at the first showing at any level. The minimised PDA bar and the cursor
// are left as they are; leaving lets the voice play on.
#pragma once
#include "container/LVectorString.h"
#include "puzzles/GMPuzzle.h"

class GMChasePhotoPuzzle : public GMPuzzle
{
public:
    static constexpr const char* kClassName = "GMChasePhotoPuzzle";
    static constexpr const char* kActiveState = "sta_chasephotopuzzle_active";
    static constexpr const char* kSolvedEvent = "evt_chasephotopuzzle_solved";
    static constexpr const char* kOrderPath = "solution.order";
    static constexpr const char* kTargetScene = "case03/chase";
    static constexpr const char* kTargetViewpoint = "vp_kitbath";
    static constexpr const char* kVisibleState = "sta_3tc02_visible";
    static constexpr const char* kMovie = "chaseapt_draweropen.bik";
    static constexpr int kPhotos = 7;

    static GMChasePhotoPuzzle* GetInstance();

    GMChasePhotoPuzzle();
    ~GMChasePhotoPuzzle() override;

    // "back_btn" leaves with a fade; a photo is disabled and counted as above.
    void OnButton(const LString& aId, int aEvent) override;

    int GetClickedCount() const { return mClicked; }
    const LVectorString& GetOrder() const { return mOrder; }

protected:
    void BuildPieces() override;

private:
    void EnableAll();
    void Solve();

    LVectorString mOrder;
    int mClicked = 0;
};
