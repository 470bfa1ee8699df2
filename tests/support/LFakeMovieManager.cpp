#include "support/LFakeMovieManager.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LTestCreator.h"

std::vector<LFakeMovieManager::Made> LFakeMovieManager::sMade;
std::vector<LFakeMovieManager::Made> LFakeMovieManager::sTexturesMade;
int LFakeMovieManager::sWidth = 640;
int LFakeMovieManager::sHeight = 480;
unsigned LFakeMovieManager::sFrameCount = 100;
bool LFakeMovieManager::sRefuseAll = false;

LString LFakeMovieManager::Dump() const
{
    return DumpHead("LFakeMovieManager") + "]";
}

int LFakeMovieManager::Init(int)
{
    return 1;
}

LIMoviePlayer* LFakeMovieManager::CreateFullScreenMovie(const LString& aId, const LString& aFileName)
{
    return Create(aId, aFileName, true, "CreateFullScreenMovie failure: ");
}

LIMoviePlayer* LFakeMovieManager::CreateTextureMovie(const LString& aId, const LString& aFileName)
{
    return Create(aId, aFileName, false, "CreateTextureMovie failure: ");
}

LIMoviePlayer* LFakeMovieManager::Create(const LString& aId, const LString& aFileName, bool aFullScreen,
                                         const char* aFailure)
{
    if (sRefuseAll || aFileName.Find(LString("missing"), 0) != -1) {
        L_ERROR(aFailure + aFileName);
        return nullptr;
    }
    (aFullScreen ? sMade : sTexturesMade).push_back(Made {aId, aFileName, aFullScreen});
    auto* player = L_NEW LFakeMoviePlayer(aId, aFileName, aFullScreen);
    player->SetSize(sWidth, sHeight);
    player->mFrameCount = sFrameCount;
    return player;
}

void LFakeMovieManager::Reset()
{
    sMade.clear();
    sTexturesMade.clear();
    sWidth = 640;
    sHeight = 480;
    sFrameCount = 100;
    sRefuseAll = false;
}

void RegisterFakeMovieManager()
{
    RegisterFake<LFakeMovieManager>("moviemanager");
}
