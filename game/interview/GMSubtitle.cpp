#include "interview/GMSubtitle.h"

#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Render/LTextureManager.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

namespace {

GMSingleton<GMSubtitle> sSubtitle;

// Options toggle 0 turns subtitles off.
constexpr int kNoSubtitles = 0;
constexpr float kFadeTime = 0.3f;
constexpr float kBackgroundBlend = 0.4f;
constexpr float kTextBlend = 1.0f;
constexpr float kCreatedZ = 1000.0f;
constexpr float kShownZ = 1100.0f;
constexpr float kLineWidth = 760.0f;
constexpr float kLineHeight = 20.0f;
constexpr float kAppendedY = 40.0f;

const char16_t* const kTextFaderId = u"text";

} // namespace

GMSubtitle* GMSubtitle::GetInstance()
{
    const bool made = sSubtitle.Peek() == nullptr && !sSubtitle.IsDestroyed();
    GMSubtitle* subtitle = sSubtitle.Get(L_FILE, __LINE__, "GMSubtitle creation failure.");
    if (made && subtitle != nullptr) {
        subtitle->SetId(LString(u"subtitle"));
        subtitle->Build();
        subtitle->SetRelativeZ(kCreatedZ);
    }
    return subtitle;
}

GMSubtitle::GMSubtitle() = default;

GMSubtitle::~GMSubtitle()
{
    delete mBackground;
    mBackground = nullptr;
    DropLine(&mMainLine);
    DropLine(&mAppendedLine);
    delete mTextGroup;
    mTextGroup = nullptr;
    sSubtitle.Destroyed(this);
    // The faders leave the frame manager in their own destructors.
}

LString GMSubtitle::Dump() const
{
    return DumpHead("GMSubtitle") + "]";
}

bool GMSubtitle::Build()
{
    // The strip itself.
    bool ok = SetBlend(1.0f);
    ok = SetVisible(false) && ok;
    ok = SetRelativeZ(kShownZ) && ok;
    LDisplayManager* display = LDisplayManager::Get();
    ok = display != nullptr && display->AddMember(this) && ok;
    if (!ok) {
        return false;
    }

    // The background: a 16 x 16 picture stretched over 800 x 100. It is always the one
    // under the textures mount, whatever the texture root is now.
    LTextureManager* textures = LTextureManager::Get();
    const uint32_t texture = textures != nullptr ? textures->CreateTexture(LString(u"//textures/subtitleBG.tga")) : 0;
    ok = texture != 0;
    LSprite* sprite = L_NEW LSprite();
    mBackground = L_NEW LDisplayGroup();
    if (sprite == nullptr || mBackground == nullptr) {
        delete sprite;
        return false;
    }
    const LVector2 first(0.0f, 0.0f);
    const LVector2 last(15.0f, 15.0f); // the last pixel: the whole 16 x 16 picture
    ok = sprite->SetId(LString(u"bgSprite")) && ok;
    ok = sprite->SetTexture(texture, &first, &last) && ok;
    ok = sprite->SetPosition(0.0f, 0.0f) && ok;
    ok = sprite->SetScale(50.0f, 6.25f) && ok;
    ok = mBackground->SetId(LString(u"bkgGroup")) && ok;
    if (!mBackground->AddMember(sprite, true)) {
        delete sprite;
        ok = false;
    }
    ok = AddMember(mBackground, true) && ok;
    if (!ok) {
        return false;
    }

    // The text group.
    mTextGroup = L_NEW LDisplayGroup();
    if (mTextGroup == nullptr) {
        return false;
    }
    ok = mTextGroup->SetId(LString(u"textGroup"));
    ok = mTextGroup->SetPosition(20.0f, 10.0f) && ok;
    ok = AddMember(mTextGroup, true) && ok;
    mMainLine = nullptr;
    if (!ok) {
        return false;
    }

    // The faders.
    ok = mBackgroundFader.SetFadeTime(kFadeTime);
    ok = mBackgroundFader.SetGroup(mBackground) && ok;
    ok = mTextFader.SetFadeTime(kFadeTime) && ok;
    ok = mTextFader.SetGroup(mTextGroup) && ok;
    ok = mTextFader.SetListener(LString(kTextFaderId), this) && ok;
    return ok;
}

