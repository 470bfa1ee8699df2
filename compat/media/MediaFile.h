// Where the sound and movie stand-ins read their files. By default a name is a native
// path opened directly; the engine installs callbacks so that every read goes through
// its own file system instead. A name may also be data in memory (see MediaInput).
#pragma once
#include <cstddef>
#include <cstdint>

struct MediaFileCallbacks
{
    // Opens aName for reading; null when it cannot.
    void* (*Open)(const char* aName);
    void (*Close)(void* aFile);
    // Reads up to aSize bytes; the count read, 0 at the end, negative on failure.
    int (*Read)(void* aFile, void* aBuffer, int aSize);
    // Moves to aPosition bytes from the start; 0 on success.
    int (*Seek)(void* aFile, int64_t aPosition);
    // The file's size in bytes, negative when unknown.
    int64_t (*Size)(void* aFile);
};

// Installs the callbacks (copied); null restores direct native file access. Decoders
// opened earlier keep the callbacks they were opened with.
void MediaSetFileCallbacks(const MediaFileCallbacks* aCallbacks);

// What a decoder reads: a file name, or bytes in memory (copied when the decoder must
// reopen them later, so the caller's buffer need not outlive the call).
struct MediaInput
{
    const char* mName = nullptr;
    const void* mData = nullptr;
    std::size_t mSize = 0;
};
