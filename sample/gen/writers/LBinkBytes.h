// Bink 1 movies (revision 'k') built byte by byte, for the sample generator and the movie
// tests. Every frame fills each plane with one value: a frame is a key frame marker, then
// per plane (Y, then the chroma planes V and U) a fill flag and the 8-bit value, each
// plane on a 32-bit boundary.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class LBinkBytes
{
public:
    struct Frame
    {
        uint8_t mY = 16;
        uint8_t mU = 128;
        uint8_t mV = 128;
        bool mKey = true;
    };
    struct Track
    {
        uint32_t mId = 0;
        uint16_t mRate = 22050;
        uint16_t mFlags = 0;
    };
    struct MovieSpec
    {
        uint32_t mWidth = 32;
        uint32_t mHeight = 16;
        uint32_t mRate = 30;
        uint32_t mRateDiv = 1;
        std::vector<Frame> mFrames;
        std::vector<Track> mTracks;
        // Bytes of every frame's sound packet for each track (empty: no sound packets).
        std::string mSoundPacket;
        // "KB2" instead of "BIK": a Bink 2 header.
        bool mBink2 = false;
    };

    static std::string Make(const MovieSpec& aSpec);
    // aCount frames of one flat colour, given as studio-range Y, U, V.
    static std::vector<Frame> Flat(int aCount, uint8_t aY, uint8_t aU, uint8_t aV);
};
