#include "Render/LMeshSubset.h"

#include "Render/LIRasterizer.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMesh.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

LMeshSubset::LMeshSubset() = default;

LMeshSubset::~LMeshSubset()
{
    delete mIndexBuffer;
}

int LMeshSubset::Render()
{
    if (mPastVertices) {
        // Its vertices would be whatever the device's buffer holds past this mesh's; the
        // reader logged it.
        return 0;
    }
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (rasterizer == nullptr) {
        L_ERROR("Could not get rasterizer.");
        return 0;
    }
    if (mOwner == nullptr) {
        L_ERROR("Render failure. Owner undefined.");
        return 0;
    }
    const uint32_t flags = mOwner->GetFlags();
    const bool indexed = (flags & LMesh::kIndexed) != 0;
    const int kind = (flags & LMesh::kStrips) != 0 ? LIRasterizer::kTriangleStrip : LIRasterizer::kTriangleList;
    int result = 1;
    if (indexed) {
        if (mIndexBuffer == nullptr) {
            // A subset without faces has no indices to draw.
            return mFaceCount == 0 ? 1 : 0;
        }
        result = rasterizer->SetIndexBuffer(mIndexBuffer);
    }
    result = rasterizer->SetMaterial(&mMaterial) && result;
    if (indexed) {
        result = rasterizer->DrawIndexedPrimitive(kind, static_cast<int>(mFaceCount), static_cast<int>(mVertexCount),
                                                  static_cast<int>(mFaceStart), static_cast<int>(mVertexStart)) &&
                 result;
    } else {
        result = rasterizer->DrawPrimitive(kind, static_cast<int>(mFaceStart), static_cast<int>(mFaceCount)) && result;
    }
    return result;
}

bool LMeshSubset::CheckVertices(int aVertexCount)
{
    mPastVertices = false;
    const int count = mIndexBuffer != nullptr ? mIndexBuffer->GetIndexCount() : 0;
    for (int i = 0; i < count && !mPastVertices; ++i) {
        const int index = mIndexBuffer->GetIndex(i);
        mPastVertices = index < 0 || static_cast<long long>(index) + mVertexStart >= aVertexCount;
    }
    return !mPastVertices;
}

bool LMeshSubset::ReadMaterial(LIStream* aStream, LMaterial& aMaterial)
{
    LMaterial material;
    // A failed texture keeps the name that was read; a short record sets nothing.
    if (!material.Read(aStream) && material.GetTextureName().IsEmpty()) {
        return false;
    }
    aMaterial = material;
    return true;
}

bool LMeshSubset::Read(LIStream* aStream)
{
    uint32_t faceCount = 0;
    uint32_t vertexCount = 0;
    if (!::Read(aStream, faceCount) || !::Read(aStream, vertexCount)) {
        L_ERROR("Read failure. Truncated subset.");
        return false;
    }
    LIndexBuffer* indices = L_NEW LIndexBuffer();
    LMaterial material;
    if (!indices->Read(aStream) || !ReadMaterial(aStream, material)) {
        delete indices;
        L_ERROR("Read failure. Invalid subset.");
        return false;
    }
    SetIndexBuffer(indices);
    SetRange(0, faceCount, 0, vertexCount);
    mMaterial = material;
    return true;
}

bool LMeshSubset::Write(LIStream* aStream) const
{
    bool result = ::Write(aStream, mFaceCount);
    result = ::Write(aStream, mVertexCount) && result;
    if (mIndexBuffer != nullptr) {
        result = mIndexBuffer->Write(aStream) && result;
    } else {
        L_ERROR("Write failure. Index buffer undefined.");
        LIndexBuffer empty;
        empty.Write(aStream);
        result = false;
    }
    LMaterial material = mMaterial;
    result = material.Write(aStream) && result;
    return result;
}

void LMeshSubset::SetRange(uint32_t aFaceStart, uint32_t aFaceCount, uint32_t aVertexStart, uint32_t aVertexCount)
{
    mFaceStart = aFaceStart;
    mFaceCount = aFaceCount;
    mVertexStart = aVertexStart;
    mVertexCount = aVertexCount;
}

void LMeshSubset::SetIndexBuffer(LIndexBuffer* aBuffer)
{
    if (aBuffer != mIndexBuffer) {
        delete mIndexBuffer;
        mIndexBuffer = aBuffer;
    }
}