void GMSubtitle::DropLine(LTextArea** aLine)
{
    if (*aLine == nullptr) {
        return;
    }
    if (mTextGroup != nullptr) {
        mTextGroup->RemoveMember(*aLine);
    }
    delete *aLine;
    *aLine = nullptr;
}

void GMSubtitle::PutLine(LTextArea** aLine, const LString& aId, float aY, const LString& aText, LIFont* aFont)
{
    DropLine(aLine);
    LTextArea* line = L_NEW LTextArea();
    if (line == nullptr) {
        L_ASSERT_FAILURE("");
        return;
    }
    line->SetId(aId);
    line->Create(aFont);
    line->SetWidth(kLineWidth);
    line->SetText(aText);
    line->SetWrap(true);
    line->SetMultiLine(true);
    line->SetLineHeight(kLineHeight);
    line->SetPosition(0.0f, aY);
    if (mTextGroup == nullptr || !mTextGroup->AddMember(line, true)) {
        L_ASSERT_FAILURE("");
        delete line;
        return;
    }
    *aLine = line;
}

bool GMSubtitle::SetText(const LString& aText, LIFont* aFont)
{
    DropLine(&mAppendedLine);
    PutLine(&mMainLine, LString(u"subtitle"), 0.0f, aText, aFont);
    UpdateAll();
    return true;
}

bool GMSubtitle::AppendText(const LString& aText, LIFont* aFont)
{
    PutLine(&mAppendedLine, LString(u"subtitle_appended"), kAppendedY, aText, aFont);
    UpdateAll();
    return true;
}

void GMSubtitle::Fade(LFader& aFader, float aFrom, float aTo, int aDirection)
{
    aFader.SetValue(aFrom);
    aFader.SetTargetValue(aTo);
    aFader.SetDirection(aDirection);
}

bool GMSubtitle::Show()
{
    GMOptions* options = GMOptions::GetInstance();
    if (options != nullptr && options->GetToggle(kNoSubtitles) != 0) {
        return true;
    }
    mShowing = true;
    SetVisible(true);
    SetRelativeZ(kShownZ);
    // Stopping a running text fade reports it stopped while showing: shown at once.
    mBackgroundFader.StopFade();
    Fade(mBackgroundFader, 0.0f, kBackgroundBlend, 1);
    mBackgroundFader.StartFade();
    mTextFader.StopFade();
    Fade(mTextFader, 0.0f, kTextBlend, 1);
    mTextFader.StartFade();
    return true;
}

bool GMSubtitle::FadeOut()
{
    if (mSkipNextFadeOut) {
        mSkipNextFadeOut = false;
        return true;
    }
    mShowing = false;
    // A fade under way is not restarted: it takes these values and ends as a fade-out.
    Fade(mBackgroundFader, kBackgroundBlend, 0.0f, -1);
    mBackgroundFader.StartFade();
    Fade(mTextFader, kTextBlend, 0.0f, -1);
    return mTextFader.StartFade() != 0;
}

void GMSubtitle::Hide()
{
    // A fade left running would end with the strip marked shown while it stays hidden,
    // and users only call Show while it is not shown: the faders stop here.
    mShowing = false;
    mBackgroundFader.StopFade();
    mTextFader.StopFade();
    mShown = false;
    SetVisible(false);
}

void GMSubtitle::OnFaderEvent(const LString& aFaderId, int aEvent)
{
    if (!aFaderId.EqualsNoCase(LString(kTextFaderId)) || (aEvent != LFader::kStopped && aEvent != LFader::kFinished)) {
        return;
    }
    if (mShowing) {
        mShown = true;
    } else {
        mShown = false;
        SetVisible(false);
    }
}
