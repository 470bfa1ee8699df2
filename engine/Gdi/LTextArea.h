// A display object that shows text through a font: on one line, or word-wrapped to a
// width. Lines break at whitespace (which is dropped), after overhang characters (which
// may stand just past the width) or after break-after characters (which stay on the line).
// The lines are drawn one under the other from the area's world position.
#pragma once
#include "Gdi/LIDisplayObject.h"
#include "LRectangle.h"

class LIFont;
class LVectorString;

class LTextArea : public LIDisplayObject
{
public:
    LTextArea();
    ~LTextArea() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;

    virtual int AppendText(const char16_t* aText);
    virtual int AppendText(const LString& aText);
    // Empties the text; the lines laid out stay until the layout is next marked dirty.
    virtual int ClearText();
    virtual LIFont* GetFont() const;
    virtual float GetFontHeight() const;
    virtual float GetLineHeight() const;
    virtual LString GetText() const;
    virtual int GetText(LString& aOut) const;
    // Number of lines of the last layout times the line height.
    virtual float GetTextHeight() const;
    virtual float GetWidth() const;
    // False when a line came out empty: the text cannot be laid out in the width.
    virtual bool Layout();
    virtual int SetWhitespaceChars(const LString& aChars);
    virtual int SetBreakAfterChars(const LString& aChars);
    virtual int SetOverhangChars(const LString& aChars);
    virtual int SetWrap(bool aWrap);
    virtual int SetHeight(float aHeight);
    virtual int SetLineHeight(float aLineHeight);
    virtual int SetText(const char16_t* aText);
    virtual int SetText(const LString& aText);
    virtual int SetWidth(float aWidth);
    virtual int SetMultiLine(bool aMultiLine);

    // Binds a font by id (through the font manager) or directly, and resets the layout
    // settings: no wrap, one line, width 100, break at space and tab, after "-", "/", "\".
    bool Create(const LString& aFontId);
    bool Create(LIFont* aFont);

    // The area's text box in screen pixels (from its world position) or in its parent.
    LRectangle GetTextExtent();
    LRectangle GetLocalTextExtent();

    int GetLineCount() const;
    LString GetLine(int aIndex) const;

private:
    static bool Contains(const LString& aSet, char16_t aChar);

    bool mWrap = false;
    bool mMultiLine = false;
    LIFont* mFont = nullptr;
    float mLineHeight = 0.0f;
    LString mText;
    float mFontHeight = 0.0f;
    float mWidth = 100.0f;
    bool mLayoutDirty = true;
    LVectorString* mLines = nullptr;
    LString mWhitespace;
    LString mBreakAfter;
    LString mOverhang;
};
