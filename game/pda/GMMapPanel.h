// The PDA's map panel, under the id "map": a background of the case's area and one tag
// per location (GMMapTag), in the content group "mappanel" that the PDA's scroll area
// shows (content height 409), scrolled by the wheel. Built from
// "//textures/pda/map_layout.txt": "groups.background" and the tags of
// "groups.maptags.groups.case" + N + ".buttons". The tags are built for the selected case
// at Create (case 1 when none is selected yet) and again at the first showing after the
// selected case changed; a missing "sta_selectedcase" keeps the case the map has.
#pragma once
#include "pda/GMIPDAPanel.h"

#include <vector>

class GMMapTag;
class GMPDAScrollContent;

class GMMapPanel : public GMIPDAPanel
{
public:
    static constexpr int kContentHeight = 409;

    GMMapPanel();
    GMMapPanel(const GMMapPanel&) = delete;
    GMMapPanel& operator=(const GMMapPanel&) = delete;
    ~GMMapPanel() override;

    LString Dump() const override;
    // Keeps a copy of the layout and builds the tags of the selected case. True.
    bool Create(LPropertyList* aLayout) override;
    bool Hide() override;
    // Rebuilds when the selected case changed, then shows the content and the tags.
    bool Show() override;

    int GetCase() const { return mCase; }
    int GetTagCount() const { return static_cast<int>(mTags.size()); }
    GMMapTag* GetTag(int aIndex) const;
    GMMapTag* FindTag(const LString& aId) const;
    LDisplayGroup* GetContentGroup() const;

private:
    void Rebuild(int aCase);
    void DeleteTags();

    LPropertyList* mLayout = nullptr;
    GMPDAScrollContent* mContent = nullptr;
    std::vector<GMMapTag*> mTags;
    int mCase = 1;
};
