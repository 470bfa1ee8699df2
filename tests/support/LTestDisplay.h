// Display objects for the tests of the 2-D toolkit: groups and sprites under an id,
// sprites that show an image (their texture made through whatever "texture" creator is
// registered) or that only have a boundary.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "LImage.h"

// A flat 32-bit image, every byte aFill.
void MakeFlatImage(LImage& aImage, int aWidth, int aHeight, unsigned char aFill = 0x80);
LDisplayGroup* TestGroup(const char* aId, float aX = 0.0f, float aY = 0.0f);
// A sprite showing aImage, which it names aId.
LSprite* ImageSprite(const char* aId, LImage& aImage);
LSprite* ImageSprite(const char* aId, int aWidth, int aHeight, unsigned char aFill = 0x80);
// A sprite without a picture whose boundary is a box of the size from its origin.
LSprite* BoxSprite(const char* aId, float aWidth, float aHeight);
