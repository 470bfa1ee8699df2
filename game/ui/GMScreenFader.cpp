#include "ui/GMScreenFader.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "LImage.h"
#include "Render/LTextureManager.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "ui/GMIScreenFaderListener.h"
#include "util/GMCleaner.h"

namespace {

GMSingleton<GMScreenFader> sScreenFader;

// Overlay size: the game's 2-D coordinates span 800 x 600 whatever the window's size.
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
constexpr float kOverlayZ = 100000.0f;

unsigned char ToByte(float aValue)
{
    const float clamped = aValue < 0.0f ? 0.0f : (aValue > 1.0f ? 1.0f : aValue);
    return static_cast<unsigned char>(clamped * 255.0f + 0.5f);
}

} // namespace

GMScreenFader* GMScreenFader::GetInstance()
{
    const bool made = sScreenFader.Peek() == nullptr;
    GMScreenFader* fader = sScreenFader.Get(L_FILE, __LINE__, "GMScreenFader creation failure.");
    if (made && fader != nullptr) {
        fader->Init();
    }
    return fader;
}

GMScreenFader* GMScreenFader::Peek()
{
    return sScreenFader.Peek();
}

GMScreenFader::GMScreenFader() = default;

GMScreenFader::~GMScreenFader()
{
    sScreenFader.Destroyed(this);
    // The group leaves the display tree and deletes the sprite with it.
    delete mGroup;
    mGroup = nullptr;
    mSprite = nullptr;
    delete mFader;
    mFader = nullptr;
    mListener = nullptr;
    mHolder = nullptr;
}

LString GMScreenFader::Dump() const
{
    return DumpHead("GMScreenFader") + "]";
}

bool GMScreenFader::Init()
{
    bool ok = BuildOverlay(1.0f, 0.0f, 0.0f, 0.0f);
    delete mFader;
    mFader = L_NEW LFader();
    if (mFader == nullptr) {
        L_ERROR("GMScreenFader init failure. No fader.");
        return false;
    }
    ok = mFader->SetListener(LString("gmscreenfader"), this) != 0 && ok;
    ok = mGroup != nullptr && mFader->SetGroup(mGroup) != 0 && ok;
    return ok;
}

bool GMScreenFader::BuildOverlay(float aAlpha, float aRed, float aGreen, float aBlue)
{
    // A group left from an earlier build goes whole, so only one overlay is ever in the
    // tree; it deletes its sprite.
    if (mGroup != nullptr) {
        delete mGroup;
        mGroup = nullptr;
    } else {
        delete mSprite;
    }
    mSprite = nullptr;

    const unsigned char pixel[4] = {ToByte(aBlue), ToByte(aGreen), ToByte(aRed), ToByte(aAlpha)};
    LImage* image = L_NEW LImage();
    LTextureManager* textures = LTextureManager::Get();
    uint32_t handle = 0;
    if (image != nullptr && image->Create(1, 1, 4, L_IMAGE_FORMAT_A8R8G8B8, pixel, 4) && textures != nullptr) {
        handle = textures->CreateTexture(LString("gmscreenfader"), image);
    }
    delete image;
    if (handle == 0) {
        L_ERROR("GMScreenFader overlay failure. No texture.");
        return false;
    }

    mSprite = L_NEW LSprite();
    if (mSprite == nullptr) {
        return false;
    }
    mSprite->SetId(LString("gmscreenfader"));
    const LVector2 first(0.0f, 0.0f);
    const LVector2 last(0.0f, 0.0f); // the one pixel: the whole texture
    bool ok = mSprite->SetTexture(handle, &first, &last);
    ok = mSprite->SetScale(kScreenWidth, kScreenHeight) && ok;

    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        delete mSprite;
        mSprite = nullptr;
        return false;
    }
    mGroup->SetId(LString("gmscreenfader"));
    ok = mGroup->AddMember(mSprite, true) && ok;
    ok = mGroup->SetRelativeZ(kOverlayZ) && ok;
    LDisplayManager* display = LDisplayManager::Get();
    ok = display != nullptr && display->AddMember(mGroup) && ok;
    return ok;
}

bool GMScreenFader::FadeIn()
{
    mFadedIn = 1;
    if (mFader == nullptr) {
        L_ERROR("FadeIn failure. No fader.");
        return false;
    }
    bool ok = mFader->StopFade() != 0;
    ok = mFader->SetFadeTime(mFadeTime) != 0 && ok;
    ok = mFader->SetValue(1.0f) != 0 && ok;
    ok = mFader->SetTargetValue(0.0f) != 0 && ok;
    ok = mFader->SetDirection(-1) != 0 && ok;
    ok = mFader->StartFade() != 0 && ok;
    return ok;
}

bool GMScreenFader::FadeOut()
{
    if (!mFadedIn) {
        // Already black: nothing to wait for.
        if (mListener != nullptr) {
            mListener->OnFade(LFader::kFinished);
        }
        return true;
    }
    mFadedIn = 0;
    if (mFader == nullptr) {
        L_ERROR("FadeOut failure. No fader.");
        return false;
    }
    bool ok = mFader->StopFade() != 0;
    ok = mFader->SetFadeTime(mFadeTime) != 0 && ok;
    ok = mFader->SetValue(0.0f) != 0 && ok;
    ok = mFader->SetTargetValue(1.0f) != 0 && ok;
    ok = mFader->SetDirection(1) != 0 && ok;
    ok = mFader->StartFade() != 0 && ok;
    return ok;
}

bool GMScreenFader::SetListener(GMIScreenFaderListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("SetListener failure. NULL arg.");
        return false;
    }
    if (mHolder != nullptr && aListener != mHolder) {
        L_ERROR("SetListener failure. A change of screen holds the fader.");
        return false;
    }
    mListener = aListener;
    return true;
}

bool GMScreenFader::Hold(GMIScreenFaderListener* aHolder)
{
    if (aHolder == nullptr || (mHolder != nullptr && mHolder != aHolder)) {
        L_ERROR("Hold failure. The fader is held already or no holder was given.");
        return false;
    }
    mHolder = aHolder;
    return true;
}

void GMScreenFader::Release(GMIScreenFaderListener* aHolder)
{
    if (aHolder != nullptr && mHolder == aHolder) {
        mHolder = nullptr;
    }
}

bool GMScreenFader::RemoveListener(GMIScreenFaderListener* aListener)
{
    if (aListener == nullptr || mListener != aListener) {
        return false;
    }
    mListener = nullptr;
    return true;
}

bool GMScreenFader::SetValue(float aValue)
{
    return mFader != nullptr && mFader->SetValue(aValue) != 0;
}

bool GMScreenFader::SetTargetValue(float aValue)
{
    return mFader != nullptr && mFader->SetTargetValue(aValue) != 0;
}

void GMScreenFader::SetActive(bool aActive)
{
    if (mGroup != nullptr) {
        mGroup->SetActive(aActive);
    }
}

void GMScreenFader::OnFaderEvent(const LString& /*aFaderId*/, int aEvent)
{
    if (aEvent < LFader::kStarted || aEvent > LFader::kFinished) {
        return;
    }
    if (mListener != nullptr) {
        mListener->OnFade(aEvent);
    }
}
