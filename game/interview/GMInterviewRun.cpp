// GMInterview: the start of a run, its topics and modes, and the player's input.
#include "interview/GMInterview.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LToolTip.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "Render/LColor.h"
#include "container/LPropertyList.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewReading.h"
#include "interview/GMInterviewScrollBar.h"
#include "interview/GMInterviewTopic.h"
#include "interview/GMInterviewTopicArea.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMPDAMinimized.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "time/LGameClock.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"
#include "util/GMStateReader.h"

using namespace GMInterviewReading;

namespace {

const char* const kModeButtonIds[GMInterview::kModeCount] = {"mode_conf", "mode_decp", "mode_flat", "mode_stra",
                                                              "mode_empa"};
const char* const kModeNames[GMInterview::kModeCount] = {"conf", "decp", "flat", "stra", "empa"};
constexpr float kTopicAreaX = 140.0f;
constexpr float kTopicAreaY = 40.0f;
constexpr float kMousePriority = -5.0f;
constexpr float kQuestionTime = 3.0f;
constexpr double kTooltipDelay = 1.0;
constexpr float kTooltipBelow = 30.0f;
constexpr float kTooltipAbove = 20.0f;
constexpr float kTooltipLowY = 50.0f;

// The refusal thresholds by skill (easy, medium, hard) for the game time since the
// failure up to 10, 20, 30, 40 and 50; 0 is never refused.
constexpr float kDenialThresholds[3][5] = {
    {40.0f, 60.0f, 80.0f, 0.0f, 0.0f},
    {25.0f, 45.0f, 65.0f, 85.0f, 0.0f},
    {10.0f, 30.0f, 50.0f, 70.0f, 90.0f},
};

int ModeIndex(const LString& aName)
{
    for (int mode = 0; mode < GMInterview::kModeCount; ++mode) {
        if (aName.EqualsNoCase(LString(kModeNames[mode]))) {
            return mode;
        }
    }
    return -1;
}

int Skill()
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr ? options->GetSkill() : GMOptions::SKILL_MEDIUM;
}

// Stops the mouse event from reaching the listeners after this one. Under a lock only the
// lock owners hear it anyway, and an interrupt asked for there would be left over to
// swallow the next event after the lock (the player's next click).
void StopMouseEvent(LMouse* aMouse)
{
    if (aMouse != nullptr && !aMouse->IsLocked()) {
        aMouse->Interrupt();
    }
}

} // namespace

bool GMInterview::Start()
{
    // A cached interview hid the action menu when it was read, long before this talk; the
    // talk's menu, closed without leaving, would still take clicks over the scene.
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    LDisplayGroup* panel = nullptr;
    LDisplayGroup* modeGroup = nullptr;
    GMInterviewMeter* meter = nullptr;
    GMInterviewScrollBar* scrollBar = nullptr;
    if (manager == nullptr || !manager->GetInterviewDisplay(&panel, &modeGroup, &meter, &scrollBar)) {
        // Nothing is taken over: the caller keeps the scene as it was.
        L_ASSERT_FAILURE("Start failure. No interview panel.");
        mPanel = nullptr;
        mModeGroup = nullptr;
        mMeter = nullptr;
        mScrollBar = nullptr;
        return false;
    }
    mPanel = panel;
    mModeGroup = modeGroup;
    mMeter = meter;
    mScrollBar = scrollBar;
    ListenToButtons(true);
    if (mMeter != nullptr) {
        mMeter->SetGoodValue(0.0f);
        mMeter->SetBadValue(0.0f);
    }
    AttachTopicArea();
    ShowModes(false);
    if (mTopicArea != nullptr) {
        mTopicArea->UpdateTopics();
    }
    if (mPanel != nullptr) {
        mPanel->UpdateAll();
    }

    // With no topic on offer there is nothing to step the meter by.
    const int offered = mTopicArea != nullptr ? mTopicArea->GetOpenCount() : 0;
    const int skill = Skill();
    const float factor = skill == 0 ? 0.95f : (skill == 2 ? 0.5f : 0.75f);
    mGoodStep = offered > 0 ? 100.0f / static_cast<float>(offered) : 0.0f;
    mBadStep = offered > 0 ? 100.0f / (2.0f * static_cast<float>(offered) * factor) : 0.0f;

    if (mPanel != nullptr) {
        // The panel stays in the display tree between interviews.
        LDisplayManager* display = LDisplayManager::Get();
        if (display != nullptr && mPanel->GetGroup() == nullptr) {
            display->AddMember(mPanel);
        }
        mPanel->SetPosition(mPosition);
        mPanel->UpdateAll();
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->AddMember(this, kMousePriority);
    }
    mRunning = true;
    NotifyListener(GMIInterviewListener::EVENT_TAKEN_OVER);

    const LPropertyList* topics = mDataList != nullptr ? mDataList->GetList(LString("topics")) : nullptr;
    if (GMStateReader::IsTrue(mStateManager, "bargaining_" + mId + "_active")) {
        PlayBargaining();
    } else if (IsDenied()) {
        PlaySpecial("denied");
    } else if (GMStateReader::IsTrue(mStateManager, mNoInfoStateId) ||
               (offered == 0 && topics != nullptr && topics->GetCount() > 0)) {
        PlayNoInfo();
    } else {
        PlayIntros();
    }
    return true;
}

