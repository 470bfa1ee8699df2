#include "GMScreenManager.h"

#include "GMIScreen.h"
#include "Gdi/LFader.h"
#include "stdlib/LLog.h"
#include "ui/GMScreenFader.h"
#include "object/LWatch.h"
#include "util/GMCleaner.h"

#include <utility>

namespace {

GMSingleton<GMScreenManager> sScreenManager;

} // namespace

GMScreenManager* GMScreenManager::GetInstance()
{
    return sScreenManager.Get(L_FILE, __LINE__, "GMScreenManager creation failure.");
}

GMScreenManager::GMScreenManager() : GMScreenManager(GMScreenFader::GetInstance())
{
}

GMScreenManager::GMScreenManager(GMScreenFader* aFader) : mFader(aFader)
{
}

GMScreenManager::~GMScreenManager()
{
    sScreenManager.Destroyed(this);
    // The fader outlives the manager (it was registered with the cleaner first); it must
    // not call back into a deleted manager.
    if (mFader != nullptr) {
        mFader->Release(this);
        mFader->RemoveListener(this);
    }
    mWaiting.clear();
    mWaitStep.Cancel();
    mScreens.RemoveAll();
    mOutgoing = nullptr;
    mFader = nullptr;
}

LString GMScreenManager::Dump() const
{
    return DumpHead("GMScreenManager") + "]";
}

bool GMScreenManager::PushFade(GMIScreen* aScreen)
{
    if (mBusy) {
        return false;
    }
    if (aScreen == nullptr) {
        L_ASSERT_FAILURE("PushFade failure. NULL arg.");
        return false;
    }
    if (mFader == nullptr) {
        L_ERROR("PushFade failure. No screen fader.");
        return false;
    }
    GMIScreen* top = GetTop();
    if (top != nullptr) {
        top->OnLeave();
        mOutgoing = top;
        bool ok = PushScreen(aScreen);
        ok = mFader->SetListener(this) && ok;
        // On a picture already black the swap happens inside this call.
        ok = mFader->FadeOut() && ok;
        return ok;
    }
    bool ok = PushScreen(aScreen);
    aScreen->OnShow();
    // The fade-in's start reaches the fader's earlier listener, so the first screen's
    // fade-in does not hold up the next change.
    ok = mFader->FadeIn() && ok;
    ok = mFader->SetListener(this) && ok;
    return ok;
}

bool GMScreenManager::PopFade(GMIScreen** aOut)
{
    if (aOut == nullptr || *aOut != nullptr) {
        L_ASSERT_FAILURE("Invalid arg.");
        return false;
    }
    if (mBusy) {
        return false;
    }
    if (mScreens.GetCount() == 0) {
        L_ASSERT_FAILURE("PopFade failure. NULL arg.");
        return false;
    }
    if (mScreens.GetCount() == 1) {
        // Nothing would be left to show: the last screen stays where it is.
        L_ASSERT_FAILURE("PopFade failure.");
        return false;
    }
    if (mFader == nullptr) {
        L_ERROR("PopFade failure. No screen fader.");
        return false;
    }
    PopScreen(aOut);
    (*aOut)->OnLeave();
    mOutgoing = *aOut;
    bool ok = mFader->SetListener(this);
    ok = mFader->FadeOut() && ok;
    return ok;
}

bool GMScreenManager::PushScreen(GMIScreen* aScreen)
{
    if (aScreen == nullptr) {
        L_ASSERT_FAILURE("PushScreen failure. NULL arg.");
        return false;
    }
    return mScreens.Add(aScreen) != 0;
}

bool GMScreenManager::PopScreen(GMIScreen** aOut)
{
    const int count = mScreens.GetCount();
    if (aOut == nullptr || count == 0) {
        return false;
    }
    void* removed = nullptr;
    if (!mScreens.RemoveAt(count - 1, &removed)) {
        return false;
    }
    *aOut = static_cast<GMIScreen*>(removed);
    return true;
}

