#include "interview/GMInterview.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Gdi/LToolTipManager.h"
#include "Input/LMouse.h"
#include "Render/LColor.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewScrollBar.h"
#include "interview/GMInterviewSequence.h"
#include "interview/GMInterviewTopic.h"
#include "interview/GMInterviewTopicArea.h"
#include "interview/GMSubtitle.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMHotspot.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "time/LGameClock.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"
#include "util/GMTextureRoot.h"

// --- The interview's data, its topic list and the answers' ends.

namespace {

const char* const kToolTipId = "_mode_tooltip";
const char* const kToolTipFont = "tahoma10black";
constexpr float kToolTipZ = 9700.0f;
const char* const kToolTipFile = "//dataroot/assets/tooltips.txt";
const char* const kToolTipKeys[] = {"mode_conf", "mode_decp", "mode_flat", "mode_stra", "mode_empa"};
const char* const kLayoutPath = "//textures/interview/interview_layout.txt";
const char* const kTextureRoot = "//textures/interview";
const char* const kLabelFont = "Friz_Quad_TT_8";
const char* const kDisabledLabelFont = "Friz_Quad_TT_8_grey";
constexpr float kFullSide = 99.0f;

// The looks of a witness's topic button by state.
const GMInterview::TopicLook kTopicLooks[] = {
    {XBTNSTATE_DISABLED, "_x", "x"}, {XBTNSTATE_DOWN, "_d", "h"},  {XBTNSTATE_HILIGHTED, "_h", "h"},
    {XBTNSTATE_NORMAL, "_n", "n"},   {XBTNSTATE_OVER, "_o", "o"},
};

} // namespace

LString GMInterview::TextOr(const LPropertyList* aList, const char* aKey, const char* aDefault)
{
    bool found = false;
    const LString value = aList->GetString(LString(aKey), found);
    return found ? value : LString(aDefault);
}

GMInterview::GMInterview()
    : mStateManager(LStateManager::Get())
{
    // The denial draws and the random picks of special sequences.
    LRandom::SeedFromTime();
}

GMInterview::~GMInterview()
{
    ReleasePanel();
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    delete mSequence;
    DeleteTopicArea();
    DeleteTopics();
    delete mTooltipTexts;
    delete mDataList;
    delete mSubtitleList;
    delete mTopicButtonLayout;
    DeleteCharacters();
}

LString GMInterview::Dump() const
{
    return DumpHead("GMInterview") + " " + mId + "]";
}

LString GMInterview::GetType() const
{
    return LString("regular");
}

GMScene* GMInterview::CurrentScene()
{
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    return scenes != nullptr ? scenes->GetScene() : nullptr;
}

void GMInterview::SetSceneCut(const LString& aCut)
{
    if (GMScene* scene = CurrentScene()) {
        scene->SetCut(aCut);
    }
}

GMCharacter* GMInterview::ScenePlayer()
{
    GMScene* scene = CurrentScene();
    return scene != nullptr ? scene->GetPlayer() : nullptr;
}

GMCharacter* GMInterview::SceneCharacter(const LString& aName)
{
    GMScene* scene = CurrentScene();
    return scene != nullptr ? scene->GetCharacter(aName) : nullptr;
}

void GMInterview::ResetSceneCharacters()
{
    if (GMScene* scene = CurrentScene()) {
        scene->ResetCharacters();
    }
}

void GMInterview::SetSceneInput(bool aEnabled)
{
    if (GMScene* scene = CurrentScene()) {
        scene->SetInputEnabled(aEnabled);
        scene->SetHotspotsEnabled(aEnabled);
    }
}

bool GMInterview::Create(const LString& aDataName, LPropertyList* aDataList, const LString& aSubtitlesName)
{
    MakeModeTooltip();
    ReadTooltipTexts();
    if (!ReadData(aDataName, aDataList, aSubtitlesName)) {
        return false;
    }
    if (mTopicArea == nullptr && !SetupTopicArea(mDataList)) {
        L_ASSERT_FAILURE("SetupTopicArea failure.");
    }
    mPhoneCall = false;
    return true;
}

