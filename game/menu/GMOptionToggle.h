// An on/off choice of the options screen: two buttons in a group of their own, of which
// the lit (hilighted) one shows the value. Value 0 lights the first button ("on"), 1 the
// second. The owner reads the value directly.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "object/LBase.h"

class LButton;
class LDisplayGroup;
class LPropertyList;

class GMOptionToggle : public LBase, public LIButtonListener
{
public:
    GMOptionToggle() = default;
    GMOptionToggle(const GMOptionToggle&) = delete;
    GMOptionToggle& operator=(const GMOptionToggle&) = delete;
    ~GMOptionToggle() override = default;

    LString Dump() const override;

    // Builds a group named by the entry's "id" holding the two buttons of its second and
    // third entries (the toggle listens to both) and adds it to aParent; value 0. On a
    // refusal nothing is added to aParent (0, logged).
    int Create(LPropertyList* aList, LDisplayGroup* aParent);
    // 0 or 1 lights that button; any other value is stored and changes nothing shown.
    void SetValue(int aValue);

    // Clicks only: "on" (any case) gives 0, every other button 1.
    void OnButton(const LString& aId, int aEvent) override;

    int mValue = 0;
    LButton* mFirst = nullptr;
    LButton* mSecond = nullptr;
};
