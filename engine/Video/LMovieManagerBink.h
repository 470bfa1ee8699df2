// The movie service over the movie library stand-in (compat/movie): chooses its sound
// output once and makes LMoviePlayerBink players.
#pragma once
#include "Video/LIMovieManager.h"

class LMoviePlayerBink;

class LMovieManagerBink : public LIMovieManager
{
public:
    LMovieManagerBink();

    LString Dump() const override;

    LIMoviePlayer* CreateFullScreenMovie(const LString& aId, const LString& aFileName) override;
    LIMoviePlayer* CreateTextureMovie(const LString& aId, const LString& aFileName) override;

private:
    // Null when the file is missing (the file system logs why) or the movie cannot be
    // opened (logged here with aFailure and the native path).
    LMoviePlayerBink* Create(const LString& aId, const LString& aFileName, bool aFullScreen, const char* aFailure);
};
