#include "pda/GMInventoryItem.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LToolTip.h"
#include "Gdi/LToolTipManager.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "Render/LColor.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "ui/GMMessageBox.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const kToolTipFont = "tahoma10black";
constexpr float kToolTipZ = 9700.0f;
constexpr float kGroupZ = 10.0f;
constexpr float kBadgeZ = 10.0f;
const LVector2 kBadgePosition(26.0f, 17.0f);
const LVector2 kMultiCursorOffset(50.0f, 0.0f);
constexpr float kIconSize = 64.0f;

// Per lab kind 1..3: the id suffix, the badge's list, the tooltip's prefix.
struct LabKind
{
    const char* mSuffix;
    const char* mBadge;
    const char* mToolTipPrefix;
};
const LabKind kLabKinds[] = {
    {"_cl", "crimelab", "Crime Lab: "},
    {"_re", "research", "Research: "},
    {"_su", "surveillance", "Surveillance: "},
};

const LabKind* FindLabKind(int aLabKind)
{
    return aLabKind >= 1 && aLabKind <= 3 ? &kLabKinds[aLabKind - 1] : nullptr;
}

LVector2 MousePosition()
{
    LVector2 at(0.0f, 0.0f);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(at);
    }
    return at;
}

// Sends an item to one lab: the submission event now and its result later, once.
void SendToLab(const LString& aId, const char* aLab)
{
    LEventManager* events = LEventManager::Get();
    if (events == nullptr) {
        return;
    }
    const LString sent = aId + "_" + aLab + "_S";
    if (events->IsRaised(sent)) {
        return;
    }
    events->AddEvent(sent, true);
    LGameClock* clock = LGameClock::Get();
    if (clock == nullptr || !clock->ScheduleEvent(aId + "_" + aLab + "_R", GMInventoryItem::kLabDelay, -1)) {
        L_ERROR("Lab result not scheduled: " + aId + "_" + aLab + "_R");
    }
}

} // namespace

const char* GMInventoryItem::LabSuffix(int aLabKind)
{
    const LabKind* kind = FindLabKind(aLabKind);
    return kind != nullptr ? kind->mSuffix : "";
}

GMInventoryItem::GMInventoryItem() : mMultiCursor(GMMultiCursor::GetInstance())
{
}

GMInventoryItem::~GMInventoryItem()
{
    SetListening(false);
    StopHoverTimer();
    // The menu lives in the display tree, which may have gone first at exit.
    if (mMultiCursor != nullptr && GMMultiCursor::GetInstance() == mMultiCursor) {
        mMultiCursor->RemoveListener(this);
    }
    mMultiCursor = nullptr;
    if (mHovering && LToolTipManager::Get() != nullptr) {
        FadeOutToolTip();
    }
    mToolTip = nullptr;
    delete mGroup;
    mGroup = nullptr;
}

bool GMInventoryItem::Create(LPropertyList* aEntry, int aLabKind)
{
    LPropertyList* spriteList = aEntry != nullptr ? aEntry->GetList(LString("sprite")) : nullptr;
    LSprite* icon = nullptr;
    if (spriteList == nullptr) {
        L_ASSERT_FAILURE("'sprite' not found.");
    } else {
        icon = LLayoutBuilder::BuildSprite(spriteList);
        if (icon == nullptr) {
            L_ASSERT_FAILURE("Sprite build failure.");
        }
    }
    bool found = false;
    const LString key = aEntry != nullptr ? aEntry->GetString(LString("sprite.id"), found) : LString();
    if (found) {
        MakeToolTip(key, aLabKind);
    }

    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        delete icon;
        L_ERROR("Item group creation failure.");
        return true;
    }
    LString id = icon != nullptr ? icon->GetId() : key;
    if (!id.IsEmpty()) {
        mGroup->SetId(id);
    }
    mGroup->SetRelativeZ(kGroupZ);
    const LRectangle bounds(0.0f, 0.0f, kIconSize, kIconSize);
    mGroup->SetBoundary(&bounds);
    if (icon != nullptr && !mGroup->AddMember(icon, true)) {
        delete icon;
    }

    if (const LabKind* kind = FindLabKind(aLabKind)) {
        LPropertyList badges;
        LSprite* badge = nullptr;
        if (badges.Load(LString("//textures/pda/inventory/icon_layout.txt"), true)) {
            badge = LLayoutBuilder::BuildSprite(badges.GetList(LString(kind->mBadge)));
        }
        id += kind->mSuffix;
        mGroup->SetId(id);
        if (badge != nullptr) {
            badge->SetRelativeZ(kBadgeZ);
            badge->SetPosition(kBadgePosition);
            if (!mGroup->AddMember(badge, true)) {
                delete badge;
            }
        }
    }
    SetId(mGroup->GetId());
    mGroup->InvalidateActive();
    SetDisplayObject(mGroup);
    SetListening(true);
    return true;
}

