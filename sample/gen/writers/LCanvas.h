// A picture in memory for the sample generator: 8-bit red, green, blue and alpha per
// pixel, row 0 at the top, with the few drawing operations the sample's pictures are made
// of, written out as a Targa or bitmap file through LImageBytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class LCanvas
{
public:
    struct Color
    {
        uint8_t mR = 0;
        uint8_t mG = 0;
        uint8_t mB = 0;
        uint8_t mA = 255;
    };
    static constexpr Color kClear {0, 0, 0, 0};
    static constexpr Color kBlack {0, 0, 0, 255};
    static constexpr Color kWhite {255, 255, 255, 255};

    LCanvas(int aWidth, int aHeight, Color aFill = kClear);

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    Color Get(int aX, int aY) const;
    // Pixels outside the picture are ignored.
    void Set(int aX, int aY, Color aColor);
    // Mixes aColor over the pixel by aColor's alpha (the result keeps the larger alpha).
    void Blend(int aX, int aY, Color aColor);

    void Fill(int aX, int aY, int aWidth, int aHeight, Color aColor);
    // From aTop at the first row to aBottom at the last row of the rectangle.
    void Gradient(int aX, int aY, int aWidth, int aHeight, Color aTop, Color aBottom);
    // A border of aThickness pixels inside the rectangle.
    void Frame(int aX, int aY, int aWidth, int aHeight, int aThickness, Color aColor);
    // A filled disc; with aFalloff the alpha falls from the centre to 0 at the rim.
    void Disc(float aCenterX, float aCenterY, float aRadius, Color aColor, bool aFalloff = false);
    // A ring between the two radii.
    void Ring(float aCenterX, float aCenterY, float aInner, float aOuter, Color aColor);
    // A straight line of aThickness pixels.
    void Line(float aX0, float aY0, float aX1, float aY1, float aThickness, Color aColor);
    // A filled triangle.
    void Triangle(float aX0, float aY0, float aX1, float aY1, float aX2, float aY2, Color aColor);
    // Copies aSource with its top left corner at (aX, aY), blending by its alpha.
    void Paste(const LCanvas& aSource, int aX, int aY);

    // A type-2 Targa file of 32 bits, top row first.
    std::string Tga() const;
    // A 24-bit bitmap, alpha dropped.
    std::string Bmp() const;

private:
    int mWidth;
    int mHeight;
    std::vector<Color> mPixels;
};
