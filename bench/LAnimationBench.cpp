// One element update of a character: the controller's update and posing with seven busy
// tracks over a 60-frame skeleton. Several characters pose every frame, so this is the
// cost per character per frame.
#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "stdlib/LMemoryStream.h"
#include "writers/LAnimationBytes.h"
#include "writers/LSkeletonBytes.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kBones = 60;
constexpr unsigned kFrames = 30;

LString BoneName(int aIndex)
{
    return aIndex == 0 ? LString("Biped") : LString("Bone") + aIndex;
}

void Fill(LMemoryStream& aStream, const std::string& aBytes)
{
    aStream.CreateFromBuffer(static_cast<int>(aBytes.size()), reinterpret_cast<const unsigned char*>(aBytes.data()));
}

// An animation of every bone, each turned about its own axis by an angle of aTrack.
std::unique_ptr<LAnimation> Animation(int aTrack)
{
    LAnimationBytes bytes;
    bytes.Header(LString("track") + aTrack, kBones, kFrames);
    for (int bone = 0; bone < kBones; ++bone) {
        LQuaternion turn;
        const float half = 0.05f * static_cast<float>(aTrack + bone % 7);
        turn.x = std::sin(half) * 0.6f;
        turn.y = std::sin(half) * 0.8f;
        turn.w = std::cos(half);
        bytes.PoseChannel(BoneName(bone), kFrames, turn, LVector3(0.0f, 1.0f, 0.1f * aTrack));
    }
    auto animation = std::make_unique<LAnimation>();
    LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
    Fill(stream, bytes.Bytes());
    animation->Read(&stream);
    return animation;
}

} // namespace

static void BM_ElementUpdateSevenTracks(benchmark::State& aState)
{
    LSkeletonBytes skeleton;
    for (int bone = 0; bone < kBones; ++bone) {
        LMatrix4 rest;
        LMatrix4::Scaling(&rest, 1.0f, 1.0f + 0.01f * bone, 1.0f);
        rest[13] = 0.5f;
        skeleton.Frame(BoneName(bone), rest);
    }
    LDrawElement element;
    LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
    Fill(stream, skeleton.Bytes());
    if (!element.Read(&stream)) {
        aState.SkipWithError("skeleton not read");
        return;
    }
    auto* ctrl = new LAnimationCtrl();
    element.SetAnimationCtrl(ctrl);
    std::vector<std::unique_ptr<LAnimation>> animations;
    for (int track = 0; track < LAnimationCtrl::kTrackCount; ++track) {
        animations.push_back(Animation(track));
        ctrl->SetTrack(track, animations.back().get(), LAnimationTrack::FLAG_LOOP, 0.5f, 0.0f, 1.0f + 0.1f * track);
    }
    const LMatrix4 world;
    for (auto _ : aState) {
        element.Update(&world);
        benchmark::ClobberMemory();
    }
    element.SetAnimationCtrl(nullptr);
}
BENCHMARK(BM_ElementUpdateSevenTracks)->Unit(benchmark::kMicrosecond);
