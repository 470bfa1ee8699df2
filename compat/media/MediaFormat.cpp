#include "MediaFormat.h"

#include "MediaLog.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace {

// Failures in a row after which a stream is given up: a damaged packet can make a
// decoder return the same error for ever.
constexpr int kMaxErrorsInARow = 8;
// The longest an open (probing included) may take before it is abandoned.
constexpr std::chrono::seconds kOpenTimeLimit(10);
constexpr int kIoBufferSize = 32768;
// A decoded frame larger than this is taken for damage.
constexpr int kMaxFrameSamples = 1 << 20;

// The demuxer whose signature opens the stream, when it is one of the allowed formats:
// a RIFF/WAVE header or an Ogg page. Anything else is left to the library's probe, which
// tries every demuxer it has and costs far more than the read of the file.
const AVInputFormat* KnownFormat(AVIOContext* aIo, const char* aFormats)
{
    unsigned char head[12] {};
    const int count = avio_read(aIo, head, static_cast<int>(sizeof(head)));
    if (avio_seek(aIo, 0, SEEK_SET) != 0 || count != static_cast<int>(sizeof(head))) {
        return nullptr;
    }
    const char* name = nullptr;
    if (std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0) {
        name = "wav";
    } else if (std::memcmp(head, "OggS", 4) == 0) {
        name = "ogg";
    } else {
        return nullptr;
    }
    // The name must be a whole entry of the comma-separated list.
    const std::size_t length = std::strlen(name);
    for (const char* entry = aFormats; entry != nullptr && *entry != '\0';) {
        const char* comma = std::strchr(entry, ',');
        const std::size_t entryLength = comma ? static_cast<std::size_t>(comma - entry) : std::strlen(entry);
        if (entryLength == length && std::strncmp(entry, name, length) == 0) {
            return av_find_input_format(name);
        }
        entry = comma ? comma + 1 : nullptr;
    }
    return nullptr;
}

std::mutex gCallbacksMutex;
MediaFileCallbacks gCallbacks {};
bool gHasCallbacks = false;

void QuietFfmpeg()
{
    static std::once_flag once;
    // FFmpeg's own messages only on request (L_MEDIA_DEBUG=1), for looking into a file.
    std::call_once(once, [] { av_log_set_level(std::getenv("L_MEDIA_DEBUG") ? AV_LOG_DEBUG : AV_LOG_QUIET); });
}

} // namespace

void MediaSetFileCallbacks(const MediaFileCallbacks* aCallbacks)
{
    std::lock_guard<std::mutex> lock(gCallbacksMutex);
    gHasCallbacks = aCallbacks && aCallbacks->Open && aCallbacks->Close && aCallbacks->Read;
    gCallbacks = gHasCallbacks ? *aCallbacks : MediaFileCallbacks {};
}

const char* MediaErrorText(int aError)
{
    static thread_local char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(aError, text, sizeof(text));
    return text;
}

// ---------------------------------------------------------------------------------------

bool MediaSourceSpec::Set(const MediaInput& aInput)
{
    mName.clear();
    mData.clear();
    mMemory = false;
    if (aInput.mData) {
        if (aInput.mSize == 0) {
            MEDIA_ERROR("Empty media data");
            return false;
        }
        const uint8_t* bytes = static_cast<const uint8_t*>(aInput.mData);
        mData.assign(bytes, bytes + aInput.mSize);
        mMemory = true;
        mHasCallbacks = false;
        return true;
    }
    if (!aInput.mName || aInput.mName[0] == 0) {
        MEDIA_ERROR("Empty media file name");
        return false;
    }
    mName = aInput.mName;
    std::lock_guard<std::mutex> lock(gCallbacksMutex);
    mHasCallbacks = gHasCallbacks;
    mCallbacks = gCallbacks;
    return true;
}

const char* MediaSourceSpec::Describe() const
{
    return mMemory ? "<memory>" : mName.c_str();
}

// ---------------------------------------------------------------------------------------

