#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "object/LIObjectCreator.h"
#include "object/LIRestorable.h"
#include "object/LRegistry.h"
#include "object/LRestoreManager.h"
#include "object/LRuntimeSetup.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "support/LTestStreams.h"
#include "time/LGameClock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A restorable whose block is one int; it can be told to fail or to read nothing.
class LFakeRestorable : public LIRestorable
{
public:
    explicit LFakeRestorable(const char16_t* aId) { SetRestoreId(aId); }

    int Init(int) override { return 1; }

    int OnSave(LIStream* aStream) override
    {
        if (mFailSave) {
            aStream->Write(static_cast<unsigned char>(0xEE));
            aStream->Write(static_cast<unsigned char>(0xEE));
            return 0;
        }
        return aStream->Write(mValue) ? 1 : 0;
    }

    int OnLoad(LIStream* aStream, float) override
    {
        ++mLoads;
        if (mReadNothing) {
            return 1;
        }
        const bool ok = aStream->Read(mValue);
        return ok && !mFailLoad ? 1 : 0;
    }

    int mValue = 0;
    int mLoads = 0;
    bool mFailSave = false;
    bool mFailLoad = false;
    bool mReadNothing = false;
};

class LFakeCreator : public LIObjectCreator
{
public:
    LFakeCreator(const char16_t* aId, LObject* aProduct) : LIObjectCreator(aId), mProduct(aProduct) {}
    LObject* Create() override { return mProduct; }

    LObject* mProduct;
};

std::string Saved(LRestoreManager* aManager, int aExpected = 1)
{
    LMemoryStream stream(1024, -1);
    EXPECT_EQ(aExpected, aManager->Save(&stream, 0));
    return WrittenBytes(stream);
}

int Loaded(LRestoreManager* aManager, const std::string& aBytes)
{
    LMemoryStream stream(16, -1);
    Load(stream, aBytes);
    return aManager->Load(&stream, 0, static_cast<int>(aBytes.size()));
}

void ClearRuntime()
{
    LEventManager::Get()->RemoveAllEvents();
    LStateManager::Get()->RemoveAllStates();
    LGameClock::Get()->Reset();
}

class Restore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mManager = LRestoreManager::Get();
        ASSERT_NE(nullptr, mManager);
    }

    void RegisterRuntime()
    {
        ASSERT_EQ(1, LRuntimeSetup::RegisterCreators(LRegistry::Get()));
        ASSERT_EQ(1, LRuntimeSetup::RegisterRestorables());
    }

    // A game in progress: events, states, two clocks and pending triggers of both kinds.
    void PlayALittle()
    {
        LGameClock* clock = LGameClock::Get();
        clock->SetCurrentClock(1);
        clock->ResetTime(1);
        clock->Advance(3.0f, false);
        LEventManager::Get()->AddEvent(u"evt_case01_opened", false);
        LStateManager::Get()->SetState(u"sta_currentscene", u"string", u"office", false);
        LStateManager::Get()->SetState(u"sta_skill", u"number", u"2", false);
        LStateManager::Get()->SetState(u"sta_flag", u"boolean", u"true", false);
        clock->ScheduleEvent(u"evt_phone_rings", 4.0f, -1);
        clock->ScheduleState(u"sta_later", u"yes", 6.0f, 2);
    }

    LRestoreManager* mManager = nullptr;
    LLogCapture mLog;
};

} // namespace

TEST_F(Restore, RecordOfAnObjectWithoutHandle)
{
    EXPECT_EQ("", Saved(mManager)); // nothing registered: nothing written
    ASSERT_EQ(1, mManager->AddRestorable(LEventManager::Get()));
    LEventManager::Get()->RemoveAllEvents();
    EXPECT_EQ("00 00 00 00 00 00 00 00 00 00 00 00 00 00 0C 00 00 00 "
              "65 00 76 00 65 00 6E 00 74 00 6D 00 61 00 6E 00 61 00 67 00 65 00 72 00 00 00 "
              "00 00 00 00",
              Hex(Saved(mManager)));
    mManager->RemoveRestorable(LEventManager::Get());
}

TEST_F(Restore, ThreeManagersRoundTripToIdenticalBytes)
{
    RegisterRuntime();
    PlayALittle();
    const std::string first = Saved(mManager);

    ClearRuntime();
    EXPECT_EQ(1, Loaded(mManager, first));
    // Events, states, clocks and triggers restored: saved again they give the same bytes.
    EXPECT_EQ(first, Saved(mManager));

    // The restored game goes on as before: the pending event fires at 3 + 4.
    LGameClock::Get()->Advance(4.0f, false);
    EXPECT_TRUE(LEventManager::Get()->IsRaised(u"evt_phone_rings"));
}

TEST_F(Restore, TruncatedBlocksFailInBoundedTime)
{
    RegisterRuntime();
    PlayALittle();
    const std::string block = Saved(mManager);
    for (size_t length = 1; length < block.size(); ++length) {
        ClearRuntime();
        EXPECT_EQ(0, Loaded(mManager, block.substr(0, length))) << length;
    }
}

