// The game's modal dialog: a panel with a text and one or two buttons, drawn over
// everything, which takes all mouse input until a button is clicked and then tells the
// caller which one under the caller's id.
//
// The panel comes from "//textures/menu/messagebox_layout.txt" (its textures under
// "//textures/menu"): the sprite list "background" and the button lists "buttons.ok",
// "buttons.cancel", "buttons.yes" and "buttons.no". The text is written in the font
// "TW_CEN_MT16", wrapped at 200 pixels: a text that fits one line is centred in the
// panel, a longer one starts at its top left.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "container/LString.h"
#include "object/LBase.h"

class GMIMessageBoxListener;
class LButton;
class LDisplayGroup;
class LIFont;
class LPropertyList;
class LTextArea;
class LVectorString;

class GMMessageBox : public LBase, public LIButtonListener, public LIMouseListener
{
public:
    static constexpr int BUTTONS_OK = 0;
    static constexpr int BUTTONS_OK_CANCEL = 1;
    static constexpr int BUTTONS_YES_NO = 2;

    // The box, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged) and after the cleaner has deleted it.
    static GMMessageBox* GetInstance();

    // The one listener, besides each question's own, that hears every box open and close:
    // the holder of the game's input, which keeps it from the game while a box is open.
    // Null: none. The holder takes itself out when it ends.
    static void SetInputListener(GMIMessageBoxListener* aListener);
    static GMIMessageBoxListener* GetInputListener();

    GMMessageBox();
    GMMessageBox(const GMMessageBox&) = delete;
    GMMessageBox& operator=(const GMMessageBox&) = delete;
    // Takes an open panel down.
    ~GMMessageBox() override;

    LString Dump() const override;

    // Shows the question aText with the button set (BUTTONS_...; any other set shows no
    // button) and locks the mouse to the box (the pointer still follows it). A panel still open is closed first, without
    // a reply. aListener may be null: the box then just closes. False when the panel could
    // not be built completely (it is shown with what was built).
    bool Show(const LString& aId, const LString& aText, int aButtonSet, GMIMessageBoxListener* aListener);
    // The same with the text given as lines, which follow one another in the wrapped text
    // (the text area breaks lines only where they reach its width).
    bool Show(const LString& aId, const LVectorString& aLines, int aButtonSet, GMIMessageBoxListener* aListener);
    // Takes the panel down and lets the mouse go.
    void Close();

    // A click (event 4) on "ok", "cancel", "yes" or "no" closes the box and answers 0, 1,
    // 2 or 3; a click on another button only closes it.
    void OnButton(const LString& aId, int aEvent) override;
    // While the box is open every mouse event comes here and goes on to its buttons.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

    bool IsOpen() const { return mGroup != nullptr; }
    LDisplayGroup* GetGroup() const { return mGroup; }
    LTextArea* GetTextArea() const { return mTextArea; }
    // Button 0 or 1 of the set shown, or null.
    LButton* GetButton(int aIndex) const;

private:
    bool BuildPanel(int aButtonSet);
    bool AddButton(LPropertyList* aLayout, const char* aPath, int aSlot);
    bool AddText();
    // Runs aForward on each button; a click heard meanwhile is answered afterwards, when
    // no button is running any more.
    template <typename F>
    void Forward(F aForward);
    void Answer(const LString& aButtonId);

    LString mId;
    GMIMessageBoxListener* mReplyListener = nullptr;
    LDisplayGroup* mGroup = nullptr;
    LButton* mButtons[2] = {nullptr, nullptr};
    LTextArea* mTextArea = nullptr;
    LIFont* mFont = nullptr;
    LString mText;
    // Set while the mouse is passed on to the buttons, and the click heard then.
    bool mForwarding = false;
    bool mClicked = false;
    LString mClickedId;
};