bool GMInterview::ReadData(const LString& aDataName, LPropertyList* aDataList, const LString& aSubtitlesName)
{
    mId = aDataName.Mid(0, aDataName.GetLength() - 4, 0);
    MakeStates();
    if (aDataList != mDataList) {
        delete mDataList;
        mDataList = aDataList;
    }
    auto* subtitles = L_NEW LPropertyList();
    if (!subtitles->Load("//interviews/" + aSubtitlesName, true)) {
        delete subtitles;
        L_ERROR("Subtitle list creation failure:" + aSubtitlesName);
        return false;
    }
    delete mSubtitleList;
    mSubtitleList = subtitles;
    if (GMMultiCursor* cursor = GMMultiCursor::GetInstance()) {
        cursor->Hide(true);
    }
    ReadFonts();
    ReadCharacters();
    ReadTopics();
    return true;
}

void GMInterview::MakeModeTooltip()
{
    LToolTipManager* tips = LToolTipManager::Get();
    if (tips == nullptr) {
        return;
    }
    mModeTooltip = tips->GetToolTip(LString(kToolTipId));
    if (mModeTooltip == nullptr) {
        LFontManager* fonts = LFontManager::Get();
        LIFont* font = fonts != nullptr ? fonts->GetFont(LString(kToolTipFont)) : nullptr;
        // A tooltip without its font could not draw its text.
        mModeTooltip = font != nullptr ? tips->CreateToolTip(font, LString(kToolTipId), kToolTipZ) : nullptr;
    }
    if (mModeTooltip != nullptr) {
        mModeTooltip->SetFillColor(LColor(0.8f, 0.96f, 1.0f, 0.62f));
        mModeTooltip->SetStrokeColor(LColor(1.0f, 0.0f, 0.0f, 0.0f));
    }
}

void GMInterview::ReadTooltipTexts()
{
    LPropertyList texts;
    const bool loaded = texts.Load(LString(kToolTipFile), true);
    if (!loaded) {
        L_ASSERT_FAILURE("");
    }
    delete mTooltipTexts;
    mTooltipTexts = L_NEW LVectorString();
    for (const char* key : kToolTipKeys) {
        bool found = false;
        const LString text = loaded ? texts.GetString(LString(key), found) : LString();
        mTooltipTexts->Add(found ? text : LString("Tooltip missing"));
    }
}

LString GMInterview::GetTooltipText(int aMode) const
{
    if (mTooltipTexts == nullptr || aMode < 0 || aMode >= mTooltipTexts->GetCount()) {
        return LString();
    }
    return mTooltipTexts->GetRef(aMode);
}

void GMInterview::MakeStates()
{
    mDenialStateId = "denialtime_" + mId;
    mNoInfoStateId = "noinfo_" + mId;
    if (mStateManager == nullptr) {
        return;
    }
    if (!mStateManager->HasState(mDenialStateId)) {
        auto* denial = L_NEW LIState();
        const float never = 0.0f;
        if (!denial->Set(mDenialStateId, LIState::TYPE_NUMBER, &never) || !mStateManager->AddState(denial, false, false)) {
            delete denial;
        }
    }
    if (mStateManager->HasState(mNoInfoStateId)) {
        L_NOTE("Found value");
        return;
    }
    auto* noInfo = L_NEW LIState();
    const unsigned char no = 0;
    if (!noInfo->Set(mNoInfoStateId, LIState::TYPE_BOOLEAN, &no) || !mStateManager->AddState(noInfo, false, false)) {
        delete noInfo;
    }
}

