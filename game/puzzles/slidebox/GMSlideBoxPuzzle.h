// The lock box with sliding bars on its lid. Each bar stands at stop 1 at every showing and
// moves one stop per arrow click; while one slides, the slide sound plays (in place of any
// voice) and no arrow answers. When every bar stands at its solving stop after an arrival
// the box opens: "Puzzle solved!" is logged and, at the next frame pass (the arriving bar
// is still in its own callback), the cut scene takes over with the lock box's close-up
// opened ("sta_cu_1fd03_visible"), the puzzle leaving the stack without a fade just before
// the movie. No solved event is raised.
//
// Layout "//textures/puzzles/sliderbox/lockbox_puzzle_layout.txt": the root
// "sliderbox_puzzle_layout" holds the group of "groups.g01-background", the bars of
// "groups.g03-pieces" (GMSliderPiece lists) and the back button of "groups.g02-backbutton".
//
// The active state turning false does nothing; the hiding deletes the sound and leaves a
// subtitle to its own fade.
#pragma once
#include "container/LVector.h"
#include "puzzles/GMPuzzle.h"

class GMSliderPiece;

class GMSlideBoxPuzzle : public GMPuzzle
{
public:
    static constexpr const char* kActiveState = "sta_slideboxpuzzle_active";
    static constexpr const char* kPiecesList = "groups.g03-pieces";
    static constexpr const char* kSlideSound = "slide";
    static constexpr const char* kSlideFile = "//sounds/slide.wav";

    static GMSlideBoxPuzzle* GetInstance();

    GMSlideBoxPuzzle();
    ~GMSlideBoxPuzzle() override;

    // A bar starts to slide: the slide sound replaces the sound now playing and every
    // bar's arrows are disabled.
    void StartSlide();
    // A bar has stopped: the box opens when every bar stands at its solving stop;
    // otherwise the arrows answer again.
    void OnPieceArrived();
    // Every bar at its solving stop (true without bars).
    bool AllAtSolvingStops() const;

    // The bars in layout order.
    const LVector& GetPieces() const { return mPieces; }
    GMSliderPiece* GetPiece(int aIndex) const;

protected:
    void BuildPieces() override;
    void DeletePieces() override;
    void OnClosedByState() override {}

private:
    void OpenBox();
    void SetButtonsEnabled(bool aEnabled);

    // Not owned: each bar belongs to the root group.
    LVector mPieces;
};
