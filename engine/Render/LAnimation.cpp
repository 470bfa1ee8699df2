#include "Render/LAnimation.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

#include <climits>

namespace {
// The header of the older form: 8 bytes and a 32-bit value, never looked at.
constexpr int kLiaHeaderBytes = 8 + 4;

// True when aCount records of at least aMinBytes each can still be in the stream (and
// in an int of bytes, whatever the stream can tell).
bool RecordsFit(LIStream* aStream, unsigned int aCount, long long aMinBytes)
{
    if (aCount > 0 && (aMinBytes > INT_MAX || aCount > INT_MAX / aMinBytes)) {
        return false;
    }
    return aStream->Holds(static_cast<long long>(aCount) * aMinBytes);
}

bool EndsWith(const LString& aPath, const char16_t* aEnding, int aLength)
{
    const int length = aPath.GetLength();
    return length >= aLength && aPath.Mid(length - aLength, aLength, 0).EqualsNoCase(aEnding);
}
} // namespace

LAnimation::LAnimation() = default;

LAnimation::~LAnimation()
{
    delete[] mChannels;
}

unsigned int LAnimation::GetBipedFrameId()
{
    static const unsigned int sId = LAnimationChannel::FrameId(LString(u"Biped"));
    return sId;
}

LAnimationChannel* LAnimation::GetChannel(unsigned int aIndex) const
{
    return mChannels != nullptr && aIndex < mChannelCount ? &mChannels[aIndex] : nullptr;
}

float LAnimation::GetLength() const
{
    return static_cast<float>(mFrameCount / kFramesPerSecond);
}

int LAnimation::Load(const LString& aPath, bool aSymbolic)
{
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (!stream.CreateFromFile(aPath, aSymbolic)) {
        L_ASSERT_FAILURE("Animation not found.");
        return 0;
    }
    switch (FormOf(aPath)) {
    case FORM_CURRENT:
        return Read(&stream) ? 1 : 0;
    case FORM_OLDER:
        return ReadLia(&stream, aPath);
    default:
        L_ASSERT_FAILURE("Invalid path.");
        return 0;
    }
}

LAnimation::Form LAnimation::FormOf(const LString& aPath)
{
    if (EndsWith(aPath, u"lia1", 4)) {
        return FORM_CURRENT;
    }
    return EndsWith(aPath, u"lia", 3) ? FORM_OLDER : FORM_NONE;
}

bool LAnimation::Adopt(const char* aWhat, const LString& aName, unsigned int aCount, unsigned int aFrameCount,
                       LAnimationChannel* aChannels)
{
    if (aCount > 0 && aFrameCount == 0) {
        L_ERROR(LString(aWhat) + " failure. Channels without frames.");
        delete[] aChannels;
        return false;
    }
    for (unsigned int i = 0; i < aCount; ++i) {
        const LAnimationChannel& channel = aChannels[i];
        if (channel.mRotationKeys == nullptr || channel.mTranslationKeys == nullptr ||
            static_cast<unsigned int>(channel.mKeyCount) < aFrameCount) {
            L_ERROR(LString(aWhat) + " failure. Too few keys in channel: " + channel.mName);
            delete[] aChannels;
            return false;
        }
    }
    delete[] mChannels;
    mChannels = aChannels;
    mChannelCount = aCount;
    mFrameCount = aFrameCount;
    mName = aName;
    return true;
}

bool LAnimation::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    LString name;
    unsigned int count = 0;
    unsigned int frameCount = 0;
    if (!::Read(aStream, name) || !::Read(aStream, count) || !::Read(aStream, frameCount)) {
        L_ERROR("Read failure. Truncated header.");
        return false;
    }
    if (!RecordsFit(aStream, count, LAnimationChannel::kMinRecordBytes)) {
        L_ERROR(LString("Read failure. Channel count exceeds the data left: ") + count);
        return false;
    }
    LAnimationChannel* channels = nullptr;
    if (count > 0) {
        channels = L_NEW LAnimationChannel[count];
        if (channels == nullptr) {
            L_ERROR("Read failure. Out of memory.");
            return false;
        }
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (!channels[i].Read(aStream)) {
            delete[] channels;
            return false;
        }
    }
    return Adopt("Read", name, count, frameCount, channels);
}

bool LAnimation::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    const unsigned int count = GetChannelCount();
    bool result = ::Write(aStream, mName);
    result = ::Write(aStream, count) && result;
    result = ::Write(aStream, mFrameCount) && result;
    for (unsigned int i = 0; i < count; ++i) {
        result = mChannels[i].Write(aStream) && result;
    }
    return result;
}

int LAnimation::ReadLia(LIStream* aStream, const LString& aPath)
{
    if (aStream == nullptr) {
        L_ERROR("ReadLia failure. NULL arg.");
        return 0;
    }
    unsigned int count = 0;
    unsigned int frameCount = 0;
    unsigned char header[kLiaHeaderBytes];
    if (!aStream->ReadBytes(kLiaHeaderBytes, header) || !::Read(aStream, count) || !::Read(aStream, frameCount)) {
        L_ERROR("ReadLia failure. Truncated header.");
        return 0;
    }
    const long long recordBytes =
        LAnimationChannel::kMinLiaRecordBytes + static_cast<long long>(frameCount) * LAnimationChannel::kLiaFrameBytes;
    if (!RecordsFit(aStream, count, recordBytes)) {
        L_ERROR(LString("ReadLia failure. Channel count exceeds the data left: ") + count);
        return 0;
    }
    LAnimationChannel* channels = nullptr;
    if (count > 0) {
        channels = L_NEW LAnimationChannel[count];
        if (channels == nullptr) {
            L_ERROR("ReadLia failure. Out of memory.");
            return 0;
        }
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (!channels[i].ReadLia(aStream, frameCount)) {
            delete[] channels;
            return 0;
        }
    }
    return Adopt("ReadLia", aPath, count, frameCount, channels) ? 1 : 0;
}

int LAnimation::Print() const
{
    const unsigned int count = GetChannelCount();
    for (unsigned int i = 0; i < count; ++i) {
        const LAnimationChannel& channel = mChannels[i];
        Log(LString(u"--------------------"));
        Log(LString(u"name:") + channel.mName);
        Log(LString(u"numkeys:") + mFrameCount);
        // Every channel held holds rotation and translation keys for every frame; the
        // vector keys may be absent.
        for (unsigned int frame = 0; frame < mFrameCount; ++frame) {
            Log(LString(u"-----"));
            if (channel.mVectorKeys != nullptr) {
                Log(channel.mVectorKeys[frame].ToString());
            }
            Log(channel.mRotationKeys[frame].ToString());
            Log(channel.mTranslationKeys[frame].ToString());
        }
    }
    return 1;
}