void GMInterview::ReadFonts()
{
    mFonts.RemoveAll();
    LPropertyList* fonts = mDataList != nullptr ? mDataList->GetList(LString("fonts")) : nullptr;
    if (fonts == nullptr) {
        L_ASSERT_FAILURE("'fonts' not found.");
        return;
    }
    LFontManager* manager = LFontManager::Get();
    for (int i = 0; i < fonts->GetCount(); ++i) {
        bool found = false;
        const LString key = fonts->GetKeyAt(i);
        LIFont* font = manager != nullptr ? manager->GetFont(fonts->GetString(key, found)) : nullptr;
        if (font == nullptr || mFonts.AddAt(key, font, true) == 0) {
            L_ASSERT_FAILURE("Font not found.");
        }
    }
}

void GMInterview::SetTalkHotspot(GMHotspot* aHotspot, GMICharacterListener* aRiseListener)
{
    mTalkHotspot = aHotspot;
    mRiseListener = aRiseListener;
}

void GMInterview::SetMeter(GMInterviewMeter* aMeter, float aGoodStep, float aBadStep)
{
    mMeter = aMeter;
    mGoodStep = aGoodStep;
    mBadStep = aBadStep;
}

void GMInterview::DeleteCharacters()
{
    for (int i = 0; mCharacters != nullptr && i < mCharacters->GetCount(); ++i) {
        delete static_cast<LWatch<GMCharacter>*>(mCharacters->GetAt(i));
    }
    delete mCharacters;
    mCharacters = nullptr;
}

void GMInterview::ReadCharacters()
{
    DeleteCharacters();
    LPropertyList* characters = mDataList != nullptr ? mDataList->GetList(LString("characters")) : nullptr;
    if (characters == nullptr) {
        return;
    }
    mCharacters = L_NEW LHashKeyList(7, false);
    for (int i = 0; i < characters->GetCount(); ++i) {
        bool found = false;
        const LString key = characters->GetKeyAt(i);
        const LString name = characters->GetString(key, found);
        GMCharacter* character = found ? SceneCharacter(name) : nullptr;
        if (character == nullptr) {
            L_WARNING("Character not found in the scene: " + name);
            continue;
        }
        auto* watch = L_NEW LWatch<GMCharacter>(character);
        // 0 is also the empty key's hash: only a watch not stored is deleted.
        if (mCharacters->AddAt(key, watch, true) == 0 && mCharacters->Get(key) != watch) {
            delete watch;
        }
    }
}

void GMInterview::DeleteTopics()
{
    for (int i = 0; i < mTopics.GetCount(); ++i) {
        delete static_cast<GMInterviewTopic*>(mTopics.GetAt(i));
    }
    mTopics.RemoveAll();
}

void GMInterview::ReadTopics()
{
    DeleteTopics();
    LPropertyList* topics = mDataList != nullptr ? mDataList->GetList(LString("topics")) : nullptr;
    if (topics == nullptr) {
        return;
    }
    for (int i = 0; i < topics->GetCount(); ++i) {
        const LString key = topics->GetKeyAt(i);
        auto* topic = L_NEW GMInterviewTopic();
        if (!topic->Create(mId + "_" + key, topics->GetListAt(i)) || mTopics.AddAt(key, topic, true) == 0) {
            L_ASSERT_FAILURE("Create failure.");
            delete topic;
        }
    }
}

GMInterviewTopic* GMInterview::GetTopic(const LString& aKey) const
{
    return static_cast<GMInterviewTopic*>(mTopics.Get(aKey));
}

int GMInterview::GetSubtitle(const LString& aKey, LString& aOut) const
{
    aOut.Clear();
    if (mSubtitleList == nullptr) {
        return 0;
    }
    bool found = false;
    aOut = mSubtitleList->GetString(aKey, found);
    if (!found) {
        L_ERROR("GetSubtitle failure. '" + aKey + "' not found.");
        aOut.Clear();
    }
    return 1;
}

LIFont* GMInterview::GetFont(const LString& aKey) const
{
    return static_cast<LIFont*>(mFonts.Get(aKey));
}

GMCharacter* GMInterview::GetCharacter(const LString& aKey) const
{
    const auto* watch = mCharacters != nullptr ? static_cast<LWatch<GMCharacter>*>(mCharacters->Get(aKey)) : nullptr;
    return watch != nullptr ? watch->Get() : nullptr;
}

