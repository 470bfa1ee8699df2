#include "pda/GMPDA.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Gdi/LToolTip.h"
#include "Gdi/LToolTipManager.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "Render/LColor.h"
#include "container/LHashKeyList.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "pda/GMIPDAListener.h"
#include "pda/GMIPDAPanel.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMLogPanel.h"
#include "pda/GMPDAReading.h"
#include "pda/GMMapPanel.h"
#include "pda/GMPDAMinimized.h"
#include "pda/GMPhonePanel.h"
#include "scene/GMCloseUp.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "ui/GMScreenFader.h"
#include "util/GMSelectedCase.h"
#include "util/GMTextureRoot.h"

#include <initializer_list>

namespace {

using namespace GMPDAReading;

LSingleton<GMPDA> sPDA;

const char* const kLayoutPath = "//textures/pda/pda_layout.txt";
const char* const kTextureRoot = "//textures/pda";
const char* const kToolTipId = "_mode_tooltip";
const char* const kToolTipFont = "tahoma10black";
constexpr float kToolTipZ = 9700.0f;
constexpr float kScrollAreaZ = 30.0f;

// The tooltip keys of the menu buttons with a tooltip, in tooltip index order.
const char* const kToolTipKeys[] = {"PDA_map", "PDA_inv", "PDA_phone", "PDA_log", "PDA_menu"};
// Every main-menu button.
const char* const kMainMenuIds[] = {"map", "inventory", "phone", "log", "menu", "exit"};

// The panels in table order, with their layout files.
struct PanelKind
{
    const char* mId;
    const char* mLayout;
    GMIPDAPanel* (*mMake)();
};
const PanelKind kPanels[] = {
    {"inventory", "//textures/pda/inventory_layout.txt", []() -> GMIPDAPanel* { return L_NEW GMInventoryPanel(); }},
    {"map", "//textures/pda/map_layout.txt", []() -> GMIPDAPanel* { return L_NEW GMMapPanel(); }},
    {"log", "//textures/pda/log_layout.txt", []() -> GMIPDAPanel* { return L_NEW GMLogPanel(); }},
    {"phone", "//textures/pda/phone_layout.txt", []() -> GMIPDAPanel* { return L_NEW GMPhonePanel(); }},
};

// The two scroll geometries: the map's taller area, and the regular one.
struct ScrollGeometry
{
    const char* mSpecs;
    const char* mCoords;
    LRectangle mClip;
    LVector2 mPosition;
};
const ScrollGeometry kRegular = {"misc.scrollbarspecs", "groups.g04b-scrollbarcoords_regular",
                                 LRectangle(0.0f, 0.0f, 248.0f, 137.0f), LVector2(171.0f, 85.0f)};
const ScrollGeometry kMap = {"misc.scrollbarspecs_map", "groups.g04c-scrollbarcoords_map",
                             LRectangle(0.0f, 0.0f, 248.0f, 152.0f), LVector2(171.0f, 70.0f)};

GMCloseUp* CurrentCloseUp()
{
    GMScene* scene = GMSceneManager::GetCurrentScene();
    return scene != nullptr ? scene->GetCloseUp() : nullptr;
}

// Adds a built object to a group, or deletes it when the group refuses it.
template <typename T>
T* Adopt(LDisplayGroup* aGroup, T* aMember)
{
    if (aMember != nullptr && (aGroup == nullptr || !aGroup->AddMember(aMember, true))) {
        delete aMember;
        return nullptr;
    }
    return aMember;
}

} // namespace

GMPDA* GMPDA::GetInstance()
{
    if (GMPDA* pda = sPDA.Peek()) {
        return pda;
    }
    if (sPDA.IsDestroyed()) {
        return nullptr;
    }
    // The services the PDA keeps its things in are made first, so that the cleaner deletes
    // them after the PDA.
    LDisplayManager::Get();
    LToolTipManager::Get();
    LFrameManager::Get();
    LMouse::Get();
    GMPDA* pda = sPDA.Get(L_FILE, __LINE__, "GMPDA creation failure.");
    if (pda != nullptr) {
        pda->Init();
    }
    return pda;
}

GMPDA::GMPDA() : mPanels(L_NEW LHashKeyList(4, true))
{
}

