// FFmpeg glue shared by the sound and movie stand-ins. Internal to compat: only compat's
// sources include this header.
#pragma once
#include "MediaFile.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// FFmpeg's text for an error code (valid until the next call on the same thread).
const char* MediaErrorText(int aError);

// A reopenable copy of a MediaInput, with the file callbacks in force when it was made.
class MediaSourceSpec
{
public:
    // False (logged) for an input that names nothing.
    bool Set(const MediaInput& aInput);
    // The name, or "<memory>" for data in memory; for messages.
    const char* Describe() const;

    std::string mName;
    std::vector<uint8_t> mData;
    bool mMemory = false;
    bool mHasCallbacks = false;
    MediaFileCallbacks mCallbacks {};
};

// An open container: the reader, FFmpeg's I/O context and the demuxer. Everything it
// allocated is freed by its destructor, and by a failed Open before it returns.
class MediaContainer
{
public:
    // aFormats: the demuxers allowed, comma-separated. Null on failure (logged).
    static MediaContainer* Open(const MediaSourceSpec& aSpec, const char* aFormats);
    ~MediaContainer();
    MediaContainer(const MediaContainer&) = delete;
    MediaContainer& operator=(const MediaContainer&) = delete;

    AVFormatContext* Format() const { return mFormat; }
    // Reads the next packet; false at the end or after an error that is not worth
    // retrying (both logged when they are errors).
    int ReadPacket(AVPacket* aPacket);

private:
    MediaContainer() = default;
    static int ReadCallback(void* aOpaque, uint8_t* aBuffer, int aSize);
    static int64_t SeekCallback(void* aOpaque, int64_t aOffset, int aWhence);
    static int InterruptCallback(void* aOpaque);

    // The reader: a file through callbacks or stdio, or the source's own memory.
    const MediaSourceSpec* mSpec = nullptr;
    void* mFile = nullptr;
    int64_t mPosition = 0;
    int64_t mSize = -1;

    AVIOContext* mIo = nullptr;
    AVFormatContext* mFormat = nullptr;
    std::chrono::steady_clock::time_point mDeadline {};
    bool mUseDeadline = false;
};

// Decodes one audio stream's packets to interleaved 32-bit float frames at the stream's
// own rate, in one channel or two (more are mixed down to two).
class AudioStreamDecoder
{
public:
    AudioStreamDecoder() = default;
    ~AudioStreamDecoder();
    AudioStreamDecoder(const AudioStreamDecoder&) = delete;
    AudioStreamDecoder& operator=(const AudioStreamDecoder&) = delete;

    // False (logged) when the stream cannot be decoded; aWhat names it in messages.
    bool Open(const AVStream* aStream, const char* aWhat);
    int Rate() const { return mRate; }
    int Channels() const { return mChannels; }

    // Hands one packet to the decoder (null: the end of the stream, so that the
    // decoder gives out what it still holds) and appends the frames that come out to
    // aOut. Returns the number of frames appended, or -1 once the decoder has failed
    // too often in a row and has been given up (logged once).
    int Decode(const AVPacket* aPacket, std::vector<float>& aOut);
    bool GivenUp() const { return mGivenUp; }

private:
    int Convert(const AVFrame* aFrame, std::vector<float>& aOut);
    bool Failure(int aError);

    AVCodecContext* mCodec = nullptr;
    SwrContext* mResampler = nullptr;
    AVFrame* mFrame = nullptr;
    AVChannelLayout mInLayout {};
    int mInFormat = -1;
    int mInRate = 0;
    int mRate = 0;
    int mChannels = 0;
    int mErrors = 0;
    bool mGivenUp = false;
    std::string mWhat;
};

// A whole sound file: its container and its best audio stream, decoded block by block.
class AudioFileDecoder
{
public:
    // The sound formats: WAV, Ogg and MPEG audio.
    static constexpr const char* kFormats = "wav,ogg,mp3";

    // Null on failure (logged).
    static AudioFileDecoder* Open(const MediaSourceSpec& aSpec);
    ~AudioFileDecoder();

    int Rate() const { return mDecoder.Rate(); }
    int Channels() const { return mDecoder.Channels(); }
    // The length the container states, in frames; -1 when it does not know.
    int64_t StatedFrames() const { return mStatedFrames; }
    // Appends at least one frame to aOut unless the stream is over; returns the count
    // appended, 0 at the end (after draining the decoder, or after giving up).
    int Decode(std::vector<float>& aOut);
    bool GivenUp() const { return mDecoder.GivenUp(); }

private:
    AudioFileDecoder() = default;

    MediaContainer* mContainer = nullptr;
    AudioStreamDecoder mDecoder;
    AVPacket* mPacket = nullptr;
    int mStream = -1;
    int64_t mStatedFrames = -1;
    bool mEnded = false;
};
