// The phone's logic hearing one state change: every regular message of its catalogue is
// looked at again (half of them due and already pending, half waiting for an event never
// raised; each trigger one event check, as the sample's). One iteration is one
// notification, with 30 and 300 regular messages.
#include "event/LEventManager.h"
#include "pda/GMPhone.h"
#include "state/LStateManager.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::string Catalogue(int aCount)
{
    std::string text = "regular\n";
    for (int i = 0; i < aCount; ++i) {
        const std::string id = "m" + std::to_string(i);
        text += "\t" + id + "\n\t\ttrigger=script[e[" + (i % 2 == 0 ? "evt_due" : "evt_never") + "]]\n";
        text += "\t\tplayedevent=evt_" + id + "_played\n\t\taudio=" + id + ".ogg\n";
    }
    text += "expert\n\tCL\n\t\tv01\n\t\t\taudio=cl.ogg\n";
    return text;
}

void StateChangeHeardByThePhone(benchmark::State& aState)
{
    static std::unique_ptr<GMTestRoots> sRoots;
    if (!sRoots) {
        RegisterFakeRender();
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        sRoots = std::make_unique<GMTestRoots>();
    }
    const int count = static_cast<int>(aState.range(0));
    sRoots->Write("data/textures/pda/phone_messages.txt", Catalogue(count));
    LStateManager* states = LStateManager::Get();
    states->SetState(LString("sta_bench"), LString("number"), LString("1"), false);
    GMPhone* phone = GMPhone::GetInstance();
    if (phone == nullptr || !phone->Reload()) {
        aState.SkipWithError("The phone could not read its catalogue.");
        return;
    }
    if (!LEventManager::Get()->IsRaised(LString("evt_due"))) {
        LEventManager::Get()->AddEvent(LString("evt_due"), false);
    }
    phone->UpdateTriggered();
    if (phone->GetPendingCount() != count / 2) {
        aState.SkipWithError("Not half of the messages are due.");
        return;
    }
    for (auto _ : aState) {
        // The same value each time: the notification is what is measured.
        states->SetState(LString("sta_bench"), LString("number"), LString("1"), true);
    }
}

} // namespace

BENCHMARK(StateChangeHeardByThePhone)->Arg(30)->Arg(300)->Unit(benchmark::kMicrosecond);
