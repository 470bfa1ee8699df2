// A movie service that makes LFakeMoviePlayer objects. RegisterFakeMovieManager puts it
// under the creator id "moviemanager", so LIMovieManager::Get hands it out.
#pragma once
#include "Video/LIMovieManager.h"

#include <vector>

class LFakeMovieManager : public LIMovieManager
{
public:
    // One player made: its display-object id, its file and whether it is full screen.
    struct Made
    {
        LString mId;
        LString mFileName;
        bool mFullScreen = true;
    };

    LString Dump() const override;
    int Init(int aParameter) override;

    // Null, logged as "CreateFullScreenMovie failure: " (or "CreateTextureMovie failure: ")
    // + file, for a file name containing "missing". A player made gets the size and frame
    // count below.
    LIMoviePlayer* CreateFullScreenMovie(const LString& aId, const LString& aFileName) override;
    LIMoviePlayer* CreateTextureMovie(const LString& aId, const LString& aFileName) override;

    // Every full-screen player made, oldest first (also those already deleted).
    static std::vector<Made> sMade;
    // The same for texture players (a location's ambient movies).
    static std::vector<Made> sTexturesMade;
    // What the next players made report; Reset puts back 640 x 480 and 100 frames.
    static int sWidth;
    static int sHeight;
    static unsigned sFrameCount;
    // While set, every player is refused as a file containing "missing" is.
    static bool sRefuseAll;
    // Empties sMade and puts the defaults back (sRefuseAll cleared).
    static void Reset();

private:
    LIMoviePlayer* Create(const LString& aId, const LString& aFileName, bool aFullScreen, const char* aFailure);
};

void RegisterFakeMovieManager();
