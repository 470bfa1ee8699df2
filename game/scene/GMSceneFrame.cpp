// GMScene: the screen's show and hide, the per-frame work and the drawing.
#include "scene/GMScene.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LSprite.h"
#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LIRasterizer.h"
#include "Render/LLight.h"
#include "Render/LNodeGroup.h"
#include "Render/LShadowBuffer.h"
#include "container/LString.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMAmbientAnimPlayer.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "scene/GMLighting.h"
#include "scene/GMNavigation.h"
#include "scene/GMSceneReading.h"
#include "scene/GMShadowSimple.h"
#include "script/LScript.h"
#include "ui/GMCursor.h"

using namespace GMSceneReading;

// Screen -----------------------------------------------------------------------------

void GMScene::OnShow()
{
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr) {
        cursor->SetVisible(true);
    }
    mActive = 1;
    if (mInterviewRunning == 0) {
        SetInputEnabled(true);
    }
    SetMouseLock(false);
    if (mDisplayGroup != nullptr) {
        mDisplayGroup->SetActive(true);
        mDisplayGroup->SetEnabled(true);
    }
    if (mSceneGroup != nullptr) {
        mSceneGroup->SetVisible(true);
    }
    if (cursor != nullptr) {
        cursor->ReleaseCursor(LString());
    }
    if (GMPDA* pda = GMPDA::GetInstance()) {
        mPDAListening = pda->SetListener(this) ? 1 : 0;
        pda->Minimize(false);
    }
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
    if (mPlayer != nullptr) {
        mPlayer->ResetAmbient();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->ResetAmbient();
    }
    DecideNPCs();
    UpdateShadowChoice();
    StartAudio();
    MakeAmbientPlayer();
}

void GMScene::OnLeave()
{
    SetInput(false);
    if (mDisplayGroup != nullptr) {
        mDisplayGroup->SetEnabled(false);
    }
}

void GMScene::OnHidden()
{
    SetInput(false);
    SetMouseLock(false);
    if (mDisplayGroup != nullptr) {
        mDisplayGroup->SetActive(false);
    }
    if (mSceneGroup != nullptr) {
        mSceneGroup->SetVisible(false);
    }
    mActive = 0;
    if (mPlayer != nullptr) {
        mPlayer->StopAmbient();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->StopAmbient();
    }
    // A covering screen that asked for it hears the location's audio on; an open close-up
    // keeps it too. The flag holds for this one hiding only.
    if (mKeepAudio == 0 && mCloseUp == nullptr) {
        StopAudio();
    }
    mKeepAudio = 0;
}

// Per frame --------------------------------------------------------------------------

bool GMScene::Update()
{
    if (mActive == 0) {
        return true;
    }
    bool result = true;
    GMNavigation* navigation = GMNavigation::GetInstance();
    if (mPlayer != nullptr) {
        result = mPlayer->UpdateSteering() != 0 && result;
        if (navigation != nullptr) {
            navigation->UpdatePlayer(mPlayer);
        }
        result = mPlayer->UpdateTransform() != 0 && result;
        if (mSimpleShadows != 0 && mShadowSimple != nullptr) {
            mShadowSimple->Update(*mPlayer->GetPosition());
        }
    }
    for (int i = 0; i < mNPCCount; ++i) {
        if (mNPCs[i]->GetVisible()) {
            result = mNPCs[i]->UpdateSteering() != 0 && result;
            result = mNPCs[i]->UpdateTransform() != 0 && result;
        }
    }
    return result;
}

void GMScene::RenderStencilShadows(LCamera* aCamera)
{
    // Without a light that casts them there are no shadows to mark.
    const LLight* caster = mLighting != nullptr ? mLighting->GetShadowCaster() : nullptr;
    if (mShadowBuffer == nullptr || mPlayer == nullptr || caster == nullptr) {
        return;
    }
    mShadowBuffer->BeginShadowVolumes();
    mPlayer->UpdateShadow(caster, aCamera);
    mPlayer->RenderShadow(kShadowVolumeValue);
    mShadowBuffer->Render(mShadowShade);
    // The shade's black texture and opacity must not reach untextured characters.
    if (LIRasterizer* rasterizer = LIRasterizer::Get()) {
        rasterizer->SetTexture();
        rasterizer->SetBlendFactor(1.0f);
    }
}

bool GMScene::Render()
{
    if (mActive == 0) {
        return true;
    }
    LCamera* camera = mCutCamera != nullptr ? mCutCamera : mCamera;
    LRenderer* renderer = LRenderer::Get();
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (renderer == nullptr || rasterizer == nullptr) {
        return false;
    }
    const bool cut = mCutCamera != nullptr || mCutBackground != nullptr || mCutDecal != nullptr;

    renderer->Begin();
    LSprite* background = cut ? mCutBackground : mBackground;
    if (background == nullptr || !background->Render(renderer)) {
        renderer->End();
        return false;
    }
    if (!cut) {
        if (mAmbient != nullptr) {
            mAmbient->RenderBackground(renderer);
        }
        for (int i = 0; i < GetHotspotCount(); ++i) {
            GetHotspot(i)->RenderDisplayMember();
        }
    }
    renderer->End();

    if (camera == nullptr || !camera->Apply()) {
        return false;
    }
    rasterizer->SetColorWriteEnable(false);
    rasterizer->SetAlphaBlendEnable(false);
    rasterizer->SetZEnable(true);
    rasterizer->SetZWriteEnable(true);
    if (mDepthMesh != nullptr) {
        mDepthMesh->Render();
    }
    rasterizer->SetColorWriteEnable(true);

    if (mPlayer != nullptr) {
        mPlayer->UpdateSkins();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->UpdateSkins();
    }

    if (mSimpleShadows != 0 && mShadowSimple != nullptr) {
        mShadowSimple->Render();
    } else {
        RenderStencilShadows(camera);
    }

    if (!camera->Apply()) {
        return false;
    }
    if (mLighting != nullptr) {
        mLighting->Apply();
    }
    if (mPlayer != nullptr) {
        mPlayer->Render();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->Render();
    }

    renderer->Begin();
    if (!cut) {
        for (int i = 0; i < mDecalCount; ++i) {
            mDecals[i]->Render(renderer);
        }
        if (mAmbient != nullptr) {
            mAmbient->RenderForeground(renderer);
        }
    } else {
        for (int i = 0; mCutDecal != nullptr && i < mCutDecal->GetCount(); ++i) {
            LScript* script = mCutScript != nullptr ? static_cast<LScript*>(mCutScript->GetAt(i)) : nullptr;
            if (script == nullptr || script->Evaluate()) {
                static_cast<LSprite*>(mCutDecal->GetAt(i))->Render(renderer);
            }
        }
    }
    renderer->End();
    return true;
}