bool GMInterview::IsDenied()
{
    LIState* state = mStateManager != nullptr ? mStateManager->GetState(mDenialStateId) : nullptr;
    if (state == nullptr || state->GetType() != LIState::TYPE_NUMBER || state->GetValue() == nullptr) {
        return false;
    }
    const float failedAt = *static_cast<const float*>(state->GetValue());
    if (failedAt == 0.0f) {
        return false;
    }
    const float elapsed = GameTime() - failedAt;
    int band = 0;
    while (band < 5 && elapsed > 10.0f * static_cast<float>(band + 1)) {
        ++band;
    }
    const int skill = Skill();
    const int row = skill == 0 ? 0 : (skill == 2 ? 2 : 1);
    const float threshold = band < 5 ? kDenialThresholds[row][band] : 0.0f;
    if (threshold == 0.0f) {
        return false;
    }
    const double draw = static_cast<double>(LRandom::Next() % 1000) * 0.1;
    return draw >= threshold;
}

void GMInterview::AttachTopicArea()
{
    LScrollBar* bar = mScrollBar != nullptr ? mScrollBar->GetScrollBar() : nullptr;
    if (mPanel == nullptr || mTopicArea == nullptr) {
        // The shared bar must not go on scrolling another interview's list.
        if (bar != nullptr) {
            bar->ClearContentGroup();
            bar->SetListener(nullptr);
            bar->SetContentHeight(0);
        }
        return;
    }
    LIDisplayObject* other = mPanel->GetMember(LString("interviewTopicArea"));
    if (other != nullptr && other != mTopicArea) {
        // Another interview's list leaves the panel; that interview keeps it.
        mPanel->RemoveMember(other);
    }
    mTopicArea->SetPosition(kTopicAreaX, kTopicAreaY);
    if (bar != nullptr) {
        mTopicArea->SetScrollBar(bar);
        mScrollBar->SetTopicArea(mTopicArea);
    }
    if (mTopicArea->GetGroup() == nullptr) {
        mPanel->AddMember(mTopicArea, true);
    }
    mTopicArea->RegisterButtons(true);
}

