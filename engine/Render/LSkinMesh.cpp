#include "Render/LSkinMesh.h"

#include "Render/LFrame.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <cmath>
#include <cstring>

namespace {
// Bytes of position and normal at the start of every skinned vertex.
constexpr int kSkinnedBytes = 24;

float RowLength(const LMatrix4& aM, int aRow)
{
    const float* row = &aM.m[aRow * 4];
    return std::sqrt(row[0] * row[0] + row[1] * row[1] + row[2] * row[2]);
}
} // namespace

LSkinMesh::Bone::~Bone()
{
    delete[] mVertices;
    delete[] mWeights;
}

LSkinMesh::LSkinMesh() : LMesh(kSkinned) {}

LSkinMesh::~LSkinMesh()
{
    TakeBones(nullptr, 0);
    FreeSkin();
}

LString LSkinMesh::Dump() const
{
    return DumpHead("LSkinMesh") + "]";
}

void LSkinMesh::TakeBones(Bone** aBones, uint32_t aCount)
{
    for (uint32_t i = 0; i < mBoneCount; ++i) {
        delete mBones[i];
    }
    delete[] mBones;
    mBones = aBones;
    mBoneCount = aCount;
}

void LSkinMesh::FreeSkin()
{
    delete[] mRestPositions;
    delete[] mSkinnedPositions;
    delete[] mRestNormals;
    delete[] mSkinnedNormals;
    mRestPositions = mSkinnedPositions = mRestNormals = mSkinnedNormals = nullptr;
    mVertexCount = 0;
    mVertexStride = 0;
    mVertexData = nullptr;
}

const LSkinMesh::Bone* LSkinMesh::GetBone(int aIndex) const
{
    return aIndex >= 0 && static_cast<uint32_t>(aIndex) < mBoneCount ? mBones[aIndex] : nullptr;
}

bool LSkinMesh::ReadInfluences(LIStream* aStream, int aVertexCount, Bone& aBone)
{
    const uint32_t count = aBone.mInfluenceCount;
    if (count > INT32_MAX / 8 || !aStream->Holds(static_cast<long long>(count) * 8)) {
        L_ERROR(LString("Read failure. Influence count exceeds the data left: ") + count);
        return false;
    }
    if (count == 0) {
        return true;
    }
    aBone.mVertices = L_NEW uint32_t[count];
    aBone.mWeights = L_NEW float[count];
    if (!aStream->ReadBytes(static_cast<int>(count * 4), aBone.mVertices) ||
        !aStream->ReadBytes(static_cast<int>(count * 4), aBone.mWeights)) {
        L_ERROR("Read failure. Truncated influences.");
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (aBone.mVertices[i] >= static_cast<uint32_t>(aVertexCount)) {
            L_ERROR(LString("Read failure. Influence of a vertex that does not exist: ") + aBone.mVertices[i]);
            return false;
        }
    }
    return true;
}

bool LSkinMesh::ReadBones(LIStream* aStream, bool aDirect, int aVertexCount, uint32_t aCount, Bone**& aBones)
{
    const int minBytes = aDirect ? kMinDirectBoneBytes : kMinTreeBoneBytes;
    if (aCount > static_cast<uint32_t>(INT32_MAX / minBytes) || !aStream->Holds(static_cast<long long>(aCount) * minBytes)) {
        L_ERROR(LString("Read failure. Bone count exceeds the data left: ") + aCount);
        return false;
    }
    aBones = aCount > 0 ? L_NEW Bone*[aCount] : nullptr;
    for (uint32_t i = 0; i < aCount; ++i) {
        Bone* bone = L_NEW Bone();
        aBones[i] = bone;
        bool read = false;
        if (aDirect) {
            int length = 0;
            char* name = nullptr;
            read = ::Read(aStream, length) && length >= 0 && ::Read(aStream, length, name) &&
                   ::Read(aStream, bone->mInfluenceCount);
            if (name != nullptr) {
                bone->mName = LString(name);
                delete[] name;
            }
            read = read && ReadInfluences(aStream, aVertexCount, *bone) && ::Read(aStream, bone->mFrameId) &&
                   bone->mOffset.Read(aStream);
        } else {
            read = ::Read(aStream, bone->mName) && ::Read(aStream, bone->mInfluenceCount) &&
                   ReadInfluences(aStream, aVertexCount, *bone) && bone->mOffset.Read(aStream);
        }
        if (!read) {
            L_ERROR(LString("Read failure. Invalid bone: ") + static_cast<int>(i));
            for (uint32_t made = 0; made <= i; ++made) {
                delete aBones[made];
            }
            delete[] aBones;
            aBones = nullptr;
            return false;
        }
    }
    return true;
}

