// The PDA's phone panel, under the id "phone": a small menu ("directory", "messages") over
// two sub-panels, the directory of the case's contacts with a call button each
// (GMPhoneDirectoryPanel) and the voice messages the phone logic has queued
// (GMPhoneMessagesPanel). Built once from "//textures/pda/phone_layout.txt"; neither
// sub-panel shows until the player picks one.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "pda/GMIPDAPanel.h"

class GMPhoneDirectoryPanel;
class GMPhoneMessagesPanel;

class GMPhonePanel : public GMIPDAPanel, public LIButtonListener
{
public:
    GMPhonePanel();
    GMPhonePanel(const GMPhonePanel&) = delete;
    GMPhonePanel& operator=(const GMPhonePanel&) = delete;
    ~GMPhonePanel() override;

    LString Dump() const override;
    // The phone group "phonepanel" with its menu and both sub-panels; missing parts are
    // logged and left out. True.
    bool Create(LPropertyList* aLayout) override;
    // Takes both sub-panels off, then hides the group.
    bool Hide() override;
    // The phone logic's due messages first, then the group.
    bool Show() override;

    // "directory" and "messages" (clicked) switch the sub-panel.
    void OnButton(const LString& aId, int aEvent) override;

    GMPhoneDirectoryPanel* GetDirectory() const { return mDirectory; }
    GMPhoneMessagesPanel* GetMessages() const { return mMessages; }
    LDisplayGroup* GetPhoneGroup() const { return mPhoneGroup; }
    LDisplayGroup* GetMenuGroup() const { return mMenuGroup; }

private:
    // Takes aGroup out of the phone group when it is in it.
    void Detach(LDisplayGroup* aGroup);
    void Attach(LDisplayGroup* aGroup);

    LPropertyList* mLayout = nullptr;
    GMPhoneDirectoryPanel* mDirectory = nullptr;
    GMPhoneMessagesPanel* mMessages = nullptr;
    LDisplayGroup* mPhoneGroup = nullptr;
    LDisplayGroup* mMenuGroup = nullptr;
};