GMPDA::~GMPDA()
{
    delete mScrollBar;
    mScrollBar = nullptr;
    if (mFrameListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
    if (mDragging) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Unlock(this);
        }
    }
    sPDA.Destroyed(this);
    delete mLayout;
    mLayout = nullptr;
    mCurrentPanel = nullptr;
    mListener = nullptr;
    ClearScrollContentGroup();
    if (mPanels != nullptr) {
        for (int i = 0; i < mPanels->GetCount(); ++i) {
            delete static_cast<GMIPDAPanel*>(mPanels->GetAt(i));
        }
        mPanels->RemoveAll();
    }
    // The tooltip belongs to the tooltip manager.
    mToolTip = nullptr;
    delete mGroup;
    mGroup = nullptr;
    delete mPanels;
    mPanels = nullptr;
}

LString GMPDA::Dump() const
{
    return DumpHead("GMPDA") + "]";
}

void GMPDA::Init()
{
    if (mInited) {
        return;
    }
    mInited = true;
    mLayout = L_NEW LPropertyList();
    if (mLayout != nullptr && !mLayout->Load(LString(kLayoutPath), true)) {
        L_ASSERT_FAILURE(LString("Layout not loaded: ") + kLayoutPath);
    }
    GMTextureRoot root{LString(kTextureRoot)};
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr || mLayout == nullptr || mPanels == nullptr) {
        L_ERROR("GMPDA creation failure.");
        return;
    }
    mGroup->SetId(LString("pda"));
    mGroup->SetRelativeZ(kGroupZ);
    mGroup->SetActive(false);
    mGroup->SetPosition(kStartX, kStartY);
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->AddMember(mGroup);
    }

    LPropertyList* background = mLayout->GetList(LString("groups.g01-background"));
    if (background == nullptr) {
        L_ASSERT_FAILURE("'groups.g01-background' not found.");
    }
    mBackground = Adopt(mGroup, LLayoutBuilder::BuildGroup(background, true));

    LToolTipManager* tips = LToolTipManager::Get();
    if (tips != nullptr) {
        mToolTip = tips->GetToolTip(LString(kToolTipId));
        if (mToolTip == nullptr) {
            LFontManager* fonts = LFontManager::Get();
            LIFont* font = fonts != nullptr ? fonts->GetFont(LString(kToolTipFont)) : nullptr;
            // A tooltip without its font could not draw its text.
            mToolTip = font != nullptr ? tips->CreateToolTip(font, LString(kToolTipId), kToolTipZ) : nullptr;
        }
    }
    if (mToolTip != nullptr) {
        mToolTip->SetFillColor(LColor(0.8f, 0.96f, 1.0f, 0.62f));
        mToolTip->SetStrokeColor(LColor(1.0f, 0.0f, 0.0f, 0.0f));
    } else {
        L_ASSERT_FAILURE("Tooltip creation failure.");
    }
    LPropertyList texts;
    const bool textsLoaded = texts.Load(LString("//dataroot/assets/tooltips.txt"), true);
    for (const char* key : kToolTipKeys) {
        bool found = false;
        const LString text = textsLoaded ? texts.GetString(LString(key), found) : LString();
        mToolTipTexts.Add(found ? text : LString("Tooltip missing"));
    }
    if (mToolTip != nullptr) {
        // Nothing has shown it yet: hidden at once rather than faded.
        mToolTip->Hide();
    }

    LPropertyList* drag = mLayout->GetList(LString("groups.g03b-dragbutton.buttons.b01"));
    if (drag == nullptr) {
        L_ASSERT_FAILURE("'groups.g03b-dragbutton' not found.");
    }
    mDragButton = Adopt(mGroup, LLayoutBuilder::BuildButton(drag, this));

    LPropertyList* bar = mLayout->GetList(LString("groups.g04-scrollbar"));
    if (bar == nullptr) {
        L_ASSERT_FAILURE("'groups.g04-scrollbar' not found.");
    }
    mScrollBarGroup = Adopt(mGroup, LLayoutBuilder::BuildGroup(bar, true));
    if (mLayout->GetList(LString(kRegular.mSpecs)) == nullptr) {
        L_ASSERT_FAILURE("'misc.scrollbarspecs' not found.");
    }
    BuildScrollBar(false);

    mScrollArea = L_NEW LDisplayGroup();
    mScrollContentGroup = L_NEW LDisplayGroup();
    if (mScrollArea != nullptr && mScrollContentGroup != nullptr) {
        mScrollArea->SetId(LString("pdascrollarea"));
        mScrollArea->SetRelativeZ(kScrollAreaZ);
        mScrollArea->SetClip(&kRegular.mClip);
        mScrollArea->SetPosition(kRegular.mPosition);
        mScrollContentGroup->SetId(LString("pdaScrollContentGroup"));
        mScrollContentGroup->SetRelativeZ(kScrollAreaZ);
        if (mScrollBar != nullptr) {
            mScrollBar->SetContentGroup(mScrollContentGroup);
        }
        mScrollContentGroup = Adopt(mScrollArea, mScrollContentGroup);
        mScrollArea = Adopt(mGroup, mScrollArea);
    } else {
        delete mScrollArea;
        delete mScrollContentGroup;
        mScrollArea = nullptr;
        mScrollContentGroup = nullptr;
    }

    for (const PanelKind& kind : kPanels) {
        LPropertyList layout;
        if (!layout.Load(LString(kind.mLayout), true)) {
            L_ASSERT_FAILURE(LString("Panel layout not loaded: ") + kind.mLayout);
        }
        GMIPDAPanel* panel = kind.mMake();
        if (panel == nullptr) {
            L_ERROR(LString("Panel creation failure: ") + kind.mId);
            continue;
        }
        panel->Create(&layout);
        if (!AddPanel(LString(kind.mId), panel)) {
            delete panel;
        }
    }
    mGroup->UpdateAll();
}

