#include "scene/GMNavigation.h"

#include "LBox3.h"
#include "LVector3.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LMesh.h"
#include "Render/LMeshOctree.h"
#include "Render/LMeshQuadTree.h"
#include "Render/LNavigationTDO.h"
#include "Render/LNavigationTDODisplay.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LPosBounds.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWayPoint.h"
#include "Render/LWebPath.h"
#include "TNavDataParser.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "scene/GMCharacter.h"
#include "scene/GMINavigationListener.h"
#include "scene/GMScene.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"

namespace {

GMSingleton<GMNavigation> sNavigation;

LVector2 Flat(const LVector3& aPoint)
{
    return LVector2(aPoint.x, aPoint.y);
}

// "viewpoints." + viewpoint + "." + aKey of the scene list; aFound false (logged as
// "'" + aKey + "' not found.") when missing.
LString ViewpointValue(const LPropertyList* aSceneData, const LString& aViewpoint, const char* aKey, bool aLog,
                       bool& aFound)
{
    aFound = false;
    LString value;
    if (aSceneData != nullptr) {
        value = aSceneData->GetString(LString("viewpoints.") + aViewpoint + "." + aKey, aFound);
    }
    if (!aFound && aLog) {
        L_ASSERT_FAILURE(LString("'") + aKey + "' not found.");
    }
    return value;
}

// Whether aPath goes through the way-point aIndex.
bool PathHolds(const LWebPath& aPath, int aIndex)
{
    for (int i = 0; i < aPath.mWayPoints.GetCount(); ++i) {
        if (aPath.mWayPoints[i] == aIndex) {
            return true;
        }
    }
    return false;
}

} // namespace

GMNavigation* GMNavigation::GetInstance()
{
    const bool made = !sNavigation.Peek();
    GMNavigation* navigation = sNavigation.Get(L_FILE, __LINE__, "GMNavigation creation failure.");
    if (navigation != nullptr && made) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->AddListener(navigation, kFramePriority);
        }
    }
    return navigation;
}

GMNavigation::GMNavigation() = default;

GMNavigation::~GMNavigation()
{
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
    FreeWalkers();
    FreeTrees();
    sNavigation.Destroyed(this);
}

LString GMNavigation::Dump() const
{
    return DumpHead("GMNavigation") + " stairs=" + static_cast<int>(mStairPending) + "]";
}

void GMNavigation::FreeWalkers()
{
    // The display reads the navigation and the steering, so it goes first. The steering
    // and the navigation leave the frame manager; neither deletes what it was given.
    delete mDisplay;
    mDisplay = nullptr;
    delete mSteering;
    mSteering = nullptr;
    delete mNavigation;
    mNavigation = nullptr;
    delete mWeb;
    mWeb = nullptr;
}

void GMNavigation::FreeTrees()
{
    delete mGroundTree;
    mGroundTree = nullptr;
    delete mSceneTree;
    mSceneTree = nullptr;
}

void GMNavigation::Reset()
{
    mScene = nullptr;
    mSceneData = nullptr;
    mWatching = 0;
    mStairCheck = 0;
    mStairPending = 0;
    FreeWalkers();
    FreeTrees();
}

bool GMNavigation::SetScene(GMScene* aScene)
{
    if (aScene == nullptr) {
        L_ERROR("SetScene failure. NULL arg.");
        return false;
    }
    mScene = aScene;
    return SetSceneData(aScene->GetFolder(), aScene->GetDepthMesh(), aScene->GetSceneData(), aScene->GetViewpoint());
}

