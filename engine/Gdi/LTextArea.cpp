#include "Gdi/LTextArea.h"

#include "Gdi/LFontManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LRenderer.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <cmath>

LTextArea::LTextArea() : mLines(L_NEW LVectorString())
{
}

LTextArea::~LTextArea()
{
    delete mLines;
}

LString LTextArea::Dump() const
{
    return DumpHead("LTextArea") + "]";
}

bool LTextArea::Create(const LString& aFontId)
{
    LFontManager* manager = LFontManager::Get();
    LIFont* font = manager != nullptr ? manager->GetFont(aFontId) : nullptr;
    if (font == nullptr) {
        L_ASSERT_FAILURE("Create failure. Font not found.");
    }
    return Create(font);
}

bool LTextArea::Create(LIFont* aFont)
{
    if (aFont == nullptr) {
        L_ERROR("Create failure. NULL arg.");
        return false;
    }
    mFont = aFont;
    mWrap = false;
    mMultiLine = false;
    mFontHeight = aFont->GetRowHeight() * mScale.y;
    mWidth = 100.0f;
    mLayoutDirty = true;
    mWhitespace = LString(u" \t");
    mBreakAfter = LString(u"-/\\");
    mOverhang = LString(u"");
    mLineHeight = aFont->GetRowHeight() * mScale.y;
    return true;
}

int LTextArea::AppendText(const char16_t* aText)
{
    mText.Append(aText);
    mLayoutDirty = true;
    return 1;
}

int LTextArea::AppendText(const LString& aText)
{
    mText.Append(aText);
    mLayoutDirty = true;
    return 1;
}

int LTextArea::ClearText()
{
    mText = LString(u"");
    return 1;
}

LIFont* LTextArea::GetFont() const
{
    return mFont;
}

float LTextArea::GetFontHeight() const
{
    return mFontHeight;
}

float LTextArea::GetLineHeight() const
{
    return mLineHeight;
}

LString LTextArea::GetText() const
{
    return mText;
}

int LTextArea::GetText(LString& aOut) const
{
    aOut = mText;
    return 1;
}

float LTextArea::GetTextHeight() const
{
    return static_cast<float>(GetLineCount()) * mLineHeight;
}

float LTextArea::GetWidth() const
{
    return mWidth;
}

int LTextArea::SetWhitespaceChars(const LString& aChars)
{
    mWhitespace = aChars;
    return 1;
}

int LTextArea::SetBreakAfterChars(const LString& aChars)
{
    mBreakAfter = aChars;
    return 1;
}

int LTextArea::SetOverhangChars(const LString& aChars)
{
    mOverhang = aChars;
    return 1;
}

int LTextArea::SetWrap(bool aWrap)
{
    if (aWrap != mWrap) {
        mWrap = aWrap;
        mLayoutDirty = true;
    }
    return 1;
}

int LTextArea::SetMultiLine(bool aMultiLine)
{
    if (aMultiLine != mMultiLine) {
        mMultiLine = aMultiLine;
        mLayoutDirty = true;
    }
    return 1;
}

int LTextArea::SetHeight(float)
{
    L_ERROR("SetHeight not yet implemented.");
    return 0;
}

int LTextArea::SetLineHeight(float aLineHeight)
{
    mLineHeight = aLineHeight;
    return 1;
}

int LTextArea::SetText(const char16_t* aText)
{
    mText = LString(aText != nullptr ? aText : u"");
    mLayoutDirty = true;
    return 1;
}

int LTextArea::SetText(const LString& aText)
{
    mText = aText;
    mLayoutDirty = true;
    return 1;
}

int LTextArea::SetWidth(float aWidth)
{
    mWidth = aWidth;
    mLayoutDirty = true;
    return 1;
}

int LTextArea::GetLineCount() const
{
    return mLines != nullptr ? mLines->GetCount() : 0;
}

LString LTextArea::GetLine(int aIndex) const
{
    return mLines != nullptr ? (*mLines)[aIndex] : LString();
}

bool LTextArea::Contains(const LString& aSet, char16_t aChar)
{
    for (int i = 0; i < aSet.GetLength(); ++i) {
        if (aSet.At(i) == aChar) {
            return true;
        }
    }
    return false;
}

