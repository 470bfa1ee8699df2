#include "profiler/GMProfilingComputer.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"
#include "util/GMSelectedCase.h"
#include "util/GMTextureRoot.h"

#include <algorithm>
#include <vector>

namespace {

GMSingleton<GMProfilingComputer> sComputer;

const char* const kItemRoot = "//textures/pda/inventory";
const char* const kHeadingKeys[GMProfilingComputer::kHeadings] = {"characteristics", "personality", "motive"};
const char* const kIconSuffixes[GMProfilingComputer::kHeadings] = {"_cicon", "_picon", "_micon"};
const char* const kPhraseKeys[GMProfilingComputer::PHRASE_COUNT] = {"s02", "s01", "s04"};

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = GMProfilingComputer::kClassName;
    setup.mActiveState = GMProfilingComputer::kActiveState;
    setup.mLayoutFile = GMProfilingComputer::kLayoutFile;
    setup.mTextureRoot = "//textures/profiler";
    setup.mRootGroup = "profilingComputer_layout";
    setup.mRootZ = -50.0f;
    setup.mHidesBar = false;
    setup.mCursor = GMCursor::TYPE_HAND;
    setup.mSetsDefaultCursor = true;
    setup.mFadeSubtitleOnHide = false;
    return setup;
}

LString Text(LPropertyList* aList, const char* aKey, bool& aFound)
{
    aFound = false;
    return aList != nullptr ? aList->GetString(LString(aKey), aFound) : LString();
}

// The part of an item id before its first "_".
LString ItemKey(const LString& aId)
{
    const int cut = aId.Find(u"_", 0);
    return cut > 0 ? aId.Mid(0, cut, 0) : (cut == 0 ? LString() : aId);
}

LString CaseList(int aCase)
{
    return LString("case0") + aCase;
}

// The number of a heading's entries that have slots: at most four.
int UsableCount(LPropertyList* aHeading)
{
    const int count = aHeading != nullptr ? aHeading->GetCount() : 0;
    return std::min(count, GMProfilingComputer::kSlotsPerHeading);
}

// The keys of aHeading's usable entries whose "_profiler" event is raised, earlier raises
// first, equal times in list order.
LVectorString CollectEntered(LPropertyList* aHeading)
{
    struct Entered
    {
        LString mKey;
        float mTime;
    };
    std::vector<Entered> entered;
    LEventManager* events = LEventManager::Get();
    const int count = UsableCount(aHeading);
    for (int i = 0; events != nullptr && i < count; ++i) {
        const LString key = aHeading->GetKeyAt(i);
        const LString id = key + "_profiler";
        LEvent* event = events->IsRaised(id) ? events->GetEvent(id) : nullptr;
        if (event != nullptr) {
            entered.push_back({key, event->GetTime()});
        }
    }
    std::stable_sort(entered.begin(), entered.end(),
                     [](const Entered& aLeft, const Entered& aRight) { return aLeft.mTime < aRight.mTime; });
    LVectorString keys;
    for (const Entered& item : entered) {
        keys.Append(item.mKey);
    }
    return keys;
}

void Raise(const LString& aId)
{
    // A repeated id is refused by the event manager with its own message.
    if (LEventManager* events = LEventManager::Get()) {
        events->AddEvent(aId, true);
    }
}

} // namespace

GMProfilingComputer* GMProfilingComputer::GetInstance()
{
    const bool made = sComputer.Peek() == nullptr && !sComputer.IsDestroyed();
    GMProfilingComputer* computer = sComputer.Get(L_FILE, __LINE__, "GMProfilingComputer creation failed");
    if (made && computer != nullptr) {
        computer->Register();
    }
    return computer;
}

GMProfilingComputer::GMProfilingComputer() : GMPuzzle(Setup()), mDropArea(kDropX, kDropY, kDropWidth, kDropHeight)
{
}

