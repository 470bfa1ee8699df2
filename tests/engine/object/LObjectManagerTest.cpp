#include "object/LHandle.h"
#include "object/LObjectManager.h"
#include "object/LRegistry.h"
#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LGameObjectManager.h"
#include "support/LLogCapture.h"
#include "support/LTestCreator.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {

// Each test ends by deleting the cleaner, which deletes the registry and the managers.
class ObjectManagerTest : public testing::Test
{
protected:
    void TearDown() override { delete LCleaner::Get(); }
};

} // namespace

TEST_F(ObjectManagerTest, HandlesCarryTheManagerNumberAndASharedSerial)
{
    LAPIObjectManager* api = LAPIObjectManager::Get();
    LGameObjectManager* game = LGameObjectManager::Get();
    ASSERT_NE(nullptr, api);
    ASSERT_NE(nullptr, game);
    EXPECT_EQ(0xAA000001u, api->AddObject(LString("first"), new LTestObject()));
    EXPECT_EQ(0xBB000002u, game->AddObject(LString("second"), new LTestObject()));
    EXPECT_EQ(0xAA000003u, api->AddObject(LString("third"), nullptr));
    EXPECT_EQ(0xAA000001u, api->GetHandle(LString("first")));
    EXPECT_EQ(0u, api->GetHandle(LString("absent")));
}

TEST_F(ObjectManagerTest, SerialsWrapBackToOneSkippingOnesInUse)
{
    LObjectManager manager(LString("wrap"), 0x78);
    const unsigned int one = manager.AddObject(LString("one"), nullptr);
    EXPECT_EQ(0x78000001u, one);
    LObjectManager::SetNextSerial(0xFFFFFF);
    EXPECT_EQ(0x78FFFFFFu, manager.AddObject(LString("last"), nullptr));
    // The counter passed 0xFFFFFF: back to 1, which is taken, so 2.
    EXPECT_EQ(0x78000002u, manager.AddObject(LString("wrapped"), nullptr));
    EXPECT_EQ(3u, LObjectManager::GetNextSerial());
    LObjectManager::SetNextSerial(0x1000005);
    EXPECT_EQ(0x78000003u, manager.AddObject(LString("clamped"), nullptr));
}

TEST_F(ObjectManagerTest, DuplicateIdsAndHandleChecks)
{
    LLogCapture log;
    LObjectManager manager(LString("mine"), 0xAA);
    manager.AddObject(LString("x"), new LTestObject());
    LTestObject* refused = new LTestObject();
    EXPECT_EQ(0u, manager.AddObject(LString("x"), refused));
    delete refused;
    EXPECT_TRUE(log.Contains("ERROR: .\\object\\LObjectManager.cpp"));
    EXPECT_TRUE(log.Contains("Attempt to add an ID already in use: x"));
    // 0x12 lacks bits of 0xAA; 0xBB has them all, and then the table decides.
    EXPECT_EQ(nullptr, manager.GetObject(0x12000001u));
    EXPECT_EQ(1, log.Count("Invalid handle!"));
    EXPECT_EQ(nullptr, manager.GetObject(0xBB000001u));
    EXPECT_TRUE(log.Contains("Invalid handle: -1157627903"));
    EXPECT_EQ(nullptr, manager.GetObject(LString("")));
    EXPECT_TRUE(log.Contains("Attempted use of empty id."));
    EXPECT_EQ(nullptr, manager.GetObject(LString("nope")));
    EXPECT_TRUE(log.Contains("Invalid ID: nope"));
}

