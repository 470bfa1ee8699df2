#include "pda/GMPhoneDirectoryPanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAScrollContent.h"
#include "scene/GMCharacter.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "util/GMOptions.h"
#include "util/GMTextureRoot.h"

#include <initializer_list>

namespace {

const char* const kTextureRoot = "//textures/pda";
const char* const kFont = "LucindaSans10";
const char* const kRing = "//textures/pda/internal_ring2.ogg";
const char* const kContacts = "groups.g07-directory_content.case";
constexpr float kTextZ = 15.0f;
constexpr int kTakePhoneOut = 9;
constexpr int kPutPhoneAway = 10;
const LRectangle kListClip(169.0f, 100.0f, 248.0f, 122.0f);
const LRectangle kCallClip(0.0f, 0.0f, 512.0f, 256.0f);
const LVector2 kInterviewPosition(300.0f, 150.0f);

LDisplayGroup* PDAGroup()
{
    GMPDA* pda = GMPDA::GetInstance();
    return pda != nullptr ? pda->GetGroup() : nullptr;
}

LString StringOf(LPropertyList* aList, const char* aKey)
{
    bool found = false;
    return aList != nullptr ? aList->GetString(LString(aKey), found) : LString();
}

bool Holds(LPropertyList* aContact)
{
    bool found = false;
    const LString text = aContact != nullptr ? aContact->GetString(LString("enabled"), found) : LString();
    LScriptBuilder* builder = LScriptBuilder::Get();
    if (!found || builder == nullptr) {
        return false;
    }
    LScript script;
    return builder->BuildScript(text, &script) && script.Evaluate();
}

} // namespace

GMPhoneDirectoryPanel::GMPhoneDirectoryPanel() : mContent(L_NEW GMPDAScrollContent(LString("directory_content")))
{
}

GMPhoneDirectoryPanel::~GMPhoneDirectoryPanel()
{
    StopAnimation();
    // An interview still running must not tell a panel that is gone.
    GMInterviewManager* interviews = GMInterviewManager::Peek();
    if (mInterview != nullptr && interviews != nullptr && interviews->GetCurrentInterview() == mInterview &&
        mInterview->GetListener() == this) {
        mInterview->SetListener(nullptr);
    }
    mInterview = nullptr;
    delete mRing;
    mRing = nullptr;
    delete mContent;
    mContent = nullptr;
    delete mOverlay;
    mOverlay = nullptr;
    delete mGroup;
    mGroup = nullptr;
    mCallGroup = nullptr;
}

LString GMPhoneDirectoryPanel::Dump() const
{
    return DumpHead("GMPhoneDirectoryPanel") + "]";
}

LDisplayGroup* GMPhoneDirectoryPanel::GetContentGroup() const
{
    return mContent != nullptr ? mContent->GetGroup() : nullptr;
}

double GMPhoneDirectoryPanel::Now() const
{
    return LITimer::Now();
}

bool GMPhoneDirectoryPanel::Create(LPropertyList* aLayout)
{
    mLayout = aLayout;
    mGroup = L_NEW LDisplayGroup();
    if (mGroup != nullptr) {
        mGroup->SetId(LString("phone_directory"));
    }
    LPropertyList* overlay = mLayout != nullptr ? mLayout->GetList(LString("groups.g02-directory.overlay")) : nullptr;
    GMTextureRoot root{LString(kTextureRoot)};
    mOverlay = overlay != nullptr ? LLayoutBuilder::BuildSprite(overlay) : nullptr;
    if (mOverlay == nullptr) {
        L_ASSERT_FAILURE("'groups.g02-directory.overlay' not built.");
    }
    return true;
}

LTextArea* GMPhoneDirectoryPanel::MakeText(const LString& aId, float aWidth, const LString& aText, float aX, float aY)
{
    LTextArea* text = L_NEW LTextArea();
    if (text == nullptr) {
        return nullptr;
    }
    text->SetId(aId);
    text->Create(LString(kFont));
    // One line of the width; the height a row gives it is not set: text areas take theirs
    // from the lines laid out.
    text->SetWrap(true);
    text->SetMultiLine(false);
    text->SetWidth(aWidth);
    text->SetText(aText);
    text->SetPosition(aX, aY);
    text->SetRelativeZ(kTextZ);
    return text;
}

