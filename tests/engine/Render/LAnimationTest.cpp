#include "Render/LAnimation.h"
#include "container/LHashKeyList.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"
#include "writers/LAnimationBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using AnimationBytes = LAnimationBytes;
constexpr int ROTATION = LAnimationBytes::ROTATION;
constexpr int TRANSLATION = LAnimationBytes::TRANSLATION;
constexpr int VECTOR = LAnimationBytes::VECTOR;

float KeyValue(int aArray, int aKey, int aComponent)
{
    return LAnimationBytes::KeyValue(aArray, aKey, aComponent);
}

// "walk": three frames; "Biped" with all arrays under a stored id that is not its hash,
// "Head" with more keys than frames and no vector keys.
std::string Walk()
{
    return AnimationBytes()
        .Header(u"walk", 2, 3)
        .Channel(u"Biped", 77, 3)
        .Channel(u"Head", 5, 4, ROTATION | TRANSLATION)
        .Bytes();
}

// Two frames: "Biped" and "arm" (bytes after the 0 byte are not part of the name).
std::string OldWalk()
{
    return AnimationBytes()
        .LiaHeader(2, 2)
        .LiaChannel(std::string("Biped\0", 6), 9, 2)
        .LiaChannel(std::string("arm\0xy", 6), 10, 2)
        .Bytes();
}

bool ReadCurrent(LAnimation& aAnimation, const std::string& aBytes)
{
    LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
    Load(stream, aBytes);
    return aAnimation.Read(&stream);
}

int ReadOlder(LAnimation& aAnimation, const std::string& aBytes)
{
    LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
    Load(stream, aBytes);
    return aAnimation.ReadLia(&stream, LString("anims/old.lia"));
}

void ExpectKey(const LAnimationChannel& aChannel, int aKey)
{
    EXPECT_EQ(KeyValue(1, aKey, 3), aChannel.mRotationKeys[aKey].w) << aKey;
    EXPECT_EQ(KeyValue(2, aKey, 1), aChannel.mTranslationKeys[aKey].y) << aKey;
}

} // namespace

TEST(Animation, CurrentFormRoundTripsByteForByte)
{
    LAnimation animation;
    ASSERT_TRUE(ReadCurrent(animation, Walk()));
    EXPECT_EQ(LString("walk"), animation.GetName());
    ASSERT_EQ(2u, animation.GetChannelCount());
    EXPECT_EQ(3u, animation.GetFrameCount());
    EXPECT_FLOAT_EQ(0.1f, animation.GetLength());
    const LAnimationChannel* biped = animation.GetChannel(0);
    EXPECT_EQ(77u, biped->mFrameId);
    EXPECT_EQ(KeyValue(0, 2, 2), biped->mVectorKeys[2].z);
    ExpectKey(*biped, 2);
    const LAnimationChannel* head = animation.GetChannel(1);
    EXPECT_EQ(4, head->mKeyCount);
    EXPECT_EQ(nullptr, head->mVectorKeys);
    ExpectKey(*head, 3);
    EXPECT_EQ(nullptr, animation.GetChannel(2));

    LMemoryStream out(16, LMemoryStream::GROW_DOUBLE);
    EXPECT_TRUE(animation.Write(&out));
    EXPECT_EQ(Hex(Walk()), Hex(WrittenBytes(out)));
}

TEST(Animation, DamagedCurrentFormFailsAndKeepsTheAnimation)
{
    LLogCapture log;
    LAnimation animation;
    ASSERT_TRUE(ReadCurrent(animation, Walk()));
    const std::string bytes = Walk();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_FALSE(ReadCurrent(animation, bytes.substr(0, cut))) << cut;
    }
    const struct
    {
        std::string bytes;
        const char* message;
    } damaged[] = {
        {AnimationBytes().Header(u"x", 0x7FFFFFFF, 3).Bytes(), "Channel count exceeds the data left: 2147483647"},
        {AnimationBytes().Header(u"x", 1, 3).Channel(u"a", 1, -1).Bytes(), "Invalid key count: -1"},
        {AnimationBytes().Header(u"x", 1, 3).ChannelHead(u"a", 1, 0x01000000).U32(1).Bytes(),
         "Key count exceeds the data left: 16777216"},
        // Posing reads a rotation and a translation key for every frame of every channel.
        {AnimationBytes().Header(u"x", 1, 3).Channel(u"a", 1, 2).Bytes(), "Too few keys in channel: a"},
        {AnimationBytes().Header(u"x", 1, 3).Channel(u"a", 1, 3, VECTOR | ROTATION).Bytes(), "Too few keys"},
        {AnimationBytes().Header(u"x", 1, 0).Channel(u"a", 1, 0).Bytes(), "Channels without frames."},
    };
    for (const auto& file : damaged) {
        log.Clear();
        EXPECT_FALSE(ReadCurrent(animation, file.bytes)) << file.message;
        EXPECT_TRUE(log.Contains(file.message)) << file.message;
    }
    EXPECT_EQ(LString("walk"), animation.GetName());
    EXPECT_EQ(2u, animation.GetChannelCount());
    ExpectKey(*animation.GetChannel(1), 3);
}

