#include "support/GMBuiltPuzzle.h"

#include "puzzles/baseballbat/GMBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"
#include "puzzles/cigarband/GMCigarBandPuzzle.h"
#include "puzzles/combination/GMCombinationLockPuzzle.h"
#include "puzzles/harppuzzle/GMHarpPuzzle.h"
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"
#include "puzzles/pc_desktop/GMPCDesktopPuzzle.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"
#include "puzzles/roomservice/GMRoomServicePuzzle.h"
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
    };
    return sAll;
}
