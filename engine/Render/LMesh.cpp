#include "Render/LMesh.h"

#include "LBox2.h"
#include "LBox3.h"
#include "LMatrix4.h"
#include "Render/LFrame.h"
#include "Render/LIRasterizer.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMaterial.h"
#include "Render/LMeshSubset.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// Fewest bytes of a material record (an empty texture name) and of a direct-form subset.
constexpr int kMaterialBytes = 17 * 4 + 6;
constexpr int kDirectSubsetBytes = 5 * 4;

// True when aCount entries of aBytes each fit in what the stream still holds; logs the
// refusal of aWhat otherwise.
bool CountFits(LIStream* aStream, long long aCount, long long aBytes, const char* aWhat)
{
    if (aCount < 0 || aCount > INT32_MAX / 4 || !aStream->Holds(aCount * aBytes)) {
        L_ERROR(LString("Read failure. ") + aWhat + " count exceeds the data left: " + aCount);
        return false;
    }
    return true;
}

// Reads aCount uint32 into a new array (null for 0); false on a short stream.
bool ReadTable(LIStream* aStream, int aCount, uint32_t*& aTable)
{
    if (aCount == 0) {
        return true;
    }
    aTable = L_NEW uint32_t[aCount];
    return aTable != nullptr && aStream->ReadBytes(aCount * 4, aTable);
}

uint32_t* CopyTable(const uint32_t* aTable, int aCount)
{
    uint32_t* copy = L_NEW uint32_t[aCount];
    if (copy != nullptr) {
        std::memcpy(copy, aTable, static_cast<size_t>(aCount) * 4);
    }
    return copy;
}

void Grow(LBox3& aBox, const LVector3& aPoint, const LMatrix4* aWorld)
{
    LVector3 point = aPoint;
    if (aWorld != nullptr) {
        LMatrix4::TransformCoord(&point, aWorld, &aPoint);
    }
    aBox.Grow(point);
}
} // namespace

LMesh::Parts::~Parts()
{
    delete mVertexBuffer;
    delete mIndexBuffer;
    for (int i = 0; i < mSubsetCount; ++i) {
        delete mSubsets[i];
    }
    delete[] mSubsets;
    delete[] mMaterials;
    delete[] mDuplicates;
    delete[] mFaceNeighbours;
}

LMesh::LMesh() = default;

LMesh::LMesh(int aType) : mType(aType) {}

LMesh::~LMesh()
{
    Parts old;
    Adopt(old);
    delete mLitVertexBuffer;
}

LString LMesh::Dump() const
{
    return DumpHead("LMesh") + "]";
}

void LMesh::Adopt(Parts& aParts)
{
    std::swap(mVertexBuffer, aParts.mVertexBuffer);
    std::swap(mIndexBuffer, aParts.mIndexBuffer);
    std::swap(mSubsetCount, aParts.mSubsetCount);
    std::swap(mSubsets, aParts.mSubsets);
    std::swap(mMaterialCount, aParts.mMaterialCount);
    std::swap(mMaterials, aParts.mMaterials);
    std::swap(mDuplicateCount, aParts.mDuplicateCount);
    std::swap(mDuplicates, aParts.mDuplicates);
    std::swap(mFaceNeighbourCount, aParts.mFaceNeighbourCount);
    std::swap(mFaceNeighbours, aParts.mFaceNeighbours);
    // A subset that names vertices this mesh does not have would draw what an earlier
    // mesh left in the device's buffer: the model still loads, without that subset.
    const int vertexCount = mVertexBuffer != nullptr ? mVertexBuffer->GetVertexCount() : 0;
    for (int i = 0; i < mSubsetCount; ++i) {
        mSubsets[i]->SetOwner(this);
        if (!mSubsets[i]->CheckVertices(vertexCount)) {
            L_ERROR(LString("Subset ") + i + " of mesh \"" + mName + "\" reaches past its " + vertexCount +
                    " vertices; it is not drawn.");
        }
    }
    if (mVertexBuffer != aParts.mVertexBuffer) {
        // The lit copy belongs to the vertices it was made from.
        delete mLitVertexBuffer;
        mLitVertexBuffer = nullptr;
        mFlags &= ~kCustomLighting;
    }
}

