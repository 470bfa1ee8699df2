// A rasterizer that draws nothing and remembers everything: every call as a line of
// text ("SetCullMode(2)", booleans as 1 and 0), the state it set, and for every draw a
// snapshot of what the draw would have used. Headless tests of the 2-D toolkit and the
// scenes run their real drawing code over it.
#pragma once
#include "Render/LColor.h"
#include "Render/LIRasterizer.h"
#include "Render/LLight.h"
#include "Render/LMaterial.h"

#include <array>
#include <map>
#include <sstream>
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

    int Clear() override { return Record("Clear"); }
    int Clear(bool aStencilOnly) override { return Record("Clear", aStencilOnly); }
    int SetTexture() override;
    int DrawIndexedPrimitive() override { Record("DrawIndexedPrimitive"); return 0; }
    int DrawIndexedPrimitive(int aPrimitive, int aPrimitiveCount, int aVertexCount, int aStartIndex,
                             int aBaseVertex) override;
    int DrawPrimitive() override { Record("DrawPrimitive"); return 0; }
    int DrawPrimitive(int aPrimitive, int aStartVertex, int aPrimitiveCount) override;
    int GetViewport(LViewport* aViewport) override;
    int GetTransform(int aTransform, LMatrix4* aMatrix) override;
    int SetBlendFactor(float aAlpha) override;
    int SetAlphaBlendEnable(bool aEnable) override { return Record("SetAlphaBlendEnable", aEnable); }
    int SetBlendFunc(int aSource, int aDest) override { return Record("SetBlendFunc", aSource, aDest); }
    int SetClearColor(LColor aC) override { return Record("SetClearColor", aC.a, aC.r, aC.g, aC.b); }
    int SetClipRect(const LRectangle*) override { Record("SetClipRect"); return 1; }
    int SetColor(LColor) override { Record("SetColor"); return 0; }
    int SetColorWriteEnable(bool aEnable) override { return Record("SetColorWriteEnable", aEnable); }
    int SetCullMode(int aCull) override { return Record("SetCullMode", aCull); }
    int SetZEnable(bool aEnable) override { return Record("SetZEnable", aEnable); }
    int SetZWriteEnable(bool aEnable) override { return Record("SetZWriteEnable", aEnable); }
    int SetFillMode(int aFill) override { return Record("SetFillMode", aFill); }
    int SetViewport(int aUnused, float aX0, float aX1, float aY0, float aY1, float aMinZ, float aMaxZ) override;
    int SetIndexBuffer(LIndexBuffer* aBuffer) override;
    int SetLight(int aIndex, const LLight* aLight) override;
    int LightEnable(int aIndex, bool aEnable) override;
    int SetLighting(bool aEnable) override { return Record("SetLighting", aEnable); }
    int SetLineWidth(float) override { Record("SetLineWidth"); return 0; }
    int SetMaterial(const LMaterial* aMaterial) override;
    int SetShadeMode(int aShade) override { return Record("SetShadeMode", aShade); }
    int SetStencilEnable(bool aEnable) override { return Record("SetStencilEnable", aEnable); }
    int SetStencilFunc(int aCompare, int aReference, unsigned int aMask) override
    {
        return Record("SetStencilFunc", aCompare, aReference, aMask);
    }
    int SetTwoSidedStencilFunc(int aCompare, bool aTwoSided, int aReference, unsigned int aMask) override
    {
        return Record("SetTwoSidedStencilFunc", aCompare, aTwoSided, aReference, aMask);
    }
    int SetStencilFail(int aOp) override { return Record("SetStencilFail", aOp); }
    int SetBackStencilFail(int aOp) override { return Record("SetBackStencilFail", aOp); }
    int SetStencilPass(int aOp) override { return Record("SetStencilPass", aOp); }
    int SetBackStencilPass(int aOp) override { return Record("SetBackStencilPass", aOp); }
    int SetStencilZFail(int aOp) override { return Record("SetStencilZFail", aOp); }
    int SetBackStencilZFail(int aOp) override { return Record("SetBackStencilZFail", aOp); }
    int SetTexture(LITexture* aTexture) override;
    int SetTexture(unsigned int aHandle) override;
    int SetTextureFilter(int aKind, int aFilter) override { return Record("SetTextureFilter", aKind, aFilter); }
    int SetTextureUnit(int) override { Record("SetTextureUnit"); return 0; }
    int SetTextureAddress(int aAxis, int aMode) override { return Record("SetTextureAddress", aAxis, aMode); }
    int SetTransform(int aTransform, const LMatrix4* aMatrix) override;
    int SetVertexBuffer(LVertexBuffer* aBuffer) override;
    int SetViewport(int aX, int aY, int aWidth, int aHeight, float aMinZ, float aMaxZ) override;
    int SetZBufferMode(bool aEnable) override { return Record("SetZBufferMode", aEnable); }
    int SetZWriteMode(bool aEnable) override { return Record("SetZWriteMode", aEnable); }

    // What was called, in order, and the draws made.
    const std::vector<std::string>& Calls() const { return mCalls; }
    const std::vector<Draw>& Draws() const { return mDraws; }
    // Number of calls whose text begins with aPrefix.
    int CountCalls(const std::string& aPrefix) const;
    void Reset();

    // Results that the next calls give: every operation answers aResult.
    void SetResult(int aResult) { mResult = aResult; }
    // SetTransform of aTransform (0 world, 1 view, 2 projection) answers 0; -1: none.
    void FailTransform(int aTransform) { mFailedTransform = aTransform; }

    // The light set last under an index, and whether it is enabled; the material set last.
    const std::map<int, LLight>& Lights() const { return mLights; }
    const std::map<int, bool>& LightsEnabled() const { return mLightsEnabled; }
    const LMaterial& Material() const { return mMaterial; }

private:
    // Records "aName(a,b,...)" and answers the set result.
    template <typename... T>
    int Record(const char* aName, const T&... aArgs)
    {
        std::ostringstream text;
        text << aName << '(';
        [[maybe_unused]] const char* separator = "";
        ((text << separator << +aArgs, separator = ","), ...);
        mCalls.push_back(text.str() + ")");
        return mResult;
    }
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
    int mFailedTransform = -1;
    std::map<int, LLight> mLights;
    std::map<int, bool> mLightsEnabled;
    LMaterial mMaterial;
};
