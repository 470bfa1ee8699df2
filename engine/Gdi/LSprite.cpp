#include "Gdi/LSprite.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LRenderer.h"
#include "LImage.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "Render/LIDeviceCapabilities.h"
#include "Render/LITexture.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {
// Images that are drawn as one texture whatever sides the device demands.
const char16_t* const kPow2Exempt[] = {
    u"CHANG_01.tga", u"CHANG_02.tga", u"L_01.tga", u"L_02.tga", u"M_01.tga",      u"M_02.tga",
    u"M_03.tga",     u"M_04.tga",     u"R_01.tga", u"R_04.tga", u"STOKES_01.tga", u"handle.tga",
};

bool IsPow2(int aValue)
{
    return aValue > 0 && (aValue & (aValue - 1)) == 0;
}

bool IsExempt(const LString& aName)
{
    for (const char16_t* name : kPow2Exempt) {
        if (aName == LString(name)) {
            return true;
        }
    }
    return false;
}
} // namespace

LSprite::LSprite() = default;

LSprite::~LSprite()
{
    if (mParent != nullptr) {
        mParent->RemoveMember(this);
    }
    ReleasePicture();
}

LString LSprite::Dump() const
{
    return DumpHead("LSprite") + "]";
}

void LSprite::ReleasePicture()
{
    if (mTileGroup != nullptr) {
        // Its parent link only borrows the sprite's; it is no member there.
        mTileGroup->ClearGroup();
        delete mTileGroup;
        mTileGroup = nullptr;
    }
    if (mTexture != 0) {
        LTextureManager* manager = LTextureManager::Get();
        if (manager != nullptr) {
            manager->UnlockTexture(mTexture, false);
        }
        mTexture = 0;
    }
    delete mVertexBuffer;
    mVertexBuffer = nullptr;
}

bool LSprite::BuildQuad(int aWidth, int aHeight, const LVector2* aFirst, const LVector2* aLast)
{
    if (aWidth <= 0 || aHeight <= 0) {
        L_ERROR("SetTexture failure. Invalid texture dimensions.");
        return false;
    }
    LVector2 first(0.0f, 0.0f);
    LVector2 last(static_cast<float>(aWidth), static_cast<float>(aHeight));
    if (aFirst != nullptr && aLast != nullptr) {
        first = *aFirst;
        // The far corner names the last pixel shown.
        last = LVector2(aLast->x + 1.0f, aLast->y + 1.0f);
    }
    const float w = last.x - first.x;
    const float h = last.y - first.y;
    const float uMin = first.x / static_cast<float>(aWidth);
    const float uMax = last.x / static_cast<float>(aWidth);
    const float vMin = first.y / static_cast<float>(aHeight);
    const float vMax = last.y / static_cast<float>(aHeight);
    const LSpriteVertex vertices[4] = {
        {0.0f, -h, 0.0f, uMin, vMax},
        {0.0f, 0.0f, 0.0f, uMin, vMin},
        {w, -h, 0.0f, uMax, vMax},
        {w, 0.0f, 0.0f, uMax, vMin},
    };
    LVertexBuffer* buffer = L_NEW LVertexBuffer();
    if (buffer == nullptr || !buffer->Create(3, vertices, 4)) {
        delete buffer;
        return false;
    }
    delete mVertexBuffer;
    mVertexBuffer = buffer;
    if (mBoundary == nullptr) {
        const LRectangle quad(0.0f, 0.0f, w, h);
        LIDisplayObject::SetBoundary(&quad);
    }
    return true;
}

bool LSprite::SetTexture(uint32_t aHandle, const LVector2* aFirst, const LVector2* aLast)
{
    LTextureManager* manager = LTextureManager::Get();
    LITexture* texture = manager != nullptr && aHandle != 0 ? manager->GetTexture(aHandle) : nullptr;
    if (texture == nullptr) {
        L_ERROR("SetTexture failure. Invalid handle.");
        return false;
    }
    // Lock the new texture before the old lock goes: they may be the same.
    if (!manager->LockTexture(aHandle)) {
        return false;
    }
    ReleasePicture();
    mTexture = aHandle;
    if (!BuildQuad(texture->GetWidth(), texture->GetHeight(), aFirst, aLast)) {
        ReleasePicture();
        return false;
    }
    return true;
}

