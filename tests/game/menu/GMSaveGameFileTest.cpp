// Saved games through the real sequences over the sample's locations, with "//dataroot"
// in a fresh directory: the round trip of inventory, events, states and clocks, the
// placement after a load from the title screen and from a game, failed saves that keep
// the index, an index that cannot be read, damaged saves that leave the game in progress
// exactly as it was, and the phone's messages worked out again for a loaded game.
#include "menu/GMSaveGameFile.h"

#include "GMIScreen.h"
#include "GMScreenManager.h"
#include "Gdi/LFader.h"
#include "LVector2.h"
#include "LVector3.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "object/LRegistry.h"
#include "object/LRestoreManager.h"
#include "object/LRuntimeSetup.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPhone.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LGameObjectManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LMemoryStream.h"
#include "support/GMTestScene.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LMediaFixtures.h"
#include "support/LSampleRoots.h"
#include "support/LTestDirectory.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMIScreenFaderListener.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"
#include "menu/GMSaveIndexFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace GMSceneFlow;

int sTitleMusicStops = 0;

void CountTitleMusicStop()
{
    ++sTitleMusicStops;
}

class Screen : public GMIScreen
{
public:
    void OnLeave() override {}
    void OnHidden() override { ++mHidden; }
    void OnShow() override { ++mShown; }
    int mHidden = 0;
    int mShown = 0;
};

// Runs the load as the load screen will: the fader's listener, placing the player at black.
class LoadScreen : public Screen, public GMIScreenFaderListener
{
public:
    void OnFade(int aEvent) override
    {
        if (aEvent == LFader::kFinished) {
            mPlaced = GMSaveGameFile::PlaceAfterLoad(this, this) ? 1 : 0;
        }
    }
    int mPlaced = -1;
};

std::string Bytes(const LString& aText)
{
    return ToStd(aText);
}

// 8-bit text as the UTF-16 units of a saved string.
std::string Units(const std::string& aText)
{
    std::string units;
    for (const char c : aText) {
        units += std::string{c, '\0'};
    }
    return units;
}

// The bytes of aSave with the first occurrence of aFrom (as UTF-16 units) changed to aTo,
// of the same length.
std::string Renamed(std::string aSave, const std::string& aFrom, const std::string& aTo)
{
    const size_t at = aSave.find(Units(aFrom));
    EXPECT_NE(std::string::npos, at) << aFrom;
    if (at != std::string::npos) {
        aSave.replace(at, aTo.size() * 2, Units(aTo));
    }
    return aSave;
}