void GMPDA::BuildScrollBar(bool aMap)
{
    delete mScrollBar;
    mScrollBar = L_NEW LScrollBar();
    LScrollBarParams params;
    LPropertyList* specs = mLayout->GetList(LString(aMap ? kMap.mSpecs : kRegular.mSpecs));
    if (mScrollBar == nullptr || !LLayoutBuilder::BuildScrollBar(specs, mScrollBarGroup, &params)) {
        L_ASSERT_FAILURE("Scrollbar specs creation failure.");
        delete mScrollBar;
        mScrollBar = nullptr;
        return;
    }
    if (!mScrollBar->Create(params)) {
        L_ASSERT_FAILURE("Scrollbar creation failure.");
        delete mScrollBar;
        mScrollBar = nullptr;
        return;
    }
    if (mScrollContentGroup != nullptr) {
        mScrollBar->SetContentGroup(mScrollContentGroup);
    }
}

bool GMPDA::SetScrollGeometry(bool aMap)
{
    const ScrollGeometry& geometry = aMap ? kMap : kRegular;
    if (mScrollArea != nullptr) {
        mScrollArea->SetClip(&geometry.mClip);
        mScrollArea->SetPosition(geometry.mPosition);
    }
    LPropertyList* coords = mLayout != nullptr ? mLayout->GetList(LString(geometry.mCoords)) : nullptr;
    for (int i = 0; coords != nullptr && mScrollBarGroup != nullptr && i < coords->GetCount(); ++i) {
        const LString key = coords->GetKeyAt(i);
        LIDisplayObject* member = mScrollBarGroup->GetMember(key);
        bool found = false;
        const LVectorFloat values = coords->GetVectorFloat(key, found);
        if (member == nullptr || !found || (values.GetCount() != 2 && values.GetCount() != 4)) {
            L_ASSERT_FAILURE("Scrollbar member not placed: " + key);
            continue;
        }
        member->SetPosition(values[0], values[1]);
        if (values.GetCount() == 4) {
            member->SetScale(values[2], values[3]);
        }
    }
    BuildScrollBar(aMap);
    return true;
}

int GMPDA::AddPanel(const LString& aId, GMIPDAPanel* aPanel)
{
    if (aPanel == nullptr || mPanels == nullptr) {
        L_ERROR("AddPanel failure. NULL arg.");
        return 0;
    }
    if (mPanels->IndexOf(aId) >= 0) {
        L_ERROR("AddPanel failure. Duplicate found:" + aId);
        return 0;
    }
    return mPanels->AddAt(aId, aPanel, false) != 0 || mPanels->IndexOf(aId) >= 0 ? 1 : 0;
}

GMIPDAPanel* GMPDA::GetPanel(const LString& aId) const
{
    return mPanels != nullptr ? static_cast<GMIPDAPanel*>(mPanels->Get(aId)) : nullptr;
}

GMInventoryPanel* GMPDA::GetInventoryPanel() const
{
    return static_cast<GMInventoryPanel*>(GetPanel(LString("inventory")));
}

