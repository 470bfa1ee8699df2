// The owner of the one current location. Locations cannot be loaded yet: the game never
// has a current scene (tests hand one in), the per-frame work has nothing to do, and a
// load is refused with a note.
#pragma once
#include "util/GMStandIn.h"

class GMScene;
class LString;

class GMSceneManager : public GMStandIn<GMSceneManager>
{
public:
    static constexpr const char* kClassName = "GMSceneManager";

    GMScene* GetScene() const { return mScene; }
    // Makes aScene (not owned, may be null) the current scene.
    void SetScene(GMScene* aScene) { mScene = aScene; }
    // The current scene's per-frame work and its 3-D drawing; 1 without a scene.
    int Update();
    int Render();
    // Loads the location aId and makes it the top screen; 0 (noted): no location loads.
    int LoadScene(const LString& aId, bool aImmediate, bool aSkipPlacard);

private:
    GMScene* mScene = nullptr;
};
