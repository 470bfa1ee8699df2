#include "interview/GMInterviewManager.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMExpertInterview.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewMeter.h"
#include "util/GMSelectedCase.h"
#include "interview/GMInterviewScrollBar.h"
#include "memory/LMemoryManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"
#include "util/GMTextureRoot.h"

namespace {

GMSingleton<GMInterviewManager> sManager;

const char* const kIndexPath = "//interviews/interviews.txt";
const char* const kPocketObjectsPath = "//interviews/pocketobjects.txt";
const char* const kInterviewRoot = "//interviews/";
const char* const kLayoutPath = "//textures/interview/interview_layout.txt";
const char* const kTextureRoot = "//textures/interview";
constexpr int kCacheHashShift = 7;
constexpr float kPanelX = 400.0f;
constexpr float kPanelY = 150.0f;
constexpr float kMeterX = 117.0f;
constexpr float kMeterY = 150.0f;

// The two letters after an interview id's first character that tie it to one case.
const char* const kCaseMarks[] = {"CL", "ME", "RE", "SU", "Ca"};

// The case an interview id belongs to, from its first character ("2CL_x" -> 2); -1 when
// the id names no case.
int CaseOfId(const LString& aId)
{
    const LString mark = aId.Mid(1, 2, 0);
    for (const char* candidate : kCaseMarks) {
        if (mark.Equals(LString(candidate), false)) {
            const char16_t first = aId.At(0);
            return first >= u'0' && first <= u'9' ? first - u'0' : 0;
        }
    }
    return -1;
}

// The selected case, or -1 when that state is missing or holds no int.
int SelectedCase()
{
    return GMSelectedCase::Get();
}

} // namespace

GMInterviewManager* GMInterviewManager::GetInstance()
{
    const bool made = sManager.Peek() == nullptr && !sManager.IsDestroyed();
    GMInterviewManager* manager = sManager.Get(L_FILE, __LINE__, "GMInterviewManager creation failure.");
    if (made && manager != nullptr) {
        manager->LoadData();
        manager->BuildLayout();
    }
    return manager;
}

GMInterviewManager* GMInterviewManager::Peek()
{
    return sManager.Peek();
}

GMInterviewManager::GMInterviewManager() = default;

