// A movie player over the movie library stand-in (compat/movie).
//
// A full-screen movie advances while the display manager renders it: each Render decodes
// the next frame when it is due and copies the last decoded picture into the back buffer
// at the player's position. A texture movie advances on each frame pass while it plays:
// a frame that is due is decoded into the texture it registered with the texture manager
// under the movie's native path. When the last frame has been shown, a looping movie
// opens again from its start and any other is closed and tells its listener once.
#pragma once
#include "Video/LIMoviePlayer.h"

struct BINK;
class LRenderer;

class LMoviePlayerBink : public LIMoviePlayer
{
public:
    LMoviePlayerBink();
    ~LMoviePlayerBink() override;

    LString Dump() const override;

    // Its argument is not used. False without a movie.
    bool Render(LRenderer* aRenderer) override;
    void OnFrame() override;

    bool Open(const LString& aNativePath, bool aFullScreen) override;
    bool Close() override;
    bool Play() override;
    bool Pause() override;
    bool Resume() override;
    unsigned GetCurrentFrame() override;
    unsigned GetFrameCount() override;
    float GetLength() override;
    bool GotoFrame(unsigned aFrame) override;
    bool GotoPreviousKeyFrame(unsigned aFrame) override;
    void SetFrameRate(unsigned aRate) override;
    void SetVolume(float aVolume) override;

    bool IsFullScreen() const { return mFullScreen; }

private:
    // Volume, decoding, the full-screen copy when aRender, the texture copy of a decoded
    // frame otherwise, then the end or the next frame. False without a movie.
    bool Step(bool aRender);
    void CopyToBackBuffer();
    void CopyToTexture();
    // Whether the device can hold a texture for a movie of this size.
    bool FitsDevice(int aWidth, int aHeight) const;
    // Makes, registers and locks the texture of a texture movie.
    bool CreateMovieTexture();
    void ReleaseTexture();
    void JoinFrameManager();
    void LeaveFrameManager();

    LString mPath;
    BINK* mMovie = nullptr;
    bool mFullScreen = false;
    bool mVolumeChanged = false;
    bool mInFrameManager = false;
};
