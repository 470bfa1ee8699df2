// The scrolling list of topic buttons in an interview panel: one button per topic,
// indented by the topic's level, hidden when the topic is not offered at the player's
// difficulty or by its dependencies, disabled once the topic is done, hilighted when it
// is selected or already viewed, and faded out at the top and bottom edges of the
// visible strip (rows from 0 to 180 pixels show fully; a row fades out over about 14
// pixels beyond either edge and cannot be clicked once faded below 0.8).
//
// Index i of every list belongs to the same topic. The buttons are members of the area.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIScrollBarListener.h"
#include "container/LVector.h"
#include "container/LVectorString.h"
#include "object/LWatch.h"

class GMInterview;
class LButton;
class LScript;
class LScrollBar;

class GMInterviewTopicArea : public LDisplayGroup, public LIScrollBarListener
{
public:
    static constexpr float kRowHeight = 30.0f;
    static constexpr float kIndent = 15.0f;
    static constexpr float kStripHeight = 180.0f;
    // Below this blend a faded row cannot be clicked.
    static constexpr float kClickableBlend = 0.8f;
    // Blend lost per pixel beyond an edge of the strip.
    static constexpr float kFadePerPixel = 0.07f;

    explicit GMInterviewTopicArea(GMInterview* aOwner);
    // Without an owner: a derived list that keeps its owner itself.
    GMInterviewTopicArea();
    ~GMInterviewTopicArea() override;

    LString Dump() const override;

    // Appends the topic to every list and the button to the members; the area owns the
    // script (also when the button is refused, logged).
    void AddTopic(const LString& aKey, LButton* aButton, LScript* aDependencies, const LString& aSkillLevels,
                  const LString& aDoneEvent, const LString& aViewedEvent, const LString& aLevel);

    // Not offered when the skill-level flag of the player's difficulty is "0"; otherwise
    // offered exactly when the dependencies hold.
    virtual bool IsAvailable(int aIndex);
    bool IsDone(int aIndex) const;
    bool IsViewed(int aIndex) const;
    float GetLevel(int aIndex) const;

    // Lays the list out from the top, one row per offered topic, tells the scroll bar the
    // content height and fades the owner's scroll bar, then the edge fades.
    virtual void UpdateTopics();
    virtual void UpdateFades();
    // Registers every button with the mouse (priority 0), or takes them off.
    void RegisterButtons(bool aOn);
    // Becomes the scroll bar's listener; null is refused (logged).
    bool SetScrollBar(LScrollBar* aScrollBar);
    LScrollBar* GetScrollBar() const { return mScrollBar.Get(); }
    void OnScroll(int aContentPosition) override;

    int GetTopicCount() const { return mKeys.GetCount(); }
    LButton* GetButton(int aIndex) const;
    const LString& GetKey(int aIndex) const { return mKeys.GetRef(aIndex); }
    // The topics on offer: every topic, less the offered ones that are done.
    int GetOpenCount() const { return mOpenCount; }
    int GetScrollOffset() const { return mScrollOffset; }

protected:
    GMInterview* mOwner = nullptr;
    // Whether the button's topic is the owner's selected one (case ignored).
    bool IsSelected(const LButton* aButton) const;
    // A topic that cannot be clicked wherever it stands: a done one.
    virtual bool IsClosed(int aIndex) const;
    // A topic whose button is hilighted: a viewed or the selected one.
    virtual bool IsMarked(int aIndex, const LButton* aButton) const;
    // False when the skill-level flag of the player's difficulty is "0".
    bool IsOfferedAtSkill(int aIndex) const;
    // The topic's dependencies script (owned by the area), or null.
    LScript* GetDependencies(int aIndex) const;
    // A layout of aContentHeight pixels: the scroll bar is told a new height, and the
    // owner's scroll bar shows fully from a height of 185 pixels, dimmed below. Nothing
    // without a scroll bar.
    void UpdateScrollBar(float aContentHeight);

private:
    // Shared with other lists, owned elsewhere: watched.
    LWatch<LScrollBar> mScrollBar;
    LVectorString mKeys;
    LVector mDependencies;
    LVectorString mSkillLevels;
    LVectorString mDoneEvents;
    LVectorString mViewedEvents;
    LVectorString mLevels;
    LVector mButtons;
    int mOpenCount = 0;
    int mScrollOffset = 0;
    // The content height last given to the scroll bar; -1 none yet.
    int mContentHeight = -1;
};