int LMesh::ReadBody(LIStream* aStream, int aMeshWord)
{
    Parts parts;
    if (!ReadBodyParts(aStream, aMeshWord, parts)) {
        return 0;
    }
    Adopt(parts);
    mFlags |= kIndexed;
    return 1;
}

bool LMesh::ReadBodyParts(LIStream* aStream, int aMeshWord, Parts& parts)
{
    if (aStream == nullptr) {
        L_ERROR("ReadBody failure. NULL arg.");
        return false;
    }
    uint32_t materialCount = 0;
    if (!::Read(aStream, materialCount) || !CountFits(aStream, materialCount, kMaterialBytes, "Material")) {
        L_ERROR("ReadBody failure. Invalid material count.");
        return false;
    }
    parts.mMaterialCount = static_cast<int>(materialCount);
    parts.mMaterials = materialCount > 0 ? L_NEW LMaterial[materialCount] : nullptr;
    for (uint32_t i = 0; i < materialCount; ++i) {
        if (!LMeshSubset::ReadMaterial(aStream, parts.mMaterials[i])) {
            L_ERROR("ReadBody failure. Truncated material.");
            return false;
        }
    }
    parts.mVertexBuffer = L_NEW LVertexBuffer();
    parts.mIndexBuffer = L_NEW LIndexBuffer();
    if (!parts.mVertexBuffer->Read(aStream) || !parts.mIndexBuffer->Read(aStream)) {
        L_ERROR("ReadBody failure. Invalid buffers.");
        return false;
    }
    uint32_t subsetCount = 0;
    if (!::Read(aStream, subsetCount) || !CountFits(aStream, subsetCount, kDirectSubsetBytes, "Subset")) {
        L_ERROR("ReadBody failure. Invalid subset count.");
        return false;
    }
    if (subsetCount > materialCount) {
        L_ERROR(LString("ReadBody failure. More subsets than materials: ") + subsetCount);
        return false;
    }
    parts.mSubsets = subsetCount > 0 ? L_NEW LMeshSubset*[subsetCount] : nullptr;
    const LIndexBuffer& indices = *parts.mIndexBuffer;
    const long long indexBytes = indices.GetByteSize();
    const uint8_t* indexData = static_cast<const uint8_t*>(indices.GetBuffer());
    long long totalFaces = 0;
    for (uint32_t i = 0; i < subsetCount; ++i) {
        uint32_t numbers[5] = {};
        for (uint32_t& number : numbers) {
            if (!::Read(aStream, number)) {
                L_ERROR("ReadBody failure. Truncated subset.");
                return false;
            }
        }
        const uint32_t faceStart = numbers[1];
        const uint32_t faceCount = numbers[2];
        const uint32_t vertexStart = numbers[3];
        const uint32_t vertexCount = numbers[4];
        // The subset's indices start at index position vertex start + face start, the
        // position counted in 4-byte units.
        const long long offset = (static_cast<long long>(vertexStart) + faceStart) * 4;
        const long long count = static_cast<long long>(faceCount) * 3;
        if (offset + count * indices.GetIndexSize() > indexBytes) {
            L_ERROR(LString("ReadBody failure. Subset indices outside the index data: ") + static_cast<int>(i));
            return false;
        }
        LMeshSubset* subset = L_NEW LMeshSubset();
        parts.mSubsets[parts.mSubsetCount++] = subset;
        if (count > 0) {
            LIndexBuffer* own = L_NEW LIndexBuffer();
            subset->SetIndexBuffer(own);
            if (!own->Create(indices.GetIndexFormat(), indexData + offset, static_cast<int>(count))) {
                return false;
            }
        }
        subset->SetRange(faceStart, faceCount, vertexStart, vertexCount);
        subset->SetMaterial(parts.mMaterials[i]);
        totalFaces += faceCount;
    }
    if ((static_cast<uint32_t>(aMeshWord) & kHasFaceNeighbours) != 0) {
        if (!CountFits(aStream, totalFaces * 3, 4, "Face neighbour")) {
            return false;
        }
        parts.mFaceNeighbourCount = static_cast<int>(totalFaces * 3);
        if (!ReadTable(aStream, parts.mFaceNeighbourCount, parts.mFaceNeighbours)) {
            L_ERROR("ReadBody failure. Truncated face neighbours.");
            return false;
        }
    }
    return true;
}

