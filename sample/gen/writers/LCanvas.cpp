#include "writers/LCanvas.h"

#include "writers/LImageBytes.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t Mix(uint8_t aFrom, uint8_t aTo, float aWeight)
{
    return static_cast<uint8_t>(std::lround(aFrom + (aTo - aFrom) * aWeight));
}

} // namespace

LCanvas::LCanvas(int aWidth, int aHeight, Color aFill)
    : mWidth(std::max(aWidth, 0)), mHeight(std::max(aHeight, 0)),
      mPixels(static_cast<std::size_t>(mWidth) * mHeight, aFill)
{
}

LCanvas::Color LCanvas::Get(int aX, int aY) const
{
    if (aX < 0 || aY < 0 || aX >= mWidth || aY >= mHeight) {
        return kClear;
    }
    return mPixels[static_cast<std::size_t>(aY) * mWidth + aX];
}

void LCanvas::Set(int aX, int aY, Color aColor)
{
    if (aX >= 0 && aY >= 0 && aX < mWidth && aY < mHeight) {
        mPixels[static_cast<std::size_t>(aY) * mWidth + aX] = aColor;
    }
}

void LCanvas::Blend(int aX, int aY, Color aColor)
{
    if (aX < 0 || aY < 0 || aX >= mWidth || aY >= mHeight) {
        return;
    }
    Color& pixel = mPixels[static_cast<std::size_t>(aY) * mWidth + aX];
    const float weight = aColor.mA / 255.0f;
    pixel = Color {Mix(pixel.mR, aColor.mR, weight), Mix(pixel.mG, aColor.mG, weight),
                   Mix(pixel.mB, aColor.mB, weight), std::max(pixel.mA, aColor.mA)};
}

void LCanvas::Fill(int aX, int aY, int aWidth, int aHeight, Color aColor)
{
    for (int y = aY; y < aY + aHeight; ++y) {
        for (int x = aX; x < aX + aWidth; ++x) {
            Set(x, y, aColor);
        }
    }
}

void LCanvas::Gradient(int aX, int aY, int aWidth, int aHeight, Color aTop, Color aBottom)
{
    for (int row = 0; row < aHeight; ++row) {
        const float weight = aHeight > 1 ? static_cast<float>(row) / (aHeight - 1) : 0.0f;
        const Color color {Mix(aTop.mR, aBottom.mR, weight), Mix(aTop.mG, aBottom.mG, weight),
                           Mix(aTop.mB, aBottom.mB, weight), Mix(aTop.mA, aBottom.mA, weight)};
        Fill(aX, aY + row, aWidth, 1, color);
    }
}

void LCanvas::Frame(int aX, int aY, int aWidth, int aHeight, int aThickness, Color aColor)
{
    Fill(aX, aY, aWidth, aThickness, aColor);
    Fill(aX, aY + aHeight - aThickness, aWidth, aThickness, aColor);
    Fill(aX, aY, aThickness, aHeight, aColor);
    Fill(aX + aWidth - aThickness, aY, aThickness, aHeight, aColor);
}

void LCanvas::Disc(float aCenterX, float aCenterY, float aRadius, Color aColor, bool aFalloff)
{
    Ring(aCenterX, aCenterY, -1.0f, aRadius, aColor);
    if (!aFalloff) {
        return;
    }
    // Fades the disc's alpha towards its rim.
    for (int y = static_cast<int>(aCenterY - aRadius); y <= static_cast<int>(aCenterY + aRadius); ++y) {
        for (int x = static_cast<int>(aCenterX - aRadius); x <= static_cast<int>(aCenterX + aRadius); ++x) {
            const float distance = std::hypot(x + 0.5f - aCenterX, y + 0.5f - aCenterY);
            if (distance <= aRadius) {
                Color pixel = Get(x, y);
                pixel.mA = Mix(aColor.mA, 0, distance / aRadius);
                Set(x, y, pixel);
            }
        }
    }
}

void LCanvas::Ring(float aCenterX, float aCenterY, float aInner, float aOuter, Color aColor)
{
    for (int y = static_cast<int>(aCenterY - aOuter) - 1; y <= static_cast<int>(aCenterY + aOuter) + 1; ++y) {
        for (int x = static_cast<int>(aCenterX - aOuter) - 1; x <= static_cast<int>(aCenterX + aOuter) + 1; ++x) {
            const float distance = std::hypot(x + 0.5f - aCenterX, y + 0.5f - aCenterY);
            if (distance <= aOuter && distance > aInner) {
                Set(x, y, aColor);
            }
        }
    }
}

void LCanvas::Line(float aX0, float aY0, float aX1, float aY1, float aThickness, Color aColor)
{
    const float length = std::max(std::hypot(aX1 - aX0, aY1 - aY0), 1.0f);
    const int steps = static_cast<int>(length * 2.0f);
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        const float x = aX0 + (aX1 - aX0) * t;
        const float y = aY0 + (aY1 - aY0) * t;
        Ring(x, y, -1.0f, aThickness * 0.5f, aColor);
    }
}

void LCanvas::Triangle(float aX0, float aY0, float aX1, float aY1, float aX2, float aY2, Color aColor)
{
    const auto side = [](float aAx, float aAy, float aBx, float aBy, float aPx, float aPy) {
        return (aBx - aAx) * (aPy - aAy) - (aBy - aAy) * (aPx - aAx);
    };
    const int left = static_cast<int>(std::min({aX0, aX1, aX2}));
    const int right = static_cast<int>(std::max({aX0, aX1, aX2}));
    const int top = static_cast<int>(std::min({aY0, aY1, aY2}));
    const int bottom = static_cast<int>(std::max({aY0, aY1, aY2}));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const float px = x + 0.5f;
            const float py = y + 0.5f;
            const float a = side(aX0, aY0, aX1, aY1, px, py);
            const float b = side(aX1, aY1, aX2, aY2, px, py);
            const float c = side(aX2, aY2, aX0, aY0, px, py);
            if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0)) {
                Set(x, y, aColor);
            }
        }
    }
}

void LCanvas::Paste(const LCanvas& aSource, int aX, int aY)
{
    for (int y = 0; y < aSource.mHeight; ++y) {
        for (int x = 0; x < aSource.mWidth; ++x) {
            Blend(aX + x, aY + y, aSource.Get(x, y));
        }
    }
}

std::string LCanvas::Tga() const
{
    std::string pixels;
    pixels.reserve(mPixels.size() * 4);
    for (const Color& pixel : mPixels) {
        pixels += static_cast<char>(pixel.mB);
        pixels += static_cast<char>(pixel.mG);
        pixels += static_cast<char>(pixel.mR);
        pixels += static_cast<char>(pixel.mA);
    }
    // 8 alpha bits, top row first.
    return LImageBytes::Tga(mWidth, mHeight, 32, 0x28, pixels);
}

std::string LCanvas::Bmp() const
{
    std::string rows;
    const int padding = (4 - (mWidth * 3) % 4) % 4;
    rows.reserve(static_cast<std::size_t>(mWidth * 3 + padding) * mHeight);
    // Bottom row first.
    for (int y = mHeight - 1; y >= 0; --y) {
        for (int x = 0; x < mWidth; ++x) {
            const Color pixel = Get(x, y);
            rows += static_cast<char>(pixel.mB);
            rows += static_cast<char>(pixel.mG);
            rows += static_cast<char>(pixel.mR);
        }
        rows.append(padding, '\0');
    }
    return LImageBytes::Bmp(mWidth, mHeight, rows);
}
