#include "scene/GMAmbientAnimItem.h"

#include "Gdi/LSprite.h"
#include "Video/LIMovieManager.h"
#include "Video/LIMoviePlayer.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "time/LITimer.h"

namespace {

const char* const kMovieRoot = "//dataroot/movies/";

} // namespace

GMAmbientAnimItem::GMAmbientAnimItem() = default;

GMAmbientAnimItem::~GMAmbientAnimItem()
{
    Stop();
}

LString GMAmbientAnimItem::Dump() const
{
    return DumpHead("GMAmbientAnimItem") + " " + mPath + "]";
}

bool GMAmbientAnimItem::Load(const LPropertyList* aList)
{
    if (aList == nullptr) {
        L_ASSERT_FAILURE("Load failure. NULL arg.");
        return false;
    }
    bool found = false;
    const LString movie = aList->GetString(LString("movie"), found);
    if (!found || movie.IsEmpty()) {
        // Without a movie the item would open the movie folder itself.
        L_ASSERT_FAILURE("'movie' not found.");
        return false;
    }
    mPath = LString(kMovieRoot) + movie;
    mLoop = aList->GetBool(LString("loop"), found) ? 1 : 0;
    mMinInterval = aList->GetFloat(LString("mininterval"), found);
    mMaxInterval = aList->GetFloat(LString("maxinterval"), found);
    const LVectorFloat position = aList->GetVectorFloat(LString("position"), found);
    mPosition = found && position.GetCount() >= 2 ? LVector2(position[0], position[1]) : LVector2(0.0f, 0.0f);
    if (mLoop != 0) {
        return Start(true);
    }
    Schedule();
    return true;
}

void GMAmbientAnimItem::Schedule()
{
    mNextStart = static_cast<float>(LITimer::Now()) + mMinInterval + LRandom::NextUnit() * (mMaxInterval - mMinInterval);
}

bool GMAmbientAnimItem::Start(bool aLoop)
{
    LIMovieManager* movies = LIMovieManager::Get();
    mPlayer = movies != nullptr ? movies->CreateTextureMovie(mPath, mPath) : nullptr;
    if (mPlayer == nullptr) {
        L_ERROR(LString("Ambient animation dropped. Movie not opened: ") + mPath);
        mBroken = true;
        return false;
    }
    mSprite = L_NEW LSprite();
    if (mSprite == nullptr || !mSprite->SetTexture(mPlayer->GetTextureHandle(), nullptr, nullptr)) {
        L_ERROR(LString("Ambient animation dropped. No picture for: ") + mPath);
        Stop();
        mBroken = true;
        return false;
    }
    mSprite->SetPosition(mPosition);
    mPlayer->SetLoop(aLoop);
    mPlayer->SetListener(this);
    mPlayer->Play();
    return true;
}

void GMAmbientAnimItem::Stop()
{
    delete mSprite;
    mSprite = nullptr;
    if (mPlayer != nullptr) {
        mPlayer->RemoveListener(this);
        delete mPlayer;
        mPlayer = nullptr;
    }
}

void GMAmbientAnimItem::Update(LRenderer* aRenderer)
{
    if (mBroken) {
        return;
    }
    if (mPlayer == nullptr) {
        if (static_cast<float>(LITimer::Now()) > mNextStart) {
            Start(false);
        }
        return;
    }
    if (mSprite != nullptr && aRenderer != nullptr) {
        mSprite->Render(aRenderer);
    }
}

void GMAmbientAnimItem::OnMovieEnded(LString)
{
    Schedule();
    // The player may be deleted inside its own notice.
    Stop();
}
