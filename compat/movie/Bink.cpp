#include "Bink.h"

#include "media/MediaFormat.h"
#include "media/MediaLog.h"
#include "sound/SoundMixer.h"
#include "sound/SoundRing.h"
#include "sound/SoundSystem.h"
#include "win32/WinTestHooks.h"

extern "C" {
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* kMovieFormats = "bink,nut";
constexpr int kMaxErrorsInARow = 8;
constexpr int kMaxSide = 4096;
constexpr uint32_t kMaxFrames = 1000000;
// Decoded sound waiting to be played; more than this and the oldest is dropped.
constexpr int kMaxQueuedSeconds = 4;

using Clock = std::chrono::steady_clock;

// The monotonic clock, or the whole-program tests' fixed-step clock.
Clock::time_point Now()
{
    if (WinTestHooksActive()) {
        return Clock::time_point(std::chrono::microseconds(WinTestClockMicroseconds()));
    }
    return Clock::now();
}

std::atomic<bool> gSound {false};
std::atomic<uint32_t> gRate {0};
std::atomic<uint32_t> gRateDiv {0};
std::mutex gErrorMutex;
std::string gError;

void SetError(const std::string& aText)
{
    std::lock_guard<std::mutex> lock(gErrorMutex);
    gError = aText;
}

// The first sound track's decoded frames, waiting for the mixer: the movie's frame pass
// writes, the audio thread reads.
class MovieSound : public SoundSource
{
public:
    MovieSound(int aRate, int aChannels)
        : mRate(aRate)
        , mChannels(aChannels)
    {
    }
    // Reserves the buffer; false when memory is out.
    bool Reserve() { return mRing.Reserve(kMaxQueuedSeconds * mRate, mChannels); }
    int Rate() const override { return mRate; }
    int Channels() const override { return mChannels; }
    int Peek(int, const float** aData) override { return mRing.Peek(aData); }
    void Consume(int aFrames) override { mRing.Consume(aFrames); }
    bool Ended() const override { return mEnded.load() && mRing.Available() == 0; }

    // Without the mixer's lock (which it takes only to drop the oldest frames).
    void Push(const std::vector<float>& aFrames)
    {
        const float* data = aFrames.data();
        int count = static_cast<int>(aFrames.size() / mChannels);
        if (count > mRing.Capacity()) {
            data += static_cast<std::size_t>(count - mRing.Capacity()) * mChannels;
            count = mRing.Capacity();
        }
        if (mRing.Space() < count) {
            // Keep the newest: the reader is kept off while its oldest frames go.
            std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
            mRing.Consume(count - mRing.Space());
        }
        mRing.Write(data, count);
    }
    // While no voice plays it.
    void Clear()
    {
        mRing.Clear();
        mEnded.store(false);
    }
    void SetEnded() { mEnded.store(true); }

private:
    int mRate;
    int mChannels;
    SoundRing mRing;
    std::atomic<bool> mEnded {false};
};

} // namespace

struct BinkMovie : public BINK
{
    ~BinkMovie() { CloseDecoders(); }

    bool OpenDecoders();
    void CloseDecoders();
    // The next picture of the file into mPicture: 1, or 0 when there is none.
    int DecodePicture();
    bool Convert(const AVFrame* aFrame);
    void HandleSound(const AVPacket* aPacket);
    void EndSound();
    void RestartClock(uint32_t aFrame);

    MediaSourceSpec mSpec;
    MediaContainer* mContainer = nullptr;
    AVCodecContext* mVideo = nullptr;
    SwsContext* mScaler = nullptr;
    AVFrame* mFrame = nullptr;
    AVPacket* mPacket = nullptr;
    int mVideoStream = -1;
    std::vector<int> mSoundStreams;
    std::vector<uint32_t> mTrackIds;
    std::vector<int32_t> mTrackVolumes;
    std::unique_ptr<AudioStreamDecoder> mSound;
    std::unique_ptr<MovieSound> mSoundQueue;
    std::vector<float> mSoundScratch;
    int mVoice = -1;