int LSkinMesh::ReadBody(LIStream* aStream, int aMeshWord)
{
    Parts parts;
    if (!ReadBodyParts(aStream, aMeshWord, parts)) {
        return 0;
    }
    if (parts.mVertexBuffer->GetVertexSize() < kSkinnedBytes) {
        L_ERROR("ReadBody failure. Vertices too small for a skin.");
        return 0;
    }
    uint32_t count = 0;
    uint32_t unused = 0;
    if (!::Read(aStream, count) || !::Read(aStream, unused)) {
        L_ERROR("ReadBody failure. Truncated skin.");
        return 0;
    }
    Bone** bones = nullptr;
    if (!ReadBones(aStream, true, parts.mVertexBuffer->GetVertexCount(), count, bones)) {
        return 0;
    }
    Adopt(parts);
    mFlags |= kIndexed;
    TakeBones(bones, count);
    mBound = false;
    return PrepareSkin();
}

bool LSkinMesh::Read(LIStream* aStream)
{
    Parts parts;
    if (!ReadRecordParts(aStream, parts)) {
        return false;
    }
    if (parts.mVertexBuffer->GetVertexSize() < kSkinnedBytes) {
        L_ERROR("Read failure. Vertices too small for a skin.");
        return false;
    }
    uint32_t count = 0;
    Bone** bones = nullptr;
    if (!::Read(aStream, count) || !ReadBones(aStream, false, parts.mVertexBuffer->GetVertexCount(), count, bones)) {
        L_ERROR("Read failure. Invalid skin.");
        return false;
    }
    AdoptRecord(parts);
    TakeBones(bones, count);
    mBound = false;
    return PrepareSkin() != 0;
}

bool LSkinMesh::Write(LIStream* aStream)
{
    bool result = LMesh::Write(aStream);
    if (aStream == nullptr) {
        return false;
    }
    result = ::Write(aStream, mBoneCount) && result;
    for (uint32_t i = 0; i < mBoneCount; ++i) {
        const Bone& bone = *mBones[i];
        result = ::Write(aStream, bone.mName) && result;
        result = ::Write(aStream, bone.mInfluenceCount) && result;
        if (bone.mInfluenceCount > 0) {
            result = aStream->WriteBytes(static_cast<int>(bone.mInfluenceCount * 4), bone.mVertices) && result;
            result = aStream->WriteBytes(static_cast<int>(bone.mInfluenceCount * 4), bone.mWeights) && result;
        }
        result = bone.mOffset.Write(aStream) && result;
    }
    return result;
}

int LSkinMesh::AddBone(const LString& aName, unsigned int aFrameId, int aCount, const uint32_t* aVertices,
                       const float* aWeights, const LMatrix4& aOffset)
{
    const int vertices = mVertexBuffer != nullptr ? mVertexBuffer->GetVertexCount() : 0;
    bool valid = aCount >= 0 && (aCount == 0 || (aVertices != nullptr && aWeights != nullptr));
    for (int i = 0; valid && i < aCount; ++i) {
        valid = aVertices[i] < static_cast<uint32_t>(vertices);
    }
    if (!valid) {
        L_ERROR("AddBone failure. Invalid arg.");
        return 0;
    }
    Bone* bone = L_NEW Bone();
    bone->mName = aName;
    bone->mFrameId = aFrameId;
    bone->mInfluenceCount = static_cast<uint32_t>(aCount);
    bone->mOffset = aOffset;
    if (aCount > 0) {
        bone->mVertices = L_NEW uint32_t[aCount];
        bone->mWeights = L_NEW float[aCount];
        std::memcpy(bone->mVertices, aVertices, static_cast<size_t>(aCount) * 4);
        std::memcpy(bone->mWeights, aWeights, static_cast<size_t>(aCount) * 4);
    }
    Append(mBones, mBoneCount, bone);
    mBound = false;
    return 1;
}

bool LSkinMesh::Prepared() const
{
    return mVertexBuffer != nullptr && mVertexCount == mVertexBuffer->GetVertexCount() &&
           mVertexStride == mVertexBuffer->GetVertexSize() &&
           (mVertexCount == 0 || mVertexData == mVertexBuffer->GetBuffer());
}

