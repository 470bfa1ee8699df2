// Drawing: vertex layouts, the translation of Direct3D's stored state to the GL
// fixed-function pipeline, and the draw calls with their bounds checks.
#include "D3D9GL.h"
#include "D3D9Impl.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

GLenum CompareFunc(DWORD aFunc)
{
    switch (aFunc) {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

GLenum StencilOp(DWORD aOp)
{
    switch (aOp) {
    case D3DSTENCILOP_ZERO: return GL_ZERO;
    case D3DSTENCILOP_REPLACE: return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT: return GL_INCR; // clamps at 255
    case D3DSTENCILOP_DECRSAT: return GL_DECR; // clamps at 0
    case D3DSTENCILOP_INVERT: return GL_INVERT;
    case D3DSTENCILOP_INCR: return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
    default: return GL_KEEP;
    }
}

GLenum BlendFactor(DWORD aBlend)
{
    switch (aBlend) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    case D3DBLEND_BLENDFACTOR: return GL_CONSTANT_COLOR;
    case D3DBLEND_INVBLENDFACTOR: return GL_ONE_MINUS_CONSTANT_COLOR;
    default: return GL_ONE;
    }
}

GLenum BlendEquation(DWORD aOp)
{
    switch (aOp) {
    case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN: return GL_MIN;
    case D3DBLENDOP_MAX: return GL_MAX;
    default: return GL_FUNC_ADD;
    }
}

void ColorOf(D3DCOLOR aColor, float aOut[4])
{
    aOut[0] = ((aColor >> 16) & 0xFF) / 255.0f;
    aOut[1] = ((aColor >> 8) & 0xFF) / 255.0f;
    aOut[2] = (aColor & 0xFF) / 255.0f;
    aOut[3] = ((aColor >> 24) & 0xFF) / 255.0f;
}

void Vec4(const D3DCOLORVALUE& aColor, float aOut[4])
{
    aOut[0] = aColor.r;
    aOut[1] = aColor.g;
    aOut[2] = aColor.b;
    aOut[3] = aColor.a;
}

GLenum Source(DWORD aArg)
{
    switch (aArg & D3DTA_SELECTMASK) {
    case D3DTA_TEXTURE: return GL_TEXTURE;
    case D3DTA_TFACTOR: return GL_CONSTANT;
    default: return GL_PRIMARY_COLOR; // diffuse; the current colour of stage 0 is the diffuse
    }
}

GLenum ColorOperand(DWORD aArg)
{
    bool complement = (aArg & D3DTA_COMPLEMENT) != 0;
    if (aArg & D3DTA_ALPHAREPLICATE) {
        return complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    }
    return complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
}

GLenum AlphaOperand(DWORD aArg)
{
    return (aArg & D3DTA_COMPLEMENT) ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
}

// One combiner (colour or alpha) of texture stage 0.
void Combine(bool aAlpha, DWORD aOp, DWORD aArg1, DWORD aArg2)
{
    const GLenum combine = aAlpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum src0 = aAlpha ? GL_SRC0_ALPHA : GL_SRC0_RGB;
    const GLenum src1 = aAlpha ? GL_SRC1_ALPHA : GL_SRC1_RGB;
    const GLenum src2 = aAlpha ? GL_SRC2_ALPHA : GL_SRC2_RGB;
    const GLenum op0 = aAlpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB;
    const GLenum op1 = aAlpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB;
    const GLenum op2 = aAlpha ? GL_OPERAND2_ALPHA : GL_OPERAND2_RGB;
    const GLenum scale = aAlpha ? GL_ALPHA_SCALE : GL_RGB_SCALE;
    auto operand = [&](DWORD aArg) { return aAlpha ? AlphaOperand(aArg) : ColorOperand(aArg); };

    GLenum mode = GL_MODULATE;
    float factor = 1.0f;
    DWORD first = aArg1;
    DWORD second = aArg2;
    GLenum interpolateSource = 0;
    switch (aOp) {
    case D3DTOP_DISABLE:
        mode = GL_REPLACE;
        first = D3DTA_DIFFUSE;
        break;
    case D3DTOP_SELECTARG1: mode = GL_REPLACE; break;
    case D3DTOP_SELECTARG2:
        mode = GL_REPLACE;
        first = aArg2;
        break;
    case D3DTOP_MODULATE2X: factor = 2.0f; break;
    case D3DTOP_MODULATE4X: factor = 4.0f; break;
    case D3DTOP_ADD:
    case D3DTOP_ADDSMOOTH: mode = GL_ADD; break;
    case D3DTOP_ADDSIGNED: mode = GL_ADD_SIGNED; break;
    case D3DTOP_ADDSIGNED2X:
        mode = GL_ADD_SIGNED;
        factor = 2.0f;
        break;
    case D3DTOP_SUBTRACT: mode = GL_SUBTRACT; break;
    case D3DTOP_BLENDDIFFUSEALPHA:
    case D3DTOP_BLENDCURRENTALPHA: interpolateSource = GL_PRIMARY_COLOR; break;
    case D3DTOP_BLENDTEXTUREALPHA: interpolateSource = GL_TEXTURE; break;
    case D3DTOP_BLENDFACTORALPHA: interpolateSource = GL_CONSTANT; break;
    default: break;
    }
    if (interpolateSource) {
        mode = GL_INTERPOLATE;
        glTexEnvi(GL_TEXTURE_ENV, src2, static_cast<GLint>(interpolateSource));
        glTexEnvi(GL_TEXTURE_ENV, op2, GL_SRC_ALPHA);
    }
    glTexEnvi(GL_TEXTURE_ENV, combine, static_cast<GLint>(mode));
    glTexEnvi(GL_TEXTURE_ENV, src0, static_cast<GLint>(Source(first)));
    glTexEnvi(GL_TEXTURE_ENV, op0, static_cast<GLint>(operand(first)));
    glTexEnvi(GL_TEXTURE_ENV, src1, static_cast<GLint>(Source(second)));
    glTexEnvi(GL_TEXTURE_ENV, op1, static_cast<GLint>(operand(second)));
    glTexEnvf(GL_TEXTURE_ENV, scale, factor);
}

GLenum PrimitiveMode(D3DPRIMITIVETYPE aType)
{
    switch (aType) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
    default: return GL_NONE;
    }
}