    std::vector<uint8_t> mPicture;
    bool mHasPicture = false;
    // Pictures decoded since the file was (re)opened.
    uint32_t mDecoded = 0;
    // Frame FrameNum is already in mPicture (after BinkGoto).
    bool mCurrentReady = false;
    bool mInputEnded = false;
    bool mGivenUp = false;
    int mErrors = 0;

    Clock::time_point mStart;
    Clock::time_point mPausedAt;
    Clock::duration mPausedFor {};
    uint32_t mClockFrame = 1;
};

bool BinkMovie::OpenDecoders()
{
    mContainer = MediaContainer::Open(mSpec, kMovieFormats);
    if (!mContainer) {
        return false;
    }
    AVFormatContext* format = mContainer->Format();
    const bool bink = std::strcmp(format->iformat->name, "bink") == 0;
    mVideoStream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (mVideoStream < 0) {
        MEDIA_ERROR("No pictures in movie %s", mSpec.Describe());
        return false;
    }
    const AVStream* stream = format->streams[mVideoStream];
    const uint32_t tag = stream->codecpar->codec_tag;
    if (bink && (tag & 0xFFFFFF) == ('K' | ('B' << 8) | ('2' << 16))) {
        MEDIA_ERROR("Bink 2 movies are not supported: %s", mSpec.Describe());
        return false;
    }
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) {
        MEDIA_ERROR("No decoder for the pictures of movie %s", mSpec.Describe());
        return false;
    }
    mVideo = avcodec_alloc_context3(codec);
    mFrame = av_frame_alloc();
    mPacket = av_packet_alloc();
    if (!mVideo || !mFrame || !mPacket) {
        MEDIA_ERROR("Out of memory opening movie %s", mSpec.Describe());
        return false;
    }
    int result = avcodec_parameters_to_context(mVideo, stream->codecpar);
    if (result >= 0) {
        result = avcodec_open2(mVideo, codec, nullptr);
    }
    if (result < 0) {
        MEDIA_ERROR("Cannot open the picture decoder of movie %s: %s", mSpec.Describe(), MediaErrorText(result));
        return false;
    }
    mSoundStreams.clear();
    mTrackIds.clear();
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            mSoundStreams.push_back(static_cast<int>(i));
            mTrackIds.push_back(bink ? static_cast<uint32_t>(format->streams[i]->id)
                                     : static_cast<uint32_t>(mTrackIds.size()));
        }
    }
    if (mTrackVolumes.size() != mTrackIds.size()) {
        mTrackVolumes.assign(mTrackIds.size(), 32768);
    }
    mSound.reset();
    if (gSound.load() && !mSoundStreams.empty()) {
        std::unique_ptr<AudioStreamDecoder> sound(new (std::nothrow) AudioStreamDecoder());
        // A movie whose sound cannot be decoded still plays its pictures.
        if (sound && sound->Open(format->streams[mSoundStreams[0]], mSpec.Describe())) {
            mSound = std::move(sound);
        }
    }
    mDecoded = 0;
    mInputEnded = false;
    mGivenUp = false;
    mErrors = 0;
    return true;
}

void BinkMovie::CloseDecoders()
{
    if (mSoundQueue) {
        SoundSystemMixer().StopSource(mSoundQueue.get());
    }
    mVoice = -1;
    mSoundQueue.reset();
    mSound.reset();
    sws_freeContext(mScaler);
    mScaler = nullptr;
    av_packet_free(&mPacket);
    av_frame_free(&mFrame);
    avcodec_free_context(&mVideo);
    delete mContainer;
    mContainer = nullptr;
}

