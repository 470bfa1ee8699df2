#include "Sound/LSoundManagerFMOD.h"

#include "Sound/LSoundPlayerFMOD.h"
#include "media/MediaLog.h"
#include "memory/LMemoryManager.h"
#include "sound/FSound.h"
#include "stdlib/LLog.h"

namespace {

// The library's own messages (from the main or the audio thread) go to the log.
void LogMediaMessage(int aLevel, const char* aFile, int aLine, const char* aMessage)
{
    LogDirectEntry(aLevel == MEDIA_LOG_ERROR ? "ERROR: " : "WARNING: ", aFile, aLine, aMessage);
}

} // namespace

LSoundManagerFMOD::LSoundManagerFMOD()
{
    MediaSetLogHandler(&LogMediaMessage);
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
