// The player's navigation through the current scene. For each viewpoint it builds the
// engine's walking objects from the scene folder (the way-point web of "waypoints.txt",
// the walkable areas of "navigation.txt"), a ground tree for the height under the player
// and a picking tree over the depth mesh; it keeps the player on the ground, starts walks
// and runs, splits a walk over a staircase into three legs and tells one listener when
// the player has arrived.
//
// A game singleton; while it exists it is a frame listener at kFramePriority, after the
// routing (-100) and the steering (-95).
//
// The staircase: a path over a way-point of class 1 (top of stairs) linked to a way-point
// of class 2 on the same path, or of class 2 linked to class 1, is walked in three legs:
// to the first stair way-point, over the stairs with move index 4 (from the top) or 3
// (from the bottom) while the scene's input is off, then on to the target walking.
#pragma once
#include "LVector2.h"
#include "Render/LINavigationListener.h"
#include "container/LString.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"
#include "ui/GMIPickerListener.h"

#include <cstdint>

class GMCharacter;
class GMINavigationListener;
class GMScene;
class LDrawElement;
class LMeshOctree;
class LMeshQuadTree;
class LNavigationTDO;
class LNavigationTDODisplay;
class LPathFindingWeb;
class LPosBounds;
class LPropertyList;
class LSteeringTDO;
class LWebPath;

class GMNavigation : public LBase, public LINavigationListener, public LIFrameListener, public GMIPickerListener
{
public:
    static constexpr float kFramePriority = 0.0f;
    static constexpr int kGroundTreeLevels = 8;
    static constexpr int kSceneTreeLevels = 5;
    // Arrival watch distances: navigate hotspots (doors) and staircase legs.
    static constexpr float kDoorWatchDistance = 40.0f;
    static constexpr float kStairWatchDistance = 30.0f;
    // Steering move indices.
    static constexpr int kMoveWalk = 1;
    static constexpr int kMoveRun = 2;
    static constexpr int kMoveStairsUp = 3;
    static constexpr int kMoveStairsDown = 4;

    // The navigation, created on first use and registered with the game cleaner; null
    // when it cannot be made ("GMNavigation creation failure.").
    static GMNavigation* GetInstance();

    GMNavigation();
    GMNavigation(const GMNavigation&) = delete;
    GMNavigation& operator=(const GMNavigation&) = delete;
    ~GMNavigation() override;

    LString Dump() const override;

    // Builds everything for the scene's folder, depth mesh and current viewpoint (see
    // SetSceneData) and keeps the scene for input and the player's turns. False, logged,
    // for a null scene.
    bool SetScene(GMScene* aScene);
    // The same from the pieces of a scene: aFolder ends with "/"; aSceneData is the
    // scene's "scene.txt" list, read for the viewpoint's "camera.id" and
    // "startwaypoint". False when "waypoints.txt" or "navigation.txt" does not load, when
    // there is no depth mesh, and when a step of the set-up fails (logged; the steps after
    // it still run).
    bool SetSceneData(const LString& aFolder, LDrawElement* aDepthMesh, const LPropertyList* aSceneData,
                      const LString& aViewpoint);
    // Forgets the scene, stops watching and deletes the web, navigation, steering and
    // trees.
    void Reset();

    // Sends the player to aPoint (world x, z) with steering move aMove; aCheckStairs
    // makes the next frame look for a staircase on the path. The AND of setting the
    // target, enabling the navigation and starting the steering. With aTurnFirst a
    // standing player turns into the walk first when the angle calls for it (true): the
    // turn starts the walk itself.
    bool WalkTo(const LVector2& aPoint, bool aTurnFirst, int aMove, bool aCheckStairs);
    // Whether the navigation's position lies in a walkable area of the viewpoint's camera.
    bool IsInViewpoint(const LString& aViewpoint);
    // The shortest way-point path from the way-point nearest the player to any way-point
    // in the viewpoint's walkable areas (aPath cleared when there is none).
    bool FindPathToViewpoint(const LString& aViewpoint, LWebPath& aPath);

