#include "interview/GMInterviewTopicArea.h"

#include "Gdi/LButton.h"
#include "Gdi/LScrollBar.h"
#include "Input/LMouse.h"
#include "container/LFloat.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewScrollBar.h"
#include "script/LScript.h"
#include "stdlib/LLog.h"
#include "util/GMOptions.h"
#include "util/GMStateReader.h"

#include <cmath>

namespace {

// The content height from which the list scrolls and the scroll bar shows fully.
constexpr float kScrollsFrom = 185.0f;
constexpr float kScrollBarShown = 1.0f;
constexpr float kScrollBarDimmed = 0.3f;
// The skill level when the options cannot be had.
constexpr int kDefaultSkill = 1;

} // namespace

GMInterviewTopicArea::GMInterviewTopicArea(GMInterview* aOwner)
    : mOwner(aOwner)
{
}

GMInterviewTopicArea::GMInterviewTopicArea() = default;

GMInterviewTopicArea::~GMInterviewTopicArea()
{
    // A scroll bar that outlives the list neither reports to it nor moves it any more.
    if (LScrollBar* bar = mScrollBar.Get()) {
        bar->RemoveListener(this);
        if (bar->GetContentGroup() == this) {
            bar->ClearContentGroup();
        }
    }
    for (int i = 0; i < mDependencies.GetCount(); ++i) {
        delete static_cast<LScript*>(mDependencies.GetAt(i));
    }
    mDependencies.RemoveAll();
    mButtons.RemoveAll();
    // The group's destructor deletes the buttons.
}

LString GMInterviewTopicArea::Dump() const
{
    return DumpHead("GMInterviewTopicArea") + "]";
}

void GMInterviewTopicArea::AddTopic(const LString& aKey, LButton* aButton, LScript* aDependencies,
                                    const LString& aSkillLevels, const LString& aDoneEvent,
                                    const LString& aViewedEvent, const LString& aLevel)
{
    mKeys.Add(aKey);
    mDependencies.Add(aDependencies);
    mSkillLevels.Add(aSkillLevels);
    mDoneEvents.Add(aDoneEvent);
    mViewedEvents.Add(aViewedEvent);
    mLevels.Add(aLevel);
    // A refused button is not kept: the row stays without a button and is skipped.
    if (aButton != nullptr && !AddMember(aButton, true)) {
        L_ERROR("AddTopic failure. Button refused: " + aKey);
        delete aButton;
        aButton = nullptr;
    }
    mButtons.Add(aButton);
}

LButton* GMInterviewTopicArea::GetButton(int aIndex) const
{
    return static_cast<LButton*>(mButtons.GetAt(aIndex));
}

bool GMInterviewTopicArea::IsOfferedAtSkill(int aIndex) const
{
    GMOptions* options = GMOptions::GetInstance();
    const int skill = options != nullptr ? options->GetSkill() : kDefaultSkill;
    LVectorString flags;
    mSkillLevels.GetRef(aIndex).Split(LString("|"), &flags);
    return !(skill >= 0 && flags.GetCount() > skill && flags.GetRef(skill) == LString("0"));
}

LScript* GMInterviewTopicArea::GetDependencies(int aIndex) const
{
    return static_cast<LScript*>(mDependencies.GetAt(aIndex));
}

bool GMInterviewTopicArea::IsAvailable(int aIndex)
{
    if (!IsOfferedAtSkill(aIndex)) {
        return false;
    }
    LScript* script = GetDependencies(aIndex);
    return script == nullptr || script->Evaluate();
}

bool GMInterviewTopicArea::IsDone(int aIndex) const
{
    return GMStateReader::IsRaised(mDoneEvents.GetRef(aIndex));
}

bool GMInterviewTopicArea::IsViewed(int aIndex) const
{
    return GMStateReader::IsRaised(mViewedEvents.GetRef(aIndex));
}

bool GMInterviewTopicArea::IsClosed(int aIndex) const
{
    return IsDone(aIndex);
}

bool GMInterviewTopicArea::IsMarked(int aIndex, const LButton* aButton) const
{
    return IsViewed(aIndex) || IsSelected(aButton);
}

