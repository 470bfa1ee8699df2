#include "support/LFakeTimer.h"

#include "container/LString.h"
#include "stdlib/LFrameManager.h"
#include "support/LTestCreator.h"

double LFakeTimer::sNow = 0.0;

LString LFakeTimer::Dump() const
{
    return DumpHead("LFakeTimer") + "]";
}

int LFakeTimer::Init(int)
{
    return 1;
}

bool LFakeTimer::Reset()
{
    sNow = 0.0;
    return true;
}

void LFakeTimer::FrameAt(double aTime)
{
    sNow = aTime;
    LFrameManager::Get()->Update();
}

void LFakeTimer::Frames(int aCount, double aStep)
{
    for (int i = 0; i < aCount; ++i) {
        FrameAt(sNow + aStep);
    }
}

void RegisterFakeTimer()
{
    RegisterFake<LFakeTimer>("timer");
}
