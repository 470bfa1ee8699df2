#include "Sound/LSoundManagerFMOD.h"

#include "Sound/LSoundPlayerFMOD.h"
#include "memory/LMemoryManager.h"
#include "sound/FSound.h"
#include "stdlib/LLog.h"
#include "stdlib/LMediaLog.h"

LSoundManagerFMOD::LSoundManagerFMOD()
{
    InstallMediaLog();
    // Without output the library still runs silently; nothing to test here.
    FSOUND_Init(44100, 32, 0);
}

LSoundManagerFMOD::~LSoundManagerFMOD()
{
    FSOUND_Close();
}

LString LSoundManagerFMOD::Dump() const
{
    return DumpHead("LSoundManagerFMOD") + "]";
}

LISoundPlayer* LSoundManagerFMOD::CreateSample(const LString& aId, const LString& aFileName)
{
    LSoundPlayerFMOD* player = L_NEW LSoundPlayerFMOD(aId);
    if (!player || !player->LoadSample(aFileName)) {
        L_ERROR("CreateSample failure: " + aFileName);
        delete player;
        return nullptr;
    }
    return player;
}

LISoundPlayer* LSoundManagerFMOD::CreateStream(const LString& aId, const LString& aFileName)
{
    LSoundPlayerFMOD* player = L_NEW LSoundPlayerFMOD(aId);
    if (!player || !player->OpenStream(aFileName)) {
        L_ERROR("CreateStream failure: " + aFileName);
        delete player;
        return nullptr;
    }
    return player;
}
