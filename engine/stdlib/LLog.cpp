#include "stdlib/LLog.h"

#include "win32/WinFile.h"

#include <mutex>

namespace {

constexpr int kPathCapacity = 4096;
constexpr const char kLogName[] = "log.txt";

// Guards the directory and serialises entries (sound and decoder threads may log).
std::mutex gLogLock;
char gLogPath[kPathCapacity] = "log.txt";

// Appends bytes to the open file through a small buffer, turning LF into CR LF.
class LLogWriter
{
public:
    explicit LLogWriter(HANDLE aFile) : mFile(aFile) {}
    ~LLogWriter() { Flush(); }

    void Put(unsigned char aByte)
    {
        if (aByte == '\n') {
            Raw('\r');
        }
        Raw(aByte);
    }

    void Put(const char* aText)
    {
        for (; aText && *aText; ++aText) {
            Put(static_cast<unsigned char>(*aText));
        }
    }

    void Put(const char16_t* aText)
    {
        // A character above 255 keeps its low byte, so the rest of the entry is kept.
        for (; aText && *aText; ++aText) {
            Put(static_cast<unsigned char>(*aText & 0xFF));
        }
    }

    void PutNumber(int aValue)
    {
        char digits[16];
        int n = 0;
        long long v = aValue;
        const bool negative = v < 0;
        if (negative) {
            v = -v;
        }
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v > 0);
        if (negative) {
            Put('-');
        }
        while (n > 0) {
            Put(static_cast<unsigned char>(digits[--n]));
        }
    }

private:
    void Raw(unsigned char aByte)
    {
        if (mUsed == sizeof(mBuffer)) {
            Flush();
        }
        mBuffer[mUsed++] = aByte;
    }

    void Flush()
    {
        if (mUsed > 0) {
            DWORD written = 0;
            WriteFile(mFile, mBuffer, static_cast<DWORD>(mUsed), &written, nullptr);
            mUsed = 0;
        }
    }

    HANDLE mFile;
    unsigned char mBuffer[1024];
    size_t mUsed = 0;
};

HANDLE OpenLog()
{
    return CreateFileA(gLogPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

template <typename Body>
void WriteEntry(Body aBody)
{
    std::lock_guard<std::mutex> lock(gLogLock);
    HANDLE file = OpenLog();
    if (file == INVALID_HANDLE_VALUE) {
        return; // the entry is lost; the next one tries again
    }
    {
        LLogWriter writer(file);
        aBody(writer);
        writer.Put('\n');
    }
    CloseHandle(file);
}

} // namespace

void Log(const char16_t* aText)
{
    if (!aText) {
        return;
    }
    WriteEntry([&](LLogWriter& aWriter) { aWriter.Put(aText); });
}

void Log(const LString& aText)
{
    Log(aText.GetBuffer());
}

void SetLogDirectory(const LString& aDirectory)
{
    std::lock_guard<std::mutex> lock(gLogLock);
    int out = 0;
    const char16_t* dir = aDirectory.GetBuffer();
    const int length = aDirectory.GetLength();
    const int room = kPathCapacity - static_cast<int>(sizeof(kLogName)) - 2;
    if (length > room) {
        return; // keep the previous place rather than truncate a path
    }
    for (int i = 0; i < length; ++i) {
        gLogPath[out++] = static_cast<char>(dir[i] & 0xFF);
    }
    if (out > 0 && gLogPath[out - 1] != '/') {
        gLogPath[out++] = '/';
    }
    for (const char* p = kLogName; *p; ++p) {
        gLogPath[out++] = *p;
    }
    gLogPath[out] = 0;
}

void LogEntry(const char* aLevel, const char* aFile, int aLine, const LString& aMessage)
{
    LogDirectEntry(aLevel, aFile, aLine, "", aMessage.GetBuffer());
}

void LogDirect(const char* aText)
{
    if (!aText) {
        return;
    }
    WriteEntry([&](LLogWriter& aWriter) { aWriter.Put(aText); });
}

void LogDirectEntry(const char* aLevel, const char* aFile, int aLine, const char* aMessage,
                    const char16_t* aWideTail)
{
    WriteEntry([&](LLogWriter& aWriter) {
        aWriter.Put(aLevel);
        aWriter.Put(aFile);
        aWriter.Put(", ");
        aWriter.PutNumber(aLine);
        aWriter.Put(": ");
        aWriter.Put(aMessage);
        aWriter.Put(aWideTail);
    });
}
