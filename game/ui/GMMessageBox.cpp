#include "ui/GMMessageBox.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "stdlib/LLog.h"
#include "ui/GMIMessageBoxListener.h"
#include "util/GMCleaner.h"

namespace {

GMSingleton<GMMessageBox> sMessageBox;

constexpr float kPanelX = 271.0f;
constexpr float kPanelY = 199.0f;
constexpr float kPanelZ = 9999.0f;
constexpr float kPanelWidth = 257.0f;
constexpr float kTextWidth = 200.0f;
constexpr float kTextHeight = 140.0f;
constexpr float kOneLineY = 75.0f;
constexpr float kWrappedX = 25.0f;
constexpr float kWrappedY = 30.0f;
constexpr float kLoneOkX = 86.0f;
constexpr float kLoneOkY = 162.0f;

const char16_t* const kFontId = u"TW_CEN_MT16";

GMIMessageBoxListener* sInputListener = nullptr;

} // namespace

GMMessageBox* GMMessageBox::GetInstance()
{
    return sMessageBox.Get(L_FILE, __LINE__, "GMMessageBox creation failure.");
}

void GMMessageBox::SetInputListener(GMIMessageBoxListener* aListener)
{
    sInputListener = aListener;
}

GMIMessageBoxListener* GMMessageBox::GetInputListener()
{
    return sInputListener;
}

GMMessageBox::GMMessageBox()
{
    if (LFontManager* fonts = LFontManager::Get()) {
        mFont = fonts->GetFont(LString(kFontId));
    }
}

GMMessageBox::~GMMessageBox()
{
    sMessageBox.Destroyed(this);
    if (IsOpen()) {
        Close();
    }
}

LString GMMessageBox::Dump() const
{
    return DumpHead("GMMessageBox") + "]";
}

bool GMMessageBox::Show(const LString& aId, const LString& aText, int aButtonSet, GMIMessageBoxListener* aListener)
{
    if (IsOpen()) {
        // The question still open goes unanswered.
        Close();
    }
    mReplyListener = aListener;
    mId = aId;
    mText = aText;
    mClicked = false;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
        // The pointer keeps following the mouse while the box holds it.
        if (LCursor* cursor = LCursor::Get()) {
            mouse->AddLock(cursor);
        }
    }
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        L_ERROR("Show failure. Out of memory.");
        Close();
        return false;
    }
    mGroup->SetId(LString("messagebox"));
    mGroup->SetPosition(kPanelX, kPanelY);
    mGroup->SetRelativeZ(kPanelZ);
    bool ok = BuildPanel(aButtonSet);
    LDisplayManager* display = LDisplayManager::Get();
    ok = display != nullptr && display->AddMember(mGroup) && ok;
    if (sInputListener != nullptr) {
        sInputListener->OnMessageBoxShown();
    }
    return ok;
}

bool GMMessageBox::Show(const LString& aId, const LVectorString& aLines, int aButtonSet, GMIMessageBoxListener* aListener)
{
    LString text;
    for (int i = 0; i < aLines.GetCount(); ++i) {
        if (i > 0) {
            text += " ";
        }
        text += aLines.GetRef(i);
    }
    return Show(aId, text, aButtonSet, aListener);
}

bool GMMessageBox::BuildPanel(int aButtonSet)
{
    LTextureManager* textures = LTextureManager::Get();
    const LString oldRoot = textures != nullptr ? textures->GetRoot() : LString();
    if (textures != nullptr) {
        textures->SetRoot(LString("//textures/menu"));
    }
    LPropertyList layout;
    bool ok = layout.Load(LString("//textures/menu/messagebox_layout.txt"), true);
    LSprite* background = LLayoutBuilder::BuildSprite(layout.GetList(LString("background")));
    ok = background != nullptr && ok;
    if (background != nullptr && !mGroup->AddMember(background, true)) {
        delete background;
        ok = false;
    }
    switch (aButtonSet) {
    case BUTTONS_OK:
        ok = AddButton(&layout, "buttons.ok", 0) && ok;
        if (mButtons[0] != nullptr) {
            mButtons[0]->SetPosition(kLoneOkX, kLoneOkY);
        }
        break;
    case BUTTONS_OK_CANCEL:
        ok = AddButton(&layout, "buttons.ok", 0) && ok;
        ok = AddButton(&layout, "buttons.cancel", 1) && ok;
        break;
    case BUTTONS_YES_NO:
        ok = AddButton(&layout, "buttons.yes", 0) && ok;
        ok = AddButton(&layout, "buttons.no", 1) && ok;
        break;
    default:
        break;
    }
    ok = AddText() && ok;
    if (textures != nullptr && !oldRoot.IsEmpty()) {
        textures->SetRoot(oldRoot);
    }
    return ok;
}

