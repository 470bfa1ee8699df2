#include "menu/GMCaseControl.h"

#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "menu/GMCaseTable.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"

namespace {

GMSingleton<GMCaseControl> sControl;

const char16_t* const kAllSolved = u"evt_cases123_solved";

} // namespace

GMCaseControl* GMCaseControl::GetInstance()
{
    const bool made = sControl.Peek() == nullptr && !sControl.IsDestroyed();
    GMCaseControl* control = sControl.Get(L_FILE, __LINE__, "GMCaseControl creation failure.");
    if (made && control != nullptr) {
        if (LEventManager* events = LEventManager::Get()) {
            events->AddListener(control, 0.0f);
        }
    }
    return control;
}

GMCaseControl::GMCaseControl() = default;

GMCaseControl::~GMCaseControl()
{
    sControl.Destroyed(this);
    if (LEventManager* events = LEventManager::Get()) {
        events->RemoveListener(this);
    }
}

LString GMCaseControl::Dump() const
{
    return DumpHead("GMCaseControl") + "]";
}

void GMCaseControl::OnEvent(LEvent* aEvent)
{
    LEventManager* events = LEventManager::Get();
    if (aEvent == nullptr || events == nullptr) {
        return;
    }
    const LString id = aEvent->GetId();
    for (int number = 1; number <= GMCaseTable::kCaseCount; ++number) {
        const GMCaseEntry* entry = GMCaseTable::Get(number);
        if (id.EqualsNoCase(LString(entry->mClosingEvent))) {
            GMCaseTable::SetSelectedCase(0);
            events->AddEvent(LString(entry->mClosedEvent), true);
            break;
        }
    }
    // The closed event raised above comes back here first and may have raised it already.
    if (GMCaseTable::FirstThreeClosed() && !events->IsRaised(LString(kAllSolved))) {
        events->AddEvent(LString(kAllSolved), true);
    }
}
