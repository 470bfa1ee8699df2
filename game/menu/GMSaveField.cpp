#include "menu/GMSaveField.h"

#include "Gdi/LIFont.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LImage.h"
#include "LVector2.h"
#include "Render/LTextureManager.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"

namespace {
constexpr float kBlinkInterval = 0.5f;
constexpr char kBackspace = 8;

bool Typable(char aChar)
{
    return (aChar >= 'a' && aChar <= 'z') || (aChar >= 'A' && aChar <= 'Z') || (aChar >= '0' && aChar <= '9') ||
           aChar == ' ';
}

// The caret's picture, read once for the whole run.
uint32_t CaretTexture()
{
    LTextureManager* textures = LTextureManager::Get();
    if (textures == nullptr) {
        return 0;
    }
    const LString id("savefield_cursor");
    uint32_t handle = textures->GetHandle(id);
    if (handle != 0) {
        return handle;
    }
    LImage* image = nullptr;
    if (!LImage::CreateFromFile(LString("//textures/white.bmp"), &image) || image == nullptr) {
        L_ASSERT_FAILURE("");
        delete image;
        return 0;
    }
    handle = textures->CreateTexture(id, image);
    delete image;
    return handle;
}
} // namespace

GMSaveField::GMSaveField() = default;

GMSaveField::~GMSaveField()
{
    SetActive(false);
    if (mInMouse) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
        mInMouse = false;
    }
    mListener = nullptr;
    // The group's destructor deletes the text area and the caret.
}

LString GMSaveField::Dump() const
{
    return DumpHead("GMSaveField") + "]";
}

double GMSaveField::Now()
{
    return LITimer::Now();
}

int GMSaveField::Create(LIFont* aFont, LIButtonListener* aListener)
{
    if (mTextArea != nullptr) {
        L_ERROR("Create failure. Already created.");
        return 0;
    }
    mListener = aListener;
    LTextArea* text = L_NEW LTextArea();
    text->SetId(LString("savefieldtext"));
    if (!text->Create(aFont)) {
        L_ERROR("Create failure. Text area not created.");
        delete text;
        return 0;
    }
    text->SetText(u"");
    text->SetPosition(0.0f, 0.0f);
    if (!AddMember(text, true)) {
        delete text;
        return 0;
    }
    mTextArea = text;

    LSprite* caret = L_NEW LSprite();
    caret->SetId(LString("cursor"));
    if (const uint32_t handle = CaretTexture()) {
        caret->SetTexture(handle, nullptr, nullptr);
    }
    caret->SetScale(0.25f, 2.0f);
    caret->SetPosition(0.0f, 0.0f);
    caret->SetVisible(false);
    if (!AddMember(caret, true)) {
        delete caret;
        return 0;
    }
    mCaret = caret;

    LMouse* mouse = LMouse::Get();
    mInMouse = mouse != nullptr && mouse->AddMember(this, 0.0f);
    return 1;
}

void GMSaveField::SetSize(float aWidth, float aHeight)
{
    mWidth = aWidth;
    mHeight = aHeight;
}

bool GMSaveField::SetActive(bool aActive)
{
    LKeyboard* keyboard = LKeyboard::Get();
    LFrameManager* frames = LFrameManager::Get();
    // The listeners are registered while the field is active, once, and removed only
    // then, so that neither manager is asked for a listener it does not hold.
    if (aActive) {
        if (mFieldActive == 0) {
            if (keyboard != nullptr) {
                keyboard->AddListener(this, 0.0f);
            }
            if (frames != nullptr) {
                frames->AddListener(this, 0.0f);
            }
        }
        mFieldActive = 1;
        mLastToggleTime = static_cast<float>(Now());
    } else {
        if (mFieldActive != 0) {
            if (keyboard != nullptr) {
                keyboard->RemoveListener(this);
            }
            if (frames != nullptr) {
                frames->RemoveListener(this);
            }
        }
        mFieldActive = 0;
    }
    if (mCaret != nullptr) {
        mCaret->SetVisible(aActive);
    }
    return true;
}

float GMSaveField::TextWidth(const LString& aText) const
{
    LIFont* font = mTextArea != nullptr ? mTextArea->GetFont() : nullptr;
    return font != nullptr ? font->GetTextWidth(aText) : 0.0f;
}

void GMSaveField::ShowText()
{
    if (mTextArea != nullptr) {
        mTextArea->SetText(mText);
    }
    if (mCaret != nullptr) {
        mCaret->SetPosition(TextWidth(mText), 0.0f);
    }
}

void GMSaveField::OnButtonDown(int /*aButton*/)
{
    if (mFieldActive != 0) {
        return;
    }
    LVector2 mouse(0.0f, 0.0f);
    if (LMouse* device = LMouse::Get()) {
        device->GetPosition(mouse);
    }
    const LVector2 origin = GetWorldPosition();
    if (mouse.x > origin.x && mouse.x < origin.x + mWidth && mouse.y > origin.y && mouse.y < origin.y + mHeight) {
        SetActive(true);
    }
}

void GMSaveField::OnMove(const LVector2& /*aPosition*/) {}

void GMSaveField::OnButtonUp(int /*aButton*/) {}

void GMSaveField::OnKeyDown(int aKey)
{
    if (mFieldActive == 0) {
        return;
    }
    LKeyboard* keyboard = LKeyboard::Get();
    const char typed = keyboard != nullptr ? keyboard->KeyToChar(aKey) : 0;
    if (Typable(typed)) {
        const int length = mText.GetLength();
        const char added[2] = {typed, 0};
        mText += added;
        if (TextWidth(mText) > mWidth) {
            mText = mText.Mid(0, length, 0);
            return;
        }
    } else if (typed == kBackspace) {
        const int length = mText.GetLength();
        if (length == 0) {
            return;
        }
        mText = mText.Mid(0, length - 1, 0);
    } else {
        return;
    }
    ShowText();
}

void GMSaveField::OnKeyUp(int /*aKey*/) {}

void GMSaveField::OnFrame()
{
    if (mFieldActive == 0 || mCaret == nullptr) {
        return;
    }
    const float now = static_cast<float>(Now());
    if (now - mLastToggleTime > kBlinkInterval) {
        mCaret->SetVisible(!mCaret->GetVisible());
        mLastToggleTime = now;
    }
}
