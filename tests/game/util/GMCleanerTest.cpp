// The game cleaner: game singletons register with it, not with the engine's cleaner, and
// go newest first when it is deleted.
#include "util/GMCleaner.h"

#include "stdlib/LCleaner.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string gDeleted;

template <char Name>
class GameSingle : public LBase
{
public:
    static GameSingle* GetInstance() { return sSingleton.Get(L_FILE, __LINE__, "GameSingle creation failure."); }
    ~GameSingle() override
    {
        gDeleted += Name;
        sSingleton.Destroyed(this);
    }

    static inline GMSingleton<GameSingle> sSingleton;
};

// Asks for a game singleton nobody made yet while the game cleaner deletes it.
class LateGameMaker : public LBase
{
public:
    ~LateGameMaker() override
    {
        gDeleted += 'L';
        GameSingle<'D'>::GetInstance();
    }
};

} // namespace

TEST(GMCleaner, GameSingletonsAreDeletedNewestFirstWithoutTheEngineCleaner)
{
    LLogCapture log;
    gDeleted.clear();
    const int engineCount = LCleaner::Get()->GetInstanceCount();
    GMCleaner* cleaner = GMCleaner::GetInstance();
    ASSERT_NE(nullptr, cleaner);
    EXPECT_EQ(0, ToStd(cleaner->Dump()).rfind("[GMCleaner <", 0));

    cleaner->AddInstance(new LateGameMaker());
    GameSingle<'A'>* a = GameSingle<'A'>::GetInstance();
    GameSingle<'B'>::GetInstance();
    GameSingle<'C'>::GetInstance();
    EXPECT_EQ(4, cleaner->GetInstanceCount());
    EXPECT_EQ(engineCount, LCleaner::Get()->GetInstanceCount());

    EXPECT_EQ(0, cleaner->AddInstance(a));
    EXPECT_TRUE(log.Contains("AddInstance failure. Duplicate instance found."));
    EXPECT_EQ(4, cleaner->GetInstanceCount());

    delete cleaner;
    // The singleton made during the deletion went into the same cleaner and went too.
    EXPECT_EQ("CBALD", gDeleted);
    EXPECT_EQ(engineCount, LCleaner::Get()->GetInstanceCount());
    EXPECT_EQ(nullptr, GameSingle<'A'>::GetInstance());
    GMCleaner* fresh = GMCleaner::GetInstance();
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0, fresh->GetInstanceCount());
    delete fresh;
}