float GMInterviewTopicArea::GetLevel(int aIndex) const
{
    return LFloat(mLevels.GetRef(aIndex)).mValue;
}

bool GMInterviewTopicArea::IsSelected(const LButton* aButton) const
{
    if (mOwner == nullptr) {
        return false;
    }
    const LString current = mOwner->GetCurrentTopic();
    return !current.IsEmpty() && aButton->GetId().EqualsNoCase(current);
}

void GMInterviewTopicArea::UpdateTopics()
{
    mOpenCount = 0;
    float y = 0.0f;
    for (int i = 0; i < mKeys.GetCount(); ++i) {
        LButton* button = GetButton(i);
        if (button == nullptr) {
            continue;
        }
        ++mOpenCount;
        if (!IsAvailable(i)) {
            button->SetVisible(false);
            button->SetEnabled(false);
            button->SetHilighted(false);
            continue;
        }
        button->SetVisible(true);
        button->SetPosition((GetLevel(i) - 1.0f) * kIndent, y);
        y += kRowHeight;
        if (IsDone(i)) {
            button->SetEnabled(false);
            --mOpenCount;
        } else {
            button->SetEnabled(true);
        }
        button->SetHilighted(IsViewed(i) || IsSelected(button));
    }
    UpdateScrollBar(y + kRowHeight);
    UpdateFades();
}

void GMInterviewTopicArea::UpdateScrollBar(float aContentHeight)
{
    if (mScrollBar == nullptr) {
        return;
    }
    // Only a new height is given: the scroll bar places the content again from its
    // bar, whose coarser steps would pull a scrolled list back by a pixel or so.
    const int height = static_cast<int>(aContentHeight);
    if (height != mContentHeight) {
        mContentHeight = height;
        mScrollBar->SetContentHeight(height);
    }
    GMInterviewScrollBar* shared = mOwner != nullptr ? mOwner->GetScrollBar() : nullptr;
    if (shared != nullptr) {
        shared->SetBlend(aContentHeight >= kScrollsFrom ? kScrollBarShown : kScrollBarDimmed);
    }
}

void GMInterviewTopicArea::UpdateFades()
{
    const float offset = static_cast<float>(mScrollOffset);
    for (int i = 0; i < mKeys.GetCount(); ++i) {
        LButton* button = GetButton(i);
        if (button == nullptr || !button->GetVisible()) {
            continue;
        }
        const float d = button->GetLocalPosition().y - offset;
        float blend = 1.0f;
        if (d < 0.0f || d > kStripHeight) {
            blend = d < 0.0f ? 1.0f - std::fabs(d) * kFadePerPixel : blend - (d - kStripHeight) * kFadePerPixel;
            button->SetEnabled(!(blend < kClickableBlend || IsClosed(i)));
        }
        button->SetHilighted(IsMarked(i, button));
        button->SetBlend(blend < 0.0f ? 0.0f : blend);
    }
}

void GMInterviewTopicArea::RegisterButtons(bool aOn)
{
    LMouse* mouse = LMouse::Get();
    for (int i = 0; i < mButtons.GetCount(); ++i) {
        LButton* button = GetButton(i);
        if (button == nullptr) {
            continue;
        }
        if (aOn) {
            // The button keeps track of its registration and takes itself off when deleted.
            button->ChangeMouseOrder(0.0f);
        } else if (mouse != nullptr) {
            mouse->RemoveListener(button);
        }
    }
}

bool GMInterviewTopicArea::SetScrollBar(LScrollBar* aScrollBar)
{
    if (aScrollBar == nullptr) {
        L_ASSERT_FAILURE("NULL arg.");
        return false;
    }
    if (mScrollBar != nullptr && mScrollBar.Get() != aScrollBar) {
        mScrollBar->RemoveListener(this);
    }
    mScrollBar = aScrollBar;
    mContentHeight = -1;
    mScrollBar->SetListener(this);
    return true;
}

void GMInterviewTopicArea::OnScroll(int aContentPosition)
{
    mScrollOffset = aContentPosition;
    UpdateTopics();
}