bool LSprite::SetImage(const LString& aName, LImage* aImage, const LVector2* aFirst, const LVector2* aLast)
{
    if (aImage == nullptr || aImage->GetWidth() <= 0 || aImage->GetHeight() <= 0) {
        L_ERROR("SetImage failure. Invalid image dimensions.");
        return false;
    }
    LIDeviceCapabilities* caps = LIDeviceCapabilities::Get();
    if (caps == nullptr) {
        L_ERROR("SetImage failure. No device capabilities.");
        return false;
    }
    const int width = aImage->GetWidth();
    const int height = aImage->GetHeight();
    const bool demandSides = !IsExempt(aName);
    bool fits = static_cast<uint32_t>(width) <= caps->GetMaxTextureWidth() &&
                static_cast<uint32_t>(height) <= caps->GetMaxTextureHeight();
    if (fits && demandSides) {
        if (caps->RequiresPow2Textures() && (!IsPow2(width) || !IsPow2(height))) {
            fits = false;
        }
        if (caps->RequiresSquareTextures() && width != height) {
            fits = false;
        }
    }
    if (!fits) {
        return Tile(aName, aImage);
    }
    LTextureManager* manager = LTextureManager::Get();
    const uint32_t handle = manager != nullptr ? manager->CreateTexture(aName, aImage) : 0;
    if (handle == 0) {
        L_ERROR("SetImage failure. Could not create texture: " + aName);
        return false;
    }
    if (!manager->LockTexture(handle)) {
        return false;
    }
    ReleasePicture();
    mTexture = handle;
    if (!BuildQuad(width, height, aFirst, aLast)) {
        ReleasePicture();
        return false;
    }
    return true;
}

bool LSprite::Tile(const LString& aName, LImage* aImage)
{
    LIDeviceCapabilities* caps = LIDeviceCapabilities::Get();
    LTextureManager* manager = LTextureManager::Get();
    if (caps == nullptr || manager == nullptr) {
        return false;
    }
    uint32_t side = caps->GetMaxTextureWidth() > caps->GetMaxTextureHeight() ? caps->GetMaxTextureWidth()
                                                                             : caps->GetMaxTextureHeight();
    if (side > 512) {
        side = 512;
    }
    if (side < 256) {
        return false;
    }
    const int t = static_cast<int>(side);
    const int columns = (aImage->GetWidth() + t - 1) / t;
    const int rows = (aImage->GetHeight() + t - 1) / t;
    LDisplayGroup* tiles = L_NEW LDisplayGroup();
    if (tiles == nullptr) {
        return false;
    }
    bool result = true;
    for (int i = 0; i < rows && result; ++i) {
        for (int j = 0; j < columns && result; ++j) {
            LImage piece;
            if (aImage->CopyRect(j * t, i * t, t, t, t, t, &piece) == nullptr) {
                result = false;
                break;
            }
            const LString id = aName + "_" + j + "_" + i;
            LSprite* tile = L_NEW LSprite();
            if (tile == nullptr) {
                result = false;
                break;
            }
            tile->SetId(id);
            const uint32_t handle = manager->CreateTexture(id, &piece);
            if (handle == 0 || !tile->SetTexture(handle, nullptr, nullptr)) {
                L_ERROR("SetImage failure. Could not create texture: " + id);
                delete tile;
                result = false;
                break;
            }
            tile->SetPosition(static_cast<float>(j * t), static_cast<float>(i * t));
            if (!tiles->AddMember(tile, true)) {
                delete tile;
                result = false;
            }
        }
    }
    if (!result) {
        delete tiles;
        return false;
    }
    ReleasePicture();
    mTileGroup = tiles;
    CopySettingsTo(mTileGroup);
    return true;
}

void LSprite::CopySettingsTo(LDisplayGroup* aGroup)
{
    aGroup->SetActive(mActive);
    aGroup->SetEnabled(mEnabled);
    aGroup->SetVisible(mVisible);
    aGroup->SetBlend(mBlend);
    aGroup->SetCenter(mCenter);
    aGroup->SetScale(mScale);
    aGroup->SetRotation(mRotation);
    aGroup->SetPosition(mPosition);
    if (mClip != nullptr) {
        aGroup->SetClip(mClip);
    }
    if (mBoundary != nullptr) {
        aGroup->SetBoundary(mBoundary);
    }
    if (mParent != nullptr) {
        aGroup->SetGroup(mParent);
    }
}

