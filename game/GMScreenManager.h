// The stack of screens, bottom first, the top one shown. PushFade and PopFade change the
// top screen through black: the screen being left hears OnLeave, the picture fades out,
// at black that screen hears OnHidden and the new top OnShow, and the picture fades back
// in. While such a change runs, further changes are refused (false, nothing logged), and
// the manager holds the screen fader: no other part can take it until the change ends.
//
// A change asked for while another runs would be refused and lost. A caller that has
// already begun its step (taken input away, ended its own work) asks WhenIdle instead: the
// step runs at once when no change runs, else in the first frame pass after the change
// has ended. PopFadeWhenIdle is that for the usual close of a screen by itself.
//
// The other operations change the stack without a fade and without telling the screens,
// for callers that rebuild the stack themselves while the picture is black.
//
// The stack does not own its screens; each is a singleton owned by its cleaner.
#pragma once
#include "container/LVector.h"
#include "object/LBase.h"
#include "object/LWatched.h"
#include "ui/GMIScreenFaderListener.h"
#include "util/GMDeferredStep.h"

#include <functional>
#include <list>

class GMIScreen;
class GMScreenFader;

class GMScreenManager : public LBase, public GMIScreenFaderListener, public LWatched
{
public:
    // The manager, made on first use with the screen fader singleton and registered with
    // the game cleaner; null when it cannot be made (logged).
    static GMScreenManager* GetInstance();

    GMScreenManager();
    // A manager driving the given fader (which must outlive it).
    explicit GMScreenManager(GMScreenFader* aFader);
    ~GMScreenManager() override;

    LString Dump() const override;

    bool PushFade(GMIScreen* aScreen);
    // aOut must point at null; it receives the popped screen. The last screen is not
    // popped (refused, logged): something must stay shown.
    bool PopFade(GMIScreen** aOut);
    bool PushScreen(GMIScreen* aScreen);
    bool PopScreen(GMIScreen** aOut);
    // The first occurrence, wherever it lies.
    bool RemoveScreen(GMIScreen* aScreen);
    void Clear();
    GMIScreen* GetTop() const;
    // Place from the bottom, 0 based, or -1.
    int IndexOf(GMIScreen* aScreen) const;
    int GetCount() const { return mScreens.GetCount(); }

    void OnFade(int aEvent) override;

    bool IsBusy() const { return mBusy; }
    GMIScreen* GetOutgoing() const { return mOutgoing; }

    // Runs aStep now when no change runs, else once the running change (and any change
    // an earlier waiting step starts) has ended. A step whose owner has ended by then is
    // dropped (aOwner null: the step has no owner). Steps wait in the order asked. False
    // (logged) only when the step can neither run nor wait; a step run at once counts as
    // true whatever it does.
    bool WhenIdle(LWatched* aOwner, std::function<void()> aStep);
    // aScreen goes through black (PopFade) once no change runs, if it is the top screen
    // then; otherwise nothing happens. True when the pop has started or waits.
    bool PopFadeWhenIdle(GMIScreen* aScreen);
    int GetWaitingCount() const { return static_cast<int>(mWaiting.size()); }

private:
    struct Waiting
    {
        LWatched::Link mOwner;
        bool mOwned = false;
        std::function<void()> mStep;
    };

    // The frame pass's look at the waiting steps: the first ones run while no change runs.
    void RunWaiting();

    std::list<Waiting> mWaiting;
    GMDeferredStep mWaitStep;
    LVector mScreens;
    GMScreenFader* mFader = nullptr;
    GMIScreen* mOutgoing = nullptr;
    bool mBusy = false;
};