bool GMScreenManager::RemoveScreen(GMIScreen* aScreen)
{
    return aScreen != nullptr && mScreens.Remove(aScreen) != 0;
}

void GMScreenManager::Clear()
{
    mScreens.RemoveAll();
}

GMIScreen* GMScreenManager::GetTop() const
{
    const int count = mScreens.GetCount();
    return count > 0 ? static_cast<GMIScreen*>(mScreens.GetAt(count - 1)) : nullptr;
}

int GMScreenManager::IndexOf(GMIScreen* aScreen) const
{
    return aScreen != nullptr ? mScreens.Find(aScreen) : -1;
}

bool GMScreenManager::WhenIdle(LWatched* aOwner, std::function<void()> aStep)
{
    if (!aStep) {
        L_ASSERT_FAILURE("WhenIdle failure. NULL arg.");
        return false;
    }
    if (!mBusy && mWaiting.empty()) {
        aStep();
        return true;
    }
    // One frame step looks at the whole queue; it is posted with the first waiting step.
    if (mWaiting.empty() && !mWaitStep.Post([this] { RunWaiting(); })) {
        L_ERROR("WhenIdle failure. The step cannot wait for the change of screen to end.");
        return false;
    }
    L_NOTE("A step waits for the change of screen to end.");
    Waiting& waiting = mWaiting.emplace_back();
    waiting.mOwner.Bind(aOwner);
    waiting.mOwned = aOwner != nullptr;
    waiting.mStep = std::move(aStep);
    return true;
}

bool GMScreenManager::PopFadeWhenIdle(GMIScreen* aScreen)
{
    if (aScreen == nullptr) {
        L_ASSERT_FAILURE("PopFadeWhenIdle failure. NULL arg.");
        return false;
    }
    auto pop = [this, aScreen] {
        GMIScreen* popped = nullptr;
        return GetTop() == aScreen && PopFade(&popped);
    };
    if (!mBusy && mWaiting.empty()) {
        return pop();
    }
    return WhenIdle(aScreen, [pop] { pop(); });
}

void GMScreenManager::RunWaiting()
{
    // A step may end the manager itself (a new game resets the singletons): nothing of it
    // is touched once it has gone.
    const LWatch<GMScreenManager> self(this);
    while (!mBusy && !mWaiting.empty()) {
        Waiting& first = mWaiting.front();
        std::function<void()> step = std::move(first.mStep);
        const bool alive = !first.mOwned || first.mOwner.GetWatched() != nullptr;
        mWaiting.pop_front();
        if (alive) {
            step();
            if (self.Get() == nullptr) {
                return;
            }
        }
    }
    if (!mWaiting.empty() && !mWaitStep.Post([this] { RunWaiting(); })) {
        L_ERROR("The steps waiting for the change of screen are dropped: no frame pass.");
        mWaiting.clear();
    }
}

void GMScreenManager::OnFade(int aEvent)
{
    switch (aEvent) {
    case LFader::kStarted:
        // The change keeps the fader until it ends: a part that took it meanwhile would
        // leave the manager busy for good.
        mBusy = true;
        if (mFader != nullptr) {
            mFader->Hold(this);
        }
        break;
    case LFader::kStopped:
        mBusy = false;
        if (mFader != nullptr) {
            mFader->Release(this);
        }
        break;
    case LFader::kFinished:
        if (mOutgoing != nullptr) {
            // Black: swap what is shown, then clear the picture again.
            mOutgoing->OnHidden();
            mOutgoing = nullptr;
            GMIScreen* top = GetTop();
            if (top != nullptr) {
                top->OnShow();
            }
            if (mFader != nullptr) {
                mFader->FadeIn();
            }
        } else {
            if (mFader != nullptr) {
                mFader->Release(this);
                mFader->RemoveListener(this);
            }
            mBusy = false;
        }
        break;
    default:
        break;
    }
}