// Number of vertices (or indices) that aCount primitives of a type use; 0 for a bad type.
uint64_t ElementCount(D3DPRIMITIVETYPE aType, UINT aCount)
{
    switch (aType) {
    case D3DPT_POINTLIST: return aCount;
    case D3DPT_LINELIST: return uint64_t{aCount} * 2;
    case D3DPT_LINESTRIP: return uint64_t{aCount} + 1;
    case D3DPT_TRIANGLELIST: return uint64_t{aCount} * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return uint64_t{aCount} + 2;
    default: return 0;
    }
}

int TypeSize(BYTE aType)
{
    switch (aType) {
    case D3DDECLTYPE_FLOAT1: return 4;
    case D3DDECLTYPE_FLOAT2: return 8;
    case D3DDECLTYPE_FLOAT3: return 12;
    case D3DDECLTYPE_FLOAT4: return 16;
    case D3DDECLTYPE_D3DCOLOR: return 4;
    default: return 0;
    }
}

} // namespace

D3D9VertexLayout D3D9VertexLayout::FromFVF(DWORD aFVF)
{
    D3D9VertexLayout layout;
    const DWORD known = D3DFVF_XYZ | D3DFVF_XYZRHW | D3DFVF_NORMAL | D3DFVF_PSIZE | D3DFVF_DIFFUSE |
                        D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK;
    DWORD position = aFVF & D3DFVF_POSITION_MASK;
    if ((aFVF & ~known) != 0 || (position != D3DFVF_XYZ && position != D3DFVF_XYZRHW)) {
        return layout;
    }
    UINT offset = 0;
    layout.mPosition = 0;
    layout.mTransformed = position == D3DFVF_XYZRHW;
    offset += layout.mTransformed ? 16 : 12;
    if (aFVF & D3DFVF_NORMAL) {
        if (layout.mTransformed) {
            return layout; // pre-transformed vertices carry no normal
        }
        layout.mNormal = static_cast<int>(offset);
        offset += 12;
    }
    if (aFVF & D3DFVF_PSIZE) {
        offset += 4;
    }
    if (aFVF & D3DFVF_DIFFUSE) {
        layout.mColor = static_cast<int>(offset);
        offset += 4;
    }
    if (aFVF & D3DFVF_SPECULAR) {
        offset += 4;
    }
    DWORD textures = (aFVF & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (textures > 8) {
        return layout;
    }
    if (textures > 0) {
        layout.mTexCoord = static_cast<int>(offset);
    }
    offset += textures * 8;
    layout.mSize = offset;
    layout.mValid = true;
    return layout;
}

D3D9VertexLayout D3D9VertexLayout::FromElements(const D3DVERTEXELEMENT9* aElements)
{
    D3D9VertexLayout layout;
    UINT end = 0;
    for (int i = 0; i < 64; ++i) {
        const D3DVERTEXELEMENT9& element = aElements[i];
        if (element.Stream == 0xFF) {
            layout.mSize = end;
            layout.mValid = layout.mPosition >= 0;
            return layout;
        }
        int size = TypeSize(element.Type);
        if (element.Stream != 0 || size == 0 || element.Method != D3DDECLMETHOD_DEFAULT) {
            return D3D9VertexLayout{};
        }
        end = std::max<UINT>(end, element.Offset + static_cast<UINT>(size));
        if (element.UsageIndex != 0) {
            continue; // only the first of each usage is drawn
        }
        switch (element.Usage) {
        case D3DDECLUSAGE_POSITION:
        case D3DDECLUSAGE_POSITIONT:
            if (element.Type != (element.Usage == D3DDECLUSAGE_POSITIONT ? D3DDECLTYPE_FLOAT4 : D3DDECLTYPE_FLOAT3)) {
                return D3D9VertexLayout{};
            }
            layout.mPosition = element.Offset;
            layout.mTransformed = element.Usage == D3DDECLUSAGE_POSITIONT;
            break;
        case D3DDECLUSAGE_NORMAL:
            if (element.Type != D3DDECLTYPE_FLOAT3) {
                return D3D9VertexLayout{};
            }
            layout.mNormal = element.Offset;
            break;
        case D3DDECLUSAGE_COLOR:
            if (element.Type != D3DDECLTYPE_FLOAT4 && element.Type != D3DDECLTYPE_D3DCOLOR) {
                return D3D9VertexLayout{};
            }
            layout.mColor = element.Offset;
            layout.mColorIsFloat4 = element.Type == D3DDECLTYPE_FLOAT4;
            break;
        case D3DDECLUSAGE_TEXCOORD:
            if (element.Type > D3DDECLTYPE_FLOAT4) {
                return D3D9VertexLayout{};
            }
            layout.mTexCoord = element.Offset;
            layout.mTexCoordSize = size / 4;
            break;
        default: break;
        }
    }
    return D3D9VertexLayout{};
}

void D3D9Device::ApplyRaster()
{
    switch (mRenderStates[D3DRS_CULLMODE]) {
    case D3DCULL_NONE: glDisable(GL_CULL_FACE); break;
    case D3DCULL_CW:
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT); // Direct3D's clockwise faces are GL's front faces here
        break;
    default:
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        break;
    }
    switch (mRenderStates[D3DRS_FILLMODE]) {
    case D3DFILL_POINT: glPolygonMode(GL_FRONT_AND_BACK, GL_POINT); break;
    case D3DFILL_WIREFRAME: glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); break;
    default: glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); break;
    }
    glShadeModel(mRenderStates[D3DRS_SHADEMODE] == D3DSHADE_FLAT ? GL_FLAT : GL_SMOOTH);
    DWORD write = mRenderStates[D3DRS_COLORWRITEENABLE];
    glColorMask((write & D3DCOLORWRITEENABLE_RED) != 0, (write & D3DCOLORWRITEENABLE_GREEN) != 0,
                (write & D3DCOLORWRITEENABLE_BLUE) != 0, (write & D3DCOLORWRITEENABLE_ALPHA) != 0);
    if (mRenderStates[D3DRS_SCISSORTESTENABLE]) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(mScissor.left, mScissor.top, mScissor.right - mScissor.left, mScissor.bottom - mScissor.top);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
    if (mRenderStates[D3DRS_ALPHATESTENABLE]) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(CompareFunc(mRenderStates[D3DRS_ALPHAFUNC]), (mRenderStates[D3DRS_ALPHAREF] & 0xFF) / 255.0f);
    } else {
        glDisable(GL_ALPHA_TEST);
    }
}

