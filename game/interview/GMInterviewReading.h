// The small readings that GMInterview's source files share: the game time.
#pragma once
#include "time/LGameClock.h"

namespace GMInterviewReading {

inline float GameTime()
{
    LGameClock* clock = LGameClock::Get();
    return clock != nullptr ? clock->GetTime() : 0.0f;
}

} // namespace GMInterviewReading