TEST_F(ObjectManagerTest, LocksAndReleases)
{
    LLogCapture log;
    int alive = 0;
    LObjectManager manager(LString("mine"), 0xAA);
    const unsigned int once = manager.AddObject(LString("once"), new LTestObject(&alive));
    const unsigned int twice = manager.AddObject(LString("twice"), new LTestObject(&alive));
    // Never locked: the first release destroys the object and the handle.
    EXPECT_EQ(1, manager.ReleaseHandle(once));
    EXPECT_EQ(1, alive);
    EXPECT_EQ(0u, manager.GetHandle(LString("once")));
    ASSERT_EQ(1, manager.LockHandle(twice));
    ASSERT_EQ(1, manager.LockHandle(twice));
    EXPECT_EQ(0, manager.DestroyObject(twice));
    EXPECT_TRUE(log.Contains("Attempt to destroy object with locked handle."));
    EXPECT_EQ(0, manager.RemoveHandle(twice));
    EXPECT_TRUE(log.Contains("Attempt to remove handle to valid object."));
    LBase* out = nullptr;
    EXPECT_EQ(0, manager.RemoveObject(twice, &out));
    EXPECT_TRUE(log.Contains("Attempt to remove object with locked handle."));
    EXPECT_EQ(1, manager.ReleaseHandle(twice));
    EXPECT_EQ(1, alive);
    EXPECT_EQ(1, manager.ReleaseHandle(twice));
    EXPECT_EQ(0, alive);
    log.Clear();
    EXPECT_EQ(nullptr, manager.GetObject(twice));
    EXPECT_TRUE(log.Contains("Invalid handle: "));
    EXPECT_EQ(0, manager.GetHandleCount());
}

TEST_F(ObjectManagerTest, DetachDestroyAndRemove)
{
    LLogCapture log;
    int alive = 0;
    LObjectManager manager(LString("mine"), 0xAA);
    LTestObject* object = new LTestObject(&alive);
    const unsigned int handle = manager.AddObject(LString("obj"), object);
    EXPECT_EQ(handle, manager.GetHandle(object));
    LBase* out = object;
    EXPECT_EQ(0, manager.RemoveObject(handle, &out));
    EXPECT_TRUE(log.Contains("Invalid argument."));
    out = nullptr;
    ASSERT_EQ(1, manager.RemoveObject(LString("obj"), &out));
    EXPECT_EQ(object, out);
    EXPECT_EQ(nullptr, manager.GetObject(handle));
    EXPECT_TRUE(log.Contains("WARNING: .\\object\\LObjectManager.cpp"));
    EXPECT_TRUE(log.Contains("No object defined for handle: "));
    // The handle stays without an object; now it can be removed.
    ASSERT_EQ(1, manager.RemoveHandle(LString("obj")));
    EXPECT_EQ(0u, manager.GetHandle(LString("obj")));
    delete object;

    const unsigned int second = manager.AddObject(LString("second"), new LTestObject(&alive));
    ASSERT_EQ(1, manager.DestroyObject(LString("second")));
    EXPECT_EQ(0, alive);
    EXPECT_EQ(second, manager.GetHandle(LString("second")));
    EXPECT_EQ(0, manager.DestroyObject(LString("absent")));
    const unsigned int third = manager.AddObject(LString("third"), new LTestObject(&alive));
    ASSERT_EQ(1, manager.DestroyObjectAndHandle(third));
    EXPECT_EQ(0, alive);
    EXPECT_EQ(0u, manager.GetHandle(LString("third")));
    EXPECT_EQ(0, manager.DestroyObjectAndHandle(third));
    EXPECT_TRUE(log.Contains("Invalid handle."));
    // Detaching without an out: nobody takes the object, so it goes.
    const unsigned int fourth = manager.AddObject(LString("fourth"), new LTestObject(&alive));
    ASSERT_EQ(1, manager.RemoveObject(fourth, nullptr));
    EXPECT_EQ(0, alive);
}

TEST_F(ObjectManagerTest, SetObjectSwapsAndHandsOut)
{
    int alive = 0;
    LObjectManager manager(LString("mine"), 0xAA);
    LTestObject* first = new LTestObject(&alive);
    LTestObject* second = new LTestObject(&alive);
    const unsigned int handle = manager.AddObject(LString("slot"), first);
    LBase* old = nullptr;
    ASSERT_EQ(1, manager.SetObject(handle, second, &old));
    EXPECT_EQ(first, old);
    EXPECT_EQ(second, manager.GetObject(LString("slot")));
    delete old;
    ASSERT_EQ(1, manager.SetObject(LString("slot"), second, nullptr));
    EXPECT_EQ(1, alive);
    ASSERT_EQ(1, manager.SetObject(LString("slot"), nullptr, nullptr));
    EXPECT_EQ(0, alive);
    LLogCapture log;
    EXPECT_EQ(0, manager.SetObject(LString("other"), nullptr, nullptr));
    EXPECT_TRUE(log.Contains("WARNING: .\\object\\LObjectManager.cpp"));
    EXPECT_TRUE(log.Contains("Invalid ID: other"));
}

