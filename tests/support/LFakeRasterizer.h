// A rasterizer that draws nothing and remembers everything: every call as a line of
// text ("SetCullMode(2)"), the state it set, and for every draw a snapshot of what the
// draw would have used. Headless tests of the 2-D toolkit and the scenes run their real
// drawing code over it.
#pragma once
#include "Render/LIRasterizer.h"
#include "Render/LLight.h"
#include "Render/LMaterial.h"

#include <array>
#include <map>
#include <string>
#include <vector>

class LFakeRasterizer : public LIRasterizer
{
public:
    struct Draw
    {
        int mPrimitive = 0;
        int mStart = 0;
        int mPrimitiveCount = 0;
        bool mIndexed = false;
        std::array<float, 16> mWorld {};
        std::array<float, 16> mView {};
        std::array<float, 16> mProjection {};
        LViewport mViewport;
        unsigned int mTextureHandle = 0;
        const LITexture* mTexture = nullptr;
        float mBlendFactor = 1.0f;
        int mVertexFormat = 0;
        // The vertices handed over last, as floats.
        std::vector<float> mVertices;
        std::vector<int> mIndices;
    };

    // The singleton that LIRasterizer::Get made, when it is a fake.
    static LFakeRasterizer* Instance();

    LFakeRasterizer();
    ~LFakeRasterizer() override;

    LString Dump() const override;

    int Clear() override;
    int Clear(bool aStencilOnly) override;
    int SetTexture() override;
    int DrawIndexedPrimitive() override;
    int DrawIndexedPrimitive(int aPrimitive, int aPrimitiveCount, int aVertexCount,
                             int aStartIndex, int aBaseVertex) override;
    int DrawPrimitive() override;
    int DrawPrimitive(int aPrimitive, int aStartVertex, int aPrimitiveCount) override;
    int GetViewport(LViewport* aViewport) override;
    int GetTransform(int aTransform, LMatrix4* aMatrix) override;
    int SetBlendFactor(float aAlpha) override;
    int SetAlphaBlendEnable(bool aEnable) override;
    int SetBlendFunc(int aSource, int aDestination) override;
    int SetClearColor(LColor aColor) override;
    int SetClipRect(const LRectangle* aRect) override;
    int SetColor(LColor aColor) override;
    int SetColorWriteEnable(bool aEnable) override;
    int SetCullMode(int aCull) override;
    int SetZEnable(bool aEnable) override;
    int SetZWriteEnable(bool aEnable) override;
    int SetFillMode(int aFill) override;
    int SetViewport(int aUnused, float aX0, float aX1, float aY0, float aY1, float aMinZ,
                    float aMaxZ) override;
    int SetIndexBuffer(LIndexBuffer* aBuffer) override;
    int SetLight(int aIndex, const LLight* aLight) override;
    int LightEnable(int aIndex, bool aEnable) override;
    int SetLighting(bool aEnable) override;
    int SetLineWidth(float aWidth) override;
    int SetMaterial(const LMaterial* aMaterial) override;
    int SetShadeMode(int aShade) override;
    int SetStencilEnable(bool aEnable) override;
    int SetStencilFunc(int aCompare, int aReference, unsigned int aMask) override;
    int SetTwoSidedStencilFunc(int aCompare, bool aTwoSided, int aReference,
                               unsigned int aMask) override;
    int SetStencilFail(int aOp) override;
    int SetBackStencilFail(int aOp) override;
    int SetStencilPass(int aOp) override;
    int SetBackStencilPass(int aOp) override;
    int SetStencilZFail(int aOp) override;
    int SetBackStencilZFail(int aOp) override;
    int SetTexture(LITexture* aTexture) override;
    int SetTexture(unsigned int aHandle) override;
    int SetTextureFilter(int aKind, int aFilter) override;
    int SetTextureUnit(int aUnit) override;
    int SetTextureAddress(int aAxis, int aMode) override;
    int SetTransform(int aTransform, const LMatrix4* aMatrix) override;
    int SetVertexBuffer(LVertexBuffer* aBuffer) override;
    int SetViewport(int aX, int aY, int aWidth, int aHeight, float aMinZ, float aMaxZ) override;
    int SetZBufferMode(bool aEnable) override;
    int SetZWriteMode(bool aEnable) override;

    // What was called, in order, and the draws made.
    const std::vector<std::string>& Calls() const { return mCalls; }
    const std::vector<Draw>& Draws() const { return mDraws; }
    // Number of calls whose text begins with aPrefix.
    int CountCalls(const std::string& aPrefix) const;
    void Reset();

    // Results that the next calls give: every operation answers aResult.
    void SetResult(int aResult) { mResult = aResult; }

    const LViewport& Viewport() const { return mViewport; }
    const std::array<float, 16>& TransformOf(int aTransform) const { return mTransforms[aTransform]; }
    float BlendFactor() const { return mBlendFactor; }
    // The light set last under an index, and whether it is enabled; the material set last.
    const std::map<int, LLight>& Lights() const { return mLights; }
    const std::map<int, bool>& LightsEnabled() const { return mLightsEnabled; }
    const LMaterial& Material() const { return mMaterial; }
    unsigned int TextureHandle() const { return mTextureHandle; }

private:
    int Record(const std::string& aCall);
    void AddDraw(int aPrimitive, int aStart, int aCount, bool aIndexed);

    std::vector<std::string> mCalls;
    std::vector<Draw> mDraws;
    std::array<std::array<float, 16>, 3> mTransforms {};
    LViewport mViewport;
    unsigned int mTextureHandle = 0;
    float mBlendFactor = 1.0f;
    int mVertexFormat = 0;
    std::vector<float> mVertices;
    std::vector<int> mIndices;
    int mResult = 1;
    std::map<int, LLight> mLights;
    std::map<int, bool> mLightsEnabled;
    LMaterial mMaterial;
};
