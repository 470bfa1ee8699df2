// Hears which button of the message box was clicked, under the id the caller gave.
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
};
