#include "Render/LBounds.h"

#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "stdlib/LLog.h"

LBounds::LBounds()
{
    mArea.SetClosed(true);
}

LBounds::~LBounds() = default;

bool LBounds::ReadShape(const LString& aName, const LPropertyList& aEntry)
{
    mName = aName;
    bool found = false;
    bool complete = true;
    mGround = aEntry.GetString(LString("ground"), found);
    if (!found) {
        L_ASSERT_FAILURE("");
        complete = false;
    }
    const LVectorFloat coords = aEntry.GetVectorFloat(LString("coords"), found);
    if (!found) {
        L_ASSERT_FAILURE("");
        return false;
    }
    mArea.SetPoints(coords, true);
    mWinding = mArea.IsPositiveWinding() ? 1 : 0;
    return complete;
}

int LBounds::GetWinding()
{
    if (mWinding == kWindingUnknown) {
        mWinding = mArea.IsPositiveWinding() ? 1 : 0;
    }
    return mWinding;
}
