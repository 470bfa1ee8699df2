#include "pda/GMPhoneMessagesPanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "interview/GMVoicedLine.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDAMinimized.h"
#include "pda/GMPhone.h"
#include "stdlib/LLog.h"
#include "util/GMTextureRoot.h"

#include <initializer_list>

namespace {

const char* const kTextureRoot = "//textures/pda";
const char* const kSubtitlesPath = "//textures/pda/phone_messages_subtitles.txt";
const char* const kFont = "LucindaSans10";
const char* const kSubtitleFont = "TW_CEN_MT16_BLUE";
const char* const kSoundId = "phone_message";
const char* const kButtons[] = {"listen_yes", "listen_no"};
constexpr float kTextZ = 10.0f;
constexpr int kAllIcons = 3;

LTextArea* MakeText(const char* aId, const LString& aText, float aY)
{
    LTextArea* text = L_NEW LTextArea();
    if (text == nullptr) {
        return nullptr;
    }
    text->SetId(LString(aId));
    text->Create(LString(kFont));
    text->SetWrap(true);
    text->SetMultiLine(false);
    text->SetWidth(150.0f);
    text->SetText(aText);
    text->SetPosition(223.0f, aY);
    text->SetRelativeZ(kTextZ);
    return text;
}

// Takes the strip away: faded out when it stands shown, at once while its fade-in is still
// under way (a fade cannot start over a running one; the next Show fades in from nothing
// all the same), untouched when it is already fading out or hidden.
void TakeSubtitleAway(GMSubtitle* aSubtitle)
{
    if (aSubtitle == nullptr || !aSubtitle->IsShowing()) {
        return;
    }
    if (aSubtitle->IsFading()) {
        aSubtitle->Hide();
    } else {
        aSubtitle->FadeOut();
    }
}

LIFont* SubtitleFont()
{
    // Font ids are looked up under the texture root the fonts were made with.
    GMTextureRoot root{LString("//textures")};
    LFontManager* fonts = LFontManager::Get();
    return fonts != nullptr ? fonts->GetFont(LString(kSubtitleFont)) : nullptr;
}

} // namespace

GMPhoneMessagesPanel::GMPhoneMessagesPanel() = default;

GMPhoneMessagesPanel::~GMPhoneMessagesPanel()
{
    LKeyboard* keyboard = LKeyboard::Get();
    if (keyboard != nullptr && keyboard->Contains(this)) {
        keyboard->RemoveListener(this);
    }
    StopSound();
    delete mPromptGroup;
    mPromptGroup = nullptr;
    mCountText = nullptr;
    mPromptText = nullptr;
    delete mSubtitles;
    mSubtitles = nullptr;
}

LString GMPhoneMessagesPanel::Dump() const
{
    return DumpHead("GMPhoneMessagesPanel") + "]";
}

bool GMPhoneMessagesPanel::Create(LPropertyList* aLayout)
{
    mLayout = aLayout;
    LPropertyList* prompt = mLayout != nullptr ? mLayout->GetList(LString("groups.g05-messages_prompt")) : nullptr;
    {
        GMTextureRoot root{LString(kTextureRoot)};
        mPromptGroup = prompt != nullptr ? LLayoutBuilder::BuildGroup(prompt, true) : nullptr;
    }
    if (mPromptGroup == nullptr) {
        L_ASSERT_FAILURE("'groups.g05-messages_prompt' not built.");
    }
    for (const char* id : kButtons) {
        auto* button = mPromptGroup != nullptr ? dynamic_cast<LButton*>(mPromptGroup->GetMember(LString(id))) : nullptr;
        if (button == nullptr) {
            L_ASSERT_FAILURE("");
            continue;
        }
        button->SetListener(this);
        button->SetActive(false);
    }
    mSubtitles = L_NEW LPropertyList();
    if (mSubtitles != nullptr && !mSubtitles->Load(LString(kSubtitlesPath), true)) {
        L_ASSERT_FAILURE(LString("Phone subtitles not loaded: ") + kSubtitlesPath);
    }
    bool found = false;
    const LString promptText =
        mSubtitles != nullptr ? mSubtitles->GetString(LString("listen_prompt"), found) : LString();
    if (!found) {
        L_ASSERT_FAILURE("");
    }
    mCountText = MakeText("text_messagecount", LString(), 130.0f);
    mPromptText = MakeText("text_prompt", promptText, 145.0f);
    for (LTextArea** text : {&mCountText, &mPromptText}) {
        if (*text != nullptr && (mPromptGroup == nullptr || !mPromptGroup->AddMember(*text, true))) {
            delete *text;
            *text = nullptr;
        }
    }
    return true;
}