class SaveGame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrepareGame());
        // Saves land in the test's own directory, never in the sample; what the game reads
        // there besides is copied in.
        std::filesystem::create_directories(mData.Path() + "/game");
        mData.Write("assets/tooltips.txt", LTestDirectory::ReadFile(LSampleRoots::Directory() + "/assets/tooltips.txt"));
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//dataroot"), FromStd(mData.Path())));
        LRegistry* registry = LRegistry::Get();
        if (registry->GetCreatorIndex(LString("eventmanager")) < 0) {
            ASSERT_EQ(1, LRuntimeSetup::RegisterCreators(registry));
        }
        if (LRestoreManager::Get()->GetRestorableCount() == 0) {
            ASSERT_EQ(1, LRuntimeSetup::RegisterRestorables());
        }
        LEventManager::Get()->RemoveAllEvents();
        LStateManager::Get()->RemoveAllStates();
        LGameClock::Get()->Reset();
        mInventory = GMPDA::GetInstance()->GetInventoryPanel();
        ASSERT_NE(nullptr, mInventory);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mScreens = GMScreenManager::GetInstance();
        mScenes = GMSceneManager::GetInstance();
        sTitleMusicStops = 0;
        GMSaveGameFile::SetTitleMusicStop(&CountTitleMusicStop);
    }

    void TearDown() override
    {
        GMSaveGameFile::SetTitleMusicStop(nullptr);
        delete GMCleaner::GetInstance();
    }

    static void State(const char* aId, const char* aType, const char* aValue)
    {
        ASSERT_TRUE(LStateManager::Get()->SetState(LString(aId), LString(aType), LString(aValue), false));
    }

    static std::string Text(const char* aId)
    {
        const LIState* state = LStateManager::Get()->GetState(LString(aId));
        return state != nullptr && state->GetType() == LIState::TYPE_STRING
                   ? Bytes(*static_cast<const LString*>(state->GetValue()))
                   : "<none>";
    }

    // A case in progress: items in the inventory, events, states, the clock of the case
    // with a pending event and state.
    void PlayALittle(int aCase)
    {
        State("sta_selectedcase", "number", "1");
        ASSERT_TRUE(mInventory->AddItem(LString("badge")));
        ASSERT_TRUE(mInventory->AddItem(LString("notebook")));
        ASSERT_TRUE(mInventory->AddItem(LString("w01")));
        State("sta_selectedcase", "number", std::to_string(aCase).c_str());
        LEventManager::Get()->AddEvent(LString("evt_case01_opened"), false);
        LEventManager::Get()->AddEvent(LString("evt_badge_seen"), false);
        State("sta_flag", "boolean", "true");
        State("sta_currentskillsetting", "string", "medium");
        LGameClock* clock = LGameClock::Get();
        clock->SetCurrentClock(aCase);
        clock->ResetTime(aCase);
        clock->Advance(3.0f, false);
        clock->ScheduleEvent(LString("evt_phone_rings"), 4.0f, -1);
        clock->ScheduleState(LString("sta_later"), u"yes", 6.0f, 2);
    }

    // The riverbank's second viewpoint with the player moved off its start, as the PDA's
    // menu button records it.
    void StandOnTheRiverbank()
    {
        ASSERT_TRUE(mScenes->LoadScene(LString(GMTestScene::kRiverbank), true, true));
        GMScene* scene = mScenes->GetScene();
        ASSERT_TRUE(scene->SetViewpoint(LString("vp02")));
        Frames(2);
        ASSERT_NE(nullptr, scene->GetPlayerPosition());
        mPlace = LVector2(scene->GetPlayerPosition()->x + 1.5f, scene->GetPlayerPosition()->z - 2.0f);
        mFacing = LVector2(0.6f, 0.8f);
        State("sta_playerpos_x", "number", Bytes(LString("") + mPlace.x).c_str());
        State("sta_playerpos_z", "number", Bytes(LString("") + mPlace.y).c_str());
        State("sta_playerdir_x", "number", "0.6");
        State("sta_playerdir_z", "number", "0.8");
    }

    // The game in progress as a save file's bytes.
    static std::string Game()
    {
        LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
        EXPECT_TRUE(GMSaveGameFile::Encode(stream));
        return WrittenBytes(stream);
    }

    // Saves from a save screen over another screen; the save screen leaves with a fade.
    bool Save(const char* aDescription)
    {
        mScreens->Clear();
        mScreens->PushScreen(&mMenu);
        mScreens->PushScreen(&mSaveScreen);
        GMSaveIndexFile index;
        EXPECT_TRUE(index.Load());
        const bool saved = GMSaveGameFile::SaveGame(LString(aDescription), GMSaveIndexFile::PickThumbnail(), &index);
        FramesUntil([this] { return !mScreens->IsBusy(); });
        return saved;
    }

    std::string File(const std::string& aName) const { return LTestDirectory::ReadFile(mData.File("game/" + aName)); }
    bool Exists(const std::string& aName) const { return std::filesystem::exists(mData.File("game/" + aName)); }

    // Loads aKey from the screens of the title (menu, load screen) and lets the fade run.
    bool LoadAndPlace(const char* aKey)
    {
        if (!GMSaveGameFile::LoadGame(LString(aKey), &mLoadScreen)) {
            return false;
        }
        return FramesUntil([this] { return mLoadScreen.mPlaced >= 0; }) && mLoadScreen.mPlaced == 1;
    }

    // A failed load: false, the game in progress and the screens as they were, no fade.
    void ExpectRefused(const char* aKey, const std::string& aBefore, GMScene* aScene, const char* aWhat)
    {
        EXPECT_FALSE(GMSaveGameFile::LoadGame(LString(aKey), &mLoadScreen)) << aWhat;
        EXPECT_EQ(aBefore, Game()) << aWhat;
        EXPECT_EQ(aScene, mScenes->GetScene()) << aWhat;
        EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn()) << aWhat;
        EXPECT_NE(static_cast<GMIScreenFaderListener*>(&mLoadScreen), GMScreenFader::GetInstance()->GetListener())
            << aWhat;
        EXPECT_EQ(static_cast<GMIScreen*>(&mLoadScreen), mScreens->GetTop()) << aWhat;
    }

    LTestDirectory mData;
    LLogCapture mLog;
    GMInventoryPanel* mInventory = nullptr;
    GMScreenManager* mScreens = nullptr;
    GMSceneManager* mScenes = nullptr;
    Screen mMenu;
    Screen mSaveScreen;
    LoadScreen mLoadScreen;
    LVector2 mPlace;
    LVector2 mFacing;
};

} // namespace

