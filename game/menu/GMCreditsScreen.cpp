#include "menu/GMCreditsScreen.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LImage.h"
#include "LRectangle.h"
#include "Render/LColor.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyEntry.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "menu/GMMenuLayout.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

namespace {
GMSingleton<GMCreditsScreen> sCreditsScreen;

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
constexpr float kBackgroundZ = -100.0f;
constexpr float kPageZ = 10.0f;
const char16_t* const kFontId = u"frizquadrata24";

// Blocks and lines of one page are bounded, so a damaged file cannot make a page of
// millions of text areas.
constexpr int kMaxBlocks = 64;
constexpr int kMaxLines = 64;
} // namespace

GMCreditsScreen* GMCreditsScreen::GetInstance()
{
    return sCreditsScreen.Get(L_FILE, __LINE__, "GMCreditsScreen creation failure.");
}

GMCreditsScreen::GMCreditsScreen() = default;

GMCreditsScreen::~GMCreditsScreen()
{
    sCreditsScreen.Destroyed(this);
    Clear();
}

LString GMCreditsScreen::Dump() const
{
    return DumpHead("GMCreditsScreen") + "]";
}

LIDisplayObject* GMCreditsScreen::GetPicture(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetPictureCount() ? mPictures[aIndex] : nullptr;
}

LDisplayGroup* GMCreditsScreen::GetPage(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetPageCount() ? mPages[aIndex] : nullptr;
}

void GMCreditsScreen::Listen(bool aOn)
{
    if (aOn == mListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    LMouse* mouse = LMouse::Get();
    LKeyboard* keyboard = LKeyboard::Get();
    if (aOn) {
        if (frames != nullptr) {
            frames->AddListener(this, 0.0f);
        }
        if (mouse != nullptr) {
            mouse->AddMember(this, 0.0f);
        }
        if (keyboard != nullptr) {
            keyboard->AddListener(this, 0.0f);
        }
    } else {
        if (frames != nullptr) {
            frames->RemoveListener(this);
        }
        if (mouse != nullptr) {
            mouse->RemoveListener(this);
        }
        if (keyboard != nullptr) {
            keyboard->RemoveListener(this);
        }
    }
    mListening = aOn;
}

void GMCreditsScreen::Clear()
{
    Listen(false);
    mPictures.clear();
    mPages.clear();
    mOutPicture = mInPicture = mOutPage = mInPage = nullptr;
    mCrossFading = false;
    GMMenuLayout::DeleteDisplay(mRoot);
    delete mCredits;
    mCredits = nullptr;
    if (mMusic != nullptr) {
        mMusic->Stop();
        delete mMusic;
        mMusic = nullptr;
    }
}

void GMCreditsScreen::OnShow()
{
    Build();
}

void GMCreditsScreen::OnHidden()
{
    Clear();
}

void GMCreditsScreen::Build()
{
    Clear();
    mRoot = L_NEW LDisplayGroup();
    mCredits = L_NEW LPropertyList();
    if (mRoot == nullptr || mCredits == nullptr) {
        L_ERROR("Credits screen not made. Out of memory.");
        Clear();
        return;
    }
    mRoot->SetId(LString("credits_screen"));
    if (!mCredits->Load(LString("//textures/menu/credits.txt"), true)) {
        L_ERROR("Credits file not loaded.");
    }

    LSRectangle* background = L_NEW LSRectangle();
    if (background != nullptr) {
        const LColor black(1.0f, 0.0f, 0.0f, 0.0f); // alpha first
        background->SetId(LString("black_bg"));
        background->SetRect(LRectangle(0.0f, 0.0f, kScreenWidth, kScreenHeight));
        background->SetPosition(0.0f, 0.0f);
        background->SetFillColor(black);
        background->SetStrokeColor(black);
        background->SetFilled(true);
        background->SetStroked(true);
        background->SetRelativeZ(kBackgroundZ);
        GMMenuLayout::Adopt(mRoot, background);
    }
    BuildPictures();
    BuildPages();
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(mRoot)) {
        L_ERROR("Credits screen display not shown.");
    }

    LISoundManager* sounds = LISoundManager::Get();
    mMusic = sounds != nullptr ? sounds->CreateStream(LString("credits"), LString("//dataroot/sounds/Credits.ogg")) : nullptr;
    if (mMusic != nullptr) {
        mMusic->SetLoop(true);
        GMOptions* options = GMOptions::GetInstance();
        mMusic->SetVolume(options != nullptr ? options->mVolume : 1.0f);
        mMusic->Play();
    }
    mPictureIndex = -1;
    mPageIndex = -1;
    mNextChange = GMMenuLayout::Now() + kFirstChange;
    Listen(true);
}

void GMCreditsScreen::BuildPictures()
{
    LPropertyList* images = mCredits->GetList(LString("credits.images"));
    for (int i = 0; images != nullptr && i < images->GetCount(); ++i) {
        LPropertyList* entry = images->GetListAt(i);
        bool found = false;
        const LString file = entry != nullptr ? entry->GetString(LString("file"), found) : LString();
        LImage* image = nullptr;
        if (!found || !LImage::CreateFromFile(LString("//textures/menu/") + file, &image) || image == nullptr) {
            L_ERROR(LString("Credits picture not loaded: ") + file);
            delete image;
            continue;
        }
        const LString id = LString("credits_sprite_") + i;
        LSprite* sprite = L_NEW LSprite();
        const bool made = sprite != nullptr && sprite->SetImage(id, image, nullptr, nullptr);
        delete image;
        if (!made) {
            delete sprite;
            continue;
        }
        sprite->SetId(id);
        sprite->SetVisible(false);
        if (GMMenuLayout::Adopt(mRoot, sprite)) {
            mPictures.push_back(sprite);
        }
    }
}

