#include "interview/GMExpertInterview.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "interview/GMExpertComputer.h"
#include "interview/GMExpertTopicArea.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewScrollBar.h"
#include "interview/GMInterviewSequence.h"
#include "interview/GMInterviewTopic.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "ui/GMCursor.h"
#include "util/GMTextureRoot.h"

#include <initializer_list>

namespace {

const char* const kNotepadId = "expInterview_layout";
const char* const kNotepadLayout = "//textures/interview/expert_interview_layout.txt";
const char* const kTextureRoot = "//textures/interview";
constexpr float kExpertLabelY = 4.0f;
// The marks stand 25 pixels in from the right end of the button's picture.
constexpr float kMarkInset = 25.0f;
constexpr float kMarkY = 2.0f;
constexpr float kMarkZ = 6.0f;
constexpr float kMousePriority = -5.0f;

// The looks of an expert's topic button by state.
const GMInterview::TopicLook kExpertLooks[] = {
    {XBTNSTATE_NORMAL, "_n", "n"},   {XBTNSTATE_OVER, "_o", "o"},      {XBTNSTATE_DOWN, "_d", "n"},
    {XBTNSTATE_DISABLED, "_x", "n"}, {XBTNSTATE_HILIGHTED, "_h", "h"},
};

LScript* MakeScript(const LString& aText)
{
    auto* script = L_NEW LScript();
    LScriptBuilder* builder = LScriptBuilder::Get();
    if (builder == nullptr || !builder->BuildScript(aText, script)) {
        L_ASSERT_FAILURE("Failure building script: " + aText);
    }
    return script;
}

LButton* NotepadButton(LDisplayGroup* aNotepad, const char* aId)
{
    return aNotepad != nullptr ? dynamic_cast<LButton*>(aNotepad->GetMember(LString(aId))) : nullptr;
}

} // namespace

int GMExpertInterview::KindOfId(const LString& aId)
{
    const LString mark = aId.Mid(1, 2, 0);
    if (mark.EqualsNoCase(LString("CL"))) {
        return KIND_CRIME_LAB;
    }
    if (mark.EqualsNoCase(LString("RE"))) {
        return KIND_RESEARCH;
    }
    if (mark.EqualsNoCase(LString("SU"))) {
        return KIND_SURVEILLANCE;
    }
    return KIND_OTHER;
}

GMExpertInterview::GMExpertInterview() = default;

GMExpertInterview::~GMExpertInterview()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (GMExpertComputer* computer = GMExpertComputer::Peek()) {
        computer->ForgetInterview(this);
    }
    // The list leaves the notepad and the scroll bar before either goes; the scroll bar's
    // group is a member of the notepad and goes before it.
    DeleteTopicArea();
    delete mScrollBar;
    mScrollBar = nullptr;
    if (mPanel != nullptr) {
        if (LDisplayGroup* parent = mPanel->GetGroup()) {
            parent->RemoveMember(mPanel);
        }
        delete mPanel;
        mPanel = nullptr;
    }
    mInfos.RemoveAll();
    // The data list and the characters table are the witness part's to delete.
}

LString GMExpertInterview::Dump() const
{
    return DumpHead("GMExpertInterview") + " " + mId + " kind:" + mKind + "]";
}

LString GMExpertInterview::GetType() const
{
    return LString("expert");
}

GMExpertTopicArea* GMExpertInterview::GetExpertTopicArea() const
{
    return static_cast<GMExpertTopicArea*>(mTopicArea.Get());
}

LPropertyList* GMExpertInterview::GetInfo(const LString& aTopic) const
{
    return static_cast<LPropertyList*>(mInfos.Get(aTopic));
}

bool GMExpertInterview::Create(const LString& aDataName, LPropertyList* aDataList, const LString& aSubtitlesName)
{
    // The random picks of the openings.
    LRandom::SeedFromTime();
    mExiting = false;
    mKind = KindOfId(aDataName.Mid(0, aDataName.GetLength() - 4, 0));
    if (!ReadData(aDataName, aDataList, aSubtitlesName)) {
        return false;
    }
    LPropertyList* topics = mDataList != nullptr ? mDataList->GetList(LString("topics")) : nullptr;
    if (topics == nullptr) {
        L_ASSERT_FAILURE("'topics' not found.");
    }
    mInfos.RemoveAll();
    for (int i = 0; topics != nullptr && i < topics->GetCount(); ++i) {
        LPropertyList* entry = topics->GetListAt(i);
        LPropertyList* info = entry != nullptr ? entry->GetList(LString("info")) : nullptr;
        if (info != nullptr) {
            mInfos.AddAt(topics->GetKeyAt(i), info, true);
        }
    }
    if (mTopicArea == nullptr && !SetupTopicArea(mDataList)) {
        L_ASSERT_FAILURE("SetupTopicArea failure.");
    }
    if (!SetupNotepad()) {
        L_ASSERT_FAILURE("SetupNotepad failure");
    }
    mPhoneCall = false;
    return true;
}

