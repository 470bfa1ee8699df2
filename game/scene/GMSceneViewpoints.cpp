// GMScene: viewpoints and cuts.
#include "scene/GMScene.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "LVector2.h"
#include "Render/LCamera.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWayPoint.h"
#include "Render/LWebPath.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "interview/GMInterviewManager.h"
#include "memory/LMemoryManager.h"
#include "scene/GMCharacter.h"
#include "scene/GMLighting.h"
#include "scene/GMNavigation.h"
#include "scene/GMSceneAudio.h"
#include "scene/GMSceneManager.h"
#include "scene/GMSceneReading.h"
#include "stdlib/LLog.h"
#include "ui/GMPicker.h"
#include "ui/GMScreenFader.h"
#include "util/GMTextureRoot.h"

using namespace GMSceneReading;

namespace {

constexpr int kFadeFinished = 2;

} // namespace

// Viewpoints and cuts ----------------------------------------------------------------

const LPropertyList* GMScene::ViewpointList(const LString& aViewpoint) const
{
    return mDescription != nullptr ? mDescription->GetList(LString(u"viewpoints.") + aViewpoint) : nullptr;
}

bool GMScene::SetViewpoint(const LString& aViewpoint)
{
    // Nothing changes for a viewpoint that has no list or whose depth mesh does not load:
    // the previous viewpoint stays as it was.
    const LPropertyList* viewpoint = ViewpointList(aViewpoint);
    if (viewpoint == nullptr) {
        L_ASSERT_FAILURE(LString(u"'viewpoints.") + aViewpoint + LString(u"' not found."));
        return false;
    }
    if (!SetupDepthMesh(viewpoint)) {
        L_ASSERT_FAILURE("SetupDepthMesh failure.");
        return false;
    }
    SetTextState(u"sta_currentviewpoint", aViewpoint, true);
    mViewpoint = aViewpoint;
    DeleteCuts();

    const LString background = Text(viewpoint, LString(u"background"), "'background' not found.");
    delete mBackground;
    mBackground = LoadPicture(mFolder + background, LString(u"bg"));

    if (!SetupCamera(viewpoint)) {
        L_ASSERT_FAILURE("SetupCamera failure.");
    }
    delete mPicker;
    mPicker = L_NEW GMPicker(mCamera, GMNavigation::GetInstance());
    if (!SetupDisplayMembers(viewpoint)) {
        L_ASSERT_FAILURE("SetupDisplayMembers failure.");
    }
    if (mAudio != nullptr) {
        mAudio->SetViewpoint(aViewpoint);
    }
    MakeAmbientPlayer();

    DeleteDecals();
    const LPropertyList* decals = viewpoint->GetList(LString(u"decals"));
    if (decals != nullptr && decals->GetCount() > 0) {
        mDecals = L_NEW LSprite*[decals->GetCount()];
        GMTextureRoot root(mFolder);
        for (int i = 0; mDecals != nullptr && i < decals->GetCount(); ++i) {
            if (LSprite* sprite = LLayoutBuilder::BuildSprite(decals->GetListAt(i))) {
                mDecals[mDecalCount++] = sprite;
            }
        }
    }

    SetupNavigation(viewpoint);

    DecideNPCs();

    if (GMInterviewManager* interviews = GMInterviewManager::GetInstance()) {
        interviews->ClearInterviews();
    }
    if (!SetupHotspots(viewpoint)) {
        L_ASSERT_FAILURE("SetupHotspots failure.");
    }
    SetupCloseUps(viewpoint);

    if (mLighting != nullptr) {
        mLighting->SelectLights(mCamera != nullptr ? mCamera->GetName() : LString());
        bool found = false;
        const LString caster = viewpoint->GetString(LString(u"shadowcaster"), found);
        if (!found) {
            L_ASSERT_FAILURE("'shadowcaster' not found.");
        } else {
            mLighting->SelectShadowCaster(caster);
        }
    }

    if (mFader != nullptr) {
        mFader->SetValue(1.0f);
        mFader->SetTargetValue(0.0f);
        mFader->FadeIn();
        mFadingIn = 1;
    }

    mShadowShade = kDefaultShadowShade;
    Float(viewpoint, LString(u"shadowblend"), nullptr, mShadowShade);
    UpdateShadowChoice();
    return true;
}