bool LTextArea::Layout()
{
    if (!mLayoutDirty) {
        return true;
    }
    if (mLines == nullptr) {
        return false;
    }
    mLines->RemoveAll();
    if (!mWrap || mFont == nullptr) {
        mLines->Add(mText);
        mLayoutDirty = false;
        return true;
    }
    const int n = mText.GetLength();
    if (n == 0) {
        // Nothing to wrap: no lines, and no empty line to report as a deadlock.
        mLayoutDirty = false;
        return true;
    }
    // The width of "o" estimates how many characters fit; a font without it falls back
    // to its row height, and a font without size to one character per estimate.
    float estimate = mFont->GetCharWidth(u'o');
    if (!(estimate > 0.0f)) {
        estimate = mFont->GetRowHeight() * mFont->GetScale().x;
    }
    if (!(estimate > 0.0f)) {
        estimate = mWidth > 0.0f ? mWidth : 1.0f;
    }
    int s = 0;
    int e = 0;
    do {
        const float ratio = mWidth / estimate;
        int est = ratio > 0.0f ? (ratio < static_cast<float>(n) ? static_cast<int>(ratio) : n) : 0;
        if (s + est > n) {
            est = n - s;
        }
        float w = mFont->GetTextWidth(mText.Mid(s, est, 0));
        e = s + est - 1;
        bool overflowEnd = false;
        while (w < mWidth) {
            ++e;
            if (e >= n) {
                e = n;
                overflowEnd = true;
                break;
            }
            w += mFont->GetCharWidth(mText.At(e));
        }
        while (w > mWidth && e >= s) {
            w -= mFont->GetCharWidth(mText.At(e));
            --e;
            if (e <= s) {
                e = s;
                break;
            }
        }
        // The rest of the text fits (exactly, or with room to spare): one line, no
        // break to look for.
        if (e == n - 1 && w <= mWidth) {
            overflowEnd = true;
        }
        bool drop = false;
        if (overflowEnd) {
            e = n;
        } else {
            bool found = false;
            ++e;
            if (e >= n) {
                --e;
            }
            if (Contains(mWhitespace, mText.At(e))) {
                found = true;
                drop = true;
            } else if (Contains(mOverhang, mText.At(e))) {
                found = true;
            }
            if (!found) {
                --e;
                if (e <= s) {
                    e = s;
                }
            }
            while (!found) {
                const char16_t c = mText.At(e);
                if (Contains(mWhitespace, c)) {
                    found = true;
                    drop = true;
                } else if (Contains(mOverhang, c) || Contains(mBreakAfter, c)) {
                    found = true;
                } else {
                    --e;
                    if (e <= s) {
                        e = s;
                        break;
                    }
                }
            }
            if (!drop) {
                ++e;
            }
        }
        mLines->Add(mText.Mid(s, e - s, 0));
        if (e == s) {
            mLayoutDirty = false;
            return false;
        }
        if (drop) {
            ++e;
        }
        s = e;
    } while (mMultiLine && e < n);
    mLayoutDirty = false;
    return true;
}

bool LTextArea::Render(LRenderer* aRenderer)
{
    UpdateForRender();
    if (!IsActive() || !IsVisible()) {
        return true;
    }
    if (mFont == nullptr) {
        L_ERROR("Render failure. No font.");
        return false;
    }
    const float savedBlend = mFont->GetBlend();
    mFont->SetBlend(GetWorldBlend());
    if (!Layout()) {
        L_ERROR("Render failure. Probable deadlock.");
        mFont->SetBlend(savedBlend);
        return false;
    }
    LVector2 pen = GetWorldPosition();
    if (IsPixelAligned()) {
        pen = LVector2(std::trunc(pen.x), std::trunc(pen.y));
    }
    for (int i = 0; i < GetLineCount(); ++i) {
        mFont->SetPosition(pen);
        if (!mFont->Render(aRenderer, (*mLines)[i])) {
            mFont->SetBlend(savedBlend);
            return false;
        }
        pen.y += mLineHeight;
    }
    mFont->SetBlend(savedBlend);
    return true;
}

LRectangle LTextArea::GetTextExtent()
{
    const LVector2 position = GetWorldPosition();
    return LRectangle(position.x - mCenter.x, position.y - mCenter.y, mWidth, mFontHeight);
}

LRectangle LTextArea::GetLocalTextExtent()
{
    const LVector2 position = GetPosition();
    return LRectangle(position.x - mCenter.x, position.y - mCenter.y, mWidth, mFontHeight);
}
