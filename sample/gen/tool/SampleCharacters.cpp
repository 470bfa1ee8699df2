// The characters' models and animations: the player's figure (a skinned figure of boxes
// on a small skeleton, in the tree form), the four hand props, every animation the
// character data, the game character's actions, turns and fallback gestures name (current
// form), and the 27 phoneme poses of the head type "vd" (older form).
#include "SampleContent.h"
#include "SampleOutput.h"

#include "LMatrix4.h"
#include "LQuaternion.h"
#include "LVector3.h"
#include "Render/LAnimation.h"
#include "Render/LAnimationChannel.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LMesh.h"
#include "Render/LShadowVolume.h"
#include "Render/LSkinMesh.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "writers/LAnimationBytes.h"
#include "writers/LModelBuilder.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

// The skeleton in its rest pose: each bone's parent (an earlier bone, -1 for the root)
// and its position in model space, the figure standing on y = 0 and facing +z.
struct Bone
{
    const char* mName;
    int mParent;
    LVector3 mPosition;
};

const Bone kBones[] = {
    {"Biped", -1, {0, 34, 0}},
    {"Biped_Spine", 0, {0, 40, 0}},
    {"BN_Neck", 1, {0, 58, 0}},
    {"BN_Head", 2, {0, 62, 0}},
    {"BN_R_Eye", 3, {2, 67, 4}},
    {"BN_L_Eye", 3, {-2, 67, 4}},
    {"BN_Jaw", 3, {0, 63, 3}},
    {"Biped_R_UpperArm", 1, {8, 56, 0}},
    {"Biped_R_Hand", 7, {8, 38, 0}},
    {"Biped_L_UpperArm", 1, {-8, 56, 0}},
    {"Biped_L_Hand", 9, {-8, 38, 0}},
    {"Biped_R_Thigh", 0, {4, 32, 0}},
    {"Biped_R_Foot", 11, {4, 2, 0}},
    {"Biped_L_Thigh", 0, {-4, 32, 0}},
    {"Biped_L_Foot", 13, {-4, 2, 0}},
};
constexpr int kBoneCount = static_cast<int>(sizeof(kBones) / sizeof(kBones[0]));

// The bones' places in kBones.
enum BoneIndex {
    kBiped,
    kSpine,
    kNeck,
    kHead,
    kREye,
    kLEye,
    kJaw,
    kRArm,
    kRHand,
    kLArm,
    kLHand,
    kRThigh,
    kRFoot,
    kLThigh,
    kLFoot
};

// The body's boxes, each moved by one bone.
struct Part
{
    int mBone;
    LVector3 mMin;
    LVector3 mMax;
};

const Part kParts[] = {
    {kBiped, {-6, 28, -3}, {6, 40, 3}},
    {kSpine, {-7, 40, -3.5f}, {7, 57, 3.5f}},
    {kHead, {-4, 58, -4}, {4, 68, 4}},
    {kJaw, {-3, 58, 1}, {3, 61, 4.5f}},
    {kRArm, {6.5f, 40, -2}, {10, 56, 0}},
    {kRHand, {6.5f, 34, -2}, {10, 40, 0}},
    {kLArm, {-10, 40, -2}, {-6.5f, 56, 0}},
    {kLHand, {-10, 34, -2}, {-6.5f, 40, 0}},
    {kRThigh, {1, 2, -2.5f}, {6.5f, 28, 2.5f}},
    {kRFoot, {1, 0, -2.5f}, {6.5f, 2, 5}},
    {kLThigh, {-6.5f, 2, -2.5f}, {-1, 28, 2.5f}},
    {kLFoot, {-6.5f, 0, -2.5f}, {-1, 2, 5}},
};

std::string Bytes(LMemoryStream& aStream)
{
    return std::string(reinterpret_cast<const char*>(aStream.GetBuffer()), static_cast<size_t>(aStream.GetPosition()));
}

std::string TreeForm(LFrame* aRoot)
{
    LDrawElement element;
    element.SetRoot(aRoot);
    element.Update(nullptr);
    LMemoryStream stream(4096, LMemoryStream::GROW_DOUBLE);
    return element.Write(&stream) ? Bytes(stream) : std::string();
}

LVector3 RestOffset(int aBone)
{
    const Bone& bone = kBones[aBone];
    return bone.mParent < 0 ? bone.mPosition : bone.mPosition - kBones[bone.mParent].mPosition;
}

// The shadow-volume cache of one skinned mesh, as the character reads it: one volume.
std::string ShadowCache(const char* aFrame, LMesh* aMesh)
{
    LShadowVolume volume;
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (!volume.Create(LString(aFrame), aMesh) || !stream.Write(1) || !volume.Write(&stream)) {
        return std::string();
    }
    return Bytes(stream);
}

