// One movie: a display object (a full-screen movie is drawn where it stands in the
// display tree) and a frame listener (a texture movie advances on every frame pass while
// it plays). This base keeps what every player has: the listener, the texture of a
// texture movie, the movie's size and rate, the loop flag and the volume.
#pragma once
#include "Gdi/LIDisplayObject.h"
#include "container/LString.h"
#include "stdlib/LIFrameListener.h"

#include <cstdint>

class LIMovieListener;
class LITexture;

class LIMoviePlayer : public LIDisplayObject, public LIFrameListener
{
public:
    LIMoviePlayer() = default;
    ~LIMoviePlayer() override;

    // Kept for its place among the operations; it only returns true.
    virtual bool Reserved(int aValue);
    // aNativePath is a native path (the manager resolves the symbolic one).
    virtual bool Open(const LString& aNativePath, bool aFullScreen) = 0;
    virtual bool Close() = 0;
    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    virtual bool Resume() = 0;
    // Null for a full-screen movie.
    virtual LITexture* GetTexture();
    // The texture's handle in the texture manager; 0 for none.
    virtual uint32_t GetTextureHandle();
    // Frames are numbered from 1; 0 without a movie.
    virtual unsigned GetCurrentFrame() = 0;
    virtual unsigned GetFrameCount() = 0;
    // Seconds; 0.0 without a movie or with a whole-number rate of 0.
    virtual float GetLength() = 0;
    virtual int GetWidth();
    virtual int GetHeight();
    virtual bool GotoFrame(unsigned aFrame) = 0;
    // Goes to the key frame at or before aFrame.
    virtual bool GotoPreviousKeyFrame(unsigned aFrame) = 0;
    virtual void SetLoop(bool aLoop);
    // Whole frames per second of the movie as opened.
    virtual int GetFrameRate();
    // The rate of movies opened from now on.
    virtual void SetFrameRate(unsigned aRate) = 0;
    // Clears the listener, whichever is passed.
    virtual void RemoveListener(LIMovieListener* apListener);
    // Not owned.
    virtual void SetListener(LIMovieListener* apListener);
    // 1.0 is the movie's normal loudness.
    virtual void SetVolume(float aVolume);

protected:
    LIMovieListener* mListener = nullptr;
    LITexture* mTexture = nullptr;
    uint32_t mTextureHandle = 0;
    int mWidth = 0;
    int mHeight = 0;
    int mFrameRate = 0;
    bool mLoop = false;
    float mVolume = 1.0f;
    // Passed to OnMovieEnded.
    LString mName;
};
