#include "puzzles/floorsafe/GMFloorSafePuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "puzzles/floorsafe/GMFloorSafeCube.h"
#include "stdlib/LLog.h"
#include "util/GMOptions.h"

#include <cmath>

namespace {

GMPuzzleSlot<GMFloorSafePuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMFloorSafePuzzle";
    setup.mActiveState = GMFloorSafePuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/floorsafe/floorsafe_puzzle_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/floorsafe";
    setup.mVoiceEvent = "evt_floorsafepuzzle_initvo";
    setup.mEasyVoice = "hi03_rg";
    setup.mVoice = "1ca11_rg";
    setup.mFadeSubtitleOnHide = false;
    setup.mDeleteSoundOnHide = false;
    setup.mRootGroup = "floorsafe_puzzle_contentgroup";
    setup.mRootZ = GMFloorSafePuzzle::kRootZ;
    return setup;
}

bool Easy()
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY;
}

} // namespace

GMFloorSafePuzzle* GMFloorSafePuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMFloorSafePuzzle::GMFloorSafePuzzle() : GMPuzzle(Setup())
{
}

GMFloorSafePuzzle::~GMFloorSafePuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
}

GMFloorSafeCube* GMFloorSafePuzzle::GetCube(int aIndex) const
{
    return aIndex >= 0 && aIndex < kCubeCount ? mCubes[aIndex] : nullptr;
}

// --- Building ------------------------------------------------------------------------

void GMFloorSafePuzzle::BuildPieces()
{
    auto* cubes = L_NEW LDisplayGroup();
    if (cubes == nullptr) {
        L_ASSERT_FAILURE(LString());
        return;
    }
    cubes->SetId(LString(kCubesGroup));
    cubes->SetRelativeZ(kCubesZ);
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(kCubesList)) : nullptr;
    const int count = list != nullptr ? list->GetCount() : 0;
    if (count < kCubeCount) {
        L_ERROR(LString("Floor safe layout: ") + count + " cubes in " + kCubesList + ", 5 needed");
    }
    for (int i = 0; i < kCubeCount && i < count; ++i) {
        auto* cube = L_NEW GMFloorSafeCube();
        if (cube == nullptr || !cube->Create(list->GetListAt(i), this) || !cubes->AddMember(cube, true)) {
            L_ASSERT_FAILURE(LString());
            delete cube;
            continue;
        }
        mCubes[i] = cube;
    }
    if (!GetRoot()->AddMember(cubes, true)) {
        L_ASSERT_FAILURE(LString());
        delete cubes;
        for (GMFloorSafeCube*& cube : mCubes) {
            cube = nullptr;
        }
    }

    mHasCombination = false;
    LVectorFloat faces;
    if (ReadNumbers(nullptr, LString(kCombinationKey), kCubeCount, faces)) {
        mHasCombination = true;
        for (int i = 0; i < kCubeCount; ++i) {
            const float face = faces[i];
            if (!(face >= 1.0f && face <= 6.0f) || std::floor(face) != face) {
                L_ERROR(LString("Layout value missing or malformed: ") + kCombinationKey);
                mHasCombination = false;
                break;
            }
            mCombination[i] = static_cast<int>(face);
        }
    }
}

void GMFloorSafePuzzle::DeletePieces()
{
    // The cubes go with the root group; a cube deleted mid-turn leaves the frame manager.
    for (GMFloorSafeCube*& cube : mCubes) {
        cube = nullptr;
    }
}

// --- Turning -------------------------------------------------------------------------

void GMFloorSafePuzzle::SetButtonsEnabled(bool aEnabled)
{
    for (GMFloorSafeCube* cube : mCubes) {
        if (cube != nullptr) {
            cube->SetButtonsEnabled(aEnabled);
        }
    }
}

bool GMFloorSafePuzzle::TurnCube(int aIndex, const LString& aDirection, bool aCheck)
{
    GMFloorSafeCube* cube = GetCube(aIndex);
    if (cube == nullptr) {
        return false;
    }
    cube->Turn(aDirection, aCheck);
    return true;
}

void GMFloorSafePuzzle::OnCubeButton(const LString& aCubeId, const LString& aDirection)
{
    if (mSolved) {
        return;
    }
    SetButtonsEnabled(false);
    const bool hard = !Easy();
    bool checking = false;
    if (aCubeId.EqualsNoCase(LString("cube1"))) {
        checking = TurnCube(0, aDirection, true);
        TurnCube(1, aDirection, false);
    } else if (aCubeId.EqualsNoCase(LString("cube2"))) {
        if (hard) {
            TurnCube(0, aDirection, false);
        }
        checking = TurnCube(1, aDirection, true);
        TurnCube(4, aDirection, false);
    } else if (aCubeId.EqualsNoCase(LString("cube3"))) {
        checking = TurnCube(0, aDirection, true);
        TurnCube(2, aDirection, false);
        if (hard) {
            TurnCube(3, aDirection, false);
        }
    } else if (aCubeId.EqualsNoCase(LString("cube4"))) {
        checking = TurnCube(3, aDirection, true);
        TurnCube(4, aDirection, false);
    } else {
        checking = TurnCube(4, aDirection, true);
    }
    // Without the checking cube no arrival would give the arrows back.
    if (!checking) {
        CheckSolved();
    }
}

bool GMFloorSafePuzzle::FrontsMatch() const
{
    if (!mHasCombination) {
        return false;
    }
    for (int i = 0; i < kCubeCount; ++i) {
        if (mCubes[i] == nullptr || mCubes[i]->GetFace(GMFloorSafeCube::FRONT) != mCombination[i]) {
            return false;
        }
    }
    return true;
}

void GMFloorSafePuzzle::CheckSolved()
{
    if (mSolved) {
        return;
    }
    SetButtonsEnabled(true);
    if (!FrontsMatch()) {
        return;
    }
    mSolved = true;
    RaiseEvent(LString("evt_floorsafe_solved"));
    // The checking cube is still in its frame callback: the cubes go at the next pass.
    Defer([this] { OpenSafe(); });
}

void GMFloorSafePuzzle::OpenSafe()
{
    LVectorString changes;
    changes.Add(LString("sta_cu_1ca12_visible"));
    changes.Add(LString("boolean"));
    changes.Add(LString("true"));
    PopAndHandOver(LString("case01/castilloapt"), LString("vp_kitchen"), changes, LString("Safe_Open.bik"));
}
