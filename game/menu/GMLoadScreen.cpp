#include "menu/GMLoadScreen.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFader.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "menu/GMMenuLayout.h"
#include "stdlib/LLog.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "menu/GMSaveGameFile.h"
#include "menu/GMSaveIndexFile.h"
#include "util/GMTextureRoot.h"

namespace {
GMSingleton<GMLoadScreen> sLoadScreen;

constexpr int kClicked = 4;
constexpr float kButtonsZ = 10.0f;
constexpr float kTextZ = 10.0f;
// In front of the background and its dark panels (depth 0.0), behind the buttons and
// texts: a thumbnail behind the background would never be seen.
constexpr float kThumbnailZ = 5.0f;
constexpr float kLineHeight = 19.0f;
const char16_t* const kFontId = u"comic18";

struct Slot
{
    float mThumbnailX, mThumbnailY, mTextX, mTextY;
};
constexpr Slot kSlots[GMLoadScreen::SLOT_COUNT] = {
    {25.0f, 65.0f, 41.0f, 262.0f},   {265.0f, 65.0f, 287.0f, 262.0f},  {505.0f, 65.0f, 527.0f, 262.0f},
    {25.0f, 315.0f, 41.0f, 514.0f},  {265.0f, 315.0f, 287.0f, 514.0f}, {505.0f, 315.0f, 527.0f, 514.0f},
};
} // namespace

GMLoadScreen* GMLoadScreen::GetInstance()
{
    return sLoadScreen.Get(L_FILE, __LINE__, "GMLoadScreen creation failure.");
}

GMLoadScreen::GMLoadScreen() = default;

GMLoadScreen::~GMLoadScreen()
{
    sLoadScreen.Destroyed(this);
    ListenToMouse(false);
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    DeleteDisplay();
    delete mIndex;
    mIndex = nullptr;
}

LString GMLoadScreen::Dump() const
{
    return DumpHead("GMLoadScreen") + "]";
}

LTextArea* GMLoadScreen::GetText(int aSlot) const
{
    return aSlot >= 0 && aSlot < SLOT_COUNT ? mTexts[aSlot] : nullptr;
}

LSprite* GMLoadScreen::GetBracket(int aSlot) const
{
    return aSlot >= 0 && aSlot < SLOT_COUNT ? mBrackets[aSlot] : nullptr;
}

void GMLoadScreen::ListenToMouse(bool aOn)
{
    GMMenuLayout::ListenToMouse(this, aOn, &mInMouse);
}

void GMLoadScreen::OnShow()
{
    Build();
    mBusy = false;
}

void GMLoadScreen::Build()
{
    DeleteDisplay();
    LPropertyList layout;
    if (!layout.Load(LString("//textures/menu/load_screen_layout.txt"), true)) {
        L_ERROR("Load screen layout not loaded.");
    }
    mDisplay = L_NEW LDisplayGroup();
    if (mDisplay == nullptr) {
        L_ERROR("Load screen display not made.");
        return;
    }
    mDisplay->SetId(LString("loadscreen_layout"));
    {
        GMTextureRoot root(LString("//textures/menu"));
        GMMenuLayout::BuildGroup(&layout, "load_screen.g01-background", mDisplay);
        GMMenuLayout::BuildGroup(&layout, "load_screen.g03-black_background", mDisplay);
        GMMenuLayout::BuildButtons(&layout, "load_screen.g02-buttons", "load_buttons", kButtonsZ, this, mDisplay);
        BuildBrackets(&layout);
        mSelected = -1;
        BuildTexts();
        BuildEntries();
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(mDisplay)) {
        L_ERROR("Load screen display not shown.");
    }
    ScrollList();
    ListenToMouse(true);
}

