// The profiling computer on the sample's layout and files: the strength table and its
// events, the slots filled in raise order, placing an item from the item cursor, analyzing
// evidence and witnesses, leaving, and the mended faults (long headings, no selected case,
// the state set again while shown).
#include "profiler/GMProfilingComputer.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "state/LStateManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

const char* const kActive = "sta_profiler_active";
const char* const kData = "data/textures/profiler/profile_data.txt";
const LVector2 kInDrop(300.0f, 70.0f);

// A case-1 profile of ten entries, four, four and two, keyed by item ids the sample's
// inventory knows (the part before "_" names the icon's item).
std::string TenEntries()
{
    std::string text = "case01\n";
    const char* headings[] = {"characteristics", "personality", "motive"};
    const int counts[] = {4, 4, 2};
    int n = 0;
    for (int h = 0; h < 3; ++h) {
        text += std::string("\t") + headings[h] + "\n";
        for (int i = 0; i < counts[h]; ++i, ++n) {
            text += "\t\tpen_x" + std::to_string(n) + "\n\t\t\theading=H" + std::to_string(n) + "\n\t\t\ttext=T" +
                    std::to_string(n) + "\n";
        }
    }
    return text;
}

void RaiseAt(const std::string& aId, float aTime)
{
    LEventManager::Get()->AddEvent(L_NEW LEvent(LString(aId.c_str()), aTime), false);
}

class ProfilerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        ASSERT_TRUE(mHarness.CopySample("textures/profiler"));
        mComputer = GMProfilingComputer::GetInstance();
        ASSERT_NE(nullptr, mComputer);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        GMOptions::GetInstance()->mVolume = 0.5f;
        LFakeSoundManager::sMade.clear();
    }

    bool Open() { return mHarness.Open(kActive, mComputer); }

    // Takes aItem from the PDA as the cursor and clicks it into the slot.
    void Place(const char* aItem, const LVector2& aAt = kInDrop)
    {
        ASSERT_TRUE(GMCursor::GetInstance()->SetItemCursor(LString(aItem)));
        ASSERT_EQ(GMCursor::TYPE_ITEM, GMCursor::GetInstance()->GetType());
        GMPuzzleHarness::Click(aAt);
    }

    void Analyze()
    {
        LIDisplayObject* button = GMPuzzleHarness::Member(mComputer, "profiler_buttons.analyze_btn");
        ASSERT_NE(nullptr, button);
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(button));
    }

    static std::string LastSound()
    {
        return LFakeSoundManager::sMade.empty() ? "" : ToStd(LFakeSoundManager::sMade.back().mName) + " " +
                                                           ToStd(LFakeSoundManager::sMade.back().mFileName);
    }

    bool PhraseShown(int aPhrase) const
    {
        LIDisplayObject* phrase = mComputer->GetPhrase(aPhrase);
        return phrase != nullptr && phrase->GetVisible();
    }

    int ShownLevel() const
    {
        int shown = -1;
        for (int i = 0; i < GMProfilingComputer::kLevels; ++i) {
            if (mComputer->GetGauge(i) != nullptr && mComputer->GetGauge(i)->GetVisible()) {
                shown = shown == -1 ? i : -2;
            }
        }
        return shown;
    }

    std::string SlotText(int aSlot) const
    {
        LTextArea* header = mComputer->GetHeader(aSlot);
        LTextArea* entry = mComputer->GetEntry(aSlot);
        return (header != nullptr ? ToStd(header->GetText()) : "?") + "/" + (entry != nullptr ? ToStd(entry->GetText()) : "?");
    }

    GMPuzzleHarness mHarness;
    GMProfilingComputer* mComputer = nullptr;
};

} // namespace

// --- Strength ----------------------------------------------------------------------------

TEST_F(ProfilerTest, TheRatioTableGivesTheLevelsAndWords)
{
    struct Row
    {
        int mEntered;
        int mDefined;
        int mLevel;
        const char* mWord;
    };
    const Row rows[] = {{8, 10, 3, "strong"}, {9, 10, 4, "verystrong"}, {17, 20, 3, "strong"}, {4, 10, 2, "moderate"},
                        {6, 10, 2, "moderate"}, {2, 10, 1, "weak"},        {1, 10, 0, ""},        {0, 0, 0, ""}};
    for (const Row& row : rows) {
        LString word("x");
        EXPECT_EQ(row.mLevel, GMProfilingComputer::Strength(row.mEntered, row.mDefined, &word))
            << row.mEntered << "/" << row.mDefined;
        EXPECT_EQ(row.mWord, ToStd(word)) << row.mEntered << "/" << row.mDefined;
    }
}

