// The ambient animations of one viewpoint, from the location's "animations.txt": the
// items of its "background" list, drawn right after the background, and of its
// "foreground" list, drawn in front of the characters, each in file order.
#pragma once
#include "object/LBase.h"

#include <memory>
#include <vector>

class GMAmbientAnimItem;
class LPropertyList;
class LRenderer;

class GMAmbientAnimPlayer : public LBase
{
public:
    GMAmbientAnimPlayer();
    GMAmbientAnimPlayer(const GMAmbientAnimPlayer&) = delete;
    GMAmbientAnimPlayer& operator=(const GMAmbientAnimPlayer&) = delete;
    ~GMAmbientAnimPlayer() override;

    LString Dump() const override;

    // Makes and loads the items of aViewpoint's "background", then "foreground"; an item
    // that does not load is dropped (logged) and the others play. True with or without
    // items; false for a null list.
    bool Build(const LPropertyList* aViewpoint);
    void RenderBackground(LRenderer* aRenderer);
    void RenderForeground(LRenderer* aRenderer);

    int GetBackgroundCount() const { return static_cast<int>(mBackground.size()); }
    int GetForegroundCount() const { return static_cast<int>(mForeground.size()); }
    GMAmbientAnimItem* GetBackground(int aIndex) const;
    GMAmbientAnimItem* GetForeground(int aIndex) const;

private:
    using Items = std::vector<std::unique_ptr<GMAmbientAnimItem>>;
    static void Load(const LPropertyList* aList, Items& aInto);
    static void Render(Items& aItems, LRenderer* aRenderer);

    Items mBackground;
    Items mForeground;
};
