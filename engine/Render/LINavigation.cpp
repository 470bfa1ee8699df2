#include "Render/LINavigation.h"

#include "Render/LIPathFinding.h"
#include "stdlib/LLog.h"

LINavigation::LINavigation() = default;

LINavigation::~LINavigation() = default;

LIPathFinding* LINavigation::GetPathFinding()
{
    return mPathFinding;
}

bool LINavigation::RemoveListener(LINavigationListener* aListener)
{
    if (mListener == nullptr || mListener != aListener) {
        return false;
    }
    mListener = nullptr;
    return true;
}

bool LINavigation::SetEnabled(bool aEnabled)
{
    mEnabled = aEnabled ? 1 : 0;
    return true;
}

bool LINavigation::SetListener(LINavigationListener* aListener)
{
    if (aListener == nullptr) {
        L_ASSERT_FAILURE("SetListener failure. NULL arg.");
        return false;
    }
    mListener = aListener;
    return true;
}

bool LINavigation::SetPathFinding(LIPathFinding* aPathFinding)
{
    if (aPathFinding == nullptr) {
        L_ASSERT_FAILURE("SetPathFinding failure. NULL arg.");
        return false;
    }
    // Handing over the object already held must not delete it under the caller.
    if (mPathFinding != aPathFinding) {
        delete mPathFinding;
        mPathFinding = aPathFinding;
    }
    return true;
}

bool LINavigation::SetPosition(const LVector3& aPosition)
{
    mPosition = aPosition;
    return true;
}

bool LINavigation::SetTarget(const LVector3& aTarget)
{
    mTarget = aTarget;
    return true;
}
