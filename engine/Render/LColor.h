// The engine's colour: four float components, alpha first, each meant to lie in 0..1.
// The packed form is 0xAARRGGBB, a byte v standing for v / 255. Clamped operations limit
// each component to 0..1 (NaN passes unchanged); the in-place ones do not clamp.
#pragma once
#include <cstdint>

class LIStream;
class LString;

class LColor
{
public:
    LColor() = default;
    LColor(float aRed, float aGreen, float aBlue);
    LColor(float aAlpha, float aRed, float aGreen, float aBlue);
    LColor(unsigned char aRed, unsigned char aGreen, unsigned char aBlue);
    LColor(unsigned char aAlpha, unsigned char aRed, unsigned char aGreen, unsigned char aBlue);
    explicit LColor(uint32_t aArgb);
    LColor(const LColor& aOther) = default;
    LColor& operator=(const LColor& aOther) = default;

    void Set(float aAlpha, float aRed, float aGreen, float aBlue);
    // Each component times 255, truncated and limited to 0..255 (NaN gives 0).
    uint32_t ToARGB() const;
    void Pow(float aExponent);

    bool operator==(const LColor& aOther) const;
    bool operator!=(const LColor& aOther) const;

    LColor operator*(const LColor& aOther) const;
    LColor operator*(float aScalar) const;
    LColor& operator*=(const LColor& aOther);
    LColor& operator*=(float aScalar);
    LColor operator+(const LColor& aOther) const;
    LColor operator+(float aScalar) const;
    LColor& operator+=(const LColor& aOther);
    LColor& operator+=(float aScalar);

    // Stream form: red, green, blue, alpha. All four are attempted.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;
    LString Dump() const;

    float a = 0.0f;
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};
