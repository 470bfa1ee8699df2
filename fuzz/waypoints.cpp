// Reads the input as a way-point list, builds the web and asks it for every path while all
// way-points are active and again after every other one was switched off. Each path must
// start and end at the asked way-points, step along links between active way-points and
// have the summed length of those links.
#include "LVector2.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LWayPoint.h"
#include "container/LPropertyList.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Enough for every pair to be asked within the fuzzer's time.
constexpr int kMaxAskedWayPoints = 48;

float LinkLength(const LWayPoint& aFrom, int aTo)
{
    for (int k = 0; k < aFrom.mLinkCount; ++k) {
        if (aFrom.mLinks[k] == aTo) {
            return aFrom.mLinkLengths[k];
        }
    }
    std::abort(); // a step without a link
}

void Check(LPathFindingWeb& aWeb, int aFrom, int aTo)
{
    const LWebPath path = aWeb.GetShortestPath(aFrom, aTo);
    const int count = path.mWayPoints.GetCount();
    if (!path.Exists()) {
        if (count != 0) {
            std::abort();
        }
        return;
    }
    if (count < 1 || path.mWayPoints[0] != aFrom || path.mWayPoints[count - 1] != aTo) {
        std::abort();
    }
    float length = 0.0f;
    for (int i = 0; i < count; ++i) {
        const LWayPoint* wayPoint = aWeb.GetWayPoint(path.mWayPoints[i]);
        if (!wayPoint || !wayPoint->mActive) {
            std::abort();
        }
        if (i > 0) {
            length += LinkLength(*aWeb.GetWayPoint(path.mWayPoints[i - 1]), path.mWayPoints[i]);
        }
    }
    if (length != path.mLength && !(std::isnan(length) && std::isnan(path.mLength))) {
        std::abort();
    }
}

void CheckAll(LPathFindingWeb& aWeb, int aCount)
{
    for (int from = -1; from <= aCount; ++from) {
        for (int to = -1; to <= aCount; ++to) {
            Check(aWeb, from, to);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 13)) {
        return 0;
    }
    LPropertyList list;
    list.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    LPathFindingWeb web;
    web.Create(&list);
    const int count = web.GetWayPointCount();
    web.FindNearestWayPoint(LVector2(1.0f, 2.0f));
    for (int i = 0; i < list.GetCount(); ++i) {
        web.GetWayPoint(list.GetKeyAt(i));
    }
    if (count > kMaxAskedWayPoints) {
        web.GetShortestPath(0, count - 1);
        return 0;
    }
    CheckAll(web, count);
    for (int i = 0; i < count; i += 2) {
        web.GetWayPoint(i)->mActive = 0;
    }
    web.ResetPaths();
    CheckAll(web, count);
    return 0;
}