void GMLoadScreen::BuildBrackets(LPropertyList* aLayout)
{
    LPropertyList* entries = aLayout->GetList(LString("load_screen.g04-selection_brackets"));
    for (int s = 0; s < SLOT_COUNT; ++s) {
        LPropertyList* entry = entries != nullptr && s < entries->GetCount() ? entries->GetListAt(s) : nullptr;
        if (entry == nullptr) {
            L_ERROR(LString("Load screen: no selection bracket for slot ") + s);
            continue;
        }
        LSprite* bracket = LLayoutBuilder::BuildSprite(entry);
        if (bracket != nullptr) {
            bracket->SetVisible(false);
            if (GMMenuLayout::Adopt(mDisplay, bracket)) {
                mBrackets[s] = bracket;
            }
        }
        bool found = false;
        const LVectorFloat area = entry->GetVectorFloat(LString("activearea"), found);
        if (!found || area.GetCount() < 6) {
            L_ERROR(LString("Load screen: slot ") + s + " has no click area.");
            continue;
        }
        mAreas[s] = L_NEW LPolygon(area, true);
    }
}

void GMLoadScreen::BuildTexts()
{
    LFontManager* fonts = LFontManager::Get();
    LIFont* font = fonts != nullptr ? fonts->GetFont(LString(kFontId)) : nullptr;
    if (font == nullptr) {
        L_ERROR("Load screen: font comic18 not found.");
    } else {
        font->SetScale(0.5f, 0.5f);
    }
    for (int s = 0; s < SLOT_COUNT; ++s) {
        LTextArea* text = L_NEW LTextArea();
        if (text == nullptr || !text->Create(font)) {
            delete text;
            continue;
        }
        text->SetId(LString("saveText_") + s);
        text->SetRelativeZ(kTextZ);
        text->SetMultiLine(false);
        text->SetWrap(false);
        text->SetLineHeight(kLineHeight);
        text->SetText(LString());
        text->SetPosition(kSlots[s].mTextX, kSlots[s].mTextY);
        if (GMMenuLayout::Adopt(mDisplay, text)) {
            mTexts[s] = text;
        }
    }
}

void GMLoadScreen::BuildEntries()
{
    delete mIndex;
    mIndex = L_NEW GMSaveIndexFile();
    if (mIndex == nullptr) {
        return;
    }
    mIndex->Load();
    LVectorString keys;
    LVectorString descriptions;
    LVectorString thumbnails;
    const int count = mIndex->ListSaves(&keys, &descriptions, &thumbnails);
    mEntries.reserve(count);
    for (int i = 0; i < count; ++i) {
        Entry entry;
        entry.mKey = keys[i];
        entry.mDescription = descriptions[i];
        // Every save keeps its place in the grid, with or without a picture.
        const uint32_t texture = GMMenuLayout::ThumbnailTexture(thumbnails[i], true);
        LSprite* sprite = texture != 0 ? L_NEW LSprite() : nullptr;
        if (sprite != nullptr && sprite->SetTexture(texture, nullptr, nullptr)) {
            sprite->SetId(LString("thumbnail_") + i);
            sprite->SetRelativeZ(kThumbnailZ);
            if (GMMenuLayout::Adopt(mDisplay, sprite)) {
                entry.mSprite = sprite;
            }
        } else {
            delete sprite;
        }
        mEntries.push_back(entry);
    }
    // A list that got shorter since the last visit still shows its last saves.
    if (mFirstShown >= static_cast<int>(mEntries.size())) {
        mFirstShown = 0;
    }
}

void GMLoadScreen::DeleteDisplay()
{
    ListenToMouse(false);
    mEntries.clear();
    for (int s = 0; s < SLOT_COUNT; ++s) {
        mTexts[s] = nullptr;
        mBrackets[s] = nullptr;
        delete mAreas[s];
        mAreas[s] = nullptr;
    }
    GMMenuLayout::DeleteDisplay(mDisplay);
}

void GMLoadScreen::OnHidden()
{
    DeleteDisplay();
}

