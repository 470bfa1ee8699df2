#include "Math/LMatrixUtilDX9.h"

#include "d3d9/D3DXMath.h"

#include <cstring>

static_assert(sizeof(LVector3) == sizeof(D3DXVECTOR3), "LVector3 must have the layout of D3DXVECTOR3");
static_assert(sizeof(LQuaternion) == sizeof(D3DXQUATERNION), "LQuaternion must have the layout of D3DXQUATERNION");
static_assert(sizeof(LMatrix4) == sizeof(D3DXMATRIX), "LMatrix4 must have the layout of D3DXMATRIX");

namespace {

// The engine's values and the D3DX ones share their layout; they are copied across
// rather than reinterpreted, which also makes every operation safe for aliased out.
D3DXMATRIX ToD3DX(const LMatrix4* aM)
{
    D3DXMATRIX result;
    std::memcpy(&result, aM->m, sizeof(result));
    return result;
}

LMatrix4* FromD3DX(LMatrix4* aOut, const D3DXMATRIX& aM)
{
    std::memcpy(aOut->m, &aM, sizeof(aM));
    return aOut;
}

D3DXVECTOR3 ToD3DX(const LVector3* aV)
{
    D3DXVECTOR3 result;
    result.x = aV->x;
    result.y = aV->y;
    result.z = aV->z;
    return result;
}

LVector3* FromD3DX(LVector3* aOut, const D3DXVECTOR3& aV)
{
    aOut->Set(aV.x, aV.y, aV.z);
    return aOut;
}

D3DXQUATERNION ToD3DX(const LQuaternion* aQ)
{
    D3DXQUATERNION result;
    result.x = aQ->x;
    result.y = aQ->y;
    result.z = aQ->z;
    result.w = aQ->w;
    return result;
}

LQuaternion* FromD3DX(LQuaternion* aOut, const D3DXQUATERNION& aQ)
{
    aOut->x = aQ.x;
    aOut->y = aQ.y;
    aOut->z = aQ.z;
    aOut->w = aQ.w;
    return aOut;
}

} // namespace

LMatrixUtilDX9::~LMatrixUtilDX9() = default;

LString LMatrixUtilDX9::Dump() const
{
    return DumpHead("LMatrixUtilDX9") + "]";
}

int LMatrixUtilDX9::Init(int aParameter)
{
    return 1;
}

