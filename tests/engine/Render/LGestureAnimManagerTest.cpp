#include "Render/LAnimation.h"
#include "Render/LGestureAnimManager.h"
#include "object/LObjectManager.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "writers/LAnimationBytes.h"

#include <gtest/gtest.h>

namespace {

std::string Current(const char16_t* aName)
{
    return LAnimationBytes().Header(aName, 1, 2).Channel(u"Biped", 1, 2).Bytes();
}

class GestureAnimManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//animations"), FromStd(mAnimations.Path())));
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//other"), FromStd(mOther.Path())));
        mAnimations.Write("wave.lia1", Current(u"wave"));
        mAnimations.Write("nod.LIA1", Current(u"nod"));
        mAnimations.Write("old.lia", LAnimationBytes().LiaHeader(1, 1).LiaChannel(std::string("Biped\0", 6), 0, 1).Bytes());
        mAnimations.Write("wave.txt", Current(u"text"));
        mAnimations.Write("broken.lia1", Current(u"broken").substr(0, 20));
        mOther.Write("shrug.lia1", Current(u"shrug"));
        mManager = LGestureAnimManager::Get();
        ASSERT_NE(nullptr, mManager);
    }

    LTestDirectory mAnimations;
    LTestDirectory mOther;
    LGestureAnimManager* mManager = nullptr;
};

} // namespace

TEST_F(GestureAnimManagerTest, AnimationsAreReadOnceAndSharedByHandle)
{
    ASSERT_TRUE(mManager->SetRoot(LString("//animations")));
    LObjectManager::SetNextSerial(1);
    const unsigned wave = mManager->CreateAnimation(LString("wave.lia1"));
    EXPECT_EQ(0x88000001u, wave);
    // The file is not read again: a second request is answered from the cache.
    mAnimations.Write("wave.lia1", "");
    EXPECT_EQ(wave, mManager->CreateAnimation(LString("wave.lia1")));
    ASSERT_NE(nullptr, mManager->GetAnimation(wave));
    EXPECT_EQ(LString("wave"), mManager->GetAnimation(wave)->GetName());
    EXPECT_EQ(mManager->GetAnimation(wave), mManager->GetAnimation(LString("wave.lia1")));

    // Endings in any case; the older form is named by its id.
    const unsigned nod = mManager->CreateAnimation(LString("nod.LIA1"));
    EXPECT_NE(0u, nod);
    EXPECT_NE(wave, nod);
    const unsigned old = mManager->CreateAnimation(LString("old.lia"));
    ASSERT_NE(0u, old);
    EXPECT_EQ(LString("old.lia"), mManager->GetAnimation(old)->GetName());
    // An id that begins with "//" is a path of its own.
    const unsigned shrug = mManager->CreateAnimation(LString("//other/shrug.lia1"));
    ASSERT_NE(0u, shrug);
    EXPECT_EQ(LString("shrug"), mManager->GetAnimation(shrug)->GetName());
    EXPECT_EQ(shrug, mManager->GetHandle(LString("//other/shrug.lia1")));

    EXPECT_EQ(1, mManager->DestroyObjectAndHandle(shrug));
    EXPECT_EQ(0u, mManager->GetHandle(LString("//other/shrug.lia1")));
    mManager->RemoveAll();
    EXPECT_EQ(0u, mManager->GetHandle(LString("wave.lia1")));
}

TEST_F(GestureAnimManagerTest, FilesThatCannotBeReadLeaveNoHandle)
{
    LLogCapture log;
    EXPECT_EQ(0u, mManager->CreateAnimation(LString("wave.lia1")));
    EXPECT_TRUE(log.Contains("ERROR: "));
    EXPECT_TRUE(log.Contains("CreateAnimation failure. Root undefined."));

    const struct
    {
        const char* id;
        const char* message;
    } refused[] = {
        {"wave.txt", "Load failure. Invalid extension."},
        {"missing.lia1", "LoadAnimation failure."},
        {"broken.lia1", "Read failure."},
    };
    ASSERT_TRUE(mManager->SetRoot(LString("//animations/")));
    for (const auto& file : refused) {
        log.Clear();
        EXPECT_EQ(0u, mManager->CreateAnimation(LString(file.id))) << file.id;
        EXPECT_TRUE(log.Contains(file.message)) << file.id;
        EXPECT_EQ(0u, mManager->GetHandle(LString(file.id))) << file.id;
    }
}

TEST_F(GestureAnimManagerTest, RootsMustBeSymbolic)
{
    LLogCapture log;
    EXPECT_TRUE(mManager->SetRoot(LString("//animations")));
    EXPECT_EQ(LString("//animations/"), mManager->GetRoot());
    EXPECT_FALSE(mManager->SetRoot(LString("animations")));
    EXPECT_TRUE(log.Contains("SetRoot failure. Invalid arg."));
    EXPECT_EQ(LString("//animations/"), mManager->GetRoot());
    EXPECT_TRUE(mManager->SetRoot(LString("//other/")));
    EXPECT_EQ(LString("//other/"), mManager->GetRoot());
    EXPECT_TRUE(mManager->SetRoot(LString("//animations//sub/")));
    EXPECT_EQ(LString("//animations/sub/"), mManager->GetRoot());
}

TEST_F(GestureAnimManagerTest, AddedAnimationsKeepTheFirstUnderAnId)
{
    LLogCapture log;
    LAnimation* mine = new LAnimation();
    const unsigned handle = mManager->AddAnimation(LString("made"), mine);
    ASSERT_NE(0u, handle);
    LAnimation second;
    EXPECT_EQ(handle, mManager->AddAnimation(LString("made"), &second));
    EXPECT_TRUE(log.Contains("WARNING: "));
    EXPECT_TRUE(log.Contains("AddAnimation failure. Animation id exists: made"));
    EXPECT_EQ(mine, mManager->GetAnimation(handle));
    EXPECT_EQ(0u, mManager->AddAnimation(LString("none"), nullptr));
    EXPECT_TRUE(log.Contains("Invalid arg."));

    // A locked animation cannot be destroyed; a detached one is the caller's.
    EXPECT_EQ(1, mManager->LockHandle(handle));
    EXPECT_EQ(0, mManager->DestroyObject(handle));
    EXPECT_EQ(1, mManager->ReleaseHandle(handle));
    EXPECT_EQ(0u, mManager->GetHandle(LString("made")));
}

TEST_F(GestureAnimManagerTest, SingletonDumpsAndLeavesWithTheCleaner)
{
    EXPECT_EQ(mManager, LGestureAnimManager::Get());
    EXPECT_EQ(0, ToStd(mManager->Dump()).rfind("[LAnimationManager <", 0));
    LLogCapture log;
    ASSERT_EQ(1, LCleaner::Get()->RemoveInstance(mManager));
    delete mManager;
    EXPECT_TRUE(log.Contains("~LGestureAnimManager()"));
    EXPECT_EQ(nullptr, LGestureAnimManager::Get());
}