void BinkMovie::HandleSound(const AVPacket* aPacket)
{
    if (!mSound) {
        return;
    }
    mSoundScratch.clear();
    if (mSound->Decode(aPacket, mSoundScratch) < 0) {
        mSound.reset();
        EndSound();
        return;
    }
    if (mSoundScratch.empty() || !SoundSystemActive()) {
        return;
    }
    if (!mSoundQueue) {
        std::unique_ptr<MovieSound> queue(new (std::nothrow) MovieSound(mSound->Rate(), mSound->Channels()));
        if (!queue || !queue->Reserve()) {
            return;
        }
        mSoundQueue = std::move(queue);
    }
    {
        SoundMixer& mixer = SoundSystemMixer();
        std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
        if (!SoundSystemActive()) {
            return;
        }
        if (!mixer.IsPlaying(mVoice)) {
            mSoundQueue->Clear();
            mVoice = mixer.Play(-1, mSoundQueue.get(), SoundMixer::kMaxVolume, nullptr, nullptr, Paused != 0);
            if (!mTrackVolumes.empty()) {
                mixer.SetGain(mVoice, mTrackVolumes[0] / 32768.0f);
            }
        }
    }
    mSoundQueue->Push(mSoundScratch);
}

void BinkMovie::EndSound()
{
    if (mSoundQueue) {
        mSoundQueue->SetEnded();
    }
}

int BinkMovie::DecodePicture()
{
    if (mGivenUp || !mVideo) {
        return 0;
    }
    int readErrors = 0;
    for (;;) {
        int result = avcodec_receive_frame(mVideo, mFrame);
        if (result == 0) {
            const bool converted = Convert(mFrame);
            av_frame_unref(mFrame);
            if (converted) {
                mErrors = 0;
                ++mDecoded;
                return 1;
            }
            result = AVERROR_INVALIDDATA;
        }
        if (result == AVERROR_EOF) {
            return 0;
        }
        if (result != AVERROR(EAGAIN)) {
            if (++mErrors >= kMaxErrorsInARow) {
                mGivenUp = true;
                MEDIA_ERROR("Movie %s given up after %d decoding errors in a row: %s", mSpec.Describe(), mErrors,
                            MediaErrorText(result));
                return 0;
            }
            continue;
        }
        if (mInputEnded) {
            return 0;
        }
        result = mContainer->ReadPacket(mPacket);
        if (result < 0) {
            if (result != AVERROR_EOF && ++readErrors < kMaxErrorsInARow) {
                continue;
            }
            if (result != AVERROR_EOF) {
                MEDIA_ERROR("Reading movie %s stopped: %s", mSpec.Describe(), MediaErrorText(result));
            }
            // Drain both decoders: they may still hold the last frames.
            mInputEnded = true;
            avcodec_send_packet(mVideo, nullptr);
            HandleSound(nullptr);
            EndSound();
            continue;
        }
        readErrors = 0;
        if (mPacket->stream_index == mVideoStream) {
            result = avcodec_send_packet(mVideo, mPacket);
            if (result < 0 && result != AVERROR(EAGAIN) && ++mErrors >= kMaxErrorsInARow) {
                mGivenUp = true;
                MEDIA_ERROR("Movie %s given up after %d decoding errors in a row: %s", mSpec.Describe(), mErrors,
                            MediaErrorText(result));
                av_packet_unref(mPacket);
                return 0;
            }
        } else if (!mSoundStreams.empty() && mPacket->stream_index == mSoundStreams[0]) {
            HandleSound(mPacket);
        }
        av_packet_unref(mPacket);
    }
}

