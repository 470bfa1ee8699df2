#include "container/LVectorBase.h"
#include "support/LLogCapture.h"

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

TEST(VectorBase, DeletesEachHeldObjectOnceAndNotTheRemovedOnes)
{
    int deaths = 0;
    Counted* shared = new Counted(&deaths);
    Counted* removed = new Counted(&deaths);
    {
        LVectorBase vector;
        vector.Add(new Counted(&deaths));
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
}

TEST(VectorBase, MessagesOfItsOwn)
{
    LLogCapture log;
    int deaths = 0;
    LVectorBase vector;
    vector.Add(new Counted(&deaths));
    EXPECT_EQ(0, vector.GetAt(0, nullptr));
    EXPECT_TRUE(log.Contains("oppItem == NULL."));
    EXPECT_EQ(nullptr, vector[7]);
    EXPECT_TRUE(log.Contains("Index out of bounds:7"));
    LBase* replaced = nullptr;
    Counted* fresh = new Counted(&deaths);
    EXPECT_EQ(0, vector.SetAt(1, fresh, &replaced));
    EXPECT_TRUE(log.Contains("Index out of bounds."));
    ASSERT_EQ(1, vector.SetAt(0, fresh, &replaced));
    delete replaced;
    EXPECT_EQ(0, vector.CopyToArray(nullptr));
    vector.RemoveAll();
    EXPECT_EQ(2, deaths);
}
