#include "support/GMBuiltPuzzle.h"

#include "puzzles/baseballbat/GMBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"
#include "puzzles/cigarband/GMCigarBandPuzzle.h"
#include "puzzles/combination/GMCombinationLockPuzzle.h"
#include "puzzles/crossword/GMCrossWordPuzzle.h"
#include "puzzles/floorsafe/GMFloorSafePuzzle.h"
#include "puzzles/harppuzzle/GMHarpPuzzle.h"
#include "puzzles/hotelwindow/GMHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/GMMapPuzzle.h"
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"
#include "puzzles/painting/GMPaintingPuzzle.h"
#include "puzzles/pc_desktop/GMPCDesktopPuzzle.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"
#include "puzzles/quintarn/GMQuintarnPuzzle.h"
#include "puzzles/receipt/GMReceiptPuzzle.h"
#include "puzzles/roomservice/GMRoomServicePuzzle.h"
#include "puzzles/slidebox/GMSlideBoxPuzzle.h"
#include "puzzles/surveillance_tapes/GMSurveillanceTapePuzzle.h"

const std::vector<GMBuiltPuzzle>& GMBuiltPuzzle::All()
{
    static const std::vector<GMBuiltPuzzle> sAll = {
        {"CigarBand", "sta_cigarbandpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCigarBandPuzzle::GetInstance()); }},
        {"MonetBox", "sta_monetboxpuzzle_active", [] { return static_cast<GMPuzzle*>(GMMonetBoxPuzzle::GetInstance()); }},
        {"SurveillanceTapes", "sta_surveillancetapepuzzle_active",
         [] { return static_cast<GMPuzzle*>(GMSurveillanceTapePuzzle::GetInstance()); }},
        {"RoomService", "sta_roomservicepuzzle_active", [] { return static_cast<GMPuzzle*>(GMRoomServicePuzzle::GetInstance()); }},
        {"BaseballBat", "sta_baseballbatpuzzle_active", [] { return static_cast<GMPuzzle*>(GMBaseballBatPuzzle::GetInstance()); }},
        // Its password boxes are given a height, which text areas do not take.
        {"PCDesktop", "sta_pcdesktoppuzzle_active", [] { return static_cast<GMPuzzle*>(GMPCDesktopPuzzle::GetInstance()); },
         "SetHeight not yet implemented."},
        {"Harp", "sta_harppuzzle_active", [] { return static_cast<GMPuzzle*>(GMHarpPuzzle::GetInstance()); }},
        {"CombinationLock", "sta_keypadpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCombinationLockPuzzle::GetInstance()); }},
        {"ChasePhoto", "sta_chasephotopuzzle_active", [] { return static_cast<GMPuzzle*>(GMChasePhotoPuzzle::GetInstance()); }},
        {"POBox", "sta_poboxpuzzle_active", [] { return static_cast<GMPuzzle*>(GMPOBoxPuzzle::GetInstance()); }},
        {"Painting", "sta_paintingpuzzle_active", [] { return static_cast<GMPuzzle*>(GMPaintingPuzzle::GetInstance()); }},
        {"SlideBox", "sta_slideboxpuzzle_active", [] { return static_cast<GMPuzzle*>(GMSlideBoxPuzzle::GetInstance()); }},
        {"FloorSafe", "sta_floorsafepuzzle_active", [] { return static_cast<GMPuzzle*>(GMFloorSafePuzzle::GetInstance()); }},
        {"Map", "sta_interview_113_2a2_ch", [] { return static_cast<GMPuzzle*>(GMMapPuzzle::GetInstance()); }, nullptr, true},
        {"Receipt", "sta_receiptpuzzle_active", [] { return static_cast<GMPuzzle*>(GMReceiptPuzzle::GetInstance()); }},
        {"HotelWindow", "sta_hotelwindowpuzzle_active", [] { return static_cast<GMPuzzle*>(GMHotelWindowPuzzle::GetInstance()); }},
        {"CrossWord", "sta_crosswordpuzzle_active", [] { return static_cast<GMPuzzle*>(GMCrossWordPuzzle::GetInstance()); }},
        {"Quintarn", "sta_quintarnpuzzle_active", [] { return static_cast<GMPuzzle*>(GMQuintarnPuzzle::GetInstance()); },
         "SetHeight not yet implemented.", false, true},
    };
    return sAll;
}