bool LMesh::ReadRecordParts(LIStream* aStream, Parts& aParts)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    uint32_t type = 0;
    if (!::Read(aStream, aParts.mFloatValue) || !::Read(aStream, aParts.mName) || !::Read(aStream, type) ||
        !::Read(aStream, aParts.mFlags)) {
        L_ERROR("Read failure. Truncated mesh.");
        return false;
    }
    aParts.mVertexBuffer = L_NEW LVertexBuffer();
    aParts.mIndexBuffer = L_NEW LIndexBuffer();
    if (!aParts.mVertexBuffer->Read(aStream) || !aParts.mIndexBuffer->Read(aStream)) {
        L_ERROR("Read failure. Invalid mesh buffers.");
        return false;
    }
    uint32_t subsetCount = 0;
    if (!::Read(aStream, subsetCount) ||
        !CountFits(aStream, subsetCount, LMeshSubset::kMinRecordBytes, "Subset")) {
        return false;
    }
    aParts.mSubsets = subsetCount > 0 ? L_NEW LMeshSubset*[subsetCount] : nullptr;
    for (uint32_t i = 0; i < subsetCount; ++i) {
        LMeshSubset* subset = L_NEW LMeshSubset();
        aParts.mSubsets[aParts.mSubsetCount++] = subset;
        if (!subset->Read(aStream)) {
            return false;
        }
    }
    bool hasDuplicates = false;
    if (!::Read(aStream, hasDuplicates)) {
        L_ERROR("Read failure. Truncated mesh.");
        return false;
    }
    if (hasDuplicates) {
        int count = 0;
        if (!::Read(aStream, count) || !CountFits(aStream, count, 4, "Duplicate")) {
            return false;
        }
        aParts.mDuplicateCount = count;
        if (!ReadTable(aStream, count, aParts.mDuplicates)) {
            L_ERROR("Read failure. Truncated duplicate table.");
            return false;
        }
        // The table maps each vertex to a vertex: both sides must be vertices.
        const int vertices = aParts.mVertexBuffer->GetVertexCount();
        bool valid = count == vertices;
        for (int i = 0; valid && i < count; ++i) {
            valid = aParts.mDuplicates[i] < static_cast<uint32_t>(vertices);
        }
        if (!valid) {
            L_ERROR("Read failure. Invalid duplicate table.");
            return false;
        }
    }
    // Only the entries at even positions are stored; the odd ones read as 0.
    int neighbours = 0;
    if (!::Read(aStream, neighbours) || !CountFits(aStream, (static_cast<long long>(neighbours) + 1) / 2, 4,
                                                   "Face neighbour")) {
        return false;
    }
    if (neighbours > 0) {
        aParts.mFaceNeighbourCount = neighbours;
        aParts.mFaceNeighbours = L_NEW uint32_t[neighbours];
        std::memset(aParts.mFaceNeighbours, 0, static_cast<size_t>(neighbours) * 4);
        for (int i = 0; i < neighbours; i += 2) {
            if (!::Read(aStream, aParts.mFaceNeighbours[i])) {
                L_ERROR("Read failure. Truncated face neighbours.");
                return false;
            }
        }
    }
    return true;
}

bool LMesh::Read(LIStream* aStream)
{
    Parts parts;
    if (!ReadRecordParts(aStream, parts)) {
        return false;
    }
    AdoptRecord(parts);
    return true;
}

void LMesh::AdoptRecord(Parts& aParts)
{
    mFloatValue = aParts.mFloatValue;
    mName = aParts.mName;
    mFlags = aParts.mFlags;
    Adopt(aParts);
}

