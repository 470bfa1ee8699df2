#include "WinTestHooks.h"

#include "WinInputEvents.h"
#include "WinTestScript.h"
#include "media/MediaLog.h"
#include "sound/FSound.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Hooks
{
    std::vector<WinScriptEvent> mEvents;
    size_t mNext = 0;
    std::string mOutput = ".";
    uint64_t mStepUnits = kWinDefaultStepUnits;
    int mRandomPin = -1;
};

std::once_flag gLoadOnce;
Hooks gHooks;
std::atomic<bool> gActive {false};
std::atomic<uint64_t> gFrame {0};
// Time of the fixed clock in units of 1/kWinClockUnitsPerSecond seconds.
std::atomic<uint64_t> gUnits {0};

bool ReadFile(const char* aPath, std::string& aText)
{
    FILE* file = std::fopen(aPath, "rb");
    if (!file) {
        return false;
    }
    char buffer[4096];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        aText.append(buffer, count);
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

void PutLe(std::string& aOut, uint32_t aValue, int aBytes)
{
    for (int i = 0; i < aBytes; ++i) {
        aOut.push_back(static_cast<char>((aValue >> (8 * i)) & 0xFFu));
    }
}

// A 24-bit bitmap, bottom row first, from BGRA pixels stored top row first.
std::string Bitmap(int aWidth, int aHeight, const std::vector<uint8_t>& aBgra)
{
    const uint32_t pitch = (static_cast<uint32_t>(aWidth) * 3u + 3u) & ~3u;
    const uint32_t imageSize = pitch * static_cast<uint32_t>(aHeight);
    std::string bytes = "BM";
    PutLe(bytes, 54u + imageSize, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 54, 4);
    PutLe(bytes, 40, 4);
    PutLe(bytes, static_cast<uint32_t>(aWidth), 4);
    PutLe(bytes, static_cast<uint32_t>(aHeight), 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, 24, 2);
    PutLe(bytes, 0, 4);
    PutLe(bytes, imageSize, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 0, 4);
    for (int y = aHeight - 1; y >= 0; --y) {
        const uint8_t* row = aBgra.data() + static_cast<size_t>(y) * static_cast<size_t>(aWidth) * 4u;
        for (int x = 0; x < aWidth; ++x) {
            bytes.append(reinterpret_cast<const char*>(row + x * 4), 3);
        }
        bytes.append(pitch - static_cast<uint32_t>(aWidth) * 3u, '\0');
    }
    return bytes;
}

// Written beside its place and renamed over it, so a reader never sees half a shot.
void WriteShot(const std::string& aName, const std::string& aBytes)
{
    const std::string path = gHooks.mOutput + "/" + aName + ".bmp";
    const std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    bool ok = file && std::fwrite(aBytes.data(), 1, aBytes.size(), file) == aBytes.size();
    ok = file && std::fclose(file) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        MEDIA_ERROR("Test shot failure: %s", path.c_str());
    }
}

void Load()
{
    gHooks = Hooks{};
    gFrame = 0;
    gUnits = 0;
    const char* script = std::getenv(WIN_TEST_SCRIPT_VARIABLE);
    const char* output = std::getenv(WIN_TEST_OUTPUT_VARIABLE);
    gActive = script && *script;
    if (!gActive) {
        return;
    }
    if (output && *output) {
        gHooks.mOutput = output;
    }
    std::string text;
    std::vector<WinScriptCommand> commands;
    std::string error = "cannot be read";
    if (!ReadFile(script, text) || !WinParseScript(text, commands, error)) {
        MEDIA_ERROR("Test script failure: %s: %s", script, error.c_str());
        commands.assign(1, WinScriptCommand{});
        commands[0].mKind = WinScriptCommand::kQuit;
    }
    gHooks.mEvents = WinScheduleScript(commands);
    gHooks.mRandomPin = WinScriptRandomPin(commands);
}

void EnsureLoaded()
{
    std::call_once(gLoadOnce, Load);
}

// Stereo frames of the mixer's rate that fall in [0, aUnits) of the fixed clock.
uint64_t SoundFrames(uint64_t aUnits, int aRate)
{
    return aUnits * static_cast<uint64_t>(aRate) / kWinClockUnitsPerSecond;
}

} // namespace

void WinTestHooksLoad()
{
    std::call_once(gLoadOnce, [] {});
    Load();
}

bool WinTestHooksActive()
{
    EnsureLoaded();
    return gActive.load();
}

uint32_t WinTestClockMilliseconds()
{
    return static_cast<uint32_t>(WinTestClockMicroseconds() / 1000u);
}

uint64_t WinTestClockMicroseconds()
{
    EnsureLoaded();
    return gUnits.load() * 1000000u / kWinClockUnitsPerSecond;
}

int WinTestRandomPin()
{
    return WinTestHooksActive() ? gHooks.mRandomPin : -1;
}

uint64_t WinTestFrame()
{
    EnsureLoaded();
    return gFrame.load();
}

void WinTestPlayDue()
{
    if (!WinTestHooksActive()) {
        return;
    }
    const uint64_t frame = gFrame.load();
    while (gHooks.mNext < gHooks.mEvents.size() && gHooks.mEvents[gHooks.mNext].mFrame <= frame) {
        const WinScriptEvent& event = gHooks.mEvents[gHooks.mNext];
        if (event.mKind == WinScriptEvent::kShot) {
            break; // taken by WinTestFramePresented; what follows it waits until then
        }
        switch (event.mKind) {
        case WinScriptEvent::kMove: WinPushMove(event.mA, event.mB); break;
        case WinScriptEvent::kButton: WinPushButton(event.mA, event.mB != 0); break;
        case WinScriptEvent::kWheel: WinPushWheel(event.mA); break;
        case WinScriptEvent::kKey: WinPushKey(event.mA, event.mB != 0); break;
        case WinScriptEvent::kQuit: WinPushClose(); break;
        case WinScriptEvent::kStep: gHooks.mStepUnits = static_cast<uint64_t>(event.mA); break;
        case WinScriptEvent::kShot: break;
        }
        ++gHooks.mNext;
    }
}

void WinTestFramePresented(int aWidth, int aHeight, const std::function<void(uint8_t*)>& aRead)
{
    if (!WinTestHooksActive()) {
        return;
    }
    // Events of this frame that no pump has delivered yet (a Present without a pump) go
    // first, so that the shots after them come in order.
    WinTestPlayDue();
    const uint64_t frame = gFrame.load();
    while (gHooks.mNext < gHooks.mEvents.size() && gHooks.mEvents[gHooks.mNext].mFrame <= frame &&
           gHooks.mEvents[gHooks.mNext].mKind == WinScriptEvent::kShot) {
        if (aWidth > 0 && aHeight > 0) {
            std::vector<uint8_t> pixels(static_cast<size_t>(aWidth) * static_cast<size_t>(aHeight) * 4u);
            aRead(pixels.data());
            WriteShot(gHooks.mEvents[gHooks.mNext].mName, Bitmap(aWidth, aHeight, pixels));
        }
        ++gHooks.mNext;
        WinTestPlayDue();
    }
    const uint64_t before = gUnits.load();
    const uint64_t after = before + gHooks.mStepUnits;
    const int rate = FSOUND_GetOutputRate();
    const uint64_t frames = SoundFrames(after, rate) - SoundFrames(before, rate);
    if (frames > 0) {
        std::vector<int16_t> mixed(static_cast<size_t>(frames) * 2u);
        FSOUND_MixBuffer(mixed.data(), static_cast<int>(frames));
    }
    gUnits = after;
    ++gFrame;
}
