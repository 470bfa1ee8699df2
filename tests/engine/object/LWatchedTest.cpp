// Watches of objects owned elsewhere: each turns null when its object ends, whatever the
// order of the ends, and binding anew leaves the old object's list.
#include "object/LWatch.h"
#include "object/LWatched.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Thing : LWatched
{
    int mValue = 0;
};

} // namespace

TEST(Watched, EveryWatchTurnsNullWhenItsObjectEndsAndOnlyThen)
{
    auto first = std::make_unique<Thing>();
    auto second = std::make_unique<Thing>();
    LWatch<Thing> a(first.get());
    LWatch<Thing> b(first.get());
    LWatch<Thing> c = b; // a copy watches the same object
    std::vector<LWatch<Thing>> many(5, LWatch<Thing>(second.get()));
    EXPECT_EQ(3, first->GetWatchCount());
    EXPECT_EQ(5, second->GetWatchCount());

    // Rebinding leaves the first object's list; a watch that ends leaves it too.
    b = second.get();
    {
        LWatch<Thing> gone(first.get());
        EXPECT_EQ(3, first->GetWatchCount());
    }
    EXPECT_EQ(2, first->GetWatchCount());
    EXPECT_EQ(6, second->GetWatchCount());

    first.reset();
    EXPECT_EQ(nullptr, a.Get());
    EXPECT_EQ(nullptr, c.Get());
    EXPECT_EQ(second.get(), b.Get());
    a = second.get(); // a watch may be bound again after its object ended
    EXPECT_EQ(second.get(), a.Get());
    second.reset();
    EXPECT_EQ(nullptr, a.Get());
    EXPECT_EQ(nullptr, b.Get());
    for (const LWatch<Thing>& watch : many) {
        EXPECT_EQ(nullptr, watch.Get());
    }
}

TEST(Watched, ACopyOfAWatchedObjectStartsWithNoWatches)
{
    Thing original;
    LWatch<Thing> watch(&original);
    Thing copy(original);
    Thing assigned;
    LWatch<Thing> other(&assigned);
    assigned = original;
    EXPECT_EQ(0, copy.GetWatchCount());
    EXPECT_EQ(1, assigned.GetWatchCount()); // keeps its own
    EXPECT_EQ(1, original.GetWatchCount());
    EXPECT_EQ(&original, watch.Get());
    EXPECT_EQ(&assigned, other.Get());
}
