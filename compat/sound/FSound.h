// The sound library interface the engine's sound classes are written against: the
// FSOUND_ calls they make, over our own mixer (SoundMixer), SDL audio output and FFmpeg
// decoding of WAV, Ogg Vorbis and MPEG audio files.
//
// Booleans are signed char (1 true, 0 false). Channels are handles: a channel's handle
// goes stale once its sound has ended or been stopped, so a kept handle never controls
// a later sound that took the same voice.
#pragma once
#include <cstdint>

struct FSOUND_STREAM;
struct FSOUND_SAMPLE;

// Called on the audio side when a stream has played to its end (aBuffer null, aLength 0).
// It must only note the fact (an atomic flag); its result is ignored.
typedef signed char (*FSOUND_STREAMCALLBACK)(FSOUND_STREAM* aStream, void* aBuffer, int aLength, void* aUser);

// Channel argument: any free channel.
#define FSOUND_FREE (-1)

// Modes of Stream_Open and Sample_Load.
#define FSOUND_LOOP_OFF 0x0001u
#define FSOUND_LOOP_NORMAL 0x0002u
// The name argument points to aLength bytes of file data in memory.
#define FSOUND_LOADMEMORY 0x8000u

// Output types for FSOUND_SetOutput (before FSOUND_Init).
enum
{
    // The audio device (the default); without one, silent output in real time.
    FSOUND_OUTPUT_SDL = 0,
    // Silent output in real time: sounds play and end, nothing is heard.
    FSOUND_OUTPUT_NOSOUND = 1,
    // Nothing runs by itself: FSOUND_Update or FSOUND_MixBuffer mix on request.
    FSOUND_OUTPUT_NOSOUND_NONREALTIME = 2,
};

// Error codes of FSOUND_GetError.
enum
{
    FMOD_ERR_NONE = 0,
    FMOD_ERR_UNINITIALIZED,
    FMOD_ERR_INIT,
    FMOD_ERR_PLAY,
    FMOD_ERR_FILE_NOTFOUND,
    FMOD_ERR_FILE_FORMAT,
    FMOD_ERR_MEMORY,
    FMOD_ERR_INVALID_PARAM,
    FMOD_ERR_CHANNEL_ALLOC,
};

signed char FSOUND_SetOutput(int aOutputType);
// Starts output at aMixRate (8000 to 96000); the mixer always has 32 voices, so
// aMaxChannels only has to be 1 to 32. Fails when already initialised.
signed char FSOUND_Init(int aMixRate, int aMaxChannels, unsigned int aFlags);
// Stops output and every channel. Streams and samples stay valid until closed or freed.
void FSOUND_Close();
int FSOUND_GetError();
int FSOUND_GetOutputRate();
// Non-real-time output: mixes one device buffer's worth and discards it.
void FSOUND_Update();
// Non-real-time output: mixes aFrames stereo 16-bit frames into aOut. Returns the frames
// mixed (0 when not initialised for non-real-time output).
int FSOUND_MixBuffer(int16_t* aOut, int aFrames);

// Streams: decoded ahead of play into a buffer reserved when they open (on a thread of
// their own with real-time output, on the caller's by FSOUND_MixBuffer without); a loop
// reopens the file there, never in the audio callback.
FSOUND_STREAM* FSOUND_Stream_Open(const char* aNameOrData, unsigned int aMode, int aOffset, int aLength);
signed char FSOUND_Stream_Close(FSOUND_STREAM* aStream);
// Returns the channel, or -1.
int FSOUND_Stream_Play(int aChannel, FSOUND_STREAM* aStream);
// Stops playing; the position stays where it was.
signed char FSOUND_Stream_Stop(FSOUND_STREAM* aStream);
signed char FSOUND_Stream_SetTime(FSOUND_STREAM* aStream, int aMilliseconds);
int FSOUND_Stream_GetTime(FSOUND_STREAM* aStream);
// The stated length; exact once the stream has been decoded to its end.
int FSOUND_Stream_GetLengthMs(FSOUND_STREAM* aStream);
// 0: play once; n: n more times; -1: for ever.
signed char FSOUND_Stream_SetLoopCount(FSOUND_STREAM* aStream, int aCount);
signed char FSOUND_Stream_SetEndCallback(FSOUND_STREAM* aStream, FSOUND_STREAMCALLBACK aCallback, void* aUser);

// Samples: decoded whole when loaded. aIndex must be FSOUND_FREE.
FSOUND_SAMPLE* FSOUND_Sample_Load(int aIndex, const char* aNameOrData, unsigned int aMode, int aOffset,
                                  int aLength);
void FSOUND_Sample_Free(FSOUND_SAMPLE* aSample);
// In sample frames.
unsigned int FSOUND_Sample_GetLength(FSOUND_SAMPLE* aSample);
signed char FSOUND_Sample_GetDefaults(FSOUND_SAMPLE* aSample, int* aFrequency, int* aVolume, int* aPan,
                                      int* aPriority);
int FSOUND_PlaySound(int aChannel, FSOUND_SAMPLE* aSample);

// Channels.
signed char FSOUND_StopSound(int aChannel);
// 0 to 255.
signed char FSOUND_SetVolume(int aChannel, int aVolume);
int FSOUND_GetVolume(int aChannel);
signed char FSOUND_SetPaused(int aChannel, signed char aPaused);
signed char FSOUND_IsPlaying(int aChannel);
// In frames of the sound's own rate.
unsigned int FSOUND_GetCurrentPosition(int aChannel);
// Peak levels 0 to 1 of the channel's last mixed block.
signed char FSOUND_GetCurrentLevels(int aChannel, float* aLeft, float* aRight);
