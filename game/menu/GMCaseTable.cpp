#include "menu/GMCaseTable.h"

#include "event/LEventManager.h"
#include "state/LStateManager.h"
#include "util/GMSelectedCase.h"

namespace {

constexpr GMCaseEntry kCases[GMCaseTable::kCaseCount] = {
    {1, "case1_select", "case01/riverbank", {"152_all.bik", nullptr}, "review1", "001_all.bik",
     "evt_interview117_complete", "evt_case01_closed"},
    {2, "case2_select", "case02/hotel_room", {"252_all.bik", nullptr}, "review2", "002_all.bik",
     "evt_interview218_complete", "evt_case02_closed"},
    {3, "case3_select", "case03/brownstone", {"352_all.bik", nullptr}, "review3", "003_all.bik",
     "evt_interview321_complete", "evt_case03_closed"},
    {4, nullptr, "case04/victimshotel", {"016_all.bik", "452_all.bik"}, nullptr, nullptr, "bargainingsolved_415_done",
     "evt_case04_closed"},
};

} // namespace

const GMCaseEntry* GMCaseTable::Get(int aCase)
{
    return aCase >= 1 && aCase <= kCaseCount ? &kCases[aCase - 1] : nullptr;
}

bool GMCaseTable::IsClosed(int aCase)
{
    const GMCaseEntry* entry = Get(aCase);
    LEventManager* events = LEventManager::Get();
    return entry != nullptr && events != nullptr && events->IsRaised(LString(entry->mClosedEvent));
}

bool GMCaseTable::FirstThreeClosed()
{
    return IsClosed(1) && IsClosed(2) && IsClosed(3);
}

int GMCaseTable::SelectedCase()
{
    int selected = 0;
    return GMSelectedCase::Read(selected) == GMSelectedCase::RESULT_READ ? selected : 0;
}

void GMCaseTable::SetSelectedCase(int aCase)
{
    if (LStateManager* states = LStateManager::Get()) {
        states->SetState(LString("sta_selectedcase"), LString("number"), LString() + aCase, false);
    }
}

LString GMCaseTable::IntroPlayedEvent(int aCase)
{
    return LString("case") + aCase + "_intro_played";
}

LString GMCaseTable::LedgerEvent(int aCase)
{
    return LString("evt_ledger") + aCase + "_displayed";
}
