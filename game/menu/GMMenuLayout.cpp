#include "menu/GMMenuLayout.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LMouse.h"
#include "LImage.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "menu/GMMenuButton.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "stdlib/LIFileSystem.h"

namespace {
const char16_t* const kThumbnailFolder = u"//textures/menu/thumbnails/";
const char16_t* const kDefaultThumbnail = u"riverbank_body.bmp";

LImage* LoadImage(const LString& aPath)
{
    LImage* image = nullptr;
    if (!LImage::CreateFromFile(aPath, &image) || image == nullptr) {
        delete image;
        return nullptr;
    }
    return image;
}
} // namespace

bool GMMenuLayout::Adopt(LDisplayGroup* aGroup, LIDisplayObject* aMember)
{
    if (aMember == nullptr) {
        return false;
    }
    if (aGroup == nullptr || !aGroup->AddMember(aMember, true)) {
        delete aMember;
        return false;
    }
    return true;
}

bool GMMenuLayout::BuildGroup(LPropertyList* aLayout, const char* aPath, LDisplayGroup* aRoot)
{
    LPropertyList* entry = aLayout != nullptr ? aLayout->GetList(LString(aPath)) : nullptr;
    if (entry == nullptr) {
        L_ERROR(LString("Layout group not found: ") + aPath);
        return false;
    }
    return Adopt(aRoot, LLayoutBuilder::BuildGroup(entry, true));
}

LDisplayGroup* GMMenuLayout::BuildButtons(LPropertyList* aLayout, const char* aPath, const char* aId, float aZ,
                                          LIButtonListener* aListener, LDisplayGroup* aRoot)
{
    LDisplayGroup* group = L_NEW LDisplayGroup();
    if (group == nullptr) {
        L_ERROR("BuildButtons failure. Out of memory.");
        return nullptr;
    }
    group->SetId(LString(aId));
    group->SetRelativeZ(aZ);
    LPropertyList* entries = aLayout != nullptr ? aLayout->GetList(LString(aPath)) : nullptr;
    if (entries == nullptr) {
        L_ERROR(LString("Layout buttons not found: ") + aPath);
    }
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        LPropertyList* entry = entries->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        GMMenuButton* button = L_NEW GMMenuButton();
        if (button == nullptr || !button->Create(entry, aListener)) {
            delete button;
            continue;
        }
        Adopt(group, button);
    }
    return Adopt(aRoot, group) ? group : nullptr;
}

uint32_t GMMenuLayout::ThumbnailTexture(const LString& aName, bool aFallback)
{
    LTextureManager* textures = LTextureManager::Get();
    if (textures == nullptr || aName.IsEmpty()) {
        return 0;
    }
    const uint32_t held = textures->GetHandle(aName);
    if (held != 0) {
        return held;
    }
    LImage* image = LIFileSystem::IsSafeName(aName) ? LoadImage(LString(kThumbnailFolder) + aName) : nullptr;
    if (image == nullptr && aFallback) {
        image = LoadImage(LString(kThumbnailFolder) + kDefaultThumbnail);
    }
    if (image == nullptr) {
        return 0;
    }
    const uint32_t handle = textures->CreateTexture(aName, image);
    delete image;
    return handle;
}

bool GMMenuLayout::IsId(const LString& aId, const char* aName)
{
    return aId.EqualsNoCase(LString(aName));
}

void GMMenuLayout::InterruptMouse()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

bool GMMenuLayout::SwallowWhileScreensChange()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || !screens->IsBusy()) {
        return false;
    }
    InterruptMouse();
    return true;
}

void GMMenuLayout::ListenToMouse(LIMouseListener* aListener, bool aOn, bool* aListening)
{
    if (aOn == *aListening) {
        return;
    }
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        *aListening = false;
    } else if (aOn) {
        *aListening = mouse->AddMember(aListener, 0.0f);
    } else {
        mouse->RemoveListener(aListener);
        *aListening = false;
    }
}

void GMMenuLayout::DeleteDisplay(LDisplayGroup*& aDisplay)
{
    if (aDisplay == nullptr) {
        return;
    }
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->RemoveMember(aDisplay);
    }
    delete aDisplay;
    aDisplay = nullptr;
}

double GMMenuLayout::Now()
{
    return LITimer::Now();
}