void D3D9Device::ApplyBlend()
{
    if (!mRenderStates[D3DRS_ALPHABLENDENABLE]) {
        glDisable(GL_BLEND);
        return;
    }
    glEnable(GL_BLEND);
    DWORD source = mRenderStates[D3DRS_SRCBLEND];
    DWORD destination = mRenderStates[D3DRS_DESTBLEND];
    if (source == D3DBLEND_BOTHSRCALPHA) {
        source = D3DBLEND_SRCALPHA;
        destination = D3DBLEND_INVSRCALPHA;
    } else if (source == D3DBLEND_BOTHINVSRCALPHA) {
        source = D3DBLEND_INVSRCALPHA;
        destination = D3DBLEND_SRCALPHA;
    }
    glBlendFunc(BlendFactor(source), BlendFactor(destination));
    glBlendEquation(BlendEquation(mRenderStates[D3DRS_BLENDOP]));
    float factor[4];
    ColorOf(mRenderStates[D3DRS_BLENDFACTOR], factor);
    glBlendColor(factor[0], factor[1], factor[2], factor[3]);
}

void D3D9Device::ApplyDepthStencil()
{
    if (mDepthBuffer && mRenderStates[D3DRS_ZENABLE] != D3DZB_FALSE) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(CompareFunc(mRenderStates[D3DRS_ZFUNC]));
        glDepthMask(mRenderStates[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    } else {
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
    }
    if (!mDepthBuffer || !mRenderStates[D3DRS_STENCILENABLE]) {
        glDisable(GL_STENCIL_TEST);
        return;
    }
    glEnable(GL_STENCIL_TEST);
    GLint reference = static_cast<GLint>(mRenderStates[D3DRS_STENCILREF] & 0xFF);
    GLuint mask = mRenderStates[D3DRS_STENCILMASK] & 0xFF;
    glStencilMask(mRenderStates[D3DRS_STENCILWRITEMASK] & 0xFF);
    glStencilFuncSeparate(GL_FRONT, CompareFunc(mRenderStates[D3DRS_STENCILFUNC]), reference, mask);
    glStencilOpSeparate(GL_FRONT, StencilOp(mRenderStates[D3DRS_STENCILFAIL]),
                        StencilOp(mRenderStates[D3DRS_STENCILZFAIL]), StencilOp(mRenderStates[D3DRS_STENCILPASS]));
    // Counter-clockwise faces take their own function and operations in two-sided mode.
    bool twoSided = mRenderStates[D3DRS_TWOSIDEDSTENCILMODE] != FALSE;
    glStencilFuncSeparate(GL_BACK,
                          CompareFunc(mRenderStates[twoSided ? D3DRS_CCW_STENCILFUNC : D3DRS_STENCILFUNC]),
                          reference, mask);
    glStencilOpSeparate(GL_BACK, StencilOp(mRenderStates[twoSided ? D3DRS_CCW_STENCILFAIL : D3DRS_STENCILFAIL]),
                        StencilOp(mRenderStates[twoSided ? D3DRS_CCW_STENCILZFAIL : D3DRS_STENCILZFAIL]),
                        StencilOp(mRenderStates[twoSided ? D3DRS_CCW_STENCILPASS : D3DRS_STENCILPASS]));
}

void D3D9Device::ApplyTextureStage()
{
    glActiveTexture(GL_TEXTURE0);
    if (!mTexture || mStageStates[D3DTSS_COLOROP] == D3DTOP_DISABLE) {
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    mTexture->SendUnsentLevels();
    glBindTexture(GL_TEXTURE_2D, mTexture->GLName());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    float factor[4];
    ColorOf(mRenderStates[D3DRS_TEXTUREFACTOR], factor);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
    Combine(false, mStageStates[D3DTSS_COLOROP], mStageStates[D3DTSS_COLORARG1], mStageStates[D3DTSS_COLORARG2]);
    Combine(true, mStageStates[D3DTSS_ALPHAOP], mStageStates[D3DTSS_ALPHAARG1], mStageStates[D3DTSS_ALPHAARG2]);
}

void D3D9Device::ApplySampler()
{
    auto address = [](DWORD aMode) -> GLint {
        switch (aMode) {
        case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
        case D3DTADDRESS_MIRRORONCE: return GL_MIRROR_CLAMP_TO_EDGE;
        default: return GL_REPEAT;
        }
    };
    glSamplerParameteri(mSamplerObject, GL_TEXTURE_WRAP_S, address(mSamplerStates[D3DSAMP_ADDRESSU]));
    glSamplerParameteri(mSamplerObject, GL_TEXTURE_WRAP_T, address(mSamplerStates[D3DSAMP_ADDRESSV]));
    glSamplerParameteri(mSamplerObject, GL_TEXTURE_WRAP_R, address(mSamplerStates[D3DSAMP_ADDRESSW]));
    float border[4];
    ColorOf(mSamplerStates[D3DSAMP_BORDERCOLOR], border);
    glSamplerParameterfv(mSamplerObject, GL_TEXTURE_BORDER_COLOR, border);
    bool magLinear = mSamplerStates[D3DSAMP_MAGFILTER] >= D3DTEXF_LINEAR;
    bool minLinear = mSamplerStates[D3DSAMP_MINFILTER] >= D3DTEXF_LINEAR;
    GLint minFilter = minLinear ? GL_LINEAR : GL_NEAREST;
    switch (mSamplerStates[D3DSAMP_MIPFILTER]) {
    case D3DTEXF_POINT: minFilter = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST; break;
    case D3DTEXF_LINEAR:
    case D3DTEXF_ANISOTROPIC: minFilter = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR; break;
    default: break;
    }
    glSamplerParameteri(mSamplerObject, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(mSamplerObject, GL_TEXTURE_MIN_FILTER, minFilter);
    glBindSampler(0, mSamplerObject);
}

void D3D9Device::ApplyLighting(bool aColorFromVertex)
{
    float ambient[4];
    ColorOf(mRenderStates[D3DRS_AMBIENT], ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, mRenderStates[D3DRS_LOCALVIEWER] ? GL_TRUE : GL_FALSE);
    if (mRenderStates[D3DRS_NORMALIZENORMALS]) {
        glEnable(GL_NORMALIZE);
    } else {
        glDisable(GL_NORMALIZE);
    }
    bool specular = mRenderStates[D3DRS_SPECULARENABLE] != FALSE;
    float value[4];
    Vec4(mMaterial.Diffuse, value);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, value);
    Vec4(mMaterial.Ambient, value);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, value);
    Vec4(mMaterial.Emissive, value);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, value);
    const float none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    Vec4(mMaterial.Specular, value);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular ? value : none);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(mMaterial.Power, 0.0f, 128.0f));

    // The vertex colour stands in for the material colours whose source is colour 1.
    GLenum target = GL_NONE;
    if (aColorFromVertex && mRenderStates[D3DRS_COLORVERTEX]) {
        bool diffuse = mRenderStates[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1;
        bool ambientSource = mRenderStates[D3DRS_AMBIENTMATERIALSOURCE] == D3DMCS_COLOR1;
        if (diffuse && ambientSource) {
            target = GL_AMBIENT_AND_DIFFUSE;
        } else if (diffuse) {
            target = GL_DIFFUSE;
        } else if (ambientSource) {
            target = GL_AMBIENT;
        } else if (mRenderStates[D3DRS_EMISSIVEMATERIALSOURCE] == D3DMCS_COLOR1) {
            target = GL_EMISSION;
        }
    }
    if (target != GL_NONE) {
        glColorMaterial(GL_FRONT_AND_BACK, target);
        glEnable(GL_COLOR_MATERIAL);
    } else {
        glDisable(GL_COLOR_MATERIAL);
    }
    mLastColorMaterial = target != GL_NONE;
}