TEST_F(SaveGame, ARoundTripKeepsInventoryEventsStatesAndClocks)
{
    StandOnTheRiverbank();
    PlayALittle(1);
    const double savedAt = LFakeTimer::sNow;
    const std::string saved = Game();
    ASSERT_TRUE(Save("On the riverbank"));
    EXPECT_EQ(saved, File("game1.dat"));
    EXPECT_EQ("game1\r\n\tdescription=On the riverbank\r\n\ttimestamp=Not yet implemented\r\n"
              "\tthumbnail=riverbank_vp02.bmp\r\n",
              File(".filelist"));
    // The save screen left through a fade.
    EXPECT_EQ(1, mSaveScreen.mHidden);
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), mScreens->GetTop());

    // Another game in progress.
    mInventory->RemoveAllItems();
    LEventManager::Get()->RemoveAllEvents();
    LEventManager::Get()->AddEvent(LString("evt_other"), false);
    LStateManager::Get()->RemoveAllStates();
    State("sta_other", "number", "5");
    LGameClock::Get()->Reset();
    ASSERT_NE(saved, Game());

    mScreens->PushScreen(&mLoadScreen);
    LFakeTimer::sNow = savedAt; // the skill state is stamped again at loading
    ASSERT_TRUE(GMSaveGameFile::LoadGame(LString("game1"), &mLoadScreen));
    EXPECT_EQ(saved, Game());
    EXPECT_EQ(3, mInventory->GetItemCount());
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_other")));
    EXPECT_EQ(2, LGameClock::Get()->GetTriggerCount());
}

TEST_F(SaveGame, LoadingSelectsTheClockOfTheCaseAndTheSkillOfTheOptions)
{
    StandOnTheRiverbank();
    PlayALittle(3);
    LGameClock::Get()->SetCurrentClock(0);
    State("sta_currentskillsetting", "string", "hard");
    ASSERT_TRUE(Save("Case three"));

    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    mScreens->PushScreen(&mLoadScreen);
    ASSERT_TRUE(GMSaveGameFile::LoadGame(LString("game1"), &mLoadScreen));
    EXPECT_EQ(3, LGameClock::Get()->GetCurrentClock());
    EXPECT_EQ("easy", Text("sta_currentskillsetting"));
}