int GMInterview::SetListener(GMIInterviewListener* aListener)
{
    if (aListener == nullptr) {
        L_ASSERT_FAILURE("NULL arg.");
    }
    mListener = aListener;
    return 1;
}

void GMInterview::NotifyListener(int aCode)
{
    if (mListener != nullptr) {
        mListener->OnInterviewEvent(aCode);
    }
}

void GMInterview::DeleteTopicArea()
{
    if (mTopicArea != nullptr && mTopicArea->GetGroup() != nullptr) {
        mTopicArea->GetGroup()->RemoveMember(mTopicArea);
    }
    delete mTopicArea.Get();
    mTopicArea = nullptr;
}

bool GMInterview::SetupTopicArea(LPropertyList* aDataList)
{
    mBuildingTopics = true;
    DeleteTopicArea();
    mTopicArea = L_NEW GMInterviewTopicArea(this);
    mTopicArea->SetId(LString("interviewTopicArea"));
    LPropertyList* topics = aDataList != nullptr ? aDataList->GetList(LString("topics")) : nullptr;
    LScriptBuilder* builder = LScriptBuilder::Get();
    for (int i = 0; topics != nullptr && i < topics->GetCount(); ++i) {
        const LString key = topics->GetKeyAt(i);
        LPropertyList* entry = topics->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        LString label;
        LString level;
        ReadTopicHeading(entry, label, level);
        LButton* button = MakeTopicButton(key, label, kTopicLooks, kLabelY);
        auto* dependencies = L_NEW LScript();
        bool found = false;
        LString script = entry->GetString(LString("dependencies"), found);
        if (!found) {
            // As the topic itself reads it: without conditions a topic is always on offer.
            L_ASSERT_FAILURE("'dependencies' not found.");
            script = LString("script[true]");
        }
        if (builder != nullptr) {
            builder->BuildScript(script, dependencies);
        }
        mTopicArea->AddTopic(key, button, dependencies, TextOr(entry, "skilllevels", "1|1|1"),
                             TextOr(entry, "doneevent", "evtnever"), TextOr(entry, "viewedevent", "evtnever"),
                             level);
    }
    mTopicArea->UpdateTopics();
    mBuildingTopics = false;
    return true;
}

void GMInterview::ReadTopicHeading(LPropertyList* aEntry, LString& aTitle, LString& aLevel) const
{
    bool found = false;
    const LString name = aEntry->GetString(LString("name"), found);
    if (!found) {
        L_ASSERT_FAILURE("'*.name' not found.");
    }
    GetSubtitle(name, aTitle);
    aLevel = aEntry->GetString(LString("level"), found);
    if (!found) {
        L_ASSERT_FAILURE("'level' not found.");
    }
}

LButton* GMInterview::MakeTopicButton(const LString& aKey, const LString& aLabel, const TopicLook (&aLooks)[5],
                                      float aLabelY)
{
    auto* button = L_NEW LButton();
    button->SetId(aKey);
    for (const TopicLook& look : aLooks) {
        LDisplayGroup* picture = BuildTopicPicture(aKey + look.mSuffix, LString(look.mLetter),
                                                   look.mState == XBTNSTATE_DISABLED, aLabel, aLabelY);
        if (!button->AddButtonStateObject(look.mState, picture)) {
            delete picture;
        }
    }
    ListenToTopicButton(button);
    return button;
}

LDisplayGroup* GMInterview::BuildTopicPicture(const LString& aId, const LString& aLetter, bool aDisabled,
                                              const LString& aLabel, float aLabelY)
{
    auto* text = L_NEW LTextArea();
    text->SetId(aId);
    text->SetRelativeZ(kLabelZ);
    text->SetPosition(kLabelX, aLabelY);
    text->Create(LString(aDisabled ? kDisabledLabelFont : kLabelFont));
    text->SetText(aLabel);
    LDisplayGroup* picture = BuildTopicButton(aId, aLetter);
    if (picture == nullptr) {
        picture = L_NEW LDisplayGroup();
        picture->SetId(aId + "topicbutton");
    }
    if (!picture->AddMember(text, true)) {
        delete text;
    }
    return picture;
}

