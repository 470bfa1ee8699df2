#include "Render/LColor.h"

#include "container/LString.h"
#include "stdlib/LIStream.h"

#include <cmath>

namespace {

float Clamp(float aValue)
{
    if (aValue < 0.0f) {
        return 0.0f;
    }
    if (aValue > 1.0f) {
        return 1.0f;
    }
    return aValue; // NaN compares false both ways and passes unchanged
}

uint32_t ToByte(float aComponent)
{
    const float scaled = aComponent * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0; // negative, zero or NaN
    }
    if (scaled >= 255.0f) {
        return 255;
    }
    return static_cast<uint32_t>(scaled);
}

float FromByte(uint32_t aByte)
{
    return static_cast<float>(aByte & 0xFFu) / 255.0f;
}

} // namespace

LColor::LColor(float aRed, float aGreen, float aBlue) : a(1.0f), r(Clamp(aRed)), g(Clamp(aGreen)), b(Clamp(aBlue))
{
}

LColor::LColor(float aAlpha, float aRed, float aGreen, float aBlue)
    : a(Clamp(aAlpha)), r(Clamp(aRed)), g(Clamp(aGreen)), b(Clamp(aBlue))
{
}

LColor::LColor(unsigned char aRed, unsigned char aGreen, unsigned char aBlue)
    : a(1.0f), r(FromByte(aRed)), g(FromByte(aGreen)), b(FromByte(aBlue))
{
}

LColor::LColor(unsigned char aAlpha, unsigned char aRed, unsigned char aGreen, unsigned char aBlue)
    : a(FromByte(aAlpha)), r(FromByte(aRed)), g(FromByte(aGreen)), b(FromByte(aBlue))
{
}

LColor::LColor(uint32_t aArgb)
    : a(FromByte(aArgb >> 24)), r(FromByte(aArgb >> 16)), g(FromByte(aArgb >> 8)), b(FromByte(aArgb))
{
}

void LColor::Set(float aAlpha, float aRed, float aGreen, float aBlue)
{
    a = aAlpha;
    r = aRed;
    g = aGreen;
    b = aBlue;
}

uint32_t LColor::ToARGB() const
{
    return (ToByte(a) << 24) | (ToByte(r) << 16) | (ToByte(g) << 8) | ToByte(b);
}

void LColor::Pow(float aExponent)
{
    a = std::pow(a, aExponent);
    r = std::pow(r, aExponent);
    g = std::pow(g, aExponent);
    b = std::pow(b, aExponent);
}

bool LColor::operator==(const LColor& aOther) const
{
    return a == aOther.a && r == aOther.r && g == aOther.g && b == aOther.b;
}

bool LColor::operator!=(const LColor& aOther) const
{
    return !(*this == aOther);
}

LColor LColor::operator*(const LColor& aOther) const
{
    return LColor(a * aOther.a, r * aOther.r, g * aOther.g, b * aOther.b);
}

LColor LColor::operator*(float aScalar) const
{
    return LColor(a * aScalar, r * aScalar, g * aScalar, b * aScalar);
}

LColor& LColor::operator*=(const LColor& aOther)
{
    Set(a * aOther.a, r * aOther.r, g * aOther.g, b * aOther.b);
    return *this;
}

LColor& LColor::operator*=(float aScalar)
{
    Set(a * aScalar, r * aScalar, g * aScalar, b * aScalar);
    return *this;
}

LColor LColor::operator+(const LColor& aOther) const
{
    return LColor(a + aOther.a, r + aOther.r, g + aOther.g, b + aOther.b);
}

LColor LColor::operator+(float aScalar) const
{
    return LColor(a + aScalar, r + aScalar, g + aScalar, b + aScalar);
}

LColor& LColor::operator+=(const LColor& aOther)
{
    Set(a + aOther.a, r + aOther.r, g + aOther.g, b + aOther.b);
    return *this;
}

LColor& LColor::operator+=(float aScalar)
{
    Set(a + aScalar, r + aScalar, g + aScalar, b + aScalar);
    return *this;
}

bool LColor::Read(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    const bool red = aStream->Read(r);
    const bool green = aStream->Read(g);
    const bool blue = aStream->Read(b);
    const bool alpha = aStream->Read(a);
    return red && green && blue && alpha;
}

bool LColor::Write(LIStream* aStream) const
{
    if (!aStream) {
        return false;
    }
    const bool red = aStream->Write(r);
    const bool green = aStream->Write(g);
    const bool blue = aStream->Write(b);
    const bool alpha = aStream->Write(a);
    return red && green && blue && alpha;
}

LString LColor::Dump() const
{
    LString text("[LColor <");
    text += static_cast<const void*>(this);
    return text + "> A:" + a + " R:" + r + " G:" + g + " B:" + b + "]";
}