void GMInventoryItem::MakeToolTip(const LString& aKey, int aLabKind)
{
    LPropertyList texts;
    if (!texts.Load(LString("//dataroot/assets/tooltips.txt"), true)) {
        return;
    }
    bool found = false;
    const LString text = texts.GetString(aKey, found);
    if (!found) {
        return;
    }
    const LabKind* kind = FindLabKind(aLabKind);
    mToolTipText = kind != nullptr ? LString(kind->mToolTipPrefix) + text : text;
    LToolTipManager* tips = LToolTipManager::Get();
    if (tips == nullptr) {
        return;
    }
    // Tooltips outlive their items: an item made again (after a load) takes the one made
    // for its text before.
    mToolTip = tips->GetToolTip(mToolTipText);
    if (mToolTip == nullptr) {
        LFontManager* fonts = LFontManager::Get();
        LIFont* font = fonts != nullptr ? fonts->GetFont(LString(kToolTipFont)) : nullptr;
        mToolTip = font != nullptr ? tips->CreateToolTip(font, mToolTipText, kToolTipZ) : nullptr;
        if (mToolTip == nullptr) {
            L_ERROR("Item tooltip creation failure: " + mToolTipText);
            return;
        }
    }
    mToolTip->SetFillColor(LColor(0.8f, 0.96f, 1.0f, 0.62f));
    mToolTip->SetStrokeColor(LColor(1.0f, 0.0f, 0.0f, 0.0f));
    mToolTip->SetText(mToolTipText);
    mToolTip->Hide();
}

LString GMInventoryItem::GetId() const
{
    return mGroup != nullptr ? mGroup->GetId() : LString();
}

void GMInventoryItem::SetListening(bool aListening)
{
    if (aListening == mListening) {
        return;
    }
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        mListening = false;
        return;
    }
    if (aListening) {
        mListening = mouse->AddMember(this, 0.0f);
        if (!mListening) {
            L_ASSERT_FAILURE("");
        }
    } else {
        mouse->RemoveListener(this);
        mListening = false;
    }
}

void GMInventoryItem::RefreshActive()
{
    if (mGroup == nullptr) {
        return;
    }
    mGroup->UpdateActive();
    const bool active = mGroup->IsActive();
    SetEnabled(active);
    SetListening(active);
    if (!active) {
        // Its sub-panel went away under the mouse: so does the tooltip.
        if (mHovering) {
            FadeOutToolTip();
        }
        StopHoverTimer();
        mHovering = false;
    }
}

bool GMInventoryItem::UnderMouse(const LVector2& aPosition)
{
    if (mGroup == nullptr || !mGroup->HitTest(aPosition)) {
        return false;
    }
    GMPDA* pda = GMPDA::GetInstance();
    LDisplayGroup* area = pda != nullptr ? pda->GetScrollArea() : nullptr;
    LRectangle clip;
    return area != nullptr && area->GetWorldClip(&clip) && clip.ContainsPoint(aPosition);
}

void GMInventoryItem::FadeOutToolTip()
{
    // The tooltip may be another item's too, and on its way out already.
    if (mToolTip != nullptr && mToolTip->IsVisible() && !mToolTip->IsFadingOut()) {
        mToolTip->FadeOut();
    }
}

void GMInventoryItem::StopHoverTimer()
{
    mToolTipPending = false;
    if (mFrameListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mFrameListening = false;
    }
}

void GMInventoryItem::OnButtonDown(int aButton)
{
    if (aButton != 1) {
        return;
    }
    const LVector2 at = MousePosition();
    if (UnderMouse(at) && StartDrag()) {
        mButtonDown = true;
        mMovement = 0.0f;
        StopHoverTimer();
        FadeOutToolTip();
        mPressTime = LITimer::Now();
    }
    mPressPosition = at;
}