void GMInterview::ListenToTopicButton(LButton* aButton)
{
    aButton->SetMouseOrder(this, 0.0f);
    // The topic list registers its buttons while it is shown.
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(aButton);
    }
}

LPropertyList* GMInterview::InterviewLayout()
{
    if (mTopicButtonLayout == nullptr) {
        auto* layout = L_NEW LPropertyList();
        if (!layout->Load(LString(kLayoutPath), true)) {
            L_ASSERT_FAILURE("'interview_layout.txt' list creation failure.");
            delete layout;
            return nullptr;
        }
        mTopicButtonLayout = layout;
    }
    return mTopicButtonLayout;
}

LDisplayGroup* GMInterview::BuildTopicButton(const LString& aId, const LString& aLetter)
{
    GMTextureRoot root {LString(kTextureRoot)};
    if (InterviewLayout() == nullptr) {
        return nullptr;
    }
    LPropertyList* list = mTopicButtonLayout->GetList("misc.topicbutton" + aLetter);
    if (list == nullptr) {
        L_ASSERT_FAILURE("'misc.topicbutton' not found.");
        return nullptr;
    }
    auto* group = L_NEW LDisplayGroup();
    group->SetId(aId + "topicbutton");
    LLayoutBuilder::BuildSprites(list, group);
    if (LIDisplayObject* middle = group->GetMember(LString("middle"))) {
        middle->SetScale(kMiddleScaleX, 1.0f);
    } else {
        L_ASSERT_FAILURE("'middle' sprite not found.");
    }
    LIDisplayObject* cap = group->GetMember(LString("right_cap"));
    if (cap == nullptr) {
        L_ASSERT_FAILURE("'right_cap' sprite not found.");
        return group;
    }
    const LVector2 place = cap->GetLocalPosition();
    cap->SetPosition(place.x + kRightCapShift, place.y);
    if (cap->GetBoundary() != nullptr) {
        const LRectangle bounds(*cap->GetBoundary());
        const LVector2 origin = cap->GetPosition();
        const LRectangle area(0.0f, 0.0f, origin.x + (bounds.GetX() + bounds.GetWidth()) * cap->GetScale().x,
                              (bounds.GetY() + bounds.GetHeight()) * cap->GetScale().y);
        group->SetBoundary(&area);
    }
    return group;
}

void GMInterview::ApplyStep(bool aGood)
{
    if (mMeter == nullptr) {
        L_ERROR("ApplyStep failure. No meter.");
        return;
    }
    const float value = aGood ? mMeter->AddGood(mGoodStep) : mMeter->AddBad(mBadStep);
    if (value >= kFullSide) {
        mMeterFull = true;
        mMeter->SetInterview(this);
    }
}

void GMInterview::ApplyGoodStep()
{
    ApplyStep(true);
}

void GMInterview::ApplyBadStep()
{
    ApplyStep(false);
}

void GMInterview::OnTopicDone()
{
    mCurrentTopic.Clear();
    mBusy = false;
    if (mTopicArea != nullptr) {
        mTopicArea->UpdateTopics();
    }
}

int GMInterview::GetCharacterCount() const
{
    return mCharacters != nullptr ? mCharacters->GetCount() : 0;
}

GMCharacter* GMInterview::GetCharacterAt(int aIndex) const
{
    if (aIndex < 0 || aIndex >= GetCharacterCount()) {
        return nullptr;
    }
    const auto* watch = static_cast<LWatch<GMCharacter>*>(mCharacters->GetAt(aIndex));
    return watch != nullptr ? watch->Get() : nullptr;
}

