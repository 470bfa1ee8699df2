// Told the multi-cursor's answer: 1 use, 2 collect, 3 analyze, 4 talk, 5 look, or 0 when
// the menu closed without a choice.
#pragma once

class GMIMultiCursorListener
{
public:
    static constexpr int ACTION_NONE = 0;
    static constexpr int ACTION_USE = 1;
    static constexpr int ACTION_COLLECT = 2;
    static constexpr int ACTION_ANALYZE = 3;
    static constexpr int ACTION_TALK = 4;
    static constexpr int ACTION_LOOK = 5;

    virtual ~GMIMultiCursorListener();
    virtual void OnAction(int aAction) = 0;
};
