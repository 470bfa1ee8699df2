#include "container/LVectorBase.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {

class Counted : public LBase
{
public:
    explicit Counted(int* aDeaths) : mDeaths(aDeaths) {}
    ~Counted() override { ++*mDeaths; }

private:
    int* mDeaths;
};

} // namespace

TEST(VectorBaseOwnership, DestroyDeletesEachHeldObjectOnce)
{
    int deaths = 0;
    Counted* kept = new Counted(&deaths);
    Counted* shared = new Counted(&deaths);
    Counted* removed = new Counted(&deaths);
    {
        LVectorBase vector;
        vector.Add(kept);
        vector.Add(shared);
        vector.Add(nullptr);
        vector.Add(shared);
        vector.Add(removed);
        LBase* out = nullptr;
        ASSERT_EQ(1, vector.RemoveAt(4, &out));
        EXPECT_EQ(removed, out);
    }
    EXPECT_EQ(2, deaths);
    delete removed;
    EXPECT_EQ(3, deaths);
}

TEST(VectorBaseAccess, MessagesOfItsOwn)
{
    LLogCapture log;
    int deaths = 0;
    LVectorBase vector;
    vector.Add(new Counted(&deaths));
    vector.Add(new Counted(&deaths));
    vector.Add(new Counted(&deaths));
    EXPECT_EQ(0, vector.GetAt(0, nullptr));
    EXPECT_TRUE(log.Contains("oppItem == NULL."));
    EXPECT_EQ(nullptr, vector[7]);
    EXPECT_TRUE(log.Contains("Index out of bounds:7"));
    LBase* replaced = nullptr;
    Counted* fresh = new Counted(&deaths);
    EXPECT_EQ(0, vector.SetAt(3, fresh, &replaced));
    EXPECT_TRUE(log.Contains("Index out of bounds."));
    ASSERT_EQ(1, vector.SetAt(0, fresh, &replaced));
    ASSERT_NE(nullptr, replaced);
    delete replaced;
    LBase** array = reinterpret_cast<LBase**>(&replaced);
    ASSERT_EQ(1, vector.CopyToArray(&array));
    EXPECT_EQ(fresh, array[0]);
    delete[] array;
    EXPECT_EQ(0, vector.CopyToArray(nullptr));
    vector.RemoveAll();
    EXPECT_EQ(4, deaths);
    EXPECT_EQ(0, ToStd(vector.Dump()).find("[LVectorBase <"));
}
