#include "LQuadTreeLoose.h"

int LQuadTreeLoose::Classify(int aOrientation, float aValue, const LBox2& aBox)
{
    if (aOrientation != 0 && aOrientation != 1) {
        L_ASSERT_FAILURE("Invalid orientation.");
        return 2;
    }
    const float low = aOrientation == 0 ? aBox.min.x : aBox.min.y;
    const float high = aOrientation == 0 ? aBox.max.x : aBox.max.y;
    if (aValue <= low) {
        return -1;
    }
    if (aValue >= high) {
        return 1;
    }
    return 0;
}
