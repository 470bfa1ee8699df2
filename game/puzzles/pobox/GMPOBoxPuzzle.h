// The combination dial of a post-office box: four dials, each advanced one digit per
// click, checked after every change. The combination is one digit for the first dial, a
// pair for the second and third (either order) and one digit for the fourth. Every
// showing starts each dial on a random digit outside its part of the combination. Solving
// raises "evt_poboxpuzzle_solved" and, once the screen has left the stack without a fade,
// hands over to the cut scene of the box opening ("case04/upsstore", "vp_mailboxesleft",
// "sta_cu_4mb02_visible" true).
//
// Layout "//textures/puzzles/pobox/POBox_layout.txt" under "//textures/puzzles/pobox":
// top-level "g01-background" (a sprite), "g02-dials" (exactly four GMPOBoxDial lists;
// others are logged, extra ones ignored, and a missing dial leaves the box shut),
// "backbutton", and "solution.combination": four whole digits 0 to 9, "|"-separated
// (anything else is logged and the box cannot open). The root group is "poboxpuzzle".
//
// No voice; the minimised PDA bar stays; the hand cursor is set at the showing and not
// released at the hiding.
#pragma once
#include "puzzles/GMPuzzle.h"

class GMPOBoxDial;

class GMPOBoxPuzzle : public GMPuzzle
{
public:
    static constexpr const char* kClassName = "GMPOBoxPuzzle";
    static constexpr const char* kActiveState = "sta_poboxpuzzle_active";
    static constexpr const char* kSolvedEvent = "evt_poboxpuzzle_solved";
    static constexpr const char* kCombinationPath = "solution.combination";
    static constexpr const char* kTargetScene = "case04/upsstore";
    static constexpr const char* kTargetViewpoint = "vp_mailboxesleft";
    static constexpr const char* kVisibleState = "sta_cu_4mb02_visible";
    static constexpr const char* kMovie = "UPS_BoxAnimax.bik";
    static constexpr int kDials = 4;
    // The start digit's draws before the lowest digit outside the dial's part is taken.
    static constexpr int kMaxDraws = 100;

    static GMPOBoxPuzzle* GetInstance();

    GMPOBoxPuzzle();
    ~GMPOBoxPuzzle() override;

    // Solves when every dial shows its part of the combination.
    void CheckCombination();
    // Whether aDigit belongs to dial aDial's part of the combination.
    bool IsOwnDigit(int aDial, int aDigit) const;

    GMPOBoxDial* GetDial(int aIndex) const { return aIndex >= 0 && aIndex < kDials ? mDials[aIndex] : nullptr; }
    bool HasCombination() const { return mCombinationValid; }

protected:
    void BuildPieces() override;
    void DeletePieces() override;

private:
    bool ReadCombination();
    int StartDigit(int aDial) const;
    void Solve();

    GMPOBoxDial* mDials[kDials] = {};
    int mCombination[kDials] = {};
    bool mCombinationValid = false;
};
