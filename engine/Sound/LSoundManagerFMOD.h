// The sound service over the sound library stand-in (compat/sound): initialises it for
// 44,100 Hz output with 32 channels and makes LSoundPlayerFMOD players.
#pragma once
#include "Sound/LISoundManager.h"

class LSoundManagerFMOD : public LISoundManager
{
public:
    LSoundManagerFMOD();
    ~LSoundManagerFMOD() override;

    LString Dump() const override;

    LISoundPlayer* CreateSample(const LString& aId, const LString& aFileName) override;
    LISoundPlayer* CreateStream(const LString& aId, const LString& aFileName) override;
};
