// The fixture of a puzzle reached as the game reaches it: the scene flow's fakes, the
// medium skill, the puzzle's instance (TPuzzle::GetInstance) and the sample's riverbank at
// vp02, with the log captured from then on; the cleaner takes everything down after each
// test.
#pragma once
#include "scene/GMScene.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

template <class TPuzzle>
class GMPuzzleFlowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = TPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        OnPuzzleMade();
        mScene = GMSceneFlow::LoadSampleLocation("case01/riverbank", "vp02");
        ASSERT_NE(nullptr, mScene);
        mLog.Clear();
    }

    void TearDown() override { GMPuzzleHarness::EndGame(); }

    // Between the puzzle's making and the location's loading (a seed, say).
    virtual void OnPuzzleMade() {}

    LLogCapture mLog;
    TPuzzle* mPuzzle = nullptr;
    GMScene* mScene = nullptr;
};
