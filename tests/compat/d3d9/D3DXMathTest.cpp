#include "d3d9/D3DXMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr float kPi = 3.14159265358979f;

D3DXMATRIX Make(std::initializer_list<float> aValues)
{
    D3DXMATRIX m;
    float* out = &m.m[0][0];
    for (float value : aValues) {
        *out++ = value;
    }
    return m;
}

D3DXVECTOR3 Vec(float aX, float aY, float aZ)
{
    return D3DXVECTOR3 {{aX, aY, aZ}};
}

void ExpectMatrixNear(const D3DXMATRIX& aExpected, const D3DXMATRIX& aActual, float aTolerance)
{
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NEAR(aExpected.m[row][column], aActual.m[row][column], aTolerance)
                << "element " << row * 4 + column;
        }
    }
}

void ExpectVectorNear(const D3DXVECTOR3& aExpected, const D3DXVECTOR3& aActual, float aTolerance)
{
    EXPECT_NEAR(aExpected.x, aActual.x, aTolerance);
    EXPECT_NEAR(aExpected.y, aActual.y, aTolerance);
    EXPECT_NEAR(aExpected.z, aActual.z, aTolerance);
}

D3DXMATRIX Identity()
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    return m;
}

// A random matrix kept well away from singular: a rotation, a scaling of 0.5 to 2 per
// axis, a translation, plus small noise in the upper 3 x 3 part.
D3DXMATRIX RandomWellConditioned(std::mt19937& aRandom)
{
    std::uniform_real_distribution<float> angle(-kPi, kPi);
    std::uniform_real_distribution<float> scale(0.5f, 2.0f);
    std::uniform_real_distribution<float> offset(-10.0f, 10.0f);
    std::uniform_real_distribution<float> noise(-0.05f, 0.05f);
    D3DXMATRIX rx, ry, s, t, m;
    D3DXMatrixRotationX(&rx, angle(aRandom));
    D3DXMatrixRotationY(&ry, angle(aRandom));
    D3DXMatrixScaling(&s, scale(aRandom), scale(aRandom), scale(aRandom));
    D3DXMatrixTranslation(&t, offset(aRandom), offset(aRandom), offset(aRandom));
    D3DXMatrixMultiply(&m, &s, &rx);
    D3DXMatrixMultiply(&m, &m, &ry);
    D3DXMatrixMultiply(&m, &m, &t);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            m.m[row][column] += noise(aRandom);
        }
    }
    return m;
}

} // namespace

TEST(D3DXMatrixInverse, InverseTimesMatrixIsIdentity)
{
    std::mt19937 random(1234);
    for (int i = 0; i < 200; ++i) {
        const D3DXMATRIX m = RandomWellConditioned(random);
        D3DXMATRIX inverse;
        ASSERT_EQ(&inverse, D3DXMatrixInverse(&inverse, nullptr, &m));
        D3DXMATRIX product;
        D3DXMatrixMultiply(&product, &inverse, &m);
        ExpectMatrixNear(Identity(), product, 1e-5f);
        D3DXMatrixMultiply(&product, &m, &inverse);
        ExpectMatrixNear(Identity(), product, 1e-5f);
    }
}

TEST(D3DXMatrixInverse, ReportsTheDeterminantAndSingularGivesNullAndLeavesOut)
{
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, 2.0f, 3.0f, 4.0f);
    float determinant = 0.0f;
    D3DXMATRIX inverse;
    D3DXMatrixInverse(&inverse, &determinant, &m);
    EXPECT_FLOAT_EQ(24.0f, determinant);
    EXPECT_FLOAT_EQ(0.25f, inverse._33);
    // Two equal rows.
    const D3DXMATRIX singular = Make({1, 2, 3, 4, 1, 2, 3, 4, 0, 0, 1, 0, 0, 0, 0, 1});
    D3DXMATRIX out = Make({7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7});
    EXPECT_EQ(nullptr, D3DXMatrixInverse(&out, nullptr, &singular));
    ExpectMatrixNear(Make({7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}), out, 0.0f);
}

