// Turns a click on the scene into a walk: a ray from the camera through the clicked
// pixel, its nearest hit on the listener's picking tree (the player navigation's), and the
// player sent there by the listener, walking or running.
#pragma once
#include "object/LWatch.h"
#include "ui/GMIPickerListener.h"

class LCamera;
class LPickRay;
class LVector3;

class GMPicker
{
public:
    // Hits farther along the ray than this are misses.
    static constexpr float kMaxDistance = 10000.0f;

    // A null camera is logged ("GMPicker: NULL arg.") and the picker is made all the same;
    // its picks fail, as they do without a listener or once the listener has ended.
    GMPicker(LCamera* aCamera, GMIPickerListener* aListener);
    GMPicker(const GMPicker&) = delete;
    GMPicker& operator=(const GMPicker&) = delete;
    ~GMPicker();

    // Sends the player to the ground under screen pixel (aX, aY): run for a double click,
    // else walk; the navigation's walk result. A miss (no ground, no picking tree, no
    // camera) logs "Pick failure." twice and returns false.
    bool Pick(int aX, int aY, bool aRun);

    LPickRay* GetRay() const { return mRay; }
    LCamera* GetCamera() const { return mCamera; }
    // The ground point of the last hit of any picker ((0, 0, 0) before the first).
    static const LVector3& GetLastHit();

private:
    LPickRay* mRay = nullptr;
    LCamera* mCamera = nullptr;
    LWatch<GMIPickerListener> mListener;
};
