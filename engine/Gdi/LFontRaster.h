// The atlas font: one image holds every glyph. The atlas is cut into bands of the row
// height; the first row of a band marks each glyph, left to right, with an optional opaque
// black pixel that opens its cell, a run of opaque white pixels (the advance) and an
// optional run of opaque black pixels that closes the cell. Characters take the marked
// glyphs in order, band after band. Each character becomes a sprite showing its cell and
// an aspect, its advance in units of the row height.
#pragma once
#include "Gdi/LIFont.h"
#include "container/LString.h"

#include <cstdint>

class LImage;
class LSprite;

class LFontRaster : public LIFont
{
public:
    // Scans the atlas under the texture id aId; a font whose setup failed has no glyphs.
    LFontRaster(const LString& aId, const LString* aCharacters, LImage* aImage, int aRowHeight);
    ~LFontRaster() override;

    LString Dump() const override;

    int GetAlignment() override;
    float GetBlend() const override;
    LVector2 GetScale() const override;
    float GetRowHeight() const override;
    float GetTextWidth(const LString& aText) const override;
    float GetCharWidth(char16_t aChar) const override;
    bool Render(LRenderer* aRenderer, const LString& aText) override;
    bool RenderChar(LRenderer* aRenderer, char16_t aChar) override;
    int SetAlignment(int aAlignment) override;
    int SetBlend(float aBlend) override;
    int SetPosition(const LVector2& aPosition) override;
    int SetPosition(float aX, float aY) override;
    int SetScale(const LVector2& aScale) override;
    int SetScale(float aX, float aY) override;
    int SetScale(float aScale) override;

    bool Setup(const LString& aId, LImage* aImage, int aRowHeight);
    // The aspect of a character, or a negative value without a glyph.
    float GetAspect(char16_t aChar) const;
    LSprite* GetSprite(char16_t aChar) const;
    uint32_t GetTexture() const { return mTexture; }

private:
    struct Glyph
    {
        char16_t mCode;
        float mAspect;
        LSprite* mSprite;
    };

    bool Scan(LImage* aImage, int aRowHeight);
    // The glyph of a character code, or null; glyphs are kept sorted by code.
    const Glyph* Find(char16_t aChar) const;
    // Adds a glyph; false when the character has one already.
    bool AddGlyph(char16_t aChar, float aAspect);

    Glyph* mGlyphs = nullptr;
    int mGlyphCount = 0;
    int mGlyphCapacity = 0;
    LString mCharacters;
    float mRowHeight = 12.0f;
    LVector2 mPosition;
    uint32_t mTexture = 0;
};
