#include "Render/LMaterial.h"

#include "Render/LTextureManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

LMaterial::LMaterial()
    : mDiffuse(1.0f, 1.0f, 1.0f, 1.0f),
      mAmbient(1.0f, 1.0f, 1.0f, 1.0f),
      mSpecular(1.0f, 1.0f, 1.0f, 1.0f),
      mEmissive(1.0f, 0.0f, 0.0f, 0.0f)
{
}

LMaterial::~LMaterial() = default;

LString LMaterial::Dump() const
{
    return DumpHead("LMaterial") + "]";
}

bool LMaterial::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    LColor ambient;
    LColor diffuse;
    LColor emissive;
    LColor specular;
    float power = 0.0f;
    LString name;
    if (!ambient.Read(aStream) || !diffuse.Read(aStream) || !emissive.Read(aStream) ||
        !::Read(aStream, power) || !specular.Read(aStream) || !::Read(aStream, name)) {
        L_ERROR("Read failure. Truncated record.");
        return false;
    }
    mAmbient = ambient;
    mDiffuse = diffuse;
    mEmissive = emissive;
    mPower = power;
    mSpecular = specular;
    mTextureName = name;
    mTexture = 0;
    if (name.IsEmpty()) {
        return true;
    }
    LTextureManager* manager = LTextureManager::Get();
    mTexture = manager != nullptr ? manager->CreateTexture(name) : 0;
    if (mTexture == 0) {
        L_ERROR("Texture creation failure:" + name);
        return false;
    }
    return true;
}

bool LMaterial::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool result = mAmbient.Write(aStream);
    result = mDiffuse.Write(aStream) && result;
    result = mEmissive.Write(aStream) && result;
    result = ::Write(aStream, mPower) && result;
    result = mSpecular.Write(aStream) && result;
    result = ::Write(aStream, mTextureName) && result;
    return result;
}

int LMaterial::SetTexture(const LString& aName)
{
    LTextureManager* manager = LTextureManager::Get();
    const uint32_t handle = manager != nullptr ? manager->CreateTexture(aName) : 0;
    if (handle == 0) {
        L_ERROR("Texture not found:" + aName);
        return 0;
    }
    mTexture = handle;
    mTextureName = aName;
    return 1;
}