bool LSprite::Render(LRenderer* aRenderer)
{
    UpdateForRender();
    if (!IsActive() || !IsVisible()) {
        return true;
    }
    if (mTileGroup != nullptr) {
        return mTileGroup->Render(aRenderer);
    }
    if (aRenderer == nullptr) {
        return false;
    }
    LRectangle* clip = GetWorldClipArea();
    if (clip != nullptr) {
        LRectangle* previous = aRenderer->GetClip();
        aRenderer->SetClip(clip);
        const bool result = aRenderer->RenderSprite(this);
        aRenderer->SetClip(previous);
        return result;
    }
    return aRenderer->RenderSprite(this);
}

// Settings reach the tiles --------------------------------------------------------------

bool LSprite::SetActive(bool aActive)
{
    bool result = LIDisplayObject::SetActive(aActive);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetActive(aActive) && result;
    }
    return result;
}

bool LSprite::SetBlend(float aBlend)
{
    bool result = LIDisplayObject::SetBlend(aBlend);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetBlend(aBlend) && result;
    }
    return result;
}

bool LSprite::SetBoundary(const LIArea* aArea)
{
    bool result = LIDisplayObject::SetBoundary(aArea);
    if (mTileGroup != nullptr && result) {
        result = mTileGroup->SetBoundary(aArea) && result;
    }
    return result;
}

bool LSprite::SetCenter(const LVector2& aCenter)
{
    return SetCenter(aCenter.x, aCenter.y);
}

bool LSprite::SetCenter(float aX, float aY)
{
    bool result = LIDisplayObject::SetCenter(aX, aY);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetCenter(aX, aY) && result;
    }
    return result;
}

bool LSprite::SetClip(const LRectangle* aClip)
{
    bool result = LIDisplayObject::SetClip(aClip);
    if (mTileGroup != nullptr && result) {
        result = mTileGroup->SetClip(aClip) && result;
    }
    return result;
}

bool LSprite::SetEnabled(bool aEnabled)
{
    bool result = LIDisplayObject::SetEnabled(aEnabled);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetEnabled(aEnabled) && result;
    }
    return result;
}

bool LSprite::SetPosition(const LVector2& aPosition)
{
    return SetPosition(aPosition.x, aPosition.y);
}

bool LSprite::SetPosition(float aX, float aY)
{
    bool result = LIDisplayObject::SetPosition(aX, aY);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetPosition(aX, aY) && result;
    }
    return result;
}

bool LSprite::SetRelativeZ(float aRelativeZ)
{
    StoreRelativeZ(aRelativeZ);
    if (mParent != nullptr) {
        return mParent->ResortMember(mId, aRelativeZ);
    }
    return true;
}

bool LSprite::SetRotation(float aDegrees)
{
    bool result = LIDisplayObject::SetRotation(aDegrees);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetRotation(aDegrees) && result;
    }
    return result;
}

bool LSprite::SetScale(const LVector2& aScale)
{
    return SetScale(aScale.x, aScale.y);
}

bool LSprite::SetScale(float aX, float aY)
{
    bool result = LIDisplayObject::SetScale(aX, aY);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetScale(aX, aY) && result;
    }
    return result;
}

bool LSprite::SetScale(float aScale)
{
    return SetScale(aScale, aScale);
}

bool LSprite::SetVisible(bool aVisible)
{
    bool result = LIDisplayObject::SetVisible(aVisible);
    if (mTileGroup != nullptr) {
        result = mTileGroup->SetVisible(aVisible) && result;
    }
    return result;
}

bool LSprite::SetGroup(LDisplayGroup* aGroup)
{
    bool result = LIDisplayObject::SetGroup(aGroup);
    if (mTileGroup != nullptr && result) {
        result = mTileGroup->SetGroup(aGroup) && result;
    }
    return result;
}

void LSprite::ClearGroup()
{
    LIDisplayObject::ClearGroup();
    if (mTileGroup != nullptr) {
        mTileGroup->ClearGroup();
    }
}
