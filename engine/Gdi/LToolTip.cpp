#include "Gdi/LToolTip.h"

#include "Gdi/LIFont.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTipManager.h"
#include "LRectangle.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFrameManager.h"
#include "time/LITimer.h"
#include "stdlib/LLog.h"

LToolTip::LToolTip() : mTimer(LITimer::Get())
{
}

LToolTip::~LToolTip()
{
    StopListening();
    LToolTipManager* manager = LToolTipManager::Get();
    if (manager != nullptr && manager->GetToolTip(mId) == this) {
        manager->RemoveToolTip(mId, nullptr);
    }
    delete mInner;
    mInner = nullptr;
}

LString LToolTip::Dump() const
{
    return DumpHead("LToolTip") + "]";
}

double LToolTip::Now() const
{
    return mTimer != nullptr ? mTimer->GetTime() : 0.0;
}

bool LToolTip::StartListening()
{
    if (mListening) {
        return true;
    }
    LFrameManager* frames = LFrameManager::Get();
    if (frames == nullptr || !frames->AddListener(this, 0.0f)) {
        L_ASSERT_FAILURE("");
        return false;
    }
    mListening = true;
    return true;
}

void LToolTip::StopListening()
{
    if (!mListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    if (frames != nullptr) {
        frames->RemoveListener(this);
    }
    mListening = false;
}

bool LToolTip::Create(LIFont* aFont)
{
    if (mInner != nullptr) {
        L_ERROR("Create failure. Already created.");
        return false;
    }
    LDisplayGroup* inner = L_NEW LDisplayGroup();
    if (inner == nullptr) {
        return false;
    }
    inner->SetId(LString("tooltipgroup"));
    if (!AddMember(inner, true)) {
        delete inner;
        return false;
    }
    mInner = inner;
    mFont = aFont;
    LTextArea* text = L_NEW LTextArea();
    if (text != nullptr) {
        text->SetId(LString("tooltiptext"));
        text->Create(aFont);
        text->SetWrap(false);
        text->SetMultiLine(false);
        text->SetLineHeight(28.0f);
        text->SetPosition(2.0f, 2.0f);
        if (mInner->AddMember(text, true)) {
            mTextArea = text;
        } else {
            delete text;
        }
    }
    return true;
}

void LToolTip::SizeBackground()
{
    if (mBackground == nullptr || mFont == nullptr) {
        return;
    }
    const float width = mFont->GetTextWidth(mText);
    const float height = mFont->GetRowHeight();
    mBackground->SetRect(LRectangle(0.0f, 0.0f, width + 4.0f, height + 4.0f));
}

void LToolTip::SetText(const LString& aText)
{
    mText = aText;
    if (mTextArea != nullptr) {
        mTextArea->SetText(aText);
    }
    SizeBackground();
}

bool LToolTip::MakeBackground()
{
    if (mBackground != nullptr) {
        return true;
    }
    if (mInner == nullptr) {
        return false;
    }
    LSRectangle* background = L_NEW LSRectangle();
    if (background == nullptr) {
        return false;
    }
    background->SetId(LString("tooltip_bg"));
    background->SetRelativeZ(-10.0f);
    mBackground = background;
    SizeBackground();
    if (!mInner->AddMember(background, true)) {
        delete background;
        mBackground = nullptr;
        return false;
    }
    return true;
}

void LToolTip::SetFillColor(const LColor& aColor)
{
    if (MakeBackground()) {
        mBackground->SetFillColor(aColor);
        mBackground->SetFilled(true);
        mBackground->InvalidateShape();
    }
}

void LToolTip::SetStrokeColor(const LColor& aColor)
{
    if (MakeBackground()) {
        mBackground->SetStrokeColor(aColor);
        mBackground->SetStroked(true);
        mBackground->InvalidateShape();
    }
}

int LToolTip::SetFadeLength(float aSeconds)
{
    if (mFadingIn || mFadingOut) {
        L_ERROR("SetFadeLength failure. Currently fading.");
        return 0;
    }
    mFadeLength = aSeconds;
    return 1;
}

void LToolTip::Reverse(double aNow)
{
    double elapsed = aNow - mStartTime;
    if (elapsed > mFadeLength) {
        elapsed = mFadeLength;
    }
    mEndTime = aNow + elapsed;
    mStartTime = mEndTime - mFadeLength;
}

int LToolTip::FadeIn()
{
    if (mFadingIn) {
        L_ERROR("FadeIn failure. Already fading in.");
        return 0;
    }
    mFadingIn = true;
    SetVisible(true);
    const double now = Now();
    if (mFadingOut) {
        mFadingOut = false;
        Reverse(now);
        return 1;
    }
    SetBlend(0.0f);
    mStartTime = now;
    mEndTime = mStartTime + mFadeLength;
    StartListening();
    return 1;
}

int LToolTip::FadeOut()
{
    if (!IsVisible()) {
        return 1;
    }
    if (mFadingOut) {
        L_ERROR("FadeOut failure. Already fading out.");
        return 0;
    }
    mFadingOut = true;
    const double now = Now();
    if (mFadingIn) {
        mFadingIn = false;
        Reverse(now);
        return 1;
    }
    mStartTime = now;
    mEndTime = mStartTime + mFadeLength;
    StartListening();
    return 1;
}

void LToolTip::Hide()
{
    mFadingIn = false;
    mFadingOut = false;
    StopListening();
    SetVisible(false);
}

void LToolTip::OnFrame()
{
    const double now = Now();
    if (now < mEndTime && mFadeLength > 0.0f) {
        float blend = static_cast<float>((now - mStartTime) / mFadeLength);
        if (mFadingOut) {
            blend = 1.0f - blend;
        }
        mFadeBlend = blend;
    } else {
        if (mFadingIn) {
            mFadeBlend = 1.0f;
            mFadingIn = false;
        } else if (mFadingOut) {
            mFadeBlend = 0.0f;
            SetVisible(false);
            mFadingOut = false;
        } else {
            L_ERROR("Logic error! Invalid code path.");
        }
        StopListening();
    }
    SetBlend(mFadeBlend);
}

void LToolTip::KeepOnScreen()
{
    if (mTextArea == nullptr) {
        return;
    }
    GetWorldMatrix();
    const LRectangle extent = mTextArea->GetTextExtent();
    LRenderer* renderer = LRenderer::Get();
    const LRectangle screen = renderer != nullptr ? renderer->GetScreenRect() : LRectangle(0.0f, 0.0f, 800.0f, 600.0f);
    float x = mPosition.x;
    float y = mPosition.y;
    if (x + extent.GetWidth() > screen.GetX() + screen.GetWidth()) {
        x = screen.GetX() + screen.GetWidth() - extent.GetWidth();
    } else if (x < screen.GetX()) {
        x = screen.GetX();
    }
    if (y + extent.GetHeight() > screen.GetY() + screen.GetHeight()) {
        y = screen.GetY() + screen.GetHeight() - extent.GetHeight();
    } else if (y < screen.GetY()) {
        y = screen.GetY();
    }
    SetPosition(x, y);
}
