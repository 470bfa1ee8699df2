// The rasterizer on the Direct3D device: the one place where the engine's draw state
// becomes device state. Engine codes are mapped through tables (see LIRasterizer.h);
// a code outside its table is refused with a logged error and the result 0.
//
// Engine vertex data is copied into one dynamic device buffer per vertex format (and one
// per index size) made at Init, which then feeds the next draw. Each format's attribute
// offsets are declared explicitly (colours are four floats r, g, b, a):
//   1 position | 2 position, colour@12 | 3 position, uv@12 | 4 position, normal@12,
//   colour@24 | 5 position, normal@12, uv@24 | 6 position, normal@12, colour@24, uv@40 |
//   7 position, normal@12
// A buffer too small for the data handed over is replaced by a larger one; nothing is
// ever written past a buffer. Draws are checked against the data handed over last.
#pragma once
#include "Render/LColor.h"
#include "Render/LIRasterizer.h"

class IDirect3DDevice9;
class IDirect3DIndexBuffer9;
class IDirect3DTexture9;
class IDirect3DVertexBuffer9;
class IDirect3DVertexDeclaration9;

class LRasterizerDX9 : public LIRasterizer
{
public:
    // Vertices each format's buffer holds at first, and indices of either size.
    static constexpr int kFormatCapacity[8] = {0, 100000, 256, 256, 256, 10000, 10000, 10000};
    static constexpr int kIndexCapacity = 40000;

    LRasterizerDX9();
    ~LRasterizerDX9() override;

    LString Dump() const override;
    // Takes the device of the graphics holder and makes the dynamic buffers and the
    // vertex declarations; 0 without a device or when one of them cannot be made.
    int Init(int aParameter) override;

    int Clear() override;
    int Clear(bool aStencilOnly) override;
    // Unbinds stage 0 and forgets the remembered texture, so that binding the same
    // texture again reaches the device.
    int SetTexture() override;
    int DrawIndexedPrimitive() override;
    int DrawIndexedPrimitive(int aPrimitive, int aPrimitiveCount, int aVertexCount, int aStartIndex,
                             int aBaseVertex) override;
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
    int SetViewport(int aUnused, float aX0, float aX1, float aY0, float aY1, float aMinZ, float aMaxZ) override;
    int SetIndexBuffer(LIndexBuffer* aBuffer) override;
    int SetLight(int aIndex, const LLight* aLight) override;
    int LightEnable(int aIndex, bool aEnable) override;
    int SetLighting(bool aEnable) override;
    int SetLineWidth(float aWidth) override;
    int SetMaterial(const LMaterial* aMaterial) override;
    int SetShadeMode(int aShade) override;
    int SetStencilEnable(bool aEnable) override;
    int SetStencilFunc(int aCompare, int aReference, unsigned int aMask) override;
    int SetTwoSidedStencilFunc(int aCompare, bool aTwoSided, int aReference, unsigned int aMask) override;
    int SetStencilFail(int aOp) override;
    int SetBackStencilFail(int aOp) override;
    int SetStencilPass(int aOp) override;
    int SetBackStencilPass(int aOp) override;
    int SetStencilZFail(int aOp) override;
    int SetBackStencilZFail(int aOp) override;
    int SetTexture(LITexture* aTexture) override;
    // A handle that names no texture unbinds stage 0 and fails.
    int SetTexture(unsigned int aHandle) override;
    int SetTextureFilter(int aKind, int aFilter) override;
    int SetTextureUnit(int aUnit) override;
    int SetTextureAddress(int aAxis, int aMode) override;
    int SetTransform(int aTransform, const LMatrix4* aMatrix) override;
    int SetVertexBuffer(LVertexBuffer* aBuffer) override;
    int SetViewport(int aX, int aY, int aWidth, int aHeight, float aMinZ, float aMaxZ) override;
    int SetZBufferMode(bool aEnable) override;
    int SetZWriteMode(bool aEnable) override;

    // Bytes the dynamic buffer of a vertex format (1..7) or index format (1, 2) holds now;
    // 0 for other codes.
    unsigned int GetVertexBufferBytes(int aFormat) const;
    unsigned int GetIndexBufferBytes(int aFormat) const;

private:
    // Whether the device has aTexture bound at stage 0.
    bool DeviceHolds(IDirect3DTexture9* aTexture) const;
    int RenderState(unsigned int aState, unsigned int aValue);
    int StencilOp(unsigned int aState, int aOp, const char* aOperation);
    int Viewport(long long aX, long long aY, long long aWidth, long long aHeight, float aMinZ, float aMaxZ);
    // Makes a dynamic buffer of at least aBytes, replacing the old one when that works.
    bool GrowVertexBuffer(int aFormat, unsigned int aBytes);
    bool GrowIndexBuffer(int aFormat, unsigned int aBytes);

    IDirect3DDevice9* mDevice = nullptr;
    LColor mClearColor;
    // Never equal to any value: the first SetBlendFactor always reaches the device.
    float mBlendFactor;
    IDirect3DIndexBuffer9* mIndexBuffers[3] = {};
    unsigned int mIndexBytes[3] = {};
    IDirect3DVertexBuffer9* mVertexBuffers[8] = {};
    unsigned int mVertexBytes[8] = {};
    IDirect3DVertexDeclaration9* mDeclarations[8] = {};
    // The device texture bound to stage 0 by the last SetTexture: a texture object made
    // anew since then is bound again.
    IDirect3DTexture9* mBoundTexture = nullptr;
    // What the next draw reads: vertices of the last vertex buffer handed over and
    // indices of the last index buffer.
    int mVertexCount = 0;
    int mIndexCount = 0;
};
