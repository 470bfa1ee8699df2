// Base of the PDA's panels (inventory, map, log, phone). A panel has an id and a group of
// its own, made inactive and put into the PDA's group when the panel is constructed (so
// constructing a panel makes the PDA when there is none yet). The PDA shows one panel at a
// time; each panel builds itself once from its layout list.
#pragma once
#include "container/LString.h"
#include "object/LBase.h"

class LDisplayGroup;
class LPropertyList;

class GMIPDAPanel : public LBase
{
public:
    explicit GMIPDAPanel(const LString& aId);
    GMIPDAPanel(const GMIPDAPanel&) = delete;
    GMIPDAPanel& operator=(const GMIPDAPanel&) = delete;
    // Deletes the group (which leaves the PDA's group).
    ~GMIPDAPanel() override;

    LString Dump() const override;

    // Builds the panel from its layout list (null when the file could not be read).
    virtual bool Create(LPropertyList* aLayout) = 0;
    // Makes the group inactive; false (still shown) when that is refused.
    virtual bool Hide();
    // Makes the group active; false when that is refused.
    virtual bool Show();

    const LString& GetId() const { return mId; }
    LDisplayGroup* GetGroup() const { return mGroup; }
    bool IsShown() const { return mShown; }

protected:
    LString mId;
    LDisplayGroup* mGroup = nullptr;
    bool mShown = false;
};
