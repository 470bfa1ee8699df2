// A movie player without pictures or sound: it keeps what it was told (position and
// relative z through the display object, volume, play and pause calls) and reports the
// size, frame count and current frame a test sets. Every live player is listed, newest
// last.
//
// A texture movie (not full screen) also has a texture, a 1 x 1 picture of mid grey made
// by the "texture" creator and registered in the texture manager under its file name, so
// a sprite can show its handle; the player gives its lock back when it goes.
//
// Its movie ends in one of two ways: End tells the listener at once; MarkEnded ends it as
// a real movie ends, seen by the frame loop: the mark makes the player a frame listener
// (priority 0.0, after those already there), and in the next pass it leaves the frame
// manager, tells its listener and interrupts the rest of that pass. The listener may
// delete the player inside the notice.
#pragma once
#include "Video/LIMoviePlayer.h"
#include "support/LFakeEnding.h"

#include <vector>

class LFakeMoviePlayer : public LIMoviePlayer
{
public:
    LFakeMoviePlayer(const LString& aId, const LString& aFileName, bool aFullScreen);
    ~LFakeMoviePlayer() override;

    LString Dump() const override;
    // Counts the calls; draws nothing.
    bool Render(LRenderer* aRenderer) override;
    void OnFrame() override;

    bool Open(const LString& aNativePath, bool aFullScreen) override;
    bool Close() override;
    bool Play() override;
    bool Pause() override;
    bool Resume() override;
    unsigned GetCurrentFrame() override { return mCurrentFrame; }
    unsigned GetFrameCount() override { return mFrameCount; }
    float GetLength() override { return static_cast<float>(mFrameCount) / 30.0f; }
    bool GotoFrame(unsigned aFrame) override;
    bool GotoPreviousKeyFrame(unsigned aFrame) override { return GotoFrame(aFrame); }
    void SetFrameRate(unsigned) override {}

    void SetSize(int aWidth, int aHeight);
    bool IsLooping() const { return mLoop; }
    float GetVolume() const { return mVolume; }
    LIMovieListener* GetListener() const { return mListener; }

    // Stops the movie and tells the listener at once; the listener may delete the player.
    void End();
    // The movie has run out: the next frame pass ends it (see above).
    void MarkEnded();

    // The live full-screen players (cut scenes, the intro), oldest first.
    static const std::vector<LFakeMoviePlayer*>& Live();
    // The live texture players (a location's ambient movies), oldest first.
    static const std::vector<LFakeMoviePlayer*>& LiveTextures();
    // The newest live full-screen player, or null.
    static LFakeMoviePlayer* Newest();
    // The newest live player (full-screen first) of a file whose name ends with aName, or
    // null.
    static LFakeMoviePlayer* Find(const LString& aName);

    LString mFileName;
    bool mFullScreen = true;
    bool mPlaying = false;
    bool mClosed = false;
    int mPlays = 0;
    int mPauses = 0;
    int mRenders = 0;
    unsigned mCurrentFrame = 0;
    unsigned mFrameCount = 0;

private:
    void MakeTexture();
    void ReleaseTexture();

    LFakeEnding mEnding;
    // The list the player stands in, whatever Open later says.
    bool mListedFullScreen = true;
};