void GMInventoryItem::OnMove(const LVector2& aPosition)
{
    if (!mHovering) {
        if (UnderMouse(aPosition)) {
            mHovering = true;
            if (!mToolTipPending && !mButtonDown) {
                mToolTipPending = true;
                mHoverStart = LITimer::Now();
                LFrameManager* frames = LFrameManager::Get();
                mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
            }
        }
    } else if (mGroup == nullptr || !mGroup->HitTest(aPosition)) {
        mHovering = false;
        FadeOutToolTip();
        StopHoverTimer();
    }
    if (!mButtonDown) {
        return;
    }
    mMovement = std::max({mMovement, std::fabs(aPosition.x - mPressPosition.x),
                          std::fabs(aPosition.y - mPressPosition.y)});
    if (mMovement > kDragDistance) {
        mPressTime = -1.0;
        UpdateDrag();
    }
}

void GMInventoryItem::OnButtonUp(int)
{
    if (!mButtonDown) {
        return;
    }
    mButtonDown = false;
    // The cell that takes the item moves it out of one cell into another; the item lives
    // on, as nothing deletes an item from a drop.
    EndDrag();
    if (mMovement > kDragDistance) {
        mMovement = 0.0f;
        return;
    }
    if (mPressTime <= 0.0 || mMultiCursor == nullptr || mGroup == nullptr) {
        return;
    }
    StopHoverTimer();
    // A menu still on the screen does not open: the click changes nothing.
    if (!mMultiCursor->ShowAt(mGroup->GetWorldPosition() + kMultiCursorOffset)) {
        return;
    }
    mMultiCursor->SetListener(this);
    mMultiCursor->SetActionEnabled(ACTION_ANALYZE, true);
    mMultiCursor->SetActionEnabled(ACTION_TALK, false);
    mMultiCursor->SetActionEnabled(ACTION_USE, true);
    mMultiCursor->SetActionEnabled(ACTION_LOOK, true);
    mMultiCursor->SetActionEnabled(ACTION_COLLECT, false);
}

void GMInventoryItem::OnFrame()
{
    if (!mToolTipPending || LITimer::Now() - mHoverStart <= kToolTipDelay) {
        return;
    }
    StopHoverTimer();
    if (mToolTip != nullptr) {
        const LVector2 at = MousePosition();
        mToolTip->SetPosition(at.x, at.y - kToolTipRise);
        if (!mToolTip->IsFadingIn()) {
            mToolTip->FadeIn();
        }
    }
}

void GMInventoryItem::OnAction(int aAction)
{
    GMMultiCursor* menu = mMultiCursor;
    auto closeMenu = [this, menu]() {
        if (menu != nullptr) {
            menu->Hide(true);
            menu->RemoveListener(this);
        }
    };
    switch (aAction) {
    case ACTION_USE: {
        if (GMCursor* cursor = GMCursor::GetInstance()) {
            cursor->SetItemCursor(GetId());
        }
        // Closing the PDA hides this item's sub-panel; the item itself stays.
        if (GMPDA* pda = GMPDA::GetInstance()) {
            pda->Close();
        }
        closeMenu();
        break;
    }
    case ACTION_ANALYZE:
        Analyze();
        closeMenu();
        break;
    case ACTION_LOOK:
        closeMenu();
        Look();
        break;
    default:
        closeMenu();
        break;
    }
}

void GMInventoryItem::Analyze()
{
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* panel = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    const int category = panel != nullptr ? panel->GetCategory() : GMInventoryPanel::CATEGORY_NONE;
    const LString id = GetId();
    if (category == GMInventoryPanel::CATEGORY_WITNESSES) {
        SendToLab(id, "SU");
        SendToLab(id, "RE");
    } else if (category == GMInventoryPanel::CATEGORY_EVIDENCE || category == GMInventoryPanel::CATEGORY_DOCUMENTS) {
        SendToLab(id, "CL");
        SendToLab(id, "RE");
    }
}

void GMInventoryItem::Look()
{
    LPropertyList descriptions;
    if (!descriptions.Load(LString("//textures/pda/inventory/inventory_descriptions.txt"), true)) {
        return;
    }
    LPropertyList* entries = descriptions.GetList(GetId());
    LScriptBuilder* builder = LScriptBuilder::Get();
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        LPropertyList* entry = entries->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool found = false;
        const LString active = entry->GetString(LString("active"), found);
        if (found) {
            LScript script;
            if (builder == nullptr || !builder->BuildScript(active, &script) || !script.Evaluate()) {
                continue;
            }
        }
        const LString text = entry->GetString(LString("text"), found);
        LVectorString lines;
        text.Split(LString("|"), &lines);
        if (GMMessageBox* box = GMMessageBox::GetInstance()) {
            box->Show(LString("itemdescription"), lines, GMMessageBox::BUTTONS_OK, nullptr);
        }
        return;
    }
}