LMatrix4* LMatrixUtilDX9::Identity(LMatrix4* aOut)
{
    D3DXMATRIX result;
    D3DXMatrixIdentity(&result);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::Inverse(LMatrix4* aOut, const LMatrix4* aM)
{
    const D3DXMATRIX m = ToD3DX(aM);
    D3DXMATRIX result;
    if (!D3DXMatrixInverse(&result, nullptr, &m)) {
        // Callers do not test the result: leave them a harmless matrix, not garbage.
        Identity(aOut);
        return nullptr;
    }
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::LookAt(LMatrix4* aOut, const LVector3* aEye, const LVector3* aAt, const LVector3* aUp)
{
    const D3DXVECTOR3 eye = ToD3DX(aEye);
    const D3DXVECTOR3 at = ToD3DX(aAt);
    const D3DXVECTOR3 up = ToD3DX(aUp);
    D3DXMATRIX result;
    D3DXMatrixLookAtLH(&result, &eye, &at, &up);
    return FromD3DX(aOut, result);
}

LVector3* LMatrixUtilDX9::TransformCoord(LVector3* aOut, const LMatrix4* aM, const LVector3* aV)
{
    return Vec3TransformCoord(aOut, aV, aM);
}

LMatrix4* LMatrixUtilDX9::Multiply(LMatrix4* aOut, const LMatrix4* aA, const LMatrix4* aB)
{
    const D3DXMATRIX a = ToD3DX(aA);
    const D3DXMATRIX b = ToD3DX(aB);
    D3DXMATRIX result;
    D3DXMatrixMultiply(&result, &a, &b);
    return FromD3DX(aOut, result);
}

LVector3* LMatrixUtilDX9::TransformNormal(LVector3* aOut, const LMatrix4* aM, const LVector3* aV)
{
    return Vec3TransformNormal(aOut, aV, aM);
}

LVector3* LMatrixUtilDX9::Normalize(LVector3* aOut, const LVector3* aV)
{
    const D3DXVECTOR3 v = ToD3DX(aV);
    D3DXVECTOR3 result;
    D3DXVec3Normalize(&result, &v);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::Ortho(LMatrix4* aOut, float aWidth, float aHeight, float aNear, float aFar)
{
    D3DXMATRIX result;
    D3DXMatrixOrthoLH(&result, aWidth, aHeight, aNear, aFar);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::PerspectiveFov(LMatrix4* aOut, float aFovY, float aAspect, float aNear, float aFar)
{
    D3DXMATRIX result;
    D3DXMatrixPerspectiveFovLH(&result, aFovY, aAspect, aNear, aFar);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::RotationX(LMatrix4* aOut, float aRadians)
{
    D3DXMATRIX result;
    D3DXMatrixRotationX(&result, aRadians);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::RotationY(LMatrix4* aOut, float aRadians)
{
    D3DXMATRIX result;
    D3DXMatrixRotationY(&result, aRadians);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::RotationZ(LMatrix4* aOut, float aRadians)
{
    D3DXMATRIX result;
    D3DXMatrixRotationZ(&result, aRadians);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::RotationQuaternion(LMatrix4* aOut, const LQuaternion* aQ)
{
    const D3DXQUATERNION q = ToD3DX(aQ);
    D3DXMATRIX result;
    D3DXMatrixRotationQuaternion(&result, &q);
    return FromD3DX(aOut, result);
}

LQuaternion* LMatrixUtilDX9::QuaternionSlerp(LQuaternion* aOut, const LQuaternion* aQ1, const LQuaternion* aQ2,
                                             float aT)
{
    const D3DXQUATERNION q1 = ToD3DX(aQ1);
    const D3DXQUATERNION q2 = ToD3DX(aQ2);
    D3DXQUATERNION result;
    D3DXQuaternionSlerp(&result, &q1, &q2, aT);
    return FromD3DX(aOut, result);
}

LQuaternion* LMatrixUtilDX9::QuaternionFromMatrix(LQuaternion* aOut, const LMatrix4* aM)
{
    const D3DXMATRIX m = ToD3DX(aM);
    D3DXQUATERNION result;
    D3DXQuaternionRotationMatrix(&result, &m);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::FromQuaternion(LMatrix4* aOut, const LQuaternion* aQ)
{
    return RotationQuaternion(aOut, aQ);
}

LMatrix4* LMatrixUtilDX9::Scaling(LMatrix4* aOut, float aX, float aY, float aZ)
{
    D3DXMATRIX result;
    D3DXMatrixScaling(&result, aX, aY, aZ);
    return FromD3DX(aOut, result);
}

LVector3* LMatrixUtilDX9::Vec3TransformCoord(LVector3* aOut, const LVector3* aV, const LMatrix4* aM)
{
    const D3DXVECTOR3 v = ToD3DX(aV);
    const D3DXMATRIX m = ToD3DX(aM);
    D3DXVECTOR3 result;
    D3DXVec3TransformCoord(&result, &v, &m);
    return FromD3DX(aOut, result);
}

LVector3* LMatrixUtilDX9::Vec3TransformNormal(LVector3* aOut, const LVector3* aV, const LMatrix4* aM)
{
    const D3DXVECTOR3 v = ToD3DX(aV);
    const D3DXMATRIX m = ToD3DX(aM);
    D3DXVECTOR3 result;
    D3DXVec3TransformNormal(&result, &v, &m);
    return FromD3DX(aOut, result);
}

LMatrix4* LMatrixUtilDX9::Translation(LMatrix4* aOut, float aX, float aY, float aZ)
{
    D3DXMATRIX result;
    D3DXMatrixTranslation(&result, aX, aY, aZ);
    return FromD3DX(aOut, result);
}
