// The lights of a location, read from its "lights_low.txt": one list per light under
// its name with "type" ("directional" or "point"), "diffuse", "specular", "ambient"
// (r|g|b), "direction" (directional), "position", "startrange" and "endrange" (point),
// "global", "on", "shadowcaster", "shadowblend" and "cameras" (camera ids, "all" first
// for every camera).
//
// The global light goes on light 0, and up to four lights chosen for the viewpoint's
// camera on lights 1 to 4.
//
// A point light reaches as far as its "endrange": that is its range, beyond which it
// lights nothing. Its strength 1 / (1 + k d^2) falls with the distance d to half at
// "startrange", or faster where that would leave more than one colour step (1/256) at
// "endrange", so that a device without a range cut-off shows no light beyond it either.
// A point light whose "endrange" is not above 0 reaches nothing and is never switched on.
#pragma once
#include "container/LString.h"
#include "container/LVectorString.h"
#include "object/LBase.h"

#include <cstdint>

class LIRasterizer;
class LLight;
class LPropertyList;

class GMLighting : public LBase
{
public:
    static constexpr int kChosenLights = 4;
    static constexpr int kDeviceLights = 8;
    // What a point light's strength is at "endrange" at most.
    static constexpr float kEndRangeStrength = 1.0f / 256.0f;

    struct LightRecord
    {
        LString mName;
        uint8_t mGlobal = 0;
        uint8_t mOn = 0;
        uint8_t mShadowCaster = 0;
        float mShade = 0.0f;
        LVectorString mCameras;
    };

    GMLighting();
    GMLighting(const GMLighting&) = delete;
    GMLighting& operator=(const GMLighting&) = delete;
    ~GMLighting() override;

    LString Dump() const override;

    // Replaces the lights by those of the file. True when one of them is the global
    // light; else "Global light not found." (the lights read are kept).
    bool CreateFromFile(const LString& aPath, bool aSymbolic);
    // The same from a list already read.
    bool CreateFromList(const LPropertyList& aList);
    // Chooses the first four lights (file order) that are on and used by aCamera, then
    // Apply.
    bool SelectLights(const LString& aCamera);
    // The light named aName casts the shadows; false (the choice kept) when none has it.
    bool SelectShadowCaster(const LString& aName);
    // Lighting on, lights 0 to 7 off, then the global light on 0 and the chosen lights on
    // 1 to 4. The AND of the rasterizer's results.
    bool Apply();
    void Clear();

    int GetLightCount() const { return mCount; }
    const LLight* GetLight(int aIndex) const;
    const LightRecord* GetRecord(int aIndex) const;
    int GetGlobalIndex() const { return mGlobal; }
    // The light index in slot 0 .. 3 of the chosen lights, or -1.
    int GetChosen(int aSlot) const;
    const LLight* GetShadowCaster() const { return mShadowCaster; }

private:
    bool ReadLight(const LString& aName, const LPropertyList& aEntry, LLight& aLight, LightRecord& aRecord);

    int mCount = 0;
    LLight** mLights = nullptr;
    LightRecord** mRecords = nullptr;
    int mGlobal = -1;
    int mChosen[kChosenLights] = {-1, -1, -1, -1};
    LIRasterizer* mRasterizer = nullptr;
    const LLight* mShadowCaster = nullptr;
};
