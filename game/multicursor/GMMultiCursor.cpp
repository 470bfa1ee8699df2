#include "multicursor/GMMultiCursor.h"

#include "multicursor/GMIMultiCursorListener.h"
#include "stdlib/LLog.h"

namespace {

bool IsAction(int aAction)
{
    return aAction >= GMIMultiCursorListener::ACTION_USE && aAction <= GMIMultiCursorListener::ACTION_LOOK;
}

} // namespace

int GMMultiCursor::SetListener(GMIMultiCursorListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("SetListener failure. NULL arg.");
        return 0;
    }
    mListener = aListener;
    return 1;
}

int GMMultiCursor::RemoveListener(GMIMultiCursorListener* aListener)
{
    if (aListener == nullptr || mListener != aListener) {
        return 0;
    }
    mListener = nullptr;
    return 1;
}

int GMMultiCursor::SetActionEnabled(int aAction, bool aEnabled)
{
    if (IsAction(aAction)) {
        mEnabled[aAction] = aEnabled;
    }
    return 1;
}

bool GMMultiCursor::IsActionEnabled(int aAction) const
{
    return IsAction(aAction) && mEnabled[aAction];
}

void GMMultiCursor::ShowAt(const LVector2& aPosition)
{
    if (mShown) {
        return;
    }
    mPosition = LVector2(aPosition.x, aPosition.y > MAX_Y ? MAX_Y : aPosition.y);
    mShown = true;
    L_NOTE("ShowAt: the action menu cannot be shown yet; no action will be chosen.");
}

void GMMultiCursor::Hide(bool)
{
    mShown = false;
}

template class GMStandIn<GMMultiCursor>;
