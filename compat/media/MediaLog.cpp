#include "MediaLog.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

std::atomic<MediaLogHandler> gHandler {nullptr};

} // namespace

void MediaSetLogHandler(MediaLogHandler aHandler)
{
    gHandler.store(aHandler);
}

void MediaLog(int aLevel, const char* aFile, int aLine, const char* aFormat, ...)
{
    char message[512];
    va_list args;
    va_start(args, aFormat);
    std::vsnprintf(message, sizeof(message), aFormat, args);
    va_end(args);
    MediaLogHandler handler = gHandler.load();
    if (handler) {
        handler(aLevel, aFile, aLine, message);
    } else {
        std::fprintf(stderr, "%s%s, %d: %s\n", aLevel == MEDIA_LOG_ERROR ? "ERROR: " : "WARNING: ", aFile, aLine,
                     message);
    }
}

const char* MediaShortFile(const char* aFile)
{
    // Valid until the next call on the same thread, which is all a log call needs.
    static thread_local char buffer[128];
    const char* start = std::strstr(aFile, "/compat/");
    start = start ? start + 8 : aFile;
    std::size_t out = 0;
    buffer[out++] = '.';
    buffer[out++] = '\\';
    for (; *start && out + 1 < sizeof(buffer); ++start) {
        buffer[out++] = *start == '/' ? '\\' : *start;
    }
    buffer[out] = 0;
    return buffer;
}
