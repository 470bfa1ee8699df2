#include "stdlib/LMediaLog.h"

#include "media/MediaLog.h"
#include "stdlib/LLog.h"

namespace {

void LogMediaMessage(int aLevel, const char* aFile, int aLine, const char* aMessage)
{
    LogDirectEntry(aLevel == MEDIA_LOG_ERROR ? "ERROR: " : "WARNING: ", aFile, aLine, aMessage);
}

} // namespace

void InstallMediaLog()
{
    MediaSetLogHandler(&LogMediaMessage);
}
