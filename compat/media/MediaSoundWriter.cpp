#include "MediaSoundWriter.h"

#include "MediaFormat.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <cstdio>

namespace {

struct Encoding
{
    const char* mSuffix;
    const char* mEncoders[2];
};

constexpr Encoding kEncodings[] = {
    {".ogg", {"libvorbis", "vorbis"}},
    {".wav", {"pcm_s16le", nullptr}},
    // MPEG-1/2 Layer II takes whole frames of 1152 samples only.
    {".mp2", {"mp2", "mp2fixed"}},
};

bool EndsWith(const std::string& aText, const char* aSuffix)
{
    const std::string suffix(aSuffix);
    return aText.size() >= suffix.size() && aText.compare(aText.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Everything one encoding run holds; freed by the destructor.
class SoundOutput
{
public:
    ~SoundOutput()
    {
        av_packet_free(&mPacket);
        av_frame_free(&mFrame);
        avcodec_free_context(&mCodec);
        if (mFormat != nullptr) {
            if (mFormat->pb != nullptr) {
                avio_closep(&mFormat->pb);
            }
            avformat_free_context(mFormat);
        }
    }

    // Sends one frame (null drains the encoder) and writes what comes out.
    bool Encode(AVFrame* aFrame)
    {
        if (avcodec_send_frame(mCodec, aFrame) < 0) {
            return false;
        }
        for (;;) {
            const int result = avcodec_receive_packet(mCodec, mPacket);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
                return true;
            }
            if (result < 0) {
                return false;
            }
            av_packet_rescale_ts(mPacket, mCodec->time_base, mStream->time_base);
            mPacket->stream_index = mStream->index;
            if (av_interleaved_write_frame(mFormat, mPacket) < 0) {
                return false;
            }
        }
    }

    AVFormatContext* mFormat = nullptr;
    AVCodecContext* mCodec = nullptr;
    AVStream* mStream = nullptr;
    AVFrame* mFrame = nullptr;
    AVPacket* mPacket = nullptr;
};

const AVCodec* FindEncoder(const std::string& aPath, std::string& aError)
{
    for (const Encoding& encoding : kEncodings) {
        if (!EndsWith(aPath, encoding.mSuffix)) {
            continue;
        }
        for (const char* name : encoding.mEncoders) {
            if (name != nullptr) {
                if (const AVCodec* codec = avcodec_find_encoder_by_name(name)) {
                    return codec;
                }
            }
        }
        aError = std::string("no encoder for ") + encoding.mSuffix + " in this FFmpeg";
        return nullptr;
    }
    aError = "unknown sound format: " + aPath;
    return nullptr;
}

bool Write(SoundOutput& aOut, const AVCodec* aCodec, const std::string& aPath, int aRate,
           const std::vector<float>& aSamples, std::string& aError)
{
    if (avformat_alloc_output_context2(&aOut.mFormat, nullptr, nullptr, aPath.c_str()) < 0) {
        aError = "no output format for " + aPath;
        return false;
    }
    aOut.mFormat->flags |= AVFMT_FLAG_BITEXACT;
    aOut.mCodec = avcodec_alloc_context3(aCodec);
    AVCodecContext* codec = aOut.mCodec;
    codec->sample_fmt = aCodec->sample_fmts != nullptr ? aCodec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    codec->sample_rate = aRate;
    codec->bit_rate = 48000;
    codec->time_base = AVRational {1, aRate};
    codec->flags |= AV_CODEC_FLAG_BITEXACT;
    codec->strict_std_compliance = FF_COMPLIANCE_EXPERIMENTAL;
    av_channel_layout_default(&codec->ch_layout, 1);
    if (aOut.mFormat->oformat->flags & AVFMT_GLOBALHEADER) {
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (avcodec_open2(codec, aCodec, nullptr) < 0) {
        aError = std::string("cannot open the encoder ") + aCodec->name;
        return false;
    }
    aOut.mStream = avformat_new_stream(aOut.mFormat, nullptr);
    if (aOut.mStream == nullptr || avcodec_parameters_from_context(aOut.mStream->codecpar, codec) < 0) {
        aError = "cannot add the sound stream";
        return false;
    }
    aOut.mStream->time_base = codec->time_base;
    if (avio_open(&aOut.mFormat->pb, aPath.c_str(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(aOut.mFormat, nullptr) < 0) {
        aError = "cannot write " + aPath;
        return false;
    }
    aOut.mFrame = av_frame_alloc();
    aOut.mPacket = av_packet_alloc();
    if (aOut.mFrame == nullptr || aOut.mPacket == nullptr) {
        aError = "out of memory";
        return false;
    }
    const int block = codec->frame_size > 0 ? codec->frame_size : 1024;
    const int total = static_cast<int>(aSamples.size());
    for (int done = 0; done < total; done += block) {
        AVFrame* frame = aOut.mFrame;
        const int count = std::min(block, total - done);
        frame->nb_samples = count;
        frame->format = codec->sample_fmt;
        frame->sample_rate = aRate;
        if (av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout) < 0 || av_frame_get_buffer(frame, 0) < 0) {
            aError = "out of memory";
            return false;
        }
        for (int i = 0; i < count; ++i) {
            const float value = std::clamp(aSamples[done + i], -1.0f, 1.0f);
            if (codec->sample_fmt == AV_SAMPLE_FMT_FLTP || codec->sample_fmt == AV_SAMPLE_FMT_FLT) {
                reinterpret_cast<float*>(frame->data[0])[i] = value;
            } else {
                reinterpret_cast<int16_t*>(frame->data[0])[i] = static_cast<int16_t>(value * 32767.0f);
            }
        }
        frame->pts = done;
        const bool sent = aOut.Encode(frame);
        av_frame_unref(frame);
        if (!sent) {
            aError = "encoding failed";
            return false;
        }
    }
    if (!aOut.Encode(nullptr) || av_write_trailer(aOut.mFormat) < 0) {
        aError = "encoding failed";
        return false;
    }
    return true;
}

} // namespace

bool MediaWriteSound(const std::string& aPath, int aRate, const std::vector<float>& aSamples, std::string& aError)
{
    const AVCodec* codec = FindEncoder(aPath, aError);
    if (codec == nullptr) {
        return false;
    }
    bool written = false;
    {
        SoundOutput out;
        written = Write(out, codec, aPath, aRate, aSamples, aError);
    }
    if (!written) {
        std::remove(aPath.c_str());
    }
    return written;
}
