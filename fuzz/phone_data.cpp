// The phone's catalogue and the phone panel's layout from arbitrary text: the input is the
// catalogue ("//textures/pda/phone_messages.txt"), a line "====", and the layout. The
// phone reads the catalogue again, a phone panel is built from the layout in the PDA, a
// few events and a state change are heard (the lab results, the sample's answer), both
// sub-panels are shown, every pending message is played to its end, each listed contact's
// call button is pressed and the panel is hidden and deleted. The sample's phone pictures
// and subtitles are under the texture root.
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LKeyboard.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "pda/GMPhone.h"
#include "pda/GMPhoneDirectoryPanel.h"
#include "pda/GMPhoneMessagesPanel.h"
#include "pda/GMPhonePanel.h"
#include "state/LStateManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzPDAWorld.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Every frame step of the fake timer, so calls ring, shrink and give up in bounded time.
void Frames(int aCount)
{
    LFakeTimer::Frames(aCount, 0.05);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    GMTestRoots& roots = FuzzPDAWorld();
    LFuzzForgetRecords();
    const FuzzTwoTexts texts = FuzzSplitTexts(aData, aSize);
    const std::string& layoutText = texts.mSecond;
    roots.Write("data/textures/pda/phone_messages.txt", texts.mFirst);
    FuzzFreshCase(aSize % 3 == 0 ? "2" : "1");
    LEventManager* events = LEventManager::Get();
    LStateManager* states = LStateManager::Get();
    GMPhone* phone = GMPhone::GetInstance();
    if (phone == nullptr || GMPDA::GetInstance() == nullptr) {
        return 0;
    }
    phone->Reload();

    LPropertyList layout;
    layout.Parse(layoutText.c_str(), static_cast<int>(layoutText.size()));
    GMPhonePanel* panel = L_NEW GMPhonePanel();
    panel->Create(&layout);
    for (const char* id : {"x_CL_R", "evt_sample_witness_saw_boat", "pen_CL_R", "x_re_r", "x_SU_R", "CL_R"}) {
        events->AddEvent(LString(id), true);
    }
    states->SetState(LString("sta_x"), LString("number"), LString("1"), true);
    panel->Show();
    panel->OnButton(LString("messages"), XBTNEVENT_CLICKED);
    GMPhoneMessagesPanel* messages = panel->GetMessages();
    for (int i = 0; messages != nullptr && i < 200 && phone->GetPendingCount() > 0; ++i) {
        messages->PlayNext();
        if (LFakeSoundPlayer* sound = LFakeSoundPlayer::Find(LString("phone_message"))) {
            sound->End();
        }
    }
    while (phone->GetPendingCount() > 0) {
        phone->PopMessage();
    }
    LKeyboard::Get()->OnKeyDown(GMPhoneMessagesPanel::kSpaceKey);

    panel->OnButton(LString("directory"), XBTNEVENT_CLICKED);
    GMPhoneDirectoryPanel* directory = panel->GetDirectory();
    for (int i = 0; directory != nullptr && i < 8; ++i) {
        LDisplayGroup* content = directory->GetContentGroup();
        LButton* call = nullptr;
        for (int m = 0; content != nullptr && m < content->GetMemberCount() && call == nullptr; ++m) {
            call = dynamic_cast<LButton*>(content->GetMemberAt(m));
        }
        if (call == nullptr) {
            break;
        }
        // The directory may rebuild its rows, the button among them, while it answers.
        const LString id = call->GetId();
        directory->OnButton(id, XBTNEVENT_CLICKED);
        LFakeSoundPlayer* ring = directory->GetRing() != nullptr ? LFakeSoundPlayer::Find(id) : nullptr;
        if (ring != nullptr) {
            ring->End();
        }
        // Shrink, the interview (none can be selected here) given up, growth back.
        Frames(30);
    }
    panel->Hide();
    delete panel;
    Frames(1);
    if (LFakeSoundPlayer::Find(LString("phone_message")) != nullptr) {
        __builtin_trap(); // a message left playing after its panel is gone
    }
    return 0;
}
