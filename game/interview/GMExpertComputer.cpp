#include "interview/GMExpertComputer.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFader.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "container/LFloat.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "interview/GMExpertInterview.h"
#include "memory/LMemoryManager.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "time/LITimer.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMTextureRoot.h"

namespace {

GMSingleton<GMExpertComputer> sComputer;

const char* const kLayoutFile = "//textures/expertcomputer/interface_layout.txt";
const char* const kIconFile = "//textures/expertcomputer/icons_results.txt";
const char* const kTextureRoot = "//textures/expertcomputer";
const char* const kExpertLists[] = {"experts.crimelab", "experts.research", "experts.surveillance"};
const char* const kFont = "OCRA18";
constexpr float kFieldZ = 10.0f;
constexpr float kIconZ = 10.0f;
// The icon's box.
constexpr float kIconBoxX = 530.0f;
constexpr float kIconBoxY = 175.0f;
constexpr float kIconBoxWidth = 200.0f;
constexpr float kIconBoxHeight = 160.0f;
// Where the surveillance desk's "lines" stand.
constexpr float kSurveillanceLinesX = 532.0f;
constexpr float kSurveillanceLinesY = 177.0f;

// The fields by kind: id, position for kinds 0 and 1, for kind 2, width for kinds 0 and
// 1, for kind 2, and whether they wrap over several lines.
struct FieldSpec
{
    const char* mId;
    float mX;
    float mY;
    float mX2;
    float mY2;
    float mWidth;
    float mWidth2;
    bool mWrap;
};
const FieldSpec kFields[GMExpertComputer::FIELD_COUNT] = {
    {"itemField", 267.0f, 199.0f, 267.0f, 199.0f, 227.0f, 227.0f, true},
    {"locationField", 267.0f, 276.0f, 267.0f, 276.0f, 227.0f, 227.0f, true},
    {"nameField", 267.0f, 200.0f, 254.0f, 204.0f, 225.0f, 239.0f, false},
    {"ageField", 267.0f, 252.0f, 254.0f, 256.0f, 225.0f, 239.0f, false},
    {"occupationField", 267.0f, 301.0f, 254.0f, 305.0f, 225.0f, 239.0f, false},
};

LString Text(const LPropertyList* aList, const char* aKey, bool& aFound)
{
    aFound = false;
    return aList != nullptr ? aList->GetString(LString(aKey), aFound) : LString();
}

// The subtitle text of the info's aKey, or empty.
LString SubtitleOf(const LPropertyList* aInfo, const char* aKey, const LPropertyList* aSubtitles)
{
    bool found = false;
    const LString key = Text(aInfo, aKey, found);
    if (!found || aSubtitles == nullptr) {
        return LString();
    }
    const LString text = aSubtitles->GetString(key, found);
    return found ? text : LString();
}

void SetShown(LIDisplayObject* aObject, bool aShown)
{
    if (aObject != nullptr) {
        aObject->SetVisible(aShown);
    }
}

} // namespace

GMExpertComputer* GMExpertComputer::GetInstance()
{
    return sComputer.Get(L_FILE, __LINE__, "GMExpertComputer creation failure.");
}

GMExpertComputer* GMExpertComputer::Peek()
{
    return sComputer.Peek();
}

GMExpertComputer::GMExpertComputer() = default;

GMExpertComputer::~GMExpertComputer()
{
    if (mRoot != nullptr) {
        OnHidden();
    }
    if (mListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    sComputer.Destroyed(this);
}

LString GMExpertComputer::Dump() const
{
    return DumpHead("GMExpertComputer") + "]";
}

double GMExpertComputer::Now()
{
    return LITimer::Now();
}

double GMExpertComputer::NextDelay(int aModulo)
{
    return static_cast<double>(LRandom::Next() % aModulo);
}

LTextArea* GMExpertComputer::GetField(int aField) const
{
    return aField >= 0 && aField < FIELD_COUNT ? mFields[aField] : nullptr;
}

LSprite* GMExpertComputer::GetAnimation(int aIndex) const
{
    return aIndex >= 0 && aIndex < kAnimationCount ? mAnimations[aIndex] : nullptr;
}

bool GMExpertComputer::Open(int aKind, GMExpertInterview* aInterview)
{
    mKind = aKind;
    mInterview = aInterview;
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr) {
        return false;
    }
    // Still on the stack (an interview that ended without closing it): shown again for
    // this one rather than pushed twice.
    if (screens->IndexOf(this) >= 0) {
        if (mRoot != nullptr) {
            OnShow();
        }
        return true;
    }
    return screens->PushFade(this);
}

