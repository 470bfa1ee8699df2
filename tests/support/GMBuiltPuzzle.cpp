#include "support/GMBuiltPuzzle.h"

#include "puzzles/cigarband/GMCigarBandPuzzle.h"
#include "puzzles/painting/GMPaintingPuzzle.h"

const std::vector<GMBuiltPuzzle>& GMBuiltPuzzle::All()
{
    static const std::vector<GMBuiltPuzzle> sAll = {
        {"CigarBand", "sta_cigarbandpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCigarBandPuzzle::GetInstance()); }},
        {"Painting", "sta_paintingpuzzle_active", [] { return static_cast<GMPuzzle*>(GMPaintingPuzzle::GetInstance()); }},
    };
    return sAll;
}
