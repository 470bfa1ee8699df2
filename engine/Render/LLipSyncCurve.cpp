#include "Render/LLipSyncCurve.h"

#include "container/LHashKeyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <climits>

namespace {
const char16_t* const kPhonemeNames[LLipSyncCurve::kPhonemeCount] = {
    u"Phoneme_Bump",     u"Phoneme_Cage",   u"Phoneme_Church",     u"Phoneme_Earth",  u"Phoneme_Eat",
    u"Phoneme_Fave",     u"Phoneme_If",     u"Phoneme_New",        u"Phoneme_Oat",    u"Phoneme_Ox",
    u"Phoneme_Roar",     u"Phoneme_Size",   u"Phoneme_Though",     u"Phoneme_Told",   u"Phoneme_Wet",
    u"Viseme_Blink",     u"Viseme_EB_Down", u"Viseme_EB_Up",       u"Viseme_Anger",   u"Viseme_Disgust",
    u"Viseme_Frown",     u"Viseme_Happy",   u"Viseme_Sad",         u"Viseme_Smile",   u"Viseme_Squint",
    u"Viseme_Surprise",  u"Viseme_Tightlipped",
};

constexpr int kKeyBytes = 2 * 4;

bool ReadFloats(LIStream* aStream, int aCount, float* aOut)
{
    for (int i = 0; i < aCount; ++i) {
        if (!::Read(aStream, aOut[i])) {
            return false;
        }
    }
    return true;
}
} // namespace

LLipSyncCurve::~LLipSyncCurve()
{
    delete[] mTimes;
    delete[] mValues;
}

const char16_t* LLipSyncCurve::GetPhonemeName(int aType)
{
    return aType >= 0 && aType < kPhonemeCount ? kPhonemeNames[aType] : nullptr;
}

int LLipSyncCurve::FindPhonemeType(const LString& aName)
{
    for (int i = 0; i < kPhonemeCount; ++i) {
        if (aName.EqualsNoCase(kPhonemeNames[i])) {
            return i;
        }
    }
    return -1;
}

bool LLipSyncCurve::SetId(const LString& aId)
{
    mId = aId;
    mIdHash = LHashKeyList::Hash(aId, 7, false);
    mType = FindPhonemeType(aId);
    return mType >= 0;
}

void LLipSyncCurve::SetKeys(int aCount, float* aTimes, float* aValues)
{
    delete[] mTimes;
    delete[] mValues;
    mKeyCount = aCount;
    mTimes = aTimes;
    mValues = aValues;
}

bool LLipSyncCurve::Read(LIStream* aStream)
{
    int count = 0;
    if (!::Read(aStream, mId) || !::Read(aStream, mIdHash) || !::Read(aStream, mType) || !::Read(aStream, count)) {
        L_ERROR("Read failure. Truncated curve.");
        return false;
    }
    if (count <= 0) {
        SetKeys(0, nullptr, nullptr);
        return true;
    }
    if (count > INT_MAX / kKeyBytes || !aStream->Holds(static_cast<long long>(count) * kKeyBytes)) {
        L_ERROR(LString("Read failure. Key count exceeds the data left: ") + count);
        return false;
    }
    float* times = L_NEW float[count];
    float* values = L_NEW float[count];
    SetKeys(count, times, values);
    if (times == nullptr || values == nullptr) {
        SetKeys(0, nullptr, nullptr);
        L_ERROR("Read failure. Out of memory.");
        return false;
    }
    if (!ReadFloats(aStream, count, times) || !ReadFloats(aStream, count, values)) {
        L_ERROR("Read failure. Truncated keys.");
        return false;
    }
    return true;
}

bool LLipSyncCurve::Write(LIStream* aStream) const
{
    const int count = mTimes != nullptr && mValues != nullptr && mKeyCount > 0 ? mKeyCount : 0;
    bool result = ::Write(aStream, mId);
    result = ::Write(aStream, mIdHash) && result;
    result = ::Write(aStream, mType) && result;
    result = ::Write(aStream, count) && result;
    for (int i = 0; i < count; ++i) {
        result = ::Write(aStream, mTimes[i]) && result;
    }
    for (int i = 0; i < count; ++i) {
        result = ::Write(aStream, mValues[i]) && result;
    }
    return result;
}

bool LLipSyncCurve::WeightAt(float aTime, unsigned int* aCursor, float* aWeight) const
{
    const unsigned int count = mKeyCount > 0 && mTimes != nullptr && mValues != nullptr ? mKeyCount : 0;
    unsigned int key = *aCursor;
    if (key + 1 >= count) {
        return false;
    }
    while (aTime >= mTimes[key + 1]) {
        *aCursor = ++key;
        if (key + 1 >= count) {
            return false;
        }
    }
    // Between two keys; keys out of order or at one time give the earlier key's value.
    float along = (aTime - mTimes[key]) / (mTimes[key + 1] - mTimes[key]);
    if (!(along > 0.0f)) {
        along = 0.0f;
    } else if (along > 1.0f) {
        along = 1.0f;
    }
    *aWeight = mValues[key] + (mValues[key + 1] - mValues[key]) * along;
    return true;
}
