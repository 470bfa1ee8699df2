// The picking and stacking of dragged pieces: picking order, the lift above the highest
// piece and the drop of high values once they pass the ceiling.
#include "puzzles/GMPickStack.h"

#include "Gdi/LDisplayGroup.h"
#include "container/LVector.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Stack
{
public:
    explicit Stack(const std::vector<float>& aZ)
    {
        for (size_t i = 0; i < aZ.size(); ++i) {
            mOwned.push_back(std::make_unique<LDisplayGroup>());
            mOwned.back()->SetId(FromStd("p" + std::to_string(i + 1)));
            mOwned.back()->SetRelativeZ(aZ[i]);
            mPieces.Append(mOwned.back().get());
        }
    }
    // Picks the first piece whose id is one of aHits.
    LIDisplayObject* Pick(const std::vector<std::string>& aHits)
    {
        return GMPickStack::Pick(mPieces, [&aHits](LIDisplayObject* aPiece) {
            for (const std::string& hit : aHits) {
                if (ToStd(aPiece->GetId()) == hit) {
                    return true;
                }
            }
            return false;
        });
    }
    std::string Order() const
    {
        std::string order;
        for (int i = 0; i < mPieces.GetCount(); ++i) {
            auto* piece = static_cast<LIDisplayObject*>(mPieces.GetAt(i));
            order += ToStd(piece->GetId()) + "=" + std::to_string(static_cast<int>(piece->GetRelativeZ())) + " ";
        }
        return order;
    }

    LVector mPieces;

private:
    std::vector<std::unique_ptr<LDisplayGroup>> mOwned;
};

} // namespace

TEST(PickStack, APickTakesTheFirstHitMovesItToTheFrontAndLiftsItAboveTheHighest)
{
    struct Case
    {
        const char* mName;
        std::vector<float> mZ;
        std::vector<std::string> mHits;
        const char* mOrder;
    };
    const Case cases[] = {
        {"first of two hits", {500, 495, 490}, {"p3", "p2"}, "p2=505 p1=500 p3=490 "},
        {"highest counted after the hit", {490, 495, 500}, {"p1"}, "p1=505 p2=495 p3=500 "},
        {"no hit", {500, 495}, {}, "p1=500 p2=495 "},
        {"all below the lowest start", {-20000, -20000}, {"p2"}, "p2=-9995 p1=-20000 "},
        {"at the ceiling: no drop", {10000, 6000, 4000}, {"p3"}, "p3=10005 p1=10000 p2=6000 "},
        {"past the ceiling: high ones drop", {10001, 6000, 5000, 4000}, {"p4"}, "p4=5006 p1=5001 p2=1000 p3=5000 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        Stack stack(c.mZ);
        LIDisplayObject* picked = stack.Pick(c.mHits);
        EXPECT_EQ(c.mHits.empty(), picked == nullptr);
        EXPECT_EQ(c.mOrder, stack.Order());
    }
}
