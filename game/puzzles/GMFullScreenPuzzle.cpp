#include "puzzles/GMFullScreenPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "multicursor/GMMultiCursor.h"
#include "util/GMOptions.h"

GMFullScreenPuzzle::GMFullScreenPuzzle(const GMPuzzleSetup& aSetup) : GMPuzzle(aSetup) {}

void GMFullScreenPuzzle::OnShow()
{
    ShowWithoutMenu();
}

bool GMFullScreenPuzzle::ShowWithoutMenu()
{
    if (IsShown()) {
        return false;
    }
    GMPuzzle::OnShow();
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
    return true;
}

void GMFullScreenPuzzle::OnLeave()
{
    if (LDisplayGroup* root = GetRoot()) {
        root->SetEnabled(false);
        root->UpdateAll();
    }
}

void GMFullScreenPuzzle::PlaySkillVoice(const char* aName, const char* aEasyVoice, const char* aVoice)
{
    GMOptions* options = GMOptions::GetInstance();
    const bool easy = options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY;
    PlayVoice(LString(aName), LString(easy ? aEasyVoice : aVoice));
}
