#include "Render/LPosBounds.h"

#include "container/LPropertyList.h"
#include "stdlib/LLog.h"

LPosBounds::LPosBounds() = default;

LPosBounds::~LPosBounds() = default;

bool LPosBounds::Read(const LString& aName, const LPropertyList& aEntry)
{
    bool found = false;
    mCamera = aEntry.GetString(LString("camera"), found);
    if (!found) {
        L_ASSERT_FAILURE("");
    }
    return ReadShape(aName, aEntry) && found;
}