bool LMesh::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    if (mVertexBuffer == nullptr || mIndexBuffer == nullptr) {
        L_ERROR("Write failure. Buffers undefined.");
        return false;
    }
    mFloatValue = 1.0f;
    bool result = ::Write(aStream, mFloatValue);
    result = ::Write(aStream, mName) && result;
    result = ::Write(aStream, static_cast<uint32_t>(mType)) && result;
    result = ::Write(aStream, mFlags) && result;
    result = mVertexBuffer->Write(aStream) && result;
    result = mIndexBuffer->Write(aStream) && result;
    result = ::Write(aStream, static_cast<uint32_t>(mSubsetCount)) && result;
    for (int i = 0; i < mSubsetCount; ++i) {
        result = mSubsets[i]->Write(aStream) && result;
    }
    result = ::Write(aStream, mDuplicates != nullptr) && result;
    if (mDuplicates != nullptr) {
        result = ::Write(aStream, mDuplicateCount) && result;
        result = aStream->WriteBytes(mDuplicateCount * 4, mDuplicates) && result;
    }
    result = ::Write(aStream, mFaceNeighbourCount) && result;
    for (int i = 0; i < mFaceNeighbourCount; i += 2) {
        result = ::Write(aStream, mFaceNeighbours[i]) && result;
    }
    return result;
}

int LMesh::Render()
{
    if ((mFlags & kShown) == 0) {
        return 1;
    }
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (rasterizer == nullptr) {
        L_ERROR("Could not get rasterizer.");
        return 0;
    }
    rasterizer->SetFillMode((mFlags & kWireframe) != 0 ? LIRasterizer::kFillWireframe : LIRasterizer::kFillSolid);
    if (mVertexBuffer != nullptr) {
        rasterizer->SetVertexBuffer(mVertexBuffer);
    }
    for (int i = 0; i < mSubsetCount; ++i) {
        mSubsets[i]->Render();
    }
    return 1;
}

void LMesh::BindBone(unsigned int, const LString&, const LMatrix4*) {}

int LMesh::AddSubset(LMeshSubset* aSubset)
{
    if (aSubset == nullptr) {
        L_ERROR("AddSubset failure. Null arg.");
        return 0;
    }
    Append(mSubsets, mSubsetCount, aSubset);
    aSubset->SetOwner(this);
    return 1;
}

int LMesh::AddMaterial(const LMaterial& aMaterial)
{
    Append(mMaterials, mMaterialCount, aMaterial);
    return 1;
}

int LMesh::SetVertexBuffer(LVertexBuffer* aBuffer)
{
    if (aBuffer == nullptr) {
        L_ERROR("SetVertexBuffer failure. Null arg.");
        return 0;
    }
    if (aBuffer != mVertexBuffer) {
        delete mVertexBuffer;
        mVertexBuffer = aBuffer;
        delete mLitVertexBuffer;
        mLitVertexBuffer = nullptr;
        mFlags &= ~kCustomLighting;
    }
    return 1;
}

int LMesh::SetIndexBuffer(LIndexBuffer* aBuffer)
{
    if (aBuffer == nullptr) {
        L_ERROR("SetIndexBuffer failure. Null arg.");
        return 0;
    }
    if (aBuffer != mIndexBuffer) {
        delete mIndexBuffer;
        mIndexBuffer = aBuffer;
    }
    return 1;
}

int LMesh::SetDuplicateTable(const uint32_t* aTable, int aCount)
{
    uint32_t* copy = nullptr;
    if (aTable != nullptr) {
        for (int i = 0; i < aCount; ++i) {
            if (aTable[i] >= static_cast<uint32_t>(aCount)) {
                L_ERROR("SetDuplicateTable failure. Invalid arg.");
                return 0;
            }
        }
        copy = aCount > 0 ? CopyTable(aTable, aCount) : nullptr;
    }
    delete[] mDuplicates;
    mDuplicates = copy;
    mDuplicateCount = aTable != nullptr ? aCount : 0;
    return 1;
}

int LMesh::SetFaceNeighbours(const uint32_t* aTable, int aCount)
{
    if (aTable != nullptr && aCount < 0) {
        L_ERROR("SetFaceNeighbours failure. Invalid arg.");
        return 0;
    }
    uint32_t* copy = aTable != nullptr && aCount > 0 ? CopyTable(aTable, aCount) : nullptr;
    delete[] mFaceNeighbours;
    mFaceNeighbours = copy;
    mFaceNeighbourCount = copy != nullptr ? aCount : 0;
    return 1;
}

