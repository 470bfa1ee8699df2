#include "support/LTestFont.h"

#include "Gdi/LFontRaster.h"
#include "container/LString.h"
#include "writers/LImageBytes.h"

#include <cstring>
#include <string>

namespace {
// Opener, run, closer and a clear pixel per glyph: A 5, o 4, - 2, B 5, space 3.
const char* const kMarkers = "kwwwwwk.kwwwwk.kwwk.kwwwwwk.kwwwk...................";
} // namespace

std::vector<unsigned char> MarkerAtlasPixels(const char* aMarkers, int aRowHeight, int aBands, int* aWidth)
{
    const int width = static_cast<int>(std::strlen(aMarkers)) / aBands;
    const int height = aRowHeight * aBands;
    *aWidth = width;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4, 0xFF);
    for (int band = 0; band < aBands; ++band) {
        unsigned char* row = pixels.data() + static_cast<size_t>(band) * aRowHeight * width * 4;
        for (int x = 0; x < width; ++x) {
            const char mark = aMarkers[band * width + x];
            unsigned char* p = row + x * 4;
            const unsigned char value = mark == 'w' ? 0xFF : 0x00;
            p[0] = p[1] = p[2] = value;
            p[3] = mark == '.' ? 0x00 : 0xFF;
        }
    }
    return pixels;
}

void MakeMarkerAtlas(LImage& aImage, const char* aMarkers, int aRowHeight, int aBands)
{
    int width = 0;
    const std::vector<unsigned char> pixels = MarkerAtlasPixels(aMarkers, aRowHeight, aBands, &width);
    const int height = aRowHeight * aBands;
    aImage.Create(width, height, width * 4, L_IMAGE_FORMAT_A8R8G8B8, pixels.data(),
                  static_cast<int>(pixels.size()));
}

std::string TestAtlasTga(const uint32_t* aColours)
{
    int width = 0;
    const std::string markers = std::string(kMarkers).substr(0, 48);
    std::vector<unsigned char> pixels = MarkerAtlasPixels(markers.c_str(), 9, 1, &width);
    if (aColours != nullptr) {
        int glyph = -1;
        for (int x = 0; x < width; ++x) {
            const bool advance = markers[x] == 'w';
            glyph += advance && (x == 0 || markers[x - 1] != 'w') ? 1 : 0;
            const uint32_t colour = advance ? aColours[glyph] : 0u;
            for (int y = 1; y < 9; ++y) {
                unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
                for (int channel = 0; channel < 4; ++channel) {
                    p[channel] = static_cast<unsigned char>(colour >> (8 * channel));
                }
            }
        }
    }
    return LImageBytes::Tga(width, 9, 32, 0x28, std::string(pixels.begin(), pixels.end()));
}

void MakeTestAtlas(LImage& aImage)
{
    MakeMarkerAtlas(aImage, std::string(kMarkers).substr(0, 48).c_str(), 9, 1);
}

LFontRaster* MakeTestFont(const char* aId)
{
    LImage atlas;
    MakeTestAtlas(atlas);
    const LString characters(u"Ao-B ");
    return new LFontRaster(LString(aId), &characters, &atlas, 9);
}
