#include "pda/GMMapPanel.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "pda/GMMapTag.h"
#include "pda/GMPDAScrollContent.h"
#include "stdlib/LLog.h"
#include "util/GMTextureRoot.h"

namespace {

const char* const kTextureRoot = "//textures/pda";

} // namespace

GMMapPanel::GMMapPanel()
    : GMIPDAPanel(LString("map")), mContent(L_NEW GMPDAScrollContent(LString("mappanel")))
{
}

GMMapPanel::~GMMapPanel()
{
    // The tags' groups leave the content group as the tags go.
    DeleteTags();
    delete mContent;
    mContent = nullptr;
    delete mLayout;
    mLayout = nullptr;
}

LString GMMapPanel::Dump() const
{
    return DumpHead("GMMapPanel") + "]";
}

GMMapTag* GMMapPanel::GetTag(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetTagCount() ? mTags[aIndex] : nullptr;
}

GMMapTag* GMMapPanel::FindTag(const LString& aId) const
{
    for (GMMapTag* tag : mTags) {
        if (tag->GetId() == aId) {
            return tag;
        }
    }
    return nullptr;
}

LDisplayGroup* GMMapPanel::GetContentGroup() const
{
    return mContent != nullptr ? mContent->GetGroup() : nullptr;
}

void GMMapPanel::DeleteTags()
{
    for (GMMapTag* tag : mTags) {
        delete tag;
    }
    mTags.clear();
}

bool GMMapPanel::Create(LPropertyList* aLayout)
{
    delete mLayout;
    mLayout = aLayout != nullptr ? L_NEW LPropertyList(*aLayout) : L_NEW LPropertyList();
    int selected = 1;
    GMPDAScrollContent::GetSelectedCase(selected);
    Rebuild(selected);
    if (LDisplayGroup* content = GetContentGroup()) {
        content->SetEnabled(false);
    }
    return true;
}

void GMMapPanel::Rebuild(int aCase)
{
    mCase = aCase;
    DeleteTags();
    LDisplayGroup* content = mContent != nullptr ? mContent->Renew() : nullptr;
    if (content == nullptr) {
        return;
    }
    GMTextureRoot root{LString(kTextureRoot)};
    LPropertyList* background = mLayout != nullptr ? mLayout->GetList(LString("groups.background")) : nullptr;
    LDisplayGroup* built = background != nullptr ? LLayoutBuilder::BuildGroup(background, true) : nullptr;
    if (background == nullptr) {
        L_ASSERT_FAILURE("'groups.background' not found.");
    } else if (built == nullptr || !content->AddMember(built, true)) {
        L_ASSERT_FAILURE("");
        delete built;
    }
    content->SetActive(false);
    const LString key = LString("groups.maptags.groups.case") + aCase + ".buttons";
    LPropertyList* tags = mLayout != nullptr ? mLayout->GetList(key) : nullptr;
    if (tags == nullptr) {
        L_ASSERT_FAILURE("'" + key + "' not found.");
    }
    for (int i = 0; tags != nullptr && i < tags->GetCount(); ++i) {
        LPropertyList* entry = tags->GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE("Map tag not a list: " + tags->GetKeyAt(i));
            continue;
        }
        GMMapTag* tag = L_NEW GMMapTag();
        if (tag == nullptr) {
            continue;
        }
        if (!tag->Create(entry)) {
            L_ASSERT_FAILURE("");
        }
        if (tag->GetGroup() != nullptr && !content->AddMember(tag->GetGroup(), true)) {
            // A tag whose group cannot join (a duplicate id) is not kept.
            delete tag;
            continue;
        }
        mTags.push_back(tag);
    }
    content->UpdateAll();
}

bool GMMapPanel::Show()
{
    int selected = mCase;
    if (GMPDAScrollContent::GetSelectedCase(selected) && selected != mCase) {
        Rebuild(selected);
    }
    bool ok = GMIPDAPanel::Show();
    ok = mContent != nullptr && mContent->Show(kContentHeight) && ok;
    for (GMMapTag* tag : mTags) {
        tag->SetActive(true);
    }
    return ok;
}

bool GMMapPanel::Hide()
{
    if (mContent != nullptr) {
        mContent->Hide();
    }
    const bool ok = GMIPDAPanel::Hide();
    for (GMMapTag* tag : mTags) {
        tag->SetActive(false);
    }
    return ok;
}
