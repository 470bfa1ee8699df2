// Plays the lip sync of a spoken line on a draw element: each curve of the data turns the
// face frames towards the pose of its mouth shape by the curve's weight at the player's
// time. The 27 poses (one facial animation per phoneme type, of which only the first key
// of each channel counts) are loaded from a directory; the player keeps its own stopwatch
// and a cursor per curve. Its update runs in the element's update, after the body
// animation has posed the frames.
//
// States: idle, playing, paused. Play starts at 0 from idle and continues from paused;
// Stop rewinds every curve. There is no end: past the last key of every curve the face
// keeps its last pose until the player stops.
#pragma once

class LAnimation;
class LDrawElement;
class LLipSyncCurve;
class LLipSyncData;
class LStopwatch;
class LString;

class LLipSyncPlayer
{
public:
    LLipSyncPlayer();
    ~LLipSyncPlayer();
    LLipSyncPlayer(const LLipSyncPlayer&) = delete;
    LLipSyncPlayer& operator=(const LLipSyncPlayer&) = delete;

    // Replaces the data by a file's (LLipSyncData::Load); 0 when it cannot be loaded, and
    // then the old data stays.
    int LoadData(bool aBinary, const LString& aPath, bool aSymbolic);
    // The poses: aDirectory + "/" + phoneme name + ".lia" for every type in table order.
    // The first that cannot be loaded ends it with "Animation file not found." and 0; the
    // poses loaded before stay.
    int LoadAnimation(const LString& aDirectory, bool aSymbolic);
    // Takes ownership of aData, deleting the old data; every curve starts at its first key.
    int SetData(LLipSyncData* aData);
    int SetDrawElement(LDrawElement* aElement);

    int Play();
    int Pause();
    int Stop();
    // Poses the element's frames with every curve at the player's time. 1.
    int Update();

    bool IsPlaying() const { return mPlaying; }
    bool IsPaused() const { return mPaused; }
    const LLipSyncData* GetData() const { return mData; }
    // The pose of phoneme type aType; null when it is not loaded.
    const LAnimation* GetPose(int aType) const;
    // Seconds since Play, standing still while paused.
    float GetTime() const;

private:
    void DeletePoses();
    // Turns the frames aPose moves towards its first keys by aWeight.
    void ApplyPose(const LAnimation& aPose, float aWeight);

    LStopwatch* mStopwatch = nullptr;
    LLipSyncData* mData = nullptr;
    bool mPlaying = false;
    bool mPaused = false;
    // One per curve of the data: its key at or before the player's time.
    unsigned int* mCursors = nullptr;
    LDrawElement* mElement = nullptr;
    // kPhonemeCount owned poses, or null.
    LAnimation** mPoses = nullptr;
};