bool GMExpertComputer::IsOpening() const
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    return mRoot == nullptr && screens != nullptr && screens->IndexOf(const_cast<GMExpertComputer*>(this)) >= 0;
}

void GMExpertComputer::ForgetInterview(GMExpertInterview* aInterview)
{
    if (mInterview == aInterview) {
        mInterview = nullptr;
    }
}

// --- Showing, building and hiding.

void GMExpertComputer::OnLeave()
{
}

void GMExpertComputer::OnShow()
{
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    Build();
    if (LDisplayGroup* notepad = mInterview != nullptr ? mInterview->GetNotepad() : nullptr) {
        notepad->SetPosition(kNotepadX, kNotepadY);
        notepad->SetActive(true);
    }
}

LIDisplayObject* GMExpertComputer::BuildPart(LPropertyList* aExpert, const char* aKey)
{
    LPropertyList* entry = aExpert != nullptr ? aExpert->GetList(LString(aKey)) : nullptr;
    if (entry == nullptr) {
        return nullptr;
    }
    LIDisplayObject* part = LLayoutBuilder::BuildSprite(entry);
    if (part != nullptr && !mRoot->AddMember(part, true)) {
        delete part;
        part = nullptr;
    }
    return part;
}

void GMExpertComputer::Build()
{
    if (mRoot != nullptr) {
        OnHidden();
    }
    LRandom::SeedFromTime();
    LPropertyList layout;
    if (!layout.Load(LString(kLayoutFile), true)) {
        L_ERROR("Build failure. Layout not loaded.");
    }
    const bool known = mKind >= 0 && mKind < 3;
    LPropertyList* expert = known ? layout.GetList(LString(kExpertLists[mKind])) : nullptr;
    if (expert == nullptr) {
        L_ASSERT_FAILURE("Build failure. No layout for the expert kind.");
    }
    mRoot = L_NEW LDisplayGroup();
    mRoot->SetId(LString("expertComputer"));
    {
        GMTextureRoot root {LString(kTextureRoot)};
        BuildPart(expert, "background");
        BuildPart(expert, "itemdisplay");
        mProfile = BuildPart(expert, "profile");
        mEvidence = BuildPart(expert, "evidence");
        BuildFields();
        const double now = Now();
        BuildAnimations(expert, now);
        LPropertyList* lines = expert != nullptr ? expert->GetList(LString("lines")) : nullptr;
        mLines = lines != nullptr ? LLayoutBuilder::BuildSprite(lines) : nullptr;
        if (mLines != nullptr) {
            mLines->SetVisible(false);
            mLines->SetBlend(kLinesBlend);
            if (mKind == 2) {
                mLines->SetPosition(kSurveillanceLinesX, kSurveillanceLinesY);
            }
            if (!mRoot->AddMember(mLines, true)) {
                delete mLines;
                mLines = nullptr;
            }
        }
        mLastTick = now;
    }
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->AddMember(mRoot);
    }
    if (!mListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            mListening = frames->AddListener(this, 0.0f) != 0;
        }
    }
}

void GMExpertComputer::BuildFields()
{
    const bool surveillance = mKind == 2;
    for (int i = 0; i < FIELD_COUNT; ++i) {
        const FieldSpec& spec = kFields[i];
        auto* field = L_NEW LTextArea();
        field->SetId(LString(spec.mId));
        field->Create(LString(kFont));
        field->SetRelativeZ(kFieldZ);
        field->SetPosition(surveillance ? spec.mX2 : spec.mX, surveillance ? spec.mY2 : spec.mY);
        field->SetWidth(surveillance ? spec.mWidth2 : spec.mWidth);
        field->SetWrap(spec.mWrap);
        field->SetMultiLine(spec.mWrap);
        if (!mRoot->AddMember(field, true)) {
            delete field;
            field = nullptr;
        }
        mFields[i] = field;
    }
}