LDisplayGroup* GMPDA::GetScrollArea() const
{
    return mGroup != nullptr ? dynamic_cast<LDisplayGroup*>(mGroup->GetMember(LString("pdascrollarea"))) : nullptr;
}

bool GMPDA::IsOpen() const
{
    return mGroup != nullptr && mGroup->GetActive();
}

LButton* GMPDA::GetMenuButton(const LString& aId) const
{
    return mMainMenu != nullptr ? dynamic_cast<LButton*>(mMainMenu->GetMember(aId)) : nullptr;
}

void GMPDA::SetMenuButtonsForPanel(bool aAlsoMenu)
{
    for (const char* id : kMenuIds) {
        if (!aAlsoMenu && LString(id) == LString("menu")) {
            continue;
        }
        if (LButton* button = GetMenuButton(LString(id))) {
            button->SetEnabled(mCurrentPanel == nullptr || !(mCurrentPanel->GetId() == LString(id)));
        }
    }
}

void GMPDA::Open()
{
    if (mGroup == nullptr) {
        return;
    }
    {
        GMTextureRoot root{LString(kTextureRoot)};
        LPropertyList* menu = mLayout != nullptr ? mLayout->GetList(LString("groups.g03-mainmenu")) : nullptr;
        if (menu == nullptr) {
            L_ASSERT_FAILURE("'groups.g03-mainmenu' not found.");
        }
        delete mMainMenu;
        mMainMenu = Adopt(mGroup, LLayoutBuilder::BuildGroup(menu, true));
        for (const char* id : kMainMenuIds) {
            LButton* button = GetMenuButton(LString(id));
            if (button == nullptr) {
                L_ASSERT_FAILURE(LString("Button id not found:") + id);
                continue;
            }
            button->RemoveListener();
            button->SetListener(this);
        }
        ShowCaseDisplay();
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display != nullptr && mGroup->GetGroup() == nullptr) {
        display->AddMember(mGroup);
    }
    mGroup->SetActive(true);
    SetSceneInput(false);
    if (GMCloseUp* closeUp = CurrentCloseUp()) {
        closeUp->SetHotspotsEnabled(false);
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString());
        cursor->SetVisible(true);
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->SetEnabled(true);
    }
    for (const char* id : {"map", "inventory", "phone", "log"}) {
        if (LButton* button = GetMenuButton(LString(id))) {
            button->SetEnabled(true);
        }
    }
    if (mCurrentPanel != nullptr) {
        mCurrentPanel->Show();
        if (LButton* button = GetMenuButton(mCurrentPanel->GetId())) {
            button->SetEnabled(false);
        }
    }
    mBusy = false;
    NotifyListener(GMIPDAListener::EVENT_OPENED);
}

void GMPDA::ShowCaseDisplay()
{
    LIDisplayObject* old = nullptr;
    if (mGroup->RemoveMember(LString("case_display"), &old)) {
        delete old;
    }
    LPropertyList* cases = mLayout != nullptr ? mLayout->GetList(LString("groups.g02-active_case")) : nullptr;
    if (cases == nullptr) {
        L_ASSERT_FAILURE("'groups.g02-active_case' not found.");
        return;
    }
    LScriptBuilder* builder = LScriptBuilder::Get();
    for (int i = 0; builder != nullptr && i < cases->GetCount(); ++i) {
        LPropertyList* entry = cases->GetListAt(i);
        bool found = false;
        const LString display = entry != nullptr ? entry->GetString(LString("display"), found) : LString();
        if (!found) {
            continue;
        }
        LScript script;
        if (!builder->BuildScript(display, &script) || !script.Evaluate()) {
            continue;
        }
        LSprite* sprite = LLayoutBuilder::BuildSprite(entry);
        if (sprite != nullptr) {
            // Whatever the entry calls it, the next opening finds it under this id.
            sprite->SetId(LString("case_display"));
            Adopt(mGroup, sprite);
        }
        return;
    }
}

int GMPDA::Close()
{
    if (mGroup == nullptr || !mGroup->GetActive()) {
        return 0;
    }
    // Deleting the main menu deletes its buttons; a button whose press led here has
    // already told its listener, which is the last thing it does.
    delete mMainMenu;
    mMainMenu = nullptr;
    bool ok = mGroup->SetActive(false);
    ok = mGroup->SetEnabled(true) && ok;
    if (LDisplayManager* display = LDisplayManager::Get()) {
        ok = display->RemoveMember(mGroup) && ok;
    }
    if (mToolTip != nullptr) {
        mToolTip->Hide();
    }
    HidePanels();
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Minimize(false);
    }
    if (GMCloseUp* closeUp = CurrentCloseUp()) {
        closeUp->SetHotspotsEnabled(true);
    }
    NotifyListener(GMIPDAListener::EVENT_CLOSED);
    return ok ? 1 : 0;
}