namespace {
// Opens a regular file for reading; a FIFO or device is refused (logged) instead of
// blocking the open or reading without end.
std::FILE* OpenRegularFile(const char* aPath)
{
    const int fd = ::open(aPath, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        MEDIA_ERROR("Not a regular file: %s", aPath);
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0 ? ::fdopen(fd, "rb") : nullptr;
    if (!file) {
        ::close(fd);
    }
    return file;
}
} // namespace

MediaContainer* MediaContainer::Open(const MediaSourceSpec& aSpec, const char* aFormats)
{
    QuietFfmpeg();
    MediaContainer* container = new (std::nothrow) MediaContainer();
    if (!container) {
        MEDIA_ERROR("Out of memory opening %s", aSpec.Describe());
        return nullptr;
    }
    container->mSpec = &aSpec;
    if (aSpec.mMemory) {
        container->mSize = static_cast<int64_t>(aSpec.mData.size());
    } else if (aSpec.mHasCallbacks) {
        container->mFile = aSpec.mCallbacks.Open(aSpec.mName.c_str());
        if (container->mFile && aSpec.mCallbacks.Size) {
            container->mSize = aSpec.mCallbacks.Size(container->mFile);
        }
    } else {
        std::FILE* file = OpenRegularFile(aSpec.mName.c_str());
        if (file && fseeko(file, 0, SEEK_END) == 0) {
            container->mSize = ftello(file);
            fseeko(file, 0, SEEK_SET);
        }
        container->mFile = file;
    }
    if (!aSpec.mMemory && !container->mFile) {
        MEDIA_ERROR("Cannot open media file %s", aSpec.Describe());
        delete container;
        return nullptr;
    }

    uint8_t* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    if (buffer) {
        container->mIo = avio_alloc_context(buffer, kIoBufferSize, 0, container, &ReadCallback, nullptr,
                                            &SeekCallback);
    }
    if (!container->mIo) {
        av_free(buffer);
        MEDIA_ERROR("Out of memory opening %s", aSpec.Describe());
        delete container;
        return nullptr;
    }
    container->mFormat = avformat_alloc_context();
    if (!container->mFormat) {
        MEDIA_ERROR("Out of memory opening %s", aSpec.Describe());
        delete container;
        return nullptr;
    }
    container->mFormat->pb = container->mIo;
    container->mFormat->flags |= AVFMT_FLAG_CUSTOM_IO;
    container->mFormat->interrupt_callback.callback = &InterruptCallback;
    container->mFormat->interrupt_callback.opaque = container;
    container->mDeadline = std::chrono::steady_clock::now() + kOpenTimeLimit;
    container->mUseDeadline = true;

    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", aFormats, 0);
    const AVInputFormat* known = KnownFormat(container->mIo, aFormats);
    int result = avformat_open_input(&container->mFormat, aSpec.Describe(), known, &options);
    av_dict_free(&options);
    if (result < 0) {
        // The format context is freed by the failed open; the rest by the destructor.
        container->mFormat = nullptr;
        MEDIA_ERROR("Cannot read media file %s: %s", aSpec.Describe(), MediaErrorText(result));
        delete container;
        return nullptr;
    }
    result = avformat_find_stream_info(container->mFormat, nullptr);
    if (result < 0) {
        MEDIA_ERROR("Cannot find the streams of %s: %s", aSpec.Describe(), MediaErrorText(result));
        delete container;
        return nullptr;
    }
    container->mUseDeadline = false;
    return container;
}

MediaContainer::~MediaContainer()
{
    if (mFormat) {
        avformat_close_input(&mFormat);
    }
    if (mIo) {
        av_freep(&mIo->buffer);
        avio_context_free(&mIo);
    }
    if (mFile) {
        if (mSpec->mHasCallbacks) {
            mSpec->mCallbacks.Close(mFile);
        } else {
            std::fclose(static_cast<std::FILE*>(mFile));
        }
    }
}

int MediaContainer::ReadPacket(AVPacket* aPacket)
{
    return av_read_frame(mFormat, aPacket);
}

int MediaContainer::ReadCallback(void* aOpaque, uint8_t* aBuffer, int aSize)
{
    MediaContainer* self = static_cast<MediaContainer*>(aOpaque);
    const MediaSourceSpec& spec = *self->mSpec;
    int count = 0;
    if (spec.mMemory) {
        const int64_t left = self->mSize - self->mPosition;
        count = static_cast<int>(left < aSize ? (left > 0 ? left : 0) : aSize);
        if (count > 0) {
            std::memcpy(aBuffer, spec.mData.data() + self->mPosition, static_cast<std::size_t>(count));
        }
    } else if (spec.mHasCallbacks) {
        count = spec.mCallbacks.Read(self->mFile, aBuffer, aSize);
        if (count < 0 || count > aSize) {
            return AVERROR(EIO);
        }
    } else {
        count = static_cast<int>(std::fread(aBuffer, 1, static_cast<std::size_t>(aSize),
                                            static_cast<std::FILE*>(self->mFile)));
    }
    if (count == 0) {
        return AVERROR_EOF;
    }
    self->mPosition += count;
    return count;
}

int64_t MediaContainer::SeekCallback(void* aOpaque, int64_t aOffset, int aWhence)
{
    MediaContainer* self = static_cast<MediaContainer*>(aOpaque);
    const MediaSourceSpec& spec = *self->mSpec;
    aWhence &= ~AVSEEK_FORCE;
    if (aWhence == AVSEEK_SIZE) {
        return self->mSize >= 0 ? self->mSize : -1;
    }
    int64_t target = aOffset;
    if (aWhence == SEEK_CUR) {
        target += self->mPosition;
    } else if (aWhence == SEEK_END) {
        if (self->mSize < 0) {
            return -1;
        }
        target += self->mSize;
    } else if (aWhence != SEEK_SET) {
        return -1;
    }
    if (target < 0) {
        return -1;
    }
    if (spec.mMemory) {
        // Past the end is allowed; reads there find nothing.
    } else if (spec.mHasCallbacks) {
        if (!spec.mCallbacks.Seek || spec.mCallbacks.Seek(self->mFile, target) != 0) {
            return -1;
        }
    } else if (fseeko(static_cast<std::FILE*>(self->mFile), target, SEEK_SET) != 0) {
        return -1;
    }
    self->mPosition = target;
    return target;
}

int MediaContainer::InterruptCallback(void* aOpaque)
{
    const MediaContainer* self = static_cast<const MediaContainer*>(aOpaque);
    return self->mUseDeadline && std::chrono::steady_clock::now() > self->mDeadline ? 1 : 0;
}

// ---------------------------------------------------------------------------------------

AudioStreamDecoder::~AudioStreamDecoder()
{
    av_frame_free(&mFrame);
    swr_free(&mResampler);
    avcodec_free_context(&mCodec);
    av_channel_layout_uninit(&mInLayout);
}

bool AudioStreamDecoder::Open(const AVStream* aStream, const char* aWhat)
{
    mWhat = aWhat ? aWhat : "";
    const AVCodecParameters* parameters = aStream->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec) {
        MEDIA_ERROR("No decoder for the sound of %s", mWhat.c_str());
        return false;
    }
    const int channels = parameters->ch_layout.nb_channels;
    if (channels < 1 || channels > 8 || parameters->sample_rate < 1000 || parameters->sample_rate > 192000) {
        MEDIA_ERROR("Unsupported sound format in %s: %d channels at %d Hz", mWhat.c_str(), channels,
                    parameters->sample_rate);
        return false;
    }
    mCodec = avcodec_alloc_context3(codec);
    mFrame = av_frame_alloc();
    if (!mCodec || !mFrame) {
        MEDIA_ERROR("Out of memory opening the sound of %s", mWhat.c_str());
        return false;
    }
    int result = avcodec_parameters_to_context(mCodec, parameters);
    if (result >= 0) {
        result = avcodec_open2(mCodec, codec, nullptr);
    }
    if (result < 0) {
        MEDIA_ERROR("Cannot open the sound decoder of %s: %s", mWhat.c_str(), MediaErrorText(result));
        return false;
    }
    mRate = parameters->sample_rate;
    mChannels = channels > 1 ? 2 : 1;
    return true;
}