TEST_F(SaveGame, ALoadFromTheTitleScreenEndsWithTheSavedPlaceAsTheOnlyScreen)
{
    StandOnTheRiverbank();
    PlayALittle(1);
    ASSERT_TRUE(Save("Riverbank"));
    // The title: no game, the main menu and the load screen over it.
    ASSERT_TRUE(mScenes->UnloadScene());
    LStateManager::Get()->RemoveAllStates();
    mScreens->Clear();
    mScreens->PushScreen(&mMenu);
    mScreens->PushScreen(&mLoadScreen);
    const int menuHidden = mMenu.mHidden;
    mLog.Clear();

    ASSERT_TRUE(LoadAndPlace("game1"));
    GMScene* scene = mScenes->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(1, mScreens->GetCount());
    EXPECT_EQ(static_cast<GMIScreen*>(scene), mScreens->GetTop());
    EXPECT_TRUE(scene->IsActive());
    EXPECT_EQ("case01/riverbank", Bytes(scene->GetId()));
    EXPECT_EQ("vp02", Bytes(scene->GetViewpoint()));
    EXPECT_EQ(1, mLoadScreen.mHidden);
    EXPECT_EQ(menuHidden, mMenu.mHidden) << "the covered menu is hidden already";
    EXPECT_EQ(1, sTitleMusicStops);

    Frames(2);
    ASSERT_NE(nullptr, scene->GetPlayerPosition());
    EXPECT_NEAR(mPlace.x, scene->GetPlayerPosition()->x, 0.01f);
    EXPECT_NEAR(mPlace.y, scene->GetPlayerPosition()->z, 0.01f);
    ASSERT_NE(nullptr, scene->GetPlayerDirection());
    EXPECT_NEAR(mFacing.x, scene->GetPlayerDirection()->x, 0.01f);
    EXPECT_NEAR(mFacing.y, scene->GetPlayerDirection()->y, 0.01f);
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SaveGame, ALoadFromAGameReplacesTheSceneUnderTheMenu)
{
    StandOnTheRiverbank();
    PlayALittle(1);
    ASSERT_TRUE(Save("Riverbank"));
    // A game at the precinct, the main menu over it, the load screen over that.
    mScreens->Clear();
    ASSERT_TRUE(mScenes->LoadScene(LString("precinct"), true, true));
    GMScene* precinct = mScenes->GetScene();
    ASSERT_NE(nullptr, precinct);
    ASSERT_TRUE(mScreens->PushFade(&mMenu));
    ASSERT_TRUE(FramesUntil([this] { return !mScreens->IsBusy(); }));
    ASSERT_TRUE(mScreens->PushFade(&mLoadScreen));
    ASSERT_TRUE(FramesUntil([this] { return !mScreens->IsBusy(); }));
    ASSERT_FALSE(precinct->IsActive());
    ASSERT_EQ(3, mScreens->GetCount());
    mLog.Clear();

    ASSERT_TRUE(LoadAndPlace("game1"));
    GMScene* scene = mScenes->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ("case01/riverbank", Bytes(scene->GetId()));
    EXPECT_EQ(1, mScreens->GetCount());
    EXPECT_EQ(static_cast<GMIScreen*>(scene), mScreens->GetTop());
    EXPECT_TRUE(scene->IsActive());
    Frames(10);
    // Scenes hold restorables of their own that were never registered for saving.
    EXPECT_EQ("", mLog.Problems("RemoveRestorable failure. Not found."));
}

TEST_F(SaveGame, TheIndexIsRenumberedAndTheSaveGoesPastAnUnlistedSaveFile)
{
    const std::string entry = "\r\n\tdescription=x\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n";
    mData.Write("game/.filelist", "game1" + entry + "game2" + entry + "game5" + entry);
    mData.Write("game/game3.dat", "an old save");
    mData.Write("game/game5.dat", "a dropped save");
    State("sta_currentscene", "string", "precinct");
    ASSERT_TRUE(Save("fourth"));
    // game3.dat is kept and listed under its key; game5 drops from the index.
    EXPECT_EQ("game1" + entry + "game2" + entry +
                  "game3\r\n\tdescription=game3\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n"
                  "game4\r\n\tdescription=fourth\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n",
              File(".filelist"));
    EXPECT_EQ("an old save", File("game3.dat"));
    EXPECT_EQ(Game(), File("game4.dat"));
    EXPECT_EQ("a dropped save", File("game5.dat"));
}