TEST_F(ProfilerTest, EightOfTenEnteredShowStrongAndRaiseItsEventOnceTheDuplicateRefused)
{
    mHarness.Roots().Write(kData, TenEntries());
    for (int n = 0; n < 8; ++n) {
        RaiseAt("pen_x" + std::to_string(n) + "_profiler", static_cast<float>(n));
    }
    ASSERT_TRUE(Open());
    EXPECT_EQ(3, mComputer->GetStrength());
    EXPECT_EQ(3, ShownLevel());
    EXPECT_EQ(8, mComputer->GetEnteredCount());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_profiler_case01_strong"));
    EXPECT_EQ("", mHarness.Log().Problems());

    mComputer->RefreshProfile();
    EXPECT_EQ(1, mHarness.Log().Count("AddEvent failure. ID duplication: evt_profiler_case01_strong"));
    EXPECT_EQ("", mHarness.Log().Problems("AddEvent failure. ID duplication: evt_profiler_case01_strong"));
}

TEST_F(ProfilerTest, OneOfTenAndAnEmptyCaseShowLevelZeroWithTheBareEvent)
{
    mHarness.Roots().Write(kData, TenEntries());
    RaiseAt("pen_x9_profiler", 0.0f);
    ASSERT_TRUE(Open());
    EXPECT_EQ(0, mComputer->GetStrength());
    EXPECT_EQ(0, ShownLevel());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_profiler_case01_"));
    ASSERT_TRUE(mHarness.Back(mComputer));

    mHarness.Roots().Write(kData, "case01\n\tcharacteristics\n");
    LEventManager::Get()->RemoveAllEvents();
    ASSERT_TRUE(Open());
    EXPECT_EQ(0, mComputer->GetStrength());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_profiler_case01_"));
}

// --- Slots -------------------------------------------------------------------------------

TEST_F(ProfilerTest, EnteredEntriesFillTheirHeadingsSlotsInRaiseOrderWithTextsAndIcons)
{
    // The sample: characteristics pen, doc01; personality rep01, pen_cl; motive glove.
    RaiseAt("doc01_profiler", 2.0f);
    RaiseAt("pen_profiler", 5.0f);
    // Equal times keep the list order: rep01 before pen_cl.
    RaiseAt("pen_cl_profiler", 3.0f);
    RaiseAt("rep01_profiler", 3.0f);
    ASSERT_TRUE(Open());
    EXPECT_EQ("Keeps records/Files every receipt.", SlotText(0));
    EXPECT_EQ("Writes by hand/Signs with a fountain pen, a careful hand.", SlotText(1));
    EXPECT_EQ("Methodical/Plans each step in advance.", SlotText(4));
    EXPECT_EQ("Left-handed/The ink smears to the right.", SlotText(5));
    EXPECT_EQ("/", SlotText(8));
    EXPECT_EQ(4, mComputer->GetEnteredCount());
    EXPECT_EQ(3, mComputer->GetStrength()); // 4 of 5

    struct Icon
    {
        const char* mId;
        int mSlot;
    };
    for (const Icon& icon : {Icon {"doc01_cicon", 0}, Icon {"pen_cicon", 1}, Icon {"rep01_picon", 4}, Icon {"pen_cl_picon", 5}}) {
        LIDisplayObject* sprite = mComputer->GetIcons()->GetMember(LString(icon.mId));
        ASSERT_NE(nullptr, sprite) << icon.mId;
        EXPECT_TRUE(sprite->GetVisible()) << icon.mId;
        const LVector2 expected = mComputer->GetSlot(icon.mSlot)->GetWorldPosition() + LVector2(17.0f, 17.0f);
        EXPECT_FLOAT_EQ(expected.x, sprite->GetWorldPosition().x) << icon.mId;
        EXPECT_FLOAT_EQ(expected.y, sprite->GetWorldPosition().y) << icon.mId;
    }
    EXPECT_EQ(nullptr, mComputer->GetIcons()->GetMember(LString("glove_micon")));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(ProfilerTest, EmptySlotsShowTheEntryCountsOnEasyAndMediumAndNothingOnHard)
{
    const bool expected[] = {true, true, false, false, true, true, false, false, true, false, false, false};
    for (int skill : {GMOptions::SKILL_EASY, GMOptions::SKILL_MEDIUM}) {
        GMOptions::GetInstance()->SetSkill(skill);
        ASSERT_TRUE(Open());
        for (int slot = 0; slot < GMProfilingComputer::kSlots; ++slot) {
            ASSERT_NE(nullptr, mComputer->GetSlot(slot));
            EXPECT_EQ(expected[slot], mComputer->GetSlot(slot)->GetVisible()) << skill << " " << slot;
        }
        ASSERT_TRUE(mHarness.Back(mComputer));
    }
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_HARD);
    RaiseAt("rep01_profiler", 1.0f);
    ASSERT_TRUE(Open());
    for (int slot = 0; slot < GMProfilingComputer::kSlots; ++slot) {
        EXPECT_EQ(slot == 4, mComputer->GetSlot(slot)->GetVisible()) << slot;
    }
}

