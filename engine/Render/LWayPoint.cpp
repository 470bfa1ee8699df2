#include "Render/LWayPoint.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LWayPoint::LWayPoint() = default;

LWayPoint::~LWayPoint()
{
    FreeLinks();
}

bool LWayPoint::SetLinkCount(int aCount)
{
    FreeLinks();
    if (aCount < 0) {
        L_ERROR("SetLinkCount failure. Invalid count.");
        return false;
    }
    if (aCount == 0) {
        return true;
    }
    mLinks = L_NEW int[aCount];
    mLinkLengths = L_NEW float[aCount];
    mLinkFlags = L_NEW uint8_t[aCount];
    if (!mLinks || !mLinkLengths || !mLinkFlags) {
        L_ERROR("SetLinkCount failure. Allocation failure.");
        FreeLinks();
        return false;
    }
    for (int i = 0; i < aCount; ++i) {
        mLinks[i] = -1;
        mLinkLengths[i] = 0.0f;
        mLinkFlags[i] = 0;
    }
    mLinkCount = aCount;
    return true;
}

void LWayPoint::FreeLinks()
{
    delete[] mLinks;
    delete[] mLinkLengths;
    delete[] mLinkFlags;
    mLinks = nullptr;
    mLinkLengths = nullptr;
    mLinkFlags = nullptr;
    mLinkCount = 0;
}