TEST_F(SaveGame, ADamagedOrLostIndexCostsNoSave)
{
    // Two saves that load, each telling which it is.
    StandOnTheRiverbank();
    PlayALittle(1);
    State("sta_which", "number", "1");
    ASSERT_TRUE(Save("one"));
    State("sta_which", "number", "2");
    ASSERT_TRUE(Save("two"));
    const std::string first = File("game1.dat");
    const std::string second = File("game2.dat");
    ASSERT_NE(first, second);

    const std::string intact = File(".filelist");
    const struct
    {
        const char* mWhat;
        bool mExists;
        std::string mIndex;
    } indexes[] = {
        {"all NUL bytes", true, std::string(64, '\0')},
        {"NUL bytes before intact text", true, std::string(5, '\0') + intact},
        {"empty", true, ""},
        {"0xFF bytes", true, std::string(64, '\xff')},
        {"first entry game2", true, intact.substr(intact.find("game2"))},
        {"missing", false, ""},
    };
    for (const auto& damaged : indexes) {
        std::filesystem::remove_all(mData.File("game"));
        mData.Write("game/game1.dat", first);
        mData.Write("game/game2.dat", second);
        if (damaged.mExists) {
            mData.Write("game/.filelist", damaged.mIndex);
        }
        std::string saved[3];
        for (int i = 0; i < 3; ++i) {
            State("sta_which", "number", std::to_string(i + 3).c_str());
            saved[i] = Game();
            ASSERT_TRUE(Save(("again " + std::to_string(i)).c_str())) << damaged.mWhat;
        }
        EXPECT_TRUE(first == File("game1.dat")) << damaged.mWhat;
        EXPECT_TRUE(second == File("game2.dat")) << damaged.mWhat;
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(saved[i] == File("game" + std::to_string(i + 3) + ".dat")) << damaged.mWhat << " " << i;
        }
        // Every save is listed in order and loads as the game it was.
        GMSaveIndexFile index;
        ASSERT_TRUE(index.Load());
        LVectorString keys;
        LVectorString descriptions;
        ASSERT_EQ(5, index.ListSaves(&keys, &descriptions, nullptr)) << damaged.mWhat;
        EXPECT_EQ("again 2", Bytes(descriptions[4])) << damaged.mWhat;
        for (int i = 0; i < 5; ++i) {
            LMemoryStream stream(4, -1);
            Load(stream, File(Bytes(keys[i]) + ".dat"));
            ASSERT_TRUE(GMSaveGameFile::Read(stream)) << damaged.mWhat << " " << Bytes(keys[i]);
            const LIState* which = LStateManager::Get()->GetState(LString("sta_which"));
            ASSERT_NE(nullptr, which);
            EXPECT_EQ(i + 1, *static_cast<const float*>(which->GetValue())) << damaged.mWhat;
        }
    }
}

TEST_F(SaveGame, AnUnwritableIndexKeepsTheOldIndexAndSaves)
{
    const std::string index = "game1\r\n\tdescription=a\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n";
    mData.Write("game/.filelist", index);
    mData.Write("game/game1.dat", "first");
    std::filesystem::create_directories(mData.File("game/.filelist.tmp/x"));
    EXPECT_FALSE(Save("second"));
    EXPECT_TRUE(mLog.Contains("ERROR: ") && mLog.Contains("Error opening .filelist file during save"));
    EXPECT_EQ(index, File(".filelist"));
    EXPECT_EQ("first", File("game1.dat"));
    // The new file is written but named by no entry; the save screen stays.
    EXPECT_TRUE(Exists("game2.dat"));
    EXPECT_EQ(static_cast<GMIScreen*>(&mSaveScreen), mScreens->GetTop());
    EXPECT_EQ(0, mSaveScreen.mHidden);

    // The next save keeps it and lists it.
    const std::string unnamed = File("game2.dat");
    std::filesystem::remove_all(mData.File("game/.filelist.tmp"));
    ASSERT_TRUE(Save("third"));
    EXPECT_EQ(unnamed, File("game2.dat"));
    EXPECT_EQ(Game(), File("game3.dat"));
    EXPECT_EQ(index + "game2\r\n\tdescription=game2\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n"
                      "game3\r\n\tdescription=third\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n",
              File(".filelist"));
}

TEST_F(SaveGame, AnIndexThatExistsButCannotBeReadRefusesTheSave)
{
    mData.Write("game/game1.dat", "first");
    // A directory in the index's place: it exists and cannot be read.
    std::filesystem::create_directories(mData.File("game/.filelist"));
    State("sta_currentscene", "string", "precinct");
    mScreens->Clear();
    mScreens->PushScreen(&mMenu);
    mScreens->PushScreen(&mSaveScreen);
    GMSaveIndexFile index;
    ASSERT_FALSE(index.Load());
    mLog.Clear();
    EXPECT_FALSE(GMSaveGameFile::SaveGame(LString("second"), LString("none"), &index));
    EXPECT_TRUE(mLog.Contains("ERROR: ") && mLog.Contains("The index of saved games could not be read"));
    EXPECT_FALSE(index.Write(LString("second"), LString("none")));
    EXPECT_EQ("first", File("game1.dat"));
    EXPECT_TRUE(std::filesystem::is_directory(mData.File("game/.filelist")));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(mData.File("game")), {}));
    EXPECT_EQ(static_cast<GMIScreen*>(&mSaveScreen), mScreens->GetTop());
    EXPECT_FALSE(mScreens->IsBusy());

    // A missing index still starts a new one.
    std::filesystem::remove(mData.File("game/.filelist"));
    std::filesystem::remove(mData.File("game/game1.dat"));
    ASSERT_TRUE(index.Load());
    EXPECT_TRUE(GMSaveGameFile::SaveGame(LString("second"), LString("none"), &index));
    EXPECT_EQ(Game(), File("game1.dat"));
    EXPECT_EQ(0u, File(".filelist").find("game1\r\n\tdescription=second\r\n"));
}

