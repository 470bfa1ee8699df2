// The one-line text entry of the save screen, where the player types the description of
// a saved game: letters, digits and spaces, as many as fit in the field's width, with a
// blinking caret after the text. A click inside the field activates it; once active it
// takes keys for the rest of its life.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "stdlib/LIFrameListener.h"

class LIButtonListener;
class LIFont;
class LSprite;
class LTextArea;

class GMSaveField : public LDisplayGroup, public LIMouseListener, public LIKeyboardListener, public LIFrameListener
{
public:
    GMSaveField();
    GMSaveField(const GMSaveField&) = delete;
    GMSaveField& operator=(const GMSaveField&) = delete;
    // Leaves the mouse, the keyboard and the frame manager.
    ~GMSaveField() override;

    LString Dump() const override;

    // The text area "savefieldtext" in aFont and the hidden caret "cursor" (the texture
    // "savefield_cursor", made once from "//textures/white.bmp"), both at (0, 0); the field
    // then follows the mouse (priority 0). aListener is kept for the owner.
    int Create(LIFont* aFont, LIButtonListener* aListener);
    // The field's size in pixels, from its position: clicks inside it activate it and the
    // text may not grow wider than aWidth.
    void SetSize(float aWidth, float aHeight);
    // Active: takes keys and blinks the caret; inactive: neither, caret hidden. This is the
    // field's own input state: the field stays drawn either way.
    bool SetActive(bool aActive) override;
    bool IsFieldActive() const { return mFieldActive != 0; }
    LString GetText() const { return mText; }
    LTextArea* GetTextArea() const { return mTextArea; }
    LSprite* GetCaret() const { return mCaret; }

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnFrame() override;

private:
    static double Now();
    // Fits the text into the text area and puts the caret behind it.
    void ShowText();
    float TextWidth(const LString& aText) const;

    LIButtonListener* mListener = nullptr;
    LTextArea* mTextArea = nullptr;
    LSprite* mCaret = nullptr;
    unsigned char mFieldActive = 0;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    float mLastToggleTime = 0.0f;
    LString mText;
    bool mInMouse = false;
};
