// Closes a case when the event that ends it is raised: the case in progress goes back to
// none ("sta_selectedcase" 0, told to nobody) and the case's closed event is raised. Once
// cases 1 to 3 are closed, "evt_cases123_solved" is raised, once.
#pragma once
#include "event/LIEventListener.h"
#include "object/LBase.h"

class GMCaseControl : public LBase, public LIEventListener
{
public:
    // The case control, made on first use (listening to the events) and registered with
    // the game cleaner; null when it cannot be made (logged) and after the cleaner has
    // deleted it.
    static GMCaseControl* GetInstance();

    GMCaseControl();
    GMCaseControl(const GMCaseControl&) = delete;
    GMCaseControl& operator=(const GMCaseControl&) = delete;
    ~GMCaseControl() override;

    LString Dump() const override;

    void OnEvent(LEvent* aEvent) override;
};
