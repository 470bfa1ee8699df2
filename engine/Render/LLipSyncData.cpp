#include "Render/LLipSyncData.h"

#include "Render/LLipSyncCurve.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

#include <climits>

namespace {
// The text file's name for messages: the sound's name ending in ".dat" instead of its
// four-character extension.
LString DataFileName(const LString& aSound)
{
    const int length = aSound.GetLength();
    return aSound.Mid(0, length > 4 ? length - 4 : 0, 0) + ".dat";
}

// The key count a list of aLength numbers leaves of aCount (logged when they differ).
int TrimToList(int aCount, int aLength, const char* aWhat, const LString* aSound, int aEntry)
{
    if (aLength == aCount) {
        return aCount;
    }
    L_ASSERT_FAILURE(LString("Invalid number of ") + aWhat + ".");
    if (aLength > aCount) {
        return aCount;
    }
    if (aSound != nullptr) {
        Log(u"**** Lipsync data error ****");
        Log(LString("Invalid number of ") + aWhat + " in " + DataFileName(*aSound) + " key number " + (aEntry + 1));
    }
    return aLength;
}

// The keys of one text entry, milliseconds and percent, behind the leading key.
void ReadTextKeys(LLipSyncCurve& aCurve, const LPropertyList& aEntry, int aCount, const LString* aSound, int aIndex)
{
    bool found = false;
    const LVectorFloat times = aEntry.GetVectorFloat(LString("times"), found);
    aCount = TrimToList(aCount, times.GetCount(), "times", aSound, aIndex);
    const LVectorFloat values = aEntry.GetVectorFloat(LString("values"), found);
    aCount = TrimToList(aCount, values.GetCount(), "values", aSound, aIndex);
    float* keyTimes = L_NEW float[aCount + 1];
    float* keyValues = L_NEW float[aCount + 1];
    if (keyTimes == nullptr || keyValues == nullptr) {
        delete[] keyTimes;
        delete[] keyValues;
        L_ERROR("CreateFromPropertyList failure. Out of memory.");
        return;
    }
    keyTimes[0] = 0.0f;
    keyValues[0] = 0.0f;
    for (int k = 0; k < aCount; ++k) {
        keyTimes[k + 1] = static_cast<float>(times[k] / 1000.0);
        keyValues[k + 1] = static_cast<float>(values[k] / 100.0);
    }
    aCurve.SetKeys(aCount + 1, keyTimes, keyValues);
}
} // namespace

LLipSyncData::LLipSyncData() = default;

LLipSyncData::~LLipSyncData()
{
    delete[] mCurves;
}

const LLipSyncCurve* LLipSyncData::GetCurve(int aIndex) const
{
    return aIndex >= 0 && aIndex < mCurveCount ? &mCurves[aIndex] : nullptr;
}

void LLipSyncData::Adopt(int aCount, LLipSyncCurve* aCurves)
{
    delete[] mCurves;
    mCurves = aCurves;
    mCurveCount = aCurves != nullptr ? aCount : 0;
}

int LLipSyncData::Load(bool aBinary, const LString& aPath, bool aSymbolic)
{
    if (aBinary) {
        LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
        if (!stream.CreateFromFile(aPath, aSymbolic)) {
            return 0;
        }
        return Read(&stream) ? 1 : 0;
    }
    LPropertyList list;
    if (!list.Load(aPath, aSymbolic)) {
        return 0;
    }
    return CreateFromPropertyList(&list);
}

int LLipSyncData::CreateFromPropertyList(const LPropertyList* aList)
{
    if (aList == nullptr) {
        L_ERROR("NULL arg.");
        return 0;
    }
    const LPropertyList* phonemes = aList->GetList(LString("phonemes"));
    if (phonemes == nullptr) {
        L_ASSERT_FAILURE("'phonemes' not found.");
        Adopt(0, nullptr);
        return 1;
    }
    bool hasSound = false;
    const LString sound = aList->GetString(LString("sound"), hasSound);
    const int entries = phonemes->GetCount();
    LLipSyncCurve* curves = entries > 0 ? L_NEW LLipSyncCurve[entries] : nullptr;
    if (entries > 0 && curves == nullptr) {
        L_ERROR("CreateFromPropertyList failure. Out of memory.");
        return 0;
    }
    int kept = 0;
    for (int i = 0; i < entries; ++i) {
        const LPropertyList* entry = phonemes->GetListAt(i);
        bool found = false;
        const LString id = entry != nullptr ? entry->GetString(LString("id"), found) : LString();
        if (!found) {
            L_ASSERT_FAILURE("'id' not found.");
            continue;
        }
        LLipSyncCurve& curve = curves[kept];
        if (!curve.SetId(id)) {
            // No pose belongs to it: the curve is left out.
            L_ASSERT_FAILURE("Invalid type.");
            continue;
        }
        const int count = entry->GetInt(LString("numkeys"), found);
        if (!found) {
            L_ASSERT_FAILURE("'numkeys' not found.");
        } else if (count > 0) {
            ReadTextKeys(curve, *entry, count, hasSound ? &sound : nullptr, i);
        }
        ++kept;
    }
    Adopt(kept, curves);
    return 1;
}

bool LLipSyncData::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    int count = 0;
    if (!::Read(aStream, count)) {
        L_ERROR("Read failure. Truncated data.");
        return false;
    }
    if (count < 1) {
        return true;
    }
    if (count > INT_MAX / LLipSyncCurve::kMinRecordBytes ||
        !aStream->Holds(static_cast<long long>(count) * LLipSyncCurve::kMinRecordBytes)) {
        L_ERROR(LString("Read failure. Curve count exceeds the data left: ") + count);
        return false;
    }
    LLipSyncCurve* curves = L_NEW LLipSyncCurve[count];
    if (curves == nullptr) {
        L_ERROR("Read failure. Out of memory.");
        return false;
    }
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        LLipSyncCurve& curve = curves[kept];
        if (!curve.Read(aStream)) {
            delete[] curves;
            return false;
        }
        if (LLipSyncCurve::GetPhonemeName(curve.mType) == nullptr) {
            L_ERROR(LString("Read failure. Invalid type: ") + curve.mType);
            continue;
        }
        ++kept;
    }
    Adopt(kept, curves);
    return true;
}

bool LLipSyncData::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool result = ::Write(aStream, mCurveCount);
    for (int i = 0; i < mCurveCount; ++i) {
        result = mCurves[i].Write(aStream) && result;
    }
    return result;
}