bool AudioStreamDecoder::Failure(int aError)
{
    if (++mErrors >= kMaxErrorsInARow) {
        mGivenUp = true;
        MEDIA_ERROR("Sound of %s given up after %d decoding errors in a row: %s", mWhat.c_str(), mErrors,
                    MediaErrorText(aError));
    }
    return mGivenUp;
}

int AudioStreamDecoder::Decode(const AVPacket* aPacket, std::vector<float>& aOut)
{
    if (mGivenUp || !mCodec) {
        return -1;
    }
    int result = avcodec_send_packet(mCodec, aPacket);
    if (result < 0 && result != AVERROR_EOF) {
        return Failure(result) ? -1 : 0;
    }
    int total = 0;
    for (;;) {
        result = avcodec_receive_frame(mCodec, mFrame);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            break;
        }
        if (result < 0) {
            if (Failure(result)) {
                return total > 0 ? total : -1;
            }
            break;
        }
        const int converted = Convert(mFrame, aOut);
        av_frame_unref(mFrame);
        if (converted < 0) {
            if (Failure(AVERROR_INVALIDDATA)) {
                return total > 0 ? total : -1;
            }
            continue;
        }
        mErrors = 0;
        total += converted;
    }
    return total;
}

int AudioStreamDecoder::Convert(const AVFrame* aFrame, std::vector<float>& aOut)
{
    if (aFrame->nb_samples <= 0) {
        return 0;
    }
    if (aFrame->nb_samples > kMaxFrameSamples || aFrame->sample_rate <= 0 || aFrame->ch_layout.nb_channels < 1
        || aFrame->ch_layout.nb_channels > 8) {
        return -1;
    }
    // The input side of the converter follows the frames; a stream may change format.
    if (!mResampler || aFrame->format != mInFormat || aFrame->sample_rate != mInRate
        || av_channel_layout_compare(&aFrame->ch_layout, &mInLayout) != 0) {
        swr_free(&mResampler);
        av_channel_layout_uninit(&mInLayout);
        AVChannelLayout in {};
        if (aFrame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&in, aFrame->ch_layout.nb_channels);
        } else if (av_channel_layout_copy(&in, &aFrame->ch_layout) < 0) {
            return -1;
        }
        AVChannelLayout out {};
        av_channel_layout_default(&out, mChannels);
        int result = swr_alloc_set_opts2(&mResampler, &out, AV_SAMPLE_FMT_FLT, mRate, &in,
                                         static_cast<AVSampleFormat>(aFrame->format), aFrame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        if (result < 0 || swr_init(mResampler) < 0) {
            swr_free(&mResampler);
            return -1;
        }
        mInFormat = aFrame->format;
        mInRate = aFrame->sample_rate;
        if (av_channel_layout_copy(&mInLayout, &aFrame->ch_layout) < 0) {
            swr_free(&mResampler);
            return -1;
        }
    }
    const int room = swr_get_out_samples(mResampler, aFrame->nb_samples);
    if (room <= 0) {
        return room < 0 ? -1 : 0;
    }
    const std::size_t start = aOut.size();
    aOut.resize(start + static_cast<std::size_t>(room) * static_cast<std::size_t>(mChannels));
    uint8_t* target = reinterpret_cast<uint8_t*>(aOut.data() + start);
    const int count = swr_convert(mResampler, &target, room, const_cast<const uint8_t**>(aFrame->extended_data),
                                  aFrame->nb_samples);
    if (count < 0) {
        aOut.resize(start);
        return -1;
    }
    aOut.resize(start + static_cast<std::size_t>(count) * static_cast<std::size_t>(mChannels));
    return count;
}