int LSkinMesh::PrepareSkin()
{
    FreeSkin();
    if (mVertexBuffer == nullptr || mVertexBuffer->GetVertexSize() < kSkinnedBytes) {
        L_ERROR("PrepareSkin failure. Vertices too small for a skin.");
        return 0;
    }
    const int count = mVertexBuffer->GetVertexCount();
    for (uint32_t b = 0; b < mBoneCount; ++b) {
        for (uint32_t i = 0; i < mBones[b]->mInfluenceCount; ++i) {
            if (mBones[b]->mVertices[i] >= static_cast<uint32_t>(count)) {
                L_ERROR("PrepareSkin failure. A bone names a vertex that does not exist.");
                return 0;
            }
        }
    }
    mVertexCount = count;
    mVertexStride = mVertexBuffer->GetVertexSize();
    if (count == 0) {
        return 1;
    }
    mVertexData = static_cast<uint8_t*>(mVertexBuffer->GetBuffer());
    mRestPositions = L_NEW LVector3[count];
    mSkinnedPositions = L_NEW LVector3[count];
    mRestNormals = L_NEW LVector3[count];
    mSkinnedNormals = L_NEW LVector3[count];
    for (int i = 0; i < count; ++i) {
        const uint8_t* vertex = mVertexData + static_cast<size_t>(i) * static_cast<size_t>(mVertexStride);
        std::memcpy(&mRestPositions[i], vertex, 12);
        std::memcpy(&mRestNormals[i], vertex + 12, 12);
        mRestNormals[i].Normalize(0.0001f);
    }
    return 1;
}

void LSkinMesh::BindBone(unsigned int aFrameId, const LString&, const LMatrix4* aWorld)
{
    for (uint32_t i = 0; i < mBoneCount; ++i) {
        if (mBones[i]->mFrameId == aFrameId) {
            mBones[i]->mFrameWorld = aWorld;
        }
    }
}

int LSkinMesh::SetupBonePointers()
{
    if (mOwner == nullptr) {
        L_ERROR("SetupBonePointers failure: Parent frame undefined.");
        return 0;
    }
    LFrame* root = mOwner->GetRoot();
    for (uint32_t i = 0; i < mBoneCount; ++i) {
        LFrame* frame = root->FindFrame(mBones[i]->mName);
        if (frame == nullptr) {
            L_ERROR("Bone frame not found.");
            return 0;
        }
        mBones[i]->mFrameWorld = &frame->GetWorldMatrix();
    }
    mBound = true;
    return 1;
}

int LSkinMesh::UpdateSkin()
{
    if (!Prepared() && !PrepareSkin()) {
        return 0;
    }
    if (mVertexCount == 0) {
        return 1;
    }
    std::memset(static_cast<void*>(mSkinnedPositions), 0, sizeof(LVector3) * static_cast<size_t>(mVertexCount));
    std::memset(static_cast<void*>(mSkinnedNormals), 0, sizeof(LVector3) * static_cast<size_t>(mVertexCount));
    if (!mBound) {
        SetupBonePointers();
    }
    for (uint32_t b = 0; b < mBoneCount; ++b) {
        const Bone& bone = *mBones[b];
        if (bone.mFrameWorld == nullptr) {
            continue;
        }
        LMatrix4 m;
        LMatrix4::Multiply(&m, &bone.mOffset, bone.mFrameWorld);
        // The rotation part: rows 0-2 of m, each of unit length.
        float n[9];
        for (int row = 0; row < 3; ++row) {
            const float length = RowLength(m, row);
            const float scale = length > 0.0f ? 1.0f / length : 0.0f;
            for (int col = 0; col < 3; ++col) {
                n[row * 3 + col] = m.m[row * 4 + col] * scale;
            }
        }
        for (uint32_t i = 0; i < bone.mInfluenceCount; ++i) {
            const uint32_t v = bone.mVertices[i];
            const float w = bone.mWeights[i];
            const LVector3& p = mRestPositions[v];
            const LVector3& q = mRestNormals[v];
            LVector3& sp = mSkinnedPositions[v];
            LVector3& sq = mSkinnedNormals[v];
            sp.x += (p.x * m.m[0] + p.y * m.m[4] + p.z * m.m[8] + m.m[12]) * w;
            sp.y += (p.x * m.m[1] + p.y * m.m[5] + p.z * m.m[9] + m.m[13]) * w;
            sp.z += (p.x * m.m[2] + p.y * m.m[6] + p.z * m.m[10] + m.m[14]) * w;
            sq.x += (q.x * n[0] + q.y * n[3] + q.z * n[6]) * w;
            sq.y += (q.x * n[1] + q.y * n[4] + q.z * n[7]) * w;
            sq.z += (q.x * n[2] + q.y * n[5] + q.z * n[8]) * w;
        }
    }
    for (int i = 0; i < mVertexCount; ++i) {
        uint8_t* vertex = mVertexData + static_cast<size_t>(i) * static_cast<size_t>(mVertexStride);
        std::memcpy(vertex, &mSkinnedPositions[i], 12);
        std::memcpy(vertex + 12, &mSkinnedNormals[i], 12);
    }
    return 1;
}