void GMCreditsScreen::BuildPages()
{
    LPropertyList* screens = mCredits->GetList(LString("credits.screens"));
    for (int i = 0; screens != nullptr && i < screens->GetCount(); ++i) {
        LPropertyList* page = screens->GetListAt(i);
        if (page == nullptr) {
            continue;
        }
        LDisplayGroup* group = BuildPage(i, page);
        if (group != nullptr && GMMenuLayout::Adopt(mRoot, group)) {
            mPages.push_back(group);
        }
    }
}

LDisplayGroup* GMCreditsScreen::BuildPage(int aIndex, LPropertyList* aPage)
{
    LDisplayGroup* group = L_NEW LDisplayGroup();
    if (group == nullptr) {
        return nullptr;
    }
    group->SetId(LString("screen_") + aIndex);
    group->SetRelativeZ(kPageZ);
    group->SetVisible(false);
    LFontManager* fonts = LFontManager::Get();
    LIFont* font = fonts != nullptr ? fonts->GetFont(LString(kFontId)) : nullptr;
    LPropertyList* blocks = aPage->GetList(LString("entries"));
    float y = 0.0f;
    for (int b = 0; blocks != nullptr && b < blocks->GetCount() && b < kMaxBlocks; ++b) {
        LPropertyList* block = blocks->GetListAt(b);
        for (int l = 0; block != nullptr && l < block->GetCount() && l < kMaxLines; ++l) {
            const LString* line = block->GetAt(l).GetString();
            if (line == nullptr) {
                continue;
            }
            LTextArea* text = L_NEW LTextArea();
            if (text == nullptr || !text->Create(font)) {
                delete text;
                continue;
            }
            text->SetId(LString("id_") + b + "_" + l);
            text->SetText(*line);
            const float width = font != nullptr ? font->GetTextWidth(*line) : 0.0f;
            const int x = (static_cast<int>(kScreenWidth) - static_cast<int>(width)) / 2;
            text->SetPosition(static_cast<float>(x), y);
            y += text->GetLineHeight();
            GMMenuLayout::Adopt(group, text);
        }
        y += kBlockGap;
    }
    group->SetPosition(0.0f, static_cast<float>((static_cast<int>(kScreenHeight) - static_cast<int>(y)) / 2));
    return group;
}

void GMCreditsScreen::OnKeyDown(int /*aKey*/)
{
    // A key while the credits still fade in: the close waits for that change to end.
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->GetTop() == this && screens->PopFadeWhenIdle(this)) {
        Listen(false);
    }
}

void GMCreditsScreen::StartChange(double aNow)
{
    mNextChange = -1.0;
    // A kind the credits do not give is left out of the change.
    mOutPicture = GetPicture(mPictureIndex);
    mInPicture = nullptr;
    if (!mPictures.empty()) {
        mPictureIndex = (mPictureIndex + 1) % GetPictureCount();
        mInPicture = mPictures[mPictureIndex];
    }
    mOutPage = GetPage(mPageIndex);
    mInPage = nullptr;
    if (!mPages.empty()) {
        mPageIndex = (mPageIndex + 1) % GetPageCount();
        mInPage = mPages[mPageIndex];
    }
    // The only slide of its kind would go out and come in at once, and be hidden at the
    // end: it stays as it is instead.
    if (mOutPicture != nullptr && mOutPicture == mInPicture) {
        mOutPicture = mInPicture = nullptr;
    }
    if (mOutPage != nullptr && mOutPage == mInPage) {
        mOutPage = mInPage = nullptr;
    }
    mFade = 0.0f;
    SetBlends();
    if (mInPicture != nullptr) {
        mInPicture->SetVisible(true);
    }
    if (mInPage != nullptr) {
        mInPage->SetVisible(true);
    }
    mLastStep = aNow;
    mCrossFading = true;
}

void GMCreditsScreen::SetBlends()
{
    if (mOutPicture != nullptr) {
        mOutPicture->SetBlend(1.0f - mFade);
    }
    if (mOutPage != nullptr) {
        mOutPage->SetBlend(1.0f - mFade);
    }
    if (mInPicture != nullptr) {
        mInPicture->SetBlend(mFade);
    }
    if (mInPage != nullptr) {
        mInPage->SetBlend(mFade);
    }
}

void GMCreditsScreen::StepFade(double aNow)
{
    if (aNow - mLastStep <= kFadeInterval) {
        return;
    }
    mFade += kFadeStep;
    if (mFade >= 1.0f) {
        mFade = 1.0f;
        mCrossFading = false;
        mNextChange = aNow + kSlideTime;
        if (mOutPicture != nullptr) {
            mOutPicture->SetVisible(false);
        }
        if (mOutPage != nullptr) {
            mOutPage->SetVisible(false);
        }
    }
    SetBlends();
    mLastStep = aNow;
}

void GMCreditsScreen::OnFrame()
{
    const double now = GMMenuLayout::Now();
    if (!mCrossFading) {
        if (mNextChange > 0.0 && now > mNextChange) {
            StartChange(now);
        }
        return;
    }
    StepFade(now);
}