GMProfilingComputer::~GMProfilingComputer()
{
    sComputer.Destroyed(this);
    Shutdown();
    ReleaseInput();
    DeletePieces();
}

int GMProfilingComputer::SelectedCase()
{
    int selected = 0;
    // A value no case number can be counts as none.
    return GMSelectedCase::Read(selected) == GMSelectedCase::RESULT_READ && selected >= 1 && selected < 100 ? selected : 0;
}

int GMProfilingComputer::Strength(int aEntered, int aDefined, LString* aWord)
{
    const float ratio = aDefined > 0 ? static_cast<float>(aEntered) / static_cast<float>(aDefined) : 0.0f;
    struct Step
    {
        float mAbove;
        int mLevel;
        const char* mWord;
    };
    static constexpr Step kSteps[] = {
        {0.85f, 4, "verystrong"}, {0.75f, 3, "strong"}, {0.55f, 2, "moderate"}, {0.35f, 2, "moderate"}, {0.15f, 1, "weak"},
    };
    for (const Step& step : kSteps) {
        if (ratio > step.mAbove) {
            if (aWord != nullptr) {
                *aWord = step.mWord;
            }
            return step.mLevel;
        }
    }
    if (aWord != nullptr) {
        aWord->Clear();
    }
    return 0;
}

LIDisplayObject* GMProfilingComputer::GetGauge(int aLevel) const
{
    return aLevel >= 0 && aLevel < kLevels ? mGauge[aLevel] : nullptr;
}

LIDisplayObject* GMProfilingComputer::GetSlot(int aSlot) const
{
    return aSlot >= 0 && aSlot < kSlots ? mSlots[aSlot] : nullptr;
}

LTextArea* GMProfilingComputer::GetHeader(int aSlot) const
{
    return aSlot >= 0 && aSlot < kSlots ? mHeaders[aSlot] : nullptr;
}

LTextArea* GMProfilingComputer::GetEntry(int aSlot) const
{
    return aSlot >= 0 && aSlot < kSlots ? mEntries[aSlot] : nullptr;
}

LIDisplayObject* GMProfilingComputer::GetPhrase(int aPhrase) const
{
    return aPhrase >= 0 && aPhrase < PHRASE_COUNT ? mPhrases[aPhrase] : nullptr;
}

// --- Building and hiding ---------------------------------------------------------------

void GMProfilingComputer::BuildPieces()
{
    mItems = L_NEW LPropertyList();
    if (mItems == nullptr || !mItems->Load(LString(kItemsFile), true)) {
        L_ASSERT_FAILURE(LString());
    }
    const int selected = SelectedCase();
    mItemsPath = LString("items.case") + selected;
    LPropertyList profile;
    if (!profile.Load(LString(kDataFile), true)) {
        L_ASSERT_FAILURE(LString());
    }
    mMatch = L_NEW LPropertyList();
    if (mMatch == nullptr || !mMatch->Load(LString(kMatchFile), true)) {
        L_ASSERT_FAILURE(LString());
    }
    LPropertyList* layout = GetLayout();
    BuildGauge(layout);
    BuildResultText();
    auto* buttons = L_NEW LDisplayGroup();
    if (buttons != nullptr) {
        buttons->SetId(LString("profiler_buttons"));
        buttons->SetRelativeZ(10.0f);
        LPropertyList* list = layout != nullptr ? layout->GetList(LString("groups.g04-buttons.buttons")) : nullptr;
        if (list != nullptr) {
            LLayoutBuilder::BuildButtons(list, buttons, this);
        }
        AddToRoot(buttons);
    }
    BuildSlots(layout, profile.GetList(CaseList(selected)));
    mIcons = L_NEW LDisplayGroup();
    if (mIcons != nullptr) {
        mIcons->SetId(LString("profiler_icons"));
        mIcons->SetRelativeZ(20.0f);
        if (!AddToRoot(mIcons)) {
            mIcons = nullptr;
        }
    }
    BuildTexts(layout != nullptr ? layout->GetList(LString("groups.g06-headers")) : nullptr, "cenmt14white", 15.0f,
               mHeaders);
    BuildTexts(layout != nullptr ? layout->GetList(LString("groups.g07-entries")) : nullptr, "cenmt12white", 11.0f,
               mEntries);
    BuildPhrases(layout);
}

