// The movie library interface the engine's movie classes are written against: the Bink
// calls they make and the fields of the movie they read, over FFmpeg (which decodes
// Bink 1 files; Bink 2 files are refused). Pictures come out as 32-bit BGRA; the first
// sound track plays through the sound stand-in's mixer when a sound system was chosen.
//
// Frames are numbered from 1. BinkDoFrame decodes frame FrameNum, BinkNextFrame moves
// on to the next one, and BinkWait says whether the next frame is due yet.
#pragma once
#include <cstddef>
#include <cstdint>

struct BINK
{
    uint32_t Width;
    uint32_t Height;
    uint32_t Frames;
    // The frame that BinkDoFrame decodes next (or has just decoded).
    uint32_t FrameNum;
    uint32_t LastFrameNum;
    uint32_t FrameRate;
    uint32_t FrameRateDiv;
    // Set when the movie's data ended early or could not be decoded.
    uint32_t ReadError;
    uint32_t OpenFlags;
    // Sound tracks in the file.
    uint32_t NumTracks;
    uint32_t Paused;
};
typedef BINK* HBINK;

// Open flags.
// Keep the movie's alpha plane; cleared from OpenFlags when the movie has none.
#define BINKALPHA 0x00100000u
// Use the rate given to BinkSetFrameRate instead of the movie's own.
#define BINKFRAMERATE 0x00080000u

// Copy flags: the surface type in the low bits, options above.
#define BINKSURFACE32 1u
#define BINKSURFACE32A 2u
#define BINKSURFACEMASK 0x0Fu
// Copy even when the frame would otherwise be skipped.
#define BINKNOSKIP 0x80000000u

// BinkGetKeyFrame flags.
#define BINKGETKEYPREVIOUS 1
#define BINKGETKEYNEXT 2

// Sound systems.
typedef void* (*BINKSNDSYSOPEN)(uintptr_t aParameter);
void* BinkOpenDirectSound(uintptr_t aParameter);
// Movies opened afterwards play their first sound track through the sound mixer (while
// the sound stand-in is initialised). Returns 1.
int BinkSetSoundSystem(BINKSNDSYSOPEN aOpen, uintptr_t aParameter);

// Null on failure (BinkGetError says why; the failure is logged).
HBINK BinkOpen(const char* aName, uint32_t aFlags);
// The same for a movie file in memory (copied).
HBINK BinkOpenMemory(const void* aData, std::size_t aSize, uint32_t aFlags);
void BinkClose(HBINK aBink);
const char* BinkGetError();

// Returns the paused state after the call.
int BinkPause(HBINK aBink, int aPause);
// 0 when frame FrameNum is due (by the movie's rate since it started playing), else 1.
int BinkWait(HBINK aBink);
// Decodes frame FrameNum. 0 on success, -1 when no picture could be had.
int BinkDoFrame(HBINK aBink);
void BinkNextFrame(HBINK aBink);
// Copies the last decoded picture into a 32-bit buffer of aPitch bytes per line and
// aHeight lines, its top left corner at (aX, aY), clipped to the buffer. Returns 0 (a
// positive value would mean a skipped frame, which never happens here).
int BinkCopyToBuffer(HBINK aBink, void* aDestination, int aPitch, uint32_t aHeight, uint32_t aX, uint32_t aY,
                     uint32_t aFlags);
// Moves to aFrame (decoded, so that BinkCopyToBuffer shows it). 1 on success.
int BinkGoto(HBINK aBink, uint32_t aFrame, int32_t aFlags);
uint32_t BinkGetKeyFrame(HBINK aBink, uint32_t aFrame, int32_t aFlags);
void BinkSetFrameRate(uint32_t aRate, uint32_t aRateDiv);
uint32_t BinkGetTrackID(HBINK aBink, uint32_t aIndex);
// 32768 is the track's normal loudness; 0 to 65536.
void BinkSetVolume(HBINK aBink, uint32_t aTrackId, int32_t aVolume);
