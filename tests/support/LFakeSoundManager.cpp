#include "support/LFakeSoundManager.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestCreator.h"

LString LFakeSoundManager::Dump() const
{
    return DumpHead("LFakeSoundManager") + "]";
}

int LFakeSoundManager::Init(int)
{
    return 1;
}

LISoundPlayer* LFakeSoundManager::CreateSample(const LString& aId, const LString& aFileName)
{
    return CreateStream(aId, aFileName);
}

LISoundPlayer* LFakeSoundManager::CreateStream(const LString& aId, const LString& aFileName)
{
    if (aFileName.Find(LString("missing"), 0) != -1) {
        L_ERROR(LString("Cannot open sound: ") + aFileName);
        return nullptr;
    }
    return L_NEW LFakeSoundPlayer(aId, aFileName);
}

void RegisterFakeSoundManager()
{
    RegisterFake<LFakeSoundManager>("soundmanager");
}
