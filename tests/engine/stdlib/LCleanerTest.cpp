#include "stdlib/LCleaner.h"
#include "stdlib/LSingleton.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string gDeleted;

// Three singletons that follow the convention, recording their deletion.
template <char Name>
class Single : public LBase
{
public:
    static Single* Get() { return sSingleton.Get(L_FILE, __LINE__, "Single creation failure."); }
    ~Single() override
    {
        gDeleted += Name;
        sSingleton.Destroyed(this);
    }

    static inline LSingleton<Single> sSingleton;
};

using SingleA = Single<'A'>;
using SingleB = Single<'B'>;
using SingleC = Single<'C'>;

class Recorder : public LBase
{
public:
    explicit Recorder(char aName) : mName(aName) {}
    ~Recorder() override { gDeleted += mName; }

private:
    char mName;
};

// A singleton whose destructor makes another one while the cleaner runs.
class LateMaker : public LBase
{
public:
    ~LateMaker() override
    {
        gDeleted += 'L';
        SingleC::Get();
    }
};

} // namespace

TEST(CleanerOrder, SingletonsAreDeletedNewestFirstAndStayGone)
{
    gDeleted.clear();
    SingleA* a = SingleA::Get();
    SingleB* b = SingleB::Get();
    SingleC* c = SingleC::Get();
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(a, SingleA::Get());
    EXPECT_EQ(3, LCleaner::Get()->GetInstanceCount());
    delete LCleaner::Get();
    EXPECT_EQ("CBA", gDeleted);
    LLogCapture log;
    EXPECT_EQ(nullptr, SingleA::Get());
    EXPECT_EQ(nullptr, SingleB::Get());
    EXPECT_EQ(nullptr, SingleC::Get());
    EXPECT_TRUE(log.Lines().empty());
}

// Between two tests of one process the destroyed singletons may be made again; at exit
// (without the reset) they stay gone, and the reset leaves a living one alone.
TEST(CleanerReset, DestroyedSingletonsAreMadeAgainOnlyAfterTheReset)
{
    gDeleted.clear();
    SingleB* kept = nullptr;
    {
        SingleA* a = SingleA::Get();
        ASSERT_NE(nullptr, a);
        delete LCleaner::Get();
        EXPECT_EQ(nullptr, SingleA::Get());
        kept = SingleB::Get(); // made after the cleaner ended: registered with a new one
        ASSERT_NE(nullptr, kept);
    }
    LCleaner::ResetDestroyedSingletons();
    EXPECT_EQ(kept, SingleB::Get());
    SingleA* again = SingleA::Get();
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(again, SingleA::Get());
    gDeleted.clear();
    delete LCleaner::Peek();
    EXPECT_EQ(nullptr, LCleaner::Peek());
    EXPECT_EQ(2u, gDeleted.size());
    EXPECT_EQ(nullptr, SingleA::Get());
    EXPECT_EQ(nullptr, SingleB::Get());
    LCleaner::ResetDestroyedSingletons();
}

// A singleton deleted by another owner leaves the cleaner, which does not delete it again.
TEST(CleanerOrder, ASingletonDeletedElsewhereIsNotDeletedAgain)
{
    gDeleted.clear();
    SingleA* a = SingleA::Get();
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, SingleB::Get());
    EXPECT_EQ(2, LCleaner::Get()->GetInstanceCount());
    delete a;
    EXPECT_EQ(1, LCleaner::Get()->GetInstanceCount());
    delete LCleaner::Get();
    EXPECT_EQ("AB", gDeleted);
    LCleaner::ResetDestroyedSingletons();
}

TEST(CleanerOrder, InstancesRegisteredDuringCleanupAreDeletedToo)
{
    gDeleted.clear();
    LCleaner* cleaner = LCleaner::Get();
    cleaner->AddInstance(new Recorder('1'));
    cleaner->AddInstance(new LateMaker());
    delete cleaner;
    EXPECT_EQ("L1C", gDeleted);
}

TEST(CleanerRegistration, RefusalsAndRemovedInstances)
{
    LLogCapture log;
    gDeleted.clear();
    LCleaner* cleaner = LCleaner::Get();
    EXPECT_EQ(0, cleaner->AddInstance(nullptr));
    EXPECT_TRUE(log.Contains("ERROR: .\\stdlib\\LCleaner.cpp"));
    EXPECT_TRUE(log.Contains("AddInstance failure. apInstance == NULL."));
    Recorder kept('k');
    EXPECT_EQ(0, cleaner->RemoveInstance(&kept));
    EXPECT_TRUE(log.Contains("RemoveInstance failure."));
    Recorder* owned = new Recorder('o');
    EXPECT_EQ(1, cleaner->AddInstance(owned));
    EXPECT_EQ(0, cleaner->AddInstance(owned));
    EXPECT_TRUE(log.Contains("AddInstance failure. Duplicate instance found."));
    cleaner->AddInstance(&kept);
    EXPECT_EQ(1, cleaner->RemoveInstance(&kept)); // handed back, not deleted
    delete cleaner;
    EXPECT_EQ("o", gDeleted);
    LCleaner* fresh = LCleaner::Get(); // made again after the deletion
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(0, fresh->GetInstanceCount());
    delete fresh;
}