TEST_F(ObjectManagerTest, RestoreHandlesAndIds)
{
    LLogCapture log;
    int alive = 0;
    LObjectManager manager(LString("mine"), 0xBB);
    const unsigned int taken = manager.AddObject(LString("taken"), new LTestObject(&alive));
    LTestObject* object = new LTestObject(&alive);
    EXPECT_EQ(0, manager.RestoreHandle(taken, LString("fresh"), object));
    EXPECT_TRUE(log.Contains("Saved handle could not be restored."));
    EXPECT_EQ(0, manager.RestoreHandle(0xBB000100u, LString("taken"), object));
    EXPECT_TRUE(log.Contains("Saved id could not be restored. Duplicate found: taken"));
    ASSERT_EQ(1, manager.RestoreHandle(0xBB000100u, LString("fresh"), object));
    EXPECT_EQ(object, manager.GetObject(0xBB000100u));
    LString id;
    ASSERT_EQ(1, manager.GetId(0xBB000100u, id));
    EXPECT_EQ("fresh", ToStd(id));
    // An allocation skips the restored value.
    LObjectManager::SetNextSerial(0x100);
    EXPECT_EQ(0xBB000101u, manager.AddObject(LString("next"), nullptr));
    EXPECT_EQ(0, manager.GetId(0xBB000555u, id));
    EXPECT_TRUE(id.IsEmpty());
    manager.RemoveAll();
    EXPECT_EQ(0, alive);
    EXPECT_EQ(0, manager.GetHandleCount());
}

TEST_F(ObjectManagerTest, CreateObjectThroughTheRegistry)
{
    LLogCapture log;
    int alive = 0;
    LRegistry* registry = LRegistry::Get();
    LTestCreator* creator = new LTestCreator(LString("widget"), &alive);
    registry->AddCreator(creator);
    LAPIObjectManager* api = LAPIObjectManager::Get();
    LObject* object = api->CreateObject(LString("widget"), nullptr);
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(0, static_cast<LTestObject*>(object)->mInitParameter);
    delete object;
    EXPECT_EQ(nullptr, api->CreateObject(LString("gadget"), nullptr));
    EXPECT_TRUE(log.Contains("Could not retrieve creator index from id: gadget"));
    EXPECT_EQ(nullptr, api->CreateObject(7, nullptr));
    EXPECT_TRUE(log.Contains("Object creator retrieval failed."));
    // A creator that hands out a singleton that refuses its initialisation.
    LTestObject fixed;
    fixed.mInitResult = 0;
    creator->mFixed = &fixed;
    EXPECT_EQ(nullptr, api->CreateObject(0, nullptr));
    EXPECT_TRUE(log.Contains("Object initialization failure."));
    EXPECT_EQ(0, alive);
}

TEST(HandleRecord, NullRecordsRefuseLocksAndActiveOnesReactivation)
{
    LLogCapture log;
    LHandle handle;
    EXPECT_EQ(0, handle.Lock());
    EXPECT_EQ(0, handle.Unlock());
    EXPECT_TRUE(log.Contains("WARNING: .\\object\\LHandle.cpp"));
    EXPECT_TRUE(log.Contains("Attempted to lock null handle."));
    EXPECT_TRUE(log.Contains("Attempted to unlock null handle."));
    ASSERT_EQ(1, handle.Activate(LString("id"), 0xAA000001u));
    EXPECT_EQ(0, handle.Activate(LString("other"), 0xAA000002u));
    EXPECT_TRUE(log.Contains("Handle already active."));
    EXPECT_EQ(1, handle.Unlock()); // never below 0
    EXPECT_EQ(1, handle.Lock());
    EXPECT_TRUE(handle.IsLocked());
}
