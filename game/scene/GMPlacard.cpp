#include "scene/GMPlacard.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LIFont.h"
#include "Render/LTextureManager.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"
#include "util/GMTextureRoot.h"

namespace {

GMSingleton<GMPlacard> sPlacard;

const char* const kTable = "//scenes/scenes.txt";
const char* const kFont = "frizquadrata24";
const char* const kChime = "//dataroot/sounds/ching-ching.ogg";
const char* const kChimeId = "chingching";

LVectorString Lines(const LPropertyList* aEntry, const char* aKey)
{
    bool found = false;
    const LString text = aEntry->GetString(LString(aKey), found);
    LVectorString lines;
    if (found && !text.IsEmpty()) {
        text.Split(LString("|"), &lines);
    }
    return lines;
}

} // namespace

GMPlacard* GMPlacard::GetInstance()
{
    return sPlacard.Get(L_FILE, __LINE__, "GMPlacard creation failure.");
}

GMPlacard* GMPlacard::Peek()
{
    return sPlacard.Peek();
}

GMPlacard::GMPlacard() : mTable(L_NEW LPropertyList())
{
    // A data set without the table has no cards.
    LIFileSystem* files = LIFileSystem::Get();
    if (mTable != nullptr && files != nullptr && files->PathExists(LString(kTable), true) &&
        !mTable->Load(LString(kTable), true)) {
        L_ERROR(LString("Location cards not loaded: ") + kTable);
    }
}

GMPlacard::~GMPlacard()
{
    mStep.Cancel();
    DeleteChime();
    DeleteGroup();
    delete mTable;
    mTable = nullptr;
    sPlacard.Destroyed(this);
}

LString GMPlacard::Dump() const
{
    return DumpHead("GMPlacard") + " " + mSceneId + "]";
}

bool GMPlacard::Show(const LString& aSceneId)
{
    const LPropertyList* entry = mTable != nullptr ? mTable->GetList(aSceneId) : nullptr;
    if (entry == nullptr) {
        return false;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || screens->IsBusy()) {
        L_ERROR(LString("Location card not shown while the screen changes: ") + aSceneId);
        return false;
    }
    mSceneId = aSceneId;
    mLocation = Lines(entry, "location");
    mAddress = Lines(entry, "address");
    mViewpoint.Clear();
    mPending = true;
    // The card shows once per location; the event is saved with the game.
    const LString shown = aSceneId + LString("_placard");
    if (LEventManager* events = LEventManager::Get(); events != nullptr && !events->IsRaised(shown)) {
        events->AddEvent(shown, true);
    }
    return screens->PushFade(this);
}

void GMPlacard::SetViewpoint(const LString& aViewpoint)
{
    mViewpoint = aViewpoint;
}

void GMPlacard::OnLeave() {}

void GMPlacard::OnShow()
{
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    Build();
    mDone = false;
    DeleteChime();
    LISoundManager* sounds = LISoundManager::Get();
    mChime = sounds != nullptr ? sounds->CreateStream(LString(kChimeId), LString(kChime)) : nullptr;
    if (mChime == nullptr) {
        // Without a chime there is nothing to wait for.
        L_ERROR(LString("Location card chime not opened: ") + kChime);
        OnSoundEnded(LString(kChimeId));
        return;
    }
    const GMOptions* options = GMOptions::GetInstance();
    mChime->SetVolume(options != nullptr ? options->mVolume : 1.0f);
    mChime->SetListener(this);
    mChime->Play();
}

void GMPlacard::Build()
{
    DeleteGroup();
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        return;
    }
    mGroup->SetId(LString("placard"));
    {
        GMTextureRoot root(LString("//textures"));
        LTextureManager* textures = LTextureManager::Get();
        const uint32_t black = textures != nullptr ? textures->CreateTexture(LString("black.tga")) : 0;
        auto* background = L_NEW LSprite();
        if (background != nullptr && background->SetTexture(black, nullptr, nullptr)) {
            background->SetId(LString("placard_bg"));
            background->SetScale(25.0f, 19.0f);
            mGroup->AddMember(background, true);
        } else {
            L_ERROR("Location card background not made: black.tga");
            delete background;
        }
    }
    float y = kFirstLineY;
    const LVectorString* kinds[2] = {&mLocation, &mAddress};
    const char* ids[2] = {"location", "address"};
    for (int kind = 0; kind < 2; ++kind) {
        for (int i = 0; i < kinds[kind]->GetCount(); ++i) {
            auto* text = L_NEW LTextArea();
            if (text == nullptr || !text->Create(LString(kFont))) {
                delete text;
                continue;
            }
            const LString& line = kinds[kind]->GetRef(i);
            LString id(ids[kind]);
            id += i;
            text->SetId(id);
            text->SetWrap(true);
            text->SetWidth(kWrapWidth);
            text->SetLineHeight(text->GetFontHeight());
            text->SetText(line);
            const float width = text->GetFont() != nullptr ? text->GetFont()->GetTextWidth(line) : 0.0f;
            text->SetPosition(static_cast<float>(static_cast<int>((kScreenWidth - width) * 0.5f)), y);
            text->SetRelativeZ(kTextZ);
            mGroup->AddMember(text, true);
            y += kLineStep;
        }
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(mGroup)) {
        L_ERROR("Location card not shown: no display.");
    }
}

void GMPlacard::OnSoundEnded(const LString&)
{
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetVisible(false);
    }
    mDone = true;
    // Not inside the chime's own notice: on the next frame.
    mStep.Post([this] { Finish(); });
}

void GMPlacard::Finish()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->IsBusy()) {
        // The card's own fade-in has not finished yet.
        screens->WhenIdle(this, [this] { Finish(); });
        return;
    }
    DeleteChime();
    mPending = false;
    if (screens != nullptr) {
        screens->Clear();
    }
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    const bool loaded = scenes != nullptr && scenes->LoadScene(mSceneId, false, false);
    if (!loaded) {
        L_ERROR(LString("Location card: the location did not load: ") + mSceneId);
    } else if (!mViewpoint.IsEmpty() && !(mViewpoint == LString("-")) && scenes->GetScene() != nullptr) {
        scenes->GetScene()->SetViewpoint(mViewpoint);
    }
    mViewpoint.Clear();
    if (screens != nullptr) {
        // The card fades away over the location, or gives way to the main menu when
        // there is none.
        screens->PushScreen(this);
        if (loaded) {
            GMIScreen* popped = nullptr;
            screens->PopFade(&popped);
        } else {
            GMSceneManager::ShowMenuWhenNoScreenIsLeft(mSceneId);
        }
    }
}

void GMPlacard::OnHidden()
{
    DeleteGroup();
}

void GMPlacard::DeleteGroup()
{
    if (mGroup == nullptr) {
        return;
    }
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->RemoveMember(mGroup);
    }
    delete mGroup;
    mGroup = nullptr;
}

void GMPlacard::DeleteChime()
{
    delete mChime;
    mChime = nullptr;
}
