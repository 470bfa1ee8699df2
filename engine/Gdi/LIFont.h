// A font that text areas and tool tips draw through. Position, scale and blend are
// per-draw state: callers set them before each string they draw.
#pragma once
#include "LVector2.h"
#include "object/LBase.h"

class LRenderer;
class LString;

class LIFont : public LBase
{
public:
    LIFont();
    ~LIFont() override;

    virtual int GetAlignment() = 0;
    virtual float GetBlend() const = 0;
    virtual LVector2 GetScale() const = 0;
    // The unscaled height of a glyph in pixels.
    virtual float GetRowHeight() const = 0;
    // Sum of the advances of the characters; 0 when one has no glyph.
    virtual float GetTextWidth(const LString& aText) const = 0;
    virtual float GetCharWidth(char16_t aChar) const = 0;
    // Draws a string from the position along the pen line.
    virtual bool Render(LRenderer* aRenderer, const LString& aText) = 0;
    virtual bool RenderChar(LRenderer* aRenderer, char16_t aChar) = 0;
    virtual int SetAlignment(int aAlignment) = 0;
    virtual int SetBlend(float aBlend) = 0;
    virtual int SetPosition(const LVector2& aPosition) = 0;
    virtual int SetPosition(float aX, float aY) = 0;
    virtual int SetScale(const LVector2& aScale) = 0;
    virtual int SetScale(float aX, float aY) = 0;
    virtual int SetScale(float aScale) = 0;

protected:
    LVector2 mScale;
    float mBlend = 1.0f;
};