void GMPhoneDirectoryPanel::Show()
{
    if (mGroup != nullptr) {
        mGroup->SetClip(&kListClip);
    }
    LDisplayGroup* content = mContent != nullptr ? mContent->Renew() : nullptr;
    if (content == nullptr) {
        return;
    }
    content->SetRelativeZ(0.0f);
    LPropertyList* lines = mLayout != nullptr ? mLayout->GetList(LString("groups.g02-directory.lines")) : nullptr;
    {
        GMTextureRoot root{LString(kTextureRoot)};
        for (int copy = 0; lines != nullptr && copy < 2; ++copy) {
            LSprite* sprite = LLayoutBuilder::BuildSprite(lines);
            if (sprite == nullptr) {
                continue;
            }
            if (copy == 1) {
                sprite->SetId(LString("dir_lines_2"));
                sprite->SetPosition(0.0f, 136.0f);
            }
            if (!content->AddMember(sprite, true)) {
                delete sprite;
            }
        }
    }
    int selected = 0;
    GMPDAScrollContent::GetSelectedCase(selected);
    LPropertyList* contacts = mLayout != nullptr ? mLayout->GetList(LString(kContacts) + selected) : nullptr;
    float y = kRowTop;
    GMTextureRoot root{LString(kTextureRoot)};
    for (int i = 0; contacts != nullptr && i < contacts->GetCount(); ++i, y += kRowHeight) {
        LPropertyList* contact = contacts->GetListAt(i);
        if (!Holds(contact)) {
            continue;
        }
        for (LTextArea* text : {MakeText(LString("name_") + i, 120.0f, StringOf(contact, "name"), 10.0f, y),
                                MakeText(LString("number_") + i, 100.0f, StringOf(contact, "number"), 140.0f, y)}) {
            if (text != nullptr && !content->AddMember(text, true)) {
                delete text;
            }
        }
        LPropertyList* button = mLayout->GetList(LString("groups.g02-directory.call_button"));
        LButton* call = button != nullptr ? LLayoutBuilder::BuildButton(button, this) : nullptr;
        if (call == nullptr) {
            L_ASSERT_FAILURE("'groups.g02-directory.call_button' not built.");
            continue;
        }
        call->SetId(StringOf(contact, "id"));
        call->SetPosition(220.0f, y + 1.0f);
        if (!content->AddMember(call, true)) {
            delete call;
        }
    }
    LDisplayGroup* pdaGroup = PDAGroup();
    if (mOverlay != nullptr && pdaGroup != nullptr && mOverlay->GetGroup() == nullptr) {
        pdaGroup->AddMember(mOverlay, true);
    }
    if (pdaGroup != nullptr) {
        pdaGroup->UpdateAll();
    }
    mContent->Show(kContentHeight);
}

void GMPhoneDirectoryPanel::Hide()
{
    if (mContent != nullptr) {
        mContent->Hide();
        mContent->Delete();
    }
    if (mOverlay != nullptr && mOverlay->GetGroup() != nullptr) {
        mOverlay->GetGroup()->RemoveMember(mOverlay);
    }
}

void GMPhoneDirectoryPanel::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    // Hide deletes the button that tells us: telling is the last thing a button does.
    const LString id = aId;
    Hide();
    if (GMCharacter* player = GMInterview::ScenePlayer()) {
        player->SetAmbientSuspended(true);
    }
    Call(id);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

LPropertyList* GMPhoneDirectoryPanel::FindContact(const LString& aContactId) const
{
    int selected = 0;
    if (!GMPDAScrollContent::GetSelectedCase(selected)) {
        L_ASSERT_FAILURE("");
        return nullptr;
    }
    LPropertyList* contacts = mLayout != nullptr ? mLayout->GetList(LString(kContacts) + selected) : nullptr;
    LPropertyList* contact = contacts != nullptr ? contacts->GetList(aContactId) : nullptr;
    if (contact == nullptr) {
        L_ERROR("Call failure. Contact not found: " + aContactId);
    }
    return contact;
}