bool BinkMovie::Convert(const AVFrame* aFrame)
{
    if (aFrame->width <= 0 || aFrame->height <= 0 || aFrame->width > kMaxSide || aFrame->height > kMaxSide) {
        return false;
    }
    mScaler = sws_getCachedContext(mScaler, aFrame->width, aFrame->height, static_cast<AVPixelFormat>(aFrame->format),
                                   static_cast<int>(Width), static_cast<int>(Height), AV_PIX_FMT_BGRA,
                                   SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (!mScaler) {
        return false;
    }
    uint8_t* planes[4] = {mPicture.data(), nullptr, nullptr, nullptr};
    int pitches[4] = {static_cast<int>(Width) * 4, 0, 0, 0};
    if (sws_scale(mScaler, aFrame->data, aFrame->linesize, 0, aFrame->height, planes, pitches) <= 0) {
        return false;
    }
    mHasPicture = true;
    return true;
}

void BinkMovie::RestartClock(uint32_t aFrame)
{
    mStart = Now();
    mPausedFor = Clock::duration {};
    mPausedAt = mStart;
    mClockFrame = aFrame;
}

namespace {

BinkMovie* Movie(HBINK aBink)
{
    return static_cast<BinkMovie*>(aBink);
}

// A container that does not state its frame count: count the picture packets once.
int64_t CountPictures(const MediaSourceSpec& aSpec, int aStream)
{
    std::unique_ptr<MediaContainer> container(MediaContainer::Open(aSpec, kMovieFormats));
    AVPacket* packet = av_packet_alloc();
    int64_t count = 0;
    int errors = 0;
    while (container && packet && count <= kMaxFrames) {
        const int result = container->ReadPacket(packet);
        if (result < 0) {
            if (result == AVERROR_EOF || ++errors >= kMaxErrorsInARow) {
                break;
            }
            continue;
        }
        errors = 0;
        count += packet->stream_index == aStream ? 1 : 0;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return count;
}

HBINK Open(const MediaInput& aInput, uint32_t aFlags)
{
    std::unique_ptr<BinkMovie> movie(new (std::nothrow) BinkMovie());
    if (!movie) {
        SetError("Out of memory");
        return nullptr;
    }
    BINK& bink = *movie;
    bink = BINK {};
    if (!movie->mSpec.Set(aInput)) {
        SetError("No movie named");
        return nullptr;
    }
    if (!movie->OpenDecoders()) {
        SetError(std::string("Cannot open movie ") + movie->mSpec.Describe());
        return nullptr;
    }
    AVFormatContext* format = movie->mContainer->Format();
    const AVStream* stream = format->streams[movie->mVideoStream];
    const int width = stream->codecpar->width;
    const int height = stream->codecpar->height;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        MEDIA_ERROR("Movie %s has an unsupported size %d x %d", movie->mSpec.Describe(), width, height);
        SetError("Unsupported movie size");
        return nullptr;
    }
    AVRational rate = stream->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0) {
        rate = stream->r_frame_rate;
    }
    if (rate.num <= 0 || rate.den <= 0) {
        MEDIA_ERROR("Movie %s has no frame rate", movie->mSpec.Describe());
        SetError("No frame rate");
        return nullptr;
    }
    int64_t frames = stream->nb_frames;
    if (frames <= 0 && std::strcmp(format->iformat->name, "bink") == 0) {
        // The header's frame count: one time unit per frame.
        frames = stream->duration;
    }
    if (frames <= 0) {
        frames = CountPictures(movie->mSpec, movie->mVideoStream);
    }
    if (frames <= 0 || frames > kMaxFrames) {
        MEDIA_ERROR("Movie %s has no usable frame count", movie->mSpec.Describe());
        SetError("No frame count");
        return nullptr;
    }
    movie->mPicture.assign(static_cast<std::size_t>(width) * height * 4, 0);
    bink.Width = static_cast<uint32_t>(width);
    bink.Height = static_cast<uint32_t>(height);
    bink.Frames = static_cast<uint32_t>(frames);
    bink.FrameNum = 1;
    bink.FrameRate = static_cast<uint32_t>(rate.num);
    bink.FrameRateDiv = static_cast<uint32_t>(rate.den);
    if ((aFlags & BINKFRAMERATE) && gRate.load() > 0 && gRateDiv.load() > 0) {
        bink.FrameRate = gRate.load();
        bink.FrameRateDiv = gRateDiv.load();
    }
    bink.NumTracks = static_cast<uint32_t>(movie->mTrackIds.size());
    bink.OpenFlags = aFlags;
    const AVPixFmtDescriptor* pixels = av_pix_fmt_desc_get(movie->mVideo->pix_fmt);
    if (!pixels || !(pixels->flags & AV_PIX_FMT_FLAG_ALPHA)) {
        bink.OpenFlags &= ~BINKALPHA;
    }
    movie->RestartClock(1);
    return movie.release();
}

} // namespace

