#include "support/GMBuiltPuzzle.h"

#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"
#include "puzzles/cigarband/GMCigarBandPuzzle.h"
#include "puzzles/combination/GMCombinationLockPuzzle.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"

const std::vector<GMBuiltPuzzle>& GMBuiltPuzzle::All()
{
    static const std::vector<GMBuiltPuzzle> sAll = {
        {"CigarBand", "sta_cigarbandpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCigarBandPuzzle::GetInstance()); }},
        {"CombinationLock", "sta_keypadpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCombinationLockPuzzle::GetInstance()); }},
        {"ChasePhoto", "sta_chasephotopuzzle_active", [] { return static_cast<GMPuzzle*>(GMChasePhotoPuzzle::GetInstance()); }},
        {"POBox", "sta_poboxpuzzle_active", [] { return static_cast<GMPuzzle*>(GMPOBoxPuzzle::GetInstance()); }},
    };
    return sAll;
}
