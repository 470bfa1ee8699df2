#include "util/GMStateReader.h"

#include "container/LString.h"
#include "event/LEventManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"

bool GMStateReader::IsRaised(const LString& aId)
{
    LEventManager* events = LEventManager::Get();
    return events != nullptr && !aId.IsEmpty() && events->IsRaised(aId);
}

bool GMStateReader::IsTrue(const LIState* aState)
{
    const auto* value = aState != nullptr ? static_cast<const unsigned char*>(aState->GetValue()) : nullptr;
    return value != nullptr && aState->GetType() == LIState::TYPE_BOOLEAN && *value != 0;
}

bool GMStateReader::IsTrue(const LStateManager* aStates, const LString& aId)
{
    return aStates != nullptr && IsTrue(aStates->GetState(aId));
}
