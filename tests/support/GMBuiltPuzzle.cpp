#include "support/GMBuiltPuzzle.h"

#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"
#include "puzzles/cigarband/GMCigarBandPuzzle.h"
#include "puzzles/combination/GMCombinationLockPuzzle.h"
#include "puzzles/crossword/GMCrossWordPuzzle.h"
#include "puzzles/floorsafe/GMFloorSafePuzzle.h"
#include "puzzles/hotelwindow/GMHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/GMMapPuzzle.h"
#include "puzzles/painting/GMPaintingPuzzle.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"
#include "puzzles/quintarn/GMQuintarnPuzzle.h"
#include "puzzles/receipt/GMReceiptPuzzle.h"
#include "puzzles/slidebox/GMSlideBoxPuzzle.h"

const std::vector<GMBuiltPuzzle>& GMBuiltPuzzle::All()
{
    static const std::vector<GMBuiltPuzzle> sAll = {
        {"CigarBand", "sta_cigarbandpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCigarBandPuzzle::GetInstance()); }},
        {"CombinationLock", "sta_keypadpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCombinationLockPuzzle::GetInstance()); }},
        {"ChasePhoto", "sta_chasephotopuzzle_active", [] { return static_cast<GMPuzzle*>(GMChasePhotoPuzzle::GetInstance()); }},
        {"POBox", "sta_poboxpuzzle_active", [] { return static_cast<GMPuzzle*>(GMPOBoxPuzzle::GetInstance()); }},
        {"Painting", "sta_paintingpuzzle_active", [] { return static_cast<GMPuzzle*>(GMPaintingPuzzle::GetInstance()); }},
        {"SlideBox", "sta_slideboxpuzzle_active", [] { return static_cast<GMPuzzle*>(GMSlideBoxPuzzle::GetInstance()); }},
        {"FloorSafe", "sta_floorsafepuzzle_active", [] { return static_cast<GMPuzzle*>(GMFloorSafePuzzle::GetInstance()); }},
        {"Map", "sta_interview_113_2a2_ch", [] { return static_cast<GMPuzzle*>(GMMapPuzzle::GetInstance()); }, true},
        {"Receipt", "sta_receiptpuzzle_active", [] { return static_cast<GMPuzzle*>(GMReceiptPuzzle::GetInstance()); }},
        {"HotelWindow", "sta_hotelwindowpuzzle_active", [] { return static_cast<GMPuzzle*>(GMHotelWindowPuzzle::GetInstance()); }},
        {"CrossWord", "sta_crosswordpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCrossWordPuzzle::GetInstance()); }},
        {"Quintarn", "sta_quintarnpuzzle_active", [] { return static_cast<GMPuzzle*>(GMQuintarnPuzzle::GetInstance()); },
         false, true, "SetHeight not yet implemented."},
    };
    return sAll;
}
