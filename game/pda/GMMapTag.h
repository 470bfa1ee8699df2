// One location tag of the PDA's map: a button (built from its entry of the map layout,
// which is also the tag's data) in a group named after the tag's id. The tag is available
// while its "show" script holds; the first time it is found available the state
// "maptag_" + id + "_visible" is made true. A new tag (its selected event, by default
// "evt_maptag_" + id, not raised) blinks while the map shows it: full blend for 0.5 s,
// down to 0.2 in 0.5 s and back in 0.5 s, until it is used; it always stops at full blend.
//
// A click inside the PDA's scroll area runs the first target whose "condition" holds; its
// "logic" is "gotoscene|<scene>" or "gotoviewpoint|<scene>|<viewpoint>". A move closes the
// PDA and costs 7.0 of game time; a location with a cut scene plays that instead, and the
// selected event is then left unraised.
#pragma once
#include "Gdi/LFader.h"
#include "Gdi/LIButtonListener.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

#include <vector>

class LButton;
class LDisplayGroup;
class LPropertyList;
class LScript;

class GMMapTag : public LBase, public LIButtonListener, public LIFrameListener, public LIFaderListener
{
public:
    static constexpr float kMoveTime = 7.0f;
    static constexpr float kRestTime = 0.5f;
    static constexpr float kFadeTime = 0.5f;
    static constexpr float kLowBlend = 0.2f;
    static constexpr int PHASE_IN = 0;
    static constexpr int PHASE_OUT = 1;
    static constexpr int PHASE_REST = 2;

    GMMapTag();
    GMMapTag(const GMMapTag&) = delete;
    GMMapTag& operator=(const GMMapTag&) = delete;
    // Deletes the group (which leaves the panel's content group) and the blink.
    ~GMMapTag() override;

    LString Dump() const override;

    // The button, the group, the show script and the targets from the tag's entry; false
    // (logged) when a part cannot be built (the others still are).
    bool Create(LPropertyList* aList);
    // Shows or hides the group while the tag is available; a tag not available is left as
    // it is. Shown and new, it starts blinking.
    void SetActive(bool aActive);
    // Evaluates the show script (making the visible state the first time it holds) and
    // the new flag; whether the tag is available.
    bool Refresh();
    // Moves the player as aLogic says (see the class comment).
    void ExecuteLogic(const LVectorString& aLogic);

    void OnButton(const LString& aId, int aEvent) override;
    void OnFrame() override;
    void OnFaderEvent(const LString& aFaderId, int aEvent) override;

    const LString& GetId() const { return mId; }
    const LString& GetSelectedEvent() const { return mSelectedEvent; }
    LDisplayGroup* GetGroup() const { return mGroup; }
    LButton* GetButton() const { return mButton; }
    bool IsAvailable() const { return mAvailable; }
    bool IsNew() const { return mNew; }
    bool IsActive() const { return mActive; }
    int GetPhase() const { return mPhase; }
    int GetTargetCount() const { return static_cast<int>(mTargets.size()); }

private:
    struct Target
    {
        LScript* mCondition = nullptr;
        LVectorString mLogic;
    };

    void MakeVisibleState(bool aNotify) const;
    void StartRest();
    void ListenFrames(bool aListen);
    void StopBlink();
    void Fade(float aFrom, float aTo, int aDirection);
    // The mouse inside the PDA's scroll area (edges inside).
    static bool MouseInScrollArea();
    static void Move(const LString& aScene, const LString& aViewpoint, bool aViewpointMove);

    LString mId;
    LScript* mShow = nullptr;
    bool mAvailable = false;
    bool mNew = false;
    LFader* mFader = nullptr;
    LDisplayGroup* mGroup = nullptr;
    LButton* mButton = nullptr;
    int mPhase = PHASE_REST;
    double mRestStart = 0.0;
    bool mActive = false;
    std::vector<Target> mTargets;
    LString mSelectedEvent;
    bool mFrameListening = false;
};