int LMesh::SetCustomLighting(bool aOn)
{
    if (aOn == ((mFlags & kCustomLighting) != 0)) {
        return 1;
    }
    if (!aOn) {
        mFlags &= ~kCustomLighting;
        delete mLitVertexBuffer;
        mLitVertexBuffer = nullptr;
        return 1;
    }
    if (mVertexBuffer == nullptr) {
        L_ERROR("Vertex buffer not yet defined.");
        return 0;
    }
    if (mVertexBuffer->GetVertexFormat() != 5) {
        L_ERROR("Vertex format not supported for custom lighting.");
        return 0;
    }
    const int count = mVertexBuffer->GetVertexCount();
    LVertexBuffer* lit = L_NEW LVertexBuffer();
    if (count < 1 || !lit->Allocate(6, count)) {
        delete lit;
        L_ERROR("SetCustomLighting failure. No vertices.");
        return 0;
    }
    const float colour[4] = {1.0f, 0.0f, 0.0f, 0.0f};
    for (int i = 0; i < count; ++i) {
        const uint8_t* from = static_cast<const uint8_t*>(mVertexBuffer->GetVertex(i));
        uint8_t* to = static_cast<uint8_t*>(lit->GetVertex(i));
        std::memcpy(to, from, 24);            // position and normal
        std::memcpy(to + 24, colour, 16);     // colour
        std::memcpy(to + 40, from + 24, 8);   // texture coordinates
    }
    mLitVertexBuffer = lit;
    mFlags |= kCustomLighting;
    return 1;
}

LMeshSubset* LMesh::GetSubset(int aIndex) const
{
    return aIndex >= 0 && aIndex < mSubsetCount ? mSubsets[aIndex] : nullptr;
}

const LMaterial* LMesh::GetMaterial(int aIndex) const
{
    return aIndex >= 0 && aIndex < mMaterialCount ? &mMaterials[aIndex] : nullptr;
}

long long LMesh::GetTotalFaceCount() const
{
    long long total = 0;
    for (int i = 0; i < mSubsetCount; ++i) {
        total += mSubsets[i]->GetFaceCount();
    }
    return total;
}

int LMesh::GetTriangleCount(int aSubset) const
{
    const LMeshSubset* subset = GetSubset(aSubset);
    if (subset == nullptr || subset->GetIndexBuffer() == nullptr || mVertexBuffer == nullptr ||
        subset->ReachesPastVertices()) {
        return 0;
    }
    const long long held = subset->GetIndexBuffer()->GetIndexCount() / 3;
    return static_cast<int>(std::min<long long>(subset->GetFaceCount(), held));
}

bool LMesh::GetTriangle(int aSubset, int aFace, const LMatrix4& aWorld, LVector3 aCorners[3]) const
{
    if (aFace < 0 || aFace >= GetTriangleCount(aSubset)) {
        return false;
    }
    const LIndexBuffer* indices = mSubsets[aSubset]->GetIndexBuffer();
    for (int corner = 0; corner < 3; ++corner) {
        const void* vertex = mVertexBuffer->GetVertex(indices->GetIndex(aFace * 3 + corner));
        if (vertex == nullptr) {
            return false;
        }
        LVector3 position;
        std::memcpy(&position, vertex, sizeof(position));
        LMatrix4::TransformCoord(&aCorners[corner], &aWorld, &position);
    }
    return true;
}

LBox3* LMesh::GetBoundingBox(LBox3* aOut, bool aWorld) const
{
    if (aOut == nullptr) {
        return nullptr;
    }
    aOut->SetEmpty();
    const LMatrix4* world = aWorld && mOwner != nullptr ? &mOwner->GetWorldMatrix() : nullptr;
    const int count = mVertexBuffer != nullptr ? mVertexBuffer->GetVertexCount() : 0;
    for (int i = 0; i < count; ++i) {
        const void* vertex = mVertexBuffer->GetVertex(i);
        if (vertex == nullptr) {
            break;
        }
        LVector3 position;
        std::memcpy(&position, vertex, sizeof(position));
        Grow(*aOut, position, world);
    }
    return aOut;
}

LBox2* LMesh::GetBoundingRectXZ(LBox2* aOut, bool aWorld) const
{
    if (aOut == nullptr) {
        return nullptr;
    }
    LBox3 box;
    GetBoundingBox(&box, aWorld);
    *aOut = LBox2(box.min.x, box.min.z, box.max.x, box.max.z);
    return aOut;
}
