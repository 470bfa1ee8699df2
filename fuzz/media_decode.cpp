// Opens and decodes arbitrary bytes as a sound (a sample and a stream) and as a movie,
// through the sound and movie stand-ins, with a time limit for each input.
#include "media/MediaLog.h"
#include "movie/Bink.h"
#include "sound/FSound.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr std::chrono::seconds kTimeLimit(3);

void Quiet(int, const char*, int, const char*)
{
}

bool Setup()
{
    MediaSetLogHandler(&Quiet);
    FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND_NONREALTIME);
    FSOUND_Init(44100, 32, 0);
    BinkSetSoundSystem(&BinkOpenDirectSound, 0);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    static const bool ready = Setup();
    (void)ready;
    if (aSize == 0 || aSize > (1u << 20)) {
        return 0;
    }
    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    const char* bytes = reinterpret_cast<const char*>(aData);
    const int size = static_cast<int>(aSize);

    if (FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_FREE, bytes, FSOUND_LOADMEMORY, 0, size)) {
        const int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
        FSOUND_Update();
        FSOUND_StopSound(channel);
        FSOUND_Sample_Free(sample);
    }

    if (FSOUND_STREAM* stream = FSOUND_Stream_Open(bytes, FSOUND_LOOP_OFF | FSOUND_LOADMEMORY, 0, size)) {
        const int channel = FSOUND_Stream_Play(FSOUND_FREE, stream);
        for (int block = 0; block < 2000 && FSOUND_IsPlaying(channel) && std::chrono::steady_clock::now() < deadline;
             ++block) {
            FSOUND_Update();
        }
        FSOUND_Stream_SetTime(stream, 10);
        FSOUND_Stream_GetLengthMs(stream);
        FSOUND_Stream_Close(stream);
    }

    if (HBINK bink = BinkOpenMemory(aData, aSize, BINKALPHA)) {
        std::vector<uint8_t> picture(static_cast<std::size_t>(bink->Width) * bink->Height * 4);
        for (uint32_t i = 0; i < 500 && std::chrono::steady_clock::now() < deadline; ++i) {
            BinkDoFrame(bink);
            BinkCopyToBuffer(bink, picture.data(), static_cast<int>(bink->Width * 4), bink->Height, 0, 0,
                             BINKSURFACE32A);
            FSOUND_Update();
            if (bink->FrameNum >= bink->Frames) {
                break;
            }
            BinkNextFrame(bink);
        }
        BinkGetKeyFrame(bink, bink->FrameNum, BINKGETKEYPREVIOUS);
        if (std::chrono::steady_clock::now() < deadline) {
            BinkGoto(bink, 1, 0);
        }
        BinkClose(bink);
    }
    return 0;
}
