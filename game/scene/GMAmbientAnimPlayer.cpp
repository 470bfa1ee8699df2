#include "scene/GMAmbientAnimPlayer.h"

#include "container/LPropertyList.h"
#include "scene/GMAmbientAnimItem.h"
#include "stdlib/LLog.h"

GMAmbientAnimPlayer::GMAmbientAnimPlayer() = default;

GMAmbientAnimPlayer::~GMAmbientAnimPlayer() = default;

LString GMAmbientAnimPlayer::Dump() const
{
    LString text = DumpHead("GMAmbientAnimPlayer");
    text += " background=";
    text += GetBackgroundCount();
    text += " foreground=";
    text += GetForegroundCount();
    return text + "]";
}

bool GMAmbientAnimPlayer::Build(const LPropertyList* aViewpoint)
{
    mBackground.clear();
    mForeground.clear();
    if (aViewpoint == nullptr) {
        L_ASSERT_FAILURE("Build failure. NULL arg.");
        return false;
    }
    Load(aViewpoint->GetList(LString("background")), mBackground);
    Load(aViewpoint->GetList(LString("foreground")), mForeground);
    return true;
}

void GMAmbientAnimPlayer::Load(const LPropertyList* aList, Items& aInto)
{
    const int count = aList != nullptr ? aList->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        const LPropertyList* entry = aList->GetListAt(i);
        auto item = std::make_unique<GMAmbientAnimItem>();
        if (entry == nullptr || !item->Load(entry)) {
            L_ERROR(LString("Ambient animation not loaded: ") + aList->GetKeyAt(i));
            continue;
        }
        aInto.push_back(std::move(item));
    }
}

void GMAmbientAnimPlayer::Render(Items& aItems, LRenderer* aRenderer)
{
    for (const std::unique_ptr<GMAmbientAnimItem>& item : aItems) {
        item->Update(aRenderer);
    }
}

void GMAmbientAnimPlayer::RenderBackground(LRenderer* aRenderer)
{
    Render(mBackground, aRenderer);
}

void GMAmbientAnimPlayer::RenderForeground(LRenderer* aRenderer)
{
    Render(mForeground, aRenderer);
}

GMAmbientAnimItem* GMAmbientAnimPlayer::GetBackground(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetBackgroundCount() ? mBackground[aIndex].get() : nullptr;
}

GMAmbientAnimItem* GMAmbientAnimPlayer::GetForeground(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetForegroundCount() ? mForeground[aIndex].get() : nullptr;
}
