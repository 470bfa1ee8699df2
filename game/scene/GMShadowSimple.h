// The cheap shadow: a round dark patch ("shadow_circle.tga") on a flat quad under the
// player, drawn blended at a third of its strength.
#pragma once
#include "LVector3.h"
#include "object/LBase.h"

class LIRasterizer;
class LMesh;

class GMShadowSimple : public LBase
{
public:
    static constexpr float kHalfSize = 15.0f;
    static constexpr float kHeightOffset = 1.0f;
    static constexpr float kBlendFactor = 0.3f;

    // Takes the texture and builds the quad; a texture that does not load is logged and
    // the quad is drawn without it.
    GMShadowSimple();
    GMShadowSimple(const GMShadowSimple&) = delete;
    GMShadowSimple& operator=(const GMShadowSimple&) = delete;
    ~GMShadowSimple() override;

    LString Dump() const override;

    // Follows the player: its position raised by kHeightOffset.
    void Update(const LVector3& aPlayerPosition);
    // The quad at the position, alpha blended with the blend factor at kBlendFactor;
    // afterwards the factor is 1.0 again, blending is off and no texture is bound. The
    // AND of the rasterizer's results.
    bool Render();

    const LVector3& GetPosition() const { return mPosition; }
    LMesh* GetMesh() const { return mMesh; }
    unsigned int GetTexture() const { return mTexture; }

private:
    unsigned int mTexture = 0;
    LMesh* mMesh = nullptr;
    LVector3 mPosition;
    LIRasterizer* mRasterizer = nullptr;
};