// The player's figure in the tree form; its shadow-volume cache into aShadows.
std::string Figure(std::string& aShadows)
{
    std::vector<float> vertices;
    std::vector<unsigned> indices;
    std::vector<std::vector<uint32_t>> influences(kBoneCount);
    for (const Part& part : kParts) {
        const unsigned first = LModelBuilder::AddBox(vertices, indices, part.mMin, part.mMax);
        const unsigned last = static_cast<unsigned>(vertices.size() / LModelBuilder::kVertexFloats);
        for (unsigned v = first; v < last; ++v) {
            influences[part.mBone].push_back(v);
        }
    }
    LSkinMesh* skin = LModelBuilder::SkinMesh(vertices, indices);
    LModelBuilder::SetDuplicates(*skin, vertices);
    for (int b = 0; b < kBoneCount; ++b) {
        if (influences[b].empty()) {
            continue;
        }
        const std::vector<float> weights(influences[b].size(), 1.0f);
        const LVector3& at = kBones[b].mPosition;
        skin->AddBone(LString(kBones[b].mName), 0, static_cast<int>(influences[b].size()), influences[b].data(),
                      weights.data(), LModelBuilder::Translation(-at.x, -at.y, -at.z));
    }
    // The skin hangs on a root of its own; the skeleton is the root's first child.
    aShadows = ShadowCache("vedrin", skin);
    LFrame* root = LModelBuilder::Frame("vedrin", LMatrix4(), skin);
    std::vector<LFrame*> frames;
    std::vector<LFrame*> lastChild(kBoneCount, nullptr);
    for (int b = 0; b < kBoneCount; ++b) {
        const LVector3 rest = RestOffset(b);
        const LVector3& at = kBones[b].mPosition;
        LFrame* frame = LModelBuilder::Frame(kBones[b].mName, LModelBuilder::Translation(rest.x, rest.y, rest.z),
                                             nullptr, LModelBuilder::Translation(at.x, at.y, at.z));
        frames.push_back(frame);
        const int parent = kBones[b].mParent;
        if (parent < 0) {
            root->SetFirstChild(frame);
        } else if (lastChild[parent] == nullptr) {
            frames[parent]->SetFirstChild(frame);
        } else {
            lastChild[parent]->SetNextSibling(frame);
        }
        if (parent >= 0) {
            lastChild[parent] = frame;
        }
    }
    return TreeForm(root);
}

std::string Prop(const LVector3& aSize)
{
    std::vector<float> vertices;
    std::vector<unsigned> indices;
    LModelBuilder::AddBox(vertices, indices, aSize * -0.5f, aSize * 0.5f);
    LMesh* mesh = LModelBuilder::StaticMesh(vertices, indices);
    LModelBuilder::SetDuplicates(*mesh, vertices);
    return TreeForm(LModelBuilder::Frame("prop", LMatrix4(), mesh));
}

// One bone swinging about an axis: amplitude (radians) × sin(2π (cycles × t + phase)),
// t running from 0 to 1 over the animation.
struct Swing
{
    int mBone;
    LVector3 mAxis;
    float mAmplitude;
    float mCycles;
    float mPhase;
};

LQuaternion Turn(const LVector3& aAxis, float aAngle)
{
    LQuaternion q;
    q.x = aAxis.x * std::sin(aAngle / 2);
    q.y = aAxis.y * std::sin(aAngle / 2);
    q.z = aAxis.z * std::sin(aAngle / 2);
    q.w = std::cos(aAngle / 2);
    return q;
}

