#include "LRectangle.h"

#include "LMatrix4.h"
#include "LPolygon.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <algorithm>

LRectangle::LRectangle(const LPolygon& aPolygon)
{
    const int count = aPolygon.GetNumPoints();
    const LVector2* points = aPolygon.GetPoints();
    if (count <= 0 || !points) {
        return;
    }
    LVector2 low = points[0];
    LVector2 high = points[0];
    for (int i = 1; i < count; ++i) {
        low.x = std::min(low.x, points[i].x);
        low.y = std::min(low.y, points[i].y);
        high.x = std::max(high.x, points[i].x);
        high.y = std::max(high.y, points[i].y);
    }
    Set(low.x, low.y, high.x - low.x, high.y - low.y);
}

LRectangle::~LRectangle() = default;

void LRectangle::Set(float aX, float aY, float aWidth, float aHeight)
{
    mX = aX;
    mY = aY;
    mWidth = aWidth;
    mHeight = aHeight;
}

LString LRectangle::Dump() const
{
    return DumpHead("LRectangle") + "]";
}

LIArea* LRectangle::Clone() const
{
    return L_NEW LRectangle(*this);
}

bool LRectangle::ContainsPoint(const LVector2& aPoint) const
{
    return aPoint.x >= mX && aPoint.x <= mX + mWidth && aPoint.y >= mY && aPoint.y <= mY + mHeight;
}

void LRectangle::Transform(const LMatrix4& aMatrix)
{
    const LVector3 position(mX, mY, 0.0f);
    LVector3 moved;
    LMatrix4::TransformCoord(&moved, &aMatrix, &position);
    mX = moved.x;
    mY = moved.y;
}

void LRectangle::Translate(const LVector2& aOffset)
{
    mX += aOffset.x;
    mY += aOffset.y;
}

LRectangle& LRectangle::operator+=(const LVector2& aOffset)
{
    Translate(aOffset);
    return *this;
}

LRectangle LRectangle::operator+(const LVector2& aOffset) const
{
    LRectangle moved(*this);
    moved.Translate(aOffset);
    return moved;
}

void LRectangle::GetUnion(const LRectangle& aOther, LRectangle& aOut) const
{
    const float left = std::min({mX, mX + mWidth, aOther.mX, aOther.mX + aOther.mWidth});
    const float right = std::max({mX, mX + mWidth, aOther.mX, aOther.mX + aOther.mWidth});
    const float top = std::min({mY, mY + mHeight, aOther.mY, aOther.mY + aOther.mHeight});
    const float bottom = std::max({mY, mY + mHeight, aOther.mY, aOther.mY + aOther.mHeight});
    aOut.Set(left, top, right - left, bottom - top);
}

void LRectangle::Union(const LRectangle& aOther)
{
    GetUnion(aOther, *this);
}

bool LRectangle::ContainsRect(const LRectangle& aOther) const
{
    L_ERROR("ContainsRect not yet implemented.");
    return false;
}

LRectangle LRectangle::GetIntersection(const LRectangle& aOther) const
{
    Log(u"GetIntersection not yet implemented.");
    return LRectangle();
}