bool GMExpertInterview::SetupTopicArea(LPropertyList* aDataList)
{
    mBuildingTopics = true;
    DeleteTopicArea();
    auto* area = L_NEW GMExpertTopicArea(this);
    area->SetId(LString("interviewTopicArea"));
    mTopicArea = area;
    LPropertyList* topics = aDataList != nullptr ? aDataList->GetList(LString("topics")) : nullptr;
    for (int i = 0; topics != nullptr && i < topics->GetCount(); ++i) {
        const LString key = topics->GetKeyAt(i);
        LPropertyList* entry = topics->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        LString title;
        LString level;
        ReadTopicHeading(entry, title, level);
        LButton* button = MakeExpertTopicButton(key, title);
        area->AddTopic(key, button, MakeScript(TextOr(entry, "dependencies", "script[false]")),
                       TextOr(entry, "skilllevels", "1|1|1"), MakeScript(TextOr(entry, "submittedevent", "script[false]")),
                       MakeScript(TextOr(entry, "readyevent", "script[true]")), TextOr(entry, "doneevent", "evtnever"),
                       TextOr(entry, "viewedevent", "evtnever"), level);
    }
    area->UpdateTopics();
    mBuildingTopics = false;
    return true;
}

LButton* GMExpertInterview::MakeExpertTopicButton(const LString& aKey, const LString& aTitle)
{
    LButton* button = MakeTopicButton(aKey, aTitle, kExpertLooks, kExpertLabelY);
    LPropertyList* layout = InterviewLayout();
    for (int state = 0; state < GMExpertTopicArea::kStateSlots; ++state) {
        auto* picture = dynamic_cast<LDisplayGroup*>(button->GetStateObject(static_cast<unsigned int>(state)));
        if (picture == nullptr) {
            continue;
        }
        float right = 0.0f;
        if (picture->GetBoundary() != nullptr) {
            const LRectangle bounds(*picture->GetBoundary());
            right = bounds.GetX() + bounds.GetWidth();
        }
        GMTextureRoot root {LString(kTextureRoot)};
        for (const char* mark : {"checkmark", "hourglass"}) {
            LPropertyList* entry = layout != nullptr ? layout->GetList(LString("misc.") + mark) : nullptr;
            LSprite* sprite = entry != nullptr ? LLayoutBuilder::BuildSprite(entry) : nullptr;
            if (sprite == nullptr) {
                L_ASSERT_FAILURE(LString("'misc.") + mark + "' not found.");
                continue;
            }
            sprite->SetId(LString(mark));
            sprite->SetPosition(right - kMarkInset, kMarkY);
            sprite->SetRelativeZ(kMarkZ);
            sprite->SetVisible(false);
            if (!picture->AddMember(sprite, true)) {
                delete sprite;
            }
        }
    }
    return button;
}

bool GMExpertInterview::SetupNotepad()
{
    GMTextureRoot root {LString(kTextureRoot)};
    if (mPanel == nullptr) {
        mPanel = L_NEW LDisplayGroup();
        mPanel->SetId(LString(kNotepadId));
        mPanel->SetPosition(kNotepadX, kNotepadY);
        mPanel->SetRelativeZ(kNotepadZ);
        mPanel->SetActive(false);
    }
    LPropertyList layout;
    if (!layout.Load(LString(kNotepadLayout), true)) {
        L_ASSERT_FAILURE("Failed to create layout list.");
    }
    if (!LLayoutBuilder::BuildSprites(layout.GetList(LString("groups.interface.sprites")), mPanel)) {
        L_ASSERT_FAILURE("Layout sprites failed");
    }
    if (!LLayoutBuilder::BuildButtons(layout.GetList(LString("groups.interface.buttons")), mPanel, this)) {
        L_ASSERT_FAILURE("Layout buttons failed");
    }
    // Given back when the notepad is shown.
    if (LButton* exit = NotepadButton(mPanel, "btn_exit")) {
        exit->RemoveListener();
    }
    if (mScrollBar == nullptr) {
        mScrollBar = L_NEW GMInterviewScrollBar();
        mScrollBar->Create(InterviewLayout(), mPanel);
    }
    AttachTopicArea();
    if (mTopicArea != nullptr) {
        // Registered with the mouse while the notepad is shown.
        mTopicArea->RegisterButtons(false);
        mTopicArea->UpdateTopics();
    }
    mPanel->UpdateAll();
    return true;
}

