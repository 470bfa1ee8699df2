#include "interview/GMExpertTopicArea.h"

#include "Gdi/LButton.h"
#include "interview/GMExpertInterview.h"
#include "script/LScript.h"
#include "stdlib/LLog.h"

namespace {

bool Holds(LScript* aScript, bool aDefault)
{
    return aScript == nullptr ? aDefault : aScript->Evaluate();
}

} // namespace

GMExpertTopicArea::GMExpertTopicArea(GMExpertInterview* aOwner)
    : GMInterviewTopicArea(aOwner)
{
}

GMExpertTopicArea::~GMExpertTopicArea()
{
    for (int i = 0; i < mSubmitted.GetCount(); ++i) {
        delete static_cast<LScript*>(mSubmitted.GetAt(i));
    }
    for (int i = 0; i < mReadyScripts.GetCount(); ++i) {
        delete static_cast<LScript*>(mReadyScripts.GetAt(i));
    }
    mSubmitted.RemoveAll();
    mReadyScripts.RemoveAll();
}

LString GMExpertTopicArea::Dump() const
{
    return DumpHead("GMExpertTopicArea") + " ready:" + mReady + " waiting:" + mWaiting + " viewed:" + mViewed + "]";
}

void GMExpertTopicArea::AddTopic(const LString& aKey, LButton* aButton, LScript* aDependencies,
                                 const LString& aSkillLevels, LScript* aSubmitted, LScript* aReady,
                                 const LString& aDoneEvent, const LString& aViewedEvent, const LString& aLevel)
{
    mSubmitted.Add(aSubmitted);
    mReadyScripts.Add(aReady);
    GMInterviewTopicArea::AddTopic(aKey, aButton, aDependencies, aSkillLevels, aDoneEvent, aViewedEvent, aLevel);
}

bool GMExpertTopicArea::IsAvailable(int aIndex)
{
    if (aIndex < 0 || aIndex >= GetTopicCount() || !IsOfferedAtSkill(aIndex)) {
        return false;
    }
    return Holds(GetDependencies(aIndex), false) || Holds(static_cast<LScript*>(mSubmitted.GetAt(aIndex)), false);
}

bool GMExpertTopicArea::IsReady(int aIndex) const
{
    return Holds(static_cast<LScript*>(mReadyScripts.GetAt(aIndex)), true);
}

void GMExpertTopicArea::ShowMember(LButton* aButton, const char* aId, bool aShown)
{
    if (aButton == nullptr) {
        return;
    }
    for (int state = 0; state < kStateSlots; ++state) {
        auto* picture = dynamic_cast<LDisplayGroup*>(aButton->GetStateObject(static_cast<unsigned int>(state)));
        LIDisplayObject* member = picture != nullptr ? picture->GetMember(LString(aId)) : nullptr;
        if (member != nullptr) {
            member->SetVisible(aShown);
        }
    }
}

void GMExpertTopicArea::ShowCheckmark(LButton* aButton, bool aShown)
{
    ShowMember(aButton, "checkmark", aShown);
}

void GMExpertTopicArea::ShowHourglass(LButton* aButton, bool aShown)
{
    ShowMember(aButton, "hourglass", aShown);
}

void GMExpertTopicArea::UpdateTopics()
{
    mWaiting = 0;
    mReady = 0;
    mViewed = 0;
    float y = 0.0f;
    for (int i = 0; i < GetTopicCount(); ++i) {
        LButton* button = GetButton(i);
        if (button == nullptr) {
            continue;
        }
        if (!IsAvailable(i)) {
            button->SetVisible(false);
            button->SetEnabled(false);
            button->SetHilighted(false);
            continue;
        }
        button->SetVisible(true);
        button->SetPosition((GetLevel(i) - 1.0f) * kIndent, y);
        y += kRowHeight;
        const bool ready = IsReady(i);
        // A done topic is not asked again.
        button->SetEnabled(ready && !IsDone(i));
        ShowHourglass(button, !ready);
        if (ready) {
            ++mReady;
        } else {
            ++mWaiting;
        }
        const bool viewed = IsViewed(i);
        ShowCheckmark(button, viewed);
        if (viewed) {
            // Heard already: counted as viewed only (never below zero on the other side).
            ShowHourglass(button, false);
            if (ready) {
                --mReady;
            } else {
                --mWaiting;
            }
            ++mViewed;
        }
        button->SetHilighted(IsSelected(button));
    }
    UpdateScrollBar(y + kRowHeight);
    UpdateFades();
}

bool GMExpertTopicArea::IsClosed(int aIndex) const
{
    // A topic the expert is still working on stays closed at the edges too.
    return IsDone(aIndex) || !IsReady(aIndex);
}

bool GMExpertTopicArea::IsMarked(int, const LButton* aButton) const
{
    // A heard topic shows its checkmark instead.
    return IsSelected(aButton);
}
