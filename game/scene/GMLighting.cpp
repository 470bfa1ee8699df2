#include "scene/GMLighting.h"

#include "LVector3.h"
#include "Render/LIRasterizer.h"
#include "Render/LLight.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "stdlib/LLog.h"

namespace {

constexpr float kNormalizeEpsilon = 0.0001f;

// "r|g|b" as an opaque colour; black when missing or short.
LColor ReadColor(const LPropertyList& aEntry, const char16_t* aKey)
{
    bool found = false;
    const LVectorFloat values = aEntry.GetVectorFloat(LString(aKey), found);
    if (!found || values.GetCount() < 3) {
        L_ASSERT_FAILURE(LString("'") + aKey + "' not found.");
        return LColor(1.0f, 0.0f, 0.0f, 0.0f);
    }
    return LColor(1.0f, values[0], values[1], values[2]);
}

bool ReadVector(const LPropertyList& aEntry, const char16_t* aKey, LVector3& aOut)
{
    bool found = false;
    const LVectorFloat values = aEntry.GetVectorFloat(LString(aKey), found);
    if (!found || values.GetCount() < 3) {
        L_ASSERT_FAILURE(LString("'") + aKey + "' not found.");
        return false;
    }
    aOut = LVector3(values[0], values[1], values[2]);
    return true;
}

float ReadFloat(const LPropertyList& aEntry, const char16_t* aKey)
{
    bool found = false;
    const float value = aEntry.GetFloat(LString(aKey), found);
    if (!found) {
        L_ASSERT_FAILURE(LString("'") + aKey + "' not found.");
    }
    return value;
}

} // namespace

GMLighting::GMLighting() : mRasterizer(LIRasterizer::Get()) {}

GMLighting::~GMLighting()
{
    Clear();
}

LString GMLighting::Dump() const
{
    return DumpHead("GMLighting") + " lights=" + mCount + " global=" + mGlobal + "]";
}

void GMLighting::Clear()
{
    for (int i = 0; i < mCount; ++i) {
        delete mLights[i];
        delete mRecords[i];
    }
    delete[] mLights;
    delete[] mRecords;
    mLights = nullptr;
    mRecords = nullptr;
    mCount = 0;
    mGlobal = -1;
    for (int& slot : mChosen) {
        slot = -1;
    }
    mShadowCaster = nullptr;
}

bool GMLighting::CreateFromFile(const LString& aPath, bool aSymbolic)
{
    LPropertyList list;
    if (!list.Load(aPath, aSymbolic)) {
        L_ASSERT_FAILURE("CreateFromFile failure.");
        Clear();
        return false;
    }
    return CreateFromList(list);
}

bool GMLighting::CreateFromList(const LPropertyList& aList)
{
    Clear();
    const int count = aList.GetCount();
    mLights = L_NEW LLight*[count > 0 ? count : 1];
    mRecords = L_NEW LightRecord*[count > 0 ? count : 1];
    if (mLights == nullptr || mRecords == nullptr) {
        L_ERROR("CreateFromFile failure. Out of memory.");
        Clear();
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const LPropertyList* entry = aList.GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE(LString("Light is not a list: ") + aList.GetKeyAt(i));
            continue;
        }
        LLight* light = L_NEW LLight(LLight::kDirectional);
        LightRecord* record = L_NEW LightRecord;
        if (light == nullptr || record == nullptr) {
            delete light;
            delete record;
            L_ERROR("CreateFromFile failure. Out of memory.");
            continue;
        }
        if (!ReadLight(aList.GetKeyAt(i), *entry, *light, *record)) {
            delete light;
            delete record;
            continue;
        }
        mLights[mCount] = light;
        mRecords[mCount] = record;
        if (record->mGlobal != 0) {
            if (mGlobal < 0) {
                mGlobal = mCount;
            } else {
                L_ASSERT_FAILURE("Found more than 1 global light.");
                record->mGlobal = 0;
            }
        }
        ++mCount;
    }
    if (mGlobal < 0) {
        L_ASSERT_FAILURE("Global light not found.");
        return false;
    }
    return true;
}

