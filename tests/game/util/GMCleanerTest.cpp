// Game singletons register with the game cleaner, not the engine's, and go newest first
// when it is deleted (the cleaning itself is the engine cleaner's, tested there).
#include "util/GMCleaner.h"

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
        if (Name == 'A') {
            GameSingle<'D'>::GetInstance(); // first asked for while the cleaner runs
        }
    }

    static inline GMSingleton<GameSingle> sSingleton;
};

} // namespace

TEST(GMCleaner, GameSingletonsAreDeletedNewestFirstWithoutTheEngineCleaner)
{
    gDeleted.clear();
    const int engineCount = LCleaner::Get()->GetInstanceCount();
    GameSingle<'A'>::GetInstance();
    GameSingle<'B'>::GetInstance();
    GameSingle<'C'>::GetInstance();
    GMCleaner* cleaner = GMCleaner::GetInstance();
    EXPECT_EQ(3, cleaner->GetInstanceCount());
    EXPECT_EQ(engineCount, LCleaner::Get()->GetInstanceCount());
    delete cleaner;
    EXPECT_EQ("CBAD", gDeleted); // D went into the same cleaner and went too
    EXPECT_EQ(engineCount, LCleaner::Get()->GetInstanceCount());
    GMCleaner* fresh = GMCleaner::GetInstance(); // made again, empty
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0, fresh->GetInstanceCount());

    // Once the cleaner has ended, each accessor makes its singleton again, into the new
    // cleaner.
    ASSERT_NE(nullptr, GameSingle<'A'>::GetInstance());
    EXPECT_EQ(1, fresh->GetInstanceCount());
    gDeleted.clear();
    delete fresh;
    EXPECT_EQ("AD", gDeleted);
    GMCleaner* third = GMCleaner::GetInstance();
    EXPECT_EQ(0, third->GetInstanceCount());
    delete third;
}
