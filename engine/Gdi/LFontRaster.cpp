#include "Gdi/LFontRaster.h"

#include "Gdi/LRenderer.h"
#include "Gdi/LSprite.h"
#include "LImage.h"
#include "Render/LTextureManager.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <cstring>

namespace {
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr uint32_t kTransparent = 0x00000000u;
} // namespace

LFontRaster::LFontRaster(const LString& aId, const LString* aCharacters, LImage* aImage, int aRowHeight)
    : mPosition(0.0f, 0.0f)
{
    if (aCharacters != nullptr) {
        mCharacters = *aCharacters;
    } else {
        char16_t printable[96];
        for (int i = 0; i < 95; ++i) {
            printable[i] = static_cast<char16_t>(32 + i);
        }
        printable[95] = 0;
        mCharacters = LString(printable);
    }
    Setup(aId, aImage, aRowHeight);
    mBlend = 1.0f;
}

LFontRaster::~LFontRaster()
{
    for (int i = 0; i < mGlyphCount; ++i) {
        delete mGlyphs[i].mSprite;
    }
    delete[] mGlyphs;
}

LString LFontRaster::Dump() const
{
    return DumpHead("LFontRaster") + "]";
}

const LFontRaster::Glyph* LFontRaster::Find(char16_t aChar) const
{
    int low = 0;
    int high = mGlyphCount - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (mGlyphs[middle].mCode == aChar) {
            return &mGlyphs[middle];
        }
        if (mGlyphs[middle].mCode < aChar) {
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return nullptr;
}

bool LFontRaster::AddGlyph(char16_t aChar, float aAspect)
{
    if (Find(aChar) != nullptr) {
        return false;
    }
    if (mGlyphCount == mGlyphCapacity) {
        const int capacity = mGlyphCapacity == 0 ? 128 : mGlyphCapacity * 2;
        Glyph* glyphs = L_NEW Glyph[capacity];
        if (glyphs == nullptr) {
            return false;
        }
        if (mGlyphCount > 0) {
            std::memcpy(glyphs, mGlyphs, sizeof(Glyph) * static_cast<size_t>(mGlyphCount));
        }
        delete[] mGlyphs;
        mGlyphs = glyphs;
        mGlyphCapacity = capacity;
    }
    int at = mGlyphCount;
    while (at > 0 && mGlyphs[at - 1].mCode > aChar) {
        mGlyphs[at] = mGlyphs[at - 1];
        --at;
    }
    mGlyphs[at] = Glyph {aChar, aAspect, nullptr};
    ++mGlyphCount;
    return true;
}

bool LFontRaster::Setup(const LString& aId, LImage* aImage, int aRowHeight)
{
    // A band needs its marker row and at least one row of glyph.
    if (aRowHeight < 2 || aImage == nullptr) {
        L_ERROR(LString("LFontRaster setup failure. Invalid row height: ") + aRowHeight);
        return false;
    }
    LTextureManager* manager = LTextureManager::Get();
    if (manager == nullptr) {
        L_ERROR("LFontRaster setup failure.");
        return false;
    }
    mTexture = manager->GetHandle(aId);
    if (mTexture == 0) {
        mTexture = manager->CreateTexture(aId, aImage);
    }
    if (mTexture == 0) {
        L_ERROR("LFontRaster setup failure.");
        return false;
    }
    return Scan(aImage, aRowHeight);
}

bool LFontRaster::Scan(LImage* aImage, int aRowHeight)
{
    const int r = aRowHeight;
    const int width = aImage->GetWidth();
    const int height = aImage->GetHeight();
    mRowHeight = static_cast<float>(r - 1);
    // The pixel at (x, y); past the last column the marker row has ended.
    auto pixel = [&](int aX, int aY) -> uint32_t {
        return aX < width ? aImage->GetPixelARGB(aX, aY) : kTransparent;
    };
    int x = -1;
    int y = -r;
    int i = 0;
    bool newRow = true;
    const int count = mCharacters.GetLength();
    while (i < count) {
        if (newRow) {
            x = -1;
            y += r;
            newRow = false;
        }
        if (y >= height) {
            break;
        }
        uint32_t cur = kTransparent;
        int start = -1;
        while (cur != kOpaqueWhite && !newRow) {
            ++x;
            if (x >= width) {
                newRow = true;
            } else {
                cur = pixel(x, y);
                if (cur == kOpaqueBlack) {
                    start = x;
                }
            }
        }
        if (newRow) {
            continue;
        }
        if (start == -1) {
            start = x;
        }
        const int left = x;
        while (cur == kOpaqueWhite && x < width) {
            ++x;
            cur = pixel(x, y);
        }
        const int right = x;
        while (cur == kOpaqueBlack && x < width) {
            ++x;
            cur = pixel(x, y);
        }
        const int end = x;
        const char16_t code = mCharacters.At(i);
        const float aspect = static_cast<float>(right - left) / static_cast<float>(r - 1);
        if (!AddGlyph(code, aspect)) {
            L_ERROR("Add failure.");
        } else {
            LSprite* sprite = L_NEW LSprite();
            Glyph* glyph = const_cast<Glyph*>(Find(code));
            if (sprite != nullptr) {
                const char16_t id[2] = {code, 0};
                sprite->SetId(LString(id));
                const LVector2 first(static_cast<float>(start), static_cast<float>(y + 1));
                const LVector2 last(static_cast<float>(end - 1), static_cast<float>(y + r - 1));
                sprite->SetTexture(mTexture, &first, &last);
                sprite->SetCenter(static_cast<float>(left - start), 0.0f);
                glyph->mSprite = sprite;
            } else {
                L_ERROR("Add failure.");
            }
        }
        ++i;
    }
    return true;
}

float LFontRaster::GetAspect(char16_t aChar) const
{
    const Glyph* glyph = Find(aChar);
    return glyph != nullptr ? glyph->mAspect : -1.0f;
}

LSprite* LFontRaster::GetSprite(char16_t aChar) const
{
    const Glyph* glyph = Find(aChar);
    return glyph != nullptr ? glyph->mSprite : nullptr;
}

int LFontRaster::GetAlignment()
{
    L_ERROR("GetAlignment not yet implemented.");
    return 0;
}

int LFontRaster::SetAlignment(int)
{
    L_ERROR("SetAlignment not yet implemented.");
    return 0;
}

float LFontRaster::GetBlend() const
{
    return mBlend;
}

LVector2 LFontRaster::GetScale() const
{
    return mScale;
}

float LFontRaster::GetRowHeight() const
{
    return mRowHeight;
}

float LFontRaster::GetCharWidth(char16_t aChar) const
{
    const Glyph* glyph = Find(aChar);
    if (glyph == nullptr) {
        L_ERROR(LString("Could not find aspect for char: ") + static_cast<int>(aChar));
        return 0.0f;
    }
    return glyph->mAspect * mRowHeight * mScale.x;
}

float LFontRaster::GetTextWidth(const LString& aText) const
{
    float width = 0.0f;
    for (int i = 0; i < aText.GetLength(); ++i) {
        const Glyph* glyph = Find(aText.At(i));
        if (glyph == nullptr) {
            L_ERROR(LString("Could not find width for char: ") + static_cast<int>(aText.At(i)));
            return 0.0f;
        }
        width += glyph->mAspect * mRowHeight * mScale.x;
    }
    return width;
}

bool LFontRaster::Render(LRenderer* aRenderer, const LString& aText)
{
    LVector2 pen = mPosition;
    for (int i = 0; i < aText.GetLength(); ++i) {
        const char16_t code = aText.At(i);
        const Glyph* glyph = Find(code);
        if (glyph == nullptr || glyph->mSprite == nullptr) {
            L_ERROR(LString("Render failure. Could not find sprite for char: ") + static_cast<int>(code));
            return false;
        }
        LSprite* sprite = glyph->mSprite;
        sprite->SetPosition(pen);
        sprite->SetScale(mScale);
        sprite->SetBlend(mBlend);
        if (!sprite->Render(aRenderer)) {
            L_ERROR("Render failure.");
            return false;
        }
        pen.x += glyph->mAspect * mRowHeight * mScale.x;
    }
    return true;
}

bool LFontRaster::RenderChar(LRenderer* aRenderer, char16_t aChar)
{
    const Glyph* glyph = Find(aChar);
    if (glyph == nullptr || glyph->mSprite == nullptr || aRenderer == nullptr) {
        L_ERROR(LString("Render failure. Could not find sprite for char: ") + static_cast<int>(aChar));
        return false;
    }
    glyph->mSprite->SetPosition(mPosition);
    glyph->mSprite->SetScale(mScale);
    glyph->mSprite->SetBlend(mBlend);
    return aRenderer->RenderSprite(glyph->mSprite);
}

int LFontRaster::SetBlend(float aBlend)
{
    mBlend = aBlend;
    return 1;
}

int LFontRaster::SetPosition(const LVector2& aPosition)
{
    mPosition = aPosition;
    return 1;
}

int LFontRaster::SetPosition(float aX, float aY)
{
    mPosition = LVector2(aX, aY);
    return 1;
}

int LFontRaster::SetScale(const LVector2& aScale)
{
    mScale = aScale;
    return 1;
}

int LFontRaster::SetScale(float aX, float aY)
{
    mScale = LVector2(aX, aY);
    return 1;
}

int LFontRaster::SetScale(float aScale)
{
    mScale = LVector2(aScale, aScale);
    return 1;
}