void GMPhoneMessagesPanel::SetButtonsActive(bool aActive)
{
    for (const char* id : kButtons) {
        LIDisplayObject* button = mPromptGroup != nullptr ? mPromptGroup->GetMember(LString(id)) : nullptr;
        if (button != nullptr) {
            button->SetActive(aActive);
        }
    }
}

void GMPhoneMessagesPanel::ShowCount(int aCount)
{
    if (mCountText != nullptr) {
        mCountText->SetText(LString("You have ") + aCount + " New Messages");
    }
    if (mPromptText != nullptr) {
        mPromptText->SetVisible(false);
    }
}

void GMPhoneMessagesPanel::Show()
{
    GMPhone* phone = GMPhone::GetInstance();
    const int count = phone != nullptr ? phone->GetPendingCount() : 0;
    ShowCount(count);
    if (count >= 1 && mPromptText != nullptr) {
        mPromptText->SetVisible(true);
    }
    SetButtonsActive(count >= 1);
    if (mPromptGroup != nullptr) {
        mPromptGroup->SetActive(true);
        mPromptGroup->UpdateAll();
    }
    LKeyboard* keyboard = LKeyboard::Get();
    if (keyboard != nullptr && !keyboard->Contains(this)) {
        keyboard->AddListener(this, 0.0f);
    }
}

void GMPhoneMessagesPanel::TakeSubtitle()
{
    // Only a line of ours: the strip may be another's (or not made at all).
    if (mSubtitleShown) {
        mSubtitleShown = false;
        TakeSubtitleAway(GMSubtitle::GetInstance());
    }
}

LISoundPlayer* GMPhoneMessagesPanel::GetSound() const
{
    return mLine != nullptr ? mLine->GetSound() : nullptr;
}

void GMPhoneMessagesPanel::StopSound()
{
    // Also from inside the line's own end notice.
    delete mLine;
    mLine = nullptr;
    mPlaying = false;
}

void GMPhoneMessagesPanel::Hide()
{
    LKeyboard* keyboard = LKeyboard::Get();
    if (keyboard != nullptr && keyboard->Contains(this)) {
        keyboard->RemoveListener(this);
    }
    StopSound();
    TakeSubtitle();
    if (mPromptGroup != nullptr) {
        mPromptGroup->SetActive(false);
    }
}

void GMPhoneMessagesPanel::PlayNext()
{
    TakeSubtitle();
    StopSound();
    GMPhone* phone = GMPhone::GetInstance();
    const int count = phone != nullptr ? phone->GetPendingCount() : 0;
    ShowCount(count);
    if (count < 1) {
        if (GMPDAMinimized* bar = GMPDAMinimized::Peek()) {
            bar->StopFlash(kAllIcons);
        }
        return;
    }
    LPropertyList* message = phone->PopMessage();
    bool found = false;
    const LString audio = message != nullptr ? message->GetString(LString("audio"), found) : LString();
    if (!found) {
        L_ERROR("PlayNext failure. Message without audio.");
        return;
    }
    auto* line = L_NEW GMVoicedLine(this);
    if (line == nullptr) {
        return;
    }
    line->SetStream(LString(kSoundId), "//dataroot/sounds/" + audio);
    line->SetQuietFailure(true);
    if (!line->Play()) {
        delete line;
        return;
    }
    mLine = line;
    mPlaying = true;
    const LString played = message->GetString(LString("playedevent"), found);
    if (found) {
        if (LEventManager* events = LEventManager::Get()) {
            events->AddEvent(played, true);
        }
    }
    // The strip is the panel's own: its text comes from the phone's subtitles and it is
    // taken away as the next message starts.
    const LString key = message->GetString(LString("subtitle"), found);
    const LString text = found && mSubtitles != nullptr ? mSubtitles->GetString(key, found) : LString();
    GMSubtitle* subtitle = found ? GMSubtitle::GetInstance() : nullptr;
    if (subtitle != nullptr) {
        mSubtitleShown = true;
        subtitle->SetText(text, SubtitleFont());
        subtitle->SetPosition(0.0f, 500.0f);
        subtitle->Show();
    }
}

void GMPhoneMessagesPanel::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId == LString("listen_yes")) {
        SetButtonsActive(false);
        PlayNext();
    } else if (aId == LString("listen_no") && mPromptGroup != nullptr) {
        mPromptGroup->SetActive(false);
    }
}

void GMPhoneMessagesPanel::OnLineEnded(GMVoicedLine*)
{
    PlayNext();
}

void GMPhoneMessagesPanel::OnKeyDown(int aKey)
{
    if (aKey == kSpaceKey) {
        PlayNext();
    }
}
