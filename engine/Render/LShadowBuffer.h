// The stencil-shadow pass of a scene. BeginShadowVolumes clears the stencil buffer and
// lets the shadow volumes write stencil values only; Render then darkens every pixel whose
// stencil value is not 0 with one black quad over the viewport at the opacity of the
// shade, and puts the usual states back: stencil off, depth test and writes on, blending
// off, back faces culled.
//
// The rasterizer is looked up at each call, so a buffer outliving it draws nothing.
#pragma once
#include "LMatrix4.h"

class LITexture;
class LVertexBuffer;

class LShadowBuffer
{
public:
    static constexpr unsigned int kStencilMask = 0x00FFFFFF;
    // The orthographic box the quad is drawn in.
    static constexpr float kNear = -200.0f;
    static constexpr float kFar = 200.0f;

    // Makes the 1 x 1 opaque black texture and the quad; a failure is logged and the pass
    // then reports false.
    LShadowBuffer();
    LShadowBuffer(const LShadowBuffer&) = delete;
    LShadowBuffer& operator=(const LShadowBuffer&) = delete;
    ~LShadowBuffer();

    // Stencil cleared and on, no blending, depth test on without writes, no colour writes.
    // The AND of the six calls, every call made.
    bool BeginShadowVolumes();
    // The shade (clamped to 0..1 by the rasterizer) over the marked pixels, then the
    // restore. The AND of every call, every call made.
    bool Render(float aShade);

    LITexture* GetTexture() const { return mTexture; }
    LVertexBuffer* GetQuad() const { return mQuad; }

private:
    LITexture* mTexture = nullptr;
    LVertexBuffer* mQuad = nullptr;
    LMatrix4 mView;
    LMatrix4 mProjection;
};
