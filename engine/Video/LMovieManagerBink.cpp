#include "Video/LMovieManagerBink.h"

#include "Video/LMoviePlayerBink.h"
#include "memory/LMemoryManager.h"
#include "movie/Bink.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "stdlib/LMediaLog.h"

LMovieManagerBink::LMovieManagerBink()
{
    InstallMediaLog();
    BinkSetSoundSystem(&BinkOpenDirectSound, 0);
}

LString LMovieManagerBink::Dump() const
{
    return DumpHead("LMovieManagerBink") + "]";
}

LIMoviePlayer* LMovieManagerBink::CreateFullScreenMovie(const LString& aId, const LString& aFileName)
{
    return Create(aId, aFileName, true, "CreateFullScreenMovie failure: ");
}

LIMoviePlayer* LMovieManagerBink::CreateTextureMovie(const LString& aId, const LString& aFileName)
{
    return Create(aId, aFileName, false, "CreateTextureMovie failure: ");
}

LMoviePlayerBink* LMovieManagerBink::Create(const LString& aId, const LString& aFileName, bool aFullScreen,
                                            const char* aFailure)
{
    LIFileSystem* fileSystem = LIFileSystem::Get();
    if (!fileSystem || !fileSystem->FileExists(aFileName, true)) {
        return nullptr;
    }
    LMoviePlayerBink* player = L_NEW LMoviePlayerBink();
    LString native;
    fileSystem->GetNativePath(aFileName, native);
    if (!player) {
        L_ERROR(aFailure + native);
        return nullptr;
    }
    player->SetId(aId);
    if (!player->Open(native, aFullScreen)) {
        L_ERROR(aFailure + native);
        delete player;
        return nullptr;
    }
    return player;
}
