#include "support/GMStandInNote.h"

#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "util/GMStateReader.h"

#include <cstring>

namespace {

struct Asked
{
    const char* mClassName;
    const char* mState;
};

const Asked kAsked[] = {
    {"GMBaseballBatPuzzle", "sta_baseballbatpuzzle_active"},
    {"GMChasePhotoPuzzle", "sta_chasephotopuzzle_active"},
    {"GMCombinationLockPuzzle", "sta_keypadpuzzle_active"},
    {"GMCrossWordPuzzle", "sta_crosswordpuzzle_active"},
    {"GMFloorSafePuzzle", "sta_floorsafepuzzle_active"},
    {"GMHarpPuzzle", "sta_harppuzzle_active"},
    {"GMHotelWindowPuzzle", "sta_hotelwindowpuzzle_active"},
    {"GMMapPuzzle", "sta_mappuzzle_active"},
    {"GMMonetBoxPuzzle", "sta_monetboxpuzzle_active"},
    {"GMPaintingPuzzle", "sta_paintingpuzzle_active"},
    {"GMPCDesktopPuzzle", "sta_pcdesktoppuzzle_active"},
    {"GMPOBoxPuzzle", "sta_poboxpuzzle_active"},
    {"GMQuintarnPuzzle", "sta_quintarnpuzzle_active"},
    {"GMReceiptPuzzle", "sta_receiptpuzzle_active"},
    {"GMRoomServicePuzzle", "sta_roomservicepuzzle_active"},
    {"GMSlideBoxPuzzle", "sta_slideboxpuzzle_active"},
    {"GMSurveillanceTapePuzzle", "sta_surveillancetapepuzzle_active"},
    {"GMProfilingComputer", "sta_profiler_active"},
    {"GMCaseSelection", "sta_caseselection_active"},
};

} // namespace

const char* GMStandInNote::StateOf(const char* aClassName)
{
    for (const Asked& asked : kAsked) {
        if (aClassName != nullptr && std::strcmp(asked.mClassName, aClassName) == 0) {
            return asked.mState;
        }
    }
    return nullptr;
}

LString GMStandInNote::Text(const char* aClassName, const LString& aWhat)
{
    return LString(aClassName) + " is a stand-in: " + aWhat + " is not built yet.";
}

GMStandInNote::GMStandInNote(const char* aClassName) : mClassName(aClassName), mState(StateOf(aClassName))
{
    LStateManager* states = mState != nullptr ? LStateManager::Get() : nullptr;
    mListening = states != nullptr && states->AddListener(this, 0.0f);
}

GMStandInNote::~GMStandInNote()
{
    if (mListening) {
        if (LStateManager* states = LStateManager::Get()) {
            states->RemoveListener(this);
        }
    }
}

void GMStandInNote::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || mState == nullptr || !aState->GetId().EqualsNoCase(LString(mState))) {
        return;
    }
    if (!GMStateReader::IsTrue(aState)) {
        return;
    }
    // The state is left as it is: a stand-in never answers by itself.
    L_NOTE(Text(mClassName, LString("\"") + mState + "\" turned true; what it opens"));
}