void D3D9Device::ApplyTransforms(bool aTransformed)
{
    glMatrixMode(GL_PROJECTION);
    if (aTransformed) {
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        return;
    }
    // Direct3D's clip space to GL's: depth 0..w becomes -w..w, y turns over (the picture
    // is stored top row first), and the picture moves by half a pixel so that Direct3D's
    // pixel centres (whole numbers) fall on GL's (halves).
    const float width = static_cast<float>(mViewport.Width);
    const float height = static_cast<float>(mViewport.Height);
    const float correction[16] = {1.0f, 0.0f, 0.0f, 0.0f,         0.0f, -1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 2.0f, 0.0f,
                                  1.0f / width, 1.0f / height, -1.0f, 1.0f};
    glLoadMatrixf(correction);
    glMultMatrixf(&mProjection.m[0][0]);
    // Row vectors: v x World x View is, read column-major, View^T x World^T x v.
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(&mView.m[0][0]);
    glMultMatrixf(&mWorld.m[0][0]);
}

void D3D9Device::ApplyViewport(bool aTransformed)
{
    if (aTransformed) {
        glViewport(0, 0, static_cast<GLsizei>(mWidth), static_cast<GLsizei>(mHeight));
        glDepthRange(0.0, 1.0);
    } else {
        glViewport(static_cast<GLint>(mViewport.X), static_cast<GLint>(mViewport.Y),
                   static_cast<GLsizei>(mViewport.Width), static_cast<GLsizei>(mViewport.Height));
        glDepthRange(mViewport.MinZ, mViewport.MaxZ);
    }
}

