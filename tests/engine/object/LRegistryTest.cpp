#include "object/LRegistry.h"
#include "object/LObjectManager.h"
#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LCleaner.h"
#include "support/LLogCapture.h"
#include "support/LTestCreator.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

TEST(RegistryCreators, StartupIdsTakeTheirIndices)
{
    LRegistry* registry = LRegistry::Get();
    ASSERT_NE(nullptr, registry);
    for (const char* id : LRegistry::kStartupCreatorIds) {
        ASSERT_EQ(1, registry->AddCreator(new LTestCreator(LString(id))));
    }
    EXPECT_EQ(0, registry->GetCreatorIndex(LString("filesystem")));
    EXPECT_EQ(1, registry->GetCreatorIndex(LString("timer")));
    EXPECT_EQ(8, registry->GetCreatorIndex(LString("platform")));
    EXPECT_EQ(11, registry->GetCreatorIndex(LString("gameclock")));
    EXPECT_EQ(-1, registry->GetCreatorIndex(LString("nothing")));
    EXPECT_EQ(registry->GetCreator(3), registry->GetCreator(LString("texture")));
    LString id;
    ASSERT_EQ(1, registry->GetCreatorId(11, id));
    EXPECT_EQ("gameclock", ToStd(id));
    delete LCleaner::Get();
}

TEST(RegistryCreators, DuplicateIdsAreRefused)
{
    LLogCapture log;
    LRegistry* registry = LRegistry::Get();
    LTestCreator* first = new LTestCreator(LString("timer"));
    LTestCreator second(LString("timer"));
    ASSERT_EQ(1, registry->AddCreator(first));
    EXPECT_EQ(0, registry->AddCreator(&second));
    EXPECT_TRUE(log.Contains("ERROR: .\\object\\LRegistry.cpp"));
    EXPECT_TRUE(log.Contains("Attempt to add duplicate id: timer"));
    EXPECT_EQ(first, registry->GetCreator(LString("timer")));
    // Managers share the namespace.
    LObjectManager manager(LString("timer"), 0x11);
    EXPECT_EQ(0, registry->AddObjectManager(&manager));
    EXPECT_EQ(2, log.Count("Attempt to add duplicate id: timer"));
    delete LCleaner::Get();
}

TEST(RegistryLookups, UnknownIdsAndBadIndices)
{
    LLogCapture log;
    LRegistry* registry = LRegistry::Get();
    EXPECT_EQ(nullptr, registry->GetCreator(LString("ghost")));
    EXPECT_TRUE(log.Contains("WARNING: .\\object\\LRegistry.cpp"));
    EXPECT_TRUE(log.Contains("Creator not found: ghost"));
    EXPECT_EQ(nullptr, registry->GetObjectManager(LString("ghost")));
    EXPECT_TRUE(log.Contains("Object manager not found: ghost"));
    EXPECT_EQ(nullptr, registry->GetCreator(-1));
    EXPECT_TRUE(log.Contains("Could not retrieve creator at index: -1"));
    EXPECT_EQ(nullptr, registry->GetObjectManager(3));
    EXPECT_TRUE(log.Contains("Could not retrieve object manager at index: 3"));
    LString id("kept");
    EXPECT_EQ(0, registry->GetCreatorId(0, id));
    EXPECT_TRUE(log.Contains("No valid creator at aIndex:0"));
    delete LCleaner::Get();
}

TEST(RegistryLookups, ManagerIdsAreNotCreatorIndices)
{
    LLogCapture log;
    LRegistry* registry = LRegistry::Get();
    registry->AddCreator(new LTestCreator(LString("first")));
    // The API manager takes manager index 0, which is also creator index 0.
    LAPIObjectManager* api = LAPIObjectManager::Get();
    ASSERT_NE(nullptr, api);
    EXPECT_EQ(-1, registry->GetCreatorIndex(LString("apiobjectmanager")));
    EXPECT_EQ(0, registry->GetObjectManagerIndex(LString("apiobjectmanager")));
    EXPECT_EQ(-1, registry->GetObjectManagerIndex(LString("first")));
    EXPECT_EQ(nullptr, api->CreateObject(LString("apiobjectmanager"), nullptr));
    EXPECT_TRUE(log.Contains("Could not retrieve creator index from id: apiobjectmanager"));
    EXPECT_EQ(api, registry->GetObjectManager(LString("apiobjectmanager")));
    delete LCleaner::Get();
}

TEST(RegistryLookups, ManagersByHandleNumber)
{
    LRegistry* registry = LRegistry::Get();
    EXPECT_EQ(nullptr, registry->GetObjectManagerByHandle(0xAA000001u));
    LAPIObjectManager* api = LAPIObjectManager::Get();
    EXPECT_EQ(api, registry->GetObjectManagerByHandle(0xAA000001u));
    EXPECT_EQ(nullptr, registry->GetObjectManagerByHandle(0xBB000001u));
    const unsigned int handle = api->AddObject(LString("thing"), new LTestObject());
    EXPECT_NE(nullptr, registry->GetObject(handle));
    EXPECT_EQ(nullptr, registry->GetObject(0x12000001u));
    delete LCleaner::Get();
}

TEST(RegistryLifetime, DeletesWhatItOwnsAndStaysGone)
{
    int alive = 0;
    LRegistry* registry = LRegistry::Get();
    registry->AddCreator(new LTestCreator(LString("maker")));
    LAPIObjectManager::Get()->AddObject(LString("held"), new LTestObject(&alive));
    EXPECT_EQ(1, alive);
    delete LCleaner::Get();
    EXPECT_EQ(0, alive);
    LLogCapture log;
    EXPECT_EQ(nullptr, LRegistry::Get());
    EXPECT_EQ(nullptr, LAPIObjectManager::Get());
    EXPECT_TRUE(log.Lines().empty());
}

TEST(ObjectCreator, EmptyIdIsAnAssertionFailure)
{
    LLogCapture log;
    LTestCreator creator{LString("")};
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: .\\object\\LIObjectCreator.cpp"));
    EXPECT_TRUE(log.Contains("Invalid id."));
    EXPECT_TRUE(creator.GetId().IsEmpty());
}
