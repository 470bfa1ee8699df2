#include "writers/LBinkBytes.h"

#include "writers/LImageBytes.h"

namespace {

void Set32(std::string& aOut, std::size_t aAt, uint32_t aValue)
{
    for (int i = 0; i < 4; ++i) {
        aOut[aAt + i] = static_cast<char>((aValue >> (8 * i)) & 0xFF);
    }
}

} // namespace

std::string LBinkBytes::Make(const MovieSpec& aSpec)
{
    const auto put16 = [](std::string& aOut, uint32_t aValue) { aOut += LImageBytes::U16(aValue & 0xFFFF); };
    const auto put32 = [](std::string& aOut, uint32_t aValue) { aOut += LImageBytes::U32(aValue); };
    const uint32_t frameCount = static_cast<uint32_t>(aSpec.mFrames.size());
    const uint32_t tracks = static_cast<uint32_t>(aSpec.mTracks.size());
    // Every frame: one sound packet size (and packet) per track, then the picture.
    const uint32_t pictureBytes = 16;
    const uint32_t soundBytes = static_cast<uint32_t>(aSpec.mSoundPacket.size());
    const uint32_t frameBytes = (4 + soundBytes) * tracks + pictureBytes;

    std::string out = aSpec.mBink2 ? "KB2k" : "BIKk";
    put32(out, 0); // file size - 8, set below
    put32(out, frameCount);
    put32(out, frameBytes); // largest frame
    put32(out, frameCount);
    put32(out, aSpec.mWidth);
    put32(out, aSpec.mHeight);
    put32(out, aSpec.mRate);
    put32(out, aSpec.mRateDiv);
    put32(out, 0); // picture flags: no alpha
    put32(out, tracks);
    put32(out, 0); // a field of revision 'k' that readers skip
    for (uint32_t i = 0; i < tracks; ++i) {
        put32(out, 0); // largest decoded sound packet
    }
    for (const Track& track : aSpec.mTracks) {
        put16(out, track.mRate);
        put16(out, track.mFlags);
    }
    for (const Track& track : aSpec.mTracks) {
        put32(out, track.mId);
    }
    // The frame index: each frame's offset, bit 0 marking a key frame.
    const uint32_t first = static_cast<uint32_t>(out.size()) + 4 * frameCount;
    for (uint32_t i = 0; i < frameCount; ++i) {
        put32(out, (first + i * frameBytes) | (aSpec.mFrames[i].mKey ? 1u : 0u));
    }
    for (const Frame& frame : aSpec.mFrames) {
        for (uint32_t i = 0; i < tracks; ++i) {
            put32(out, soundBytes);
            out += aSpec.mSoundPacket;
        }
        put32(out, 0); // skipped by the decoder
        // From revision 'h' on the chroma planes come in the order V, U.
        for (uint8_t value : {frame.mY, frame.mV, frame.mU}) {
            put32(out, 1u | (static_cast<uint32_t>(value) << 1));
        }
    }
    Set32(out, 4, static_cast<uint32_t>(out.size()) - 8);
    return out;
}

std::vector<LBinkBytes::Frame> LBinkBytes::Flat(int aCount, uint8_t aY, uint8_t aU, uint8_t aV)
{
    return std::vector<Frame>(aCount > 0 ? aCount : 0, Frame {aY, aU, aV, true});
}