void D3D9Device::ApplyState(const D3D9VertexLayout& aLayout)
{
    MakeCurrent();
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    if (mDirty & kRaster) {
        ApplyRaster();
    }
    if (mDirty & kBlend) {
        ApplyBlend();
    }
    if (mDirty & kDepthStencil) {
        ApplyDepthStencil();
    }
    ApplyTextureStage(); // the texture's contents or binding may have changed
    if (mDirty & kSampler) {
        ApplySampler();
    }
    bool transformed = aLayout.mTransformed;
    bool lit = !transformed && mRenderStates[D3DRS_LIGHTING];
    bool colorMaterial = lit && aLayout.mColor >= 0;
    if (transformed != mLastTransformed) {
        mDirty |= kTransforms | kViewport;
    }
    if (lit) {
        glEnable(GL_LIGHTING);
        if ((mDirty & kLighting) || colorMaterial || mLastColorMaterial) {
            ApplyLighting(colorMaterial);
        }
        if (mDirty & kLights) {
            // Lights are given in world space: place them under the view matrix.
            glMatrixMode(GL_MODELVIEW);
            glLoadMatrixf(&mView.m[0][0]);
            bool specular = mRenderStates[D3DRS_SPECULARENABLE] != FALSE;
            int used = 0;
            for (const auto& [index, slot] : mLights) {
                if (!slot.mEnabled || used >= 8) {
                    continue;
                }
                const D3DLIGHT9& light = slot.mLight;
                GLenum id = GL_LIGHT0 + used++;
                glEnable(id);
                float value[4];
                Vec4(light.Diffuse, value);
                glLightfv(id, GL_DIFFUSE, value);
                Vec4(light.Ambient, value);
                glLightfv(id, GL_AMBIENT, value);
                const float none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
                Vec4(light.Specular, value);
                glLightfv(id, GL_SPECULAR, specular ? value : none);
                if (light.Type == D3DLIGHT_DIRECTIONAL) {
                    // GL wants the direction towards the light.
                    const float toward[4] = {-light.Direction.x, -light.Direction.y, -light.Direction.z, 0.0f};
                    glLightfv(id, GL_POSITION, toward);
                    glLightf(id, GL_SPOT_CUTOFF, 180.0f);
                    glLightf(id, GL_CONSTANT_ATTENUATION, 1.0f);
                    glLightf(id, GL_LINEAR_ATTENUATION, 0.0f);
                    glLightf(id, GL_QUADRATIC_ATTENUATION, 0.0f);
                } else {
                    const float position[4] = {light.Position.x, light.Position.y, light.Position.z, 1.0f};
                    glLightfv(id, GL_POSITION, position);
                    glLightf(id, GL_CONSTANT_ATTENUATION, light.Attenuation0);
                    glLightf(id, GL_LINEAR_ATTENUATION, light.Attenuation1);
                    glLightf(id, GL_QUADRATIC_ATTENUATION, light.Attenuation2);
                    if (light.Type == D3DLIGHT_SPOT) {
                        const float direction[3] = {light.Direction.x, light.Direction.y, light.Direction.z};
                        glLightfv(id, GL_SPOT_DIRECTION, direction);
                        // The outer cone bounds the light; the soft edge between the
                        // cones is not reproduced.
                        float cutoff = std::clamp(light.Phi * 0.5f * 57.29578f, 0.0f, 90.0f);
                        glLightf(id, GL_SPOT_CUTOFF, cutoff);
                        glLightf(id, GL_SPOT_EXPONENT, 0.0f);
                    } else {
                        glLightf(id, GL_SPOT_CUTOFF, 180.0f);
                    }
                }
            }
            for (int i = used; i < 8; ++i) {
                glDisable(GL_LIGHT0 + i);
            }
            mDirty |= kTransforms;
        }
    } else {
        glDisable(GL_LIGHTING);
        glDisable(GL_COLOR_MATERIAL);
        mLastColorMaterial = false;
    }
    if (mDirty & kTransforms) {
        ApplyTransforms(transformed);
    }
    if (mDirty & kViewport) {
        ApplyViewport(transformed);
    }
    mLastTransformed = transformed;
    mDirty = lit ? 0 : (mDirty & (kLighting | kLights));
}

