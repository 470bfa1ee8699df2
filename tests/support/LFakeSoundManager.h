// A sound service that makes LFakeSoundPlayer objects. RegisterFakeSoundManager puts it
// under the creator id "soundmanager", so LISoundManager::Get hands it out.
#pragma once
#include "Sound/LISoundManager.h"

#include <vector>

class LFakeSoundManager : public LISoundManager
{
public:
    // One stream or sample made: the name it was created with and its file.
    struct Made
    {
        LString mName;
        LString mFileName;
    };

    LString Dump() const override;
    int Init(int aParameter) override;

    // Null, logged as the real manager logs it ("CreateStream failure: " + file), for a
    // file name containing "missing" and, while sRefuseUnfound is set, for a file the
    // engine's file system cannot find.
    LISoundPlayer* CreateSample(const LString& aId, const LString& aFileName) override;
    LISoundPlayer* CreateStream(const LString& aId, const LString& aFileName) override;

    // Every player made, oldest first (also those already deleted).
    static std::vector<Made> sMade;
    static bool sRefuseUnfound;
    // Empties sMade and clears sRefuseUnfound.
    static void Reset();
};

void RegisterFakeSoundManager();