void* BinkOpenDirectSound(uintptr_t)
{
    return reinterpret_cast<void*>(&BinkOpenDirectSound);
}

int BinkSetSoundSystem(BINKSNDSYSOPEN aOpen, uintptr_t aParameter)
{
    gSound.store(aOpen != nullptr && aOpen(aParameter) != nullptr);
    return 1;
}

HBINK BinkOpen(const char* aName, uint32_t aFlags)
{
    MediaInput input;
    input.mName = aName;
    return Open(input, aFlags);
}

HBINK BinkOpenMemory(const void* aData, std::size_t aSize, uint32_t aFlags)
{
    MediaInput input;
    input.mData = aData;
    input.mSize = aSize;
    return Open(input, aFlags);
}

void BinkClose(HBINK aBink)
{
    delete Movie(aBink);
}

const char* BinkGetError()
{
    static thread_local std::string copy;
    std::lock_guard<std::mutex> lock(gErrorMutex);
    copy = gError;
    return copy.c_str();
}

int BinkPause(HBINK aBink, int aPause)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie) {
        return 0;
    }
    const bool pause = aPause != 0;
    if (pause && !movie->Paused) {
        movie->mPausedAt = Now();
    } else if (!pause && movie->Paused) {
        movie->mPausedFor += Now() - movie->mPausedAt;
    }
    movie->Paused = pause ? 1 : 0;
    SoundSystemMixer().SetPaused(movie->mVoice, pause);
    return static_cast<int>(movie->Paused);
}

int BinkWait(HBINK aBink)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie || movie->Paused) {
        return 1;
    }
    if (movie->FrameNum <= movie->mClockFrame) {
        return 0;
    }
    const double due = static_cast<double>(movie->FrameNum - movie->mClockFrame) * movie->FrameRateDiv
                       / movie->FrameRate;
    const std::chrono::duration<double> elapsed = Now() - movie->mStart - movie->mPausedFor;
    return elapsed.count() >= due ? 0 : 1;
}

int BinkDoFrame(HBINK aBink)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie) {
        return -1;
    }
    movie->LastFrameNum = movie->FrameNum;
    if (movie->mCurrentReady) {
        movie->mCurrentReady = false;
        return 0;
    }
    if (movie->DecodePicture()) {
        return 0;
    }
    // The data ran out before the stated end: this frame becomes the last.
    if (!movie->ReadError) {
        MEDIA_ERROR("Movie %s ends early at frame %u of %u", movie->mSpec.Describe(), movie->FrameNum,
                    movie->Frames);
        movie->ReadError = 1;
    }
    movie->Frames = std::max(1u, std::min(movie->Frames, movie->FrameNum));
    return -1;
}

void BinkNextFrame(HBINK aBink)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie) {
        return;
    }
    if (movie->FrameNum < movie->Frames) {
        ++movie->FrameNum;
    } else {
        BinkGoto(aBink, 1, 0);
    }
}