void GMInterview::ListenToButtons(bool aListen)
{
    LButton* buttons[kModeCount + 2] = {};
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (aListen) {
            mModeButtons[mode] =
                mModeGroup != nullptr ? dynamic_cast<LButton*>(mModeGroup->GetMember(LString(kModeButtonIds[mode])))
                                      : nullptr;
        }
        buttons[mode] = mModeButtons[mode];
    }
    if (mPanel != nullptr) {
        buttons[kModeCount] = dynamic_cast<LButton*>(mPanel->GetMember(LString("btn_exit")));
        buttons[kModeCount + 1] = dynamic_cast<LButton*>(mPanel->GetMember(LString("btn_drag")));
    }
    for (LButton* button : buttons) {
        if (button == nullptr) {
            continue;
        }
        if (aListen) {
            button->RemoveListener();
            button->SetListener(this);
        } else if (button->GetListener() == this) {
            button->RemoveListener();
        }
    }
}

void GMInterview::ShowModes(bool aShown)
{
    // Shown, every mode starts disabled (the topic enables its own); hidden, none takes a
    // click either: a hidden button still follows the mouse.
    for (LButton* button : mModeButtons) {
        if (button != nullptr) {
            button->SetVisible(aShown);
            button->SetEnabled(false);
        }
    }
}

void GMInterview::ShowTopics()
{
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    if (mPanel != nullptr) {
        mPanel->SetActive(true);
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString());
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->AddMember(this, kMousePriority);
    }
}

void GMInterview::OnButton(const LString& aId, int aEvent)
{
    if (mMeterFull || mBuildingTopics) {
        return;
    }
    if (aId == LString("btn_exit")) {
        if (aEvent == XBTNEVENT_CLICKED && !mBusy) {
            PlaySpecial("exit");
        }
        return;
    }
    if (aId == LString("btn_drag")) {
        if (aEvent == XBTNEVENT_PRESSED) {
            StartDrag();
        }
        return;
    }
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.Mid(0, 4, 0) == LString("mode")) {
        const int mode = ModeIndex(aId.Mid(5, aId.GetLength() - 5, 0));
        if (mode >= 0) {
            AskMode(mode);
        }
        return;
    }
    if (!mBusy) {
        SelectTopic(aId);
    }
}

void GMInterview::AskMode(int aMode)
{
    StopTooltip();
    if (LGameClock* clock = LGameClock::Get()) {
        clock->Advance(kQuestionTime, true);
    }
    GMInterviewTopic* topic = mCurrentTopic.IsEmpty() ? nullptr : GetTopic(mCurrentTopic);
    if (topic == nullptr) {
        return;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
    }
    mBusy = true;
    topic->Ask(aMode, this, 0);
    ShowModes(false);
}

void GMInterview::SelectTopic(const LString& aId)
{
    if (!mCurrentTopic.IsEmpty() && aId.EqualsNoCase(mCurrentTopic)) {
        mCurrentTopic.Clear();
        ShowModes(false);
    } else {
        mCurrentTopic = aId;
        ShowModes(true);
        GMInterviewTopic* topic = GetTopic(aId);
        LPropertyList* modes = topic != nullptr ? topic->GetModes() : nullptr;
        for (int i = 0; modes != nullptr && i < modes->GetCount(); ++i) {
            const int mode = ModeIndex(modes->GetKeyAt(i));
            if (mode >= 0 && mModeButtons[mode] != nullptr &&
                !GMStateReader::IsRaised(mId + "_" + aId + "_" + kModeNames[mode])) {
                mModeButtons[mode]->SetEnabled(true);
            }
        }
    }
    if (mTopicArea != nullptr) {
        mTopicArea->UpdateTopics();
    }
}

void GMInterview::StopTooltip()
{
    if (mTooltipPending) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
    mTooltipPending = false;
    mTooltipShown = false;
    if (mModeTooltip != nullptr) {
        mModeTooltip->FadeOut();
    }
}

void GMInterview::OnDoubleClick(int)
{
}

void GMInterview::OnButtonDown(int)
{
}