int GMPDA::CloseToBar()
{
    if (mGroup != nullptr) {
        mGroup->SetEnabled(false);
    }
    Minimize(true);
    Close();
    return 1;
}

int GMPDA::Minimize(bool aAnimate)
{
    GMPDAMinimized* bar = GMPDAMinimized::GetInstance();
    return bar != nullptr ? bar->Minimize(aAnimate) : 0;
}

int GMPDA::SetPanel(const LString& aId)
{
    GMIPDAPanel* panel = GetPanel(aId);
    if (panel == nullptr) {
        L_ERROR("SetPanel failure. ID not found:" + aId);
        return 0;
    }
    if (mCurrentPanel != nullptr && mCurrentPanel->GetId().EqualsNoCase(aId)) {
        return 1;
    }
    mBusy = true;
    GMIPDAPanel* previous = mCurrentPanel;
    mCurrentPanel = panel;
    SetMenuButtonsForPanel(true);
    const bool hidden = previous == nullptr || previous->Hide();
    SetScrollGeometry(aId.EqualsNoCase(u"map") || aId.EqualsNoCase(u"log"));
    const bool shown = panel->Show();
    ResetScroll();
    mBusyUntil = LITimer::Now() + kPanelChangeTime;
    if (!mFrameListening) {
        LFrameManager* frames = LFrameManager::Get();
        mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
    }
    if (!mFrameListening) {
        // Nothing would ever clear it.
        mBusy = false;
    }
    return hidden && shown ? 1 : 0;
}

void GMPDA::HidePanels()
{
    if (mPanels == nullptr || mPanels->GetCount() == 0) {
        L_ASSERT_FAILURE("HidePanels failure.");
        return;
    }
    for (int i = 0; i < mPanels->GetCount(); ++i) {
        static_cast<GMIPDAPanel*>(mPanels->GetAt(i))->Hide();
    }
}

int GMPDA::SetScrollContentGroup(LIDisplayObject* aGroup)
{
    if (aGroup == nullptr) {
        L_ERROR("SetScrollContentGroup failure. NULL arg.");
        return 0;
    }
    ClearScrollContentGroup();
    mScrollContent = aGroup;
    return mScrollContentGroup != nullptr && mScrollContentGroup->AddMember(aGroup, true) ? 1 : 0;
}

int GMPDA::ClearScrollContentGroup()
{
    if (mScrollContent != nullptr && mScrollContentGroup != nullptr) {
        mScrollContentGroup->RemoveMember(mScrollContent);
    }
    mScrollContent = nullptr;
    return 1;
}

int GMPDA::SetScrollContentHeight(int aHeight)
{
    if (mScrollContent == nullptr || mScrollBar == nullptr) {
        L_ERROR("SetScrollContentHeight failure. No scroller or content defined.");
        return 0;
    }
    mScrollBar->SetContentHeight(aHeight);
    return 1;
}

void GMPDA::ResetScroll()
{
    if (mScrollBar != nullptr) {
        mScrollBar->Reset();
    }
}

int GMPDA::SetListener(GMIPDAListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("SetListener failure. NULL arg.");
        return 0;
    }
    mListener = aListener;
    return 1;
}

int GMPDA::RemoveListener(GMIPDAListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("RemoveListener failure. NULL arg.");
        return 0;
    }
    if (mListener != aListener) {
        return 0;
    }
    mListener = nullptr;
    return 1;
}

void GMPDA::NotifyListener(int aCode)
{
    if (mListener != nullptr) {
        mListener->OnPDAEvent(aCode);
    }
}

bool GMPDA::ScenePanelsAllowed() const
{
    int selected = 0;
    const GMSelectedCase::Result result = GMSelectedCase::Read(selected);
    if (result == GMSelectedCase::RESULT_MISSING) {
        L_ASSERT_FAILURE("'sta_selectedcase' not found.");
        return false;
    }
    return result == GMSelectedCase::RESULT_READ && selected >= 1;
}