bool GMNavigation::SetSceneData(const LString& aFolder, LDrawElement* aDepthMesh, const LPropertyList* aSceneData,
                                const LString& aViewpoint)
{
    mSceneData = aSceneData;
    bool result = true;
    // Missing lists are failures, but the walking objects are still made (empty), so
    // that the player always has a steering.
    LPropertyList wayPoints;
    const LString wayPointPath = aFolder + "waypoints.txt";
    if (!wayPoints.Load(wayPointPath, true)) {
        L_ERROR(LString("SetScene failure. Could not load ") + wayPointPath);
        result = false;
    }
    LPropertyList* areas = nullptr;
    const LString areaPath = aFolder + "navigation.txt";
    if (!ParseNavigation(areaPath, &areas) || areas == nullptr) {
        L_ERROR(LString("SetScene failure. Could not load ") + areaPath);
        delete areas;
        areas = nullptr;
        result = false;
    }
    if (aDepthMesh == nullptr) {
        L_ERROR("SetScene failure. No depth mesh found.");
        delete areas;
        return false;
    }

    FreeWalkers();
    mWeb = L_NEW LPathFindingWeb();
    mNavigation = L_NEW LNavigationTDO();
    mSteering = L_NEW LSteeringTDO();
    if (mWeb == nullptr || mNavigation == nullptr || mSteering == nullptr) {
        L_ERROR("SetScene failure. Out of memory.");
        FreeWalkers();
        delete areas;
        return false;
    }
    if (!mWeb->Create(&wayPoints)) {
        L_ASSERT_FAILURE("SetScene failure. Way-points not created.");
        result = false;
    }
    bool found = false;
    const LString camera = ViewpointValue(aSceneData, aViewpoint, "camera.id", true, found);
    const bool navigationMade = mNavigation->Create(areas);
    delete areas;
    if (!navigationMade) {
        L_ASSERT_FAILURE("SetScene failure. Navigation not created.");
        result = false;
    }
    if (!mNavigation->SetSceneRoot(aDepthMesh)) {
        L_ASSERT_FAILURE("SetScene failure. Scene root not set.");
        result = false;
    }
    // The navigation holds the web from here on but never deletes it; FreeWalkers does.
    if (!mNavigation->SetPathFinding(mWeb)) {
        L_ASSERT_FAILURE("SetScene failure. Path finding not set.");
        result = false;
    }
    if (!mNavigation->SetCamera(camera)) {
        L_ASSERT_FAILURE(LString("SetScene failure. Camera not set:") + camera);
        result = false;
    }
    mNavigation->SetListener(this);
    mSteering->SetDefaults();
    mSteering->SetNavigation(mNavigation);
    // The display parks the navigation; the start way-point places it below.
    mDisplay = L_NEW LNavigationTDODisplay();
    if (mDisplay != nullptr) {
        mDisplay->BindOwner(&mDisplay);
        mDisplay->Create(mNavigation, mSteering);
        mDisplay->SetupGroundMeshes(mNavigation->GetGroundFrameCount(), mNavigation->GetGroundFrames());
    }

    result = BuildGroundTree(aDepthMesh, camera) && result;
    result = BuildSceneTree(aDepthMesh) && result;
    result = PlaceAtStartWayPoint(aSceneData, aViewpoint) && result;
    return result;
}

bool GMNavigation::BuildGroundTree(LDrawElement* aDepthMesh, const LString& aCamera)
{
    delete mGroundTree;
    mGroundTree = nullptr;
    LVectorString ids;
    if (!mNavigation->GetGroundIDsForCamera(aCamera, ids) || ids.GetCount() == 0) {
        L_ASSERT_FAILURE("No ground meshes found.");
        return false;
    }
    // The frames with a mesh, each once, in the camera's order.
    LFrame** frames = L_NEW LFrame*[ids.GetCount()];
    if (frames == nullptr) {
        L_ERROR("SetScene failure. Out of memory.");
        return false;
    }
    int count = 0;
    LBox3 box;
    box.SetEmpty();
    for (int i = 0; i < ids.GetCount(); ++i) {
        const LString id = ids[i];
        LFrame* frame = aDepthMesh->GetFrame(id, true);
        if (frame == nullptr || frame->GetMesh() == nullptr) {
            L_ASSERT_FAILURE("Ground mesh not found.");
            if (i == 0) {
                delete[] frames;
                return false;
            }
            continue;
        }
        bool repeated = false;
        for (int j = 0; j < count && !repeated; ++j) {
            repeated = frames[j] == frame;
        }
        if (repeated) {
            continue;
        }
        LBox3 meshBox;
        frame->GetMesh()->GetBoundingBox(&meshBox, true);
        box.Grow(meshBox);
        frames[count++] = frame;
    }
    mGroundTree = L_NEW LMeshQuadTree();
    bool result = mGroundTree != nullptr && !box.IsEmpty();
    if (result) {
        const LVector3 centre = box.GetCenter();
        result = mGroundTree->Setup(LVector2(centre.x, centre.z), box.GetMaxExtent(), kGroundTreeLevels) != 0;
    }
    for (int i = 0; i < count && result; ++i) {
        result = mGroundTree->AddMesh(frames[i]->GetName(), frames[i]->GetMesh(), frames[i]->GetWorldMatrix()) &&
                 result;
    }
    delete[] frames;
    if (!result) {
        L_ASSERT_FAILURE("SetScene failure. Ground tree not built.");
    }
    return result;
}

