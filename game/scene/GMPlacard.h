// The location card: before a location is entered for the first time, a black card with
// the location's name and address lines and a chime, after which the location loads.
// GMSceneManager::LoadScene asks for it; when the chime has ended the card loads the
// location itself (LoadScene again, which then passes the card) and fades away over it.
//
// "//scenes/scenes.txt" holds one list per location id with "location" and "address",
// each split into lines at "|". It is read once, by the constructor.
#pragma once
#include "GMIScreen.h"
#include "Sound/LISoundListener.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "object/LBase.h"
#include "util/GMDeferredStep.h"

class LDisplayGroup;
class LISoundPlayer;
class LPropertyList;

class GMPlacard : public LBase, public GMIScreen, public LISoundListener
{
public:
    static constexpr float kFirstLineY = 390.0f;
    static constexpr float kLineStep = 40.0f;
    static constexpr float kWrapWidth = 600.0f;
    static constexpr float kTextZ = 15.0f;
    static constexpr float kScreenWidth = 800.0f;

    // The card, made on first use and registered with the game cleaner; null when it
    // cannot be made and after the cleaner has deleted it.
    static GMPlacard* GetInstance();
    // The card if it exists; never makes it.
    static GMPlacard* Peek();

    GMPlacard();
    GMPlacard(const GMPlacard&) = delete;
    GMPlacard& operator=(const GMPlacard&) = delete;
    ~GMPlacard() override;

    LString Dump() const override;

    // Shows the card of aSceneId: raises aSceneId + "_placard" and pushes the card with a
    // fade. False, with nothing done, for an id without an entry or when the screen
    // manager refuses the push (the location then loads directly).
    bool Show(const LString& aSceneId);
    // The viewpoint the location opens at once the card has loaded it (a cut scene's
    // target viewpoint); empty or "-" for its own.
    void SetViewpoint(const LString& aViewpoint);
    // Between Show and the card's own load of the location.
    bool IsPending() const { return mPending; }
    const LString& GetSceneId() const { return mSceneId; }
    const LVectorString& GetLocationLines() const { return mLocation; }
    const LVectorString& GetAddressLines() const { return mAddress; }
    LDisplayGroup* GetGroup() const { return mGroup; }

    // GMIScreen.
    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;

    // The chime has ended: the cursor goes, and the location loads on the next frame.
    void OnSoundEnded(const LString& aId) override;

private:
    void Build();
    void DeleteGroup();
    void DeleteChime();
    // Waits while a change of screen runs, then loads the location under the card.
    void Finish();

    LDisplayGroup* mGroup = nullptr;
    LString mSceneId;
    LVectorString mLocation;
    LVectorString mAddress;
    LPropertyList* mTable = nullptr;
    LISoundPlayer* mChime = nullptr;
    bool mDone = false;
    bool mPending = false;
    LString mViewpoint;
    GMDeferredStep mStep;
};