void GMInterview::End(bool aAfterFade)
{
    mRunning = false;
    for (int i = 0; i < GetCharacterCount(); ++i) {
        if (GMCharacter* character = GetCharacterAt(i)) {
            character->SetSeated(false, 0);
        }
    }
    if (mTopicArea != nullptr) {
        mTopicArea->RegisterButtons(false);
    }
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
    if (mPanel != nullptr) {
        mPanel->SetActive(false);
    }
    mBusy = false;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(nullptr);
        mouse->RemoveListener(this);
    }
    if (!mPhoneCall) {
        if (GMCursor* cursor = GMCursor::GetInstance()) {
            cursor->SetCursor(GMCursor::TYPE_DEFAULT, LString());
        }
    }
    NotifyListener(GMIInterviewListener::EVENT_RETURNED);
    if (aAfterFade) {
        return;
    }
    GMCharacter* player = ScenePlayer();
    if (mPhoneCall) {
        if (player != nullptr) {
            player->PlayAction(GM_ACTION_PHONE_IN, nullptr);
            player->SetAmbientSuspended(false);
        }
    } else {
        ResetSceneCharacters();
    }
    SetSceneCut(LString("-"));
    if (GMCutScenePlayer* cutScenes = GMCutScenePlayer::GetInstance()) {
        cutScenes->PlayForInterview(mId);
    }
    if (mTalkHotspot != nullptr || mRiseListener != nullptr) {
        SetSceneInput(false);
        if (player != nullptr) {
            player->PlayAction(GM_ACTION_CHAIR_RISE, mRiseListener);
        }
    }
}

void GMInterview::OpenBargaining()
{
    if (mStateManager != nullptr) {
        mStateManager->SetState("bargaining_" + mId + "_active", LString("boolean"), LString("true"), false);
    }
    // The end returns the scene to its own camera and resets its characters.
    End();
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Maximize(false);
    }
    if (GMPDA* pda = GMPDA::GetInstance()) {
        pda->SetPanel(LString("inventory"));
    }
    if (GMSubtitle* subtitle = GMSubtitle::GetInstance()) {
        subtitle->FadeOut();
    }
}

// --- Starting, the openings, input and the end of a run.

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
constexpr int kFadedBlack = 2;

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

float GameTime()
{
    LGameClock* clock = LGameClock::Get();
    return clock != nullptr ? clock->GetTime() : 0.0f;
}

bool Raised(const LString& aEvent)
{
    LEventManager* events = LEventManager::Get();
    return events != nullptr && !aEvent.IsEmpty() && events->IsRaised(aEvent);
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

bool BoolState(LStateManager* aStates, const LString& aId)
{
    LIState* state = aStates != nullptr ? aStates->GetState(aId) : nullptr;
    return state != nullptr && state->GetType() == LIState::TYPE_BOOLEAN && state->GetValue() != nullptr &&
           *static_cast<const unsigned char*>(state->GetValue()) != 0;
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
    if (BoolState(mStateManager, "bargaining_" + mId + "_active")) {
        PlayBargaining();
    } else if (IsDenied()) {
        PlaySpecial("denied");
    } else if (BoolState(mStateManager, mNoInfoStateId) ||
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

bool GMInterview::PlaySequence(LPropertyList* aEntry, const LString& aDoneEvent)
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
    }
    delete mSequence;
    mSequence = L_NEW GMInterviewSequence();
    if (aEntry != nullptr) {
        mSequence->Create(aDoneEvent, aEntry, this);
    }
    mBusy = true;
    return mSequence->Play(this);
}

int GMInterview::PickIndex(int aCount)
{
    LRandom::SeedFromTime();
    const int draw = LRandom::Next();
    const int index = static_cast<int>(static_cast<float>(draw) * (1.0f / static_cast<float>(LRandom::MAX)) *
                                       static_cast<float>(aCount));
    return index < aCount ? index : aCount - 1;
}

bool GMInterview::PlayIntros()
{
    LPropertyList* intros = mDataList != nullptr ? mDataList->GetList(LString("intros")) : nullptr;
    if (LMouse* mouse = LMouse::Get(); mouse != nullptr && intros != nullptr) {
        mouse->Lock(this);
    }
    delete mSequence;
    mSequence = nullptr;
    LScriptBuilder* builder = LScriptBuilder::Get();
    for (int i = 0; intros != nullptr && i < intros->GetCount(); ++i) {
        LPropertyList* entry = intros->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool found = false;
        const LString text = entry->GetString(LString("dependencies"), found);
        if (!found) {
            L_ASSERT_FAILURE("'dependencies' not found.");
        }
        LScript script;
        if (builder == nullptr || !builder->BuildScript(text, &script)) {
            L_ASSERT_FAILURE("Failure building 'dependencies' script.");
            continue;
        }
        if (!script.Evaluate()) {
            continue;
        }
        const LString doneEvent = entry->GetString(LString("doneevent"), found);
        if (!found) {
            L_ASSERT_FAILURE("'doneevent' not found.");
        }
        if (mSequence == nullptr) {
            mSequence = L_NEW GMInterviewSequence();
        }
        mSequence->Create(doneEvent, entry, this);
    }
    if (mSequence == nullptr) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Unlock(this);
        }
        mContinueToTopics = false;
        ShowTopics();
        return true;
    }
    ShowModes(false);
    mBusy = true;
    mContinueToTopics = true;
    return mSequence->Play(this);
}

