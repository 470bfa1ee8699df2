#include "ui/GMPicker.h"

#include "LVector2.h"
#include "LVector3.h"
#include "Render/LMeshOctree.h"
#include "Render/LNavigationTDODisplay.h"
#include "Render/LPickRay.h"
#include "stdlib/LLog.h"

namespace {

constexpr float kNormalizeTolerance = 0.0001f;

LVector3& LastHit()
{
    static LVector3 sHit(0.0f, 0.0f, 0.0f);
    return sHit;
}

} // namespace

const LVector3& GMPicker::GetLastHit()
{
    return LastHit();
}

GMPicker::GMPicker(LCamera* aCamera, GMIPickerListener* aListener) : mCamera(aCamera), mListener(aListener)
{
    if (aCamera == nullptr) {
        L_ERROR("GMPicker: NULL arg.");
    }
    mRay = L_NEW LPickRay(aCamera);
}

GMPicker::~GMPicker()
{
    delete mRay;
    mRay = nullptr;
    mCamera = nullptr;
}

bool GMPicker::Pick(int aX, int aY, bool aRun)
{
    GMIPickerListener* listener = mListener.Get();
    const LMeshOctree* tree = listener != nullptr ? listener->GetPickTree() : nullptr;
    LVector3 hit(0.0f, 0.0f, 0.0f);
    bool found = false;
    if (mRay != nullptr && tree != nullptr && mRay->CalculateRay(aX, aY) && mRay->Transform(*mRay)) {
        const LVector3 direction = mRay->GetDirection().Normalize(kNormalizeTolerance);
        found = tree->Pick(mRay->GetOrigin(), direction, hit, kMaxDistance);
    }
    LNavigationTDODisplay* display = listener != nullptr ? listener->GetPickDisplay() : nullptr;
    if (display != nullptr) {
        display->SetPickPosition(found ? LVector2(hit.x, hit.z) : LVector2(0.0f, 0.0f));
    }
    if (!found) {
        L_ASSERT_FAILURE("Pick failure.");
        L_ASSERT_FAILURE("Pick failure.");
        return false;
    }
    LastHit() = hit;
    return listener->OnGroundPicked(LVector2(hit.x, hit.z), aRun);
}
