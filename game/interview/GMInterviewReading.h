// The small readings that GMInterview's source files share: the game time and raised events.
#pragma once
#include "container/LString.h"
#include "event/LEventManager.h"
#include "time/LGameClock.h"

namespace GMInterviewReading {

inline float GameTime()
{
    LGameClock* clock = LGameClock::Get();
    return clock != nullptr ? clock->GetTime() : 0.0f;
}

inline bool Raised(const LString& aEvent)
{
    LEventManager* events = LEventManager::Get();
    return events != nullptr && !aEvent.IsEmpty() && events->IsRaised(aEvent);
}

} // namespace GMInterviewReading