// ---------------------------------------------------------------------------------------

AudioFileDecoder* AudioFileDecoder::Open(const MediaSourceSpec& aSpec)
{
    AudioFileDecoder* decoder = new (std::nothrow) AudioFileDecoder();
    if (!decoder) {
        MEDIA_ERROR("Out of memory opening %s", aSpec.Describe());
        return nullptr;
    }
    decoder->mContainer = MediaContainer::Open(aSpec, kFormats);
    if (!decoder->mContainer) {
        delete decoder;
        return nullptr;
    }
    AVFormatContext* format = decoder->mContainer->Format();
    decoder->mStream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (decoder->mStream < 0) {
        MEDIA_ERROR("No sound in %s", aSpec.Describe());
        delete decoder;
        return nullptr;
    }
    const AVStream* stream = format->streams[decoder->mStream];
    decoder->mPacket = av_packet_alloc();
    if (!decoder->mPacket || !decoder->mDecoder.Open(stream, aSpec.Describe())) {
        delete decoder;
        return nullptr;
    }
    const int rate = decoder->mDecoder.Rate();
    if (stream->duration > 0 && stream->time_base.num > 0 && stream->time_base.den > 0) {
        decoder->mStatedFrames = av_rescale_q(stream->duration, stream->time_base, AVRational {1, rate});
    } else if (format->duration > 0) {
        decoder->mStatedFrames = av_rescale(format->duration, rate, AV_TIME_BASE);
    }
    return decoder;
}

AudioFileDecoder::~AudioFileDecoder()
{
    av_packet_free(&mPacket);
    delete mContainer;
}

int AudioFileDecoder::Decode(std::vector<float>& aOut)
{
    int readErrors = 0;
    while (!mEnded) {
        int result = mContainer->ReadPacket(mPacket);
        if (result < 0) {
            if (result != AVERROR_EOF && result != AVERROR(EAGAIN) && ++readErrors < kMaxErrorsInARow) {
                continue;
            }
            if (result != AVERROR_EOF) {
                MEDIA_ERROR("Reading %s stopped: %s", mContainer->Format()->url ? mContainer->Format()->url : "",
                            MediaErrorText(result));
            }
            // The decoder still holds the last frames: drain it.
            mEnded = true;
            const int count = mDecoder.Decode(nullptr, aOut);
            return count > 0 ? count : 0;
        }
        readErrors = 0;
        if (mPacket->stream_index != mStream) {
            av_packet_unref(mPacket);
            continue;
        }
        const int count = mDecoder.Decode(mPacket, aOut);
        av_packet_unref(mPacket);
        if (count < 0) {
            mEnded = true;
            return 0;
        }
        if (count > 0) {
            return count;
        }
    }
    return 0;
}