void GMPhoneDirectoryPanel::DeleteCallGroup()
{
    delete mCallGroup;
    mCallGroup = nullptr;
    mNameText = nullptr;
    mNumberText = nullptr;
}

bool GMPhoneDirectoryPanel::Call(const LString& aContactId)
{
    delete mRing;
    mRing = nullptr;
    DeleteCallGroup();
    LPropertyList* progress = mLayout != nullptr ? mLayout->GetList(LString("groups.g03-call_progress")) : nullptr;
    {
        GMTextureRoot root{LString(kTextureRoot)};
        mCallGroup = progress != nullptr ? LLayoutBuilder::BuildGroup(progress, true) : nullptr;
    }
    if (mCallGroup == nullptr) {
        L_ASSERT_FAILURE("'groups.g03-call_progress' not built.");
    } else if (mGroup == nullptr || !mGroup->AddMember(mCallGroup, true)) {
        DeleteCallGroup();
    }
    LPropertyList* contact = FindContact(aContactId);
    mInterviewId = StringOf(contact, "interview");
    if (contact == nullptr || mInterviewId.IsEmpty()) {
        if (contact != nullptr) {
            L_ERROR("Call failure. No interview for: " + aContactId);
        }
        GiveUp();
        return false;
    }
    if (mCallGroup != nullptr) {
        mNameText = MakeText(aContactId + "_name", 150.0f, "Name: " + StringOf(contact, "name"), 268.0f, 125.0f);
        mNumberText =
            MakeText(aContactId + "_number", 150.0f, "Number: " + StringOf(contact, "number"), 268.0f, 138.0f);
        for (LTextArea** text : {&mNameText, &mNumberText}) {
            if (*text != nullptr && !mCallGroup->AddMember(*text, true)) {
                delete *text;
                *text = nullptr;
            }
        }
        mCallGroup->UpdateAll();
    }
    LISoundManager* sounds = LISoundManager::Get();
    mRing = sounds != nullptr ? sounds->CreateStream(aContactId, LString(kRing)) : nullptr;
    if (mRing == nullptr) {
        // No ring to wait for: the call connects at once.
        OnSoundEnded(aContactId);
        return !mInterviewId.IsEmpty();
    }
    mRing->SetListener(this);
    if (GMOptions* options = GMOptions::GetInstance()) {
        mRing->SetVolume(options->mVolume);
    }
    mRing->Play();
    return true;
}

void GMPhoneDirectoryPanel::HangUpRinging()
{
    if (mRing == nullptr || mShrinking || mGrowing || mShrunk || mInterviewId.IsEmpty()) {
        return;
    }
    delete mRing;
    mRing = nullptr;
    mInterviewId = LString();
    DeleteCallGroup();
    ResumePlayer();
}

void GMPhoneDirectoryPanel::OnSoundEnded(const LString&)
{
    if (mShrinking || mGrowing || mInterviewId.IsEmpty()) {
        return;
    }
    if (GMCharacter* player = GMInterview::ScenePlayer()) {
        player->PlayAction(kTakePhoneOut, nullptr);
    }
    if (mCallGroup != nullptr) {
        if (LIDisplayObject* connecting = mCallGroup->GetMember(LString("connecting"))) {
            connecting->SetVisible(false);
        }
    }
    for (LTextArea* text : {mNameText, mNumberText}) {
        if (text != nullptr) {
            text->SetVisible(false);
        }
    }
    if (mGroup != nullptr) {
        mGroup->SetClip(&kCallClip);
    }
    LDisplayGroup* pdaGroup = PDAGroup();
    if (pdaGroup != nullptr) {
        pdaGroup->SetEnabled(false);
    }
    mShrinking = true;
    mShrinkDone = false;
    mShrunk = true;
    mScale = 1.0f;
    mMoving = true;
    mTarget = LVector2(50.0f, 50.0f);
    mStart = pdaGroup != nullptr ? pdaGroup->GetWorldPosition() : LVector2(0.0f, 0.0f);
    mReturn = mStart;
    mProgress = 1.0f;
    StartAnimation();
}