void GMScene::SetupNavigation(const LPropertyList* aViewpoint)
{
    GMNavigation* navigation = GMNavigation::GetInstance();
    mNavigationSet = 1;
    if (navigation == nullptr || !navigation->SetScene(this)) {
        L_ASSERT_FAILURE("SetScene failure.");
    }
    if (mPlayer != nullptr && navigation != nullptr && navigation->GetSteering() != nullptr) {
        mPlayer->SetSteering(navigation->GetSteering());
        navigation->GetSteering()->SetCharacter(mPlayer);
    }
    PlacePlayer(aViewpoint);
    if (navigation != nullptr && mPlayer != nullptr) {
        navigation->UpdatePlayer(mPlayer);
    }
}

bool GMScene::FadeToViewpoint(const LString& aViewpoint)
{
    // A change of screen may hold the fader (logged): the scene then stays as it is.
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (fader == nullptr || !fader->SetListener(this)) {
        return false;
    }
    mFader = fader;
    mPendingViewpoint = aViewpoint;
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    GMNavigation* navigation = GMNavigation::GetInstance();
    LNavigationTDO* walker = navigation != nullptr ? navigation->GetNavigation() : nullptr;
    if (scenes != nullptr && walker != nullptr) {
        const LVector3 here = *walker->GetPosition();
        LVector2 place(here.x, here.y);
        if (!navigation->IsInViewpoint(aViewpoint)) {
            LWebPath path;
            LPathFindingWeb* web = navigation->GetPathFindingWeb();
            const LWayPoint* last = nullptr;
            if (navigation->FindPathToViewpoint(aViewpoint, path) && web != nullptr &&
                path.mWayPoints.GetCount() > 0) {
                last = web->GetWayPoint(path.mWayPoints[path.mWayPoints.GetCount() - 1]);
            }
            if (last != nullptr) {
                place = LVector2(last->mPoint.x, last->mPoint.y);
            } else {
                // The player then stays where it is.
                L_ASSERT_FAILURE("No path to viewpoint found.");
            }
        }
        scenes->SetPendingPosition(place);
        if (LSteeringTDO* steering = navigation->GetSteering()) {
            const LVector3* direction = steering->GetDirection();
            scenes->SetPendingDirection(LVector2(direction->x, direction->y));
        }
    }
    SetInput(false);
    mFader->SetValue(0.0f);
    mFader->SetTargetValue(1.0f);
    // A fader already black answers at once, from inside FadeOut.
    mFadingOut = 1;
    return mFader->FadeOut();
}

void GMScene::OnFade(int aEvent)
{
    if (aEvent != kFadeFinished) {
        return;
    }
    if (mFadingOut != 0) {
        mFadingOut = 0;
        if (GMNavigation* navigation = GMNavigation::GetInstance()) {
            navigation->Reset();
        }
        if (!SetViewpoint(mPendingViewpoint)) {
            L_ASSERT_FAILURE("SetViewpoint failure.");
            // No fade-in was started: come back from black on the viewpoint kept.
            SetupNavigation(ViewpointList(mViewpoint));
            if (mFader != nullptr) {
                mFader->SetValue(1.0f);
                mFader->SetTargetValue(0.0f);
                mFader->FadeIn();
                mFadingIn = 1;
            }
        }
    } else if (mFadingIn != 0) {
        mFadingIn = 0;
        if (mFader != nullptr) {
            mFader->RemoveListener(this);
            mFader = nullptr;
        }
        if (mInputEnabled == 0 && mActive != 0) {
            SetInput(true);
        }
    }
}

bool GMScene::SetCut(const LString& aCut)
{
    mCut = aCut;
    if (aCut == LString(u"-") || mCutCameras == nullptr) {
        mCutCamera = nullptr;
        mCutBackground = nullptr;
        mCutDecal = nullptr;
        mCutScript = nullptr;
        return true;
    }
    mCutCamera = static_cast<LCamera*>(mCutCameras->Get(aCut));
    mCutBackground = static_cast<LSprite*>(mCutBackgrounds->Get(aCut));
    mCutDecal = static_cast<LVector*>(mCutDecals->Get(aCut));
    mCutScript = static_cast<LVector*>(mCutScripts->Get(aCut));
    return true;
}
