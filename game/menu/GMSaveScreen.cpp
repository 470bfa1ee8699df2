#include "menu/GMSaveScreen.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LSprite.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "menu/GMMenuLayout.h"
#include "menu/GMSaveField.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"
#include "menu/GMSaveGameFile.h"
#include "menu/GMSaveIndexFile.h"
#include "util/GMTextureRoot.h"

namespace {
GMSingleton<GMSaveScreen> sSaveScreen;

constexpr int kClicked = 4;
constexpr float kButtonsZ = 10.0f;
constexpr float kTextZ = 15.0f;
constexpr float kFieldX = 293.0f;
constexpr float kFieldY = 328.0f;
constexpr float kFieldWidth = 215.0f;
constexpr float kFieldHeight = 18.0f;
constexpr float kThumbnailX = 265.0f;
constexpr float kThumbnailY = 95.0f;
// In front of the background and its dark panels (depth 0.0), behind the buttons and
// texts: a thumbnail behind the background would never be seen.
constexpr float kThumbnailZ = 5.0f;
} // namespace

GMSaveScreen* GMSaveScreen::GetInstance()
{
    return sSaveScreen.Get(L_FILE, __LINE__, "GMSaveScreen creation failure.");
}

GMSaveScreen::GMSaveScreen() = default;

GMSaveScreen::~GMSaveScreen()
{
    sSaveScreen.Destroyed(this);
    DeleteDisplay();
    delete mIndex;
    mIndex = nullptr;
}

LString GMSaveScreen::Dump() const
{
    return DumpHead("GMSaveScreen") + "]";
}

bool GMSaveScreen::IsBlank(const LString& aDescription)
{
    for (int i = aDescription.GetLength() - 1; i >= 0; --i) {
        const char16_t c = aDescription.At(i);
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') {
            return false;
        }
    }
    return true;
}

void GMSaveScreen::LoadIndex()
{
    LIFileSystem* files = LIFileSystem::Get();
    const LString& path = GMSaveIndexFile::GetFilePath();
    if (files != nullptr && !files->PathExists(path, true) && !files->CreateFile(path, true)) {
        L_ERROR("Save screen: the empty index of saved games could not be created.");
    }
    delete mIndex;
    mIndex = L_NEW GMSaveIndexFile();
    if (mIndex != nullptr && !mIndex->Load()) {
        // The saves it lists must not be lost to a new index: no save is made then.
        L_ERROR("Save screen: the index of saved games could not be read; no save can be made.");
    }
}

void GMSaveScreen::OnShow()
{
    DeleteDisplay();
    mLeaving = false;
    LoadIndex();
    GMTextureRoot root(LString("//textures/menu"));
    LPropertyList layout;
    if (!layout.Load(LString("//textures/menu/save_screen_layout.txt"), true)) {
        L_ERROR("Save screen layout not loaded.");
    }
    mDisplay = L_NEW LDisplayGroup();
    if (mDisplay == nullptr) {
        L_ERROR("Save screen display not made.");
        return;
    }
    mDisplay->SetId(LString("savescreen_layout"));
    GMMenuLayout::BuildGroup(&layout, "save_screen.g01-background", mDisplay);
    GMMenuLayout::BuildGroup(&layout, "save_screen.g03-black_background", mDisplay);
    GMMenuLayout::BuildButtons(&layout, "save_screen.g02-buttons", "save_buttons", kButtonsZ, this, mDisplay);

    LDisplayGroup* text = L_NEW LDisplayGroup();
    if (text != nullptr) {
        text->SetId(LString("text_areas"));
        text->SetPosition(0.0f, 0.0f);
        text->SetRelativeZ(kTextZ);
        LFontManager* fonts = LFontManager::Get();
        GMSaveField* field = L_NEW GMSaveField();
        if (field != nullptr && field->Create(fonts != nullptr ? fonts->GetFont(LString("twcenmt14white")) : nullptr, this)) {
            field->SetId(LString("textfield"));
            field->SetPosition(kFieldX, kFieldY);
            field->SetSize(kFieldWidth, kFieldHeight);
            if (GMMenuLayout::Adopt(text, field)) {
                mField = field;
                // The player types at once, without clicking into the field.
                mField->SetActive(true);
            }
        } else {
            L_ERROR("Save screen: the save field could not be made.");
            delete field;
        }
    }
    mThumbnail = GMSaveIndexFile::PickThumbnail();
    AddThumbnail();
    if (!GMMenuLayout::Adopt(mDisplay, text)) {
        mField = nullptr;
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(mDisplay)) {
        L_ERROR("Save screen display not shown.");
    }
}

void GMSaveScreen::AddThumbnail()
{
    const uint32_t texture = GMMenuLayout::ThumbnailTexture(mThumbnail, false);
    if (texture == 0) {
        return;
    }
    LSprite* sprite = L_NEW LSprite();
    if (sprite == nullptr || !sprite->SetTexture(texture, nullptr, nullptr)) {
        delete sprite;
        return;
    }
    sprite->SetId(LString("thumbnail_sprite"));
    sprite->SetRelativeZ(kThumbnailZ);
    sprite->SetPosition(kThumbnailX, kThumbnailY);
    GMMenuLayout::Adopt(mDisplay, sprite);
}

void GMSaveScreen::OnHidden()
{
    DeleteDisplay();
}

void GMSaveScreen::DeleteDisplay()
{
    mField = nullptr;
    GMMenuLayout::DeleteDisplay(mDisplay);
}

void GMSaveScreen::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != kClicked) {
        return;
    }
    // While a change of screen runs (this screen still fading in), no button acts: a save
    // then could not leave the screen, and the screen would be left for good.
    if (GMMenuLayout::SwallowWhileScreensChange()) {
        return;
    }
    if (GMMenuLayout::IsId(aId, "cancel")) {
        if (!mLeaving) {
            mLeaving = true;
            if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
                GMIScreen* popped = nullptr;
                screens->PopFade(&popped);
            }
        }
    } else if (!mLeaving && mField != nullptr && !IsBlank(mField->GetText())) {
        if (mIndex == nullptr) {
            mIndex = L_NEW GMSaveIndexFile();
        }
        // SaveGame leaves the screen when it succeeds; a failure keeps it open.
        mLeaving = mIndex != nullptr && GMSaveGameFile::SaveGame(mField->GetText(), mThumbnail, mIndex);
    }
    GMMenuLayout::InterruptMouse();
}
