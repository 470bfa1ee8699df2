// The phone's messages: the count of pending messages, a prompt with "listen_yes" and
// "listen_no", and the voice messages played one after the other ("//dataroot/sounds/" +
// the message's "audio", under the sound id "phone_message") with their subtitles from
// "//textures/pda/phone_messages_subtitles.txt". The space key and the end of a message
// play the next one; after the last the bar's flash stops.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "Input/LIKeyboardListener.h"
#include "container/LString.h"
#include "interview/GMIVoicedLineListener.h"
#include "object/LBase.h"

class LDisplayGroup;
class LISoundPlayer;
class LPropertyList;
class LTextArea;

class GMPhoneMessagesPanel : public LBase, public LIButtonListener, public GMIVoicedLineListener, public LIKeyboardListener
{
public:
    static constexpr int kSpaceKey = 57;

    GMPhoneMessagesPanel();
    GMPhoneMessagesPanel(const GMPhoneMessagesPanel&) = delete;
    GMPhoneMessagesPanel& operator=(const GMPhoneMessagesPanel&) = delete;
    ~GMPhoneMessagesPanel() override;

    LString Dump() const override;

    // The prompt group with its buttons and texts, the subtitle texts and font. True.
    bool Create(LPropertyList* aLayout);
    // The count, the prompt when a message waits, and the space key heard.
    void Show();
    // The key no longer heard, the message playing stopped, the subtitle faded, the prompt
    // group inactive.
    void Hide();
    // Plays the next pending message, or ends the playing when none is left.
    void PlayNext();

    void OnButton(const LString& aId, int aEvent) override;
    // A message has ended: the next one plays.
    void OnLineEnded(GMVoicedLine* aLine) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}

    LDisplayGroup* GetGroup() const { return mPromptGroup; }
    LTextArea* GetCountText() const { return mCountText; }
    LTextArea* GetPromptText() const { return mPromptText; }
    // The stream of the message playing, or null.
    LISoundPlayer* GetSound() const;
    bool IsPlaying() const { return mPlaying; }

private:
    void SetButtonsActive(bool aActive);
    void ShowCount(int aCount);
    void StopSound();
    void TakeSubtitle();

    LDisplayGroup* mPromptGroup = nullptr;
    LPropertyList* mLayout = nullptr;
    LPropertyList* mSubtitles = nullptr;
    GMVoicedLine* mLine = nullptr;
    bool mPlaying = false;
    // Whether the subtitle strip shows a line of a message.
    bool mSubtitleShown = false;
    LTextArea* mCountText = nullptr;
    LTextArea* mPromptText = nullptr;
};
