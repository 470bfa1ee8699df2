#include "writers/LDirectModelWriter.h"

#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMaterial.h"
#include "Render/LMesh.h"
#include "Render/LMeshSubset.h"
#include "Render/LSkinMesh.h"
#include "Render/LVertexBuffer.h"
#include "stdlib/LIStream.h"

#include <cstdint>

namespace {
uint32_t IdOf(const LDrawElement& aElement, const LFrame* aFrame)
{
    if (aFrame == nullptr) {
        return 0;
    }
    if (aFrame->GetId() != 0) {
        return aFrame->GetId();
    }
    for (int i = 0; i < aElement.GetFrameCount(); ++i) {
        if (aElement.GetFrameAt(i) == aFrame) {
            return static_cast<uint32_t>(i + 1);
        }
    }
    return 0;
}

// 8-bit text: the low byte of each unit.
bool WriteName(LIStream* aStream, const LString& aName, bool aTerminated)
{
    const int length = aName.GetLength();
    bool result = ::Write(aStream, static_cast<uint32_t>(length + (aTerminated ? 1 : 0)));
    for (int i = 0; i < length; ++i) {
        result = ::Write(aStream, static_cast<unsigned char>(aName.At(i) & 0xFF)) && result;
    }
    if (aTerminated) {
        result = ::Write(aStream, static_cast<unsigned char>(0)) && result;
    }
    return result;
}

bool WriteBody(LIStream* aStream, LMesh& aMesh, bool aNeighbours)
{
    const int subsets = aMesh.GetSubsetCount();
    bool result = ::Write(aStream, static_cast<uint32_t>(subsets));
    for (int i = 0; i < subsets; ++i) {
        LMaterial material = aMesh.GetSubset(i)->GetMaterial();
        result = material.Write(aStream) && result;
    }
    LVertexBuffer empty;
    result = (aMesh.GetVertexBuffer() != nullptr ? aMesh.GetVertexBuffer() : &empty)->Write(aStream) && result;
    LIndexBuffer noIndices;
    result = (aMesh.GetIndexBuffer() != nullptr ? aMesh.GetIndexBuffer()->Write(aStream) : noIndices.Write(aStream)) &&
             result;
    result = ::Write(aStream, static_cast<uint32_t>(subsets)) && result;
    for (int i = 0; i < subsets; ++i) {
        const LMeshSubset& subset = *aMesh.GetSubset(i);
        const uint32_t numbers[5] = {0, subset.GetFaceStart(), subset.GetFaceCount(), subset.GetVertexStart(),
                                     subset.GetVertexCount()};
        for (uint32_t number : numbers) {
            result = ::Write(aStream, number) && result;
        }
    }
    if (aNeighbours) {
        const long long entries = aMesh.GetTotalFaceCount() * 3;
        for (long long i = 0; i < entries; ++i) {
            const uint32_t value = i < aMesh.GetFaceNeighbourCount() ? aMesh.GetFaceNeighbours()[i] : 0;
            result = ::Write(aStream, value) && result;
        }
    }
    return result;
}

bool WriteBones(LIStream* aStream, const LDrawElement& aElement, const LSkinMesh& aSkin)
{
    bool result = ::Write(aStream, aSkin.GetBoneCount());
    result = ::Write(aStream, static_cast<uint32_t>(0)) && result;
    for (uint32_t b = 0; b < aSkin.GetBoneCount(); ++b) {
        const LSkinMesh::Bone& bone = *aSkin.GetBone(static_cast<int>(b));
        result = WriteName(aStream, bone.mName, false) && result;
        result = ::Write(aStream, bone.mInfluenceCount) && result;
        for (uint32_t i = 0; i < bone.mInfluenceCount; ++i) {
            result = ::Write(aStream, bone.mVertices[i]) && result;
        }
        for (uint32_t i = 0; i < bone.mInfluenceCount; ++i) {
            result = ::Write(aStream, bone.mWeights[i]) && result;
        }
        const uint32_t frameId = bone.mFrameId != 0 ? bone.mFrameId
                                                    : IdOf(aElement, aElement.GetFrame(bone.mName, false));
        result = ::Write(aStream, frameId) && result;
        result = bone.mOffset.Write(aStream) && result;
    }
    return result;
}
} // namespace

bool LDirectModelWriter::Write(LDrawElement& aElement, LIStream* aStream)
{
    if (aStream == nullptr) {
        return false;
    }
    const int count = aElement.GetFrameCount();
    bool result = ::Write(aStream, 0) && ::Write(aStream, 0);
    result = ::Write(aStream, count) && result;
    result = ::Write(aStream, 0) && result;
    for (int f = 0; f < count; ++f) {
        const LFrame& frame = *aElement.GetFrameAt(f);
        LMesh* mesh = frame.GetMesh();
        const bool neighbours = mesh != nullptr && mesh->GetFaceNeighbours() != nullptr;
        uint32_t meshWord = mesh == nullptr ? 0 : (mesh->GetType() == LMesh::kSkinned ? 2 : 1);
        meshWord |= neighbours ? LMesh::kHasFaceNeighbours : 0;
        result = ::Write(aStream, IdOf(aElement, &frame)) && result;
        result = frame.GetRestMatrix().Write(aStream) && result;
        result = frame.GetWorldMatrix().Write(aStream) && result;
        result = ::Write(aStream, 0) && result;
        result = ::Write(aStream, IdOf(aElement, frame.GetNextSibling())) && result;
        result = ::Write(aStream, IdOf(aElement, frame.GetFirstChild())) && result;
        result = ::Write(aStream, meshWord) && result;
        result = WriteName(aStream, frame.GetName(), true) && result;
        if (mesh != nullptr) {
            result = WriteBody(aStream, *mesh, neighbours) && result;
            if (mesh->GetType() == LMesh::kSkinned) {
                result = WriteBones(aStream, aElement, static_cast<const LSkinMesh&>(*mesh)) && result;
            }
        }
    }
    return result;
}
