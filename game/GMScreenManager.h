// The stack of screens, bottom first, the top one shown. PushFade and PopFade change the
// top screen through black: the screen being left hears OnLeave, the picture fades out,
// at black that screen hears OnHidden and the new top OnShow, and the picture fades back
// in. While such a change runs, further changes are refused (false, nothing logged), and
// the manager holds the screen fader: no other part can take it until the change ends.
//
// The other operations change the stack without a fade and without telling the screens,
// for callers that rebuild the stack themselves while the picture is black.
//
// The stack does not own its screens; each is a singleton owned by its cleaner.
#pragma once
#include "container/LVector.h"
#include "object/LBase.h"
#include "ui/GMIScreenFaderListener.h"

class GMIScreen;
class GMScreenFader;

class GMScreenManager : public LBase, public GMIScreenFaderListener
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

private:
    LVector mScreens;
    GMScreenFader* mFader = nullptr;
    GMIScreen* mOutgoing = nullptr;
    bool mBusy = false;
};
