#include "puzzles/pobox/GMPOBoxPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "puzzles/pobox/GMPOBoxDial.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"

#include <algorithm>

namespace {

GMPuzzleSlot<GMPOBoxPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = GMPOBoxPuzzle::kClassName;
    setup.mActiveState = GMPOBoxPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/pobox/POBox_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/pobox";
    setup.mRootGroup = "poboxpuzzle";
    setup.mBackgroundKey = "g01-background";
    setup.mBackgroundIsSprite = true;
    setup.mBackButtonKey = "backbutton";
    setup.mHidesBar = false;
    setup.mReleasesCursor = false;
    return setup;
}

} // namespace

GMPOBoxPuzzle* GMPOBoxPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMPOBoxPuzzle::GMPOBoxPuzzle() : GMPuzzle(Setup())
{
    LRandom::SeedFromTime();
}

GMPOBoxPuzzle::~GMPOBoxPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
}

bool GMPOBoxPuzzle::ReadCombination()
{
    mCombinationValid = false;
    LVectorFloat values;
    if (!ReadNumbers(nullptr, LString(kCombinationPath), kDials, values)) {
        return false;
    }
    // The numbers' reader takes what is not a number as 0: the text must hold the digits.
    bool found = false;
    LVectorString words;
    const LString text = GetLayout()->GetString(LString(kCombinationPath), found);
    text.Split(LString("|"), &words);
    bool digits = words.GetCount() == kDials;
    for (int i = 0; digits && i < kDials; ++i) {
        const LString word = words[i];
        digits = word.GetLength() == 1 && word.At(0) >= u'0' && word.At(0) <= u'9' &&
                 values[i] == static_cast<float>(word.At(0) - u'0');
    }
    if (!digits) {
        L_ERROR(LString("Layout value missing or malformed: ") + kCombinationPath);
        return false;
    }
    for (int i = 0; i < kDials; ++i) {
        mCombination[i] = static_cast<int>(values[i]);
    }
    mCombinationValid = true;
    return true;
}

bool GMPOBoxPuzzle::IsOwnDigit(int aDial, int aDigit) const
{
    if (!mCombinationValid) {
        return false;
    }
    switch (aDial) {
    case 0:
    case 3:
        return aDigit == mCombination[aDial];
    case 1:
    case 2:
        return aDigit == mCombination[1] || aDigit == mCombination[2];
    default:
        return false;
    }
}

int GMPOBoxPuzzle::StartDigit(int aDial) const
{
    for (int draw = 0; draw < kMaxDraws; ++draw) {
        const int digit = LRandom::Next() % 10;
        if (!IsOwnDigit(aDial, digit)) {
            return digit;
        }
    }
    // A generator stuck on the dial's part: the lowest digit outside it.
    for (int digit = 0; digit < 10; ++digit) {
        if (!IsOwnDigit(aDial, digit)) {
            return digit;
        }
    }
    return 0;
}

void GMPOBoxPuzzle::BuildPieces()
{
    ReadCombination();
    LPropertyList* dials = GetLayout() != nullptr ? GetLayout()->GetList(LString("g02-dials")) : nullptr;
    const int count = dials != nullptr ? dials->GetCount() : 0;
    if (count != kDials) {
        L_ERROR(LString("The box needs four dials, the layout has ") + count);
    }
    for (int i = 0; i < kDials && i < count; ++i) {
        auto* dial = L_NEW GMPOBoxDial();
        if (dial == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        dial->Create(dials->GetListAt(i), this);
        if (!GetRoot()->AddMember(dial, true)) {
            L_ASSERT_FAILURE(LString());
            delete dial;
            continue;
        }
        mDials[i] = dial;
        dial->SetValue(StartDigit(i));
    }
}

void GMPOBoxPuzzle::DeletePieces()
{
    // The dials go with the root group.
    std::fill(std::begin(mDials), std::end(mDials), nullptr);
}

void GMPOBoxPuzzle::CheckCombination()
{
    if (mSolved || !mCombinationValid) {
        return;
    }
    for (GMPOBoxDial* dial : mDials) {
        if (dial == nullptr) {
            return;
        }
    }
    const int second = mDials[1]->GetValue();
    const int third = mDials[2]->GetValue();
    const bool pair = (second == mCombination[1] && third == mCombination[2]) ||
                      (second == mCombination[2] && third == mCombination[1]);
    if (mDials[0]->GetValue() == mCombination[0] && pair && mDials[3]->GetValue() == mCombination[3]) {
        Solve();
    }
}

void GMPOBoxPuzzle::Solve()
{
    mSolved = true;
    DeferSolvedHandOver(kSolvedEvent, kTargetScene, kTargetViewpoint, kVisibleState, kMovie);
}
