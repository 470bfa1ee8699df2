// One loaded location. Until locations load no scene is ever made by the game; the
// operations other parts already call on the current scene are here so that they need no
// change later. Tests make a scene and hand it to the scene manager.
#pragma once
#include "LVector3.h"
#include "object/LBase.h"
#include "pda/GMIPDAListener.h"

class GMCloseUp;

class GMScene : public LBase, public GMIPDAListener
{
public:
    GMScene();
    ~GMScene() override;

    LString Dump() const override;

    // Clicks and keys reach the scene only while its input is enabled.
    void SetInputEnabled(bool aEnabled) { mInputEnabled = aEnabled; }
    bool IsInputEnabled() const { return mInputEnabled; }

    // The PDA's listener: 1 (minimized) gives the scene its input back, 4 (opened) takes
    // it away.
    void OnPDAEvent(int aCode) override;

    // Stops the location's ambient audio (there is none yet) and clears the keep-audio
    // flag.
    void StopAudio() { mKeepAudio = 0; }
    // Set by a screen that covers the scene and wants its audio to go on underneath.
    void SetKeepAudio(bool aKeep) { mKeepAudio = aKeep ? 1 : 0; }
    bool GetKeepAudio() const { return mKeepAudio != 0; }

    // Set while an interview started from the scene runs.
    void SetInterviewRunning(bool aRunning) { mInterviewRunning = aRunning ? 1 : 0; }
    bool IsInterviewRunning() const { return mInterviewRunning != 0; }

    // The close-up shown over the scene; close-ups never open yet, so always null.
    GMCloseUp* GetCloseUp() const { return mCloseUp; }

    // Where the player character stands (y up) and the planar direction the navigation
    // steers it in (first two components). Without characters the place is the one set;
    // null before any.
    void SetPlayerPlace(const LVector3& aPosition, const LVector3& aDirection);
    const LVector3* GetPlayerPosition() const { return mHasPlayer ? &mPlayerPosition : nullptr; }
    const LVector3* GetPlayerDirection() const { return mHasPlayer ? &mPlayerDirection : nullptr; }

private:
    bool mInputEnabled = true;
    unsigned char mKeepAudio = 0;
    unsigned char mInterviewRunning = 0;
    GMCloseUp* mCloseUp = nullptr;
    bool mHasPlayer = false;
    LVector3 mPlayerPosition;
    LVector3 mPlayerDirection;
};