TEST(D3DXMatrixMultiply, RowVectorOrderAndAliasing)
{
    D3DXMATRIX translate, rotate;
    D3DXMatrixTranslation(&translate, 1.0f, 0.0f, 0.0f);
    D3DXMatrixRotationZ(&rotate, kPi / 2.0f);
    // translate first, then rotate: (0,0,0) -> (1,0,0) -> (0,1,0).
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, &translate, &rotate);
    D3DXVECTOR3 origin = Vec(0, 0, 0), moved;
    D3DXVec3TransformCoord(&moved, &origin, &product);
    ExpectVectorNear(Vec(0, 1, 0), moved, 1e-6f);

    D3DXMATRIX aliasedA = translate;
    D3DXMatrixMultiply(&aliasedA, &aliasedA, &rotate);
    ExpectMatrixNear(product, aliasedA, 0.0f);
    D3DXMATRIX aliasedB = rotate;
    D3DXMatrixMultiply(&aliasedB, &translate, &aliasedB);
    ExpectMatrixNear(product, aliasedB, 0.0f);
    D3DXMATRIX square = rotate, expected;
    D3DXMatrixMultiply(&expected, &rotate, &rotate);
    D3DXMatrixMultiply(&square, &square, &square);
    ExpectMatrixNear(expected, square, 0.0f);
}

TEST(D3DXMatrixLookAtLH, AgreesWithHandComputedView)
{
    // Looking down +z from (0, 0, -5): the identity moved 5 along z.
    D3DXMATRIX view;
    const D3DXVECTOR3 eye = Vec(0, 0, -5), at = Vec(0, 0, 0), up = Vec(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    ExpectMatrixNear(Make({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 1}), view, 1e-6f);

    // Looking along +x from (1, 2, 3): z axis (1,0,0), x axis up x z = (0,0,-1), y axis
    // z x x = (0,1,0); the rows hold the axes' components, the last row -axis . eye.
    const D3DXVECTOR3 eye2 = Vec(1, 2, 3), at2 = Vec(4, 2, 3);
    D3DXMatrixLookAtLH(&view, &eye2, &at2, &up);
    ExpectMatrixNear(Make({0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 3, -2, -1, 1}), view, 1e-6f);
    D3DXVECTOR3 ahead = Vec(6, 2, 3), seen;
    D3DXVec3TransformCoord(&seen, &ahead, &view);
    ExpectVectorNear(Vec(0, 0, 5), seen, 1e-5f);
}

TEST(D3DXMatrixProjection, PerspectiveFovLHAgreesWithHandComputed)
{
    // fovY 90 degrees: yScale = cot(45) = 1; aspect 2 gives xScale 0.5; near 1, far 11.
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, kPi / 2.0f, 2.0f, 1.0f, 11.0f);
    ExpectMatrixNear(Make({0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1.1f, 1, 0, 0, -1.1f, 0}), projection, 1e-6f);
    D3DXVECTOR3 nearPoint = Vec(1, 1, 1), farPoint = Vec(0, 0, 11), out;
    D3DXVec3TransformCoord(&out, &nearPoint, &projection);
    ExpectVectorNear(Vec(0.5f, 1.0f, 0.0f), out, 1e-6f);
    D3DXVec3TransformCoord(&out, &farPoint, &projection);
    EXPECT_NEAR(1.0f, out.z, 1e-6f);
}

TEST(D3DXMatrixProjection, OrthoLHMapsScreenToUnitCube)
{
    D3DXMATRIX projection;
    D3DXMatrixOrthoLH(&projection, 800.0f, 600.0f, -200.0f, 200.0f);
    ExpectMatrixNear(Make({2.0f / 800, 0, 0, 0, 0, 2.0f / 600, 0, 0, 0, 0, 1.0f / 400, 0, 0, 0, 0.5f, 1}),
                     projection, 1e-7f);
    D3DXVECTOR3 corner = Vec(400, -300, -200), out;
    D3DXVec3TransformCoord(&out, &corner, &projection);
    ExpectVectorNear(Vec(1, -1, 0), out, 1e-6f);
}

TEST(D3DXMatrixRotation, ElementsFollowDirect3DSigns)
{
    const float s = std::sin(0.3f), c = std::cos(0.3f);
    D3DXMATRIX m;
    D3DXMatrixRotationX(&m, 0.3f);
    ExpectMatrixNear(Make({1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1}), m, 1e-7f);
    D3DXMatrixRotationY(&m, 0.3f);
    ExpectMatrixNear(Make({c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1}), m, 1e-7f);
    D3DXMatrixRotationZ(&m, 0.3f);
    ExpectMatrixNear(Make({c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}), m, 1e-7f);
}

