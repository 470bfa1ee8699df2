#include "util/GMOptions.h"

#include "container/LString.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"

#include <bit>
#include <cmath>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the options file is stored in host order");

namespace {

GMSingleton<GMOptions> sOptions;

// The field at aOffset of the file's bytes (int or float).
template <typename T>
T Field(const unsigned char* aBytes, int aOffset)
{
    T value;
    std::memcpy(&value, aBytes + aOffset, sizeof(T));
    return value;
}

template <typename T>
void SetField(unsigned char* aBytes, int aOffset, T aValue)
{
    std::memcpy(aBytes + aOffset, &aValue, sizeof(T));
}

constexpr int kVolumeOffset = 4 + 4 * GMOptions::TOGGLE_COUNT;

bool IsToggleIndex(int aIndex)
{
    if (aIndex < 0 || aIndex >= GMOptions::TOGGLE_COUNT) {
        L_ERROR(LString("Toggle index out of range: ") + aIndex);
        return false;
    }
    return true;
}

} // namespace

GMOptions* GMOptions::GetInstance()
{
    const bool made = !sOptions.Peek();
    GMOptions* options = sOptions.Get(L_FILE, __LINE__, "GMOptions creation failure.");
    if (options && made) {
        options->Load();
    }
    return options;
}

const LString& GMOptions::GetFilePath()
{
    static const LString sPath("//dataroot/game/.options");
    return sPath;
}

GMOptions::GMOptions() = default;

GMOptions::~GMOptions()
{
    sOptions.Destroyed(this);
}

LString GMOptions::Dump() const
{
    return DumpHead("GMOptions") + "]";
}

int GMOptions::GetToggle(int aIndex) const
{
    return IsToggleIndex(aIndex) ? mToggles[aIndex] : 0;
}

void GMOptions::SetToggle(int aIndex, int aValue)
{
    if (IsToggleIndex(aIndex)) {
        mToggles[aIndex] = aValue;
    }
}

bool GMOptions::Load()
{
    LFileStream file(GetFilePath(), true);
    file.SetOpenMode(LFileStream::OPEN_READ);
    if (!file.Open()) {
        L_ERROR("Error opening .options file during load");
        return false;
    }
    const bool read = Read(&file);
    file.Close();
    return read;
}

bool GMOptions::Save() const
{
    unsigned char bytes[FILE_SIZE];
    Encode(bytes);
    if (!LFileStream::WriteBytesToFile(FILE_SIZE, bytes, GetFilePath(), true)) {
        L_ERROR("Error opening .options file during save");
        return false;
    }
    return true;
}

bool GMOptions::Read(LIStream* aStream)
{
    if (!aStream) {
        L_ERROR("Invalid arg.");
        return false;
    }
    const int remaining = aStream->GetRemaining();
    unsigned char bytes[FILE_SIZE];
    if ((remaining >= 0 && remaining != FILE_SIZE) || !aStream->ReadBytes(FILE_SIZE, bytes)) {
        L_ERROR(LString("Damaged .options file: ") + remaining + " bytes instead of " + int(FILE_SIZE));
        return false;
    }
    const int skill = Field<int>(bytes, 0);
    bool valid = skill >= SKILL_EASY && skill <= SKILL_HARD;
    for (int i = 0; i < TOGGLE_COUNT; ++i) {
        const int toggle = Field<int>(bytes, 4 + 4 * i);
        valid = valid && (toggle == 0 || toggle == 1);
    }
    const float volume = Field<float>(bytes, kVolumeOffset);
    // NaN fails both comparisons.
    valid = valid && volume >= 0.0f && volume <= 1.0f;
    if (!valid) {
        L_ERROR("Damaged .options file: a value out of range");
        return false;
    }
    mSkill = skill;
    for (int i = 0; i < TOGGLE_COUNT; ++i) {
        mToggles[i] = Field<int>(bytes, 4 + 4 * i);
    }
    mVolume = volume;
    return true;
}

void GMOptions::Encode(unsigned char (&aBytes)[FILE_SIZE]) const
{
    SetField(aBytes, 0, mSkill);
    for (int i = 0; i < TOGGLE_COUNT; ++i) {
        SetField(aBytes, 4 + 4 * i, mToggles[i]);
    }
    SetField(aBytes, kVolumeOffset, mVolume);
}