TEST_F(SaveGame, ASaveFileThatCannotBeCreatedLeavesTheIndexUntouched)
{
    const std::string index = "game1\r\n\tdescription=a\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n";
    mData.Write("game/.filelist", index);
    std::filesystem::create_directories(mData.File("game/game2.dat.tmp/x"));
    EXPECT_FALSE(Save("second"));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: ") && mLog.Contains("Unable to create game save file."));
    EXPECT_EQ(index, File(".filelist"));
    EXPECT_FALSE(Exists("game2.dat"));
    EXPECT_EQ(static_cast<GMIScreen*>(&mSaveScreen), mScreens->GetTop());
}

TEST_F(SaveGame, ADamagedSaveLeavesTheGameInProgressExactlyAsItWas)
{
    StandOnTheRiverbank();
    PlayALittle(1);
    ASSERT_TRUE(Save("Riverbank"));
    const std::string save = File("game1.dat");
    ASSERT_GT(save.size(), 100u);

    // The game in progress: the precinct, other items, events, states and clocks.
    mInventory->RemoveAllItems();
    ASSERT_TRUE(mInventory->AddItem(LString("glove")));
    LEventManager::Get()->AddEvent(LString("evt_in_progress"), false);
    LGameClock::Get()->SetCurrentClock(2);
    ASSERT_TRUE(mScenes->LoadScene(LString("precinct"), true, true));
    GMScene* precinct = mScenes->GetScene();
    mScreens->PushScreen(&mMenu);
    mScreens->PushScreen(&mLoadScreen);
    const std::string before = Game();
    mLog.Clear();

    ExpectRefused("game9", before, precinct, "missing");
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: ") && mLog.Contains("Unable to create game load file."));

    const struct
    {
        const char* mWhat;
        std::string mBytes;
        const char* mLogged;
    } damaged[] = {
        {"unknown restore id", Renamed(save, "gameclock", "gameclocx"), "Unknown restore id: gameclocx"},
        {"no scene", Renamed(save, "sta_currentscene", "sta_currentscenf"), "ASSERT FAILURE: "},
        {"no viewpoint", Renamed(save, "sta_currentviewpoint", "sta_currentviewpoinf"), "ASSERT FAILURE: "},
        {"unknown location", Renamed(save, "case01/riverbank", "case01/riverbanf"), "Unknown location: case01/riverbanf"},
    };
    for (const auto& d : damaged) {
        mLog.Clear();
        mData.Write("game/game2.dat", d.mBytes);
        ExpectRefused("game2", before, precinct, d.mWhat);
        EXPECT_TRUE(mLog.Contains(d.mLogged)) << d.mWhat;
    }

    // Cut short at every length.
    for (size_t length = 0; length < save.size(); ++length) {
        mData.Write("game/game2.dat", save.substr(0, length));
        ExpectRefused("game2", before, precinct, ("cut at " + std::to_string(length)).c_str());
        if (HasFailure()) {
            break;
        }
    }
}

TEST_F(SaveGame, ALoadedGameWorksOutItsPhoneMessagesAndADamagedOneLeavesThePhone)
{
    GMPhone* phone = GMPhone::GetInstance();
    ASSERT_NE(nullptr, phone);
    const auto pending = [phone] {
        std::string ids;
        for (int i = 0; i < phone->GetPendingCount(); ++i) {
            ids += Bytes(phone->GetPendingAt(i)) + " ";
        }
        return ids;
    };
    // An older save: the witness has spoken of the boat, no lab result yet.
    StandOnTheRiverbank();
    PlayALittle(1);
    LEventManager::Get()->AddEvent(LString("evt_sample_witness_saw_boat"), false);
    ASSERT_TRUE(Save("Before the lab"));
    const std::string save = File("game1.dat");
    // Played on: the pen's lab result has come in.
    LEventManager::Get()->AddEvent(LString("pen_CL_R"), true);
    ASSERT_EQ("pm_harbour pm_pen_lab ", pending());
    mScreens->PushScreen(&mLoadScreen);

    mData.Write("game/game2.dat", Renamed(save, "case01/riverbank", "case01/riverbanf"));
    EXPECT_FALSE(GMSaveGameFile::LoadGame(LString("game2"), &mLoadScreen));
    EXPECT_EQ("pm_harbour pm_pen_lab ", pending());

    ASSERT_TRUE(GMSaveGameFile::LoadGame(LString("game1"), &mLoadScreen));
    EXPECT_EQ("pm_harbour ", pending());
}

