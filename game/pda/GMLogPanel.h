// The PDA's log panel, under the id "log": the case's diary, rebuilt at every showing from
// "//textures/pda/logdata.txt". Its list "case0" + N (N the selected case) holds one entry
// per line of the diary: "text" and "events", a script over events and states; an entry is
// listed while its script holds, ordered by the latest raise time of the raised events its
// script names (e[...]), those of equal time in file order, an entry without raised
// events first. Each text wraps within 210 pixels, one under the other, in the content
// group "logpanel" that the PDA's scroll area shows, scrolled by the wheel.
#pragma once
#include "pda/GMIPDAPanel.h"

class GMPDAScrollContent;

class GMLogPanel : public GMIPDAPanel
{
public:
    static constexpr float kTop = 10.0f;
    static constexpr float kGap = 10.0f;
    static constexpr float kTextX = 15.0f;
    static constexpr float kTextWidth = 210.0f;

    GMLogPanel();
    GMLogPanel(const GMLogPanel&) = delete;
    GMLogPanel& operator=(const GMLogPanel&) = delete;
    ~GMLogPanel() override;

    LString Dump() const override;
    // The log takes nothing from its layout: logs "NYI.", false.
    bool Create(LPropertyList* aLayout) override;
    // The wheel no longer heard and the content hidden (kept until the next showing).
    bool Hide() override;
    // Rebuilds the entries and shows them; false when a step fails. A missing selected
    // case lists nothing (logged).
    bool Show() override;

    LDisplayGroup* GetContentGroup() const;
    int GetEntryCount() const { return mEntryCount; }

private:
    GMPDAScrollContent* mContent = nullptr;
    int mEntryCount = 0;
};
