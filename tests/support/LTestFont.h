// A small raster font for tests, built in memory: glyphs "A", "o", "-", "B" and " " with
// advances of 5, 4, 2, 5 and 3 pixels on rows of height 9 (8 rows of glyph), in an atlas
// of 48 x 9 pixels.
#pragma once
#include "LImage.h"

#include <cstdint>
#include <string>
#include <vector>

class LFontRaster;

// The atlas: marker row as described, glyph rows opaque white.
void MakeTestAtlas(LImage& aImage);
// Marker row bytes for a run description: 'k' opaque black, 'w' opaque white, '.' clear.
void MakeMarkerAtlas(LImage& aImage, const char* aMarkers, int aRowHeight, int aBands);
// The pixels of such an atlas (blue, green, red, alpha; top row first) and its width.
std::vector<unsigned char> MarkerAtlasPixels(const char* aMarkers, int aRowHeight, int aBands, int* aWidth);
// The test atlas as a 32-bit TGA file stored top row first. With aColours (one
// 0xAARRGGBB word per glyph, in atlas order) the glyph rows show each glyph's advance
// columns in its colour and every other column clear, so that drawn glyphs can be told
// apart.
std::string TestAtlasTga(const uint32_t* aColours = nullptr);
// The test font under the texture id aId with the characters "Ao-B ".
LFontRaster* MakeTestFont(const char* aId);