bool GMLighting::ReadLight(const LString& aName, const LPropertyList& aEntry, LLight& aLight, LightRecord& aRecord)
{
    bool found = false;
    const LString type = aEntry.GetString(LString("type"), found);
    if (type.Equals(u"directional", false)) {
        aLight.mType = LLight::kDirectional;
        if (ReadVector(aEntry, u"direction", aLight.mDirection)) {
            aLight.mDirection = aLight.mDirection.Normalize(kNormalizeEpsilon);
        }
    } else if (type.Equals(u"point", false)) {
        aLight.mType = LLight::kPoint;
        ReadVector(aEntry, u"position", aLight.mPosition);
    } else {
        L_ASSERT_FAILURE("Spot lights not yet supported.");
        return false;
    }
    aLight.mDiffuse = ReadColor(aEntry, u"diffuse");
    aLight.mSpecular = ReadColor(aEntry, u"specular");
    aLight.mAmbient = ReadColor(aEntry, u"ambient");

    aRecord.mName = aName;
    aRecord.mGlobal = aEntry.GetBool(LString("global"), found) ? 1 : 0;
    aRecord.mOn = aEntry.GetBool(LString("on"), found) ? 1 : 0;
    aRecord.mShadowCaster = aEntry.GetBool(LString("shadowcaster"), found) ? 1 : 0;
    const float shade = aEntry.GetFloat(LString("shadowblend"), found);
    if (found) {
        aRecord.mShade = shade;
    }
    const LVectorString cameras = aEntry.GetVectorString(LString("cameras"), found);
    if (found) {
        aRecord.mCameras = cameras;
    }

    if (aLight.mType == LLight::kPoint) {
        const float start = ReadFloat(aEntry, u"startrange");
        const float end = ReadFloat(aEntry, u"endrange");
        if (end <= 0.0f) {
            L_ASSERT_FAILURE(LString("Point light reaches nothing: ") + aName);
            aRecord.mOn = 0;
            aLight.mRange = 0.0f;
        } else {
            // Half strength at startrange, at most kEndRangeStrength at endrange, none beyond.
            const float atEnd = (1.0f / kEndRangeStrength - 1.0f) / (end * end);
            const float atStart = start > 0.0f ? 1.0f / (start * start) : 0.0f;
            aLight.mRange = end;
            aLight.mAttenuation0 = 1.0f;
            aLight.mAttenuation1 = 0.0f;
            aLight.mAttenuation2 = atStart > atEnd ? atStart : atEnd;
        }
    }
    return true;
}

const LLight* GMLighting::GetLight(int aIndex) const
{
    return aIndex >= 0 && aIndex < mCount ? mLights[aIndex] : nullptr;
}

const GMLighting::LightRecord* GMLighting::GetRecord(int aIndex) const
{
    return aIndex >= 0 && aIndex < mCount ? mRecords[aIndex] : nullptr;
}

int GMLighting::GetChosen(int aSlot) const
{
    return aSlot >= 0 && aSlot < kChosenLights ? mChosen[aSlot] : -1;
}

bool GMLighting::SelectLights(const LString& aCamera)
{
    int slot = 0;
    for (int i = 0; i < mCount && slot < kChosenLights; ++i) {
        const LightRecord& record = *mRecords[i];
        const LVectorString& cameras = record.mCameras;
        if (record.mOn == 0 || cameras.GetCount() == 0) {
            continue;
        }
        bool used = cameras[0].Equals(u"all", true);
        for (int c = 0; c < cameras.GetCount() && !used; ++c) {
            used = cameras[c].Equals(aCamera, true);
        }
        if (used) {
            mChosen[slot++] = i;
        }
    }
    for (; slot < kChosenLights; ++slot) {
        mChosen[slot] = -1;
    }
    return Apply();
}

bool GMLighting::SelectShadowCaster(const LString& aName)
{
    for (int i = 0; i < mCount; ++i) {
        if (mRecords[i]->mName.Equals(aName, true)) {
            mShadowCaster = mLights[i];
            return true;
        }
    }
    return false;
}

bool GMLighting::Apply()
{
    if (mRasterizer == nullptr) {
        mRasterizer = LIRasterizer::Get();
    }
    if (mRasterizer == nullptr) {
        L_ERROR("Apply failure. No rasterizer.");
        return false;
    }
    bool result = mRasterizer->SetLighting(true) != 0;
    for (int i = 0; i < kDeviceLights; ++i) {
        result = (mRasterizer->LightEnable(i, false) != 0) && result;
    }
    if (mGlobal >= 0 && mRecords[mGlobal]->mOn != 0) {
        result = (mRasterizer->SetLight(0, mLights[mGlobal]) != 0) && result;
        result = (mRasterizer->LightEnable(0, true) != 0) && result;
    }
    for (int slot = 0; slot < kChosenLights; ++slot) {
        const int index = mChosen[slot];
        if (index < 0 || index >= mCount) {
            continue;
        }
        if (index == mGlobal || mRecords[index]->mOn == 0) {
            result = (mRasterizer->LightEnable(slot + 1, false) != 0) && result;
            continue;
        }
        result = (mRasterizer->SetLight(slot + 1, mLights[index]) != 0) && result;
        result = (mRasterizer->LightEnable(slot + 1, true) != 0) && result;
    }
    return result;
}
