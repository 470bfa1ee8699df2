// Messages of the sound and movie stand-ins. compat sits below the engine's log, so the
// engine installs a handler that writes them in its own line format; without one they
// go to standard error. The handler may be called from the thread that decodes sound
// streams ahead of play.
#pragma once

enum MediaLogLevel
{
    MEDIA_LOG_ERROR = 0,
    MEDIA_LOG_WARNING = 1,
};

// aFile is the short source name (".\\sound\\FSound.cpp"), aLine its line.
typedef void (*MediaLogHandler)(int aLevel, const char* aFile, int aLine, const char* aMessage);

void MediaSetLogHandler(MediaLogHandler aHandler);

// printf-style; used by compat's own sources.
void MediaLog(int aLevel, const char* aFile, int aLine, const char* aFormat, ...)
    __attribute__((format(printf, 4, 5)));

#define MEDIA_ERROR(...) MediaLog(MEDIA_LOG_ERROR, MediaShortFile(__FILE__), __LINE__, __VA_ARGS__)
#define MEDIA_WARNING(...) MediaLog(MEDIA_LOG_WARNING, MediaShortFile(__FILE__), __LINE__, __VA_ARGS__)

// The path below compat/ with "\" separators, as ".\sound\FSound.cpp".
const char* MediaShortFile(const char* aFile);