TEST_F(SaveGame, AHandleNamedByASaveIsLetGo)
{
    StandOnTheRiverbank();
    PlayALittle(1);
    ASSERT_TRUE(Save("Riverbank"));
    std::string save = File("game1.dat");
    // The event manager's record: save tag, handle, the empty object id (count and
    // terminator), then its restore id.
    const size_t id = save.find(Units("eventmanager")) - 4;
    ASSERT_LT(14u, id);
    const size_t handle = id - 6 - 4;
    ASSERT_EQ(std::string(4, '\0'), save.substr(handle, 4));
    save[handle] = '\x05';
    LMemoryStream stream(4, -1);
    Load(stream, save);
    ASSERT_TRUE(GMSaveGameFile::Read(stream));
    // The manager would otherwise own the singleton and delete it a second time at exit.
    EXPECT_EQ(0u, LGameObjectManager::Get()->GetHandle(LEventManager::Get()));
    EXPECT_TRUE(mLog.Contains("A saved handle was let go"));
    const std::string again = Game();
    EXPECT_EQ(std::string(4, '\0'), again.substr(again.find(Units("eventmanager")) - 14, 4));
}

TEST_F(SaveGame, ABitFlippedSaveEitherLoadsOrChangesNothing)
{
    StandOnTheRiverbank();
    PlayALittle(1);
    ASSERT_TRUE(Save("Riverbank"));
    const std::string save = File("game1.dat");
    ASSERT_TRUE(mScenes->LoadScene(LString("precinct"), true, true));
    std::string before = Game();
    int loaded = 0;
    for (size_t i = 0; i < save.size() * 8; i += 3) {
        std::string flipped = save;
        flipped[i / 8] = static_cast<char>(flipped[i / 8] ^ (1 << (i % 8)));
        LMemoryStream stream(4, -1);
        Load(stream, flipped);
        if (GMSaveGameFile::Read(stream)) {
            ++loaded;
            EXPECT_NE("<none>", Text("sta_currentscene")) << "bit " << i;
            EXPECT_NE("<none>", Text("sta_currentviewpoint")) << "bit " << i;
            LMemoryStream back(4, -1);
            Load(back, before);
            ASSERT_TRUE(GMSaveGameFile::Read(back));
            before = Game();
        } else {
            ASSERT_EQ(before, Game()) << "bit " << i;
        }
    }
    EXPECT_GT(loaded, 0);
}

TEST_F(SaveGame, TheCheckedInSavesLoadOrAreRefused)
{
    const std::string directory = LMediaFixtures::Directory() + "/../saves/";
    ASSERT_TRUE(mScenes->LoadScene(LString("precinct"), true, true));
    const struct
    {
        const char* mName;
        bool mLoads;
    } saves[] = {{"riverbank.dat", true},       {"cut_in_restore.dat", false}, {"unknown_id.dat", false},
                 {"no_scene.dat", false},       {"bad_inventory.dat", false},  {"empty.dat", false}};
    for (const auto& s : saves) {
        const std::string bytes = LTestDirectory::ReadFile(directory + s.mName);
        ASSERT_FALSE(bytes.empty() && s.mLoads) << s.mName;
        const std::string before = Game();
        LMemoryStream stream(4, -1);
        Load(stream, bytes);
        EXPECT_EQ(s.mLoads, GMSaveGameFile::Read(stream)) << s.mName;
        if (!s.mLoads) {
            EXPECT_EQ(before, Game()) << s.mName;
        }
    }
    EXPECT_EQ("vp02", Text("sta_currentviewpoint")) << "the last that loaded";
}