bool GMNavigation::BuildSceneTree(LDrawElement* aDepthMesh)
{
    delete mSceneTree;
    mSceneTree = nullptr;
    LBox3 box;
    box.SetEmpty();
    int meshes = 0;
    for (int i = 0; i < aDepthMesh->GetFrameCount(); ++i) {
        const LFrame* frame = aDepthMesh->GetFrameAt(i);
        if (frame != nullptr && frame->GetMesh() != nullptr) {
            LBox3 meshBox;
            frame->GetMesh()->GetBoundingBox(&meshBox, true);
            box.Grow(meshBox);
            ++meshes;
        }
    }
    if (meshes == 0 || box.IsEmpty()) {
        L_ASSERT_FAILURE("No meshes found in scene.");
        return false;
    }
    mSceneTree = L_NEW LMeshOctree();
    bool result = mSceneTree != nullptr &&
                  mSceneTree->Setup(box.GetCenter(), box.GetMaxExtent(), kSceneTreeLevels) != 0;
    for (int i = 0; i < aDepthMesh->GetFrameCount() && result; ++i) {
        const LFrame* frame = aDepthMesh->GetFrameAt(i);
        if (frame != nullptr && frame->GetMesh() != nullptr) {
            // A mesh without buffers has nothing to pick and is passed over.
            mSceneTree->AddMesh(frame->GetName(), frame->GetMesh(), frame->GetWorldMatrix());
        }
    }
    if (!result) {
        L_ASSERT_FAILURE("SetScene failure. Scene tree not built.");
    }
    return result;
}

bool GMNavigation::PlaceAtStartWayPoint(const LPropertyList* aSceneData, const LString& aViewpoint)
{
    bool found = false;
    LString name = ViewpointValue(aSceneData, aViewpoint, "startwaypoint", false, found);
    if (!found) {
        name = ViewpointValue(aSceneData, aViewpoint, "characters.player.vedrin.startwaypoint", false, found);
    }
    if (!found) {
        L_ASSERT_FAILURE("'startwaypoint' not found.");
        return false;
    }
    const LWayPoint* wayPoint = mWeb->GetWayPoint(name);
    if (wayPoint == nullptr) {
        L_ASSERT_FAILURE(LString("Way-point not found:") + name);
        return false;
    }
    return mNavigation->SetPosition(LVector3(wayPoint->mPoint.x, wayPoint->mPoint.y, 0.0f));
}

bool GMNavigation::WalkTo(const LVector2& aPoint, bool aTurnFirst, int aMove, bool aCheckStairs)
{
    mWalkTarget = aPoint;
    if (mNavigation == nullptr || mSteering == nullptr) {
        L_ERROR("WalkTo failure. No navigation.");
        return false;
    }
    // The player turns into the walk first; the turn itself walks on without turning.
    if (aTurnFirst && !mSteering->IsEnabled()) {
        GMCharacter* player = Player();
        if (player != nullptr && player->TurnWhileWalking(aPoint, aMove, aCheckStairs)) {
            return true;
        }
    }
    mStairCheck = aCheckStairs ? 1 : 0;
    bool result = mNavigation->SetTarget(LVector3(aPoint.x, aPoint.y, 0.0f));
    result = mNavigation->SetEnabled(true) && result;
    result = mSteering->SetMoving(true, aMove) && result;
    return result;
}

