#include "writers/LAnimationBytes.h"

#include "container/LHashKeyList.h"

float LAnimationBytes::KeyValue(int aArray, int aKey, int aComponent)
{
    return static_cast<float>(aArray * 100 + aKey) + aComponent * 0.25f;
}

LAnimationBytes& LAnimationBytes::Header(const LString& aName, unsigned aChannels, unsigned aFrames)
{
    Write(&mStream, aName);
    return U32(aChannels).U32(aFrames);
}

LAnimationBytes& LAnimationBytes::ChannelHead(const LString& aName, unsigned aId, int aKeys)
{
    Write(&mStream, aName);
    U32(aId);
    Write(&mStream, aKeys);
    return *this;
}

LAnimationBytes& LAnimationBytes::Channel(const LString& aName, unsigned aId, int aKeys, int aArrays)
{
    ChannelHead(aName, aId, aKeys);
    for (int array = 0; array < 3; ++array) {
        const bool present = (aArrays >> array & 1) != 0;
        Write(&mStream, present);
        for (int key = 0; present && key < aKeys; ++key) {
            PatternKey(array, key);
        }
    }
    return *this;
}

LAnimationBytes& LAnimationBytes::PoseChannel(const LString& aName, int aKeys, const LQuaternion& aRotation,
                                              const LVector3& aTranslation)
{
    const float vector[3] = {};
    const float rotation[4] = {aRotation.x, aRotation.y, aRotation.z, aRotation.w};
    const float translation[3] = {aTranslation.x, aTranslation.y, aTranslation.z};
    ChannelHead(aName, LHashKeyList::Hash(aName, 7, false), aKeys);
    const float* arrays[3] = {vector, rotation, translation};
    for (int array = 0; array < 3; ++array) {
        Write(&mStream, true);
        for (int key = 0; key < aKeys; ++key) {
            Floats(arrays[array], array == 1 ? 4 : 3);
        }
    }
    return *this;
}

LAnimationBytes& LAnimationBytes::LiaHeader(unsigned aChannels, unsigned aFrames)
{
    mStream.WriteBytes(8, "LIA-HEAD");
    return U32(1).U32(aChannels).U32(aFrames);
}

LAnimationBytes& LAnimationBytes::LiaChannel(const std::string& aName, unsigned aExtra, unsigned aFrames)
{
    U32(static_cast<unsigned>(aName.size()));
    mStream.WriteBytes(static_cast<int>(aName.size()), aName.data());
    U32(aExtra);
    for (unsigned key = 0; key < aFrames; ++key) {
        PatternKey(0, key);
        PatternKey(1, key);
        PatternKey(2, key);
    }
    return *this;
}

LAnimationBytes& LAnimationBytes::LiaPoseChannel(const std::string& aName, unsigned aFrames,
                                                 const LQuaternion& aRotation, const LVector3& aTranslation)
{
    const std::string name = aName + '\0';
    U32(static_cast<unsigned>(name.size()));
    mStream.WriteBytes(static_cast<int>(name.size()), name.data());
    U32(0);
    const float key[10] = {0.0f,          0.0f,          0.0f,          aRotation.x,   aRotation.y,
                           aRotation.z,   aRotation.w,   aTranslation.x, aTranslation.y, aTranslation.z};
    for (unsigned frame = 0; frame < aFrames; ++frame) {
        Floats(key, 10);
    }
    return *this;
}

LAnimationBytes& LAnimationBytes::U32(unsigned aValue)
{
    Write(&mStream, aValue);
    return *this;
}

std::string LAnimationBytes::Bytes() const
{
    return std::string(reinterpret_cast<const char*>(mStream.GetBuffer()),
                       static_cast<size_t>(mStream.GetPosition()));
}

void LAnimationBytes::PatternKey(int aArray, int aKey)
{
    for (int c = 0; c < (aArray == 1 ? 4 : 3); ++c) {
        Write(&mStream, KeyValue(aArray, aKey, c));
    }
}

void LAnimationBytes::Floats(const float* aValues, int aCount)
{
    for (int i = 0; i < aCount; ++i) {
        Write(&mStream, aValues[i]);
    }
}