int BinkCopyToBuffer(HBINK aBink, void* aDestination, int aPitch, uint32_t aHeight, uint32_t aX, uint32_t aY,
                     uint32_t aFlags)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie || !aDestination || aPitch <= 0 || !movie->mHasPicture) {
        return 0;
    }
    const uint32_t type = aFlags & BINKSURFACEMASK;
    if (type != BINKSURFACE32 && type != BINKSURFACE32A) {
        return 0;
    }
    const uint32_t destinationWidth = static_cast<uint32_t>(aPitch) / 4;
    if (aX >= destinationWidth || aY >= aHeight) {
        return 0;
    }
    const uint32_t columns = std::min(movie->Width, destinationWidth - aX);
    const uint32_t rows = std::min(movie->Height, aHeight - aY);
    uint8_t* target = static_cast<uint8_t*>(aDestination);
    for (uint32_t row = 0; row < rows; ++row) {
        uint8_t* line = target + static_cast<std::size_t>(aY + row) * aPitch + static_cast<std::size_t>(aX) * 4;
        const uint8_t* source = movie->mPicture.data() + static_cast<std::size_t>(row) * movie->Width * 4;
        std::memcpy(line, source, static_cast<std::size_t>(columns) * 4);
        if (type == BINKSURFACE32) {
            for (uint32_t column = 0; column < columns; ++column) {
                line[column * 4 + 3] = 255;
            }
        }
    }
    return 0;
}

int BinkGoto(HBINK aBink, uint32_t aFrame, int32_t)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie) {
        return 0;
    }
    const uint32_t frame = std::clamp<uint32_t>(aFrame, 1, std::max(1u, movie->Frames));
    if (frame <= movie->mDecoded || movie->mGivenUp) {
        // Back to the start: open the file again and decode forwards.
        movie->CloseDecoders();
        movie->mHasPicture = false;
        if (!movie->OpenDecoders()) {
            movie->ReadError = 1;
            movie->Frames = std::max(1u, movie->FrameNum);
            return 0;
        }
    }
    while (movie->mDecoded < frame) {
        if (!movie->DecodePicture()) {
            movie->ReadError = 1;
            movie->Frames = std::max(1u, movie->mDecoded);
            break;
        }
    }
    movie->FrameNum = std::min(frame, std::max(1u, movie->mDecoded));
    movie->mCurrentReady = movie->mHasPicture;
    movie->RestartClock(movie->FrameNum);
    return movie->mDecoded >= frame ? 1 : 0;
}

uint32_t BinkGetKeyFrame(HBINK aBink, uint32_t aFrame, int32_t aFlags)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie || !movie->mContainer) {
        return 0;
    }
    AVStream* stream = movie->mContainer->Format()->streams[movie->mVideoStream];
    const AVRational perFrame = AVRational {static_cast<int>(movie->FrameRateDiv), static_cast<int>(movie->FrameRate)};
    uint32_t best = aFlags == BINKGETKEYNEXT ? 0 : 1;
    const int count = avformat_index_get_entries_count(stream);
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        if (!entry || !(entry->flags & AVINDEX_KEYFRAME)) {
            continue;
        }
        const int64_t number = av_rescale_q(entry->timestamp, stream->time_base, perFrame) + 1;
        if (number < 1 || number > movie->Frames) {
            continue;
        }
        const uint32_t key = static_cast<uint32_t>(number);
        if (aFlags == BINKGETKEYNEXT) {
            if (key >= aFrame && (best == 0 || key < best)) {
                best = key;
            }
        } else if (key <= aFrame && key > best) {
            best = key;
        }
    }
    return best == 0 ? aFrame : best;
}

void BinkSetFrameRate(uint32_t aRate, uint32_t aRateDiv)
{
    gRate.store(aRate);
    gRateDiv.store(aRateDiv);
}

uint32_t BinkGetTrackID(HBINK aBink, uint32_t aIndex)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie || aIndex >= movie->mTrackIds.size()) {
        return 0;
    }
    return movie->mTrackIds[aIndex];
}

void BinkSetVolume(HBINK aBink, uint32_t aTrackId, int32_t aVolume)
{
    BinkMovie* movie = Movie(aBink);
    if (!movie) {
        return;
    }
    const int32_t volume = std::clamp(aVolume, 0, 65536);
    for (std::size_t i = 0; i < movie->mTrackIds.size(); ++i) {
        if (movie->mTrackIds[i] == aTrackId) {
            movie->mTrackVolumes[i] = volume;
            if (i == 0) {
                SoundSystemMixer().SetGain(movie->mVoice, volume / 32768.0f);
            }
        }
    }
}
