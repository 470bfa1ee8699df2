// A close-up: a 2-D screen over the current scene showing a detail of a viewpoint (a desk,
// a drawer, a document) with hotspots of its own, optional movies, a back button and a
// queue of voice-overs. Scene loading makes one for every entry of a viewpoint's close-up
// file; it waits, closed, until its trigger state turns true, then opens over the scene,
// and closes by its back button or when the state turns false. Puzzles and the PDA open
// and close close-ups through those states.
//
// Its display group, movies, back button and hotspots exist only while it is shown. A
// close-up with "triggerinterview" starts that interview half a second after it hides.
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "container/LString.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "interview/GMIVoicedLineListener.h"
#include "object/LBase.h"
#include "state/LIStateListener.h"
#include "stdlib/LIFrameListener.h"
#include "util/GMDeferredStep.h"

#include <vector>

class GMHotspot;
class GMScene;
class LDisplayGroup;
class LISoundPlayer;
class LPropertyList;

class GMCloseUp : public LBase,
                  public GMIScreen,
                  public LIStateListener,
                  public LIButtonListener,
                  public GMIVoicedLineListener,
                  public LIFrameListener
{
public:
    static constexpr const char* kBackButtonId = "back_btn";
    static constexpr const char* kBackButtonLayout = "//textures/back_btn_layout.txt";
    static constexpr const char* kBackButtonRoot = "//textures";
    // A voice-over that the back button cuts without closing the close-up: the data plays
    // it as an instruction the player must be able to stop and stay.
    static constexpr const char* kStayOpenVoiceOver = "1ce09_vd";
    static constexpr const char* kSoundName = "closeupSound";
    // Seconds between the hiding and the start of the close-up's interview.
    static constexpr double kInterviewDelay = 0.5;

    GMCloseUp();
    GMCloseUp(const GMCloseUp&) = delete;
    GMCloseUp& operator=(const GMCloseUp&) = delete;
    // Leaves the state, frame and screen managers and takes everything shown down.
    ~GMCloseUp() override;

    LString Dump() const override;

    // Reads the close-up's entry (kept, not owned: the scene's close-up file outlives it)
    // and registers the state listener. Missing required keys are logged and reading goes
    // on; false for a null entry.
    bool Create(const LPropertyList* aEntry);

    // Hotspots (owned, unique by id); they exist only while the close-up is shown.
    bool AddHotspot(GMHotspot* aHotspot);
    void RemoveHotspots();
    bool CreateHotspots();
    // Input of every hotspot on or off (the PDA switches them while it covers the screen).
    void SetHotspotsEnabled(bool aEnabled);
    // Every hotspot re-evaluates itself and every active one hears the mouse again.
    void Refresh();
    // Takes the shown close-up down without a screen change: the scene's current close-up
    // is cleared, the sound, hotspots and display group go; the trigger state is left.
    void Unload();

    // GMIScreen.
    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;
    // The trigger state: true opens, false pops the top screen.
    void OnStateChanged(LIState* aState) override;
    // The back button's click.
    void OnButton(const LString& aId, int aEvent) override;
    // The voice-over has ended: its event is raised and the next one plays.
    void OnLineEnded(GMVoicedLine* aLine) override;
    // The delayed interview.
    void OnFrame() override;

    const LString& GetId() const { return mId; }
    const LString& GetTriggerState() const { return mTriggerState; }
    const LString& GetOpenedEvent() const { return mOpenedEvent; }
    const LString& GetTriggerInterview() const { return mTriggerInterview; }
    bool GetFadeOnShow() const { return mFadeOnShow; }
    bool GetExitToScene() const { return mExitToScene; }
    LDisplayGroup* GetDisplayGroup() const { return mDisplayGroup; }
    // The playing voice-over's stream, or null.
    LISoundPlayer* GetSound() const;
    const LVectorString& GetVoiceOvers() const { return mVoiceOvers; }
    int GetHotspotCount() const { return static_cast<int>(mHotspots.size()); }
    GMHotspot* GetHotspot(int aIndex) const;
    GMHotspot* FindHotspot(const LString& aId) const;
    bool IsShown() const { return mShown; }
    bool IsInterviewDue() const { return mFrameListening; }

private:
    // Whether the close-up stands on the screen manager's stack.
    bool OnStack() const;
    void Open();
    void BuildDisplay(GMScene* aScene);
    void StartMovies(GMScene* aScene);
    void BuildBackButton();
    void PlayNext();
    void DeleteSound();
    void DeleteDisplay();
    // The first steps of the hiding and the unloading alike: the pending step cancelled,
    // the scene's close-up unset when it is this one, the subtitle faded out (unless an
    // interview follows) and the sound deleted. The scene, or null.
    GMScene* Detach();
    void Close();
    void StartInterview();
    // The scene's input and hotspots back after an interview that did not start.
    static void GiveInputBack(GMScene* aScene, const LString& aWhy);
    void StopFrames();

    LString mId;
    const LPropertyList* mDisplayGroupData = nullptr;
    const LPropertyList* mHotspotData = nullptr;
    const LPropertyList* mEntry = nullptr;
    LString mTriggerState;
    LString mOpenedEvent;
    std::vector<GMHotspot*> mHotspots;
    LDisplayGroup* mDisplayGroup = nullptr;
    bool mFadeOnShow = true;
    bool mExitToScene = false;
    LString mTriggerInterview;
    LVectorFloat mInterviewPos;
    LVectorString mVoiceOvers;
    GMVoicedLine* mVoice = nullptr;
    LString mSoundId;
    double mInterviewDue = 0.0;
    bool mShown = false;
    bool mStateListening = false;
    bool mFrameListening = false;
    GMDeferredStep mDeferred;
};
