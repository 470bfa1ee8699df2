// The player's settings: the skill level, six on/off toggles and the sound volume. They are
// loaded from the options file when the singleton is first used and written back when the
// player saves them on the options screen.
//
// Toggles, each 0 or 1: 0 no subtitles, 1 minimised PDA bar mode, 2 no ambient animations
// and no extra characters, 3 no scene music, 4 no scene sounds, 5 blob shadows instead of
// stencil shadows.
//
// The options file is 32 bytes, little-endian, without header: the skill and the six
// toggles as signed 32-bit integers, then the volume as a single-precision float.
#pragma once
#include "object/LBase.h"

class LIStream;

class GMOptions : public LBase
{
public:
    enum { SKILL_EASY = 0, SKILL_MEDIUM = 1, SKILL_HARD = 2 };
    enum { TOGGLE_COUNT = 6 };
    enum { FILE_SIZE = 32 };

    // The options, made with the defaults and loaded from the options file on first use
    // (a missing or damaged file leaves the defaults), registered with the game cleaner.
    static GMOptions* GetInstance();
    // "//dataroot/game/.options".
    static const LString& GetFilePath();

    // Skill medium, every toggle off, full volume.
    GMOptions();
    ~GMOptions() override;

    LString Dump() const override;

    int GetSkill() const { return mSkill; }
    void SetSkill(int aSkill) { mSkill = aSkill; }
    // Toggle aIndex (0 to 5); an index outside is logged and gives 0.
    int GetToggle(int aIndex) const;
    // An index outside 0 to 5 is logged and changes nothing.
    void SetToggle(int aIndex, int aValue);

    // Reads the options file. When it cannot be opened, or is not a whole options file
    // with values in their ranges (skill 0 to 2, toggles 0 or 1, a volume from 0.0 to
    // 1.0), the error is logged, nothing changes and the result is false.
    bool Load();
    // Writes the options file through a temporary file that replaces the old one; false
    // (logged) when it could not be written, the old file then being kept.
    bool Save() const;

    // Reads the file's contents from aStream, which must hold exactly them; the same
    // checks and result as Load, without the file.
    bool Read(LIStream* aStream);
    // The file's 32 bytes.
    void Encode(unsigned char (&aBytes)[FILE_SIZE]) const;

private:
    int mSkill = SKILL_MEDIUM;
    int mToggles[TOGGLE_COUNT] = {};

public:
    // Given to every sound player and movie the game makes; set by the options screen.
    float mVolume = 1.0f;
};