bool GMNavigation::GetViewpointAreas(const LString& aViewpoint, int& aCount, LPosBounds**& aAreas) const
{
    if (mNavigation == nullptr) {
        return false;
    }
    bool found = false;
    const LString camera = ViewpointValue(mSceneData, aViewpoint, "camera.id", true, found);
    return found && mNavigation->GetPosBoundsForCamera(camera, aCount, aAreas);
}

bool GMNavigation::IsInViewpoint(const LString& aViewpoint)
{
    int count = 0;
    LPosBounds** areas = nullptr;
    if (!GetViewpointAreas(aViewpoint, count, areas)) {
        return false;
    }
    const LVector2 position = Flat(*mNavigation->GetPosition());
    bool inside = false;
    for (int i = 0; i < count && !inside; ++i) {
        inside = areas[i]->mArea.ContainsPoint(position);
    }
    delete[] areas;
    return inside;
}

bool GMNavigation::FindPathToViewpoint(const LString& aViewpoint, LWebPath& aPath)
{
    aPath.Clear();
    int count = 0;
    LPosBounds** areas = nullptr;
    if (mWeb == nullptr || mSteering == nullptr || !GetViewpointAreas(aViewpoint, count, areas)) {
        return false;
    }
    LVector3 position;
    mSteering->GetPosition(position);
    const int start = mNavigation->FindClosestWayPoint(Flat(position));
    int wayPointCount = 0;
    LWayPoint* wayPoints = nullptr;
    if (start >= 0 && mWeb->GetWayPoints(wayPointCount, wayPoints)) {
        for (int w = 0; w < wayPointCount; ++w) {
            bool candidate = false;
            for (int a = 0; a < count && !candidate; ++a) {
                candidate = areas[a]->mArea.ContainsPoint(wayPoints[w].mPoint);
            }
            if (!candidate) {
                continue;
            }
            const LWebPath path = mWeb->GetShortestPath(start, w);
            if (path.Exists() && (!aPath.Exists() || path.mLength < aPath.mLength)) {
                aPath = path;
            }
        }
    }
    delete[] areas;
    return aPath.Exists();
}

bool GMNavigation::SetListener(GMINavigationListener* aListener)
{
    if (aListener == nullptr) {
        L_ASSERT_FAILURE("SetListener failure. NULL arg.");
        return false;
    }
    mListener = aListener;
    return true;
}

bool GMNavigation::RemoveListener(GMINavigationListener* aListener)
{
    if (aListener == nullptr || aListener != mListener) {
        return false;
    }
    mListener = nullptr;
    return true;
}

void GMNavigation::WatchArrival(float aDistance)
{
    if (mListener == nullptr) {
        return;
    }
    mWatching = 1;
    mWatchDistance = aDistance;
}

void GMNavigation::UpdatePlayer(GMCharacter* aPlayer)
{
    if (aPlayer == nullptr || mNavigation == nullptr || mSteering == nullptr || mGroundTree == nullptr) {
        return;
    }
    const LVector2 ground = Flat(*mNavigation->GetPosition());
    LVector3 hit(0.0f, 0.0f, 0.0f);
    const float height = mGroundTree->IntersectsVertLineThruPt(ground, hit) ? hit.y : 0.0f;
    aPlayer->SetPosition(LVector3(ground.x, height, ground.y));
}

GMCharacter* GMNavigation::Player() const
{
    return mSteering != nullptr ? dynamic_cast<GMCharacter*>(mSteering->GetCharacter()) : nullptr;
}

