#include "ui/GMCursor.h"

#include "Gdi/LCursor.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LVectorNumber.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"

namespace {

GMSingleton<GMCursor> sCursor;

// Engine cursor states by type; the item types have no fixed name.
constexpr const char* kStateNames[GMCursor::TYPE_COUNT] = {
    "default", "hand",        "rollover",   "crosshair",     "target", "go_left", "go_right", "go_top",
    "go_bottom", "go_topleft", "go_topright", "go_bottomleft", "go_bottomright", "", "", "empty",
};

constexpr float kHilightPriority = -5.0f;
// Above the screen fader's overlay.
constexpr float kHilightZ = 100001.0f;
constexpr int kCaseCount = 4;

bool IsItemType(GMCursorType aType)
{
    return aType == GMCursor::TYPE_ITEM || aType == GMCursor::TYPE_ITEM_HILIGHT;
}

// Lab results ("_cl", "_re", "_su") share the picture of the plain item.
LString ItemStateName(const LString& aItemId)
{
    const int length = aItemId.GetLength();
    if (length < 3) {
        return aItemId;
    }
    const LString suffix = aItemId.Mid(length - 3, 3, 0);
    if (suffix.EqualsNoCase(u"_cl") || suffix.EqualsNoCase(u"_re") || suffix.EqualsNoCase(u"_su")) {
        return aItemId.Mid(0, length - 3, 0);
    }
    return aItemId;
}

LVector2 MousePosition()
{
    LVector2 position(0.0f, 0.0f);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(position);
    }
    return position;
}

} // namespace

GMCursor* GMCursor::GetInstance()
{
    return sCursor.Get(L_FILE, __LINE__, "GMCursor creation failure.");
}

LString GMCursor::GetStateName(GMCursorType aType)
{
    if (aType < 0 || aType >= TYPE_COUNT) {
        return LString();
    }
    return LString(kStateNames[aType]);
}

GMCursorType GMCursor::FindType(const LString& aName)
{
    if (aName.IsEmpty()) {
        return -1;
    }
    for (int type = 0; type < TYPE_COUNT; ++type) {
        if (aName == LString(kStateNames[type])) {
            return type;
        }
    }
    return -1;
}

GMCursor::GMCursor() : mCursor(LCursor::Get())
{
    if (mCursor != nullptr) {
        mVisible = mCursor->GetVisible();
    }
    if (!LoadCursorList(LString("cursors.txt"))) {
        L_ASSERT_FAILURE("");
    }
    if (!LoadCursorList(LString("cursors_dir.txt"))) {
        L_ASSERT_FAILURE("");
    }
    LoadItemCursors();
    LoadHilight();
}

GMCursor::~GMCursor()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (mCursor == LCursor::Get() && mCursor != nullptr) {
        mCursor->SetVisible(true);
        for (int i = 0; i < mStateIds.GetCount(); ++i) {
            LIDisplayObject* object = nullptr;
            if (mCursor->RemoveState(mStateIds[i], &object)) {
                delete object;
            }
        }
    }
    // Leaves the display tree on the way.
    delete mHilight;
    mHilight = nullptr;
    sCursor.Destroyed(this);
}

LString GMCursor::Dump() const
{
    return DumpHead("GMCursor") + "]";
}

bool GMCursor::AddState(LSprite* aSprite)
{
    const LString id = aSprite->GetId();
    // An empty id names no cursor: it would show for an empty item.
    if (mCursor == nullptr || id.IsEmpty() || !mCursor->AddState(id, aSprite)) {
        L_ERROR("AddState failure: " + id);
        delete aSprite;
        return false;
    }
    mStateIds.Add(id);
    return true;
}

bool GMCursor::LoadCursorList(const LString& aFileName)
{
    const LString path = LString("//textures/") + aFileName;
    LPropertyList file;
    if (!file.Load(path, true)) {
        L_ASSERT_FAILURE("Failure creating list from file: " + path);
        return false;
    }
    LPropertyList* cursors = file.GetList(LString("cursors"));
    if (cursors == nullptr) {
        L_ASSERT_FAILURE("'cursors' not found in " + path);
        return false;
    }
    for (int i = 0; i < cursors->GetCount(); ++i) {
        LSprite* sprite = LLayoutBuilder::BuildSprite(cursors->GetListAt(i));
        if (sprite == nullptr) {
            L_ASSERT_FAILURE("Cursor sprite creation failure: " + cursors->GetKeyAt(i));
            continue;
        }
        AddState(sprite);
    }
    return true;
}

