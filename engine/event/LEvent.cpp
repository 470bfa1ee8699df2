#include "event/LEvent.h"

#include "stdlib/LIStream.h"
#include "time/LGameClock.h"

LEvent::LEvent() = default;

LEvent::LEvent(const LString& aId)
    : mId(aId.ToLower())
{
    LGameClock* clock = LGameClock::Get();
    mTime = clock ? clock->GetTime() : 0.0f;
}

LEvent::LEvent(const LString& aId, float aTime)
    : mId(aId.ToLower()), mTime(aTime)
{
}

LEvent::~LEvent() = default;

LString LEvent::Dump() const
{
    return DumpHead("LEvent") + u" id:" + mId + u", time:" + mTime;
}

bool LEvent::Read(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    LString id;
    float time = 0.0f;
    if (!aStream->Read(id) || !aStream->Read(time)) {
        return false;
    }
    mId = id;
    mTime = time;
    return true;
}

bool LEvent::Write(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    const bool ok = aStream->Write(mId) != 0;
    return aStream->Write(mTime) != 0 && ok;
}