bool GMExpertInterview::Start()
{
    // A cached interview hid the action menu when it was read, long before this talk.
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
    for (int i = 0; i < GetCharacterCount(); ++i) {
        if (GMCharacter* character = GetCharacterAt(i)) {
            character->SetSeated(true, 0);
        }
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
        mouse->AddMember(this, kMousePriority);
    }
    mExiting = false;
    mEndAfterSequence = false;
    mContinueToTopics = false;
    mRunning = true;
    NotifyListener(GMIInterviewListener::EVENT_TAKEN_OVER);
    GMExpertTopicArea* area = GetExpertTopicArea();
    if (area != nullptr) {
        area->UpdateTopics();
    }
    if (area != nullptr && area->GetReadyCount() >= 1) {
        PlayOpening("intros");
    } else if (area != nullptr && area->GetWaitingCount() >= 1) {
        PlayOpening("pending");
    } else {
        PlayNoInfos();
    }
    return true;
}

void GMExpertInterview::PlayOpening(const char* aKey)
{
    LPropertyList* list = mDataList != nullptr ? mDataList->GetList(LString(aKey)) : nullptr;
    if (list == nullptr) {
        L_ASSERT_FAILURE(LString("'") + aKey + "' not found.");
    }
    delete mSequence;
    mSequence = nullptr;
    const int count = list != nullptr ? list->GetCount() : 0;
    // An empty list has no entry to pick: no sequence, as for an entry that makes none.
    LPropertyList* entry = count > 0 ? list->GetListAt(LRandom::Next() % count) : nullptr;
    auto* sequence = entry != nullptr ? L_NEW GMInterviewSequence() : nullptr;
    if (sequence != nullptr && !sequence->Create(LString(), entry, this)) {
        delete sequence;
        sequence = nullptr;
    }
    if (sequence == nullptr) {
        mContinueToTopics = false;
        ShowNotepad();
        return;
    }
    mSequence = sequence;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
    }
    mBusy = true;
    mContinueToTopics = true;
    mSequence->Play(this);
}

void GMExpertInterview::PlayNoInfos()
{
    LPropertyList* list = mDataList != nullptr ? mDataList->GetList(LString("noinfos")) : nullptr;
    if (list == nullptr) {
        L_ASSERT_FAILURE("'noinfos' not found.");
    }
    const int count = list != nullptr ? list->GetCount() : 0;
    LPropertyList* entry = count > 0 ? list->GetListAt(PickIndex(count)) : nullptr;
    if (entry == nullptr) {
        L_ASSERT_FAILURE("'noinfos' entry not found.");
    }
    GMExpertTopicArea* area = GetExpertTopicArea();
    const bool heard = area != nullptr && area->GetViewedCount() > 0;
    mEndAfterSequence = !heard;
    mContinueToTopics = heard;
    // A missing entry plays an empty sequence, which ends at the next frame.
    PlaySequence(entry, LString());
}

void GMExpertInterview::ShowNotepad()
{
    GMExpertTopicArea* area = GetExpertTopicArea();
    if (area == nullptr || (area->GetReadyCount() == 0 && area->GetViewedCount() == 0)) {
        // Nothing to choose: the interview gives control back rather than wait for a
        // click that cannot come.
        End();
        return;
    }
    LMouse* mouse = LMouse::Get();
    if (mouse != nullptr) {
        mouse->RemoveListener(this);
        mouse->AddMember(this, kMousePriority);
    }
    if (mPanel == nullptr) {
        SetupNotepad();
    }
    area->RegisterButtons(true);
    if (LButton* exit = NotepadButton(mPanel, "btn_exit")) {
        exit->RemoveListener();
        exit->SetListener(this);
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display != nullptr && mPanel != nullptr && mPanel->GetGroup() == nullptr) {
        display->AddMember(mPanel);
    }
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    if (mKind == KIND_OTHER) {
        if (mPanel != nullptr) {
            mPanel->SetActive(true);
        }
    } else {
        // The location's ambient sound goes on under the computer.
        if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
            scene->SetKeepAudio(true);
        }
        GMExpertComputer* computer = GMExpertComputer::GetInstance();
        if (computer == nullptr || !computer->Open(mKind, this)) {
            L_ERROR("ShowNotepad failure. The expert computer did not open.");
            if (mPanel != nullptr) {
                mPanel->SetActive(true);
            }
        }
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString());
    }
}

