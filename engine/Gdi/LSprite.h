// A textured quad: an image, or a part of one, from the texture manager. An image the
// device cannot take as one texture (too large, or not of the sides it demands) is cut
// into square tiles, each a sprite of its own inside a tile group that follows every
// setting of the sprite.
#pragma once
#include "Gdi/LIDisplayObject.h"

#include <cstdint>

class LDisplayGroup;
class LImage;
class LVertexBuffer;

// One corner of the quad: position and texture coordinates (vertex format 3).
struct LSpriteVertex
{
    float x, y, z, u, v;
};

class LSprite : public LIDisplayObject
{
public:
    LSprite();
    ~LSprite() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;

    bool SetActive(bool aActive) override;
    bool SetBlend(float aBlend) override;
    bool SetBoundary(const LIArea* aArea) override;
    bool SetCenter(const LVector2& aCenter) override;
    bool SetCenter(float aX, float aY) override;
    bool SetClip(const LRectangle* aClip) override;
    bool SetEnabled(bool aEnabled) override;
    bool SetPosition(const LVector2& aPosition) override;
    bool SetPosition(float aX, float aY) override;
    bool SetRelativeZ(float aRelativeZ) override;
    bool SetRotation(float aDegrees) override;
    bool SetScale(const LVector2& aScale) override;
    bool SetScale(float aX, float aY) override;
    bool SetScale(float aScale) override;
    bool SetVisible(bool aVisible) override;
    bool SetGroup(LDisplayGroup* aGroup) override;
    void ClearGroup() override;

    // Shows the texture of a handle, or the part between two corners that name its first
    // and last pixel (inclusive); the sprite holds one lock on the texture. A handle that
    // names no texture is refused.
    bool SetTexture(uint32_t aHandle, const LVector2* aFirst, const LVector2* aLast);
    // Shows an image under a texture of that name, cut into tiles when the device cannot
    // take it whole (the corners are then not used).
    bool SetImage(const LString& aName, LImage* aImage, const LVector2* aFirst, const LVector2* aLast);

    uint32_t GetTexture() const { return mTexture; }
    LVertexBuffer* GetVertexBuffer() const { return mVertexBuffer; }
    LDisplayGroup* GetTileGroup() const { return mTileGroup; }

private:
    bool BuildQuad(int aWidth, int aHeight, const LVector2* aFirst, const LVector2* aLast);
    bool Tile(const LString& aName, LImage* aImage);
    // Gives up the texture lock, the quad and the tile group held from an earlier picture.
    void ReleasePicture();
    // Copies the sprite's own settings to a new tile group.
    void CopySettingsTo(LDisplayGroup* aGroup);

    uint32_t mTexture = 0;
    LVertexBuffer* mVertexBuffer = nullptr;
    LDisplayGroup* mTileGroup = nullptr;
};
