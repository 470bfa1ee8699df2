// Which way a walker faces and how it is moved along the points its navigation gives.
// The direction lies in the navigation's ground plane (z always 0).
//
// The steering owns the navigation it was given last in the sense that replacing it
// deletes the old one; its own destructor does not delete it.
#pragma once
#include "LVector3.h"

#include <cstdint>

class LINavigation;

class LISteering
{
public:
    LISteering();
    LISteering(const LISteering&) = delete;
    LISteering& operator=(const LISteering&) = delete;
    virtual ~LISteering();

    virtual LVector3* GetDirection();
    // The navigation's position; false (aOut untouched) without a navigation.
    virtual bool GetPosition(LVector3& aOut);
    // Keeps the x and y of aDirection as a unit vector; a (near) zero one gives (0, 1, 0).
    virtual bool SetDirection(const LVector3& aDirection);
    virtual bool SetEnabled(bool aEnabled);
    // Deletes the navigation held so far (not when it is aNavigation itself).
    virtual bool SetNavigation(LINavigation* aNavigation);
    // A steering step outside the frame callback; the walkers so far give it no body.
    virtual bool Steer() = 0;

    LINavigation* GetNavigation() const { return mNavigation; }
    float GetMoveSpeed() const { return mMoveSpeed; }
    bool IsEnabled() const { return mEnabled != 0; }

protected:
    LINavigation* mNavigation = nullptr;
    // World units per second.
    float mMoveSpeed = 0.0f;
    LVector3 mDirection;
    uint8_t mEnabled = 0;
};
