#include "support/LFakeTimer.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "object/LIObjectCreator.h"
#include "object/LRegistry.h"

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

namespace {
class LFakeTimerCreator : public LIObjectCreator
{
public:
    LFakeTimerCreator() : LIObjectCreator(LString("timer")) {}

    LObject* Create() override { return L_NEW LFakeTimer(); }
};
} // namespace

void RegisterFakeTimer()
{
    LRegistry* registry = LRegistry::Get();
    if (registry == nullptr || registry->GetCreatorIndex(LString("timer")) >= 0) {
        return;
    }
    LFakeTimerCreator* creator = L_NEW LFakeTimerCreator();
    if (creator != nullptr && !registry->AddCreator(creator)) {
        delete creator;
    }
}
