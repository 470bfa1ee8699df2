// The profiling computer: the screen on which the player builds the profile of the selected
// case. An evidence item taken from the PDA (the item cursor) is clicked into the item slot
// and analyzed: an item the case's profile knows raises item id + "_profiler" and, once the
// "analyze" sound ends, its entry (heading, text and icon) shows under characteristics,
// personality or motive, and the five-step gauge shows the profile's strength, raised as
// "evt_profiler_case0" + N + "_" + word. A witness item is matched against the profile once
// it is strong (level 3 or more): the first rule of its match list that holds shows its
// viability as a percentage.
//
// It opens when "sta_profiler_active" turns true (the state is never set back, and turning
// false does nothing), on the puzzle screens' lifecycle: no voice-over, the minimised PDA
// bar left as it is, the hand as the default cursor while shown.
//
// Files: "//textures/profiler/profiler_layout.txt" (built under "//textures/profiler"),
// "//textures/profiler/profile_data.txt" (per case "case0" + N with "characteristics",
// "personality" and "motive", each entry keyed by the item id that enters it, with
// "heading" and "text"), "//textures/profiler/profile_match.txt" ("case0" + N + "." +
// witness id: rules with "depend", "viability" and optionally "doneevent") and the
// inventory's item list for the item sprites. Each heading has four slots: further entries
// are left out (logged), as are texts beyond the twelve slots. Without a selected case the
// profile is empty at strength 0 and no profile event is raised.
#pragma once
#include "Input/LIMouseListener.h"
#include "LRectangle.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "puzzles/GMPuzzle.h"

class LDisplayGroup;
class LIDisplayObject;
class LSprite;
class LTextArea;

class GMProfilingComputer : public GMPuzzle, public LIMouseListener
{
public:
    static constexpr const char* kClassName = "GMProfilingComputer";
    static constexpr const char* kActiveState = "sta_profiler_active";
    static constexpr const char* kLayoutFile = "//textures/profiler/profiler_layout.txt";
    static constexpr const char* kDataFile = "//textures/profiler/profile_data.txt";
    static constexpr const char* kMatchFile = "//textures/profiler/profile_match.txt";
    static constexpr const char* kItemsFile = "//textures/pda/inventory/inventory_items.txt";
    static constexpr const char* kAnalyzeSound = "//sounds/analyze.mp2";
    static constexpr const char* kMatchSound = "//sounds/match.mp2";
    static constexpr const char* kBuzzSound = "//sounds/buzz.mp2";
    static constexpr const char* kAnalyzeStream = "analyze";
    static constexpr const char* kMatchStream = "match";
    static constexpr const char* kResultId = "profile_match";
    static constexpr int kLevels = 5;
    static constexpr int kSlots = 12;
    static constexpr int kSlotsPerHeading = 4;
    static constexpr int kHeadings = 3;
    // The witness is matched from this strength on.
    static constexpr int kMatchStrength = 3;
    static constexpr float kDropX = 273.0f;
    static constexpr float kDropY = 40.0f;
    static constexpr float kDropWidth = 92.0f;
    static constexpr float kDropHeight = 76.0f;
    static constexpr float kPlacedX = 273.0f;
    static constexpr float kPlacedY = 60.0f;
    static constexpr float kIconOffset = 17.0f;
    static constexpr float kResultX = 660.0f;
    static constexpr float kResultY = 86.0f;

    // The status phrases by index: shown while analyzing, nothing new entered, a witness
    // offered too early.
    enum Phrase { PHRASE_ANALYZING = 0, PHRASE_NOTHING_NEW = 1, PHRASE_TOO_EARLY = 2, PHRASE_COUNT = 3 };

    static GMProfilingComputer* GetInstance();

    GMProfilingComputer();
    ~GMProfilingComputer() override;

    // The screen takes no clicks during its fade-out.
    void OnLeave() override;

    // Button 1 while an item is the cursor: the cursor becomes the hand again, and inside
    // the drop area the item's sprite takes the slot.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    // "back_btn" leaves with a fade; any other button analyzes the item in the slot.
    void OnButton(const LString& aId, int aEvent) override;

    // Shows the entered entries and the gauge from the raised "_profiler" events and raises
    // the strength's event.
    void RefreshProfile();
    // Shows the viability of the first rule of aWitnessId's match list that holds.
    void MatchWitness(const LString& aWitnessId);

    // The selected case, 0 when none is selected.
    static int SelectedCase();
    // The strength level (0 to 4) and its word for aEntered of aDefined entries.
    static int Strength(int aEntered, int aDefined, LString* aWord);

    int GetStrength() const { return mStrength; }
    int GetEnteredCount() const { return mEnteredCount; }
    LIDisplayObject* GetGauge(int aLevel) const;
    LIDisplayObject* GetSlot(int aSlot) const;
    LTextArea* GetHeader(int aSlot) const;
    LTextArea* GetEntry(int aSlot) const;
    LTextArea* GetResult() const { return mResult; }
    LIDisplayObject* GetPhrase(int aPhrase) const;
    LDisplayGroup* GetIcons() const { return mIcons; }
    LSprite* GetPlaced() const { return mPlaced; }
    const LString& GetPlacedId() const { return mPlacedId; }
    const LString& GetPendingWitness() const { return mPendingWitness; }
    const LRectangle& GetDropArea() const { return mDropArea; }
    bool IsMouseListening() const { return mMouseListening; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    // The state is never set back by the screen: turning false does nothing.
    void OnClosedByState() override {}
    void OnVoiceEnded(const LString& aName) override;

private:
    void BuildGauge(LPropertyList* aLayout);
    void BuildResultText();
    void BuildSlots(LPropertyList* aLayout, LPropertyList* aProfile);
    void BuildTexts(LPropertyList* aList, const char* aFont, float aLineHeight, LTextArea** aOut);
    void BuildPhrases(LPropertyList* aLayout);
    bool AddToRoot(LIDisplayObject* aObject);
    // The item's sprite from the case's item list (the part of aKey before the first "_",
    // in lower case with aLower).
    LSprite* BuildItemSprite(const LString& aKey, bool aLower) const;
    void RemovePlaced();
    void ReleaseToHand();
    void ShowPhrase(int aPhrase, bool aShown);
    void ShowEntered(LPropertyList* aHeading, const LVectorString& aKeys, int aFirstSlot, const char* aIconSuffix);

    LDisplayGroup* mIcons = nullptr;
    LPropertyList* mItems = nullptr;
    LPropertyList* mMatch = nullptr;
    LIDisplayObject* mGauge[kLevels] = {};
    int mStrength = 0;
    LTextArea* mResult = nullptr;
    LIDisplayObject* mSlots[kSlots] = {};
    LTextArea* mHeaders[kSlots] = {};
    LTextArea* mEntries[kSlots] = {};
    LRectangle mDropArea;
    LSprite* mPlaced = nullptr;
    LString mPlacedId;
    LString mItemsPath;
    int mEnteredCount = 0;
    LIDisplayObject* mPhrases[PHRASE_COUNT] = {};
    LString mPendingWitness;
    bool mMouseListening = false;
};
