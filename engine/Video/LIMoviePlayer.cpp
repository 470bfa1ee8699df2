#include "Video/LIMoviePlayer.h"

LIMoviePlayer::~LIMoviePlayer() = default;

bool LIMoviePlayer::Reserved(int)
{
    return true;
}

LITexture* LIMoviePlayer::GetTexture()
{
    return mTexture;
}

uint32_t LIMoviePlayer::GetTextureHandle()
{
    return mTextureHandle;
}

int LIMoviePlayer::GetWidth()
{
    return mWidth;
}

int LIMoviePlayer::GetHeight()
{
    return mHeight;
}

void LIMoviePlayer::SetLoop(bool aLoop)
{
    mLoop = aLoop;
}

int LIMoviePlayer::GetFrameRate()
{
    return mFrameRate;
}

void LIMoviePlayer::RemoveListener(LIMovieListener*)
{
    mListener = nullptr;
}

void LIMoviePlayer::SetListener(LIMovieListener* apListener)
{
    mListener = apListener;
}

void LIMoviePlayer::SetVolume(float aVolume)
{
    mVolume = aVolume;
}
