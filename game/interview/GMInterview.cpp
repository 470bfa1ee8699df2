#include "interview/GMInterview.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Gdi/LToolTipManager.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "Render/LColor.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewSequence.h"
#include "interview/GMInterviewTopic.h"
#include "interview/GMInterviewTopicArea.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
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

void GMInterview::SetSceneCut(const LString& aCut)
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetCut(aCut);
    }
}

GMCharacter* GMInterview::ScenePlayer()
{
    GMScene* scene = GMSceneManager::GetCurrentScene();
    return scene != nullptr ? scene->GetPlayer() : nullptr;
}

GMCharacter* GMInterview::SceneCharacter(const LString& aName)
{
    GMScene* scene = GMSceneManager::GetCurrentScene();
    return scene != nullptr ? scene->GetCharacter(aName) : nullptr;
}

void GMInterview::ResetSceneCharacters()
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->ResetCharacters();
    }
}

void GMInterview::SetSceneInput(bool aEnabled)
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
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