void GMLoadScreen::ScrollList()
{
    for (Entry& entry : mEntries) {
        if (entry.mSprite != nullptr) {
            entry.mSprite->SetVisible(false);
        }
    }
    for (int s = 0; s < SLOT_COUNT; ++s) {
        const int at = mFirstShown + s;
        const bool filled = at >= 0 && at < static_cast<int>(mEntries.size());
        if (filled && mEntries[at].mSprite != nullptr) {
            mEntries[at].mSprite->SetPosition(kSlots[s].mThumbnailX, kSlots[s].mThumbnailY);
            mEntries[at].mSprite->SetVisible(true);
        }
        if (mTexts[s] != nullptr) {
            mTexts[s]->SetText(filled ? mEntries[at].mDescription : LString());
        }
    }
}

void GMLoadScreen::HideBrackets()
{
    for (LSprite* bracket : mBrackets) {
        if (bracket != nullptr) {
            bracket->SetVisible(false);
        }
    }
}

void GMLoadScreen::OnButtonDown(int aButton)
{
    if (aButton != 1) {
        return;
    }
    LVector2 position(0.0f, 0.0f);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(position);
    }
    for (int s = 0; s < SLOT_COUNT; ++s) {
        // A slot is filled when a save is listed for it, whatever its description reads.
        const int at = mFirstShown + s;
        if (mAreas[s] == nullptr || !mAreas[s]->ContainsPoint(position) || at >= static_cast<int>(mEntries.size())) {
            continue;
        }
        HideBrackets();
        mSelected = s;
        if (mBrackets[s] != nullptr) {
            mBrackets[s]->SetVisible(true);
        }
    }
}

void GMLoadScreen::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != kClicked) {
        return;
    }
    // While a change of screen runs (this screen still fading in), no button acts: a
    // load or a leave then would be cut off from the end of that change.
    if (GMMenuLayout::SwallowWhileScreensChange()) {
        return;
    }
    if (GMMenuLayout::IsId(aId, "cancel")) {
        Cancel();
    } else if (GMMenuLayout::IsId(aId, "up_arrow")) {
        if (mFirstShown - SCROLL_STEP >= 0) {
            mFirstShown -= SCROLL_STEP;
            mSelected = -1;
            HideBrackets();
        } else {
            mFirstShown = 0;
        }
        ScrollList();
    } else if (GMMenuLayout::IsId(aId, "down_arrow")) {
        // Only while saves lie beyond the six shown.
        if (mFirstShown + SLOT_COUNT < static_cast<int>(mEntries.size())) {
            mFirstShown += SCROLL_STEP;
            mSelected = -1;
            HideBrackets();
        }
        ScrollList();
    } else if (GMMenuLayout::IsId(aId, "load")) {
        Load();
    }
    GMMenuLayout::InterruptMouse();
}

void GMLoadScreen::Cancel()
{
    if (mBusy) {
        return;
    }
    mBusy = true;
    ListenToMouse(false);
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        GMIScreen* popped = nullptr;
        screens->PopFade(&popped);
    }
}

void GMLoadScreen::Load()
{
    const int at = mFirstShown + mSelected;
    if (mSelected < 0 || mBusy || at >= static_cast<int>(mEntries.size())) {
        return;
    }
    mBusy = true;
    ListenToMouse(false);
    // The entry is copied: a load that reaches black at once rebuilds nothing, but the
    // placement pops this screen.
    const LString key = mEntries[at].mKey;
    if (!GMSaveGameFile::LoadGame(key, this)) {
        // The game in progress is unchanged: the player may pick another save or leave.
        L_ERROR(LString("Load screen: ") + key + " could not be loaded.");
        mBusy = false;
        ListenToMouse(true);
    }
}

void GMLoadScreen::OnFade(int aEvent)
{
    if (aEvent == LFader::kFinished) {
        GMSaveGameFile::PlaceAfterLoad(this, this);
    }
}
