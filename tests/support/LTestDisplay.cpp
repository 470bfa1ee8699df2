#include "support/LTestDisplay.h"

#include "LRectangle.h"

#include <gtest/gtest.h>

#include <vector>

void MakeFlatImage(LImage& aImage, int aWidth, int aHeight, unsigned char aFill)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(aWidth) * aHeight * 4, aFill);
    EXPECT_EQ(1, aImage.Create(aWidth, aHeight, aWidth * 4, L_IMAGE_FORMAT_A8R8G8B8, pixels.data(),
                               static_cast<int>(pixels.size())));
}

LDisplayGroup* TestGroup(const char* aId, float aX, float aY)
{
    LDisplayGroup* group = new LDisplayGroup();
    group->SetId(LString(aId));
    group->SetPosition(aX, aY);
    return group;
}

LSprite* ImageSprite(const char* aId, LImage& aImage)
{
    LSprite* sprite = new LSprite();
    sprite->SetId(LString(aId));
    EXPECT_TRUE(sprite->SetImage(LString(aId), &aImage, nullptr, nullptr));
    return sprite;
}

LSprite* ImageSprite(const char* aId, int aWidth, int aHeight, unsigned char aFill)
{
    LImage image;
    MakeFlatImage(image, aWidth, aHeight, aFill);
    return ImageSprite(aId, image);
}

LSprite* BoxSprite(const char* aId, float aWidth, float aHeight)
{
    LSprite* sprite = new LSprite();
    sprite->SetId(LString(aId));
    const LRectangle box(0.0f, 0.0f, aWidth, aHeight);
    sprite->SetBoundary(&box);
    return sprite;
}