HRESULT D3D9Device::Draw(D3DPRIMITIVETYPE aType, const uint8_t* aVertices, UINT aStride, UINT aVertexCount,
                         const void* aIndices, bool aIndices32, UINT aIndexCount, UINT)
{
    const D3D9VertexLayout& layout = CurrentLayout();
    ApplyState(layout);

    const uint8_t* base = aVertices;
    if (layout.mTransformed) {
        // Screen positions to clip coordinates, keeping 1/w for perspective-correct
        // texturing; pixel centres move from whole numbers to halves.
        mScratch.resize(size_t{aVertexCount} * 4);
        for (UINT i = 0; i < aVertexCount; ++i) {
            float position[4];
            std::memcpy(position, base + size_t{i} * aStride + layout.mPosition, sizeof(position));
            float w = (position[3] != 0.0f && std::isfinite(position[3])) ? 1.0f / position[3] : 1.0f;
            float* out = &mScratch[size_t{i} * 4];
            out[0] = ((position[0] + 0.5f) * 2.0f / mWidth - 1.0f) * w;
            out[1] = ((position[1] + 0.5f) * 2.0f / mHeight - 1.0f) * w;
            out[2] = (position[2] * 2.0f - 1.0f) * w;
            out[3] = w;
        }
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(4, GL_FLOAT, 0, mScratch.data());
    } else {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, static_cast<GLsizei>(aStride), base + layout.mPosition);
    }
    if (layout.mNormal >= 0) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, static_cast<GLsizei>(aStride), base + layout.mNormal);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        glNormal3f(0.0f, 0.0f, 0.0f);
    }
    if (layout.mColor >= 0) {
        glEnableClientState(GL_COLOR_ARRAY);
        if (layout.mColorIsFloat4) {
            glColorPointer(4, GL_FLOAT, static_cast<GLsizei>(aStride), base + layout.mColor);
        } else {
            glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(aStride), base + layout.mColor);
        }
    } else {
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    glClientActiveTexture(GL_TEXTURE0);
    if (layout.mTexCoord >= 0) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(layout.mTexCoordSize, GL_FLOAT, static_cast<GLsizei>(aStride), base + layout.mTexCoord);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glMultiTexCoord4f(GL_TEXTURE0, 0.0f, 0.0f, 0.0f, 1.0f);
    }

    GLenum mode = PrimitiveMode(aType);
    if (aIndices) {
        glDrawElements(mode, static_cast<GLsizei>(aIndexCount), aIndices32 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                       aIndices);
    } else {
        glDrawArrays(mode, 0, static_cast<GLsizei>(aVertexCount));
    }
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        D3D9SetErrorDetail("GL error " + std::to_string(error) + " while drawing");
        return D3DERR_INVALIDCALL;
    }
    return D3D_OK;
}

