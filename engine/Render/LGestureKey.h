// One key of a gesture file: at its start time one character starts one animation, whose
// position then follows the key's curve.
#pragma once
#include "LVector2.h"
#include "container/LString.h"

class LAnimation;
class LVectorFloat;

class LGestureKey
{
public:
    LGestureKey() = default;
    LGestureKey(const LGestureKey&) = delete;
    LGestureKey& operator=(const LGestureKey&) = delete;
    ~LGestureKey();

    // The animation path of a type: a symbolic path ("//...") as it stands; otherwise a
    // type beginning with "/" first loses its folder ("/AB_M/"), then the path is
    // "/" + its first two characters + "_" + the gender letter ("F" female, else "M") +
    // "/" + the type.
    static LString MakePath(const LString& aType, bool aFemale);
    // Index of the gender letter in a path made by MakePath.
    static constexpr int kGenderIndex = 4;
    // Sets the gender letter of the path; false (path unchanged) when the path is
    // symbolic, too short, or has the letter already.
    bool SetGender(bool aFemale);

    // Control points from x0, y0, x1, y1, ... (an odd last number is dropped).
    void SetPoints(const LVectorFloat& aNumbers);
    // The default curve for an animation of aLength seconds: the animation runs forward
    // over its length, holds half a second and eases back to its start within one more.
    void SetDefaultCurve(float aLength);
    const LVector2* GetPoints() const { return mPoints; }
    int GetPointCount() const { return mPointCount; }

    float mTime = 0.0f;
    LString mPath;
    // Not owned: the gesture animation manager keeps it.
    LAnimation* mAnimation = nullptr;
    float mLength = 0.0f;
    LString mCharacter;

private:
    void SetPoints(const LVector2* aPoints, int aCount);

    LVector2* mPoints = nullptr;
    int mPointCount = 0;
};