void GMExpertComputer::BuildAnimations(LPropertyList* aExpert, double aNow)
{
    LPropertyList* animations = aExpert != nullptr ? aExpert->GetList(LString("animations")) : nullptr;
    for (int i = 0; i < kAnimationCount; ++i) {
        mFadingIn[i] = false;
        mFadingOut[i] = false;
        mBlends[i] = 0.0f;
        mNextTimes[i] = -1.0;
        LPropertyList* entry = animations != nullptr && i < animations->GetCount() ? animations->GetListAt(i) : nullptr;
        LSprite* sprite = entry != nullptr ? LLayoutBuilder::BuildSprite(entry) : nullptr;
        if (sprite != nullptr) {
            sprite->SetVisible(false);
            sprite->SetBlend(0.0f);
            if (!mRoot->AddMember(sprite, true)) {
                delete sprite;
                sprite = nullptr;
            }
        }
        mAnimations[i] = sprite;
        if (sprite != nullptr) {
            mNextTimes[i] = aNow + NextDelay(4);
        }
    }
}

void GMExpertComputer::OnHidden()
{
    if (mListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mListening = false;
    }
    for (LTextArea*& field : mFields) {
        field = nullptr;
    }
    for (LSprite*& sprite : mAnimations) {
        sprite = nullptr;
    }
    mProfile = nullptr;
    mEvidence = nullptr;
    mIcon = nullptr;
    mLines = nullptr;
    mTyping = false;
    mCurrentField = FIELD_NONE;
    if (mRoot != nullptr) {
        if (LDisplayGroup* parent = mRoot->GetGroup()) {
            parent->RemoveMember(mRoot);
        }
        delete mRoot;
        mRoot = nullptr;
    }
}

// --- Profiles.

void GMExpertComputer::ShowInfo(LPropertyList* aInfo, LPropertyList* aSubtitles)
{
    for (LTextArea* field : mFields) {
        if (field != nullptr) {
            field->SetText(LString());
        }
    }
    for (LString& text : mTexts) {
        text.Clear();
    }
    bool found = false;
    const LString type = Text(aInfo, "type", found);
    const bool evidence = type.EqualsNoCase(LString("evidence"));
    if (evidence) {
        mTexts[FIELD_ITEM] = SubtitleOf(aInfo, "name", aSubtitles);
        mTexts[FIELD_LOCATION] = SubtitleOf(aInfo, "collected", aSubtitles);
        mCurrentField = FIELD_ITEM;
    } else {
        mTexts[FIELD_NAME] = SubtitleOf(aInfo, "name", aSubtitles);
        mTexts[FIELD_AGE] = SubtitleOf(aInfo, "age", aSubtitles);
        mTexts[FIELD_OCCUPATION] = SubtitleOf(aInfo, "occupation", aSubtitles);
        mCurrentField = FIELD_NAME;
    }
    SetShown(mProfile, !evidence);
    SetShown(mEvidence, evidence);
    mCurrentText = mTexts[mCurrentField];
    mTyped = 0;
    mTyping = true;
    mNextCharacter = Now() + NextDelay(300) * 0.001;
    ReplaceIcon(aInfo);
    const LString item = Text(aInfo, "item", found);
    if (found && !item.IsEmpty()) {
        GMPDA* pda = GMPDA::GetInstance();
        GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
        if (inventory == nullptr || !inventory->AddItem(item)) {
            L_ERROR("ShowInfo failure. Item not added: " + item);
        }
    }
}

void GMExpertComputer::ReplaceIcon(LPropertyList* aInfo)
{
    if (mIcon != nullptr) {
        if (LDisplayGroup* parent = mIcon->GetGroup()) {
            parent->RemoveMember(mIcon);
        }
        delete mIcon;
        mIcon = nullptr;
    }
    bool found = false;
    const LString image = Text(aInfo, "image", found);
    if (!found || mRoot == nullptr) {
        return;
    }
    LPropertyList icons;
    if (!icons.Load(LString(kIconFile), true)) {
        L_ERROR("ShowInfo failure. Icon list not loaded.");
        return;
    }
    LPropertyList* entry = icons.GetList(image);
    if (entry == nullptr) {
        return;
    }
    LSprite* icon = nullptr;
    {
        GMTextureRoot root {LString(kTextureRoot)};
        icon = LLayoutBuilder::BuildSprite(entry);
    }
    if (icon == nullptr) {
        return;
    }
    icon->SetRelativeZ(kIconZ);
    LVectorString corners;
    entry->GetString(LString("texturecoords"), found).Split(LString("|"), &corners);
    if (corners.GetCount() >= 4) {
        const float left = LFloat(corners.GetRef(0)).mValue;
        const float top = LFloat(corners.GetRef(1)).mValue;
        const float right = LFloat(corners.GetRef(2)).mValue;
        const float bottom = LFloat(corners.GetRef(3)).mValue;
        icon->SetPosition((kIconBoxWidth - (right - left)) * 0.5f + kIconBoxX,
                          (kIconBoxHeight - (bottom - top)) * 0.5f + kIconBoxY);
    }
    if (!mRoot->AddMember(icon, true)) {
        delete icon;
        return;
    }
    mIcon = icon;
    SetShown(mLines, true);
}

