// A sound service that makes LFakeSoundPlayer objects. RegisterFakeSoundManager puts it
// under the creator id "soundmanager", so LISoundManager::Get hands it out.
#pragma once
#include "Sound/LISoundManager.h"

class LFakeSoundManager : public LISoundManager
{
public:
    LString Dump() const override;
    int Init(int aParameter) override;

    // Null (logged) for a file name containing "missing", as for a file that cannot be
    // opened.
    LISoundPlayer* CreateSample(const LString& aId, const LString& aFileName) override;
    LISoundPlayer* CreateStream(const LString& aId, const LString& aFileName) override;
};

void RegisterFakeSoundManager();
