#include "scene/GMShadowSimple.h"

#include "LImage.h"
#include "LMatrix4.h"
#include "Render/LIRasterizer.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMaterial.h"
#include "Render/LMesh.h"
#include "Render/LMeshSubset.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "stdlib/LLog.h"

#include <cstdint>

namespace {

constexpr int kQuadVertexFormat = 3;
constexpr int kIndex16 = 1;
const char16_t* const kTextureFile = u"shadow_circle.tga";
const char16_t* const kMaterialTexture = u"simpleshadow";

// The material's texture "simpleshadow", made from the picture under the root.
bool MakeMaterialTexture(LTextureManager& aManager, LMaterial& aMaterial)
{
    const LString id(kMaterialTexture);
    if (aManager.GetHandle(id) == 0) {
        LImage* image = nullptr;
        const bool loaded = LImage::CreateFromFile(aManager.GetRoot() + kTextureFile, &image) && image != nullptr;
        const bool made = loaded && aManager.CreateTexture(id, image) != 0;
        delete image;
        if (!made) {
            return false;
        }
    }
    return aMaterial.SetTexture(id) != 0;
}

LMesh* MakeQuad(LTextureManager* aManager)
{
    const float h = GMShadowSimple::kHalfSize;
    // Position, then texture coordinates.
    const float vertices[4 * 5] = {-h, 0.0f, -h, 0.0f, 1.0f, -h, 0.0f, h,  0.0f, 0.0f,
                                   h,  0.0f, h,  1.0f, 0.0f, h,  0.0f, -h, 1.0f, 1.0f};
    const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
    LMesh* mesh = L_NEW LMesh();
    LVertexBuffer* vertexBuffer = L_NEW LVertexBuffer();
    LIndexBuffer* indexBuffer = L_NEW LIndexBuffer();
    LIndexBuffer* subsetIndices = L_NEW LIndexBuffer();
    LMeshSubset* subset = L_NEW LMeshSubset();
    if (mesh == nullptr || vertexBuffer == nullptr || indexBuffer == nullptr || subsetIndices == nullptr ||
        subset == nullptr || vertexBuffer->Create(kQuadVertexFormat, vertices, 4) == 0 ||
        indexBuffer->Create(kIndex16, indices, 6) == 0 || subsetIndices->Create(kIndex16, indices, 6) == 0) {
        L_ERROR("GMShadowSimple: the quad could not be made.");
        delete mesh;
        delete vertexBuffer;
        delete indexBuffer;
        delete subsetIndices;
        delete subset;
        return nullptr;
    }
    mesh->SetVertexBuffer(vertexBuffer);
    mesh->SetIndexBuffer(indexBuffer);
    subset->SetIndexBuffer(subsetIndices);
    subset->SetRange(0, 2, 0, 4);
    LMaterial material;
    if (aManager == nullptr || !MakeMaterialTexture(*aManager, material)) {
        L_ASSERT_FAILURE(LString("Texture not found:") + kTextureFile);
    }
    subset->SetMaterial(material);
    mesh->AddSubset(subset);
    mesh->AddMaterial(material);
    mesh->SetFlags(LMesh::kIndexed);
    return mesh;
}

} // namespace

GMShadowSimple::GMShadowSimple() : mRasterizer(LIRasterizer::Get())
{
    LTextureManager* manager = LTextureManager::Get();
    if (manager != nullptr) {
        manager->SetRoot(LString("//textures"));
        mTexture = manager->CreateTexture(LString(kTextureFile));
    }
    if (mTexture == 0) {
        L_ASSERT_FAILURE(LString("Texture not found:") + kTextureFile);
    }
    mMesh = MakeQuad(manager);
}

GMShadowSimple::~GMShadowSimple()
{
    delete mMesh;
}

LString GMShadowSimple::Dump() const
{
    return DumpHead("GMShadowSimple") + " texture=" + static_cast<int>(mTexture) + "]";
}

void GMShadowSimple::Update(const LVector3& aPlayerPosition)
{
    mPosition = LVector3(aPlayerPosition.x, aPlayerPosition.y + kHeightOffset, aPlayerPosition.z);
}

bool GMShadowSimple::Render()
{
    if (mRasterizer == nullptr) {
        mRasterizer = LIRasterizer::Get();
    }
    if (mRasterizer == nullptr || mMesh == nullptr) {
        L_ERROR("Render failure. No rasterizer or quad.");
        return false;
    }
    LMatrix4 world;
    LMatrix4::Translation(&world, mPosition.x, mPosition.y, mPosition.z);
    bool result = mRasterizer->SetTransform(LIRasterizer::kWorld, &world) != 0;
    result = (mRasterizer->SetAlphaBlendEnable(true) != 0) && result;
    result = (mRasterizer->SetBlendFunc(LIRasterizer::kBlendSrcAlpha, LIRasterizer::kBlendInvSrcAlpha) != 0) && result;
    result = (mRasterizer->SetBlendFactor(kBlendFactor) != 0) && result;
    result = (mMesh->Render() != 0) && result;
    // The characters drawn next are opaque and may have no texture of their own: the
    // blending, the factor and the patch's texture go back as the depth pass left them.
    result = (mRasterizer->SetBlendFactor(1.0f) != 0) && result;
    result = (mRasterizer->SetAlphaBlendEnable(false) != 0) && result;
    result = (mRasterizer->SetTexture() != 0) && result;
    return result;
}
