#include "support/LFakeSoundManager.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestCreator.h"

std::vector<LFakeSoundManager::Made> LFakeSoundManager::sMade;
bool LFakeSoundManager::sRefuseUnfound = false;

void LFakeSoundManager::Reset()
{
    sMade.clear();
    sRefuseUnfound = false;
}

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
    bool refused = aFileName.Find(LString("missing"), 0) != -1;
    if (!refused && sRefuseUnfound) {
        LIFileSystem* files = LIFileSystem::Get();
        refused = files == nullptr || !files->PathExists(aFileName, true);
    }
    if (refused) {
        L_ERROR(LString("CreateStream failure: ") + aFileName);
        return nullptr;
    }
    sMade.push_back(Made {aId, aFileName});
    return L_NEW LFakeSoundPlayer(aId, aFileName);
}

void RegisterFakeSoundManager()
{
    RegisterFake<LFakeSoundManager>("soundmanager");
}
