// Where a walker is, where it is asked to go, and the next point it heads for. Routing
// works in the ground plane: the x and y of these vectors are the scene's world x and z,
// and every 2-D result written back is stored as (x, y, 0).
//
// The navigation owns the path finding it was given last in the sense that replacing it
// deletes the old one; its own destructor deletes neither the path finding nor the
// listener.
#pragma once
#include "LVector3.h"

#include <cstdint>

class LINavigationListener;
class LIPathFinding;

class LINavigation
{
public:
    LINavigation();
    LINavigation(const LINavigation&) = delete;
    LINavigation& operator=(const LINavigation&) = delete;
    virtual ~LINavigation();

    virtual LIPathFinding* GetPathFinding();
    // Clears the listener when it is aListener; false (nothing changed) otherwise.
    virtual bool RemoveListener(LINavigationListener* aListener);
    virtual bool SetEnabled(bool aEnabled);
    // Replaces the listener; the previous one is forgotten, not told.
    virtual bool SetListener(LINavigationListener* aListener);
    // Deletes the path finding held so far (not when it is aPathFinding itself).
    virtual bool SetPathFinding(LIPathFinding* aPathFinding);
    virtual bool SetPosition(const LVector3& aPosition);
    virtual bool SetTarget(const LVector3& aTarget);
    virtual bool Navigate() = 0;

    // The steering reads and moves these every frame.
    LVector3* GetPosition() { return &mPosition; }
    LVector3* GetTarget() { return &mTarget; }
    LVector3* GetNextPoint() { return &mNextPoint; }
    LINavigationListener* GetListener() const { return mListener; }
    bool IsEnabled() const { return mEnabled != 0; }

protected:
    LVector3 mPosition;
    LVector3 mTarget;
    LVector3 mNextPoint;
    LIPathFinding* mPathFinding = nullptr;
    uint8_t mEnabled = 0;
    LINavigationListener* mListener = nullptr;
};