GMInterviewManager::~GMInterviewManager()
{
    sManager.Destroyed(this);
    // The interviews let go of their panel parts before the panel goes; at exit a running
    // one goes too.
    DeleteCache();
    if (mOwnsCurrent) {
        delete mCurrent;
    }
    mCurrent = nullptr;
    for (int i = 0; i < mRetired.GetCount(); ++i) {
        delete static_cast<GMInterview*>(mRetired.GetAt(i));
    }
    mRetired.RemoveAll();
    if (mListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
    delete mIndex;
    mIndex = nullptr;
    delete mPocketObjects;
    mPocketObjects = nullptr;
    delete mScrollBar;
    mScrollBar = nullptr;
    delete mMeter.Get();
    mMeter = nullptr;
    mModeGroup = nullptr;
    delete mPanel.Get();
    mPanel = nullptr;
}

LString GMInterviewManager::Dump() const
{
    return DumpHead("GMInterviewManager") + " current:" + mCurrentId + " cached:" + GetCachedCount() + "]";
}

bool GMInterviewManager::LoadData()
{
    NewCache();
    delete mIndex;
    mIndex = L_NEW LPropertyList();
    if (mIndex != nullptr && !mIndex->Load(LString(kIndexPath), true)) {
        L_ASSERT_FAILURE("Could not create proplist.");
    }
    delete mPocketObjects;
    mPocketObjects = L_NEW LPropertyList();
    if (mPocketObjects != nullptr && !mPocketObjects->Load(LString(kPocketObjectsPath), true)) {
        L_ASSERT_FAILURE(LString("Could not load ") + kPocketObjectsPath);
    }
    return true;
}

bool GMInterviewManager::BuildLayout()
{
    delete mScrollBar;
    mScrollBar = nullptr;
    delete mMeter.Get();
    mMeter = nullptr;
    delete mPanel.Get();
    mModeGroup = nullptr;
    mPanel = L_NEW LDisplayGroup();
    if (mPanel == nullptr) {
        L_ERROR("BuildLayout failure. Out of memory.");
        return true;
    }
    mPanel->SetId(LString("interviewgroup"));
    mPanel->SetPosition(kPanelX, kPanelY);
    mPanel->SetActive(false);

    GMTextureRoot root {LString(kTextureRoot)};
    LPropertyList layout;
    if (!layout.Load(LString(kLayoutPath), true)) {
        L_ASSERT_FAILURE("Failed to create list from layout file.");
    }
    LPropertyList* sprites = layout.GetList(LString("groups.interface.sprites"));
    if (sprites == nullptr) {
        L_ASSERT_FAILURE("'groups.interface.sprites' not found.");
    } else if (!LLayoutBuilder::BuildSprites(sprites, mPanel)) {
        L_ASSERT_FAILURE("Layout failure.");
    }
    LPropertyList* buttons = layout.GetList(LString("groups.interface.buttons"));
    if (buttons == nullptr) {
        L_ASSERT_FAILURE("'groups.interface.buttons' not found.");
    } else if (!LLayoutBuilder::BuildButtons(buttons, mPanel, nullptr)) {
        L_ASSERT_FAILURE("Layout failure.");
    }
    LPropertyList* modes = layout.GetList(LString("groups.modes"));
    if (modes == nullptr) {
        L_ASSERT_FAILURE("'groups.modes' not found.");
    } else {
        mModeGroup = LLayoutBuilder::BuildGroup(modes, true);
        if (mModeGroup == nullptr) {
            L_ASSERT_FAILURE("");
        } else if (!mPanel->AddMember(mModeGroup, true)) {
            L_ASSERT_FAILURE("The mode group was refused.");
            delete mModeGroup.Get();
            mModeGroup = nullptr;
        }
    }

    mMeter = L_NEW GMInterviewMeter();
    if (mMeter != nullptr) {
        mMeter->SetId(LString("interviewmeter"));
        mMeter->Create(&layout);
        mMeter->SetPosition(kMeterX, kMeterY);
        if (!mPanel->AddMember(mMeter, true)) {
            L_ASSERT_FAILURE("The meter was refused.");
            delete mMeter.Get();
            mMeter = nullptr;
        }
    }
    mScrollBar = L_NEW GMInterviewScrollBar();
    if (mScrollBar != nullptr) {
        mScrollBar->Create(&layout, mPanel);
    }
    return true;
}

GMInterview* GMInterviewManager::SelectInterview(const LString& aId)
{
    mCurrentId = aId;
    PurgeRetired();
    if (mIndex == nullptr) {
        return nullptr;
    }
    if (GMInterview* cached = GetCached(aId)) {
        DropCurrent();
        mCurrent = cached;
        mExpert = cached->GetType().Equals(LString("expert"), false);
        return cached;
    }

    bool found = false;
    const LString dataName = mIndex->GetString(aId + ".data", found);
    if (!found) {
        L_ASSERT_FAILURE("Could not find interview data.");
    }
    const LString subtitlesName = mIndex->GetString(aId + ".subtitles", found);
    if (!found) {
        L_ASSERT_FAILURE("Could not find subtitles data.");
    }
    LString witness = mIndex->GetString(aId + ".witness", found);
    if (!found) {
        witness = "none";
    }

    auto* data = L_NEW LPropertyList();
    if (data == nullptr || !data->Load(kInterviewRoot + dataName, true)) {
        L_ERROR("Data list creation failure:" + dataName);
        delete data;
        return nullptr;
    }
    bool typed = false;
    const LString type = data->GetString(LString("type"), typed);
    const bool expert = typed && type.EqualsNoCase(LString("expert"));
    GMInterview* interview = expert ? L_NEW GMExpertInterview() : L_NEW GMInterview();
    if (interview == nullptr) {
        L_ERROR("Interview creation failure:" + dataName);
        delete data;
        return nullptr;
    }
    // The selection goes to the new interview or to none: a failed one is never started.
    DropCurrent();
    if (!interview->Create(dataName, data, subtitlesName)) {
        L_ASSERT_FAILURE("Interview creation failure:" + dataName);
        // The interview took the data list over: both go.
        delete interview;
        return nullptr;
    }
    ++mCreated;
    mCurrent = interview;
    mOwnsCurrent = true;
    mExpert = expert;
    interview->SetWitness(witness);
    return interview;
}

bool GMInterviewManager::PreloadInterview(const LString& aId)
{
    const int caseOfId = CaseOfId(aId);
    if (caseOfId >= 0) {
        const int selected = SelectedCase();
        if (selected >= 0 && selected != caseOfId) {
            return true;
        }
    }
    if (GetCached(aId) != nullptr) {
        return true;
    }
    GMInterview* interview = SelectInterview(aId);
    if (interview == nullptr) {
        return false;
    }
    // The cache takes it over from the selection.
    mOwnsCurrent = false;
    if (mCache == nullptr && !NewCache()) {
        delete interview;
        mCurrent = nullptr;
        return false;
    }
    mCache->AddAt(aId, interview, true);
    mCurrent = nullptr;
    return true;
}

void GMInterviewManager::ClearInterviews()
{
    if (mCache == nullptr || mCache->GetCount() == 0) {
        return;
    }
    DeleteCache();
    NewCache();
}

bool GMInterviewManager::StartCurrentInterview()
{
    if (mCurrent == nullptr) {
        return false;
    }
    // Raised at the first start; a later talk to the same witness finds it raised.
    const LString started = "evt_interview" + mCurrent->GetId() + "_started";
    if (LEventManager* events = LEventManager::Get(); events != nullptr && !events->IsRaised(started)) {
        events->AddEvent(started, true);
    }
    return mCurrent->Start();
}

bool GMInterviewManager::GetInterviewDisplay(LDisplayGroup** aPanel, LDisplayGroup** aModeGroup,
                                             GMInterviewMeter** aMeter, GMInterviewScrollBar** aScrollBar) const
{
    if (aPanel == nullptr || aModeGroup == nullptr || aMeter == nullptr || aScrollBar == nullptr) {
        L_ASSERT_FAILURE("NULL arg.");
        return false;
    }
    *aPanel = mPanel;
    if (mPanel == nullptr) {
        return false;
    }
    *aModeGroup = mModeGroup;
    if (mModeGroup == nullptr) {
        return false;
    }
    *aMeter = mMeter;
    if (mMeter == nullptr) {
        return false;
    }
    *aScrollBar = mScrollBar;
    return mScrollBar != nullptr;
}

GMInterview* GMInterviewManager::GetCached(const LString& aId) const
{
    return mCache != nullptr ? static_cast<GMInterview*>(mCache->Get(aId)) : nullptr;
}

void GMInterviewManager::OnFrame()
{
    PurgeRetired();
}

void GMInterviewManager::DropCurrent()
{
    if (mOwnsCurrent && mCurrent != nullptr) {
        Retire(mCurrent);
    }
    mCurrent = nullptr;
    mOwnsCurrent = false;
}

void GMInterviewManager::Retire(GMInterview* aInterview)
{
    if (!aInterview->IsRunning()) {
        delete aInterview;
        return;
    }
    mRetired.Add(aInterview);
    if (!mListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            mListening = frames->AddListener(this, 0.0f) != 0;
        }
    }
}

void GMInterviewManager::PurgeRetired()
{
    for (int i = mRetired.GetCount() - 1; i >= 0; --i) {
        auto* interview = static_cast<GMInterview*>(mRetired.GetAt(i));
        if (!interview->IsRunning()) {
            mRetired.RemoveAt(i, nullptr);
            delete interview;
        }
    }
    if (mRetired.GetCount() == 0 && mListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mListening = false;
    }
}

void GMInterviewManager::DeleteCache()
{
    if (mCache == nullptr) {
        return;
    }
    for (int i = 0; i < mCache->GetCount(); ++i) {
        auto* interview = static_cast<GMInterview*>(mCache->GetAt(i));
        if (interview == mCurrent) {
            mCurrent = nullptr;
        }
        Retire(interview);
    }
    delete mCache;
    mCache = nullptr;
}

bool GMInterviewManager::NewCache()
{
    DeleteCache();
    mCache = L_NEW LHashKeyList(kCacheHashShift, false);
    if (mCache == nullptr) {
        L_ERROR("Cache creation failure.");
        return false;
    }
    return true;
}
