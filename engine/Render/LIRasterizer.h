// The engine's device-independent drawing interface. Everything that draws, in 3-D or
// 2-D, sets its states, hands over an engine vertex buffer (and index buffer) and issues
// one draw call through it. The implementation is made by the creator "rasterizer".
//
// Every operation returns 1 on success and 0 on failure; callers AND the results of a
// sequence of calls.
//
// Engine codes of the arguments:
//   primitive     0 point list, 1 line list, 2 line strip, 3 triangle list,
//                 4 triangle strip, 5 triangle fan
//   transform     0 world, 1 view, 2 projection
//   blend factor  0 zero, 1 one, 2 source colour, 3 inverse source colour, 4 source alpha,
//                 5 destination colour, 6 inverse source alpha, 7 destination alpha,
//                 8 inverse destination alpha, 9 inverse destination colour,
//                 10 source alpha saturated, 11 both source alpha,
//                 12 both inverse source alpha, 13 blend factor, 14 inverse blend factor
//   cull          0 none, 1 clockwise, 2 counter-clockwise
//   fill          0 point, 1 wireframe, 2 solid
//   shade         0 flat, 1 Gouraud
//   compare       0 never, 1 less, 2 equal, 3 less-or-equal, 4 greater, 5 not-equal,
//                 6 greater-or-equal, 7 always
//   stencil op    0 keep, 1 zero, 2 replace, 3 increment clamped, 4 decrement clamped,
//                 5 invert, 6 increment wrapping, 7 decrement wrapping
//   filter kind   0 magnification, 1 minification, 2 mip;  filter 0 none, 1 point, 2 linear
//   address axis  0 u, 1 v, 2 w;  address mode 0 clamp, 1 border, 2 wrap
#pragma once
#include "object/LObject.h"

#include <cstdint>

class LColor;
class LIndexBuffer;
class LITexture;
class LLight;
class LMaterial;
class LMatrix4;
class LRectangle;
class LVertexBuffer;

// The current viewport, laid out as the device's own record.
struct LViewport
{
    uint32_t mX = 0;
    uint32_t mY = 0;
    uint32_t mWidth = 0;
    uint32_t mHeight = 0;
    float mMinZ = 0.0f;
    float mMaxZ = 1.0f;
};

class LIRasterizer : public LObject
{
public:
    enum Primitive { kPointList = 0, kLineList, kLineStrip, kTriangleList, kTriangleStrip, kTriangleFan };
    enum Transform { kWorld = 0, kView = 1, kProjection = 2 };
    enum Blend {
        kBlendZero = 0, kBlendOne, kBlendSrcColor, kBlendInvSrcColor, kBlendSrcAlpha,
        kBlendDestColor, kBlendInvSrcAlpha, kBlendDestAlpha, kBlendInvDestAlpha,
        kBlendInvDestColor, kBlendSrcAlphaSat, kBlendBothSrcAlpha, kBlendBothInvSrcAlpha,
        kBlendFactor, kBlendInvFactor
    };
    enum Cull { kCullNone = 0, kCullClockwise = 1, kCullCounterClockwise = 2 };
    enum Fill { kFillPoint = 0, kFillWireframe = 1, kFillSolid = 2 };
    enum Shade { kShadeFlat = 0, kShadeGouraud = 1 };
    enum Compare { kNever = 0, kLess, kEqual, kLessEqual, kGreater, kNotEqual, kGreaterEqual, kAlways };
    enum StencilOp { kKeep = 0, kZero, kReplace, kIncrSat, kDecrSat, kInvert, kIncr, kDecr };
    enum FilterKind { kMagFilter = 0, kMinFilter = 1, kMipFilter = 2 };
    enum Filter { kFilterNone = 0, kFilterPoint = 1, kFilterLinear = 2 };
    enum AddressAxis { kAddressU = 0, kAddressV = 1, kAddressW = 2 };
    enum AddressMode { kAddressClamp = 0, kAddressBorder = 1, kAddressWrap = 2 };

    // The rasterizer, created on first use by the creator "rasterizer" and registered
    // with the cleaner; null when it cannot be made and after the cleaner deleted it.
    static LIRasterizer* Get();

    LIRasterizer();
    ~LIRasterizer() override;

