// Plays a gesture file (".gk"): a timed list of keys, each of which makes one bound
// character play one animation whose position follows the key's curve. While playing, the
// player is a frame listener (priority 0.0) that sets the time of every running gesture
// animation on its character each frame; the animations do not advance on their own.
//
// Keys start in file order: a key waits for every key before it, so a key timed before
// the previous one starts together with it. Animations come from the gesture animation
// manager (root "//animations"), which keeps them for later players.
#pragma once
#include "container/LHashKeyList.h"
#include "container/LVectorInt.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

class LCharacter;
class LGestureCurve;
class LGestureKey;
class LIGesturePlayerListener;
class LPropertyList;
class LStopwatch;

class LGesturePlayer : public LBase, public LIFrameListener
{
public:
    static constexpr float kPriority = 0.0f;

    LGesturePlayer();
    LGesturePlayer(const LGesturePlayer&) = delete;
    LGesturePlayer& operator=(const LGesturePlayer&) = delete;
    // Leaves the frame manager, stops, frees keys, curves and stopwatch.
    ~LGesturePlayer() override;

    LString Dump() const override;

    // Loads the gesture file (symbolic path), samples its curves and looks up its
    // animations. False when the file cannot be read or has no "keys" list.
    bool Load(const LString& aPath);
    // Binds a (case-insensitive) id of the file to a character; the keys of that id get
    // the character's gender letter in their paths. False for an id bound already.
    bool SetCharacter(const LString& aId, LCharacter* aCharacter);
    // Starts from 0, or resumes after Pause.
    void Play();
    void Pause();
    // Ends every running gesture (the bound characters' blend tracks are emptied) and
    // rewinds to the first key.
    void Stop();
    void OnFrame() override;

    // Only when none is set and aListener is not null.
    bool SetListener(LIGesturePlayerListener* aListener);
    // Only the one that is set.
    bool RemoveListener(LIGesturePlayerListener* aListener);

    // The length in seconds of the animation at aPath under "//animations"; 0.0 (logged)
    // when it cannot be read. An animation this call had to load is dropped again.
    float GetAnimLength(const LString& aPath);

    int GetKeyCount() const { return mKeyCount; }
    // Null outside 0 .. count - 1.
    const LGestureKey* GetKey(int aIndex) const;
    const LGestureCurve* GetCurve(int aIndex) const;
    int GetNextKey() const { return mNextKey; }
    const LVectorInt& GetActive() const { return mActive; }
    bool IsPlaying() const { return mPlaying != 0; }
    bool IsPaused() const { return mPaused != 0; }
    bool AreAnimsLoaded() const { return mAnimsLoaded != 0; }

private:
    void ParseKeys(const LPropertyList& aKeys);
    bool BuildCurves();
    bool LoadAnims();
    // Looks up the key's animation and length; false when the manager gives a handle
    // without an animation.
    bool LoadAnim(LGestureKey& aKey);
    void SetupNewCurve(LGestureKey& aKey);
    bool UpdateAnimation();
    LCharacter* FindCharacter(const LString& aId) const;
    bool IsBound(const LString& aId) const;
    // Leaves the frame manager when it is in it.
    void LeaveFrameManager();
    void FreeKeys();

    int mKeyCount = 0;
    LGestureKey* mKeys = nullptr;
    unsigned char mPlaying = 0;
    // Registered with the frame manager: leaving it twice (a stop after a pause, the
    // destructor's stop) must not ask the manager to remove what it no longer holds.
    unsigned char mInFrames = 0;
    int mNextKey = 0;
    LHashKeyList mCharacters {7, false};
    unsigned char mAnimsLoaded = 0;
    LGestureCurve* mCurves = nullptr;
    int mCurveCount = 0;
    LVectorInt mActive;
    LStopwatch* mStopwatch = nullptr;
    unsigned char mPaused = 0;
    LIGesturePlayerListener* mListener = nullptr;
};