void GMNavigation::SetSceneInput(bool aEnabled)
{
    if (mScene != nullptr) {
        mScene->SetInputEnabled(aEnabled);
    }
}

void GMNavigation::SendEvent()
{
    GMINavigationListener* listener = mListener;
    mListener = nullptr;
    if (listener != nullptr) {
        listener->OnNavigationEvent(LString());
    }
}

void GMNavigation::OnNavigationStopped()
{
    if (mHalting != 0) {
        return;
    }
    mWatching = 0;
    if (mStairPending != 0 && mStairStage == 0) {
        mStairStage = 1;
        SetSceneInput(false);
        mWalkTarget = mStairEnd;
        GMCharacter* player = Player();
        if (player != nullptr && player->TurnWhileWalking(mStairEnd, mStairMove, false)) {
            // The turn is made standing: the first leg, still under way when watched,
            // stops here without counting as an arrival.
            mHalting = 1;
            mSteering->SetMoving(false, 0);
            mHalting = 0;
        } else {
            WalkTo(mStairEnd, false, mStairMove, false);
        }
        WatchArrival(kStairWatchDistance);
        return;
    }
    if (mStairPending != 0) {
        mStairPending = 0;
        SetSceneInput(true);
        WalkTo(mFinalTarget, false, kMoveWalk, false);
        return;
    }
    SendEvent();
}

void GMNavigation::FindStaircase()
{
    mStairCheck = 0;
    mStairPending = 0;
    const LWebPath* path = mWeb->GetLastPath();
    for (int i = 0; i < path->mWayPoints.GetCount(); ++i) {
        const LWayPoint* wayPoint = mWeb->GetWayPoint(path->mWayPoints[i]);
        if (wayPoint == nullptr || wayPoint->mClass == LWayPoint::kOrdinary) {
            continue;
        }
        mStairStart = wayPoint->mPoint;
        const bool top = wayPoint->mClass == LWayPoint::kTopStair;
        mStairMove = top ? kMoveStairsDown : kMoveStairsUp;
        const int wanted = top ? LWayPoint::kBottomStair : LWayPoint::kTopStair;
        for (int l = 0; l < wayPoint->mLinkCount; ++l) {
            const LWayPoint* linked = mWeb->GetWayPoint(wayPoint->mLinks[l]);
            if (linked != nullptr && linked->mClass == wanted && PathHolds(*path, wayPoint->mLinks[l])) {
                mStairPending = 1;
                mStairEnd = linked->mPoint;
                mFinalTarget = mWalkTarget;
                return;
            }
        }
    }
}

void GMNavigation::StartStairLeg()
{
    mStairStage = 0;
    mWalkTarget = mStairStart;
    mStairCheck = 0;
    mNavigation->SetTarget(LVector3(mStairStart.x, mStairStart.y, 0.0f));
    mNavigation->SetEnabled(true);
    mSteering->SetMoving(true, mSteering->GetMoveIndex());
    WatchArrival(kStairWatchDistance);
}

bool GMNavigation::OnGroundPicked(const LVector2& aGround, bool aRun)
{
    return WalkTo(aGround, true, aRun ? kMoveRun : kMoveWalk, true);
}

void GMNavigation::OnFrame()
{
    if (mNavigation == nullptr || mSteering == nullptr || mWeb == nullptr) {
        return;
    }
    // A walking turn has not started its walk yet: nothing has arrived.
    const GMCharacter* player = Player();
    const bool turning = player != nullptr && player->IsWalkTurning();
    if (mWatching != 0 && mListener != nullptr && !turning) {
        const LVector2 offset = Flat(*mNavigation->GetPosition()) - mWalkTarget;
        if (offset.Length() < mWatchDistance) {
            mWatching = 0;
            if (mStairPending != 0) {
                OnNavigationStopped();
            } else {
                SendEvent();
            }
        }
    }
    if (mStairCheck != 0 && mWeb->GetLastPath() != nullptr) {
        FindStaircase();
        if (mStairPending != 0) {
            StartStairLeg();
        }
    }
}