TEST(Animation, NoChannelsReadsAsAnEmptyAnimation)
{
    LAnimation animation;
    ASSERT_TRUE(ReadCurrent(animation, Walk()));
    ASSERT_TRUE(ReadCurrent(animation, AnimationBytes().Header(u"pause", 0, 45).Bytes()));
    EXPECT_EQ(LString("pause"), animation.GetName());
    EXPECT_EQ(0u, animation.GetChannelCount());
    EXPECT_EQ(nullptr, animation.GetChannel(0));
    EXPECT_FLOAT_EQ(1.5f, animation.GetLength());
}

TEST(Animation, OlderFormHashesNamesAndWritesBackWithItsKeys)
{
    LAnimation animation;
    ASSERT_EQ(1, ReadOlder(animation, OldWalk()));
    EXPECT_EQ(LString("anims/old.lia"), animation.GetName());
    ASSERT_EQ(2u, animation.GetChannelCount());
    EXPECT_EQ(2u, animation.GetFrameCount());
    const LAnimationChannel* biped = animation.GetChannel(0);
    EXPECT_EQ(LString("Biped"), biped->mName);
    EXPECT_EQ(LHashKeyList::Hash(LString("Biped"), 7, false), biped->mFrameId);
    EXPECT_EQ(LAnimation::GetBipedFrameId(), biped->mFrameId);
    EXPECT_EQ(9u, biped->mExtra);
    EXPECT_EQ(LString("arm"), animation.GetChannel(1)->mName);
    ExpectKey(*animation.GetChannel(1), 1);

    // The keys survive the current form; the extra value is not part of it.
    LMemoryStream out(16, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(animation.Write(&out));
    LAnimation copy;
    ASSERT_TRUE(ReadCurrent(copy, WrittenBytes(out)));
    EXPECT_EQ(biped->mFrameId, copy.GetChannel(0)->mFrameId);
    EXPECT_EQ(0u, copy.GetChannel(0)->mExtra);
    EXPECT_EQ(KeyValue(0, 1, 0), copy.GetChannel(1)->mVectorKeys[1].x);
    ExpectKey(*copy.GetChannel(1), 1);
}

TEST(Animation, DamagedOlderFormFailsAndKeepsTheAnimation)
{
    LLogCapture log;
    LAnimation animation;
    ASSERT_EQ(1, ReadOlder(animation, OldWalk()));
    const std::string bytes = OldWalk();
    const std::string kKeyBytes(64, '\0');
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_EQ(0, ReadOlder(animation, bytes.substr(0, cut))) << cut;
    }
    const struct
    {
        std::string bytes;
        const char* message;
    } damaged[] = {
        {AnimationBytes().LiaHeader(3, 0x10000000).Bytes(), "Channel count exceeds the data left: 3"},
        {AnimationBytes().LiaHeader(1, 1).U32(0).Bytes() + kKeyBytes, "Invalid name length: 0"},
        {AnimationBytes().LiaHeader(1, 1).U32(0xFFFFFFF0).Bytes() + kKeyBytes, "Invalid name length: -16"},
        {AnimationBytes().LiaHeader(1, 0).LiaChannel(std::string("a\0", 2), 0, 0).Bytes(), "Channels without frames."},
    };
    for (const auto& file : damaged) {
        log.Clear();
        EXPECT_EQ(0, ReadOlder(animation, file.bytes)) << file.message;
        EXPECT_TRUE(log.Contains(file.message)) << file.message;
    }
    EXPECT_EQ(LString("anims/old.lia"), animation.GetName());
    ExpectKey(*animation.GetChannel(1), 1);
}

TEST(Animation, LoadReadsTheFormThePathEndsIn)
{
    LTestDirectory directory;
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//anims"), FromStd(directory.Path())));
    directory.Write("walk.LIA1", Walk());
    directory.Write("old.Lia", OldWalk());
    directory.Write("walk.lia", Walk());
    directory.Write("walk.txt", Walk());
    LLogCapture log;
    LAnimation animation;
    EXPECT_EQ(1, animation.Load(LString("//anims/walk.LIA1"), true));
    EXPECT_EQ(LString("walk"), animation.GetName());
    EXPECT_EQ(1, animation.Load(LString("//anims/old.Lia"), true));
    EXPECT_EQ(LString("//anims/old.Lia"), animation.GetName());
    EXPECT_EQ(0, animation.Load(LString("//anims/walk.lia"), true));

    EXPECT_EQ(0, animation.Load(LString("//anims/walk.txt"), true));
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: .\\Render\\LAnimation.cpp, "));
    EXPECT_TRUE(log.Contains("Invalid path."));
    EXPECT_EQ(0, animation.Load(LString("//anims/none.lia1"), true));
    EXPECT_TRUE(log.Contains("Animation not found."));
    EXPECT_EQ(LString("//anims/old.Lia"), animation.GetName());
}

TEST(Animation, PrintLogsEveryChannelAndKey)
{
    LAnimation animation;
    ASSERT_TRUE(ReadCurrent(animation, Walk()));
    LLogCapture log;
    EXPECT_EQ(1, animation.Print());
    const std::vector<std::string> lines = log.Lines();
    // Per channel three lines, then per frame a separator and one line per key held.
    ASSERT_EQ(3u + 3u * 4u + 3u + 3u * 3u, lines.size());
    EXPECT_EQ("name:Biped", lines[1]);
    EXPECT_EQ("numkeys:3", lines[2]);
    EXPECT_EQ("name:Head", lines[16]);
    EXPECT_EQ(ToStd(animation.GetChannel(1)->mRotationKeys[0].ToString()), lines[19]);
}