    // Null is refused ("SetListener failure. NULL arg.").
    bool SetListener(GMINavigationListener* aListener);
    // Clears the listener only when it is aListener.
    bool RemoveListener(GMINavigationListener* aListener);
    // With a listener: it hears its event once the player is closer than aDistance to the
    // walk target. Without one nothing happens.
    void WatchArrival(float aDistance);

    // Puts the player on the ground under the navigation's position (height 0 where there
    // is no ground).
    void UpdatePlayer(GMCharacter* aPlayer);

    // The arrival step: the engine navigation has stopped.
    void OnNavigationStopped() override;
    // The arrival watch, the staircase check and the staircase's first leg.
    void OnFrame() override;
    // The scene's picker: its ray meets the scene tree, the overlay marks the point, and a
    // hit walks the player there (turning first, staircases checked), or runs for aRun.
    LMeshOctree* GetPickTree() const override { return mSceneTree; }
    LNavigationTDODisplay* GetPickDisplay() const override { return mDisplay; }
    bool OnGroundPicked(const LVector2& aGround, bool aRun) override;

    GMScene* GetScene() const { return mScene; }
    LPathFindingWeb* GetPathFindingWeb() const { return mWeb; }
    LNavigationTDO* GetNavigation() const { return mNavigation; }
    LSteeringTDO* GetSteering() const { return mSteering; }
    // The debug overlay made for the current scene (inactive), or null.
    LNavigationTDODisplay* GetDisplay() const { return mDisplay; }
    LMeshQuadTree* GetGroundTree() const { return mGroundTree; }
    LMeshOctree* GetSceneTree() const { return mSceneTree; }
    GMINavigationListener* GetListener() const { return mListener; }
    bool IsWatching() const { return mWatching != 0; }
    float GetWatchDistance() const { return mWatchDistance; }
    const LVector2& GetWalkTarget() const { return mWalkTarget; }
    bool IsStairCheckRequested() const { return mStairCheck != 0; }
    bool IsStairWalkPending() const { return mStairPending != 0; }
    const LVector2& GetStairStart() const { return mStairStart; }
    const LVector2& GetStairEnd() const { return mStairEnd; }
    const LVector2& GetFinalTarget() const { return mFinalTarget; }
    int GetStairStage() const { return mStairStage; }
    int GetStairMove() const { return mStairMove; }

private:
    void FreeWalkers();
    void FreeTrees();
    bool BuildGroundTree(LDrawElement* aDepthMesh, const LString& aCamera);
    bool BuildSceneTree(LDrawElement* aDepthMesh);
    // A new array (delete[]) of the walkable areas of the viewpoint's camera.
    bool GetViewpointAreas(const LString& aViewpoint, int& aCount, LPosBounds**& aAreas) const;
    bool PlaceAtStartWayPoint(const LPropertyList* aSceneData, const LString& aViewpoint);
    void FindStaircase();
    void StartStairLeg();
    void SetSceneInput(bool aEnabled);
    // The character the steering walks (the player), or null.
    GMCharacter* Player() const;
    void SendEvent();

    GMScene* mScene = nullptr;
    LPathFindingWeb* mWeb = nullptr;
    LNavigationTDO* mNavigation = nullptr;
    LSteeringTDO* mSteering = nullptr;
    // Owned; the display tree may delete it first, which clears this pointer.
    LNavigationTDODisplay* mDisplay = nullptr;
    LMeshQuadTree* mGroundTree = nullptr;
    LMeshOctree* mSceneTree = nullptr;
    // The scene list of the last set-up (not owned; forgotten by Reset), read again by
    // the viewpoint queries.
    const LPropertyList* mSceneData = nullptr;
    GMINavigationListener* mListener = nullptr;
    uint8_t mWatching = 0;
    float mWatchDistance = 0.0f;
    LVector2 mWalkTarget;
    uint8_t mStairCheck = 0;
    uint8_t mStairPending = 0;
    LVector2 mStairStart;
    LVector2 mStairEnd;
    LVector2 mFinalTarget;
    int mStairStage = 0;
    int mStairMove = kMoveStairsUp;
    // Set while the steering is stopped for a staircase's walking turn.
    uint8_t mHalting = 0;
};
