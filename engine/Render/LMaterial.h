// How a mesh subset is lit and textured: four colours, a specular power and an optional
// texture of the texture manager. A plain value: copies share the texture handle.
//
// Record: ambient, diffuse, emissive (4 floats r, g, b, a each), power (float), specular
// (4 floats), texture name (int32 count c, then c + 1 UTF-16 units ending in 0).
#pragma once
#include "container/LString.h"
#include "object/LObject.h"
#include "Render/LColor.h"

#include <cstdint>

class LMaterial : public LObject
{
public:
    LMaterial();
    LMaterial(const LMaterial& aOther) = default;
    LMaterial& operator=(const LMaterial& aOther) = default;
    ~LMaterial() override;

    LString Dump() const override;

    // Reads the record; a texture name is created (or found) in the texture manager.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // Takes the texture of a name (relative to the texture root unless it begins with
    // "//"); 0 when it cannot be made. The old texture stays with the texture manager,
    // since other materials may share it.
    int SetTexture(const LString& aName);

    const LColor& GetDiffuse() const { return mDiffuse; }
    const LColor& GetAmbient() const { return mAmbient; }
    const LColor& GetSpecular() const { return mSpecular; }
    const LColor& GetEmissive() const { return mEmissive; }
    float GetPower() const { return mPower; }
    uint32_t GetTexture() const { return mTexture; }
    const LString& GetTextureName() const { return mTextureName; }

    void SetDiffuse(const LColor& aColor) { mDiffuse = aColor; }
    void SetAmbient(const LColor& aColor) { mAmbient = aColor; }
    void SetSpecular(const LColor& aColor) { mSpecular = aColor; }
    void SetEmissive(const LColor& aColor) { mEmissive = aColor; }
    void SetPower(float aPower) { mPower = aPower; }

private:
    LColor mDiffuse;
    LColor mAmbient;
    LColor mSpecular;
    LColor mEmissive;
    float mPower = 0.0f;
    uint32_t mTexture = 0;
    LString mTextureName;
};
