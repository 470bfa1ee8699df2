// The scroll bar of the interview panel's topic list: its group "interviewscrollbar" with
// the sprites and the three buttons of the interview layout, and the scroll bar that
// moves the topic list through its 195-pixel strip.
#pragma once
#include "object/LBase.h"
#include "object/LWatch.h"
#include "object/LWatched.h"

class LDisplayGroup;
class LIDisplayObject;
class LPropertyList;
class LScrollBar;

class GMInterviewScrollBar : public LBase, public LWatched
{
public:
    GMInterviewScrollBar();
    GMInterviewScrollBar(const GMInterviewScrollBar&) = delete;
    GMInterviewScrollBar& operator=(const GMInterviewScrollBar&) = delete;
    // Deletes the scroll bar and the group (which leaves its parent).
    ~GMInterviewScrollBar() override;

    LString Dump() const override;

    // Builds the group into aParent from "groups.scrollbar.sprites" and
    // "groups.scrollbar.buttons" ("btnarrowup", "btnarrowdn", "btnbar"), makes the scroll
    // bar and dims the group to 0.3. Missing parts are logged; true.
    bool Create(LPropertyList* aLayout, LDisplayGroup* aParent);
    LScrollBar* GetScrollBar() const { return mScrollBar; }
    LDisplayGroup* GetGroup() const { return mGroup.Get(); }
    // The list scrolled by the bar.
    bool SetTopicArea(LIDisplayObject* aArea);
    bool SetBlend(float aBlend);

    static constexpr int kBarHeight = 22;
    static constexpr int kBarAreaHeight = 190;
    static constexpr int kContentHeight = 100;
    static constexpr float kContentStartX = 172.0f;
    static constexpr float kContentStartY = 45.0f;
    static constexpr int kScrollAreaHeight = 195;
    static constexpr int kScrollIncrement = 12;
    static constexpr float kDimmedBlend = 0.3f;

private:
    // Owned, but a member of its parent, which may delete it first: watched.
    LWatch<LDisplayGroup> mGroup;
    LScrollBar* mScrollBar = nullptr;
};
