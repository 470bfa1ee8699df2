#include "Render/LGestureKey.h"

#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"

LGestureKey::~LGestureKey()
{
    delete[] mPoints;
}

LString LGestureKey::MakePath(const LString& aType, bool aFemale)
{
    if (aType.GetLength() >= 2 && aType.At(0) == u'/' && aType.At(1) == u'/') {
        return aType;
    }
    LString type(aType);
    if (type.GetLength() > 0 && type.At(0) == u'/') {
        type = type.Mid(6, type.GetLength() - 6, 0);
    }
    LString path("/");
    path += type.Mid(0, type.GetLength() < 2 ? type.GetLength() : 2, 0);
    path += aFemale ? "_F/" : "_M/";
    path += type;
    return path;
}

bool LGestureKey::SetGender(bool aFemale)
{
    const char16_t letter = aFemale ? u'F' : u'M';
    if (mPath.GetLength() <= kGenderIndex || (mPath.At(0) == u'/' && mPath.At(1) == u'/') ||
        mPath.At(kGenderIndex) == letter) {
        return false;
    }
    const char16_t with[2] = {letter, 0};
    LString path = mPath.Mid(0, kGenderIndex, 0);
    path += with;
    path += mPath.Mid(kGenderIndex + 1, mPath.GetLength() - kGenderIndex - 1, 0);
    mPath = path;
    return true;
}

void LGestureKey::SetPoints(const LVectorFloat& aNumbers)
{
    const int count = aNumbers.GetCount() / 2;
    LVector2* points = count > 0 ? L_NEW LVector2[count] : nullptr;
    if (count > 0 && points == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        points[i] = LVector2(aNumbers[i * 2], aNumbers[i * 2 + 1]);
    }
    SetPoints(points, count);
    delete[] points;
}

void LGestureKey::SetDefaultCurve(float aLength)
{
    const LVector2 points[7] = {{0.0f, 0.0f},           {0.0f, 0.0f},           {aLength, 1.0f},
                                {aLength, 1.0f},        {aLength + 0.5f, 1.0f}, {aLength + 0.5f, 0.0f},
                                {aLength + 1.0f, 0.0f}};
    SetPoints(points, 7);
}

void LGestureKey::SetPoints(const LVector2* aPoints, int aCount)
{
    delete[] mPoints;
    mPoints = nullptr;
    mPointCount = 0;
    if (aCount <= 0) {
        return;
    }
    mPoints = L_NEW LVector2[aCount];
    if (mPoints == nullptr) {
        return;
    }
    for (int i = 0; i < aCount; ++i) {
        mPoints[i] = aPoints[i];
    }
    mPointCount = aCount;
}