void GMCursor::LoadItemCursors()
{
    LTextureManager* textures = LTextureManager::Get();
    if (textures == nullptr) {
        L_ERROR("No texture manager: no item cursors.");
        return;
    }
    const LString savedRoot = textures->GetRoot();
    textures->SetRoot(LString("//textures/pda/inventory"));

    const LString path("//textures/pda/inventory/inventory_items.txt");
    LPropertyList file;
    if (!file.Load(path, true)) {
        L_ASSERT_FAILURE("Failure creating list from file: " + path);
    } else {
        for (int number = 1; number <= kCaseCount; ++number) {
            LPropertyList* items = file.GetList(LString("items.case") + number);
            if (items == nullptr) {
                continue;
            }
            for (int i = 0; i < items->GetCount(); ++i) {
                const LString item = items->GetKeyAt(i);
                LPropertyList* list = items->GetList(item + ".sprite");
                LSprite* sprite = LLayoutBuilder::BuildSprite(list);
                if (sprite == nullptr) {
                    L_ERROR("Item cursor creation failure: " + item);
                    continue;
                }
                bool found = false;
                const LVectorFloat corners = list->GetVectorFloat(LString("texturecoords"), found);
                if (found && corners.GetCount() == 4) {
                    // The hot spot in the middle of the item's picture.
                    sprite->SetCenter((corners[2] - corners[0]) * 0.5f, (corners[3] - corners[1]) * 0.5f);
                } else if (found) {
                    L_WARNING("Item cursor 'texturecoords' needs four numbers: " + item);
                }
                AddState(sprite);
            }
        }
    }
    textures->SetRoot(savedRoot);
}

void GMCursor::LoadHilight()
{
    const LString path("//textures/icon_cursors.txt");
    LPropertyList file;
    if (!file.Load(path, true)) {
        L_ASSERT_FAILURE("Failure creating list from file: " + path);
        return;
    }
    mHilight = LLayoutBuilder::BuildSprite(file.GetList(LString("hilight")));
    if (mHilight == nullptr) {
        L_ASSERT_FAILURE("'hilight' sprite creation failure.");
        return;
    }
    mHilight->SetRelativeZ(kHilightZ);
    mHilight->SetActive(false);
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(mHilight)) {
        L_ERROR("AddMember failure: hilight");
        delete mHilight;
        mHilight = nullptr;
    }
}

bool GMCursor::SetCursor(GMCursorType aType, const LString& aOwner)
{
    if (aType < 0 || aType >= TYPE_COUNT) {
        L_ERROR(LString("SetCursor failure. Invalid type: ") + aType);
        return false;
    }
    if (mCursor == nullptr) {
        L_ERROR("SetCursor failure. No engine cursor.");
        return false;
    }
    const LString name = IsItemType(aType) ? ItemStateName(mItemCursor) : GetStateName(aType);
    // A state the engine cursor lacks leaves the cursor, its owner and the highlight as
    // they were: the part that set what still shows can still release it.
    if (!mCursor->SetState(name)) {
        return false;
    }
    mOwner = aOwner;
    SetHilight(aType == TYPE_ITEM_HILIGHT);
    mType = aType;
    return true;
}

bool GMCursor::ReleaseCursor(const LString& aOwner)
{
    if (!aOwner.IsEmpty() && aOwner != mOwner) {
        return false;
    }
    return SetCursor(mDefaultType, LString());
}

void GMCursor::SetDefaultCursor(GMCursorType aType)
{
    mDefaultType = aType;
}

bool GMCursor::SetItemCursor(const LString& aItemId)
{
    mDefaultType = TYPE_ITEM;
    mItemCursor = aItemId;
    return ReleaseCursor(LString());
}

void GMCursor::SetVisible(bool aVisible)
{
    if (aVisible == mVisible) {
        return;
    }
    mVisible = aVisible;
    if (mCursor != nullptr) {
        mCursor->SetVisible(aVisible);
    }
}

void GMCursor::SetHilight(bool aOn)
{
    if (aOn == mHilightOn || mHilight == nullptr) {
        return;
    }
    mHilightOn = aOn;
    LMouse* mouse = LMouse::Get();
    if (aOn) {
        if (mouse == nullptr || !mouse->AddMember(this, kHilightPriority)) {
            L_ERROR("AddMember failure. Mouse listener.");
        }
        mHilight->SetPosition(MousePosition());
        mHilight->SetActive(true);
    } else {
        if (mouse != nullptr) {
            mouse->RemoveListener(this);
        }
        mHilight->SetActive(false);
    }
}

void GMCursor::OnButtonDown(int)
{
}

void GMCursor::OnMove(const LVector2& aPosition)
{
    if (mHilight != nullptr) {
        mHilight->SetPosition(aPosition);
    }
}

void GMCursor::OnButtonUp(int)
{
}