bool GMInterview::PlayNoInfo()
{
    LPropertyList* noInfos = mDataList != nullptr ? mDataList->GetList(LString("noinfos")) : nullptr;
    LPropertyList* entry = nullptr;
    if (noInfos == nullptr) {
        L_ASSERT_FAILURE("'noinfos' not found.");
    } else if (noInfos->GetCount() > 0) {
        entry = noInfos->GetListAt(PickIndex(noInfos->GetCount()));
    }
    if (noInfos != nullptr && entry == nullptr) {
        L_ASSERT_FAILURE("'denied' not found.");
    }
    mEndAfterSequence = true;
    return PlaySequence(entry, entry != nullptr ? TextOr(entry, "doneevent", "") : LString());
}

bool GMInterview::PlaySpecial(const char* aKey)
{
    LPropertyList* entry = mDataList != nullptr ? mDataList->GetList(LString(aKey)) : nullptr;
    if (entry == nullptr) {
        const bool denied = LString(aKey) == LString("denied");
        L_ASSERT_FAILURE(denied ? LString("'denied' not found.") : LString("'exit' not found."));
    }
    ShowModes(false);
    mEndAfterSequence = true;
    return PlaySequence(entry, entry != nullptr ? TextOr(entry, "doneevent", "") : LString());
}

