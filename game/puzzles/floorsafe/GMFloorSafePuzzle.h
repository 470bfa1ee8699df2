// The safe in the floor, locked by five numbered cubes. An arrow turns its cube and some of
// its neighbours the same way (the linking table below); every arrow is off from the click
// until the turn's checking cube has shown its new face, and then the lock is checked:
// with the five fronts equal to the combination, "evt_floorsafe_solved" is raised and, at
// the next frame pass (the checking cube is still in its own callback), the cut scene
// takes over with the safe's close-up opened ("sta_cu_1ca12_visible"), the puzzle leaving
// the stack without a fade just before the movie.
//
//   clicked   turned (the first runs the check)
//   cube1     cube 1, cube 2
//   cube2     cube 1 (medium and hard only), cube 2 (check), cube 5
//   cube3     cube 1, cube 3, cube 4 (medium and hard only)
//   cube4     cube 4, cube 5
//   other     cube 5
//
// Layout "//textures/puzzles/floorsafe/floorsafe_puzzle_layout.txt": the root
// "floorsafe_puzzle_contentgroup" holds the group of "groups.g01-background", the group
// "floorsafe_cubes" with the five cubes of "groups.g03-cubes" (GMFloorSafeCube lists, in
// cube order) and the back button. "solution.faces" is the combination: five face numbers
// 1 to 6 separated by "|", in cube order. A layout with fewer than five cubes, or with a
// combination missing or malformed, logs its error and the safe cannot open.
//
// The active state turning false does nothing; the voice-over plays on after the hiding.
#pragma once
#include "puzzles/GMPuzzle.h"

class GMFloorSafeCube;
class LDisplayGroup;

class GMFloorSafePuzzle : public GMPuzzle
{
public:
    static constexpr const char* kActiveState = "sta_floorsafepuzzle_active";
    static constexpr const char* kCubesList = "groups.g03-cubes";
    static constexpr const char* kCubesGroup = "floorsafe_cubes";
    static constexpr const char* kCombinationKey = "solution.faces";
    static constexpr int kCubeCount = 5;
    static constexpr float kRootZ = -10.0f;
    static constexpr float kCubesZ = 10.0f;

    static GMFloorSafePuzzle* GetInstance();

    GMFloorSafePuzzle();
    ~GMFloorSafePuzzle() override;

    // An arrow of the cube aCubeId (compared ignoring case) was clicked.
    void OnCubeButton(const LString& aCubeId, const LString& aDirection);
    // After a turn's checking cube has arrived: the arrows answer again, and the safe
    // opens when the fronts match the combination.
    void CheckSolved();
    // Whether all five cubes exist, the combination is valid and the fronts match it.
    bool FrontsMatch() const;

    // Cube aIndex (0 to 4, in layout order), or null when it was not built.
    GMFloorSafeCube* GetCube(int aIndex) const;
    bool HasCombination() const { return mHasCombination; }

protected:
    void BuildPieces() override;
    void DeletePieces() override;
    void OnClosedByState() override {}

private:
    void SetButtonsEnabled(bool aEnabled);
    // Turns cube aIndex when it exists; false when it does not.
    bool TurnCube(int aIndex, const LString& aDirection, bool aCheck);
    void OpenSafe();

    // Not owned: the cubes belong to the display tree.
    GMFloorSafeCube* mCubes[kCubeCount] = {nullptr, nullptr, nullptr, nullptr, nullptr};
    int mCombination[kCubeCount] = {0, 0, 0, 0, 0};
    bool mHasCombination = false;
};
