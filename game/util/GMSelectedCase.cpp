#include "util/GMSelectedCase.h"

#include "container/LString.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"

GMSelectedCase::Result GMSelectedCase::Read(int& aCase)
{
    LStateManager* states = LStateManager::Get();
    LIState* state = states != nullptr ? states->GetState(LString("sta_selectedcase")) : nullptr;
    if (state == nullptr || state->GetType() != LIState::TYPE_NUMBER || state->GetValue() == nullptr) {
        return RESULT_MISSING;
    }
    const double value = *static_cast<const float*>(state->GetValue());
    // Truncation keeps exactly the values strictly between these bounds in range; NaN
    // fails both comparisons.
    if (!(value > -2147483649.0 && value < 2147483648.0)) {
        L_ERROR("Invalid selected case: not a number in the int range.");
        return RESULT_INVALID;
    }
    aCase = static_cast<int>(value);
    return RESULT_READ;
}

int GMSelectedCase::Get()
{
    int selected = -1;
    return Read(selected) == RESULT_READ ? selected : -1;
}
