#include "Render/LWebPath.h"

namespace {
// A web holds N x N records, most of them short or empty: start without room.
constexpr int kWayPointCapacity = 0;
constexpr int kWayPointIncrement = 8;
} // namespace

LWebPath::LWebPath()
    : mWayPoints(kWayPointCapacity, kWayPointIncrement)
{
}

void LWebPath::Clear()
{
    mLength = kNoPath;
    mWayPoints.RemoveAll();
}