bool GMMessageBox::AddButton(LPropertyList* aLayout, const char* aPath, int aSlot)
{
    LButton* button = LLayoutBuilder::BuildButton(aLayout->GetList(LString(aPath)), this);
    if (button == nullptr) {
        L_ASSERT_FAILURE(LString("'") + aPath + "' not found.");
        return false;
    }
    if (!mGroup->AddMember(button, true)) {
        delete button;
        return false;
    }
    mButtons[aSlot] = button;
    return true;
}

bool GMMessageBox::AddText()
{
    if (mFont == nullptr) {
        if (LFontManager* fonts = LFontManager::Get()) {
            mFont = fonts->GetFont(LString(kFontId));
        }
    }
    mTextArea = L_NEW LTextArea();
    if (mTextArea == nullptr || !mTextArea->Create(mFont)) {
        delete mTextArea;
        mTextArea = nullptr;
        return false;
    }
    mTextArea->SetId(LString("msgbox_text"));
    mTextArea->SetMultiLine(true);
    mTextArea->SetWrap(true);
    mTextArea->SetWidth(kTextWidth);
    mTextArea->SetHeight(kTextHeight);
    mTextArea->SetText(mText);
    const float width = mFont->GetTextWidth(mText);
    if (width < kTextWidth) {
        mTextArea->SetPosition((kPanelWidth - width) * 0.5f, kOneLineY);
    } else {
        mTextArea->SetPosition(kWrappedX, kWrappedY);
    }
    if (!mGroup->AddMember(mTextArea, true)) {
        delete mTextArea;
        mTextArea = nullptr;
        return false;
    }
    return true;
}

void GMMessageBox::Close()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(this);
    }
    if (mGroup != nullptr) {
        if (LDisplayManager* display = LDisplayManager::Get()) {
            display->RemoveMember(mGroup);
        }
        delete mGroup;
    }
    mGroup = nullptr;
    mButtons[0] = nullptr;
    mButtons[1] = nullptr;
    mTextArea = nullptr;
    if (sInputListener != nullptr) {
        sInputListener->OnMessageBoxClosed();
    }
}

LButton* GMMessageBox::GetButton(int aIndex) const
{
    return aIndex == 0 || aIndex == 1 ? mButtons[aIndex] : nullptr;
}

void GMMessageBox::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (mForwarding) {
        // The clicked button is still running: it is deleted once it has returned.
        mClicked = true;
        mClickedId = aId;
        return;
    }
    Answer(aId);
}

void GMMessageBox::Answer(const LString& aButtonId)
{
    // The reply may open the box again; it must find this question closed.
    const LString id = mId;
    GMIMessageBoxListener* listener = mReplyListener;
    mReplyListener = nullptr;
    Close();
    if (listener == nullptr) {
        return;
    }
    static const char* const kAnswers[] = {"ok", "cancel", "yes", "no"};
    for (int answer = 0; answer < 4; ++answer) {
        if (aButtonId.Equals(LString(kAnswers[answer]), true)) {
            listener->OnMessageBoxReply(id, answer);
            return;
        }
    }
}

template <typename F>
void GMMessageBox::Forward(F aForward)
{
    if (mForwarding) {
        return;
    }
    mForwarding = true;
    mClicked = false;
    for (LButton* button : mButtons) {
        if (button != nullptr) {
            aForward(button);
        }
    }
    mForwarding = false;
    if (mClicked) {
        mClicked = false;
        Answer(mClickedId);
    }
}

void GMMessageBox::OnButtonDown(int aButton)
{
    Forward([aButton](LButton* aTarget) { aTarget->OnButtonDown(aButton); });
}

void GMMessageBox::OnMove(const LVector2& aPosition)
{
    Forward([&aPosition](LButton* aTarget) { aTarget->OnMove(aPosition); });
}

void GMMessageBox::OnButtonUp(int aButton)
{
    Forward([aButton](LButton* aTarget) { aTarget->OnButtonUp(aButton); });
}
