#include "Render/LISteering.h"

#include "Render/LINavigation.h"
#include "stdlib/LLog.h"

namespace {
constexpr float kDirectionTolerance = 0.0001f;
}

LISteering::LISteering()
    : mDirection(0.0f, 1.0f, 0.0f)
{
}

LISteering::~LISteering() = default;

LVector3* LISteering::GetDirection()
{
    return &mDirection;
}

bool LISteering::GetPosition(LVector3& aOut)
{
    if (mNavigation == nullptr) {
        return false;
    }
    aOut = *mNavigation->GetPosition();
    return true;
}

bool LISteering::SetDirection(const LVector3& aDirection)
{
    mDirection.Set(aDirection.x, aDirection.y, 0.0f);
    mDirection.Normalize(kDirectionTolerance);
    return true;
}

bool LISteering::SetEnabled(bool aEnabled)
{
    mEnabled = aEnabled ? 1 : 0;
    return true;
}

bool LISteering::SetNavigation(LINavigation* aNavigation)
{
    if (aNavigation == nullptr) {
        L_ASSERT_FAILURE("SetNavigation failure. NULL arg.");
        return false;
    }
    // Handing over the navigation already held must not delete it under the caller.
    if (mNavigation != aNavigation) {
        delete mNavigation;
        mNavigation = aNavigation;
    }
    return true;
}