// --- The frame: blinking and typing.

void GMExpertComputer::OnFrame()
{
    const double now = Now();
    if (now - mLastTick > kStepTime) {
        StepAnimations(now);
        mLastTick = now;
    }
    if (mTyping && now >= mNextCharacter) {
        TypeNext(now);
    }
}

void GMExpertComputer::StepAnimations(double aNow)
{
    for (int i = 0; i < kAnimationCount; ++i) {
        LSprite* sprite = mAnimations[i];
        if (sprite == nullptr) {
            continue;
        }
        if (mFadingIn[i]) {
            mBlends[i] += kBlendStep;
            if (mBlends[i] >= 1.0f) {
                mBlends[i] = 1.0f;
                mFadingIn[i] = false;
                mNextTimes[i] = aNow + NextDelay(3) + 1.0;
            }
            sprite->SetBlend(mBlends[i]);
        } else if (mFadingOut[i]) {
            mBlends[i] -= kBlendStep;
            if (mBlends[i] <= 0.0f) {
                mBlends[i] = 0.0f;
                mFadingOut[i] = false;
                sprite->SetVisible(false);
                mNextTimes[i] = aNow + NextDelay(3) + 1.0;
            }
            sprite->SetBlend(mBlends[i]);
        }
    }
    for (int i = 0; i < kAnimationCount; ++i) {
        LSprite* sprite = mAnimations[i];
        if (sprite == nullptr || mNextTimes[i] <= 0.0 || aNow < mNextTimes[i]) {
            continue;
        }
        mNextTimes[i] = -1.0;
        if (sprite->GetVisible()) {
            mBlends[i] = 1.0f;
            mFadingOut[i] = true;
        } else {
            mBlends[i] = 0.0f;
            sprite->SetBlend(0.0f);
            sprite->SetVisible(true);
            mFadingIn[i] = true;
        }
    }
}

void GMExpertComputer::TypeNext(double aNow)
{
    ++mTyped;
    if (mTyped > mCurrentText.GetLength()) {
        int next = FIELD_NONE;
        if (mCurrentField == FIELD_ITEM) {
            next = FIELD_LOCATION;
        } else if (mCurrentField == FIELD_NAME) {
            next = FIELD_AGE;
        } else if (mCurrentField == FIELD_AGE) {
            next = FIELD_OCCUPATION;
        }
        if (next == FIELD_NONE) {
            mTyping = false;
            return;
        }
        mCurrentField = next;
        mCurrentText = mTexts[next];
        mTyped = 0;
    } else if (LTextArea* field = GetField(mCurrentField)) {
        field->SetText(mCurrentText.Mid(0, mTyped, 0));
    }
    mNextCharacter = aNow + NextDelay(300) * 0.001;
}

// --- Closing.

bool GMExpertComputer::Close()
{
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (mRoot == nullptr || fader == nullptr) {
        return false;
    }
    // Exit clicked while the computer still fades in: the close waits for that change of
    // screen to end (the interview has given up its input already).
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->IsBusy()) {
        return screens->WhenIdle(this, [this] {
            if (!Close() && mInterview != nullptr) {
                mInterview->Exit();
            }
        });
    }
    if (!fader->SetListener(this)) {
        return false;
    }
    mClosing = true;
    return fader->FadeOut();
}

void GMExpertComputer::OnFade(int aEvent)
{
    if (!mClosing || aEvent != LFader::kFinished) {
        return;
    }
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (mRoot != nullptr) {
        // Black: the computer goes and the screen below comes back.
        OnHidden();
        if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
            screens->RemoveScreen(this);
            if (GMIScreen* top = screens->GetTop()) {
                top->OnShow();
            }
        }
        if (fader != nullptr) {
            fader->FadeIn();
        }
        return;
    }
    // The picture is back: the interview leaves.
    mClosing = false;
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    if (mInterview != nullptr) {
        mInterview->Exit();
    }
}

void GMExpertComputer::OnButton(const LString&, int)
{
}