TEST(D3DXQuaternion, RotationMatrixMatchesAxisRotations)
{
    const float half = 0.35f;
    D3DXMATRIX fromQuaternion, fromAngle;
    D3DXQUATERNION aboutZ = {0, 0, std::sin(half), std::cos(half)};
    D3DXMatrixRotationQuaternion(&fromQuaternion, &aboutZ);
    ExpectMatrixNear(*D3DXMatrixRotationZ(&fromAngle, 2.0f * half), fromQuaternion, 1e-6f);
    D3DXQUATERNION aboutX = {std::sin(half), 0, 0, std::cos(half)};
    D3DXMatrixRotationQuaternion(&fromQuaternion, &aboutX);
    ExpectMatrixNear(*D3DXMatrixRotationX(&fromAngle, 2.0f * half), fromQuaternion, 1e-6f);
}

TEST(D3DXQuaternion, FromMatrixRoundTripsEveryBranch)
{
    // Rotations by up to nearly a half turn about several axes exercise the trace branch
    // and each of the diagonal branches.
    const float axes[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0.2f, -0.5f, 0.8f}};
    const float angles[] = {0.1f, 1.5f, 3.0f, 3.1f};
    for (const auto& axis : axes) {
        const float length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
        for (float angle : angles) {
            D3DXQUATERNION q;
            const float s = std::sin(angle / 2.0f) / length;
            q.x = axis[0] * s;
            q.y = axis[1] * s;
            q.z = axis[2] * s;
            q.w = std::cos(angle / 2.0f);
            D3DXMATRIX m;
            D3DXMatrixRotationQuaternion(&m, &q);
            D3DXQUATERNION back;
            D3DXQuaternionRotationMatrix(&back, &m);
            const float sign = (back.w * q.w + back.x * q.x + back.y * q.y + back.z * q.z) < 0.0f ? -1.0f : 1.0f;
            ExpectVectorNear(Vec(q.x, q.y, q.z), Vec(sign * back.x, sign * back.y, sign * back.z), 1e-5f);
            EXPECT_NEAR(q.w, sign * back.w, 1e-5f);
        }
    }
}

TEST(D3DXQuaternion, SlerpEndsHalfwayAndShortestArc)
{
    D3DXQUATERNION identity = {0, 0, 0, 1};
    D3DXQUATERNION quarter = {0, 0, std::sin(kPi / 4.0f), std::cos(kPi / 4.0f)}; // 90 degrees about z
    D3DXQUATERNION out;
    D3DXQuaternionSlerp(&out, &identity, &quarter, 0.0f);
    EXPECT_NEAR(1.0f, out.w, 1e-6f);
    D3DXQuaternionSlerp(&out, &identity, &quarter, 1.0f);
    EXPECT_NEAR(quarter.z, out.z, 1e-6f);
    D3DXQuaternionSlerp(&out, &identity, &quarter, 0.5f);
    EXPECT_NEAR(std::sin(kPi / 8.0f), out.z, 1e-6f);
    EXPECT_NEAR(std::cos(kPi / 8.0f), out.w, 1e-6f);

    // -quarter is the same rotation: the interpolation still turns by 45 degrees.
    D3DXQUATERNION negated = {0, 0, -quarter.z, -quarter.w};
    D3DXQuaternionSlerp(&out, &identity, &negated, 0.5f);
    EXPECT_NEAR(std::sin(kPi / 8.0f), out.z, 1e-6f);
    EXPECT_NEAR(std::cos(kPi / 8.0f), out.w, 1e-6f);

    // Nearly equal quaternions do not divide by a vanishing sine.
    D3DXQuaternionSlerp(&out, &identity, &identity, 0.3f);
    EXPECT_FLOAT_EQ(1.0f, out.w);
}

TEST(D3DXVec3, TransformCoordDividesByWNormalIgnoresTranslationAndNormalizeKeepsZero)
{
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 10, 20, 30);
    m._44 = 2.0f;
    const D3DXVECTOR3 v = Vec(2, 4, 6);
    D3DXVECTOR3 out;
    D3DXVec3TransformNormal(&out, &v, &m);
    ExpectVectorNear(Vec(2, 4, 6), out, 0.0f);
    // In place.
    D3DXVECTOR3 same = v;
    D3DXVec3TransformCoord(&same, &same, &m);
    ExpectVectorNear(Vec(6, 12, 18), same, 1e-6f);
    const D3DXVECTOR3 slanted = Vec(3, 0, 4);
    D3DXVec3Normalize(&out, &slanted);
    ExpectVectorNear(Vec(0.6f, 0, 0.8f), out, 1e-7f);
    const D3DXVECTOR3 zero = Vec(0, 0, 0);
    D3DXVec3Normalize(&out, &zero);
    ExpectVectorNear(zero, out, 0.0f);
}