void GMPhoneDirectoryPanel::StartAnimation()
{
    mNextStep = Now() + kStepTime;
    if (!mFrameListening) {
        LFrameManager* frames = LFrameManager::Get();
        mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
    }
}

void GMPhoneDirectoryPanel::StopAnimation()
{
    if (mFrameListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mFrameListening = false;
    }
}

void GMPhoneDirectoryPanel::Move()
{
    if (!mMoving) {
        return;
    }
    mProgress -= kMoveStep;
    if (mProgress <= 0.0f) {
        return;
    }
    const LVector2 at = mTarget + (mStart - mTarget) * mProgress;
    if (LDisplayGroup* pdaGroup = PDAGroup()) {
        pdaGroup->SetPosition(static_cast<float>(static_cast<int>(at.x)), static_cast<float>(static_cast<int>(at.y)));
    }
}

void GMPhoneDirectoryPanel::ApplyScale()
{
    if (LDisplayGroup* pdaGroup = PDAGroup()) {
        pdaGroup->SetScale(mScale, mScale);
    }
}

void GMPhoneDirectoryPanel::OnFrame()
{
    const double now = Now();
    if (now < mNextStep) {
        return;
    }
    if (mShrinking) {
        if (mShrinkDone) {
            mShrinking = false;
            StopAnimation();
            StartInterview();
            return;
        }
        Move();
        mScale -= kScaleStep;
        ApplyScale();
        mNextStep = now + kStepTime;
        if (mScale < 0.5f) {
            mShrinkDone = true;
        }
        return;
    }
    if (!mGrowing) {
        StopAnimation();
        return;
    }
    mScale += kScaleStep;
    Move();
    bool finished = false;
    if (mScale > 0.9f) {
        mScale = 1.0f;
        finished = true;
    }
    ApplyScale();
    mNextStep = now + kStepTime;
    if (!finished) {
        return;
    }
    mGrowing = false;
    mShrunk = false;
    StopAnimation();
    if (LDisplayGroup* pdaGroup = PDAGroup()) {
        pdaGroup->SetEnabled(true);
    }
    DeleteCallGroup();
    Show();
}

void GMPhoneDirectoryPanel::StartInterview()
{
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMInterview* interview = interviews != nullptr ? interviews->SelectInterview(mInterviewId) : nullptr;
    if (interview == nullptr) {
        L_ERROR("Call failure. Interview not selected: " + mInterviewId);
        GiveUp();
        return;
    }
    mInterview = interview;
    interview->SetInterviewPosition(kInterviewPosition);
    interview->SetListener(this);
    // Selecting the interview cleared the flag.
    interview->SetPhoneCall(true);
    interview->Start();
}

void GMPhoneDirectoryPanel::ResumePlayer() const
{
    if (GMCharacter* player = GMInterview::ScenePlayer()) {
        if (mShrunk) {
            player->PlayAction(kPutPhoneAway, nullptr);
        }
        player->SetAmbientSuspended(false);
    }
}

void GMPhoneDirectoryPanel::GiveUp()
{
    delete mRing;
    mRing = nullptr;
    mInterviewId = LString();
    ResumePlayer();
    if (mShrunk) {
        OnInterviewEvent(EVENT_RETURNED);
        return;
    }
    if (LDisplayGroup* pdaGroup = PDAGroup()) {
        pdaGroup->SetEnabled(true);
    }
    DeleteCallGroup();
    Show();
}

void GMPhoneDirectoryPanel::OnInterviewEvent(int aCode)
{
    if (aCode != EVENT_RETURNED) {
        return;
    }
    // The manager deletes the interview of a call the frame after it has ended.
    mInterview = nullptr;
    mInterviewId = LString();
    LDisplayGroup* pdaGroup = PDAGroup();
    mGrowing = true;
    mShrinking = false;
    mScale = 0.5f;
    mTarget = mReturn;
    mStart = pdaGroup != nullptr ? pdaGroup->GetWorldPosition() : mReturn;
    mProgress = 1.0f;
    mMoving = true;
    StartAnimation();
}
