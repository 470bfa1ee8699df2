// A close-up shown over the current scene: a nearer picture of part of a viewpoint with
// hotspots of its own. Close-ups are not built yet and never open; what the PDA asks of
// an open one is here, so that it needs no change when they come.
#pragma once
#include "object/LBase.h"

class GMCloseUp : public LBase
{
public:
    GMCloseUp();
    ~GMCloseUp() override;

    LString Dump() const override;

    // Input of every hotspot of the close-up on or off.
    void SetHotspotsEnabled(bool aEnabled) { mHotspotsEnabled = aEnabled; }
    bool GetHotspotsEnabled() const { return mHotspotsEnabled; }
    // Takes the open close-up off the screen (the map's moves leave it first). Noted only.
    void Unload() { ++mUnloadCount; }
    int GetUnloadCount() const { return mUnloadCount; }

private:
    bool mHotspotsEnabled = true;
    int mUnloadCount = 0;
};
