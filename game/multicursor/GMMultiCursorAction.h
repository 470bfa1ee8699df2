// The actions of the multi-cursor, as its listener hears them and as SetActionEnabled
// takes them: 0 when the menu closed by a click outside its buttons, else the button.
#pragma once

class GMMultiCursorAction
{
public:
    static constexpr int NONE = 0;
    static constexpr int USE = 1;
    static constexpr int COLLECT = 2;
    static constexpr int ANALYZE = 3;
    static constexpr int TALK = 4;
    static constexpr int LOOK = 5;
    static constexpr int COUNT = 5; // the buttons, USE to LOOK

    // Whether aAction is one of the buttons.
    static bool IsButton(int aAction);
};
