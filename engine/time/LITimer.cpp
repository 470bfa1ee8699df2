#include "time/LITimer.h"

#include "stdlib/LLog.h"
#include "stdlib/LServiceCreation.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LITimer> sTimer;

} // namespace

LITimer* LITimer::Get()
{
    if (LITimer* timer = sTimer.Peek()) {
        return timer;
    }
    if (sTimer.IsDestroyed()) {
        return nullptr;
    }
    LITimer* created = LCreateService<LITimer>("timer", &NewDefaultCreator);
    if (!created) {
        L_ERROR("Timer creation failure.");
        return nullptr;
    }
    return sTimer.Install(created);
}

double LITimer::Now()
{
    LITimer* timer = Get();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

LITimer::LITimer() = default;

LITimer::~LITimer()
{
    Log(u"~LITimer()");
    sTimer.Destroyed(this);
}
