#include "LImage.h"
#include "Render/LITexture.h"
#include "Render/LTextureManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeTexture.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {
// A 2 x 2 image of 32-bit pixels.
void MakeImage(LImage& aImage, unsigned char aShade = 0x40)
{
    unsigned char pixels[16];
    for (int i = 0; i < 16; ++i) {
        pixels[i] = static_cast<unsigned char>(aShade + i);
    }
    ASSERT_EQ(1, aImage.Create(2, 2, 8, L_IMAGE_FORMAT_A8R8G8B8, pixels, 16));
}
} // namespace

TEST(TextureManagerIds, SameIdGivesSameHandle)
{
    RegisterFakeRender();
    LTextureManager* manager = LTextureManager::Get();
    ASSERT_NE(nullptr, manager);
    LImage image;
    MakeImage(image);
    const uint32_t first = manager->CreateTexture(LString("panel.tga"), &image);
    EXPECT_EQ(0x78u, first >> 24);
    EXPECT_EQ(first, manager->CreateTexture(LString("panel.tga"), &image));
    EXPECT_EQ(1, LFakeTexture::MadeCount());
    const uint32_t other = manager->CreateTexture(LString("//textures/panel.tga"), &image);
    EXPECT_NE(first, other);
    EXPECT_EQ(first, manager->GetHandle(LString("panel.tga")));
    EXPECT_EQ(0u, manager->GetHandle(LString("missing.tga")));
    LString name;
    EXPECT_EQ(1, manager->GetTextureName(other, name));
    EXPECT_EQ(LString("//textures/panel.tga"), name);
    EXPECT_NE(nullptr, manager->GetTexture(first));
    EXPECT_EQ(manager->GetTexture(first), manager->GetTexture(LString("panel.tga")));
}

TEST(TextureManagerIds, RegisteringATextureUnderAKnownIdKeepsTheFirst)
{
    RegisterFakeRender();
    LLogCapture log;
    LTextureManager* manager = LTextureManager::Get();
    LFakeTexture* mine = new LFakeTexture();
    const uint32_t handle = manager->CreateTexture(LString("movie"), mine);
    ASSERT_NE(0u, handle);
    LFakeTexture* second = new LFakeTexture();
    EXPECT_EQ(handle, manager->CreateTexture(LString("movie"), second));
    EXPECT_TRUE(log.Contains("WARNING: "));
    EXPECT_TRUE(log.Contains("CreateTexture failure. Texture id exists: movie"));
    EXPECT_EQ(mine, manager->GetTexture(handle));
    // The refused texture stays the caller's.
    delete second;
    EXPECT_EQ(0u, manager->CreateTexture(LString("x"), static_cast<LITexture*>(nullptr)));
}

TEST(TextureManagerIds, AFailedFillLeavesNoTexture)
{
    RegisterFakeRender();
    LLogCapture log;
    LTextureManager* manager = LTextureManager::Get();
    LImage image;
    MakeImage(image);
    LFakeTexture::SetFailCreation(true);
    EXPECT_EQ(0u, manager->CreateTexture(LString("bad.tga"), &image));
    EXPECT_TRUE(log.Contains("CreateTexture failure."));
    EXPECT_EQ(0, LFakeTexture::LiveCount());
    LFakeTexture::SetFailCreation(false);
    // A later request tries again.
    EXPECT_NE(0u, manager->CreateTexture(LString("bad.tga"), &image));
}

TEST(TextureManagerLocks, LockedTexturesSurviveRemoval)
{
    RegisterFakeRender();
    LLogCapture log;
    LTextureManager* manager = LTextureManager::Get();
    LImage image;
    MakeImage(image);
    const uint32_t handle = manager->CreateTexture(LString("a.tga"), &image);
    ASSERT_EQ(1, manager->LockTexture(handle));
    ASSERT_EQ(1, manager->LockTexture(handle));
    EXPECT_EQ(0, manager->DestroyTexture(handle));
    EXPECT_EQ(0, manager->DestroyTextureAndHandle(handle));
    EXPECT_EQ(0, manager->RemoveTexture(handle, nullptr));
    EXPECT_NE(nullptr, manager->GetTexture(handle));
    EXPECT_EQ(1, LFakeTexture::LiveCount());
    // Two locks need two unlocks; the last one deletes the texture and its handle.
    EXPECT_EQ(1, manager->UnlockTexture(handle, false));
    EXPECT_EQ(1, LFakeTexture::LiveCount());
    EXPECT_EQ(1, manager->UnlockTexture(handle, false));
    EXPECT_EQ(0, LFakeTexture::LiveCount());
    EXPECT_EQ(0u, manager->GetHandle(LString("a.tga")));
}

TEST(TextureManagerLocks, UnlockedTexturesCanBeDestroyed)
{
    RegisterFakeRender();
    LTextureManager* manager = LTextureManager::Get();
    LImage image;
    MakeImage(image);
    const uint32_t handle = manager->CreateTexture(LString("b.tga"), &image);
    EXPECT_EQ(1, manager->DestroyTexture(handle));
    EXPECT_EQ(0, LFakeTexture::LiveCount());
    // The handle stays without a texture until it is removed.
    EXPECT_EQ(handle, manager->GetHandle(LString("b.tga")));
    EXPECT_EQ(1, manager->RemoveHandle(handle));
    EXPECT_EQ(0u, manager->GetHandle(LString("b.tga")));
}

TEST(TextureManagerRoot, SetRootNormalisesSymbolicPaths)
{
    LLogCapture log;
    LTextureManager* manager = LTextureManager::Get();
    EXPECT_EQ(LString(""), manager->GetRoot());
    const char* const roots[][2] = {{"//textures", "//textures/"}, {"//a//b/", "//a/b/"}, {"///a///b//", "//a/b/"},
                                    {"textures", nullptr}, {"/textures", nullptr}, {"//", nullptr}};
    for (const auto& root : roots) {
        EXPECT_EQ(root[1] != nullptr, manager->SetRoot(LString(root[0]))) << root[0];
        EXPECT_EQ(LString(root[1] != nullptr ? root[1] : "//a/b/"), manager->GetRoot()) << root[0];
    }
    EXPECT_EQ(3, log.Count("SetRoot failure. Invalid arg."));
}

TEST(TextureManagerRoot, RelativeNamesNeedARoot)
{
    RegisterFakeRender();
    LLogCapture log;
    LTextureManager* manager = LTextureManager::Get();
    EXPECT_EQ(0u, manager->CreateTexture(LString("interview/panel.tga")));
    EXPECT_TRUE(log.Contains("CreateTexture failure. Root undefined."));
}
