#include "scene/GMHotspotNavigate.h"

#include "GMScreenManager.h"
#include "LPolygon.h"
#include "LVector3.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LPosBounds.h"
#include "Render/LWayPoint.h"
#include "Render/LWebPath.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"

#include <cmath>

namespace {

// The camera id of viewpoint aViewpoint in the scene's description; empty when none.
LString CameraOf(const GMScene* aScene, const LString& aViewpoint)
{
    const LPropertyList* data = aScene != nullptr ? aScene->GetSceneData() : nullptr;
    bool found = false;
    return data != nullptr ? data->GetString(LString(u"viewpoints.") + aViewpoint + u".camera.id", found) : LString();
}

float Distance(const LVector2& aA, const LVector2& aB)
{
    const float dx = aA.x - aB.x;
    const float dy = aA.y - aB.y;
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

GMHotspotNavigate::Record::~Record()
{
    delete mTargetPos;
    delete mCondition;
}

GMHotspotNavigate::GMHotspotNavigate() = default;

GMHotspotNavigate::~GMHotspotNavigate()
{
    if (GMScreenFader* fader = GMScreenFader::GetInstance()) {
        fader->RemoveListener(this);
    }
}

bool GMHotspotNavigate::Load(const LPropertyList* aEntry)
{
    GMHotspot::Load(aEntry);
    auto* record = L_NEW Record();
    const LPropertyList* own = LoadKind(aEntry, record, "navigate");
    if (own == nullptr || record == nullptr) {
        return true;
    }
    bool found = false;
    if (const LPropertyList* conditional = own->GetList(LString(u"conditional"))) {
        const LString condition = conditional->GetString(LString(u"condition"), found);
        record->mCondition = BuildScript(found ? condition : LString(u"script[true]"));
        record->mSatisfied = conditional->GetVectorString(LString(u"satisfied"), found);
        record->mUnsatisfied = conditional->GetVectorString(LString(u"unsatisfied"), found);
    }
    record->mSceneId = own->GetString(LString(u"sceneid"), found);
    record->mViewpointId = own->GetString(LString(u"viewpointid"), found);
    if (record->mSceneId.IsEmpty() && record->mViewpointId.IsEmpty()) {
        L_ASSERT_FAILURE("sceneid or viewpointid must be specified");
    }
    const LString wayPoint = own->GetString(LString(u"targetwaypoint"), found);
    if (found) {
        GMNavigation* navigation = GMNavigation::GetInstance();
        LPathFindingWeb* web = navigation != nullptr ? navigation->GetPathFindingWeb() : nullptr;
        if (LWayPoint* point = web != nullptr ? web->GetWayPoint(wayPoint) : nullptr) {
            record->mTargetPos = L_NEW LVector2(point->mPoint);
        }
    }
    const LVectorFloat target = own->GetVectorFloat(LString(u"targetpos"), found);
    if (found && target.GetCount() >= 2) {
        delete record->mTargetPos;
        record->mTargetPos = L_NEW LVector2(target[0], target[1]);
    }
    const LString direction = own->GetString(LString(u"cursordirection"), found);
    if (!found) {
        L_ASSERT_FAILURE("'type.navigate.cursordirection' not found.");
    } else {
        const int type = GMCursor::FindType(LString(u"go_") + direction.ToLower());
        if (type < 0) {
            L_ASSERT_FAILURE("Cursor id not found.");
        } else {
            record->mCursorType = type;
        }
    }
    return true;
}

void GMHotspotNavigate::UpdateCursor()
{
    const Record* record = GetRecord();
    if (mCursor == nullptr || record == nullptr) {
        return;
    }
    if (mHover) {
        mCursor->SetCursor(record->mCursorType, mId);
    } else {
        mCursor->ReleaseCursor(mId);
    }
}

bool GMHotspotNavigate::Read(LIStream*)
{
    L_ERROR("Read NYI.");
    return false;
}

bool GMHotspotNavigate::Write(LIStream*)
{
    L_ERROR("Write NYI.");
    return false;
}

bool GMHotspotNavigate::PlayLine(const LVectorString& aList)
{
    if (aList.GetCount() < 1) {
        return false;
    }
    LString id = aList.GetRef(0);
    GMOptions* options = GMOptions::GetInstance();
    if (aList.GetCount() > 2 && options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY) {
        id = aList.GetRef(2);
    }
    const LString speaker = aList.GetCount() > 1 ? aList.GetRef(1) : LString(kPlayerKey);
    return StartVoice(id, speaker, LString(u"deniedNav"), false);
}

void GMHotspotNavigate::Go(bool aRun)
{
    const Record* record = GetRecord();
    if (record == nullptr) {
        return;
    }
    if (record->mCondition != nullptr && !record->mCondition->Evaluate()) {
        PlayLine(record->mUnsatisfied);
        return;
    }
    if (record->mSatisfied.GetCount() > 0 && GetVoiceSound() == nullptr && !mChangeStarted) {
        PlayLine(record->mSatisfied);
    }
    const int move = aRun ? 2 : 1;
    GMNavigation* navigation = GMNavigation::GetInstance();
    LVector2 target;
    bool walk = false;
    if (record->mTargetPos != nullptr) {
        target = *record->mTargetPos;
        walk = true;
    } else if (navigation != nullptr && FindCrossing(target)) {
        LNavigationTDO* walker = navigation->GetNavigation();
        const LVector3* at = walker != nullptr ? walker->GetPosition() : nullptr;
        walk = at == nullptr || Distance(LVector2(at->x, at->y), target) > kMinWalk;
    }
    if (walk && navigation != nullptr) {
        navigation->SetListener(this);
        if (navigation->WalkTo(target, true, move, true)) {
            navigation->WatchArrival(kArrivalDistance);
            mGoing = true;
            return;
        }
        navigation->RemoveListener(this);
    }
    mChangeStarted = true;
    Arrive();
}

bool GMHotspotNavigate::FindCrossing(LVector2& aOut)
{
    const Record* record = GetRecord();
    GMNavigation* navigation = GMNavigation::GetInstance();
    GMScene* scene = GMSceneManager::GetCurrentScene();
    LNavigationTDO* walker = navigation != nullptr ? navigation->GetNavigation() : nullptr;
    LPathFindingWeb* web = navigation != nullptr ? navigation->GetPathFindingWeb() : nullptr;
    LWebPath path;
    if (walker == nullptr || web == nullptr || scene == nullptr || !navigation->FindPathToViewpoint(record->mViewpointId, path) ||
        path.mWayPoints.GetCount() < 1) {
        return false;
    }
    const int count = path.mWayPoints.GetCount();
    LWayPoint* last = web->GetWayPoint(path.mWayPoints[count - 1]);
    LWayPoint* before = count > 1 ? web->GetWayPoint(path.mWayPoints[count - 2]) : nullptr;
    if (last == nullptr) {
        return false;
    }
    const LVector3* at = walker->GetPosition();
    const LVector2 start = before != nullptr ? before->mPoint : LVector2(at->x, at->y);
    const LLine2 leg(start, last->mPoint, L_LINE_SEGMENT);
    const LString cameras[2] = {CameraOf(scene, scene->GetViewpoint()), CameraOf(scene, record->mViewpointId)};
    for (const LString& camera : cameras) {
        int areas = 0;
        LPosBounds** bounds = nullptr;
        if (camera.IsEmpty() || !walker->GetPosBoundsForCamera(camera, areas, bounds)) {
            continue;
        }
        // Of the crossings, the one nearest the way-point the leg ends at.
        bool found = false;
        for (int i = 0; i < areas; ++i) {
            int crossings = 0;
            LVector2* points = nullptr;
            if (bounds[i] != nullptr && bounds[i]->mArea.Intersections(leg, crossings, points, false)) {
                for (int k = 0; k < crossings; ++k) {
                    if (!found || Distance(points[k], last->mPoint) < Distance(aOut, last->mPoint)) {
                        aOut = points[k];
                        found = true;
                    }
                }
            }
            delete[] points;
        }
        delete[] bounds;
        if (found) {
            return true;
        }
    }
    return false;
}

void GMHotspotNavigate::OnNavigationEvent(const LString& aEvent)
{
    if (!mGoing) {
        // A walk to the object of interest: the door goes on from there.
        GMHotspot::OnNavigationEvent(aEvent);
        return;
    }
    Arrive();
}

void GMHotspotNavigate::Arrive()
{
    mGoing = false;
    if (GMNavigation* navigation = GMNavigation::GetInstance()) {
        navigation->RemoveListener(this);
    }
    const Record* record = GetRecord();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (record != nullptr && screens != nullptr && screens->IsBusy()) {
        // A change of screen holds the fader: the door is gone through once it has ended,
        // and nothing of the arrival (the clock first) happens before.
        screens->WhenIdle(this, [this] { Arrive(); });
        return;
    }
    if (LGameClock* clock = LGameClock::Get()) {
        clock->Advance(kClockAdvance, true);
    }
    if (mCursor != nullptr) {
        mCursor->ReleaseCursor(mId);
    }
    if (record == nullptr) {
        return;
    }
    if (!record->mSceneId.IsEmpty()) {
        GMScreenFader* fader = GMScreenFader::GetInstance();
        if (fader != nullptr && fader->SetListener(this)) {
            fader->FadeOut();
        }
    } else if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->FadeToViewpoint(record->mViewpointId);
    }
}

void GMHotspotNavigate::OnFade(int aEvent)
{
    if (aEvent != 2) {
        return;
    }
    if (GMScreenFader* fader = GMScreenFader::GetInstance()) {
        fader->RemoveListener(this);
    }
    const Record* record = GetRecord();
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (record == nullptr || scenes == nullptr) {
        return;
    }
    // Loading the scene deletes this hotspot with the old one: only copies are used after.
    const LString sceneId = record->mSceneId;
    const LString viewpoint = record->mViewpointId;
    if (!scenes->LoadScene(sceneId, true, true)) {
        // The old location is gone and the picture black.
        GMSceneManager::ShowMenuWhenNoScreenIsLeft(sceneId);
        return;
    }
    GMScene* scene = scenes->GetScene();
    if (scene == nullptr) {
        return;
    }
    if (!viewpoint.IsEmpty()) {
        bool found = false;
        const LPropertyList* data = scene->GetSceneData();
        const LString start =
            data != nullptr ? data->GetString(LString(u"viewpoints.") + viewpoint + u".startwaypoint", found) : LString();
        LPropertyList wayPoints;
        LVectorFloat coords;
        if (found && wayPoints.Load(scene->GetFolder() + u"waypoints.txt", true)) {
            coords = wayPoints.GetVectorFloat(start + u".coords", found);
        }
        // A missing way-point sets no pending position: the viewpoint's own start places
        // the player.
        if (found && coords.GetCount() >= 2) {
            scenes->SetPendingPosition(LVector2(coords[0], coords[1]));
        }
        scene->SetViewpoint(viewpoint);
    }
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->Clear();
        screens->PushFade(scene);
    }
    if (GMPDA* pda = GMPDA::GetInstance()) {
        pda->Minimize(false);
    }
}

void GMHotspotNavigate::OnVoiceOverDone()
{
    EndVoice();
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (!mInCloseUp && scene != nullptr) {
        scene->SetInputEnabled(true);
        scene->SetMouseLock(false);
    }
    if (mCursor != nullptr) {
        mCursor->SetVisible(true);
    }
    if (scene != nullptr) {
        scene->SetInputEnabled(true);
        scene->SetHotspotsEnabled(true);
    }
}