HRESULT D3D9Device::DrawPrimitive(D3DPRIMITIVETYPE aType, UINT aStartVertex, UINT aPrimitiveCount)
{
    const D3D9VertexLayout& layout = CurrentLayout();
    uint64_t count = ElementCount(aType, aPrimitiveCount);
    if (!mStream || !layout.mValid || aPrimitiveCount == 0 || count == 0 || layout.mSize > mStreamStride) {
        return D3DERR_INVALIDCALL;
    }
    uint64_t end = uint64_t{mStreamOffset} + (uint64_t{aStartVertex} + count) * mStreamStride;
    if (end > mStream->Size() || count > 0x7FFFFFFF) {
        return D3DERR_INVALIDCALL;
    }
    const uint8_t* vertices = mStream->Data() + mStreamOffset + size_t{aStartVertex} * mStreamStride;
    return Draw(aType, vertices, mStreamStride, static_cast<UINT>(count), nullptr, false, 0, aPrimitiveCount);
}

HRESULT D3D9Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE aType, INT aBaseVertex, UINT, UINT, UINT aStartIndex,
                                         UINT aPrimitiveCount)
{
    const D3D9VertexLayout& layout = CurrentLayout();
    uint64_t count = ElementCount(aType, aPrimitiveCount);
    if (!mStream || !mIndices || !layout.mValid || aPrimitiveCount == 0 || count == 0 ||
        layout.mSize > mStreamStride || count > 0x7FFFFFFF) {
        return D3DERR_INVALIDCALL;
    }
    bool wide = mIndices->Format() == D3DFMT_INDEX32;
    uint64_t indexSize = wide ? 4 : 2;
    if ((uint64_t{aStartIndex} + count) * indexSize > mIndices->Size()) {
        return D3DERR_INVALIDCALL;
    }
    // Every index, with the base vertex added, must name a vertex inside the buffer.
    const uint8_t* indexBytes = mIndices->Data() + size_t{aStartIndex} * indexSize;
    auto indexAt = [&](uint64_t aAt) {
        uint32_t index = 0;
        if (wide) {
            std::memcpy(&index, indexBytes + aAt * 4, 4);
        } else {
            uint16_t shortIndex;
            std::memcpy(&shortIndex, indexBytes + aAt * 2, 2);
            index = shortIndex;
        }
        return index;
    };
    uint32_t smallest = 0xFFFFFFFFu;
    uint32_t largest = 0;
    for (uint64_t i = 0; i < count; ++i) {
        const uint32_t index = indexAt(i);
        smallest = std::min(smallest, index);
        largest = std::max(largest, index);
    }
    int64_t first = int64_t{aBaseVertex} + smallest;
    int64_t last = int64_t{aBaseVertex} + largest;
    uint64_t available = mStream->Size() > mStreamOffset ? (mStream->Size() - mStreamOffset) / mStreamStride : 0;
    if (first < 0 || last < 0 || static_cast<uint64_t>(last) >= available) {
        return D3DERR_INVALIDCALL;
    }
    if (aBaseVertex == 0) {
        const uint8_t* vertices = mStream->Data() + mStreamOffset;
        return Draw(aType, vertices, mStreamStride, static_cast<UINT>(last + 1), indexBytes, wide,
                    static_cast<UINT>(count), aPrimitiveCount);
    }
    // A base vertex: rebase the indices to the first vertex used.
    std::vector<uint32_t> rebased(count);
    for (uint64_t i = 0; i < count; ++i) {
        rebased[i] = static_cast<uint32_t>(int64_t{aBaseVertex} + indexAt(i) - first);
    }
    const uint8_t* vertices = mStream->Data() + mStreamOffset + size_t(first) * mStreamStride;
    return Draw(aType, vertices, mStreamStride, static_cast<UINT>(last - first + 1), rebased.data(), true,
                static_cast<UINT>(count), aPrimitiveCount);
}

HRESULT D3D9Device::DrawPrimitiveUP(D3DPRIMITIVETYPE aType, UINT aPrimitiveCount, const void* aData, UINT aStride)
{
    const D3D9VertexLayout& layout = CurrentLayout();
    uint64_t count = ElementCount(aType, aPrimitiveCount);
    if (!aData || !layout.mValid || aPrimitiveCount == 0 || count == 0 || count > 0x7FFFFFFF || aStride == 0 ||
        layout.mSize > aStride) {
        return D3DERR_INVALIDCALL;
    }
    // As on Direct3D, the stream source is reset by a draw from user memory.
    if (mStream) {
        mStream->Release();
        mStream = nullptr;
    }
    return Draw(aType, static_cast<const uint8_t*>(aData), aStride, static_cast<UINT>(count), nullptr, false, 0,
                aPrimitiveCount);
}