// --- Placing and analyzing ----------------------------------------------------------------

TEST_F(ProfilerTest, TheItemCursorDropsIntoTheSlotOnlyInsideTheDropAreaAndBecomesTheHand)
{
    ASSERT_TRUE(Open());
    Place("pen", LVector2(100.0f, 300.0f));
    EXPECT_EQ(nullptr, mComputer->GetPlaced());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());

    Place("pen");
    LSprite* placed = mComputer->GetPlaced();
    ASSERT_NE(nullptr, placed);
    EXPECT_EQ("pen", ToStd(placed->GetId()));
    EXPECT_FLOAT_EQ(273.0f, placed->GetWorldPosition().x);
    EXPECT_FLOAT_EQ(60.0f, placed->GetWorldPosition().y);
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());

    // A plain click places nothing more.
    GMPuzzleHarness::Click(kInDrop);
    EXPECT_EQ(placed, mComputer->GetPlaced());
    // Another item replaces it.
    Place("doc01");
    ASSERT_NE(nullptr, mComputer->GetPlaced());
    EXPECT_EQ("doc01", ToStd(mComputer->GetPlacedId()));
    EXPECT_EQ(nullptr, GMPuzzleHarness::Member(mComputer, "pen"));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(ProfilerTest, AnalyzeWithAnEmptySlotOnlyClearsTheResultText)
{
    ASSERT_TRUE(Open());
    mComputer->GetResult()->SetText(LString("42%"));
    Analyze();
    EXPECT_EQ("", ToStd(mComputer->GetResult()->GetText()));
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
    EXPECT_FALSE(PhraseShown(GMProfilingComputer::PHRASE_ANALYZING));
}

TEST_F(ProfilerTest, AnEvidenceItemIsEnteredAndItsEndGrowsTheProfileWithTheMatchSound)
{
    ASSERT_TRUE(Open());
    Place("pen");
    Analyze();
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("pen_profiler"));
    EXPECT_EQ(nullptr, mComputer->GetPlaced());
    EXPECT_TRUE(PhraseShown(GMProfilingComputer::PHRASE_ANALYZING));
    EXPECT_EQ("analyze //sounds/analyze.mp2", LastSound());
    LFakeSoundPlayer* analyze = LFakeSoundPlayer::Find(LString("analyze"));
    ASSERT_NE(nullptr, analyze);
    EXPECT_FLOAT_EQ(0.5f, analyze->mVolume);
    EXPECT_TRUE(analyze->mPlaying);
    // The slot fills only at the end of the analysis.
    EXPECT_EQ("/", SlotText(0));

    ASSERT_TRUE(GMPuzzleHarness::EndStream("analyze"));
    EXPECT_FALSE(PhraseShown(GMProfilingComputer::PHRASE_ANALYZING));
    EXPECT_EQ("Writes by hand/Signs with a fountain pen, a careful hand.", SlotText(0));
    EXPECT_EQ(1, ShownLevel());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_profiler_case01_weak"));
    EXPECT_EQ("match //sounds/match.mp2", LastSound());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("match"));
    EXPECT_EQ(nullptr, mComputer->GetSound());

    // The same item again raises nothing new and ends with s01 and the buzz.
    Place("pen");
    Analyze();
    EXPECT_EQ(1, mHarness.Log().Count("AddEvent failure. ID duplication: pen_profiler"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("analyze"));
    EXPECT_TRUE(PhraseShown(GMProfilingComputer::PHRASE_NOTHING_NEW));
    EXPECT_EQ("match //sounds/buzz.mp2", LastSound());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("match"));
    EXPECT_FALSE(PhraseShown(GMProfilingComputer::PHRASE_NOTHING_NEW));
}

