// The topic list of an expert interview: a checklist of topic buttons indented by level.
// A topic is offered at the player's difficulty when its dependencies or its submitted
// script hold (evidence handed to the expert); it shows an hourglass and cannot be chosen
// while its ready script is false, and a checkmark once its viewed event is raised. Every
// update counts the offered topics that are waiting, ready (and not yet heard) and viewed.
//
// Each state picture of a topic button holds the members "checkmark" and "hourglass".
#pragma once
#include "container/LVector.h"
#include "interview/GMInterviewTopicArea.h"

class GMExpertInterview;

class GMExpertTopicArea : public GMInterviewTopicArea
{
public:
    // The state slots of a button, disabled (0) to over (5).
    static constexpr int kStateSlots = 6;

    explicit GMExpertTopicArea(GMExpertInterview* aOwner);
    ~GMExpertTopicArea() override;

    LString Dump() const override;

    // As the witness list's AddTopic, with the submitted and ready scripts (owned by the
    // area; a null ready script counts as true, a null submitted one as false).
    void AddTopic(const LString& aKey, LButton* aButton, LScript* aDependencies, const LString& aSkillLevels,
                  LScript* aSubmitted, LScript* aReady, const LString& aDoneEvent, const LString& aViewedEvent,
                  const LString& aLevel);

    bool IsAvailable(int aIndex) override;
    bool IsReady(int aIndex) const;
    // Sets the visibility of the member "checkmark" or "hourglass" in every state
    // picture of the button.
    static void ShowCheckmark(LButton* aButton, bool aShown);
    static void ShowHourglass(LButton* aButton, bool aShown);

    void UpdateTopics() override;

    int GetWaitingCount() const { return mWaiting; }
    int GetReadyCount() const { return mReady; }
    int GetViewedCount() const { return mViewed; }

protected:
    bool IsClosed(int aIndex) const override;
    bool IsMarked(int aIndex, const LButton* aButton) const override;

private:
    static void ShowMember(LButton* aButton, const char* aId, bool aShown);

    LVector mSubmitted;
    LVector mReadyScripts;
    int mWaiting = 0;
    int mReady = 0;
    int mViewed = 0;
};