// An animation over every bone of the skeleton, at rest but for the swings, in the
// current form. The record is read back by the engine before it writes it, so a file
// the engine would refuse is never written.
std::string Animation(const std::string& aName, int aFrames, const std::vector<Swing>& aSwings)
{
    LAnimationBytes header;
    header.Header(LString(aName.c_str()), kBoneCount, static_cast<unsigned>(aFrames));
    LMemoryStream stream(4096, LMemoryStream::GROW_DOUBLE);
    const std::string head = header.Bytes();
    stream.WriteBytes(static_cast<int>(head.size()), head.data());
    for (int b = 0; b < kBoneCount; ++b) {
        LAnimationChannel channel;
        channel.mName = LString(kBones[b].mName);
        channel.mFrameId = LAnimationChannel::FrameId(channel.mName);
        channel.mKeyCount = aFrames;
        channel.mVectorKeys = new LVector3[aFrames];
        channel.mRotationKeys = new LQuaternion[aFrames];
        channel.mTranslationKeys = new LVector3[aFrames];
        for (int f = 0; f < aFrames; ++f) {
            const float t = aFrames > 1 ? static_cast<float>(f) / (aFrames - 1) : 0.0f;
            LQuaternion rotation = Turn(LVector3(0, 1, 0), 0.0f);
            for (const Swing& swing : aSwings) {
                if (swing.mBone == b) {
                    const float angle = swing.mAmplitude *
                                        std::sin(2.0f * static_cast<float>(M_PI) * (swing.mCycles * t + swing.mPhase));
                    rotation = Turn(swing.mAxis, angle);
                }
            }
            channel.mVectorKeys[f] = LVector3(0, 0, 0);
            channel.mRotationKeys[f] = rotation;
            channel.mTranslationKeys[f] = RestOffset(b);
        }
        if (!channel.Write(&stream)) {
            return std::string();
        }
    }
    LMemoryStream written(4096, LMemoryStream::GROW_DOUBLE);
    LMemoryStream input(1024, LMemoryStream::GROW_DOUBLE);
    LAnimation animation;
    const bool ok = input.CreateFromBuffer(stream.GetPosition(), stream.GetBuffer()) && animation.Read(&input) &&
                    animation.Write(&written);
    return ok ? Bytes(written) : std::string();
}

bool WriteAnimation(SampleOutput& aOut, const std::string& aFile, int aFrames, const std::vector<Swing>& aSwings)
{
    const std::string bytes = Animation(aFile, aFrames, aSwings);
    return bytes.empty() ? aOut.Fail("animation " + aFile) : aOut.Write("animations/" + aFile, bytes);
}

const LVector3 kX(1, 0, 0);
const LVector3 kY(0, 1, 0);
const LVector3 kZ(0, 0, 1);

// Legs and arms in step: one cycle over the animation.
std::vector<Swing> Stride(float aLegs, float aArms)
{
    return {{kRThigh, kX, aLegs, 1, 0},
            {kLThigh, kX, aLegs, 1, 0.5f},
            {kRArm, kX, aArms, 1, 0.5f},
            {kLArm, kX, aArms, 1, 0},
            {kSpine, kY, 0.05f, 1, 0}};
}

// An arm lifted and lowered once.
std::vector<Swing> Lift(int aArm, float aAngle)
{
    return {{aArm, kX, aAngle, 0.5f, 0}};
}