void GMInterview::StartDrag()
{
    if (mPanel == nullptr) {
        return;
    }
    LVector2 mouse;
    if (LMouse* device = LMouse::Get()) {
        device->GetPosition(mouse);
    }
    const LVector2 at = mPanel->GetPosition();
    mDragOffset = LVector2(at.x - mouse.x, at.y - mouse.y);
    mDragging = true;
}

bool GMInterview::FollowMouse(const LVector2& aPosition)
{
    LMouse* mouse = LMouse::Get();
    if (mBusy) {
        if (GMCursor* cursor = GMCursor::GetInstance()) {
            cursor->OnMove(aPosition);
        }
        StopMouseEvent(mouse);
        return true;
    }
    if (mDragging) {
        if (mPanel != nullptr) {
            mPanel->SetPosition(aPosition.x + mDragOffset.x, aPosition.y + mDragOffset.y);
        }
        StopMouseEvent(mouse);
        return true;
    }
    return false;
}

void GMInterview::OnMove(const LVector2& aPosition)
{
    if (FollowMouse(aPosition)) {
        return;
    }
    int hovered = -1;
    for (int mode = 0; mode < kModeCount && hovered < 0; ++mode) {
        // A disabled mode shows its tooltip too (in grey): its look is hit by boundary.
        LButton* button = mModeButtons[mode];
        LIDisplayObject* look = button != nullptr && button->IsVisible() ? button->GetObject() : nullptr;
        LPolygon boundary;
        if (look != nullptr && look->GetWorldMatrix() != nullptr && look->GetWorldBoundary(&boundary) &&
            boundary.ContainsPoint(aPosition)) {
            hovered = mode;
        }
    }
    if (hovered < 0) {
        StopTooltip();
        mHoveredMode = -1;
        return;
    }
    if (hovered == mHoveredMode) {
        return;
    }
    if (mModeTooltip != nullptr) {
        mModeTooltip->Hide();
    }
    mTooltipMode = hovered;
    mTooltipShown = false;
    mHoverStart = static_cast<float>(LITimer::Now());
    if (!mTooltipPending) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->AddListener(this, 0.0f);
        }
    }
    mTooltipPending = true;
    mHoveredMode = hovered;
}

void GMInterview::OnFrame()
{
    if (!mTooltipPending) {
        return;
    }
    const double now = LITimer::Now();
    if (now - static_cast<double>(mHoverStart) <= kTooltipDelay) {
        return;
    }
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
    mTooltipPending = false;
    mTooltipShown = true;
    if (mModeTooltip == nullptr || mTooltipMode < 0 || mTooltipMode >= kModeCount) {
        return;
    }
    mModeTooltip->SetText(GetTooltipText(mTooltipMode));
    LButton* button = mModeButtons[mTooltipMode];
    const bool enabled = button != nullptr && button->IsEnabled();
    mModeTooltip->SetFillColor(enabled ? LColor(0.8f, 0.96f, 1.0f, 0.62f) : LColor(0.8f, 0.4f, 0.4f, 0.4f));
    LVector2 mouse;
    if (LMouse* device = LMouse::Get()) {
        device->GetPosition(mouse);
    }
    mModeTooltip->SetPosition(mouse.x, mouse.y <= kTooltipLowY ? mouse.y + kTooltipBelow : mouse.y - kTooltipAbove);
    mModeTooltip->FadeIn();
}

void GMInterview::OnButtonUp(int aButton)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        return;
    }
    if (mBusy) {
        StopMouseEvent(mouse);
        return;
    }
    if (mDragging) {
        mDragging = false;
        StopMouseEvent(mouse);
        return;
    }
    if (aButton == 2) {
        StopMouseEvent(mouse);
    }
}

void GMInterview::OnWheel(float aDelta)
{
    if (mBusy) {
        StopMouseEvent(LMouse::Get());
        return;
    }
    LScrollBar* bar = mScrollBar != nullptr ? mScrollBar->GetScrollBar() : nullptr;
    if (bar == nullptr) {
        return;
    }
    bar->ScrollStep(aDelta >= 0.0f);
}