TEST_F(ProfilerTest, AnItemTheProfileDoesNotHoldIsEnteredToNoEffectAndEndsWithS01AndTheBuzz)
{
    RaiseAt("pen_profiler", 0.0f);
    ASSERT_TRUE(Open());
    ASSERT_EQ(1, mComputer->GetEnteredCount());
    // The badge is evidence of case 1 that no profile entry is keyed by.
    Place("badge");
    ASSERT_NE(nullptr, mComputer->GetPlaced());
    Analyze();
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("badge_profiler"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("analyze"));
    EXPECT_TRUE(PhraseShown(GMProfilingComputer::PHRASE_NOTHING_NEW));
    EXPECT_EQ("match //sounds/buzz.mp2", LastSound());
    EXPECT_EQ(1, mComputer->GetEnteredCount());
    EXPECT_EQ(1, ShownLevel());
    // Analyze again while the buzz plays: no second sound over it.
    Place("doc01");
    Analyze();
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("doc01_profiler"));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("analyze")));
}

TEST_F(ProfilerTest, AWitnessBelowStrongIsRefusedWithS04AndTheBuzz)
{
    RaiseAt("pen_profiler", 0.0f); // 1 of 5: weak
    ASSERT_TRUE(Open());
    Place("w01");
    Analyze();
    EXPECT_TRUE(PhraseShown(GMProfilingComputer::PHRASE_TOO_EARLY));
    EXPECT_EQ("match //sounds/buzz.mp2", LastSound());
    EXPECT_EQ(nullptr, mComputer->GetPlaced());
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("w01_profiler"));
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("match"));
    EXPECT_FALSE(PhraseShown(GMProfilingComputer::PHRASE_TOO_EARLY));
    EXPECT_EQ("", ToStd(mComputer->GetResult()->GetText()));
}

TEST_F(ProfilerTest, AWitnessAtStrongIsMatchedByTheFirstRuleThatHolds)
{
    // 4 of 5: strong; the event rule needs verystrong, the script rule strong.
    RaiseAt("pen_profiler", 0.0f);
    RaiseAt("doc01_profiler", 1.0f);
    RaiseAt("rep01_profiler", 2.0f);
    RaiseAt("pen_cl_profiler", 3.0f);
    ASSERT_TRUE(Open());
    ASSERT_EQ(3, mComputer->GetStrength());
    Place("w01");
    Analyze();
    EXPECT_EQ("w01", ToStd(mComputer->GetPendingWitness()));
    EXPECT_EQ(nullptr, mComputer->GetPlaced());
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("w01_profiler"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("analyze"));
    LTextArea* result = mComputer->GetResult();
    EXPECT_EQ("60%", ToStd(result->GetText()));
    EXPECT_FLOAT_EQ(660.0f, result->GetWorldPosition().x);
    EXPECT_FLOAT_EQ(86.0f, result->GetWorldPosition().y);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_w01_profiled"));
    EXPECT_EQ("", ToStd(mComputer->GetPendingWitness()));

    // The event rule comes first once it holds, and raises no done event.
    LEvent* removed = nullptr;
    ASSERT_TRUE(LEventManager::Get()->RemoveEvent(LString("evt_w01_profiled"), &removed));
    delete removed;
    RaiseAt("evt_profiler_case01_verystrong", 4.0f);
    Place("w01");
    Analyze();
    ASSERT_TRUE(GMPuzzleHarness::EndStream("analyze"));
    EXPECT_EQ("85%", ToStd(result->GetText()));
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_w01_profiled"));
}

TEST_F(ProfilerTest, NoRuleHoldingLeavesTheResultEmpty)
{
    mHarness.Roots().Write("data/textures/profiler/profile_match.txt",
                           "case01\n\tw01\n\t\tr01\n\t\t\tdepend=evt_never\n\t\t\tviability=10\n"
                           "\t\tr02\n\t\t\tdepend=script[e[evt_never]]\n\t\t\tviability=20\n\t\t\tdoneevent=evt_done\n"
                           "\t\tr03\n\t\t\tviability=30\n");
    for (const char* id : {"pen_profiler", "doc01_profiler", "rep01_profiler", "pen_cl_profiler"}) {
        RaiseAt(id, 0.0f);
    }
    ASSERT_TRUE(Open());
    Place("w01");
    Analyze();
    ASSERT_TRUE(GMPuzzleHarness::EndStream("analyze"));
    EXPECT_EQ("", ToStd(mComputer->GetResult()->GetText()));
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_done"));
}

// --- Leaving -----------------------------------------------------------------------------