    // Colour target (with the clear colour, alpha forced to 1), depth (1.0) and stencil (0).
    virtual int Clear() = 0;
    // With aStencilOnly the stencil buffer alone is cleared to 0; otherwise as Clear().
    virtual int Clear(bool aStencilOnly) = 0;
    // Unbinds the texture of stage 0 and forgets the current texture, so that binding the
    // same texture again reaches the device.
    virtual int SetTexture() = 0;
    virtual int DrawIndexedPrimitive() = 0;
    // Draws from the vertex and index buffers handed over last; minimum index 0.
    virtual int DrawIndexedPrimitive(int aPrimitive, int aPrimitiveCount, int aVertexCount,
                                     int aStartIndex, int aBaseVertex) = 0;
    virtual int DrawPrimitive() = 0;
    virtual int DrawPrimitive(int aPrimitive, int aStartVertex, int aPrimitiveCount) = 0;
    virtual int GetViewport(LViewport* aViewport) = 0;
    virtual int GetTransform(int aTransform, LMatrix4* aMatrix) = 0;
    // Constant opacity of textured drawing: the texture's alpha times aAlpha (clamped to
    // 0..1); an unchanged value changes nothing.
    virtual int SetBlendFactor(float aAlpha) = 0;
    virtual int SetAlphaBlendEnable(bool aEnable) = 0;
    virtual int SetBlendFunc(int aSource, int aDestination) = 0;
    virtual int SetClearColor(LColor aColor) = 0;
    virtual int SetClipRect(const LRectangle* aRect) = 0;
    virtual int SetColor(LColor aColor) = 0;
    virtual int SetColorWriteEnable(bool aEnable) = 0;
    virtual int SetCullMode(int aCull) = 0;
    virtual int SetZEnable(bool aEnable) = 0;
    virtual int SetZWriteEnable(bool aEnable) = 0;
    virtual int SetFillMode(int aFill) = 0;
    // x = aX0, y = aY0, width = aX1 - aX0, height = aY0 - aY1; the first argument is unused.
    virtual int SetViewport(int aUnused, float aX0, float aX1, float aY0, float aY1,
                            float aMinZ, float aMaxZ) = 0;
    virtual int SetIndexBuffer(LIndexBuffer* aBuffer) = 0;
    virtual int SetLight(int aIndex, const LLight* aLight) = 0;
    virtual int LightEnable(int aIndex, bool aEnable) = 0;
    virtual int SetLighting(bool aEnable) = 0;
    virtual int SetLineWidth(float aWidth) = 0;
    // Colours and power, then the material's texture when it has one.
    virtual int SetMaterial(const LMaterial* aMaterial) = 0;
    virtual int SetShadeMode(int aShade) = 0;
    virtual int SetStencilEnable(bool aEnable) = 0;
    virtual int SetStencilFunc(int aCompare, int aReference, unsigned int aMask) = 0;
    // Two-sided stencil on or off, reference and mask, and the back-face compare function.
    virtual int SetTwoSidedStencilFunc(int aCompare, bool aTwoSided, int aReference,
                                       unsigned int aMask) = 0;
    virtual int SetStencilFail(int aOp) = 0;
    virtual int SetBackStencilFail(int aOp) = 0;
    virtual int SetStencilPass(int aOp) = 0;
    virtual int SetBackStencilPass(int aOp) = 0;
    virtual int SetStencilZFail(int aOp) = 0;
    virtual int SetBackStencilZFail(int aOp) = 0;
    // Binds a texture to stage 0; the same texture as the current one binds nothing.
    virtual int SetTexture(LITexture* aTexture) = 0;
    // Binds the texture-manager texture of a handle to stage 0.
    virtual int SetTexture(unsigned int aHandle) = 0;
    virtual int SetTextureFilter(int aKind, int aFilter) = 0;
    virtual int SetTextureUnit(int aUnit) = 0;
    virtual int SetTextureAddress(int aAxis, int aMode) = 0;
    virtual int SetTransform(int aTransform, const LMatrix4* aMatrix) = 0;
    // Copies the buffer's vertices for the next draw; a second buffer of the same format
    // replaces the first.
    virtual int SetVertexBuffer(LVertexBuffer* aBuffer) = 0;
    virtual int SetViewport(int aX, int aY, int aWidth, int aHeight, float aMinZ, float aMaxZ) = 0;
    // Depth test on (less-or-equal) or off, with depth writes following it.
    virtual int SetZBufferMode(bool aEnable) = 0;
    virtual int SetZWriteMode(bool aEnable) = 0;

    LITexture* GetCurrentTexture() const { return mCurrentTexture; }
    // Called by a texture that is being deleted: the rasterizer (when there is one) must
    // not take a later texture at the same address for the one it remembers as bound.
    static void ForgetTexture(const LITexture* aTexture);

protected:
    LITexture* mCurrentTexture = nullptr;
};
