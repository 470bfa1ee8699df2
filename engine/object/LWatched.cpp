#include "object/LWatched.h"

LWatched::~LWatched()
{
    while (mFirst != nullptr) {
        mFirst->Unbind();
    }
}

int LWatched::GetWatchCount() const
{
    int count = 0;
    for (const Link* link = mFirst; link != nullptr; link = link->mNext) {
        ++count;
    }
    return count;
}

void LWatched::Link::Bind(LWatched* aWatched)
{
    if (aWatched == mWatched) {
        return;
    }
    if (mWatched != nullptr) {
        if (mPrev != nullptr) {
            mPrev->mNext = mNext;
        } else {
            mWatched->mFirst = mNext;
        }
        if (mNext != nullptr) {
            mNext->mPrev = mPrev;
        }
        mPrev = nullptr;
        mNext = nullptr;
    }
    mWatched = aWatched;
    if (mWatched != nullptr) {
        mNext = mWatched->mFirst;
        if (mNext != nullptr) {
            mNext->mPrev = this;
        }
        mWatched->mFirst = this;
    }
}