void WriteAnimations(SampleOutput& aOut)
{
    WriteAnimation(aOut, "vd_idle.lia1", 60, {{kSpine, kZ, 0.02f, 1, 0}, {kHead, kY, 0.05f, 1, 0.25f}});
    WriteAnimation(aOut, "vd_walk.lia1", 36, Stride(0.45f, 0.3f));
    WriteAnimation(aOut, "vd_run.lia1", 24, Stride(0.8f, 0.6f));
    WriteAnimation(aOut, "vd_ambient_look.lia1", 45, {{kHead, kY, 0.5f, 0.5f, 0}});
    WriteAnimation(aOut, "vd_ambient_shift.lia1", 45, {{kBiped, kZ, 0.06f, 0.5f, 0}, {kSpine, kZ, -0.05f, 0.5f, 0}});
    WriteAnimation(aOut, "wt_interview_idle.lia1", 60, {{kHead, kX, 0.05f, 1, 0}});
    WriteAnimation(aOut, "Cell-Phone_idle_M.lia1", 30, {{kRArm, kX, -1.3f, 0, 0.25f}});
    // The player's actions.
    WriteAnimation(aOut, "Idle_M_SS_CrossArms.lia1", 60, {{kRArm, kY, 0.8f, 0.5f, 0}, {kLArm, kY, -0.8f, 0.5f, 0}});
    WriteAnimation(aOut, "Pick_ground_M.lia1", 45, {{kSpine, kX, 0.9f, 0.5f, 0}, {kRArm, kX, -0.6f, 0.5f, 0}});
    WriteAnimation(aOut, "Pick_table_M.lia1", 45, {{kSpine, kX, 0.4f, 0.5f, 0}, {kRArm, kX, -0.9f, 0.5f, 0}});
    WriteAnimation(aOut, "camera_out-up_M.lia1", 120, Lift(kRArm, -2.2f));
    WriteAnimation(aOut, "camera_out-middle_M.lia1", 120, Lift(kRArm, -1.6f));
    WriteAnimation(aOut, "camera_out-down_M.lia1", 120, Lift(kRArm, -1.0f));
    WriteAnimation(aOut, "Chair-sitting_M.lia1", 40, {{kRThigh, kX, -1.4f, 0.25f, 0}, {kLThigh, kX, -1.4f, 0.25f, 0}});
    WriteAnimation(aOut, "Chair-rising_M.lia1", 40,
                   {{kRThigh, kX, -1.4f, 0.25f, 0.25f}, {kLThigh, kX, -1.4f, 0.25f, 0.25f}});
    WriteAnimation(aOut, "Cell-Phone_out_M.lia1", 40, {{kRArm, kX, -1.3f, 0.25f, 0}});
    WriteAnimation(aOut, "Cell-Phone_in_M.lia1", 40, {{kRArm, kX, -1.3f, 0.25f, 0.25f}});
    // Turns on the spot and into a walk: the hips lead by the nominal angle.
    for (const char* gender : {"M", "F"}) {
        for (const char* side : {"CW", "CCW"}) {
            const float sign = std::string(side) == "CW" ? 1.0f : -1.0f;
            for (int degrees : {45, 90, 180}) {
                WriteAnimation(aOut, "Turn-" + std::to_string(degrees) + "-" + side + "_" + gender + ".lia1", 30,
                               {{kBiped, kY, sign * degrees * 0.0087f, 0.5f, 0}, {kRThigh, kX, 0.2f, 1, 0}});
            }
            for (int degrees : {45, 90, 135}) {
                WriteAnimation(aOut, "Turn-Walk_" + std::to_string(degrees) + "-" + side + "_" + gender + ".lia1",
                               36, Stride(0.45f, 0.3f));
            }
        }
    }
    // The fallback gestures of a voice-over without a gesture file.
    WriteAnimation(aOut, "SS_M/SS_X1_AL.lia1", 45, Lift(kLArm, -0.8f));
    WriteAnimation(aOut, "SS_M/SS_Y1_AR.lia1", 45, Lift(kRArm, -0.8f));
    WriteAnimation(aOut, "SS_M/SS_A1_AB.lia1", 45, {{kRArm, kX, -0.7f, 0.5f, 0}, {kLArm, kX, -0.7f, 0.5f, 0}});
}

// The poses of the phoneme table, in its order: each opens the jaw and turns the head a
// little by its own amount, so every pose is told apart.
const char* const kPhonemes[] = {
    "Phoneme_Bump",  "Phoneme_Cage",   "Phoneme_Church", "Phoneme_Earth",    "Phoneme_Eat",     "Phoneme_Fave",
    "Phoneme_If",    "Phoneme_New",    "Phoneme_Oat",    "Phoneme_Ox",       "Phoneme_Roar",    "Phoneme_Size",
    "Phoneme_Though", "Phoneme_Told",  "Phoneme_Wet",    "Viseme_Blink",     "Viseme_EB_Down",  "Viseme_EB_Up",
    "Viseme_Anger",  "Viseme_Disgust", "Viseme_Frown",   "Viseme_Happy",     "Viseme_Sad",      "Viseme_Smile",
    "Viseme_Squint", "Viseme_Surprise", "Viseme_Tightlipped",
};

void WritePhonemes(SampleOutput& aOut)
{
    int index = 0;
    for (const char* phoneme : kPhonemes) {
        LAnimationBytes pose;
        pose.LiaHeader(2, 1)
            .LiaPoseChannel("BN_Jaw", 1, Turn(kX, 0.02f * (index % 15)), RestOffset(kJaw))
            .LiaPoseChannel("BN_Head", 1, Turn(kY, 0.01f * (index - 13)), RestOffset(kHead));
        aOut.Write(std::string("phonemes/vd/") + phoneme + ".lia", pose.Bytes());
        ++index;
    }
}

} // namespace

void WriteCharacters(SampleOutput& aOut)
{
    std::string shadows;
    const std::string figure = Figure(shadows);
    if (figure.empty() || shadows.empty()) {
        aOut.Fail("the player's figure");
        return;
    }
    aOut.Write("meshes/vedrin.lim1", figure);
    aOut.Write("meshes/vedrin.lisv", shadows);
    aOut.Write("meshes/camera.lim1", Prop(LVector3(4, 3, 2)));
    aOut.Write("meshes/cell-phone.lim1", Prop(LVector3(2, 4, 0.6f)));
    aOut.Write("meshes/polaroid.lim1", Prop(LVector3(3.5f, 4, 0.2f)));
    aOut.Write("meshes/police-badge.lim1", Prop(LVector3(2.5f, 3, 0.3f)));
    WriteAnimations(aOut);
    WritePhonemes(aOut);
}
