#include "support/GMBuiltPuzzle.h"

#include "puzzles/cigarband/GMCigarBandPuzzle.h"
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"

const std::vector<GMBuiltPuzzle>& GMBuiltPuzzle::All()
{
    static const std::vector<GMBuiltPuzzle> sAll = {
        {"CigarBand", "sta_cigarbandpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCigarBandPuzzle::GetInstance()); }},
        {"MonetBox", "sta_monetboxpuzzle_active", [] { return static_cast<GMPuzzle*>(GMMonetBoxPuzzle::GetInstance()); }},
    };
    return sAll;
}
