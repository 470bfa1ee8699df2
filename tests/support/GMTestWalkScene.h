// A small walkable location for the player navigation and picker tests, written into the
// game's roots under "//scenes/walk/": a floor (x 0..300, z 0..100, height 0) seen by
// cam01, a ramp (x 400..500, rising from 0 to 50) seen by cam02, and a way-point web
// with a staircase: U (50, 50) - T (100, 50, top of stairs) - B (200, 50, bottom) - L
// (250, 50), and S (450, 50) on the ramp, linked both ways with L (links run
// both ways along the staircase too). Viewpoints: vp01 (cam01, start U),
// vp02 (cam02, start S), vp03 (cam03: the floor then a missing ground; its start way-point
// only under the player's list), vp04 (cam04: a missing ground first), vp05 (no camera).
#pragma once
#include <string>

class GMTestRoots;
class LDrawElement;
class LPropertyList;

class GMTestWalkScene
{
public:
    static constexpr const char* kFolder = "//scenes/walk/";

    // Writes "waypoints.txt" and "navigation.txt" (either left out when asked).
    static void Write(const GMTestRoots& aRoots, bool aWayPoints = true, bool aNavigation = true);
    // The depth mesh: frames "floor" and "stairs" with their meshes.
    static LDrawElement* DepthMesh();
    // The scene list ("scene.txt") of the viewpoints above.
    static LPropertyList* SceneData();
    static std::string SceneText();
};
