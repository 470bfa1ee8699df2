// GMCharacter: the player's footsteps.
//
// "//sounds/footsteps.txt" lists the step sounds and the ground polygons:
//
//   sounds
//       <any key>
//           soundid=<id>
//           file=<file under //sounds/>
//   grounds
//       <any key>
//           groundmesh=<name of the ground mesh, for the reader>
//           soundid=<id of a sound above>
//           polygon
//               coords=x|y|x|y|...   (world x and z, three points or more)
//               closed=true
//
// The scene's "sounds.txt" gives the sound outside every polygon:
//
//   defaultsound
//       leftfoot=<file under //sounds/>
//
// A step sounds in two frame windows of the move animation's cycle, the feet taking
// turns; the sound is that of the first polygon holding the player's ground position.
#include "scene/GMCharacter.h"

#include "LPolygon.h"
#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LAnimationTrack.h"
#include "Render/LDrawElement.h"
#include "Render/LSteeringTDO.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "util/GMOptions.h"

struct GMCharacter::StepSound
{
    LString mId;
    LISoundPlayer* mPlayer = nullptr;
};

struct GMCharacter::Ground
{
    LString mMesh;
    LPolygon mPolygon;
    int mSound = -1;
};

namespace {

// More would be a broken file, not a scene.
constexpr int kMaxEntries = 1024;

int Capped(const LPropertyList* aList)
{
    const int count = aList != nullptr ? aList->GetCount() : 0;
    return count > kMaxEntries ? kMaxEntries : count;
}

} // namespace

void GMCharacter::FreeFootsteps()
{
    for (int i = 0; i < mStepSoundCount; ++i) {
        delete mStepSounds[i].mPlayer;
    }
    delete[] mStepSounds;
    mStepSounds = nullptr;
    mStepSoundCount = 0;
    delete[] mGrounds;
    mGrounds = nullptr;
    mGroundCount = 0;
    delete mDefaultStep;
    mDefaultStep = nullptr;
}

LISoundPlayer* GMCharacter::OpenStepSound(const LString& aFile)
{
    LISoundManager* sounds = LISoundManager::Get();
    if (sounds == nullptr || aFile.IsEmpty()) {
        return nullptr;
    }
    LISoundPlayer* player = sounds->CreateSample(LString("footstep"), LString("//sounds/") + aFile);
    if (player == nullptr) {
        L_ASSERT_FAILURE(LString("Footstep sound not opened: ") + aFile);
        return nullptr;
    }
    player->SetVolume(GMOptions::GetInstance()->mVolume);
    return player;
}

void GMCharacter::SetupFootsteps(const LPropertyList* aSceneSounds)
{
    FreeFootsteps();
    LPropertyList table;
    if (!table.Load(LString("//sounds/footsteps.txt"), true)) {
        L_ASSERT_FAILURE("Footstep table not found.");
    }
    bool found = false;
    const LPropertyList* sounds = table.GetList(LString("sounds"));
    const int soundCount = Capped(sounds);
    if (soundCount > 0) {
        mStepSounds = L_NEW StepSound[soundCount];
    }
    for (int i = 0; mStepSounds != nullptr && i < soundCount; ++i) {
        const LPropertyList* entry = sounds->GetListAt(i);
        const LString id = entry != nullptr ? entry->GetString(LString("soundid"), found) : LString();
        if (entry == nullptr || !found) {
            L_ASSERT_FAILURE("'soundid' not found.");
            continue;
        }
        const LString file = entry->GetString(LString("file"), found);
        if (!found) {
            L_ASSERT_FAILURE("'file' not found.");
            continue;
        }
        mStepSounds[mStepSoundCount].mId = id;
        mStepSounds[mStepSoundCount].mPlayer = OpenStepSound(file);
        ++mStepSoundCount;
    }

    const LPropertyList* grounds = table.GetList(LString("grounds"));
    const int groundCount = Capped(grounds);
    if (groundCount > 0) {
        mGrounds = L_NEW Ground[groundCount];
    }
    for (int i = 0; mGrounds != nullptr && i < groundCount; ++i) {
        const LPropertyList* entry = grounds->GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE("Ground entry not a list.");
            continue;
        }
        Ground& ground = mGrounds[mGroundCount];
        ground.mMesh = entry->GetString(LString("groundmesh"), found);
        if (!found) {
            L_ASSERT_FAILURE("'groundmesh' not found.");
        }
        const LString id = entry->GetString(LString("soundid"), found);
        ground.mSound = -1;
        for (int s = 0; found && s < mStepSoundCount && ground.mSound < 0; ++s) {
            if (mStepSounds[s].mId == id) {
                ground.mSound = s;
            }
        }
        if (ground.mSound < 0) {
            L_ASSERT_FAILURE(LString("Footstep sound not found: ") + id);
            continue;
        }
        const LVectorFloat coords = entry->GetVectorFloat(LString("polygon.coords"), found);
        if (!found || coords.GetCount() < 6 || coords.GetCount() % 2 != 0) {
            L_ASSERT_FAILURE("'polygon.coords' not found or not x|y pairs of three points.");
            continue;
        }
        bool closedFound = false;
        const bool closed = entry->GetBool(LString("polygon.closed"), closedFound);
        if (!ground.mPolygon.SetPoints(coords, closedFound ? closed : true)) {
            L_ASSERT_FAILURE("Ground polygon not made.");
            continue;
        }
        ++mGroundCount;
    }

    const LString defaultFile =
        aSceneSounds != nullptr ? aSceneSounds->GetString(LString("defaultsound.leftfoot"), found) : LString();
    if (aSceneSounds == nullptr || !found) {
        L_ASSERT_FAILURE("Default footstep sound missing");
        return;
    }
    mDefaultStep = OpenStepSound(defaultFile);
}

LISoundPlayer* GMCharacter::GetStepSound(const LVector2& aGround) const
{
    for (int i = 0; i < mGroundCount; ++i) {
        if (mGrounds[i].mPolygon.ContainsPoint(aGround)) {
            return mStepSounds[mGrounds[i].mSound].mPlayer;
        }
    }
    return mDefaultStep;
}

void GMCharacter::UpdateFootsteps()
{
    // The player only: the one character whose idle gestures the scene enables.
    const auto* steering = dynamic_cast<const LSteeringTDO*>(GetSteering());
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    if (!mIdleGestureEnabled || steering == nullptr || !steering->IsEnabled() || ctrl == nullptr) {
        return;
    }
    int cycle = 0;
    int first = 0;
    int second = 0;
    switch (steering->GetMoveIndex()) {
    case 2:
        cycle = kRunCycle;
        first = kRunFirstFoot;
        second = kRunSecondFoot;
        break;
    case 1:
    case 3:
    case 4:
        cycle = kWalkCycle;
        first = kWalkFirstFoot;
        second = kWalkSecondFoot;
        break;
    default:
        return;
    }
    const float time = ctrl->GetTrackScaledTime(0);
    if (time < 0.0f) {
        return;
    }
    const int frame = static_cast<int>(time * static_cast<float>(LAnimation::kFramesPerSecond)) % cycle;
    if (frame == 0) {
        return;
    }
    bool step = false;
    if (mFootFlag && frame >= first && frame < first + kFootWindow) {
        mFootFlag = 0;
        step = true;
    } else if (!mFootFlag && frame >= second && frame < second + kFootWindow) {
        mFootFlag = 1;
        step = true;
    }
    if (!step) {
        return;
    }
    if (LISoundPlayer* sound = GetStepSound(GroundPosition())) {
        sound->Play();
    }
}
