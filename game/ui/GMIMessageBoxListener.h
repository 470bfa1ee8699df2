// Hears which button of the message box was clicked, under the id the caller gave. The
// box's input listener (GMMessageBox::SetInputListener) also hears every box open and
// close.
#pragma once

class LString;

class GMIMessageBoxListener
{
public:
    static constexpr int ANSWER_OK = 0;
    static constexpr int ANSWER_CANCEL = 1;
    static constexpr int ANSWER_YES = 2;
    static constexpr int ANSWER_NO = 3;

    virtual ~GMIMessageBoxListener();
    virtual void OnMessageBoxReply(const LString& aId, int aAnswer) = 0;
    // A box has opened (the input listener takes the game's input away) and has closed
    // (it gives it back); nothing by default.
    virtual void OnMessageBoxShown();
    virtual void OnMessageBoxClosed();
};
