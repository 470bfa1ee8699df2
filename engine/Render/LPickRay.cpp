#include "Render/LPickRay.h"

#include "LMatrix4.h"
#include "LPlane.h"
#include "Math/LIMatrixUtil.h"
#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIRasterizer.h"
#include "Render/LMesh.h"
#include "stdlib/LLog.h"

LPickRay::LPickRay(LCamera* aCamera) : mCamera(aCamera)
{
    if (aCamera == nullptr) {
        L_ERROR("LPickRay(): NULL arg.");
    }
}

LPickRay::LPickRay(LCamera* aCamera, int aX, int aY) : LPickRay(aCamera)
{
    CalculateRay(aX, aY);
}

bool LPickRay::CalculateRay(int aX, int aY)
{
    if (mCamera == nullptr) {
        return false;
    }
    LIRasterizer* rasterizer = LIRasterizer::Get();
    LViewport viewport;
    // An empty viewport would give a ray of infinities.
    if (rasterizer == nullptr || !rasterizer->GetViewport(&viewport) || viewport.mWidth == 0 ||
        viewport.mHeight == 0) {
        L_ERROR("CalculateRay failure.");
        return false;
    }
    const LMatrix4& projection = *mCamera->GetProjectionMatrix();
    const float dx = (2.0f * static_cast<float>(aX) / static_cast<float>(viewport.mWidth) - 1.0f) / projection[0];
    const float dy = (-2.0f * static_cast<float>(aY) / static_cast<float>(viewport.mHeight) + 1.0f) / projection[5];
    mOrigin.Set(0.0f, 0.0f, 0.0f);
    mDirection.Set(dx, dy, 1.0f);
    mSpace = kViewSpace;
    return true;
}

bool LPickRay::Transform(LPickRay& aOut) const
{
    if (mCamera == nullptr) {
        return false;
    }
    if (mSpace == kWorldSpace) {
        aOut = *this;
        return true;
    }
    LMatrix4 inverse;
    if (LMatrix4::Inverse(&inverse, mCamera->GetViewMatrix()) == nullptr) {
        L_ERROR("Transform failure. Singular view matrix.");
        return false;
    }
    aOut = *this;
    aOut.mSpace = kWorldSpace;
    LMatrix4::TransformCoord(&aOut.mOrigin, &inverse, &mOrigin);
    LVector3 direction;
    LMatrix4::TransformNormal(&direction, &inverse, &mDirection);
    LMatrix4::GetUtil()->Normalize(&aOut.mDirection, &direction);
    return true;
}

bool LPickRay::Pick(const LDrawElement* aElement, LVector3& aHit) const
{
    if (aElement == nullptr) {
        L_ASSERT_FAILURE("Pick failure. NULL arg.");
        return false;
    }
    const LLine3 ray(mOrigin, mOrigin + mDirection, L_LINE_RAY);
    bool found = false;
    float nearest = 0.0f;
    for (int i = 0; i < aElement->GetFrameCount(); ++i) {
        const LFrame* frame = aElement->GetFrameAt(i);
        const LMesh* mesh = frame != nullptr ? frame->GetMesh() : nullptr;
        if (mesh == nullptr || mesh->GetVertexBuffer() == nullptr || mesh->GetIndexBuffer() == nullptr) {
            continue;
        }
        mesh->ForEachTriangle(frame->GetWorldMatrix(), [&](const LVector3* aCorners) {
            LVector3 point;
            if (!IntersectLineTriangle(ray, aCorners[0], aCorners[1], aCorners[2], point)) {
                return;
            }
            const float distance = (point - mOrigin).LengthSquared();
            if (!found || distance < nearest) {
                found = true;
                nearest = distance;
                aHit = point;
            }
        });
    }
    return found;
}
