#include "support/LMediaFixtures.h"

#include "sound/FSound.h"
#include "stdlib/LFrameManager.h"

#include <chrono>
#include <thread>

namespace LMediaFixtures {

namespace {

void Put16(std::string& aOut, uint32_t aValue)
{
    aOut.push_back(static_cast<char>(aValue & 0xFF));
    aOut.push_back(static_cast<char>((aValue >> 8) & 0xFF));
}

void Put32(std::string& aOut, uint32_t aValue)
{
    Put16(aOut, aValue & 0xFFFF);
    Put16(aOut, aValue >> 16);
}

void Set32(std::string& aOut, std::size_t aAt, uint32_t aValue)
{
    for (int i = 0; i < 4; ++i) {
        aOut[aAt + i] = static_cast<char>((aValue >> (8 * i)) & 0xFF);
    }
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

std::string MakeBink(const BinkMovieSpec& aSpec)
{
    const uint32_t frameCount = static_cast<uint32_t>(aSpec.mFrames.size());
    const uint32_t tracks = static_cast<uint32_t>(aSpec.mTracks.size());
    // Every frame: one (empty) sound packet size per track, then the picture.
    const uint32_t pictureBytes = 16;
    const uint32_t soundBytes = static_cast<uint32_t>(aSpec.mSoundPacket.size());
    const uint32_t frameBytes = (4 + soundBytes) * tracks + pictureBytes;

    std::string out = aSpec.mBink2 ? "KB2k" : "BIKk";
    Put32(out, 0); // file size - 8, set below
    Put32(out, frameCount);
    Put32(out, frameBytes); // largest frame
    Put32(out, frameCount);
    Put32(out, aSpec.mWidth);
    Put32(out, aSpec.mHeight);
    Put32(out, aSpec.mRate);
    Put32(out, aSpec.mRateDiv);
    Put32(out, 0); // picture flags: no alpha
    Put32(out, tracks);
    Put32(out, 0); // a field of revision 'k' that readers skip
    for (uint32_t i = 0; i < tracks; ++i) {
        Put32(out, 0); // largest decoded sound packet
    }
    for (const BinkTrack& track : aSpec.mTracks) {
        Put16(out, track.mRate);
        Put16(out, track.mFlags);
    }
    for (const BinkTrack& track : aSpec.mTracks) {
        Put32(out, track.mId);
    }
    // The frame index: each frame's offset, bit 0 marking a key frame.
    const uint32_t first = static_cast<uint32_t>(out.size()) + 4 * frameCount;
    for (uint32_t i = 0; i < frameCount; ++i) {
        Put32(out, (first + i * frameBytes) | (aSpec.mFrames[i].mKey ? 1u : 0u));
    }
    for (const BinkFrame& frame : aSpec.mFrames) {
        for (uint32_t i = 0; i < tracks; ++i) {
            Put32(out, soundBytes);
            out += aSpec.mSoundPacket;
        }
        Put32(out, 0); // skipped by the decoder
        // From revision 'h' on the chroma planes come in the order V, U.
        for (uint8_t value : {frame.mY, frame.mV, frame.mU}) {
            Put32(out, 1u | (static_cast<uint32_t>(value) << 1));
        }
    }
    Set32(out, 4, static_cast<uint32_t>(out.size()) - 8);
    return out;
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
