// One ambient animation of a viewpoint: a short movie drawn as a sprite at its position,
// either looping from the start or replayed after a random pause between its two
// intervals. The item owns its movie player and sprite while the movie runs.
#pragma once
#include "LVector2.h"
#include "Video/LIMovieListener.h"
#include "container/LString.h"
#include "object/LBase.h"

class LIMoviePlayer;
class LPropertyList;
class LRenderer;
class LSprite;

class GMAmbientAnimItem : public LBase, public LIMovieListener
{
public:
    GMAmbientAnimItem();
    GMAmbientAnimItem(const GMAmbientAnimItem&) = delete;
    GMAmbientAnimItem& operator=(const GMAmbientAnimItem&) = delete;
    ~GMAmbientAnimItem() override;

    LString Dump() const override;

    // Reads "movie" (under "//dataroot/movies/"), "loop", "mininterval", "maxinterval" and
    // "position" (x|y, 0|0 when missing). A looping item starts at once, any other is
    // scheduled. False (logged) without "movie", or for a looping movie that cannot be
    // opened: the item is then of no use.
    bool Load(const LPropertyList* aList);
    // Draws the sprite while the movie runs; otherwise starts the movie once its time has
    // come. A movie that cannot be opened then is logged and the item stays idle for good.
    void Update(LRenderer* aRenderer);

    // The movie ended: the next start is scheduled, the player and the sprite deleted.
    void OnMovieEnded(LString aName) override;

    const LString& GetPath() const { return mPath; }
    bool IsLooping() const { return mLoop != 0; }
    bool IsPlaying() const { return mPlayer != nullptr; }
    bool IsBroken() const { return mBroken; }
    float GetNextStart() const { return mNextStart; }
    const LVector2& GetPosition() const { return mPosition; }
    LSprite* GetSprite() const { return mSprite; }
    LIMoviePlayer* GetPlayer() const { return mPlayer; }

private:
    bool Start(bool aLoop);
    void Schedule();
    void Stop();

    LIMoviePlayer* mPlayer = nullptr;
    LSprite* mSprite = nullptr;
    LString mPath;
    unsigned char mLoop = 0;
    float mMinInterval = 0.0f;
    float mMaxInterval = 0.0f;
    float mNextStart = 0.0f;
    LVector2 mPosition;
    bool mBroken = false;
};