TEST_F(Restore, ForeignRestoreIdIsRefused)
{
    RegisterRuntime();
    LFakeRestorable outsider(u"platform");
    ASSERT_EQ(1, mManager->AddRestorable(&outsider));
    const std::string foreign = Saved(mManager);
    mManager->RemoveRestorable(&outsider);

    // The block now names an id that no registered restorable carries.
    ClearRuntime();
    mLog.Clear();
    EXPECT_EQ(0, Loaded(mManager, foreign));
    EXPECT_EQ(0, outsider.mLoads);
    EXPECT_TRUE(mLog.Contains("ERROR: .\\object\\LRestoreManager.cpp, "));
    EXPECT_TRUE(mLog.Contains(": Load failure. Unknown restore id: platform"));
    ASSERT_EQ(1, mManager->AddRestorable(&outsider));
}

TEST_F(Restore, BlockWithoutTheRecordOfARegisteredObjectFails)
{
    ASSERT_EQ(1, LRuntimeSetup::RegisterCreators(LRegistry::Get()));
    ASSERT_EQ(1, mManager->AddRestorable(LEventManager::Get()));
    LEventManager::Get()->AddEvent(u"evt_a", false);
    const std::string eventsOnly = Saved(mManager);
    ASSERT_EQ(1, mManager->AddRestorable(LStateManager::Get()));
    LStateManager::Get()->SetState(u"sta_a", u"number", u"1", false);
    LEventManager::Get()->RemoveAllEvents();
    EXPECT_EQ(0, Loaded(mManager, eventsOnly));
    EXPECT_TRUE(mLog.Contains(": Load failure. No record for: statemanager"));
    // The records there were are loaded; the state manager keeps its state.
    EXPECT_TRUE(LEventManager::Get()->IsRaised(u"evt_a"));
    EXPECT_TRUE(LStateManager::Get()->HasState(u"sta_a"));
}

TEST_F(Restore, RegistrationRules)
{
    LFakeRestorable first(u"fake");
    LFakeRestorable second(u"fake");
    LFakeRestorable nameless(u"");
    EXPECT_EQ(1, mManager->AddRestorable(&first));
    EXPECT_EQ(0, mManager->AddRestorable(&first));
    EXPECT_TRUE(mLog.Contains(": AddRestorable failure. Already added."));
    EXPECT_EQ(0, mManager->AddRestorable(&nameless));
    EXPECT_TRUE(mLog.Contains(": AddRestorable failure. ID undefined."));
    EXPECT_EQ(1, mManager->AddRestorable(&second));
    EXPECT_EQ(2, mManager->GetRestorableCount());
    EXPECT_EQ(1, mManager->RemoveRestorable(&second));
    EXPECT_EQ(0, mManager->RemoveRestorable(&second));
    mLog.Clear();
    {
        LFakeRestorable stranger(u"stranger");
    }
    EXPECT_TRUE(mLog.Contains(": RemoveRestorable failure. Not found."));
}

TEST_F(Restore, FailedSaveStillWritesItsRecordAndTheOthers)
{
    LFakeRestorable failing(u"failing");
    LFakeRestorable fine(u"fine");
    failing.mFailSave = true;
    fine.mValue = 7;
    mManager->AddRestorable(&failing);
    mManager->AddRestorable(&fine);
    const std::string block = Saved(mManager, 0);
    EXPECT_TRUE(mLog.Contains(": Save failure."));
    const size_t failingRecord = 4 + 4 + 6 + 4 + 7 * 2 + 2;
    const size_t fineRecord = 4 + 4 + 6 + 4 + 4 * 2 + 2;
    ASSERT_EQ(failingRecord + 2 + fineRecord + 4, block.size());
    EXPECT_EQ("EE EE", Hex(block.substr(failingRecord, 2)));
    EXPECT_EQ("07 00 00 00", Hex(block.substr(block.size() - 4)));
}

TEST_F(Restore, BlockThatDoesNotAdvanceStopsTheLoad)
{
    LFakeRestorable fake(u"fake");
    fake.mValue = 5;
    LRegistry::Get()->AddCreator(new LFakeCreator(u"fake", &fake));
    mManager->AddRestorable(&fake);
    const std::string block = Saved(mManager) + Saved(mManager);
    fake.mValue = 0;
    EXPECT_EQ(1, Loaded(mManager, block));
    EXPECT_EQ(2, fake.mLoads);
    EXPECT_EQ(5, fake.mValue);

    fake.mReadNothing = true;
    fake.mLoads = 0;
    EXPECT_EQ(0, Loaded(mManager, block));
    EXPECT_EQ(1, fake.mLoads);
    EXPECT_TRUE(mLog.Contains(": Load failure. The block did not advance."));
}

TEST_F(Restore, FailedBlockIsReportedAndTheNextRecordStillLoads)
{
    LFakeRestorable failing(u"failing");
    LFakeRestorable fine(u"fine");
    LRegistry::Get()->AddCreator(new LFakeCreator(u"failing", &failing));
    LRegistry::Get()->AddCreator(new LFakeCreator(u"fine", &fine));
    mManager->AddRestorable(&failing);
    mManager->AddRestorable(&fine);
    fine.mValue = 9;
    const std::string block = Saved(mManager);
    fine.mValue = 0;
    failing.mFailLoad = true;
    EXPECT_EQ(0, Loaded(mManager, block));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: .\\object\\LRestoreManager.cpp, "));
    EXPECT_TRUE(mLog.Contains(": Unsuccessful load."));
    EXPECT_EQ(9, fine.mValue);
}
