#include "d3d9/D3DXMath.h"

#include <cmath>
#include <cstring>

namespace {

// Works on plain float arrays (element 4 * row + column) so that aliasing of out with an
// input is harmless: every routine computes into a local and copies it out at the end.
using Elements = float[16];

void Store(D3DXMATRIX* aOut, const float* aElements)
{
    std::memcpy(&aOut->m[0][0], aElements, sizeof(float) * 16);
}

void Load(const D3DXMATRIX* aIn, float* aElements)
{
    std::memcpy(aElements, &aIn->m[0][0], sizeof(float) * 16);
}

void SetIdentity(float* aElements)
{
    for (int i = 0; i < 16; ++i) {
        aElements[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

D3DXVECTOR3 Subtract(const D3DXVECTOR3& aA, const D3DXVECTOR3& aB)
{
    D3DXVECTOR3 result;
    result.x = aA.x - aB.x;
    result.y = aA.y - aB.y;
    result.z = aA.z - aB.z;
    return result;
}

D3DXVECTOR3 Cross(const D3DXVECTOR3& aA, const D3DXVECTOR3& aB)
{
    D3DXVECTOR3 result;
    result.x = aA.y * aB.z - aA.z * aB.y;
    result.y = aA.z * aB.x - aA.x * aB.z;
    result.z = aA.x * aB.y - aA.y * aB.x;
    return result;
}

float Dot(const D3DXVECTOR3& aA, const D3DXVECTOR3& aB)
{
    return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z;
}

// A rotation by aAngle in the plane of the axes aFrom and aTo: aFrom turns towards aTo.
D3DXMATRIX* PlaneRotation(D3DXMATRIX* aOut, float aAngle, int aFrom, int aTo)
{
    const float s = std::sin(aAngle);
    const float c = std::cos(aAngle);
    Elements result;
    SetIdentity(result);
    result[aFrom * 4 + aFrom] = c;
    result[aFrom * 4 + aTo] = s;
    result[aTo * 4 + aFrom] = -s;
    result[aTo * 4 + aTo] = c;
    Store(aOut, result);
    return aOut;
}

} // namespace

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut)
{
    Elements result;
    SetIdentity(result);
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* pOut, float* pDeterminant, const D3DXMATRIX* pM)
{
    // Cofactor expansion in double precision: the 2 x 2 minors of the upper and lower
    // row pairs give every 3 x 3 cofactor.
    Elements in;
    Load(pM, in);
    double a[16];
    for (int i = 0; i < 16; ++i) {
        a[i] = in[i];
    }
    const double s0 = a[0] * a[5] - a[4] * a[1];
    const double s1 = a[0] * a[6] - a[4] * a[2];
    const double s2 = a[0] * a[7] - a[4] * a[3];
    const double s3 = a[1] * a[6] - a[5] * a[2];
    const double s4 = a[1] * a[7] - a[5] * a[3];
    const double s5 = a[2] * a[7] - a[6] * a[3];
    const double c5 = a[10] * a[15] - a[14] * a[11];
    const double c4 = a[9] * a[15] - a[13] * a[11];
    const double c3 = a[9] * a[14] - a[13] * a[10];
    const double c2 = a[8] * a[15] - a[12] * a[11];
    const double c1 = a[8] * a[14] - a[12] * a[10];
    const double c0 = a[8] * a[13] - a[12] * a[9];
    const double determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (pDeterminant) {
        *pDeterminant = static_cast<float>(determinant);
    }
    const double inverseDeterminant = 1.0 / determinant;
    if (determinant == 0.0 || !std::isfinite(inverseDeterminant)) {
        return nullptr;
    }
    double r[16];
    r[0] = a[5] * c5 - a[6] * c4 + a[7] * c3;
    r[1] = -a[1] * c5 + a[2] * c4 - a[3] * c3;
    r[2] = a[13] * s5 - a[14] * s4 + a[15] * s3;
    r[3] = -a[9] * s5 + a[10] * s4 - a[11] * s3;
    r[4] = -a[4] * c5 + a[6] * c2 - a[7] * c1;
    r[5] = a[0] * c5 - a[2] * c2 + a[3] * c1;
    r[6] = -a[12] * s5 + a[14] * s2 - a[15] * s1;
    r[7] = a[8] * s5 - a[10] * s2 + a[11] * s1;
    r[8] = a[4] * c4 - a[5] * c2 + a[7] * c0;
    r[9] = -a[0] * c4 + a[1] * c2 - a[3] * c0;
    r[10] = a[12] * s4 - a[13] * s2 + a[15] * s0;
    r[11] = -a[8] * s4 + a[9] * s2 - a[11] * s0;
    r[12] = -a[4] * c3 + a[5] * c1 - a[6] * c0;
    r[13] = a[0] * c3 - a[1] * c1 + a[2] * c0;
    r[14] = -a[12] * s3 + a[13] * s1 - a[14] * s0;
    r[15] = a[8] * s3 - a[9] * s1 + a[10] * s0;
    Elements result;
    for (int i = 0; i < 16; ++i) {
        result[i] = static_cast<float>(r[i] * inverseDeterminant);
    }
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1, const D3DXMATRIX* pM2)
{
    Elements a;
    Elements b;
    Load(pM1, a);
    Load(pM2, b);
    Elements result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            result[row * 4 + column] = a[row * 4 + 0] * b[0 * 4 + column] + a[row * 4 + 1] * b[1 * 4 + column] +
                                       a[row * 4 + 2] * b[2 * 4 + column] + a[row * 4 + 3] * b[3 * 4 + column];
        }
    }
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                               const D3DXVECTOR3* pUp)
{
    const D3DXVECTOR3 eye = *pEye;
    D3DXVECTOR3 zAxis = Subtract(*pAt, eye);
    D3DXVec3Normalize(&zAxis, &zAxis);
    D3DXVECTOR3 xAxis = Cross(*pUp, zAxis);
    D3DXVec3Normalize(&xAxis, &xAxis);
    const D3DXVECTOR3 yAxis = Cross(zAxis, xAxis);
    const Elements result = {
        xAxis.x, yAxis.x, zAxis.x, 0.0f,
        xAxis.y, yAxis.y, zAxis.y, 0.0f,
        xAxis.z, yAxis.z, zAxis.z, 0.0f,
        -Dot(xAxis, eye), -Dot(yAxis, eye), -Dot(zAxis, eye), 1.0f,
    };
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* pOut, float w, float h, float zn, float zf)
{
    Elements result = {};
    result[0] = 2.0f / w;
    result[5] = 2.0f / h;
    result[10] = 1.0f / (zf - zn);
    result[14] = zn / (zn - zf);
    result[15] = 1.0f;
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, float fovy, float aspect, float zn, float zf)
{
    const float yScale = 1.0f / std::tan(fovy * 0.5f);
    Elements result = {};
    result[0] = yScale / aspect;
    result[5] = yScale;
    result[10] = zf / (zf - zn);
    result[11] = 1.0f;
    result[14] = -zn * zf / (zf - zn);
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* pOut, float angle)
{
    return PlaneRotation(pOut, angle, 1, 2);
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* pOut, float angle)
{
    return PlaneRotation(pOut, angle, 2, 0);
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* pOut, float angle)
{
    return PlaneRotation(pOut, angle, 0, 1);
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* pOut, const D3DXQUATERNION* pQ)
{
    const float x = pQ->x;
    const float y = pQ->y;
    const float z = pQ->z;
    const float w = pQ->w;
    const Elements result = {
        1.0f - 2.0f * (y * y + z * z), 2.0f * (x * y + z * w), 2.0f * (x * z - y * w), 0.0f,
        2.0f * (x * y - z * w), 1.0f - 2.0f * (x * x + z * z), 2.0f * (y * z + x * w), 0.0f,
        2.0f * (x * z + y * w), 2.0f * (y * z - x * w), 1.0f - 2.0f * (x * x + y * y), 0.0f,
        0.0f, 0.0f, 0.0f, 1.0f,
    };
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* pOut, float sx, float sy, float sz)
{
    Elements result;
    SetIdentity(result);
    result[0] = sx;
    result[5] = sy;
    result[10] = sz;
    Store(pOut, result);
    return pOut;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z)
{
    Elements result;
    SetIdentity(result);
    result[12] = x;
    result[13] = y;
    result[14] = z;
    Store(pOut, result);
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionRotationMatrix(D3DXQUATERNION* pOut, const D3DXMATRIX* pM)
{
    // The inverse of D3DXMatrixRotationQuaternion: the largest of w, x, y, z is taken from
    // the diagonal (for precision), the other three from the off-diagonal sums/differences.
    Elements m;
    Load(pM, m);
    const float m11 = m[0], m12 = m[1], m13 = m[2];
    const float m21 = m[4], m22 = m[5], m23 = m[6];
    const float m31 = m[8], m32 = m[9], m33 = m[10];
    const float trace = m11 + m22 + m33;
    D3DXQUATERNION q;
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f) * 2.0f;
        q.w = 0.25f * s;
        q.x = (m23 - m32) / s;
        q.y = (m31 - m13) / s;
        q.z = (m12 - m21) / s;
    } else if (m11 >= m22 && m11 >= m33) {
        const float s = std::sqrt(1.0f + m11 - m22 - m33) * 2.0f;
        q.x = 0.25f * s;
        q.w = (m23 - m32) / s;
        q.y = (m12 + m21) / s;
        q.z = (m13 + m31) / s;
    } else if (m22 >= m33) {
        const float s = std::sqrt(1.0f + m22 - m11 - m33) * 2.0f;
        q.y = 0.25f * s;
        q.w = (m31 - m13) / s;
        q.x = (m12 + m21) / s;
        q.z = (m23 + m32) / s;
    } else {
        const float s = std::sqrt(1.0f + m33 - m11 - m22) * 2.0f;
        q.z = 0.25f * s;
        q.w = (m12 - m21) / s;
        q.x = (m13 + m31) / s;
        q.y = (m23 + m32) / s;
    }
    *pOut = q;
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ1,
                                    const D3DXQUATERNION* pQ2, float t)
{
    const D3DXQUATERNION a = *pQ1;
    D3DXQUATERNION b = *pQ2;
    float cosine = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (cosine < 0.0f) {
        // q and -q are the same rotation: go the short way round.
        cosine = -cosine;
        b.x = -b.x;
        b.y = -b.y;
        b.z = -b.z;
        b.w = -b.w;
    }
    float weightA = 1.0f - t;
    float weightB = t;
    if (cosine < 0.9999f) {
        const float angle = std::acos(cosine);
        const float inverseSine = 1.0f / std::sin(angle);
        weightA = std::sin((1.0f - t) * angle) * inverseSine;
        weightB = std::sin(t * angle) * inverseSine;
    }
    pOut->x = weightA * a.x + weightB * b.x;
    pOut->y = weightA * a.y + weightB * b.y;
    pOut->z = weightA * a.z + weightB * b.z;
    pOut->w = weightA * a.w + weightB * b.w;
    return pOut;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM)
{
    Elements m;
    Load(pM, m);
    const float x = pV->x;
    const float y = pV->y;
    const float z = pV->z;
    const float rx = x * m[0] + y * m[4] + z * m[8] + m[12];
    const float ry = x * m[1] + y * m[5] + z * m[9] + m[13];
    const float rz = x * m[2] + y * m[6] + z * m[10] + m[14];
    const float rw = x * m[3] + y * m[7] + z * m[11] + m[15];
    pOut->x = rx / rw;
    pOut->y = ry / rw;
    pOut->z = rz / rw;
    return pOut;
}

D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM)
{
    Elements m;
    Load(pM, m);
    const float x = pV->x;
    const float y = pV->y;
    const float z = pV->z;
    pOut->x = x * m[0] + y * m[4] + z * m[8];
    pOut->y = x * m[1] + y * m[5] + z * m[9];
    pOut->z = x * m[2] + y * m[6] + z * m[10];
    return pOut;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV)
{
    const D3DXVECTOR3 v = *pV;
    const float length = std::sqrt(Dot(v, v));
    if (length == 0.0f || !std::isfinite(1.0f / length)) {
        pOut->x = 0.0f;
        pOut->y = 0.0f;
        pOut->z = 0.0f;
        return pOut;
    }
    pOut->x = v.x / length;
    pOut->y = v.y / length;
    pOut->z = v.z / length;
    return pOut;
}