TEST_F(ProfilerTest, TheBackButtonPopsWithAFadeAndTheHidingLeavesNothingBehind)
{
    const GMPuzzleFootprint before = mHarness.Footprint();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(mHarness.Scene().mKeptAudio);
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetDefaultType());
    EXPECT_TRUE(mComputer->IsMouseListening());
    Place("pen");
    Analyze();
    ASSERT_NE(nullptr, mComputer->GetSound());

    LIDisplayObject* back = GMPuzzleHarness::Member(mComputer, GMPuzzle::kBackButtonId);
    ASSERT_NE(nullptr, back);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(back));
    EXPECT_TRUE(screens->IsBusy());
    // Fading out: the screen takes no clicks.
    EXPECT_FALSE(mComputer->GetRoot()->GetEnabled());
    EXPECT_FALSE(mComputer->IsMouseListening());
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), screens->GetTop());
    EXPECT_FALSE(mComputer->IsShown());
    EXPECT_EQ(nullptr, mComputer->GetSound());
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("analyze")));
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, GMCursor::GetInstance()->GetDefaultType());
    EXPECT_EQ("", mHarness.Leftovers(mComputer, before));
    // The state stays true: the screen never sets it back.
    EXPECT_TRUE(GMPuzzleHarness::StateIsTrue(kActive));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(ProfilerTest, TheStateTurningFalseDoesNothingAndTrueAgainWhileShownPushesNothing)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    const int count = screens->GetCount();
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(mComputer), screens->GetTop());
    GMPuzzleHarness::SetState(kActive, true);
    EXPECT_FALSE(screens->IsBusy());
    EXPECT_EQ(count, screens->GetCount());
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(mComputer->IsShown());
    EXPECT_EQ(1, mHarness.Scene().mHidden);
}

// --- Data faults ---------------------------------------------------------------------------

TEST_F(ProfilerTest, AHeadingWithMoreThanFourEntriesUsesTheFirstFourAndLogsIt)
{
    std::string text = "case01\n\tmotive\n";
    for (int n = 0; n < 6; ++n) {
        text += "\t\tpen_m" + std::to_string(n) + "\n\t\t\theading=M" + std::to_string(n) + "\n";
    }
    mHarness.Roots().Write(kData, text);
    for (int n = 0; n < 6; ++n) {
        RaiseAt("pen_m" + std::to_string(n) + "_profiler", static_cast<float>(n));
    }
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, mHarness.Log().Count("Too many profile entries, the first four are used: case01.motive"));
    EXPECT_EQ(4, mComputer->GetEnteredCount());
    EXPECT_EQ(4, mComputer->GetStrength()); // 4 of the 4 used
    for (int slot = 8; slot < 12; ++slot) {
        EXPECT_EQ("M" + std::to_string(slot - 8) + "/", SlotText(slot));
    }
    // Nothing spilled into the other headings' slots.
    EXPECT_EQ("/", SlotText(0));
    EXPECT_EQ("/", SlotText(4));
}

TEST_F(ProfilerTest, MoreThanTwelveHeaderTextsAreLeftOut)
{
    std::string layout;
    {
        std::ifstream file(mHarness.Roots().Path() + "/data/textures/profiler/profiler_layout.txt");
        const std::string sample((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const std::string marker = "\tg06-headers\n";
        const size_t at = sample.find(marker);
        ASSERT_NE(std::string::npos, at);
        std::string extra;
        for (int n = 12; n < 15; ++n) {
            extra += "\t\textra" + std::to_string(n) + "\n\t\t\tid=extra" + std::to_string(n) + "\n\t\t\tposition=10|10\n";
        }
        const size_t next = sample.find("\tg07-entries\n");
        layout = sample.substr(0, next) + extra + sample.substr(next);
    }
    mHarness.Roots().Write("data/textures/profiler/profiler_layout.txt", layout);
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, mHarness.Log().Count("Too many profile texts, the first twelve are used: cenmt14white"));
    EXPECT_EQ(nullptr, GMPuzzleHarness::Member(mComputer, "extra12"));
    EXPECT_NE(nullptr, mComputer->GetHeader(11));
}

TEST_F(ProfilerTest, WithoutASelectedCaseTheProfileIsEmptyAndNoEventIsRaised)
{
    LStateManager::Get()->RemoveAllStates();
    RaiseAt("pen_profiler", 0.0f);
    const int events = LEventManager::Get()->GetEventCount();
    ASSERT_TRUE(Open());
    EXPECT_EQ(0, mComputer->GetStrength());
    EXPECT_EQ(0, mComputer->GetEnteredCount());
    EXPECT_EQ("/", SlotText(0));
    EXPECT_EQ(events, LEventManager::Get()->GetEventCount());
}
