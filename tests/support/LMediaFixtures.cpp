#include "support/LMediaFixtures.h"

#include "sound/FSound.h"
#include "stdlib/LFrameManager.h"
#include "writers/LImageBytes.h"

#include <chrono>
#include <thread>

namespace LMediaFixtures {

namespace {

void Put16(std::string& aOut, uint32_t aValue)
{
    aOut += LImageBytes::U16(aValue & 0xFFFF);
}

void Put32(std::string& aOut, uint32_t aValue)
{
    aOut += LImageBytes::U32(aValue);
}

int16_t gFlatValue = 0;

int16_t Flat(int, int)
{
    return gFlatValue;
}

} // namespace

std::string Directory()
{
    return L_MEDIA_FIXTURES;
}

std::string Path(const std::string& aName)
{
    return Directory() + "/" + aName;
}

std::string MakeWav(int aRate, int aChannels, int aFrames, int16_t (*aValue)(int, int))
{
    const uint32_t dataBytes = static_cast<uint32_t>(aFrames) * aChannels * 2;
    std::string out = "RIFF";
    Put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(aChannels));
    Put32(out, static_cast<uint32_t>(aRate));
    Put32(out, static_cast<uint32_t>(aRate) * aChannels * 2);
    Put16(out, static_cast<uint32_t>(aChannels) * 2);
    Put16(out, 16);
    out += "data";
    Put32(out, dataBytes);
    for (int frame = 0; frame < aFrames; ++frame) {
        for (int channel = 0; channel < aChannels; ++channel) {
            Put16(out, static_cast<uint16_t>(aValue(frame, channel)));
        }
    }
    return out;
}

std::string MakeFlatWav(int aRate, int aChannels, int aFrames, int16_t aValue)
{
    gFlatValue = aValue;
    return MakeWav(aRate, aChannels, aFrames, &Flat);
}

int MixUntil(const std::function<bool()>& aDone, int aLimit)
{
    std::vector<int16_t> out(2 * 1024);
    int mixed = 0;
    while (!aDone() && mixed < aLimit) {
        FSOUND_MixBuffer(out.data(), 1024);
        mixed += 1024;
    }
    return mixed;
}

bool RunUntil(const std::function<bool()>& aDone, const std::function<void()>& aStep)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!aDone()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        if (aStep) {
            aStep();
        } else {
            LFrameManager::Get()->Update();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace LMediaFixtures
