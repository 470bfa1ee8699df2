// The phone's logic, without any display: which voice messages wait on the player's phone.
// It reads the catalogue "//textures/pda/phone_messages.txt" once, hears every raised
// event and every state change, and keeps the ids of the pending messages in the order
// they became pending. The messages panel takes them off one at a time.
//
// The catalogue:
//   regular.<id>: "trigger" (a script; the message becomes pending when it holds),
//     "playedevent" (raised when it is played; while raised the message never becomes
//     pending again), "expert" ("CL", "RE" or "SU": the specific answer to that lab's
//     result), "audio", "subtitle".
//   expert.CL / expert.RE / expert.SU: variant lists, read like a regular message; one is
//     drawn at random each time the lab's generic message is played.
//
// A lab result (an event whose id ends in "CL_R", "RE_R" or "SU_R", any case) queues the
// lab's generic message, under the id "CL", "RE" or "SU", unless a regular message of that
// lab is due or the generic one is pending already. When the list grows while the bar is
// shown, the bar's phone icon flashes.
//
// The triggers' scripts are built once, with the catalogue, and kept.
#pragma once
#include "container/LString.h"
#include "event/LIEventListener.h"
#include "object/LBase.h"
#include "state/LIStateListener.h"

#include <vector>

class LPropertyList;
class LScript;
class LVectorString;

class GMPhone : public LBase, public LIEventListener, public LIStateListener
{
public:
    static constexpr const char* kCatalogue = "//textures/pda/phone_messages.txt";
    static constexpr int kLabCount = 3;

    // The phone, made on first use with its catalogue read and its listeners registered,
    // and registered with the game cleaner; null when it cannot be made (logged) and after
    // the cleaner has deleted it.
    static GMPhone* GetInstance();
    // The phone if it exists; never makes it.
    static GMPhone* Peek();

    GMPhone();
    GMPhone(const GMPhone&) = delete;
    GMPhone& operator=(const GMPhone&) = delete;
    // Leaves both managers and drops the catalogue.
    ~GMPhone() override;

    LString Dump() const override;

    // Empties the pending list and clears the three lab flags (a new game).
    void Reset();
    // Reads the catalogue again (its file changed); the pending list starts empty. False
    // when the file could not be read (logged; no messages then).
    bool Reload();
    int GetPendingCount() const;
    // The pending id at aIndex, empty outside the list.
    LString GetPendingAt(int aIndex) const;
    // Takes the first pending id off the list and gives its message record (not owned):
    // the regular entry, or for a lab id a variant drawn at random. Null when nothing is
    // pending, for an id without an entry and for a lab without variants.
    LPropertyList* PopMessage();
    // Appends the regular messages that are due now, in file order.
    void UpdateTriggered();
    // Whether a regular message of the lab aLabId ("CL", "RE", "SU", any case) is due now.
    bool HasTriggeredRegular(const LString& aLabId) const;
    // Whether the generic message of lab aLab (0 CL, 1 RE, 2 SU) is pending.
    bool IsLabPending(int aLab) const { return aLab >= 0 && aLab < kLabCount && mLabFlags[aLab]; }

    void OnEvent(LEvent* aEvent) override;
    void OnStateChanged(LIState* aState) override;

private:
    struct Regular
    {
        LString mId;
        LString mPlayedEvent;
        LString mExpert;
        // Null when the entry has no trigger or its trigger does not build.
        LScript* mTrigger = nullptr;
        // Whether the id is in the pending list.
        bool mPending = false;
    };

    void Init();
    bool LoadCatalogue();
    void DropCatalogue();
    Regular* FindRegular(const LString& aId);
    bool IsDue(const Regular& aEntry) const;
    // After a notice: flashes the bar when the list grew past aCountBefore.
    void FlashWhenGrown(int aCountBefore) const;

    LPropertyList* mCatalogue = nullptr;
    LPropertyList* mRegularList = nullptr;
    LPropertyList* mExpertList = nullptr;
    LVectorString* mPending = nullptr;
    bool mLabFlags[kLabCount] = {};
    std::vector<Regular> mRegular;
    bool mListening = false;
};