bool GMProfilingComputer::AddToRoot(LIDisplayObject* aObject)
{
    if (aObject == nullptr) {
        return false;
    }
    if (GetRoot() == nullptr || !GetRoot()->AddMember(aObject, true)) {
        L_ASSERT_FAILURE(LString());
        delete aObject;
        return false;
    }
    return true;
}

void GMProfilingComputer::BuildGauge(LPropertyList* aLayout)
{
    LPropertyList* levels = aLayout != nullptr ? aLayout->GetList(LString("groups.g03-profile_strength")) : nullptr;
    for (int i = 0; i < kLevels; ++i) {
        LPropertyList* entry = levels != nullptr && i < levels->GetCount() ? levels->GetListAt(i) : nullptr;
        LSprite* sprite = entry != nullptr ? LLayoutBuilder::BuildSprite(entry) : nullptr;
        if (sprite == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        sprite->SetVisible(false);
        mGauge[i] = AddToRoot(sprite) ? sprite : nullptr;
    }
    mStrength = 0;
    if (mGauge[0] != nullptr) {
        mGauge[0]->SetVisible(true);
    }
}

void GMProfilingComputer::BuildResultText()
{
    auto* text = L_NEW LTextArea();
    if (text == nullptr || !text->Create(LString("tahoma10"))) {
        L_ASSERT_FAILURE(LString());
        delete text;
        return;
    }
    text->SetId(LString(kResultId));
    text->SetPosition(kResultX, kResultY);
    text->SetRelativeZ(20.0f);
    text->SetMultiLine(true);
    text->SetWrap(true);
    text->SetWidth(50.0f);
    text->SetText(LString());
    mResult = AddToRoot(text) ? text : nullptr;
}

void GMProfilingComputer::BuildSlots(LPropertyList* aLayout, LPropertyList* aProfile)
{
    LPropertyList* slots = aLayout != nullptr ? aLayout->GetList(LString("groups.g05-item_slots")) : nullptr;
    for (int i = 0; i < kSlots; ++i) {
        LPropertyList* entry = slots != nullptr && i < slots->GetCount() ? slots->GetListAt(i) : nullptr;
        LSprite* sprite = entry != nullptr ? LLayoutBuilder::BuildSprite(entry) : nullptr;
        if (sprite == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        sprite->SetVisible(false);
        mSlots[i] = AddToRoot(sprite) ? sprite : nullptr;
    }
    GMOptions* options = GMOptions::GetInstance();
    const bool hard = options != nullptr && options->GetSkill() == GMOptions::SKILL_HARD;
    for (int heading = 0; heading < kHeadings; ++heading) {
        LPropertyList* list = aProfile != nullptr ? aProfile->GetList(LString(kHeadingKeys[heading])) : nullptr;
        if (list != nullptr && list->GetCount() > kSlotsPerHeading) {
            L_ERROR("Too many profile entries, the first four are used: " + CaseList(SelectedCase()) + "." +
                    kHeadingKeys[heading]);
        }
        // On easy and medium the empty slots show how many entries each heading has.
        for (int i = 0; !hard && i < UsableCount(list); ++i) {
            if (LIDisplayObject* slot = mSlots[heading * kSlotsPerHeading + i]) {
                slot->SetVisible(true);
            }
        }
    }
}

void GMProfilingComputer::BuildTexts(LPropertyList* aList, const char* aFont, float aLineHeight, LTextArea** aOut)
{
    const int count = aList != nullptr ? aList->GetCount() : 0;
    if (count > kSlots) {
        L_ERROR(LString("Too many profile texts, the first twelve are used: ") + aFont);
    }
    for (int i = 0; i < count && i < kSlots; ++i) {
        LPropertyList* entry = aList->GetListAt(i);
        auto* text = entry != nullptr ? L_NEW LTextArea() : nullptr;
        if (text == nullptr || !text->Create(LString(aFont))) {
            L_ASSERT_FAILURE(LString());
            delete text;
            continue;
        }
        bool found = false;
        const LString id = Text(entry, "id", found);
        if (found) {
            text->SetId(id);
        }
        const LVectorFloat position = entry->GetVectorFloat(LString("position"), found);
        if (found && position.GetCount() == 2) {
            text->SetPosition(position[0], position[1]);
        }
        text->SetMultiLine(true);
        text->SetWrap(true);
        text->SetWidth(135.0f);
        text->SetLineHeight(aLineHeight);
        text->SetText(LString());
        aOut[i] = AddToRoot(text) ? text : nullptr;
    }
}

void GMProfilingComputer::BuildPhrases(LPropertyList* aLayout)
{
    for (int i = 0; i < PHRASE_COUNT; ++i) {
        LPropertyList* entry =
            aLayout != nullptr ? aLayout->GetList(LString("groups.g08-status_phrases.") + kPhraseKeys[i]) : nullptr;
        LSprite* sprite = entry != nullptr ? LLayoutBuilder::BuildSprite(entry) : nullptr;
        if (sprite == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        sprite->SetVisible(false);
        mPhrases[i] = AddToRoot(sprite) ? sprite : nullptr;
    }
}

void GMProfilingComputer::OnBuilt()
{
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    if (!mMouseListening) {
        L_ASSERT_FAILURE(LString());
    }
    mEnteredCount = 0;
    mPendingWitness.Clear();
    RefreshProfile();
}

void GMProfilingComputer::OnLeave()
{
    ReleaseInput();
    if (LDisplayGroup* root = GetRoot()) {
        root->SetEnabled(false);
        root->UpdateAll();
    }
}

void GMProfilingComputer::ReleaseInput()
{
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

void GMProfilingComputer::DeletePieces()
{
    delete mItems;
    mItems = nullptr;
    delete mMatch;
    mMatch = nullptr;
    RemovePlaced();
    // The rest are members of the root group, which goes next.
    mIcons = nullptr;
    mResult = nullptr;
    std::fill(std::begin(mGauge), std::end(mGauge), nullptr);
    std::fill(std::begin(mSlots), std::end(mSlots), nullptr);
    std::fill(std::begin(mHeaders), std::end(mHeaders), nullptr);
    std::fill(std::begin(mEntries), std::end(mEntries), nullptr);
    std::fill(std::begin(mPhrases), std::end(mPhrases), nullptr);
    mPendingWitness.Clear();
}

// --- Placing and analyzing -------------------------------------------------------------

LSprite* GMProfilingComputer::BuildItemSprite(const LString& aKey, bool aLower) const
{
    const LString key = aLower ? ItemKey(aKey).ToLower() : ItemKey(aKey);
    LPropertyList* list = mItems != nullptr && !key.IsEmpty() ? mItems->GetList(mItemsPath + "." + key + ".sprite") : nullptr;
    if (list == nullptr) {
        return nullptr;
    }
    // The inventory's item pictures live with the inventory.
    GMTextureRoot root{LString(kItemRoot)};
    return LLayoutBuilder::BuildSprite(list);
}

void GMProfilingComputer::RemovePlaced()
{
    if (mPlaced != nullptr) {
        if (GetRoot() != nullptr) {
            GetRoot()->RemoveMember(mPlaced);
        }
        delete mPlaced;
        mPlaced = nullptr;
    }
    mPlacedId.Clear();
}

void GMProfilingComputer::ReleaseToHand()
{
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetDefaultCursor(GMCursor::TYPE_HAND);
        cursor->ReleaseCursor(LString());
    }
}

void GMProfilingComputer::ShowPhrase(int aPhrase, bool aShown)
{
    if (LIDisplayObject* phrase = GetPhrase(aPhrase)) {
        phrase->SetVisible(aShown);
    }
}

void GMProfilingComputer::OnButtonDown(int aButton)
{
    GMCursor* cursor = GMCursor::GetInstance();
    LMouse* mouse = LMouse::Get();
    if (aButton != 1 || cursor == nullptr || mouse == nullptr || cursor->GetType() != GMCursor::TYPE_ITEM) {
        return;
    }
    const LString id = cursor->GetItemCursor();
    ReleaseToHand();
    LVector2 position;
    mouse->GetPosition(position);
    if (!mDropArea.ContainsPoint(position)) {
        return;
    }
    LSprite* sprite = BuildItemSprite(id, false);
    if (sprite == nullptr) {
        return;
    }
    RemovePlaced();
    sprite->SetId(id);
    sprite->SetRelativeZ(20.0f);
    sprite->SetPosition(kPlacedX, kPlacedY);
    if (AddToRoot(sprite)) {
        mPlaced = sprite;
        mPlacedId = id;
    }
}

void GMProfilingComputer::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.EqualsNoCase(LString(kBackButtonId))) {
        PopIfTopAndInterrupt();
        return;
    }
    if (mResult != nullptr) {
        mResult->SetText(LString());
    }
    if (mPlaced == nullptr) {
        return;
    }
    const LString id = mPlacedId;
    LPropertyList* item = mItems != nullptr ? mItems->GetList(mItemsPath + "." + ItemKey(id)) : nullptr;
    // An item the case does not know stays in the slot and is analyzed to no effect.
    if (item != nullptr) {
        mPendingWitness.Clear();
        bool found = false;
        const LString type = Text(item, "type", found);
        if (found && type.EqualsNoCase(LString("witnesses"))) {
            if (mStrength < kMatchStrength) {
                ShowPhrase(PHRASE_TOO_EARLY, true);
                PlaySound(LString(kMatchStream), LString(kBuzzSound));
                RemovePlaced();
                ReleaseToHand();
                return;
            }
            mPendingWitness = id;
        } else {
            Raise(id + "_profiler");
        }
        RemovePlaced();
    }
    ReleaseToHand();
    ShowPhrase(PHRASE_ANALYZING, true);
    if (GetSound() == nullptr) {
        PlaySound(LString(kAnalyzeStream), LString(kAnalyzeSound));
    }
}

void GMProfilingComputer::OnVoiceEnded(const LString& aName)
{
    for (int i = 0; i < PHRASE_COUNT; ++i) {
        ShowPhrase(i, false);
    }
    if (aName != LString(kAnalyzeStream) || !IsShown()) {
        return;
    }
    if (!mPendingWitness.IsEmpty()) {
        // Matched once: a later analysis of an unknown item must not show it again.
        const LString witness = mPendingWitness;
        mPendingWitness.Clear();
        MatchWitness(witness);
        return;
    }
    const int before = mEnteredCount;
    RefreshProfile();
    if (mEnteredCount > before) {
        PlaySound(LString(kMatchStream), LString(kMatchSound));
    } else {
        ShowPhrase(PHRASE_NOTHING_NEW, true);
        PlaySound(LString(kMatchStream), LString(kBuzzSound));
    }
}

// --- The profile -----------------------------------------------------------------------

void GMProfilingComputer::RefreshProfile()
{
    LPropertyList profile;
    if (!profile.Load(LString(kDataFile), true)) {
        L_ASSERT_FAILURE(LString());
    }
    const int selected = SelectedCase();
    LPropertyList* caseList = selected > 0 ? profile.GetList(CaseList(selected)) : nullptr;
    int defined = 0;
    int entered = 0;
    for (int heading = 0; heading < kHeadings; ++heading) {
        LPropertyList* list = caseList != nullptr ? caseList->GetList(LString(kHeadingKeys[heading])) : nullptr;
        defined += UsableCount(list);
        const LVectorString keys = CollectEntered(list);
        entered += keys.GetCount();
        ShowEntered(list, keys, heading * kSlotsPerHeading, kIconSuffixes[heading]);
    }
    LString word;
    mStrength = Strength(entered, defined, &word);
    if (selected > 0) {
        Raise(LString("evt_profiler_") + CaseList(selected) + "_" + word);
    }
    for (int i = 0; i < kLevels; ++i) {
        if (mGauge[i] != nullptr) {
            mGauge[i]->SetVisible(i == mStrength);
        }
    }
    mEnteredCount = entered;
}

void GMProfilingComputer::ShowEntered(LPropertyList* aHeading, const LVectorString& aKeys, int aFirstSlot,
                                      const char* aIconSuffix)
{
    for (int i = 0; aHeading != nullptr && i < aKeys.GetCount() && i < kSlotsPerHeading; ++i) {
        const int slot = aFirstSlot + i;
        const LString key = aKeys[i];
        LPropertyList* entry = aHeading->GetList(key);
        bool found = false;
        const LString heading = Text(entry, "heading", found);
        if (found && mHeaders[slot] != nullptr) {
            mHeaders[slot]->SetText(heading);
        }
        const LString text = Text(entry, "text", found);
        if (found && mEntries[slot] != nullptr) {
            mEntries[slot]->SetText(text);
        }
        if (mSlots[slot] == nullptr) {
            continue;
        }
        mSlots[slot]->SetVisible(true);
        if (mIcons == nullptr) {
            continue;
        }
        const LString iconId = key + aIconSuffix;
        LIDisplayObject* icon = mIcons->GetMember(iconId);
        if (icon == nullptr) {
            LSprite* sprite = BuildItemSprite(key, true);
            if (sprite == nullptr) {
                continue;
            }
            sprite->SetId(iconId);
            if (!mIcons->AddMember(sprite, true)) {
                L_ASSERT_FAILURE(LString());
                delete sprite;
                continue;
            }
            icon = sprite;
        }
        const LVector2 place = mSlots[slot]->GetWorldPosition() + LVector2(kIconOffset, kIconOffset);
        icon->SetPosition(place - mIcons->GetWorldPosition());
        icon->SetVisible(true);
    }
}

void GMProfilingComputer::MatchWitness(const LString& aWitnessId)
{
    const int selected = SelectedCase();
    LPropertyList* rules = mMatch != nullptr && selected > 0 ? mMatch->GetList(CaseList(selected) + "." + aWitnessId) : nullptr;
    LEventManager* events = LEventManager::Get();
    for (int i = 0; rules != nullptr && i < rules->GetCount(); ++i) {
        LPropertyList* rule = rules->GetListAt(i);
        bool hasDepend = false;
        bool hasViability = false;
        const LString depend = Text(rule, "depend", hasDepend);
        const LString viability = Text(rule, "viability", hasViability);
        if (!hasDepend || !hasViability) {
            continue;
        }
        bool holds = false;
        if (depend.Mid(0, 6, 0).EqualsNoCase(LString("script"))) {
            LScript script;
            LScriptBuilder* builder = LScriptBuilder::Get();
            if (builder == nullptr || !builder->BuildScript(depend, &script) || builder->HadSyntaxError()) {
                L_ASSERT_FAILURE(LString());
                script.SetRoot(nullptr);
            }
            holds = script.Evaluate();
            bool hasDone = false;
            const LString done = Text(rule, "doneevent", hasDone);
            if (holds && hasDone) {
                Raise(done);
            }
        } else {
            holds = events != nullptr && events->IsRaised(depend);
        }
        if (holds) {
            if (mResult != nullptr) {
                mResult->SetText(viability + "%");
            }
            return;
        }
    }
}