bool GMInterview::PlayBargaining()
{
    LPropertyList* bargain = mDataList != nullptr ? mDataList->GetList(LString("bargain")) : nullptr;
    if (bargain == nullptr) {
        L_ASSERT_FAILURE("Bargaining data not found");
    }
    bool found = false;
    const LString solvedEvent = bargain != nullptr ? bargain->GetString(LString("solvedevent"), found) : LString();
    if (bargain != nullptr && !found) {
        L_ASSERT_FAILURE("");
    }
    if (!Raised(solvedEvent)) {
        LPropertyList* denied = bargain != nullptr ? bargain->GetList(LString("denied")) : nullptr;
        LPropertyList* entry = nullptr;
        if (denied == nullptr) {
            L_ASSERT_FAILURE("Bargaining denied sequence not found");
        } else if (denied->GetCount() > 0) {
            entry = denied->GetListAt(PickIndex(denied->GetCount()));
        }
        if (denied != nullptr && entry == nullptr) {
            L_ASSERT_FAILURE("'denied' not found.");
        }
        mEndAfterSequence = true;
        return PlaySequence(entry, LString());
    }
    if (mStateManager != nullptr) {
        mStateManager->SetState("bargaining_" + mId + "_active", LString("boolean"), LString("false"), true);
    }
    LPropertyList* solved = bargain->GetList(LString("solved"));
    if (solved == nullptr) {
        L_ASSERT_FAILURE("Bargaining solved sequence not found");
    }
    if (mTopicArea == nullptr || mTopicArea->GetOpenCount() == 0) {
        mEndAfterSequence = true;
        mContinueToTopics = false;
    } else {
        mContinueToTopics = true;
    }
    return PlaySequence(solved, "bargainingsolved_" + mId + "_done");
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
                !Raised(mId + "_" + aId + "_" + kModeNames[mode])) {
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
    LITimer* timer = LITimer::Get();
    mHoverStart = timer != nullptr ? static_cast<float>(timer->GetTime()) : 0.0f;
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
    LITimer* timer = LITimer::Get();
    const double now = timer != nullptr ? timer->GetTime() : 0.0;
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

bool GMInterview::OnMeterFull(bool aGood)
{
    mMeterFull = false;
    if (mPanel != nullptr) {
        mPanel->SetActive(false);
    }
    if (aGood) {
        if (mStateManager != nullptr) {
            mStateManager->SetState(mNoInfoStateId, LString("boolean"), LString("true"), true);
        }
        if (LEventManager* events = LEventManager::Get()) {
            events->AddEvent("evt_interview" + mId + "_complete", true);
        }
        return PlaySpecial("exit");
    }
    if (mStateManager != nullptr) {
        mStateManager->SetState(mDenialStateId, LString("number"), LString() + GameTime(), true);
    }
    return PlaySpecial("failedexit");
}

void GMInterview::OnSequenceDone()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(this);
    }
    mCurrentTopic.Clear();
    if (mSequence != nullptr && !mSequence->GetTargetScene().IsEmpty()) {
        if (GMScreenFader* fader = GMScreenFader::GetInstance()) {
            fader->SetListener(this);
            fader->FadeOut();
        }
        return;
    }
    switch (CloseSequence()) {
    case AfterSequence::kEnd:
        End();
        break;
    case AfterSequence::kTopics:
        ShowTopics();
        break;
    case AfterSequence::kNothing:
        break;
    }
}

GMInterview::AfterSequence GMInterview::CloseSequence()
{
    // The sequence has told its last: it touches nothing of itself after this call.
    delete mSequence;
    mSequence = nullptr;
    mBusy = false;
    if (mTopicArea != nullptr) {
        mTopicArea->UpdateTopics();
    }
    AfterSequence after = AfterSequence::kNothing;
    if (mEndAfterSequence) {
        mEndAfterSequence = false;
        after = AfterSequence::kEnd;
    } else if (mContinueToTopics) {
        mContinueToTopics = false;
        after = AfterSequence::kTopics;
    } else {
        return after;
    }
    if (GMSubtitle* subtitle = GMSubtitle::GetInstance()) {
        subtitle->FadeOut();
    }
    return after;
}

void GMInterview::OnFade(int aEvent)
{
    if (aEvent != kFadedBlack) {
        return;
    }
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    mBusy = false;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    const LString target = mSequence != nullptr ? mSequence->GetTargetScene() : LString();
    LVectorString parts;
    target.Split(LString("|"), &parts);
    const LString scene = parts.GetCount() > 0 ? parts.GetRef(0) : LString();
    if (parts.GetCount() > 1 && parts.GetRef(1) == LString("false")) {
        mEndAfterSequence = true;
        mContinueToTopics = false;
    }
    // The end seats the characters of the table: forgotten with it, it skips them.
    DeleteCharacters();
    delete mSequence;
    mSequence = nullptr;
    End(true);
    // Loading the scene clears the interviews of the old one, this one among them:
    // nothing of it is touched from here on.
    if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
        scenes->LoadScene(scene, true, false);
    }
    if (GMSubtitle* subtitle = GMSubtitle::GetInstance()) {
        subtitle->FadeOut();
    }
    SetSceneInput(true);
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

void GMInterview::ReleasePanel()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (mTooltipPending) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mTooltipPending = false;
    }
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    ListenToButtons(false);
    if (mMeter != nullptr && mMeter->GetInterview() == this) {
        mMeter->SetInterview(nullptr);
    }
}