void GMExpertInterview::OnButton(const LString& aId, int aEvent)
{
    if (mBuildingTopics || !mRunning) {
        return;
    }
    if (aId == LString("btn_exit")) {
        GMExpertComputer* opening = mKind != KIND_OTHER ? GMExpertComputer::Peek() : nullptr;
        // While the computer comes up it cannot go: a click then would leave it on top.
        if (aEvent != XBTNEVENT_CLICKED || mBusy || mExiting || (opening != nullptr && opening->IsOpening())) {
            return;
        }
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
        // The notepad takes no more clicks; the interview ends after the exit sequence.
        if (mTopicArea != nullptr) {
            mTopicArea->RegisterButtons(false);
        }
        if (mPanel != nullptr) {
            mPanel->SetActive(false);
        }
        GMExpertComputer* computer = mKind != KIND_OTHER ? GMExpertComputer::Peek() : nullptr;
        if (computer == nullptr || !computer->Close()) {
            Exit();
        }
        return;
    }
    if (aId == LString("btn_drag")) {
        if (aEvent == XBTNEVENT_PRESSED) {
            StartDrag();
        }
        return;
    }
    // Only the topic buttons ask.
    if (aEvent != XBTNEVENT_CLICKED || mBusy || mExiting || GetTopic(aId) == nullptr) {
        return;
    }
    mCurrentTopic = aId;
    AskCurrentTopic();
    if (mTopicArea != nullptr) {
        mTopicArea->UpdateTopics();
    }
}

void GMExpertInterview::AskCurrentTopic()
{
    if (mCurrentTopic.IsEmpty()) {
        return;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
    }
    if (mKind != KIND_OTHER) {
        LPropertyList* info = GetInfo(mCurrentTopic);
        GMExpertComputer* computer = GMExpertComputer::Peek();
        if (info != nullptr && computer != nullptr) {
            computer->ShowInfo(info, mSubtitleList);
        }
    }
    mBusy = true;
    GMInterviewTopic* topic = GetTopic(mCurrentTopic);
    if (topic == nullptr) {
        L_ERROR("Ask failure. Unknown topic: " + mCurrentTopic);
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Unlock(this);
        }
        OnTopicFinished();
        return;
    }
    topic->Ask(kAskedMode, this, GMInterviewTopic::KIND_EXPERT);
}

void GMExpertInterview::OnTopicFinished()
{
    mCurrentTopic.Clear();
    mBusy = false;
    if (mTopicArea != nullptr) {
        mTopicArea->UpdateTopics();
    }
}

void GMExpertInterview::Exit()
{
    if (mExiting || !mRunning) {
        return;
    }
    mExiting = true;
    LPropertyList* exit = mDataList != nullptr ? mDataList->GetList(LString("exit")) : nullptr;
    if (exit == nullptr) {
        End();
        mExiting = false;
        return;
    }
    mEndAfterSequence = true;
    mContinueToTopics = false;
    PlaySequence(exit, LString());
}

void GMExpertInterview::OnMove(const LVector2& aPosition)
{
    FollowMouse(aPosition);
}

void GMExpertInterview::OnWheel(float aDelta)
{
    LScrollBar* bar = mScrollBar != nullptr ? mScrollBar->GetScrollBar() : nullptr;
    if (bar == nullptr) {
        return;
    }
    if (aDelta >= 0.0f) {
        bar->ScrollUp();
    } else {
        bar->ScrollDown();
    }
}

void GMExpertInterview::OnSequenceDone()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(this);
    }
    mCurrentTopic.Clear();
    switch (CloseSequence()) {
    case AfterSequence::kEnd:
        // The one end of the interview: the bar back, the scene's own camera, the
        // characters resumed, the listener told 1, the cut scenes asked for.
        End();
        mExiting = false;
        break;
    case AfterSequence::kTopics:
        ShowNotepad();
        break;
    case AfterSequence::kNothing:
        break;
    }
}
